#include "query/modelled_content.h"

#include <iterator>

namespace ordex {

bool ModelledBlock::takesKeyword(std::string_view word) const {
  for (int32_t i = 0; i < keywordCount; ++i) {
    if (keywords[i] == word) return true;
  }
  return false;
}

const ModelledBlock* ModelledBlock::child(std::string_view word) const {
  for (int32_t i = 0; i < blockCount; ++i) {
    if (blocks[i].keyword == word) return blocks[i].block;
  }
  return nullptr;
}

namespace {

using sv = std::string_view;

#define ORDEX_LIST(a) a, static_cast<int32_t>(std::size(a))
#define ORDEX_NONE nullptr, 0

// Taken whole: name lists, IF_DATA bodies, and objects seen from their module.
const ModelledBlock kWhole{"", 0, true, ORDEX_NONE, ORDEX_NONE};

const sv kAnnotationKeywords[] = {"ANNOTATION_LABEL", "ANNOTATION_ORIGIN"};
const ModelledChild kAnnotationBlocks[] = {{"ANNOTATION_TEXT", &kWhole}};
const ModelledBlock kAnnotation{"ANNOTATION", 0, false, ORDEX_LIST(kAnnotationKeywords),
                                ORDEX_LIST(kAnnotationBlocks)};

// The plain FUNCTION_LIST form and the short IF_DATA form are keywords of these objects.
const sv kAxisDescrKeywords[] = {"AXIS_PTS_REF", "READ_ONLY",         "FORMAT", "EXTENDED_LIMITS",
                                 "FIX_AXIS_PAR", "FIX_AXIS_PAR_DIST", "DEPOSIT"};
const ModelledChild kAxisDescrBlocks[] = {{"ANNOTATION", &kAnnotation}};
const ModelledBlock kAxisDescr{"AXIS_DESCR", 6, false, ORDEX_LIST(kAxisDescrKeywords),
                               ORDEX_LIST(kAxisDescrBlocks)};

const sv kCharacteristicKeywords[] = {"BIT_MASK", "BYTE_ORDER",   "DEPOSIT", "EXTENDED_LIMITS",
                                      "FORMAT",   "MAX_REFRESH",  "NUMBER",  "READ_ONLY",
                                      "IF_DATA",  "FUNCTION_LIST"};
const ModelledChild kCharacteristicBlocks[] = {{"ANNOTATION", &kAnnotation},
                                               {"AXIS_DESCR", &kAxisDescr},
                                               {"IF_DATA", &kWhole},
                                               {"FUNCTION_LIST", &kWhole}};
const ModelledBlock kCharacteristic{"CHARACTERISTIC", 9, false, ORDEX_LIST(kCharacteristicKeywords),
                                    ORDEX_LIST(kCharacteristicBlocks)};

const sv kMeasurementKeywords[] = {"ARRAY_SIZE", "BIT_MASK",    "BYTE_ORDER", "ECU_ADDRESS",
                                   "FORMAT",     "MAX_REFRESH", "IF_DATA",    "FUNCTION_LIST"};
const ModelledChild kMeasurementBlocks[] = {{"ANNOTATION", &kAnnotation},
                                            {"IF_DATA", &kWhole},
                                            {"FUNCTION_LIST", &kWhole},
                                            {"VIRTUAL", &kWhole}};
const ModelledBlock kMeasurement{"MEASUREMENT", 8, false, ORDEX_LIST(kMeasurementKeywords),
                                 ORDEX_LIST(kMeasurementBlocks)};

const sv kAxisPtsKeywords[] = {"BYTE_ORDER", "DEPOSIT", "FORMAT",
                               "READ_ONLY",  "IF_DATA", "FUNCTION_LIST"};
const ModelledChild kAxisPtsBlocks[] = {
    {"ANNOTATION", &kAnnotation}, {"IF_DATA", &kWhole}, {"FUNCTION_LIST", &kWhole}};
const ModelledBlock kAxisPts{"AXIS_PTS", 10, false, ORDEX_LIST(kAxisPtsKeywords),
                             ORDEX_LIST(kAxisPtsBlocks)};

// An IF_DATA inside a FUNCTION is not held by the model: it is kept.
const ModelledChild kFunctionBlocks[] = {
    {"ANNOTATION", &kAnnotation},    {"DEF_CHARACTERISTIC", &kWhole},
    {"REF_CHARACTERISTIC", &kWhole}, {"IN_MEASUREMENT", &kWhole},
    {"OUT_MEASUREMENT", &kWhole},    {"LOC_MEASUREMENT", &kWhole},
    {"SUB_FUNCTION", &kWhole},       {"AXIS_PTS", &kWhole}};
const ModelledBlock kFunction{"FUNCTION", 2, false, ORDEX_NONE, ORDEX_LIST(kFunctionBlocks)};

const sv kFormulaKeywords[] = {"FORMULA_INV"};
const ModelledBlock kFormula{"FORMULA", 1, false, ORDEX_LIST(kFormulaKeywords), ORDEX_NONE};
const sv kCompuMethodKeywords[] = {"COEFFS", "COMPU_TAB_REF"};
const ModelledChild kCompuMethodBlocks[] = {{"FORMULA", &kFormula}};
const ModelledBlock kCompuMethod{"COMPU_METHOD", 5, false, ORDEX_LIST(kCompuMethodKeywords),
                                 ORDEX_LIST(kCompuMethodBlocks)};

const sv kTableKeywords[] = {"DEFAULT_VALUE"};
const ModelledBlock kCompuTab{"COMPU_TAB", 4, false, ORDEX_LIST(kTableKeywords), ORDEX_NONE};
const ModelledBlock kCompuVTab{"COMPU_VTAB", 4, false, ORDEX_LIST(kTableKeywords), ORDEX_NONE};

const sv kRecordLayoutKeywords[] = {"RESERVED",
                                    "FNC_VALUES",
                                    "IDENTIFICATION",
                                    "AXIS_PTS_X",
                                    "AXIS_PTS_Y",
                                    "AXIS_PTS_Z",
                                    "AXIS_RESCALE_X",
                                    "AXIS_RESCALE_Y",
                                    "AXIS_RESCALE_Z",
                                    "NO_AXIS_PTS_X",
                                    "NO_AXIS_PTS_Y",
                                    "NO_AXIS_PTS_Z",
                                    "NO_RESCALE_X",
                                    "NO_RESCALE_Y",
                                    "NO_RESCALE_Z",
                                    "SRC_ADDR_X",
                                    "SRC_ADDR_Y",
                                    "SRC_ADDR_Z",
                                    "RIP_ADDR_X",
                                    "RIP_ADDR_Y",
                                    "RIP_ADDR_Z",
                                    "RIP_ADDR_W",
                                    "SHIFT_OP_X",
                                    "SHIFT_OP_Y",
                                    "SHIFT_OP_Z",
                                    "OFFSET_X",
                                    "OFFSET_Y",
                                    "OFFSET_Z",
                                    "DIST_OP_X",
                                    "DIST_OP_Y",
                                    "DIST_OP_Z",
                                    "ALIGNMENT_BYTE",
                                    "ALIGNMENT_WORD",
                                    "ALIGNMENT_LONG",
                                    "ALIGNMENT_FLOAT32_IEEE",
                                    "ALIGNMENT_FLOAT64_IEEE",
                                    "FIX_NO_AXIS_PTS_X",
                                    "FIX_NO_AXIS_PTS_Y",
                                    "FIX_NO_AXIS_PTS_Z"};
const ModelledBlock kRecordLayout{"RECORD_LAYOUT", 1, false, ORDEX_LIST(kRecordLayoutKeywords),
                                  ORDEX_NONE};

const ModelledChild kSegmentBlocks[] = {{"IF_DATA", &kWhole}};
const ModelledBlock kMemorySegment{"MEMORY_SEGMENT", 12, false, ORDEX_NONE,
                                   ORDEX_LIST(kSegmentBlocks)};
const ModelledBlock kMemoryLayout{"MEMORY_LAYOUT", 8, false, ORDEX_NONE,
                                  ORDEX_LIST(kSegmentBlocks)};
const sv kHandleKeywords[] = {"CALIBRATION_HANDLE_TEXT"};
const ModelledBlock kCalibrationHandle{"CALIBRATION_HANDLE", 0, false, ORDEX_LIST(kHandleKeywords),
                                       ORDEX_NONE};
const ModelledChild kCalibrationMethodBlocks[] = {{"CALIBRATION_HANDLE", &kCalibrationHandle}};
const ModelledBlock kCalibrationMethod{"CALIBRATION_METHOD", 2, false, ORDEX_NONE,
                                       ORDEX_LIST(kCalibrationMethodBlocks)};
const sv kModParKeywords[] = {
    "VERSION",        "ADDR_EPK", "EPK", "SUPPLIER", "CUSTOMER",         "CUSTOMER_NO",
    "USER",           "PHONE_NO", "ECU", "CPU_TYPE", "NO_OF_INTERFACES", "ECU_CALIBRATION_OFFSET",
    "SYSTEM_CONSTANT"};
const ModelledChild kModParBlocks[] = {{"MEMORY_SEGMENT", &kMemorySegment},
                                       {"MEMORY_LAYOUT", &kMemoryLayout},
                                       {"CALIBRATION_METHOD", &kCalibrationMethod}};
const ModelledBlock kModPar{"MOD_PAR", 1, false, ORDEX_LIST(kModParKeywords),
                            ORDEX_LIST(kModParBlocks)};

const sv kModCommonKeywords[] = {"S_REC_LAYOUT",
                                 "DEPOSIT",
                                 "BYTE_ORDER",
                                 "ALIGNMENT_BYTE",
                                 "ALIGNMENT_WORD",
                                 "ALIGNMENT_LONG",
                                 "ALIGNMENT_FLOAT32_IEEE",
                                 "ALIGNMENT_FLOAT64_IEEE",
                                 "BIT_MASK",
                                 "RAM_OFFSET",
                                 "ROM_OFFSET"};
const ModelledBlock kModCommon{"MOD_COMMON", 1, false, ORDEX_LIST(kModCommonKeywords), ORDEX_NONE};

const sv kCriterionKeywords[] = {"VAR_MEASUREMENT", "VAR_SELECTION_CHARACTERISTIC"};
const ModelledBlock kVarCriterion{"VAR_CRITERION", 2, false, ORDEX_LIST(kCriterionKeywords),
                                  ORDEX_NONE};
const ModelledChild kVarCharacteristicBlocks[] = {{"VAR_ADDRESS", &kWhole}};
const ModelledBlock kVarCharacteristic{"VAR_CHARACTERISTIC", 1, false, ORDEX_NONE,
                                       ORDEX_LIST(kVarCharacteristicBlocks)};
const sv kVariantCodingKeywords[] = {"VAR_SEPARATOR", "VAR_NAMING"};
const ModelledChild kVariantCodingBlocks[] = {{"VAR_CHARACTERISTIC", &kVarCharacteristic},
                                              {"VAR_CRITERION", &kVarCriterion},
                                              {"VAR_FORBIDDEN_COMB", &kWhole}};
const ModelledBlock kVariantCoding{"VARIANT_CODING", 0, false, ORDEX_LIST(kVariantCodingKeywords),
                                   ORDEX_LIST(kVariantCodingBlocks)};

const ModelledChild kModuleBlocks[] = {
    {"MOD_PAR", &kModPar},   {"MOD_COMMON", &kModCommon}, {"VARIANT_CODING", &kVariantCoding},
    {"IF_DATA", &kWhole},    {"CHARACTERISTIC", &kWhole}, {"MEASUREMENT", &kWhole},
    {"FUNCTION", &kWhole},   {"COMPU_METHOD", &kWhole},   {"COMPU_TAB", &kWhole},
    {"COMPU_VTAB", &kWhole}, {"RECORD_LAYOUT", &kWhole},  {"AXIS_PTS", &kWhole}};
const ModelledBlock kModule{"MODULE", 2, false, ORDEX_NONE, ORDEX_LIST(kModuleBlocks)};

const sv kHeaderKeywords[] = {"VERSION", "PROJECT_NO"};
const ModelledBlock kHeader{"HEADER", 1, false, ORDEX_LIST(kHeaderKeywords), ORDEX_NONE};
const ModelledChild kProjectBlocks[] = {{"HEADER", &kHeader}, {"MODULE", &kWhole}};
const ModelledBlock kProject{"PROJECT", 2, false, ORDEX_NONE, ORDEX_LIST(kProjectBlocks)};
const sv kFileKeywords[] = {"ASAP2_VERSION"};
const ModelledChild kFileBlocks[] = {{"PROJECT", &kProject}};
const ModelledBlock kFileLevel{"", 0, false, ORDEX_LIST(kFileKeywords), ORDEX_LIST(kFileBlocks)};

const ModelledBlock* const kObjects[] = {&kCharacteristic, &kMeasurement, &kFunction,
                                         &kCompuMethod,    &kCompuTab,    &kCompuVTab,
                                         &kRecordLayout,   &kAxisPts};

#undef ORDEX_LIST
#undef ORDEX_NONE

}  // namespace

const ModelledBlock& modelledFileLevel() {
  return kFileLevel;
}
const ModelledBlock& modelledModule() {
  return kModule;
}

const ModelledBlock* modelledObject(std::string_view keyword) {
  for (const ModelledBlock* b : kObjects) {
    if (b->keyword == keyword) return b;
  }
  return nullptr;
}

}  // namespace ordex
