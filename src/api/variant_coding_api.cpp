#include "api/getter_support.h"
#include "model/copy_to_field.h"
#include "model/name_compare.h"
#include "model/object_records.h"
#include "query/member_enumerators.h"
#include "query/name_enumerators.h"

using ordex::api::guarded;
using ordex::api::moduleOf;
using ordex::api::namedObject;
using ordex::api::nonNull;
using ordex::api::required;

namespace {

// A VAR_CHARACTERISTIC of the module (-104 / -105 for the module, -205 for a null name).
const TVarCharacteristic_Intern& varCharacteristicOf(TOrdex* instance, const char* moduleName,
                                                     const char* name) {
  return namedObject(moduleOf(instance, moduleName).VarCharacteristics, name,
                     rcVarCharacteristicNotFound);
}

// The leading base-16 digits of an address text, with or without "0x"; what follows them is
// ignored, no digits give 0.
unsigned long hexValue(std::string_view text) {
  size_t i = 0;
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) i = 2;
  unsigned long value = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    int digit = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : -1;
    if (digit < 0) break;
    value = value * 16 + static_cast<unsigned long>(digit);
  }
  return value;
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetVarCriterion(TOrdex* instance, const char* moduleName,
                                                    TVarCriterion* record, int existenceOnly) {
  return guarded([&] {
    const TModule_Intern& m = moduleOf(instance, moduleName);
    TVarCriterion& r = required(record);
    const TVarCriterion_Intern* c = m.VarCriterions.find(ordex::fieldText(r.Name));
    if (!c) return rcVarCriterionNotFound;
    if (existenceOnly) return rcOk;
    ordex::copyToField(r.LongIdentifier, c->LongIdentifier);
    ordex::copyToField(r.VarMeasurement, c->VarMeasurement);
    ordex::copyToField(r.VarSelectionCharacteristic, c->VarSelectionCharacteristic);
    return rcOk;
  });
}

// The three name enumerators over the module's lists, each with a position of its own.
#define ORDEX_VAR_NAME_ENUMERATOR(Kind, Member)                                    \
  ORDEX_EXPORT TOrdexReturnCode Ordex_GetNext##Kind##Name(                         \
      TOrdex* instance, const char* moduleName, char* name, const char* pattern) { \
    static ordex::EnumPosition pos;                                                \
    return guarded([&] {                                                           \
      const TModule_Intern& m = moduleOf(instance, moduleName);                    \
      ordex::nextObjectName(pos, m.Member, nonNull(name), pattern);                \
      return rcOk;                                                                 \
    });                                                                            \
  }

ORDEX_VAR_NAME_ENUMERATOR(VarCharacteristic, VarCharacteristics)
ORDEX_VAR_NAME_ENUMERATOR(VarCriterion, VarCriterions)
ORDEX_VAR_NAME_ENUMERATOR(VarForbiddenComb, VarForbiddenCombs)

// The member lists: all three on the group V position, shared with the VIRTUAL names of a
// measurement.
ORDEX_EXPORT TOrdexReturnCode Ordex_GetNextVarCharacteristicCriterionName(
    TOrdex* instance, const char* moduleName, const char* varCharacteristicName, char* name,
    const char* pattern) {
  return guarded([&] {
    const TVarCharacteristic_Intern& v =
        varCharacteristicOf(instance, moduleName, varCharacteristicName);
    ordex::nextVarName(ordex::groupVPosition(), v.Criteria, nonNull(name), pattern);
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetNextVarCriterionValue(TOrdex* instance,
                                                             const char* moduleName,
                                                             const char* criterionName, char* value,
                                                             const char* pattern) {
  return guarded([&] {
    const TModule_Intern& m = moduleOf(instance, moduleName);
    const TVarCriterion_Intern& c =
        namedObject(m.VarCriterions, criterionName, rcVarCriterionNotFound);
    ordex::nextVarName(ordex::groupVPosition(), c.Values, nonNull(value), pattern);
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetNextVarCharacteristicAddress(
    TOrdex* instance, const char* moduleName, const char* varCharacteristicName, char* addressText,
    unsigned long* address) {
  return guarded([&] {
    const TVarCharacteristic_Intern& v =
        varCharacteristicOf(instance, moduleName, varCharacteristicName);
    nonNull(addressText);
    nonNull(address);
    const TVarName* a =
        ordex::nextVarName(ordex::groupVPosition(), v.Addresses, addressText, nullptr);
    *address = a ? hexValue(a->Text) : 0;
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAVarForbiddenCombsNextCriterion(TOrdex* instance,
                                                                       const char* moduleName,
                                                                       const char* combName,
                                                                       TVarCombCriterion* pair) {
  return guarded([&] {
    const TModule_Intern& m = moduleOf(instance, moduleName);
    const TVarForbiddenComb_Intern& comb =
        namedObject(m.VarForbiddenCombs, combName, rcVarForbiddenCombNotFound);
    TVarCombCriterion& r = required(pair);
    // No remembered position: the pair after the first whose criterion is the key.
    std::string_view key = ordex::fieldText(r.CriterionName);
    const TVarCombPair* p = comb.Pairs.First;
    if (!key.empty()) {
      while (p && !ordex::namesEqual(ordex::cutToField(p->Criterion, ordex::kTextField), key)) {
        p = p->Next;
      }
      if (p) p = p->Next;
    }
    ordex::copyToField(r.CriterionName, p ? std::string_view(p->Criterion) : std::string_view());
    ordex::copyToField(r.CriterionValue, p ? std::string_view(p->Value) : std::string_view());
    return rcOk;
  });
}
