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
    {"Deposit", "CHARACTERISTIC", etRecordLayout},
    {"Conversion", "CHARACTERISTIC", etCompuMethod},
    {"InputQuantity", "CHARACTERISTIC", etMeasurement},
    {"Conversion", "CHARACTERISTIC", etCompuMethod},
    {"AxisPtsRef", "CHARACTERISTIC", etAxisPts},
    {"InputQuantity", "AXIS_PTS", etMeasurement},
    {"Deposit", "AXIS_PTS", etRecordLayout},
    {"Conversion", "AXIS_PTS", etCompuMethod},
    {"Conversion", "MEASUREMENT", etCompuMethod},
    {"VIRTUAL", "MEASUREMENT", etMeasurement},
    {"CompuTabRef", "COMPU_METHOD", etCompuTab | etCompuVTab},
    {"DEF_CHARACTERISTIC", "FUNCTION", etCharacteristic},
    {"REF_CHARACTERISTIC", "FUNCTION", etCharacteristic},
    {"IN_MEASUREMENT", "FUNCTION", etMeasurement},
    {"OUT_MEASUREMENT", "FUNCTION", etMeasurement},
    {"LOC_MEASUREMENT", "FUNCTION", etMeasurement},
    {"SUB_FUNCTION", "FUNCTION", etFunction},
    {"AXIS_PTS", "FUNCTION", etAxisPts},
    {"Name", "VAR_CHARACTERISTIC", etCharacteristic},
    {"VarMeasurement", "VAR_CRITERION", etMeasurement},
    {"VarSelectionCharacteristic", "VAR_CRITERION", etCharacteristic},
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
    if (type == kTabIntp || type == kTabNoIntp) return etCompuTab;
    if (type == kTabVerb) return etCompuVTab;
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
