// Getters of RECORD_LAYOUT, in the short and the full record form.
#include "api/guarded.h"
#include "model/copy_to_field.h"

using ordex::copyToField;
using ordex::fieldText;
using ordex::api::guarded;
using ordex::api::moduleOf;
using ordex::api::required;

namespace {

template <class Record>
TOrdexReturnCode getRecordLayout(TOrdex* instance, const char* moduleName, Record* record,
                                 int existenceOnly,
                                 void (*copy)(const TRecordLayout_Intern&, Record&)) {
  return guarded([&] {
    const TModule_Intern& module = moduleOf(instance, moduleName);
    Record& r = required(record);
    const TRecordLayout_Intern* layout = module.RecordLayouts.find(fieldText(r.Name));
    if (!layout) return rcRecordLayoutNotFound;
    if (existenceOnly) return rcOk;
    copyToField(r.LongIdentifier, layout->LongIdentifier);
    copy(*layout, r);
    r.AlignmentByte = layout->AlignmentByte;
    r.AlignmentWord = layout->AlignmentWord;
    r.AlignmentLong = layout->AlignmentLong;
    r.AlignmentFloat32Ieee = layout->AlignmentFloat32Ieee;
    r.AlignmentFloat64Ieee = layout->AlignmentFloat64Ieee;
    r.UserData = layout->UserData;
    return rcOk;
  });
}

// The short form carries a few elements flat.
void copyShort(const TRecordLayout_Intern& l, TRecordLayout& r) {
  using namespace ordex;
  const TRecordLayoutElement& fnc = l.element(rlFncValues);
  r.FncValuesPosition = fnc.Position;
  r.FncValuesDataType = fnc.DataType;
  r.FncValuesIndexMode = fnc.IndexMode;
  r.FncValuesAddressing = fnc.Addressing;
  r.IdentificationPosition = l.element(rlIdentification).Position;
  r.IdentificationDataType = l.element(rlIdentification).DataType;
  const TRecordLayoutElement& x = l.element(rlAxisPtsX);
  r.AxisPtsXDataType = x.DataType;
  r.AxisPtsXIndexMode = x.IndexMode;
  r.AxisPtsXAddressing = x.Addressing;
  r.AxisPtsXPosition = x.Position;
  const TRecordLayoutElement& y = l.element(rlAxisPtsY);
  r.AxisPtsYDataType = y.DataType;
  r.AxisPtsYIndexMode = y.IndexMode;
  r.AxisPtsYAddressing = y.Addressing;
  r.AxisPtsYPosition = y.Position;
  r.NoAxisPtsXPosition = l.element(rlNoAxisPtsX).Position;
  r.NoAxisPtsXDataType = l.element(rlNoAxisPtsX).DataType;
  r.NoAxisPtsYPosition = l.element(rlNoAxisPtsY).Position;
  r.NoAxisPtsYDataType = l.element(rlNoAxisPtsY).DataType;
  r.FixNoAxisPtsX = l.FixNoAxisPtsX;
  r.FixNoAxisPtsY = l.FixNoAxisPtsY;
  r.ShiftOpXPosition = l.element(rlShiftOpX).Position;
  r.ShiftOpXDataType = l.element(rlShiftOpX).DataType;
  r.OffsetXPosition = l.element(rlOffsetX).Position;
  r.OffsetXDataType = l.element(rlOffsetX).DataType;
}

void copyFull(const TRecordLayout_Intern& l, TRecordLayout2& r) {
  for (int i = 0; i < TRecordLayout_Intern::kReservedCount; ++i) r.Reserved[i] = l.Reserved[i];
  for (int i = 0; i < TRecordLayout_Intern::kElementCount; ++i) r.Elements[i] = l.Elements[i];
  r.FixNoAxisPtsX = l.FixNoAxisPtsX;
  r.FixNoAxisPtsY = l.FixNoAxisPtsY;
  r.FixNoAxisPtsZ = l.FixNoAxisPtsZ;
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetRecordLayout(TOrdex* instance, const char* moduleName,
                                                    TRecordLayout* record, int existenceOnly) {
  return getRecordLayout(instance, moduleName, record, existenceOnly, copyShort);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetRecordLayout2(TOrdex* instance, const char* moduleName,
                                                     TRecordLayout2* record, int existenceOnly) {
  return getRecordLayout(instance, moduleName, record, existenceOnly, copyFull);
}
