#include "a2l_generator.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace ordex_bench {

namespace {

// Object kinds; each seeds its own random streams, one for the content of an object and
// one for its name, so that a name can be derived from its index alone.
enum Kind : uint32_t {
  kVTab = 1,
  kTab,
  kMethod,
  kLayout,
  kMeasurement,
  kAxisPts,
  kCharacteristic,
  kFunction,
  kGroup,
  kSegment,
  kConstant,
  kFile,
};
constexpr uint32_t kNameStream = 64;
constexpr uint32_t kNestedIfDataStream = 128;

uint64_t mix64(uint64_t z) {
  z += 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// A small, fully specified generator (splitmix64): the standard library's distributions
// are not guaranteed to give the same numbers everywhere.
class Rng {
 public:
  Rng(uint64_t seed, uint32_t stream, uint32_t index)
      : state_(mix64(mix64(mix64(seed) ^ stream) ^ index)) {}
  uint64_t next() {
    state_ += 0x9E3779B97F4A7C15ull;
    return mix64(state_);
  }
  // Uniform in [0, n); 0 for n == 0.
  uint32_t below(uint32_t n) {
    return static_cast<uint32_t>(((next() >> 32) * static_cast<uint64_t>(n)) >> 32);
  }
  bool percent(uint32_t p) { return below(100) < p; }
  template <size_t N>
  const char* pick(const char* const (&items)[N]) {
    return items[below(N)];
  }

 private:
  uint64_t state_;
};

const char* const kParts[] = {"Eng", "Inj", "Ign", "Thr", "Air", "Fuel", "Exh", "Cat",
                              "Lam", "Knk", "Idl", "Trq", "Spd", "Clt",  "Oil", "Bst",
                              "Egr", "Vvt", "Cam", "Crk", "Bat", "Alt",  "Fan", "Pmp",
                              "Brk", "Gbx", "Clu", "Acc", "Whl", "Cab"};
const char* const kQuantities[] = {"tiBase", "nTarget", "pRail",    "tCool",  "rLambda", "mAir",
                                   "phiIgn", "facCorr", "dtSample", "uBatt",  "iCoil",   "qFuel",
                                   "vVeh",   "pAmb",    "tOil",     "numCyl", "stState", "rAccPed",
                                   "tqReq",  "nEng",    "pBoost",   "dmEgr",  "phiCam",  "tExh"};
const char* const kFunctionWords[] = {"Ctl", "Mon",   "Diag", "Adapt",
                                      "Est", "Coord", "Prot", "Calc"};
const char* const kDescriptors[] = {"Base",    "Target",  "Corrected", "Filtered",
                                    "Maximum", "Minimum", "Nominal",   "Raw",
                                    "Adapted", "Limited", "Desired",   "Actual"};
const char* const kNouns[] = {
    "injection time", "engine speed",     "rail pressure",      "coolant temperature",
    "lambda value",   "air mass",         "ignition angle",     "correction factor",
    "sample time",    "battery voltage",  "coil current",       "fuel quantity",
    "vehicle speed",  "ambient pressure", "oil temperature",    "cylinder count",
    "state",          "pedal position",   "torque request",     "boost pressure",
    "EGR mass flow",  "cam phase",        "exhaust temperature"};
const char* const kContexts[] = {
    "",          " at idle",  " in warm-up",     " during start", " per segment",
    " (bank 1)", " (bank 2)", " for cylinder 3", " in overrun",   " at full load"};
const char* const kFormats[] = {"%8.3", "%6.1", "%5.2", "%4.0", "%10.4", "%7.2"};
const char* const kUnits[] = {"rpm",  "degC", "%",  "ms",   "bar",       "V",      "A",
                              "kg/h", "-",    "Nm", "km/h", "mg/stroke", "deg CA", "hPa"};
const char* const kVerbalTexts[] = {"Off",       "On",        "Init",       "Cranking",
                                    "Running",   "Stall",     "Fault",      "Limp home",
                                    "Standby",   "Warm up",   "Cool down",  "Learning",
                                    "Not valid", "Open loop", "Closed loop"};
const char* const kComments[] = {"calibrated on the test bench",
                                 "value taken over from the previous project",
                                 "TODO: check against the latest data set",
                                 "do not change without approval",
                                 "see the calibration guide, chapter 4",
                                 "tuned for cold climate"};

constexpr uint32_t kVerbalTextCount = sizeof kVerbalTexts / sizeof kVerbalTexts[0];

// The data types with the raw limits of each.
struct DataType {
  const char* keyword;
  const char* lower;
  const char* upper;
  bool integer;
};
const DataType kDataTypes[] = {
    {"UBYTE", "0", "255", true},
    {"SBYTE", "-128", "127", true},
    {"UWORD", "0", "65535", true},
    {"SWORD", "-32768", "32767", true},
    {"ULONG", "0", "4294967295", true},
    {"SLONG", "-2147483648", "2147483647", true},
    {"FLOAT32_IEEE", "-1000000.0", "1000000.0", false},
    {"FLOAT64_IEEE", "-1000000.0", "1000000.0", false},
};
constexpr uint32_t kDataTypeCount = sizeof kDataTypes / sizeof kDataTypes[0];
// Weights in percent of the data types above, for measurements.
const uint32_t kDataTypeWeights[] = {25, 8, 30, 12, 8, 5, 10, 2};

// Physical limit pairs for characteristics and axes.
const char* const kLimitPairs[][2] = {
    {"0", "8000"}, {"-40", "215"}, {"0", "100"},      {"0.5", "2.5"}, {"-10", "10"},
    {"0", "1"},    {"0", "65535"}, {"-50.0", "50.0"}, {"0.0", "5.0"}, {"-3276.8", "3276.7"}};
constexpr uint32_t kLimitPairCount = sizeof kLimitPairs / sizeof kLimitPairs[0];

// The record layout shapes; layout i has shape i % 4, so the layouts of one shape are
// shape, shape + 4, shape + 8, ...
enum Shape : uint32_t { kShapeValue = 0, kShapeCurve, kShapeMap, kShapeAxis, kShapeCount };
const char* const kShapeNames[] = {"VALUE", "CURVE", "MAP", "AXIS"};
const char* const kLayoutTypes[] = {"UBYTE", "SBYTE", "UWORD",       "SWORD",
                                    "ULONG", "SLONG", "FLOAT32_IEEE"};
constexpr uint32_t kLayoutTypeCount = sizeof kLayoutTypes / sizeof kLayoutTypes[0];

// Buffered output to the sink.
class Out {
 public:
  explicit Out(const A2lSink& sink) : sink_(sink) { buf_.reserve(kFlushAt + 4096); }
  ~Out() { flush(); }
  Out(const Out&) = delete;
  Out& operator=(const Out&) = delete;

  Out& operator<<(std::string_view s) {
    buf_.append(s.data(), s.size());
    if (buf_.size() >= kFlushAt) flush();
    return *this;
  }
  Out& operator<<(char c) {
    buf_.push_back(c);
    return *this;
  }
  Out& dec(int64_t v) {
    char tmp[24];
    int n = std::snprintf(tmp, sizeof tmp, "%lld", static_cast<long long>(v));
    return *this << std::string_view(tmp, static_cast<size_t>(n));
  }
  Out& hex(uint32_t v, int width = 0) {
    char tmp[24];
    int n = std::snprintf(tmp, sizeof tmp, "0x%0*X", width, v);
    return *this << std::string_view(tmp, static_cast<size_t>(n));
  }
  void flush() {
    if (buf_.empty()) return;
    sink_(buf_.data(), buf_.size());
    total_ += buf_.size();
    buf_.clear();
  }
  uint64_t total() const { return total_ + buf_.size(); }

 private:
  static constexpr size_t kFlushAt = 1 << 20;
  const A2lSink& sink_;
  std::string buf_;
  uint64_t total_ = 0;
};

class Generator {
 public:
  Generator(const GeneratorOptions& o, Out& out) : o_(o), out_(out) {}
  void run();

 private:
  // Names, derived from the kind and the index alone.
  void name(Kind kind, uint32_t i);
  void layoutName(uint32_t i);
  // A random object of a kind, or the placeholder the format provides when there is none.
  void anyConversion(Rng& r);
  void nestedIfData(Kind kind, uint32_t i, uint32_t address);
  void anyMeasurementOrNone(Rng& r);
  uint32_t layoutOfShape(Rng& r, Shape shape) const;

  void longIdentifier(Rng& r);
  void comment(Rng& r, const char* indent);
  void annotation(Rng& r, const char* indent);
  void functionList(Rng& r, const char* indent);

  void fileHead();
  void modCommon();
  void moduleIfData();
  void modPar();
  void compuVTab(uint32_t i);
  void compuTab(uint32_t i);
  void compuMethod(uint32_t i);
  void recordLayout(uint32_t i);
  void measurement(uint32_t i);
  void axisPts(uint32_t i);
  void characteristic(uint32_t i);
  void axisDescr(Rng& r, uint32_t dim);
  void function(uint32_t i);
  void group(uint32_t i);
  void nameList(const char* keyword, Kind kind, uint32_t count, uint32_t first, const char* indent);

  const GeneratorOptions& o_;
  Out& out_;
};

void Generator::name(Kind kind, uint32_t i) {
  Rng r(o_.seed, kind + kNameStream, i);
  const char* part = r.pick(kParts);
  switch (kind) {
    case kCharacteristic:
      out_ << part << '_' << r.pick(kQuantities) << "_C";
      break;
    case kMeasurement:
      out_ << part << '_' << r.pick(kQuantities) << "_M";
      break;
    case kAxisPts:
      out_ << part << '_' << r.pick(kQuantities) << "_AX";
      break;
    case kFunction:
      out_ << part << r.pick(kFunctionWords) << "_F";
      break;
    case kMethod:
      out_ << "CM_" << r.pick(kQuantities) << '_';
      break;
    case kTab:
      out_ << "CT_" << part << '_';
      break;
    case kVTab:
      out_ << "VT_" << part << '_';
      break;
    case kGroup:
      out_ << "G_" << part << '_';
      break;
    case kSegment:
      out_ << "Seg_" << part << '_';
      break;
    case kConstant:
      out_ << "SC_" << part << '_';
      break;
    default:
      break;
  }
  out_.dec(i);
}

void Generator::layoutName(uint32_t i) {
  out_ << "RL_" << kShapeNames[i % kShapeCount] << '_'
       << kLayoutTypes[(i / kShapeCount) % kLayoutTypeCount] << '_';
  out_.dec(i);
}

void Generator::anyConversion(Rng& r) {
  if (o_.compuMethods == 0) {
    out_ << "NO_COMPU_METHOD";
  } else {
    name(kMethod, r.below(o_.compuMethods));
  }
}

void Generator::anyMeasurementOrNone(Rng& r) {
  if (o_.measurements == 0) {
    out_ << "NO_INPUT_QUANTITY";
  } else {
    name(kMeasurement, r.below(o_.measurements));
  }
}

// A layout of the wanted shape; with fewer than four layouts, any layout.
uint32_t Generator::layoutOfShape(Rng& r, Shape shape) const {
  uint32_t n =
      o_.recordLayouts > shape ? (o_.recordLayouts - shape + kShapeCount - 1) / kShapeCount : 0;
  if (n == 0) return r.below(o_.recordLayouts);
  return shape + kShapeCount * r.below(n);
}

void Generator::longIdentifier(Rng& r) {
  out_ << '"' << r.pick(kDescriptors) << ' ' << r.pick(kNouns);
  // Now and then an escaped quote, as hand-written files have them.
  if (r.below(50) == 0) {
    out_ << " \\\"limited\\\"";
  } else {
    out_ << r.pick(kContexts);
  }
  out_ << '"';
}

void Generator::comment(Rng& r, const char* indent) {
  if (!r.percent(o_.commentPercent)) return;
  if (r.below(2) == 0) {
    out_ << indent << "// " << r.pick(kComments) << '\n';
  } else {
    out_ << indent << "/* " << r.pick(kComments) << ",\n"
         << indent << "   " << r.pick(kComments) << " */\n";
  }
}

void Generator::annotation(Rng& r, const char* indent) {
  std::string_view in(indent);
  out_ << in << "/begin ANNOTATION\n";
  out_ << in << "  ANNOTATION_LABEL \"" << r.pick(kDescriptors) << " note\"\n";
  if (r.below(2) == 0) out_ << in << "  ANNOTATION_ORIGIN \"Calibration team\"\n";
  out_ << in << "  /begin ANNOTATION_TEXT\n";
  uint32_t lines = 1 + r.below(3);
  for (uint32_t k = 0; k < lines; ++k) {
    out_ << in << "    \"" << r.pick(kDescriptors) << ' ' << r.pick(kNouns) << ' '
         << r.pick(kComments) << ".\"\n";
  }
  out_ << in << "  /end ANNOTATION_TEXT\n";
  out_ << in << "/end ANNOTATION\n";
}

void Generator::functionList(Rng& r, const char* indent) {
  out_ << indent << "/begin FUNCTION_LIST";
  uint32_t n = o_.functions > 1 && r.below(3) == 0 ? 2 : 1;
  uint32_t first = r.below(o_.functions);
  for (uint32_t k = 0; k < n; ++k) {
    out_ << ' ';
    name(kFunction, (first + k) % o_.functions);
  }
  out_ << '\n' << indent << "/end FUNCTION_LIST\n";
}

void Generator::fileHead() {
  out_ << "/* Synthetic A2L file for benchmarks, written by ordex_gen (generator version ";
  out_.dec(kGeneratorVersion) << ", seed ";
  out_.dec(static_cast<int64_t>(o_.seed)) << ").\n";
  out_ << "   Object counts: ";
  out_.dec(o_.characteristics) << " CHARACTERISTIC, ";
  out_.dec(o_.measurements) << " MEASUREMENT, ";
  out_.dec(o_.axisPts) << " AXIS_PTS, ";
  out_.dec(o_.compuMethods) << " COMPU_METHOD, ";
  out_.dec(o_.compuTabs) << " COMPU_TAB, ";
  out_.dec(o_.compuVTabs) << " COMPU_VTAB,\n   ";
  out_.dec(o_.recordLayouts) << " RECORD_LAYOUT, ";
  out_.dec(o_.functions) << " FUNCTION, ";
  out_.dec(o_.groups) << " GROUP. */\n";
  out_ << "ASAP2_VERSION 1 31\n\n";
  out_ << "/begin PROJECT SyntheticProject \"Synthetic project for benchmarks\"\n\n";
  out_ << "  /begin HEADER \"Generated description of a fictitious engine ECU\"\n";
  out_ << "    VERSION \"1.0.0\"\n";
  out_ << "    PROJECT_NO SYN0001\n";
  out_ << "  /end HEADER\n\n";
  out_ << "  /begin MODULE SyntheticEcu \"Synthetic engine control unit\"\n\n";
}

void Generator::modCommon() {
  out_ << "    /begin MOD_COMMON \"Module defaults\"\n"
          "      DEPOSIT ABSOLUTE\n"
          "      BYTE_ORDER MSB_LAST\n"
          "      ALIGNMENT_BYTE 1\n"
          "      ALIGNMENT_WORD 2\n"
          "      ALIGNMENT_LONG 4\n"
          "      ALIGNMENT_FLOAT32_IEEE 4\n"
          "      ALIGNMENT_FLOAT64_IEEE 4\n"
          "    /end MOD_COMMON\n\n";
}

void Generator::moduleIfData() {
  out_ << "    /begin IF_DATA XCP\n"
          "      /begin PROTOCOL_LAYER 0x0100 2000 2000 0 0 0 0 0 252 1024\n"
          "        BYTE_ORDER_MSB_LAST ADDRESS_GRANULARITY_BYTE\n"
          "        OPTIONAL_CMD GET_COMM_MODE_INFO\n"
          "        OPTIONAL_CMD SET_MTA\n"
          "      /end PROTOCOL_LAYER\n"
          "      /begin DAQ DYNAMIC 0 3 0 OPTIMISATION_TYPE_DEFAULT ADDRESS_EXTENSION_FREE\n"
          "        IDENTIFICATION_FIELD_TYPE_ABSOLUTE GRANULARITY_ODT_ENTRY_SIZE_DAQ_BYTE 8\n"
          "        OVERLOAD_INDICATION_PID\n"
          "        /begin EVENT \"10 ms task\" \"10ms\" 0 DAQ 255 10 6 0 /end EVENT\n"
          "        /begin EVENT \"100 ms task\" \"100ms\" 1 DAQ 255 100 6 0 /end EVENT\n"
          "        /begin EVENT \"Crank synchronous\" \"crank\" 2 DAQ 255 0 0 0 /end EVENT\n"
          "      /end DAQ\n"
          "    /end IF_DATA\n\n";
}

void Generator::modPar() {
  out_ << "    /begin MOD_PAR \"Synthetic ECU parameters\"\n"
          "      VERSION \"BENCH 1.0\"\n"
          "      ADDR_EPK 0x80000040\n"
          "      EPK \"EPK SYNTHETIC 0001\"\n"
          "      SUPPLIER \"Ordex bench\"\n"
          "      CUSTOMER \"Nobody in particular\"\n"
          "      CUSTOMER_NO \"0815\"\n"
          "      USER \"Benchmark\"\n"
          "      PHONE_NO \"+49 000 000000\"\n"
          "      ECU \"SYNTH_ECU\"\n"
          "      CPU_TYPE \"Generic 32-bit controller\"\n"
          "      NO_OF_INTERFACES 1\n"
          "      ECU_CALIBRATION_OFFSET 0x0\n";
  for (uint32_t i = 0; i < o_.systemConstants; ++i) {
    Rng r(o_.seed, kConstant, i);
    out_ << "      SYSTEM_CONSTANT \"";
    name(kConstant, i);
    out_ << "\" \"";
    out_.dec(r.below(10000)) << "\"\n";
  }
  static const char* const kSegmentTypes[][2] = {
      {"CODE", "FLASH"}, {"DATA", "FLASH"}, {"VARIABLES", "RAM"}, {"OFFLINE_DATA", "FLASH"}};
  for (uint32_t i = 0; i < o_.memorySegments; ++i) {
    Rng r(o_.seed, kSegment, i);
    const char* const* type = kSegmentTypes[i % 4];
    out_ << "      /begin MEMORY_SEGMENT ";
    name(kSegment, i);
    out_ << " \"" << type[0] << " segment ";
    out_.dec(i) << "\"\n        " << type[0] << ' ' << type[1] << " INTERN ";
    out_.hex(0x80000000u + i * 0x00100000u, 8) << ' ';
    out_.hex(0x00100000u) << " -1 -1 -1 -1 -1\n";
    if (r.below(2) == 0) {
      out_ << "        /begin IF_DATA XCP\n"
              "          /begin SEGMENT ";
      out_.dec(i) << " 2 0 0 0\n"
                     "            /begin CHECKSUM XCP_ADD_44 MAX_BLOCK_SIZE 0xFFFF "
                     "EXTERNAL_FUNCTION \"\" /end CHECKSUM\n"
                     "            /begin PAGE 0 ECU_ACCESS_DONT_CARE XCP_READ_ACCESS_DONT_CARE "
                     "XCP_WRITE_ACCESS_NOT_ALLOWED /end PAGE\n"
                     "          /end SEGMENT\n"
                     "        /end IF_DATA\n";
    }
    out_ << "      /end MEMORY_SEGMENT\n";
  }
  out_ << "    /end MOD_PAR\n\n";
}

void Generator::compuVTab(uint32_t i) {
  Rng r(o_.seed, kVTab, i);
  uint32_t pairs = 2 + r.below(7);
  out_ << "    /begin COMPU_VTAB ";
  name(kVTab, i);
  out_ << ' ';
  longIdentifier(r);
  out_ << " TAB_VERB ";
  out_.dec(pairs) << '\n';
  uint32_t text = r.below(kVerbalTextCount);
  for (uint32_t k = 0; k < pairs; ++k) {
    out_ << "      ";
    out_.dec(k) << " \"" << kVerbalTexts[(text + k) % kVerbalTextCount] << "\"\n";
  }
  if (r.below(2) == 0) out_ << "      DEFAULT_VALUE \"invalid value\"\n";
  comment(r, "      ");
  out_ << "    /end COMPU_VTAB\n";
}

void Generator::compuTab(uint32_t i) {
  Rng r(o_.seed, kTab, i);
  uint32_t pairs = 2 + r.below(15);
  out_ << "    /begin COMPU_TAB ";
  name(kTab, i);
  out_ << ' ';
  longIdentifier(r);
  out_ << " TAB_INTP ";
  out_.dec(pairs) << '\n';
  uint32_t in = 0;
  for (uint32_t k = 0; k < pairs; ++k) {
    in += 1 + r.below(64);
    char tmp[32];
    std::snprintf(tmp, sizeof tmp, "%.2f",
                  (static_cast<int64_t>(r.below(200000)) - 100000) / 100.0);
    out_ << "      ";
    out_.dec(in) << ' ' << tmp << '\n';
  }
  comment(r, "      ");
  out_ << "    /end COMPU_TAB\n";
}

void Generator::compuMethod(uint32_t i) {
  Rng r(o_.seed, kMethod, i);
  uint32_t kind = r.below(100);
  out_ << "    /begin COMPU_METHOD ";
  name(kMethod, i);
  out_ << ' ';
  longIdentifier(r);
  out_ << '\n';
  const char* format = r.pick(kFormats);
  const char* unit = r.pick(kUnits);
  if (kind < 18 && o_.compuVTabs > 0) {
    out_ << "      TAB_VERB \"%4.0\" \"\"\n      COMPU_TAB_REF ";
    name(kVTab, r.below(o_.compuVTabs));
    out_ << '\n';
  } else if (kind < 26 && o_.compuTabs > 0) {
    out_ << "      TAB_INTP \"" << format << "\" \"" << unit << "\"\n      COMPU_TAB_REF ";
    name(kTab, r.below(o_.compuTabs));
    out_ << '\n';
  } else if (kind < 30) {
    char offset = static_cast<char>('0' + r.below(10));
    out_ << "      FORM \"" << format << "\" \"" << unit << "\"\n"
         << "      /begin FORMULA \"X1*0.1+" << offset << "\"\n"
         << "        FORMULA_INV \"(X1-" << offset << ")/0.1\"\n"
         << "      /end FORMULA\n";
  } else {
    // Physical value x from raw value y: y = (a*x*x + b*x + c) / (d*x*x + e*x + f).
    static const char* const kCoeffs[] = {
        "0 1 0 0 0 1",  "0 1 40 0 0 1",      "0 100 0 0 0 1",       "0 1 0 0 0 0.1",
        "0 10 0 0 0 1", "0 1 -273.15 0 0 1", "0 1 0 0 0 0.0078125", "0 3 0 0 0 256"};
    out_ << "      RAT_FUNC \"" << format << "\" \"" << unit << "\"\n      COEFFS "
         << r.pick(kCoeffs) << '\n';
  }
  comment(r, "      ");
  out_ << "    /end COMPU_METHOD\n";
}

void Generator::recordLayout(uint32_t i) {
  Rng r(o_.seed, kLayout, i);
  Shape shape = static_cast<Shape>(i % kShapeCount);
  const char* dt = kLayoutTypes[(i / kShapeCount) % kLayoutTypeCount];
  out_ << "    /begin RECORD_LAYOUT ";
  layoutName(i);
  out_ << '\n';
  int pos = 1;
  auto element = [&](const char* keyword, const char* args) {
    out_ << "      " << keyword << ' ';
    out_.dec(pos++) << ' ' << args << '\n';
  };
  std::string axisArgs = std::string(dt) + " INDEX_INCR DIRECT";
  std::string fncArgs = std::string(dt) + " COLUMN_DIR DIRECT";
  switch (shape) {
    case kShapeValue:
      element("FNC_VALUES", fncArgs.c_str());
      break;
    case kShapeCurve:
      element("NO_AXIS_PTS_X", "UBYTE");
      element("AXIS_PTS_X", axisArgs.c_str());
      element("FNC_VALUES", fncArgs.c_str());
      break;
    case kShapeMap:
      element("NO_AXIS_PTS_X", "UBYTE");
      element("NO_AXIS_PTS_Y", "UBYTE");
      element("AXIS_PTS_X", axisArgs.c_str());
      element("AXIS_PTS_Y", axisArgs.c_str());
      element("FNC_VALUES", fncArgs.c_str());
      break;
    default:
      element("NO_AXIS_PTS_X", "UWORD");
      element("AXIS_PTS_X", axisArgs.c_str());
      break;
  }
  if (r.below(4) == 0) element("RESERVED", "BYTE");
  if (r.below(3) == 0) out_ << "      ALIGNMENT_WORD 2\n      ALIGNMENT_LONG 4\n";
  comment(r, "      ");
  out_ << "    /end RECORD_LAYOUT\n";
}

void Generator::measurement(uint32_t i) {
  Rng r(o_.seed, kMeasurement, i);
  uint32_t roll = r.below(100);
  uint32_t t = 0;
  while (t + 1 < kDataTypeCount && roll >= kDataTypeWeights[t]) roll -= kDataTypeWeights[t++];
  const DataType& dt = kDataTypes[t];
  out_ << "    /begin MEASUREMENT ";
  name(kMeasurement, i);
  out_ << ' ';
  longIdentifier(r);
  out_ << "\n      " << dt.keyword << ' ';
  anyConversion(r);
  out_ << ' ' << (r.below(2) ? "1" : "0") << ' ' << (r.below(2) ? "100" : "0.1") << ' ' << dt.lower
       << ' ' << dt.upper << '\n';
  if (r.below(10) != 0) {
    out_ << "      ECU_ADDRESS ";
    out_.hex(0xD0000000u + i * 8u, 8) << '\n';
  }
  if (dt.integer && r.below(12) == 0) {
    out_ << "      BIT_MASK ";
    out_.hex(1u << r.below(8)) << '\n';
  }
  if (r.below(20) == 0) out_ << "      BYTE_ORDER MSB_FIRST\n";
  if (r.below(2) == 0) out_ << "      FORMAT \"" << r.pick(kFormats) << "\"\n";
  if (r.below(30) == 0) {
    out_ << "      ARRAY_SIZE ";
    out_.dec(2 + r.below(15)) << '\n';
  }
  if (r.below(20) == 0) out_ << "      READ_WRITE\n";
  comment(r, "      ");
  if (r.percent(o_.ifDataPercent)) {
    switch (r.below(3)) {
      case 0:
        out_ << "      /begin IF_DATA XCP\n"
                "        /begin DAQ_EVENT VARIABLE\n"
                "          /begin DEFAULT_EVENT_LIST EVENT ";
        out_.hex(r.below(3), 4) << " /end DEFAULT_EVENT_LIST\n"
                                   "        /end DAQ_EVENT\n"
                                   "      /end IF_DATA\n";
        break;
      case 1:
        out_ << "      /begin IF_DATA CANAPE_EXT\n        100\n        LINK_MAP \"";
        name(kMeasurement, i);
        out_ << "\" ";
        out_.hex(0xD0000000u + i * 8u) << " 0x0 0 0x0 1 0x9F 0x0\n"
                                          "        DISPLAY 0 "
                                       << dt.lower << ' ' << dt.upper << "\n      /end IF_DATA\n";
        break;
      default:
        out_ << "      /begin IF_DATA ETK KP_BLOB ";
        out_.hex(0xD0000000u + i * 8u) << " INTERNAL_RAM 2 /end IF_DATA\n";
        break;
    }
  }
  nestedIfData(kMeasurement, i, 0xD0000000u + i * 8u);
  if (r.percent(o_.annotationPercent / 2)) annotation(r, "      ");
  if (o_.functions > 0 && r.percent(o_.functionListPercent)) functionList(r, "      ");
  out_ << "    /end MEASUREMENT\n";
}

void Generator::axisPts(uint32_t i) {
  Rng r(o_.seed, kAxisPts, i);
  const char* const* limits = kLimitPairs[r.below(kLimitPairCount)];
  out_ << "    /begin AXIS_PTS ";
  name(kAxisPts, i);
  out_ << ' ';
  longIdentifier(r);
  out_ << "\n      ";
  out_.hex(0x81000000u + i * 0x40u, 8) << ' ';
  anyMeasurementOrNone(r);
  out_ << ' ';
  layoutName(layoutOfShape(r, kShapeAxis));
  out_ << " 0 ";
  anyConversion(r);
  out_ << ' ';
  out_.dec(4 + r.below(13)) << ' ' << limits[0] << ' ' << limits[1] << '\n';
  if (r.below(2) == 0) out_ << "      FORMAT \"" << r.pick(kFormats) << "\"\n";
  out_ << "      DEPOSIT ABSOLUTE\n";
  if (r.below(20) == 0) out_ << "      BYTE_ORDER MSB_FIRST\n";
  if (r.below(20) == 0) out_ << "      READ_ONLY\n";
  comment(r, "      ");
  if (r.percent(o_.ifDataPercent)) {
    out_ << "      /begin IF_DATA ETK KP_BLOB ";
    out_.hex(0x81000000u + i * 0x40u) << " INTERNAL_RAM 2 /end IF_DATA\n";
  }
  if (r.percent(o_.annotationPercent)) annotation(r, "      ");
  if (o_.functions > 0 && r.percent(o_.functionListPercent)) functionList(r, "      ");
  out_ << "    /end AXIS_PTS\n";
}

// The extra IF_DATA blocks of one object, each with two nested blocks.
void Generator::nestedIfData(Kind kind, uint32_t i, uint32_t address) {
  if (o_.nestedIfDataPerHundred == 0) return;
  Rng r(o_.seed, kind + kNestedIfDataStream, i);
  uint32_t count = o_.nestedIfDataPerHundred / 100;
  if (r.below(100) < o_.nestedIfDataPerHundred % 100) ++count;
  for (uint32_t k = 0; k < count; ++k) {
    if ((k + r.below(2)) % 2 == 0) {
      out_ << "      /begin IF_DATA XCP\n"
              "        /begin DAQ_EVENT FIXED_EVENT_LIST\n"
              "          /begin EVENT ";
      out_.hex(r.below(8), 4) << " /end EVENT\n"
                                 "        /end DAQ_EVENT\n"
                                 "        /begin LINK_MAP \"";
      name(kind, i);
      out_ << "\" ";
      out_.hex(address) << " 0x0 0 0x0 1 0x9F 0x0 /end LINK_MAP\n"
                           "      /end IF_DATA\n";
    } else {
      out_ << "      /begin IF_DATA ASAP1B_CCP\n"
              "        /begin DP_BLOB 0x0 ";
      out_.hex(address) << ' ';
      out_.dec(1 + r.below(8)) << " /end DP_BLOB\n"
                                  "        /begin KP_BLOB 0x0 ";
      out_.hex(address) << " 0x" << (r.below(2) ? "1" : "4")
                        << " /end KP_BLOB\n"
                           "      /end IF_DATA\n";
    }
  }
}

void Generator::axisDescr(Rng& r, uint32_t dim) {
  const char* const* limits = kLimitPairs[r.below(kLimitPairCount)];
  uint32_t points = 4 + r.below(13);
  uint32_t kind = r.below(10);
  if (kind < 3 && o_.axisPts > 0) {
    out_ << "      /begin AXIS_DESCR COM_AXIS ";
    anyMeasurementOrNone(r);
    out_ << ' ';
    anyConversion(r);
    out_ << ' ';
    out_.dec(points) << ' ' << limits[0] << ' ' << limits[1] << "\n        AXIS_PTS_REF ";
    name(kAxisPts, r.below(o_.axisPts));
    out_ << '\n';
  } else if (kind == 3) {
    out_ << "      /begin AXIS_DESCR FIX_AXIS NO_INPUT_QUANTITY ";
    anyConversion(r);
    out_ << ' ';
    out_.dec(points) << " 0 ";
    out_.dec(points - 1) << "\n        FIX_AXIS_PAR_DIST 0 1 ";
    out_.dec(points) << '\n';
  } else {
    out_ << "      /begin AXIS_DESCR STD_AXIS ";
    anyMeasurementOrNone(r);
    out_ << ' ';
    anyConversion(r);
    out_ << ' ';
    out_.dec(points) << ' ' << limits[0] << ' ' << limits[1] << '\n';
    out_ << "        DEPOSIT ABSOLUTE\n";
  }
  if (r.below(2) == 0) out_ << "        FORMAT \"" << r.pick(kFormats) << "\"\n";
  if (r.below(10) == 0) {
    out_ << "        EXTENDED_LIMITS " << limits[0] << ' ' << limits[1] << '\n';
  }
  if (dim == 0 && r.percent(o_.annotationPercent / 5)) annotation(r, "        ");
  out_ << "      /end AXIS_DESCR\n";
}

void Generator::characteristic(uint32_t i) {
  Rng r(o_.seed, kCharacteristic, i);
  uint32_t roll = r.below(100);
  // VALUE 50%, CURVE 25%, MAP 18%, VAL_BLK 4%, ASCII 3%.
  uint32_t dims = 0;
  const char* type = "VALUE";
  Shape shape = kShapeValue;
  if (roll >= 97) {
    type = "ASCII";
  } else if (roll >= 93) {
    type = "VAL_BLK";
  } else if (roll >= 75) {
    type = "MAP";
    dims = 2;
    shape = kShapeMap;
  } else if (roll >= 50) {
    type = "CURVE";
    dims = 1;
    shape = kShapeCurve;
  }
  const char* const* limits = kLimitPairs[r.below(kLimitPairCount)];
  out_ << "    /begin CHARACTERISTIC ";
  name(kCharacteristic, i);
  out_ << ' ';
  longIdentifier(r);
  out_ << "\n      " << type << ' ';
  out_.hex(0x80010000u + i * 0x20u, 8) << ' ';
  layoutName(layoutOfShape(r, shape));
  out_ << ' ' << (r.below(2) ? "0" : "1.5") << ' ';
  anyConversion(r);
  out_ << ' ' << limits[0] << ' ' << limits[1] << '\n';
  if (r.below(2) == 0) out_ << "      FORMAT \"" << r.pick(kFormats) << "\"\n";
  if (dims == 0 && r.below(30) == 0) {
    out_ << "      BIT_MASK ";
    out_.hex(0xFFu >> r.below(4)) << '\n';
  }
  if (r.below(30) == 0) out_ << "      BYTE_ORDER MSB_FIRST\n";
  if (r.below(10) == 0) {
    out_ << "      EXTENDED_LIMITS " << limits[0] << ' ' << limits[1] << '\n';
  }
  if (roll >= 93) {
    out_ << "      NUMBER ";
    out_.dec(2 + r.below(30)) << '\n';
  }
  if (r.below(30) == 0) out_ << "      READ_ONLY\n";
  if (r.below(50) == 0) out_ << "      MAX_REFRESH 3 100\n";
  comment(r, "      ");
  for (uint32_t d = 0; d < dims; ++d) axisDescr(r, d);
  if (r.percent(o_.annotationPercent)) annotation(r, "      ");
  if (r.percent(o_.ifDataPercent)) {
    if (r.below(2) == 0) {
      out_ << "      /begin IF_DATA ETK KP_BLOB ";
      out_.hex(0x80010000u + i * 0x20u) << " INTERNAL_RAM 2 /end IF_DATA\n";
    } else {
      out_ << "      /begin IF_DATA CANAPE_EXT\n        100\n        LINK_MAP \"";
      name(kCharacteristic, i);
      out_ << "\" ";
      out_.hex(0x80010000u + i * 0x20u) << " 0x0 0 0x0 1 0x9F 0x0\n"
                                           "      /end IF_DATA\n";
    }
  }
  nestedIfData(kCharacteristic, i, 0x80010000u + i * 0x20u);
  if (o_.functions > 0 && r.percent(o_.functionListPercent)) functionList(r, "      ");
  out_ << "    /end CHARACTERISTIC\n";
}

// A FUNCTION name list of `count` consecutive objects of `kind` from a random start, at
// most one per object; eight names to a line.
void Generator::nameList(const char* keyword, Kind kind, uint32_t count, uint32_t first,
                         const char* indent) {
  uint32_t total = 0;
  switch (kind) {
    case kCharacteristic:
      total = o_.characteristics;
      break;
    case kMeasurement:
      total = o_.measurements;
      break;
    case kFunction:
      total = o_.functions;
      break;
    default:
      break;
  }
  if (count > total) count = total;
  if (count == 0) return;
  out_ << indent << "/begin " << keyword;
  for (uint32_t k = 0; k < count; ++k) {
    out_ << (k % 8 == 0 ? "\n" : " ");
    if (k % 8 == 0) out_ << indent << "  ";
    name(kind, (first + k) % total);
  }
  out_ << '\n' << indent << "/end " << keyword << '\n';
}

uint32_t wrap(uint64_t v, uint32_t n) {
  return n ? static_cast<uint32_t>(v % n) : 0;
}

void Generator::function(uint32_t i) {
  Rng r(o_.seed, kFunction, i);
  out_ << "    /begin FUNCTION ";
  name(kFunction, i);
  out_ << ' ';
  longIdentifier(r);
  out_ << '\n';
  if (r.below(2) == 0) {
    out_ << "      FUNCTION_VERSION \"";
    out_.dec(1 + r.below(9)) << '.';
    out_.dec(r.below(20)) << "\"\n";
  }
  comment(r, "      ");
  if (r.percent(o_.annotationPercent)) annotation(r, "      ");
  // Each characteristic is defined, and each measurement written, by one function as far
  // as the counts allow; the other lists start anywhere.
  uint32_t defFirst =
      wrap(static_cast<uint64_t>(i) * o_.defCharacteristicsPerFunction, o_.characteristics);
  uint32_t outFirst =
      wrap(static_cast<uint64_t>(i) * o_.outMeasurementsPerFunction, o_.measurements);
  nameList("DEF_CHARACTERISTIC", kCharacteristic, o_.defCharacteristicsPerFunction, defFirst,
           "      ");
  nameList("REF_CHARACTERISTIC", kCharacteristic, o_.refCharacteristicsPerFunction,
           r.below(o_.characteristics), "      ");
  nameList("IN_MEASUREMENT", kMeasurement, o_.inMeasurementsPerFunction, r.below(o_.measurements),
           "      ");
  nameList("OUT_MEASUREMENT", kMeasurement, o_.outMeasurementsPerFunction, outFirst, "      ");
  nameList("LOC_MEASUREMENT", kMeasurement, o_.locMeasurementsPerFunction, r.below(o_.measurements),
           "      ");
  // Children of function i in the tree: i*n+1 .. i*n+n, those that exist.
  uint64_t firstChild = static_cast<uint64_t>(i) * o_.subFunctionsPerFunction + 1;
  if (o_.subFunctionsPerFunction > 0 && firstChild < o_.functions) {
    uint64_t children = o_.functions - firstChild;
    if (children > o_.subFunctionsPerFunction) children = o_.subFunctionsPerFunction;
    nameList("SUB_FUNCTION", kFunction, static_cast<uint32_t>(children),
             static_cast<uint32_t>(firstChild), "      ");
  }
  out_ << "    /end FUNCTION\n";
}

void Generator::group(uint32_t i) {
  Rng r(o_.seed, kGroup, i);
  out_ << "    /begin GROUP ";
  name(kGroup, i);
  out_ << " \"Group of " << r.pick(kNouns) << " data\"\n";
  if (r.below(4) == 0) out_ << "      ROOT\n";
  nameList("REF_CHARACTERISTIC", kCharacteristic, 10, r.below(o_.characteristics), "      ");
  nameList("REF_MEASUREMENT", kMeasurement, 10, r.below(o_.measurements), "      ");
  out_ << "    /end GROUP\n";
}

void Generator::run() {
  fileHead();
  modCommon();
  moduleIfData();
  modPar();
  struct Section {
    const char* title;
    uint32_t count;
    void (Generator::*write)(uint32_t);
  };
  const Section sections[] = {
      {"Verbal conversion tables", o_.compuVTabs, &Generator::compuVTab},
      {"Numeric conversion tables", o_.compuTabs, &Generator::compuTab},
      {"Conversion methods", o_.compuMethods, &Generator::compuMethod},
      {"Record layouts", o_.recordLayouts, &Generator::recordLayout},
      {"Measurements", o_.measurements, &Generator::measurement},
      {"Axis point distributions", o_.axisPts, &Generator::axisPts},
      {"Characteristics", o_.characteristics, &Generator::characteristic},
      {"Functions", o_.functions, &Generator::function},
      {"Groups", o_.groups, &Generator::group},
  };
  for (const Section& s : sections) {
    if (s.count == 0) continue;
    out_ << "    /* ---------------- " << s.title << " ---------------- */\n\n";
    for (uint32_t i = 0; i < s.count; ++i) {
      (this->*s.write)(i);
      out_ << '\n';
    }
  }
  out_ << "  /end MODULE\n\n/end PROJECT\n";
}

}  // namespace

std::string checkOptions(const GeneratorOptions& o) {
  if (o.recordLayouts == 0 && (o.characteristics > 0 || o.axisPts > 0)) {
    return "characteristics and axis points need at least one record layout";
  }
  if (o.annotationPercent > 100 || o.ifDataPercent > 100 || o.functionListPercent > 100 ||
      o.commentPercent > 100) {
    return "a share is above 100 percent";
  }
  return std::string();
}

uint64_t generateA2l(const GeneratorOptions& options, const A2lSink& sink) {
  Out out(sink);
  Generator(options, out).run();
  out.flush();
  return out.total();
}

std::string generateA2lText(const GeneratorOptions& options) {
  std::string text;
  generateA2l(options, [&text](const char* data, size_t size) { text.append(data, size); });
  return text;
}

bool generateA2lFile(const GeneratorOptions& options, const std::string& path, std::string* error,
                     uint64_t* bytesWritten) {
  std::string why = checkOptions(options);
  if (!why.empty()) {
    if (error) *error = why;
    return false;
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    if (error) *error = "cannot create " + path + ": " + std::strerror(errno);
    return false;
  }
  bool ok = true;
  uint64_t n = generateA2l(options, [&](const char* data, size_t size) {
    if (ok && std::fwrite(data, 1, size, f) != size) ok = false;
  });
  if (std::fclose(f) != 0) ok = false;
  if (!ok) {
    if (error) *error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  if (bytesWritten) *bytesWritten = n;
  return true;
}

namespace {

uint32_t scaleCount(uint32_t count, uint32_t characteristics, const GeneratorOptions& mix) {
  double v = static_cast<double>(count) * characteristics / mix.characteristics;
  return static_cast<uint32_t>(std::llround(v));
}

GeneratorOptions scaled(const GeneratorOptions& mix, uint32_t characteristics) {
  GeneratorOptions o = mix;
  o.characteristics = characteristics;
  o.measurements = scaleCount(mix.measurements, characteristics, mix);
  o.axisPts = scaleCount(mix.axisPts, characteristics, mix);
  o.compuMethods = scaleCount(mix.compuMethods, characteristics, mix);
  o.compuTabs = scaleCount(mix.compuTabs, characteristics, mix);
  o.compuVTabs = scaleCount(mix.compuVTabs, characteristics, mix);
  o.functions = scaleCount(mix.functions, characteristics, mix);
  o.groups = scaleCount(mix.groups, characteristics, mix);
  return o;
}

uint64_t sizeOf(const GeneratorOptions& o) {
  return generateA2l(o, [](const char*, size_t) {});
}

}  // namespace

GeneratorOptions optionsForSize(uint64_t targetBytes, const GeneratorOptions& mixIn) {
  GeneratorOptions mix = mixIn;
  if (mix.characteristics == 0) mix = GeneratorOptions{};
  // The size grows almost linearly with the count (names get a digit longer now and
  // then): fit a line through two small samples, then refine once near the target.
  const uint32_t a = 500, b = 2500;
  double sa = static_cast<double>(sizeOf(scaled(mix, a)));
  double sb = static_cast<double>(sizeOf(scaled(mix, b)));
  double perObject = (sb - sa) / (b - a);
  double fixed = sa - perObject * a;
  double estimate = (static_cast<double>(targetBytes) - fixed) / perObject;
  if (estimate < 1) return scaled(mix, 1);
  uint32_t c = static_cast<uint32_t>(std::llround(estimate));
  if (c > b * 4) {
    double sc = static_cast<double>(sizeOf(scaled(mix, c)));
    perObject = (sc - sb) / (c - b);
    estimate = c + (static_cast<double>(targetBytes) - sc) / perObject;
    c = static_cast<uint32_t>(std::llround(estimate < 1 ? 1 : estimate));
  }
  return scaled(mix, c);
}

}  // namespace ordex_bench
