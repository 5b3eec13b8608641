// Enumerators over the members of one object: the name lists of a FUNCTION, the VIRTUAL
// names of a MEASUREMENT, the variant-coding name lists, system constants, IF_DATA entries
// and annotations. Each step is one enumeration step over the owner's list, keyed by the
// caller's field; the positions are process-wide and some are shared by several
// enumerators, as the accessors below say.
#pragma once

#include <cstddef>
#include <string_view>

#include "model/function_record.h"
#include "model/sub_records.h"
#include "model/variant_coding_records.h"
#include "query/enumeration.h"

namespace ordex {

// The shared position pairs. Every enumerator named in a comment uses the same object.
EnumPosition& functionCharacteristicsPosition();  // DEF_CHARACTERISTIC, REF_CHARACTERISTIC
EnumPosition& functionMeasurementsPosition();     // OUT_, IN_, LOC_MEASUREMENT
EnumPosition& subFunctionsPosition();             // SUB_FUNCTION only
EnumPosition& functionAxisPtsPosition();          // a function's AXIS_PTS only
// VIRTUAL names, criteria and addresses of a VAR_CHARACTERISTIC, values of a VAR_CRITERION.
EnumPosition& groupVPosition();
// System constants and the IF_DATA entries of modules, segments and objects.
EnumPosition& ifDataPosition();
EnumPosition& annotationPosition();   // every annotation enumerator of the plain form
EnumPosition& annotation2Position();  // every annotation enumerator of form 2

// One step over a FUNCTION name list; `field` (256 bytes) is in and out.
void nextFunctionRefName(EnumPosition& pos, const FunctionRefList& list, char* field);
// One step over a VIRTUAL (or other name-entry) list.
void nextNameEntry(EnumPosition& pos, const NameEntryList& list, char* field);
// One step over a variant-coding text list, skipping texts that do not match pattern
// (null: all). Returns the entry taken, null at the end.
const TVarName* nextVarName(EnumPosition& pos, const VarNameList& list, char* field,
                            const char* pattern);

// One step over system constants or IF_DATA entries: `name` (256 bytes) is the key; the
// library's own value or content text is handed out by pointer (null at the end).
void nextSystemConstant(EnumPosition& pos, const EntryList<TSystemConstant_Intern>& list,
                        char* name, const char** value);
void nextIfData(EnumPosition& pos, const IfDataList& list, char* name, const char** content);

// The caller's annotation fields: Label and Origin of 256 bytes each and a text field of
// textSize bytes (at least 1). The three together are the key; each is filled with the
// stored text cut to its field, and compared the same way.
struct AnnotationFields {
  char* label;
  char* origin;
  char* text;
  size_t textSize;
};
void nextAnnotation(EnumPosition& pos, const AnnotationList& list, const AnnotationFields& fields);

// The first `n - 1` bytes of text at most: what a field of n bytes receives.
inline std::string_view cutToField(std::string_view text, size_t n) {
  return n == 0 ? std::string_view() : text.substr(0, n - 1);
}

}  // namespace ordex
