#include "query/member_enumerators.h"

#include "model/copy_to_field.h"
#include "model/name_compare.h"
#include "query/name_lists.h"

namespace ordex {

namespace {

EnumPosition gFunctionCharacteristics;
EnumPosition gFunctionMeasurements;
EnumPosition gSubFunctions;
EnumPosition gFunctionAxisPts;
EnumPosition gGroupV;
EnumPosition gIfData;
EnumPosition gAnnotation;
EnumPosition gAnnotation2;

// A key compares equal to a stored text when the field would have received exactly it: a
// text longer than its field is matched by its cut copy, so a walk goes on past it.
bool keyEquals(std::string_view stored, std::string_view key, size_t fieldSize = kTextField) {
  return namesEqual(cutToField(stored, fieldSize), key);
}

// One step over an entry list whose entries are keyed by one text. Returns the entry taken.
template <class Entry, class Key, class Accept>
const Entry* stepByKey(EnumPosition& pos, const EntryList<Entry>& list, std::string_view key,
                       Key keyOf, Accept accept) {
  return enumerationStep<Entry>(
      pos, &list, key.empty(), [&] { return list.First; },
      [](const Entry* e) -> const Entry* { return e->Next; },
      [&](const Entry* e) { return keyEquals(keyOf(e), key); },
      [&]() -> const Entry* {
        for (const Entry* e = list.First; e; e = e->Next) {
          if (keyEquals(keyOf(e), key)) return e;
        }
        return nullptr;
      },
      accept);
}

template <class Entry, class Key>
const Entry* stepNames(EnumPosition& pos, const EntryList<Entry>& list, char* field, Key keyOf,
                       const char* pattern = nullptr) {
  const Entry* e = stepByKey(pos, list, fieldText(field), keyOf,
                             [&](const Entry* n) { return matchWildcard(pattern, keyOf(n)); });
  copyToField(field, e ? keyOf(e) : std::string_view());
  return e;
}

}  // namespace

EnumPosition& functionCharacteristicsPosition() {
  return gFunctionCharacteristics;
}
EnumPosition& functionMeasurementsPosition() {
  return gFunctionMeasurements;
}
EnumPosition& subFunctionsPosition() {
  return gSubFunctions;
}
EnumPosition& functionAxisPtsPosition() {
  return gFunctionAxisPts;
}
EnumPosition& groupVPosition() {
  return gGroupV;
}
EnumPosition& ifDataPosition() {
  return gIfData;
}
EnumPosition& annotationPosition() {
  return gAnnotation;
}
EnumPosition& annotation2Position() {
  return gAnnotation2;
}

void nextFunctionRefName(EnumPosition& pos, const FunctionRefList& list, char* field) {
  stepNames(pos, list, field, [](const TFunctionRef* e) -> std::string_view { return e->Name; });
}

void nextNameEntry(EnumPosition& pos, const NameEntryList& list, char* field) {
  stepNames(pos, list, field,
            [](const TNameEntry_Intern* e) -> std::string_view { return e->Name; });
}

const TVarName* nextVarName(EnumPosition& pos, const VarNameList& list, char* field,
                            const char* pattern) {
  return stepNames(
      pos, list, field, [](const TVarName* e) -> std::string_view { return e->Text; }, pattern);
}

void nextSystemConstant(EnumPosition& pos, const EntryList<TSystemConstant_Intern>& list,
                        char* name, const char** value) {
  const TSystemConstant_Intern* e = stepNames(
      pos, list, name, [](const TSystemConstant_Intern* c) -> std::string_view { return c->Name; });
  *value = e ? e->Value.c_str() : nullptr;
}

void nextIfData(EnumPosition& pos, const IfDataList& list, char* name, const char** content) {
  const TIfData_Intern* e = stepNames(
      pos, list, name, [](const TIfData_Intern* d) -> std::string_view { return d->Name; });
  *content = e ? e->Content.c_str() : nullptr;
}

void nextAnnotation(EnumPosition& pos, const AnnotationList& list, const AnnotationFields& f) {
  std::string_view label = fieldText(f.label);
  std::string_view origin = fieldText(f.origin);
  std::string_view text = fieldText(f.text, f.textSize);
  auto sameKey = [&](const TAnnotation_Intern* a) {
    return keyEquals(a->Label, label) && keyEquals(a->Origin, origin) &&
           keyEquals(a->Text, text, f.textSize);
  };
  const TAnnotation_Intern* a = enumerationStep<TAnnotation_Intern>(
      pos, &list, label.empty() && origin.empty() && text.empty(), [&] { return list.First; },
      [](const TAnnotation_Intern* e) -> const TAnnotation_Intern* { return e->Next; }, sameKey,
      [&]() -> const TAnnotation_Intern* {
        for (const TAnnotation_Intern* e = list.First; e; e = e->Next) {
          if (sameKey(e)) return e;
        }
        return nullptr;
      },
      [](const TAnnotation_Intern*) { return true; });
  copyToField(f.label, a ? std::string_view(a->Label) : std::string_view());
  copyToField(f.origin, a ? std::string_view(a->Origin) : std::string_view());
  copyToField(f.text, a ? std::string_view(a->Text) : std::string_view(), f.textSize);
}

}  // namespace ordex
