#include "query/reference_walk.h"

namespace ordex {

namespace {

struct FieldInfo {
  const char* name;     // the field, for the axis fields the part after "Axes[i]."
  const char* keyword;  // the referrer's block
  int32_t targets;
};

// Indexed by ReferenceField.
const FieldInfo kFields[] = {
    {"Deposit", "CHARACTERISTIC", ekRecordLayout},
    {"Conversion", "CHARACTERISTIC", ekCompuMethod},
    {"InputQuantity", "CHARACTERISTIC", ekMeasurement},
    {"Conversion", "CHARACTERISTIC", ekCompuMethod},
    {"AxisPtsRef", "CHARACTERISTIC", ekAxisPts},
    {"InputQuantity", "AXIS_PTS", ekMeasurement},
    {"Deposit", "AXIS_PTS", ekRecordLayout},
    {"Conversion", "AXIS_PTS", ekCompuMethod},
    {"Conversion", "MEASUREMENT", ekCompuMethod},
    {"VIRTUAL", "MEASUREMENT", ekMeasurement},
    {"CompuTabRef", "COMPU_METHOD", ekCompuTab | ekCompuVTab},
    {"DEF_CHARACTERISTIC", "FUNCTION", ekCharacteristic},
    {"REF_CHARACTERISTIC", "FUNCTION", ekCharacteristic},
    {"IN_MEASUREMENT", "FUNCTION", ekMeasurement},
    {"OUT_MEASUREMENT", "FUNCTION", ekMeasurement},
    {"LOC_MEASUREMENT", "FUNCTION", ekMeasurement},
    {"SUB_FUNCTION", "FUNCTION", ekFunction},
    {"AXIS_PTS", "FUNCTION", ekAxisPts},
    {"Name", "VAR_CHARACTERISTIC", ekCharacteristic},
    {"VarMeasurement", "VAR_CRITERION", ekMeasurement},
    {"VarSelectionCharacteristic", "VAR_CRITERION", ekCharacteristic},
};

const FieldInfo& info(ReferenceField f) {
  return kFields[static_cast<size_t>(f)];
}

bool isAxisField(ReferenceField f) {
  return f == ReferenceField::AxisInputQuantity || f == ReferenceField::AxisConversion ||
         f == ReferenceField::AxisPtsRef;
}

// Conversion types of the keyword list: TAB_INTP 0, TAB_NOINTP 1, TAB_VERB 4.
constexpr int32_t kTabIntp = 0;
constexpr int32_t kTabNoIntp = 1;
constexpr int32_t kTabVerb = 4;

}  // namespace

std::string referenceFieldName(const Reference& r) {
  if (!isAxisField(r.field)) return info(r.field).name;
  std::string name = "Axes[";
  name += static_cast<char>('0' + r.axis);
  name += "].";
  name += info(r.field).name;
  return name;
}

const char* referrerKeyword(const Reference& r) {
  return info(r.field).keyword;
}

int32_t referenceTargets(const Reference& r) {
  if (r.field == ReferenceField::CompuTabRef) {
    const int32_t type = static_cast<const TCompuMethod_Intern*>(r.referrer)->ConversionType;
    if (type == kTabIntp || type == kTabNoIntp) return ekCompuTab;
    if (type == kTabVerb) return ekCompuVTab;
  }
  return info(r.field).targets;
}

bool isFunctionListField(ReferenceField f) {
  return f >= ReferenceField::DefCharacteristic && f <= ReferenceField::FunctionAxisPts;
}

int characteristicAxisCount(int32_t type) {
  // CURVE 1, MAP 2, CUBOID 3 in the characteristic-type keyword list.
  return type >= 1 && type <= 3 ? type : 0;
}

}  // namespace ordex
