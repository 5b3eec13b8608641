#include "query/asap2_keywords.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <unordered_map>
#include <vector>

namespace ordex {

namespace {
// Sorted by name, for the binary search.
constexpr Asap2Keyword kKeywords[] = {
    {"A2ML", true, false, BodyForm::kOpaque},
    {"A2ML_VERSION", false, false, BodyForm::kStructured},
    {"ADDRESS_MAPPING", false, false, BodyForm::kStructured},
    {"ADDRESS_TYPE", false, false, BodyForm::kStructured},
    {"ADDR_EPK", false, false, BodyForm::kStructured},
    {"ALIGNMENT_BYTE", false, false, BodyForm::kStructured},
    {"ALIGNMENT_FLOAT16_IEEE", false, false, BodyForm::kStructured},
    {"ALIGNMENT_FLOAT32_IEEE", false, false, BodyForm::kStructured},
    {"ALIGNMENT_FLOAT64_IEEE", false, false, BodyForm::kStructured},
    {"ALIGNMENT_INT64", false, false, BodyForm::kStructured},
    {"ALIGNMENT_LONG", false, false, BodyForm::kStructured},
    {"ALIGNMENT_WORD", false, false, BodyForm::kStructured},
    {"ANNOTATION", true, false, BodyForm::kStructured},
    {"ANNOTATION_LABEL", false, false, BodyForm::kStructured},
    {"ANNOTATION_ORIGIN", false, false, BodyForm::kStructured},
    {"ANNOTATION_TEXT", true, false, BodyForm::kNames},
    {"ARRAY_SIZE", false, false, BodyForm::kStructured},
    {"AR_COMPONENT", true, false, BodyForm::kStructured},
    {"AR_PROTOTYPE_OF", false, false, BodyForm::kStructured},
    {"ASAP2_VERSION", false, false, BodyForm::kStructured},
    {"AXIS_DESCR", true, false, BodyForm::kStructured},
    {"AXIS_PTS", true, true, BodyForm::kStructured},
    {"AXIS_PTS_4", false, false, BodyForm::kStructured},
    {"AXIS_PTS_5", false, false, BodyForm::kStructured},
    {"AXIS_PTS_REF", false, false, BodyForm::kStructured},
    {"AXIS_PTS_X", false, false, BodyForm::kStructured},
    {"AXIS_PTS_Y", false, false, BodyForm::kStructured},
    {"AXIS_PTS_Z", false, false, BodyForm::kStructured},
    {"AXIS_RESCALE_4", false, false, BodyForm::kStructured},
    {"AXIS_RESCALE_5", false, false, BodyForm::kStructured},
    {"AXIS_RESCALE_X", false, false, BodyForm::kStructured},
    {"AXIS_RESCALE_Y", false, false, BodyForm::kStructured},
    {"AXIS_RESCALE_Z", false, false, BodyForm::kStructured},
    {"BIT_MASK", false, false, BodyForm::kStructured},
    {"BIT_OPERATION", true, false, BodyForm::kStructured},
    {"BLOB", true, true, BodyForm::kStructured},
    {"BYTE_ORDER", false, false, BodyForm::kStructured},
    {"CALIBRATION_ACCESS", false, false, BodyForm::kStructured},
    {"CALIBRATION_HANDLE", true, false, BodyForm::kStructured},
    {"CALIBRATION_HANDLE_TEXT", false, false, BodyForm::kStructured},
    {"CALIBRATION_METHOD", true, false, BodyForm::kStructured},
    {"CHARACTERISTIC", true, true, BodyForm::kStructured},
    {"COEFFS", false, false, BodyForm::kStructured},
    {"COEFFS_LINEAR", false, false, BodyForm::kStructured},
    {"COMPARISON_QUANTITY", false, false, BodyForm::kStructured},
    {"COMPU_METHOD", true, true, BodyForm::kStructured},
    {"COMPU_TAB", true, true, BodyForm::kStructured},
    {"COMPU_TAB_REF", false, false, BodyForm::kStructured},
    {"COMPU_VTAB", true, true, BodyForm::kStructured},
    {"COMPU_VTAB_RANGE", true, true, BodyForm::kStructured},
    {"CONSISTENT_EXCHANGE", false, false, BodyForm::kStructured},
    {"CONVERSION", false, false, BodyForm::kStructured},
    {"CPU_TYPE", false, false, BodyForm::kStructured},
    {"CURVE_AXIS_REF", false, false, BodyForm::kStructured},
    {"CUSTOMER", false, false, BodyForm::kStructured},
    {"CUSTOMER_NO", false, false, BodyForm::kStructured},
    {"DATA_SIZE", false, false, BodyForm::kStructured},
    {"DEFAULT_VALUE", false, false, BodyForm::kStructured},
    {"DEFAULT_VALUE_NUMERIC", false, false, BodyForm::kStructured},
    {"DEF_CHARACTERISTIC", true, false, BodyForm::kNames},
    {"DEPENDENT_CHARACTERISTIC", true, false, BodyForm::kNames},
    {"DEPOSIT", false, false, BodyForm::kStructured},
    {"DISCRETE", false, false, BodyForm::kStructured},
    {"DISPLAY_IDENTIFIER", false, false, BodyForm::kStructured},
    {"DIST_OP_4", false, false, BodyForm::kStructured},
    {"DIST_OP_5", false, false, BodyForm::kStructured},
    {"DIST_OP_X", false, false, BodyForm::kStructured},
    {"DIST_OP_Y", false, false, BodyForm::kStructured},
    {"DIST_OP_Z", false, false, BodyForm::kStructured},
    {"ECU", false, false, BodyForm::kStructured},
    {"ECU_ADDRESS", false, false, BodyForm::kStructured},
    {"ECU_ADDRESS_EXTENSION", false, false, BodyForm::kStructured},
    {"ECU_CALIBRATION_OFFSET", false, false, BodyForm::kStructured},
    {"ENCODING", false, false, BodyForm::kStructured},
    {"EPK", false, false, BodyForm::kStructured},
    {"ERROR_MASK", false, false, BodyForm::kStructured},
    {"EXTENDED_LIMITS", false, false, BodyForm::kStructured},
    {"FIX_AXIS_PAR", false, false, BodyForm::kStructured},
    {"FIX_AXIS_PAR_DIST", false, false, BodyForm::kStructured},
    {"FIX_AXIS_PAR_LIST", true, false, BodyForm::kNames},
    {"FIX_NO_AXIS_PTS_4", false, false, BodyForm::kStructured},
    {"FIX_NO_AXIS_PTS_5", false, false, BodyForm::kStructured},
    {"FIX_NO_AXIS_PTS_X", false, false, BodyForm::kStructured},
    {"FIX_NO_AXIS_PTS_Y", false, false, BodyForm::kStructured},
    {"FIX_NO_AXIS_PTS_Z", false, false, BodyForm::kStructured},
    {"FNC_VALUES", false, false, BodyForm::kStructured},
    {"FORMAT", false, false, BodyForm::kStructured},
    {"FORMULA", true, false, BodyForm::kStructured},
    {"FORMULA_INV", false, false, BodyForm::kStructured},
    {"FRAME", true, true, BodyForm::kStructured},
    {"FRAME_MEASUREMENT", false, false, BodyForm::kStructured},
    {"FUNCTION", true, true, BodyForm::kStructured},
    {"FUNCTION_LIST", true, false, BodyForm::kNames},
    {"FUNCTION_VERSION", false, false, BodyForm::kStructured},
    {"GROUP", true, true, BodyForm::kStructured},
    {"GUARD_RAILS", false, false, BodyForm::kStructured},
    {"HEADER", true, false, BodyForm::kStructured},
    {"IDENTIFICATION", false, false, BodyForm::kStructured},
    {"IF_DATA", true, true, BodyForm::kOpaque},
    {"INPUT_QUANTITY", false, false, BodyForm::kStructured},
    {"INSTANCE", true, true, BodyForm::kStructured},
    {"IN_MEASUREMENT", true, false, BodyForm::kNames},
    {"LAYOUT", false, false, BodyForm::kStructured},
    {"LEFT_SHIFT", false, false, BodyForm::kStructured},
    {"LIMITS", false, false, BodyForm::kStructured},
    {"LOC_MEASUREMENT", true, false, BodyForm::kNames},
    {"MAP_LIST", true, false, BodyForm::kNames},
    {"MATRIX_DIM", false, false, BodyForm::kStructured},
    {"MAX_GRAD", false, false, BodyForm::kStructured},
    {"MAX_REFRESH", false, false, BodyForm::kStructured},
    {"MEASUREMENT", true, true, BodyForm::kStructured},
    {"MEMORY_LAYOUT", true, false, BodyForm::kStructured},
    {"MEMORY_SEGMENT", true, true, BodyForm::kStructured},
    {"MODEL_LINK", false, false, BodyForm::kStructured},
    {"MODULE", true, true, BodyForm::kStructured},
    {"MOD_COMMON", true, false, BodyForm::kStructured},
    {"MOD_PAR", true, false, BodyForm::kStructured},
    {"MONOTONY", false, false, BodyForm::kStructured},
    {"NO_AXIS_PTS_4", false, false, BodyForm::kStructured},
    {"NO_AXIS_PTS_5", false, false, BodyForm::kStructured},
    {"NO_AXIS_PTS_X", false, false, BodyForm::kStructured},
    {"NO_AXIS_PTS_Y", false, false, BodyForm::kStructured},
    {"NO_AXIS_PTS_Z", false, false, BodyForm::kStructured},
    {"NO_OF_INTERFACES", false, false, BodyForm::kStructured},
    {"NO_RESCALE_4", false, false, BodyForm::kStructured},
    {"NO_RESCALE_5", false, false, BodyForm::kStructured},
    {"NO_RESCALE_X", false, false, BodyForm::kStructured},
    {"NO_RESCALE_Y", false, false, BodyForm::kStructured},
    {"NO_RESCALE_Z", false, false, BodyForm::kStructured},
    {"NUMBER", false, false, BodyForm::kStructured},
    {"OFFSET_4", false, false, BodyForm::kStructured},
    {"OFFSET_5", false, false, BodyForm::kStructured},
    {"OFFSET_X", false, false, BodyForm::kStructured},
    {"OFFSET_Y", false, false, BodyForm::kStructured},
    {"OFFSET_Z", false, false, BodyForm::kStructured},
    {"OUT_MEASUREMENT", true, false, BodyForm::kNames},
    {"OVERWRITE", true, true, BodyForm::kStructured},
    {"PHONE_NO", false, false, BodyForm::kStructured},
    {"PHYS_UNIT", false, false, BodyForm::kStructured},
    {"PROJECT", true, true, BodyForm::kStructured},
    {"PROJECT_NO", false, false, BodyForm::kStructured},
    {"READ_ONLY", false, false, BodyForm::kStructured},
    {"READ_WRITE", false, false, BodyForm::kStructured},
    {"RECORD_LAYOUT", true, true, BodyForm::kStructured},
    {"REF_CHARACTERISTIC", true, false, BodyForm::kNames},
    {"REF_GROUP", true, false, BodyForm::kNames},
    {"REF_MEASUREMENT", true, false, BodyForm::kNames},
    {"REF_MEMORY_SEGMENT", false, false, BodyForm::kStructured},
    {"REF_UNIT", false, false, BodyForm::kStructured},
    {"RESERVED", false, false, BodyForm::kStructured},
    {"RIGHT_SHIFT", false, false, BodyForm::kStructured},
    {"RIP_ADDR_4", false, false, BodyForm::kStructured},
    {"RIP_ADDR_5", false, false, BodyForm::kStructured},
    {"RIP_ADDR_W", false, false, BodyForm::kStructured},
    {"RIP_ADDR_X", false, false, BodyForm::kStructured},
    {"RIP_ADDR_Y", false, false, BodyForm::kStructured},
    {"RIP_ADDR_Z", false, false, BodyForm::kStructured},
    {"ROOT", false, false, BodyForm::kStructured},
    {"SHIFT_OP_4", false, false, BodyForm::kStructured},
    {"SHIFT_OP_5", false, false, BodyForm::kStructured},
    {"SHIFT_OP_X", false, false, BodyForm::kStructured},
    {"SHIFT_OP_Y", false, false, BodyForm::kStructured},
    {"SHIFT_OP_Z", false, false, BodyForm::kStructured},
    {"SIGN_EXTEND", false, false, BodyForm::kStructured},
    {"SI_EXPONENTS", false, false, BodyForm::kStructured},
    {"SRC_ADDR_4", false, false, BodyForm::kStructured},
    {"SRC_ADDR_5", false, false, BodyForm::kStructured},
    {"SRC_ADDR_X", false, false, BodyForm::kStructured},
    {"SRC_ADDR_Y", false, false, BodyForm::kStructured},
    {"SRC_ADDR_Z", false, false, BodyForm::kStructured},
    {"STATIC_ADDRESS_OFFSETS", false, false, BodyForm::kStructured},
    {"STATIC_RECORD_LAYOUT", false, false, BodyForm::kStructured},
    {"STATUS_STRING_REF", false, false, BodyForm::kStructured},
    {"STEP_SIZE", false, false, BodyForm::kStructured},
    {"STRUCTURE_COMPONENT", true, true, BodyForm::kStructured},
    {"SUB_FUNCTION", true, false, BodyForm::kNames},
    {"SUB_GROUP", true, false, BodyForm::kNames},
    {"SUPPLIER", false, false, BodyForm::kStructured},
    {"SYMBOL_LINK", false, false, BodyForm::kStructured},
    {"SYMBOL_TYPE_LINK", false, false, BodyForm::kStructured},
    {"SYSTEM_CONSTANT", false, false, BodyForm::kStructured},
    {"S_REC_LAYOUT", false, false, BodyForm::kStructured},
    {"TRANSFORMER", true, true, BodyForm::kStructured},
    {"TRANSFORMER_IN_OBJECTS", true, false, BodyForm::kNames},
    {"TRANSFORMER_OUT_OBJECTS", true, false, BodyForm::kNames},
    {"TYPEDEF_AXIS", true, true, BodyForm::kStructured},
    {"TYPEDEF_BLOB", true, true, BodyForm::kStructured},
    {"TYPEDEF_CHARACTERISTIC", true, true, BodyForm::kStructured},
    {"TYPEDEF_MEASUREMENT", true, true, BodyForm::kStructured},
    {"TYPEDEF_STRUCTURE", true, true, BodyForm::kStructured},
    {"UNIT", true, true, BodyForm::kStructured},
    {"UNIT_CONVERSION", false, false, BodyForm::kStructured},
    {"USER", false, false, BodyForm::kStructured},
    {"USER_RIGHTS", true, true, BodyForm::kStructured},
    {"VARIANT_CODING", true, false, BodyForm::kStructured},
    {"VAR_ADDRESS", true, false, BodyForm::kNames},
    {"VAR_CHARACTERISTIC", true, true, BodyForm::kStructured},
    {"VAR_CRITERION", true, true, BodyForm::kStructured},
    {"VAR_FORBIDDEN_COMB", true, false, BodyForm::kNames},
    {"VAR_MEASUREMENT", false, false, BodyForm::kStructured},
    {"VAR_NAMING", false, false, BodyForm::kStructured},
    {"VAR_SELECTION_CHARACTERISTIC", false, false, BodyForm::kStructured},
    {"VAR_SEPARATOR", false, false, BodyForm::kStructured},
    {"VERSION", false, false, BodyForm::kStructured},
    {"VIRTUAL", true, false, BodyForm::kNames},
    {"VIRTUAL_CHARACTERISTIC", true, false, BodyForm::kNames},
};
}  // namespace

const Asap2Keyword* findAsap2Keyword(std::string_view token) {
  if (token.empty() || token[0] < 'A' || token[0] > 'Z') return nullptr;
  const Asap2Keyword* end = std::end(kKeywords);
  const Asap2Keyword* it =
      std::lower_bound(std::begin(kKeywords), end, token,
                       [](const Asap2Keyword& k, std::string_view t) { return k.name < t; });
  return it != end && it->name == token ? it : nullptr;
}

}  // namespace ordex

namespace ordex {

namespace {

// The edit distance of a and b (insertions, deletions, substitutions), or limit + 1 once it
// exceeds limit.
size_t editDistance(std::string_view a, std::string_view b, size_t limit) {
  if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > limit) return limit + 1;
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    size_t best = row[0];
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
      best = std::min(best, row[j]);
    }
    if (best > limit) return limit + 1;
  }
  return row[b.size()];
}

}  // namespace

bool keywordShaped(std::string_view token) {
  if (token.size() < 6 || token[0] < 'A' || token[0] > 'Z') return false;
  for (char c : token)
    if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
  return true;
}

// The answers are remembered: the tokens asked about are mostly the same few argument words
// (ABSOLUTE, MSB_FIRST, ...) on every object, and each answer costs an edit distance to
// every keyword of the standard.
std::string_view nearestAsap2Keyword(std::string_view token) {
  thread_local std::unordered_map<std::string, std::string_view> known;
  if (auto it = known.find(std::string(token)); it != known.end()) return it->second;
  if (known.size() >= 4096) known.clear();
  constexpr size_t kLimit = 2;
  std::string_view nearest;
  size_t distance = kLimit + 1;
  for (const Asap2Keyword& k : kKeywords) {
    const size_t d = editDistance(token, k.name, distance - 1);
    if (d < distance) distance = d, nearest = k.name;
    if (distance == 0) break;
  }
  known.emplace(std::string(token), nearest);
  return nearest;
}

}  // namespace ordex
