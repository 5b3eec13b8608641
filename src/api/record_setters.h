// The setter copy: a public record applied to an internal record. The change operations run
// it on an existing object, the create operations on a new one before it is linked.
//
// The copy takes every field the public record carries except Name: a record that stands
// in a list is renamed through its list, so that the name indexes stay true. It never
// touches the lists a record owns or the references the reference finder resolved. The
// fields are taken row by row from the record's field table (api/fields/*.def); the rules
// written out below are those the rows leave to the hand copy beside the table.
#pragma once

#include <vector>

#include "model/instance.h"
#include "model/project.h"
#include "ordex.h"

namespace ordex::api {

// The internal record each public object record is copied into.
template <class Record>
struct InternOf;
template <>
struct InternOf<TMemorySegment> {
  using type = TMemorySegment_Intern;
};
template <>
struct InternOf<TCharacteristic> {
  using type = TCharacteristic_Intern;
};
template <>
struct InternOf<TCharacteristic2> {
  using type = TCharacteristic_Intern;
};
template <>
struct InternOf<TMeasurement> {
  using type = TMeasurement_Intern;
};
template <>
struct InternOf<TFunction> {
  using type = TFunction_Intern;
};
template <>
struct InternOf<TCompuMethod> {
  using type = TCompuMethod_Intern;
};
template <>
struct InternOf<TCompuMethod2> {
  using type = TCompuMethod_Intern;
};
template <>
struct InternOf<TCompuTab> {
  using type = TCompuTab_Intern;
};
template <>
struct InternOf<TCompuVTab> {
  using type = TCompuVTab_Intern;
};
template <>
struct InternOf<TAxisPts> {
  using type = TAxisPts_Intern;
};
template <>
struct InternOf<TRecordLayout> {
  using type = TRecordLayout_Intern;
};
template <>
struct InternOf<TRecordLayout2> {
  using type = TRecordLayout_Intern;
};

// The project is in no list: its copy includes Name.
void copyFields(TProject_Intern& to, const TProject& from);

void copyFields(TModule_Intern& to, const TModule& from);
void copyFields(TMemorySegment_Intern& to, const TMemorySegment& from);

// Only the first Type axes are copied (CURVE 1, MAP 2, CUBOID 3); the other slots keep their
// values. The short form has no AxisPointsMode: a copied axis gets FIX_AXIS_PAR (1) when its
// DepositMode is -1 or a FixAxisPar value is not 0, else DEPOSIT (0).
void copyFields(TCharacteristic_Intern& to, const TCharacteristic& from);
void copyFields(TCharacteristic_Intern& to, const TCharacteristic2& from);

// A limit the object holds in hexadecimal stays so while the record carries what the getter
// gives for it (an empty text and 0.0); any other text or value replaces it.
void copyFields(TMeasurement_Intern& to, const TMeasurement& from);

void copyFields(TFunction_Intern& to, const TFunction& from);

// The short form has no FormulaInv: the object's stays as it is.
void copyFields(TCompuMethod_Intern& to, const TCompuMethod& from);
void copyFields(TCompuMethod_Intern& to, const TCompuMethod2& from);

// The table takes the record's first NumberValuePairs pairs. The create and change
// operations refuse a count above the table's 256 slots (fitsModel) before the copy.
void copyFields(TCompuTab_Intern& to, const TCompuTab& from);

// Whether the model can hold the record; the create and change operations refuse one it
// cannot with -1, before they look for the object. A COMPU_TAB has 256 pair slots: a record
// that declares more is refused, not cut.
template <class Record>
bool fitsModel(const Record&) {
  return true;
}
bool fitsModel(const TCompuTab& record);

// The pairs are built anew: the first min(NumberValuePairs, 20) from the record, the others
// input 0 with an empty text (Ordex_ChangeACompuVTabsLargeVTab fills them).
void copyFields(TCompuVTab_Intern& to, const TCompuVTab& from);

// The pairs of Ordex_ChangeACompuVTabsLargeVTab: one entry for each pair, texts copied
// whole (a null text is taken as empty).
void copyPairs(std::vector<TCompuVTabPair_Intern>& to, const TCompuVTabEntry* from);

void copyFields(TAxisPts_Intern& to, const TAxisPts& from);

// The short form carries FNC_VALUES, IDENTIFICATION, AXIS_PTS_X/Y, NO_AXIS_PTS_X/Y,
// FIX_NO_AXIS_PTS_X/Y, SHIFT_OP_X, OFFSET_X and the alignments; the other elements stay.
void copyFields(TRecordLayout_Intern& to, const TRecordLayout& from);
void copyFields(TRecordLayout_Intern& to, const TRecordLayout2& from);

}  // namespace ordex::api
