// Getters of RECORD_LAYOUT, in the short and the full record form.
#include "api/getter_support.h"

using ordex::api::copyAlignments;

namespace {

template <class Record>
TOrdexReturnCode getRecordLayout(TOrdex* instance, const char* moduleName, Record* record,
                                 int existenceOnly,
                                 void (*copy)(const TRecordLayout_Intern&, Record&)) {
  return ordex::api::getObject(instance, moduleName, record, existenceOnly,
                               &TModule_Intern::RecordLayouts, rcRecordLayoutNotFound,
                               [copy](const TRecordLayout_Intern& layout, Record& r) {
                                 ordex::copyToField(r.LongIdentifier, layout.LongIdentifier);
                                 copy(layout, r);
                                 copyAlignments(r, layout);
                                 r.UserData = layout.UserData;
                               });
}

// An element the short form carries flat: position and data type, for some also the index
// mode and the addressing.
void copyElement(const TRecordLayoutElement& e, int16_t& position, int32_t& dataType) {
  position = e.Position;
  dataType = e.DataType;
}

void copyElement(const TRecordLayoutElement& e, int16_t& position, int32_t& dataType,
                 int32_t& indexMode, int32_t& addressing) {
  copyElement(e, position, dataType);
  indexMode = e.IndexMode;
  addressing = e.Addressing;
}

// The short form carries a few elements flat.
void copyShort(const TRecordLayout_Intern& l, TRecordLayout& r) {
  using namespace ordex;
  copyElement(l.element(rlFncValues), r.FncValuesPosition, r.FncValuesDataType,
              r.FncValuesIndexMode, r.FncValuesAddressing);
  copyElement(l.element(rlIdentification), r.IdentificationPosition, r.IdentificationDataType);
  copyElement(l.element(rlAxisPtsX), r.AxisPtsXPosition, r.AxisPtsXDataType, r.AxisPtsXIndexMode,
              r.AxisPtsXAddressing);
  copyElement(l.element(rlAxisPtsY), r.AxisPtsYPosition, r.AxisPtsYDataType, r.AxisPtsYIndexMode,
              r.AxisPtsYAddressing);
  copyElement(l.element(rlNoAxisPtsX), r.NoAxisPtsXPosition, r.NoAxisPtsXDataType);
  copyElement(l.element(rlNoAxisPtsY), r.NoAxisPtsYPosition, r.NoAxisPtsYDataType);
  r.FixNoAxisPtsX = l.FixNoAxisPtsX;
  r.FixNoAxisPtsY = l.FixNoAxisPtsY;
  copyElement(l.element(rlShiftOpX), r.ShiftOpXPosition, r.ShiftOpXDataType);
  copyElement(l.element(rlOffsetX), r.OffsetXPosition, r.OffsetXDataType);
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
