// Ordex_CheckConsistency through the public interface: every planted fault of the files
// made for it, the valid corpus files, a generated file that names only what it defines, a
// model edited after the read, and the arguments.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "a2l_generator.h"
#include "ordex.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using ordex_test::Instance;

const char* severityWord(int32_t s) {
  return s == fsError ? "error" : s == fsWarning ? "warning" : "note";
}

// One finding as a line: "error 1 MEASUREMENT Speed Conversion=cv_counter".
std::string line(int32_t severity, int32_t code, const std::string& object,
                 const std::string& field = "", const std::string& value = "") {
  return std::string(severityWord(severity)) + " " + std::to_string(code) + " " + object + " " +
         field + "=" + value;
}

struct Collected {
  std::vector<std::string> lines;
  std::vector<TCheckFinding> records;
  int stopAfter = -1;  // answer non-zero once this many were received
};

int collect(const TCheckFinding* f, void* context) {
  auto* c = static_cast<Collected*>(context);
  c->records.push_back(*f);
  c->lines.push_back(
      line(f->Severity, f->Code, std::string(f->Keyword) + " " + f->Name, f->Field, f->Value));
  return c->stopAfter >= 0 && static_cast<int>(c->records.size()) >= c->stopAfter;
}

Collected check(TOrdex* inst, int minSeverity = fsWarning, const char* module = nullptr,
                TOrdexReturnCode expected = rcOk) {
  Collected c;
  EXPECT_EQ(Ordex_CheckConsistency(inst, module, minSeverity, collect, &c), expected);
  return c;
}

constexpr int32_t E = fsError, W = fsWarning, N = fsNote;

struct PlantedCase {
  const char* file;  // in tests/data
  int minSeverity;
  std::vector<std::string> findings;  // in the order the check reports them
};

const PlantedCase kPlanted[] = {
    {"check/dangling_references.a2l",
     fsWarning,
     {
         line(E, fcDanglingReference, "CHARACTERISTIC Curve", "Deposit", "NoLayout2"),
         line(E, fcDanglingReference, "CHARACTERISTIC Curve", "Axes[0].InputQuantity",
              "NoQuantity2"),
         line(E, fcDanglingReference, "CHARACTERISTIC Curve", "Axes[0].Conversion", "NoMethod2"),
         line(E, fcDanglingReference, "CHARACTERISTIC Curve", "Axes[0].AxisPtsRef", "NoAxis"),
         line(E, fcDanglingReference, "AXIS_PTS Axis", "InputQuantity", "NoQuantity"),
         line(E, fcDanglingReference, "AXIS_PTS Axis", "Deposit", "NoLayout"),
         line(E, fcDanglingReference, "AXIS_PTS Axis", "Conversion", "NoMethod"),
         line(E, fcDanglingReference, "MEASUREMENT Speed", "Conversion", "cv_counter"),
         line(E, fcDanglingReference, "MEASUREMENT Load", "Conversion", "cv_counter"),
         line(E, fcDanglingReference, "MEASUREMENT Load", "VIRTUAL", "NoInput"),
         line(E, fcDanglingReference, "MEASUREMENT Temp", "Conversion", "cm"),
         line(E, fcDanglingReference, "COMPU_METHOD CM_TAB_MISSING", "CompuTabRef", "NoTab"),
         line(W, fcDanglingReference, "COMPU_METHOD CM_VTAB_MISSING", "CompuTabRef", "NoVTab"),
         line(E, fcDanglingReference, "FUNCTION F", "DEF_CHARACTERISTIC", "NoCharacteristic"),
         line(E, fcDanglingReference, "FUNCTION F", "REF_CHARACTERISTIC", "NoRef"),
         line(E, fcDanglingReference, "FUNCTION F", "IN_MEASUREMENT", "NoIn"),
         line(E, fcDanglingReference, "FUNCTION F", "OUT_MEASUREMENT", "NoOut"),
         line(E, fcDanglingReference, "FUNCTION F", "LOC_MEASUREMENT", "NoLoc"),
         line(E, fcDanglingReference, "FUNCTION F", "SUB_FUNCTION", "NoSub"),
         line(E, fcDanglingReference, "FUNCTION F", "AXIS_PTS", "NoAxisPts"),
         line(E, fcDanglingReference, "VAR_CHARACTERISTIC NoVariantCharacteristic", "Name",
              "NoVariantCharacteristic"),
         line(E, fcDanglingReference, "VAR_CRITERION Trim", "VarMeasurement", "NoCodeMeasurement"),
         line(E, fcDanglingReference, "VAR_CRITERION Trim", "VarSelectionCharacteristic",
              "NoCodeCharacteristic"),
     }},
    {"check/duplicate_names.a2l",
     fsWarning,
     {
         line(E, fcDuplicateName, "MEMORY_SEGMENT Seg", "", "Seg"),
         line(E, fcDuplicateName, "MEASUREMENT Speed", "", "Speed"),
         line(E, fcDuplicateName, "FUNCTION F", "", "F"),
         line(E, fcDuplicateName, "COMPU_METHOD CM", "", "CM"),
         line(E, fcDuplicateName, "COMPU_METHOD CM", "", "CM"),
         line(E, fcDuplicateName, "COMPU_TAB T", "", "T"),
         line(E, fcDuplicateName, "COMPU_VTAB V", "", "V"),
         line(E, fcDuplicateName, "AXIS_PTS A", "", "A"),
         line(E, fcDuplicateName, "RECORD_LAYOUT RL", "", "RL"),
     }},
    {"check/limits_beyond_data_type.a2l",
     fsWarning,
     {
         line(W, fcLimitOutsideDataType, "CHARACTERISTIC ValueTooHigh", "UpperLimit", "70000"),
         line(E, fcLimitsReversed, "CHARACTERISTIC CurveAxisTooLow", "Axes[0].ExtendedLimitsLower",
              "100"),
         line(W, fcLimitOutsideDataType, "CHARACTERISTIC CurveAxisTooLow", "Axes[0].LowerLimit",
              "-5"),
         line(W, fcLimitOutsideDataType, "AXIS_PTS AxisTooHigh", "UpperLimit", "1000"),
         line(W, fcLimitOutsideDataType, "MEASUREMENT ByteTooHigh", "UpperLimit", "300"),
         line(W, fcLimitOutsideDataType, "MEASUREMENT SignedTooLow", "LowerLimit", "-200"),
         line(W, fcLimitOutsideDataType, "MEASUREMENT ScaledTooHigh", "UpperLimit", "7000"),
         line(W, fcLimitOutsideDataType, "MEASUREMENT OffsetTooLow", "LowerLimit", "-50"),
         line(E, fcLimitsReversed, "MEASUREMENT Reversed", "LowerLimit", "100"),
     }},
    {"check/counts_addresses_and_tables.a2l",
     fsWarning,
     {
         line(W, fcAddressNotSet, "CHARACTERISTIC NoAddress", "Address", "0xFFFFFFFF"),
         line(E, fcCountZero, "CHARACTERISTIC BlockWithoutNumber", "Number", "0"),
         line(E, fcCountZero, "CHARACTERISTIC ZeroPoints", "Axes[0].MaxAxisPoints", "0"),
         line(E, fcCountBeyondLayout, "CHARACTERISTIC TooManyPoints", "Axes[0].MaxAxisPoints",
              "300"),
         line(E, fcCountBeyondLayout, "CHARACTERISTIC BelowFixed", "Axes[0].MaxAxisPoints", "4"),
         line(E, fcAxisMissing, "CHARACTERISTIC HalfMap", "Axes[1]", ""),
         line(E, fcMissingReference, "CHARACTERISTIC SharedAxis", "Axes[0].AxisPtsRef", ""),
         line(W, fcAddressNotSet, "AXIS_PTS NoAddressAxis", "Address", "0xFFFFFFFF"),
         line(E, fcCountZero, "AXIS_PTS NoAddressAxis", "MaxAxisPoints", "0"),
         line(E, fcMissingReference, "COMPU_METHOD CM_NO_REF", "CompuTabRef", ""),
         line(E, fcTablePairCount, "COMPU_TAB ShortTab", "NumberValuePairs", "4"),
         line(E, fcTablePairCount, "COMPU_VTAB ShortVTab", "NumberValuePairs", "3"),
     }},
    // A valid file of ASAP2 1.61: what the model cannot see (a COMPU_VTAB_RANGE) is a warning.
    {"check/verbal_range_reference.a2l",
     fsNote,
     {
         line(W, fcDanglingReference, "COMPU_METHOD CM_GEAR", "CompuTabRef", "GearRanges"),
         line(W, fcLimitOutsideDataType, "MEASUREMENT Pedal", "UpperLimit", "1000"),
     }},
    // Valid, every reference resolved: only the notes.
    {"references_of_every_kind.a2l",
     fsNote,
     {
         line(N, fcNotInFunction, "MEASUREMENT Lonely"),
         line(N, fcNotReferenced, "COMPU_METHOD Unused"),
         line(N, fcNotReferenced, "RECORD_LAYOUT RL_UNUSED"),
     }},
    {"check/verbal_range_reference.a2l", fsError, {}},
    {"check/kept_content.a2l",
     fsWarning,
     {
         line(E, fcDanglingReference, "GROUP Engine", "REF_CHARACTERISTIC", "NoSuchMap"),
         line(E, fcDanglingReference, "GROUP Engine", "REF_MEASUREMENT", "NoSuchSignal"),
         line(E, fcDanglingReference, "GROUP Engine", "SUB_GROUP", "NoSuchGroup"),
         line(E, fcDanglingReference, "GROUP Engine", "FUNCTION_LIST", "NoSuchFunction"),
         line(W, fcUnknownKeyword, "MODULE M", "", "GROUPP"),
         line(W, fcUnknownKeyword, "CHARACTERISTIC Gain", "", "BIT_MSK"),
         line(W, fcUnknownKeyword, "MEASUREMENT Speed", "", "DISPLAY_IDENTIFER"),
         line(W, fcUnknownKeyword, "MEASUREMENT Speed", "", "ECU_ADRES"),
         line(W, fcUnknownKeyword, "RECORD_LAYOUT RL", "", "ALIGNMNT_BYTE"),
     }},
};

TEST(ConsistencyCheck, FindsEveryPlantedFault) {
  for (const PlantedCase& c : kPlanted) {
    SCOPED_TRACE(c.file);
    Instance inst;
    ASSERT_EQ(Ordex_ReadAsapFile(inst, ordex_test::dataPath(c.file).c_str(), nullptr, nullptr),
              rcOk);
    EXPECT_EQ(check(inst, c.minSeverity).lines, c.findings);
  }
}

TEST(ConsistencyCheck, InputWithoutProjectIsRefused) {
  for (const char* file : {"check/empty_input", "check/binary_input.bin"}) {
    SCOPED_TRACE(file);
    Instance inst;
    // Nothing in the bytes opens a block: the read itself has nothing to refuse.
    ASSERT_EQ(Ordex_ReadAsapFile(inst, ordex_test::dataPath(file).c_str(), nullptr, nullptr), rcOk);
    EXPECT_TRUE(check(inst, fsNote, nullptr, rcNoProject).records.empty());
  }
}

TEST(ConsistencyCheck, FindingsNameTheirModuleAndSayWhatIsWrong) {
  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, ordex_test::dataPath("check/dangling_references.a2l").c_str(),
                               nullptr, nullptr),
            rcOk);
  const Collected c = check(inst);
  ASSERT_FALSE(c.records.empty());
  const TCheckFinding& f = c.records.front();
  EXPECT_STREQ(f.Module, "M");
  EXPECT_EQ(f.Kind, etCharacteristic);
  EXPECT_STREQ(f.Message, "Deposit names NoLayout2, but no RECORD_LAYOUT of that name exists");
}

// The corpus files that read, with the findings of error level that are real faults of the
// file (names that no block of the file defines). Every other readable file has none.
const std::map<std::string, std::set<std::string>> kCorpusFaults = {
    // Generated from source code: its characteristics and axis points name record layouts
    // it never defines.
    {"DanielT__a2ltool/from_source.a2l",
     {"AxisLayout", "CurveLayout", "__FLOAT32_IEEE_Z", "__SBYTE_Z", "__UBYTE_Z"}},
    // A negative test of another parser: one characteristic names a layout and a conversion
    // that are not there.
    {"Luncher91__A2LParser/invalidString.a2l", {"char_conv", "char_deposit"}},
    // A parser's feature tour: functions, VIRTUAL and axis points name objects it never
    // defines; includeTest.a2l includes the same blocks and adds a characteristic naming a
    // missing conversion and layout.
    {"Luncher91__A2LParser/freeTest.a2l",
     {"axis_pts_deposit", "char1", "char2", "char3", "locMeas1", "locMeas2", "locMeas3", "meas1",
      "meas2", "meas3", "meas_1", "meas_2", "outMeas1", "outMeas2", "outMeas3", "refChar1",
      "refChar2", "refChar3", "subFunc1", "subFunc2", "subFunc3", "superA", "varChar",
      "varSelectionCharac",
      // its GROUP names members and sub-groups it never defines
      "meas[0][0]", "subGroup1", "subGroup2", "subGroup3"}},
    {"Luncher91__A2LParser/includeTest.a2l", {"axis_pts_conv", "axis_pts_deposit",
                                              "char1",         "char2",
                                              "char3",         "char_conv",
                                              "char_deposit",  "conversionMethod",
                                              "dataRecord",    "in_quant",
                                              "locMeas1",      "locMeas2",
                                              "locMeas3",      "meas1",
                                              "meas2",         "meas3",
                                              "meas_1",        "meas_2",
                                              "outMeas1",      "outMeas2",
                                              "outMeas3",      "refChar1",
                                              "refChar2",      "refChar3",
                                              "subFunc1",      "subFunc2",
                                              "subFunc3",      "superA",
                                              "varChar",       "varSelectionCharac",
                                              "meas[0][0]",    "subGroup1",
                                              "subGroup2",     "subGroup3"}},
    // The VARIANT_CODING of the included engine module names objects defined nowhere.
    {"domohuhn__a2l/xcp-sim.a2l",
     {"codeChar", "codeChar2", "codeMeasure", "codeMeasure2", "depChar1"}},
    // Conversions, record layouts and LOC_MEASUREMENT entries that the file never defines
    // (cv_counter is named by two measurements).
    {"sgnes__A2l-Parser/demo.a2l",
     {"COMPU_METHOD_FSW_XX", "cv_W_float", "cv_counter", "cv_degC_float", "recVAL_UBYTE",
      "s_Srps_StatusSignalRps1", "s_Srps_StatusSignalRps2", "typF32_axis",
      // a member of GROUP WDGM
      "WdgM_EB_GlobalStatus"}},
};

TEST(ConsistencyCheck, ValidCorpusFilesHaveNoErrors) {
  if (!ordex_test::corpusAvailable()) GTEST_SKIP() << "no corpus";
  const fs::path root(ORDEX_CORPUS_DIR);
  int checked = 0;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
    if (!e.is_regular_file() || e.path().extension() != ".a2l") continue;
    const std::string key = fs::relative(e.path(), root).generic_string();
    SCOPED_TRACE(key);
    Instance inst;
    if (Ordex_ReadAsapFile(inst, e.path().c_str(), nullptr, nullptr) != rcOk) continue;
    ++checked;
    std::set<std::string> faults;
    for (const TCheckFinding& f : check(inst, fsError).records) {
      EXPECT_EQ(f.Code, fcDanglingReference) << f.Name << ": " << f.Message;
      faults.insert(f.Value);
    }
    auto known = kCorpusFaults.find(key);
    EXPECT_EQ(faults, known == kCorpusFaults.end() ? std::set<std::string>() : known->second);
  }
  EXPECT_GE(checked, 10);
}

// The generator's limits are drawn at random, so only errors are looked at.
TEST(ConsistencyCheck, GeneratedFileNamesOnlyWhatItDefines) {
  ordex_bench::GeneratorOptions o;
  o.measurements = 300;
  o.characteristics = 250;
  o.axisPts = 20;
  o.functions = 20;
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst, ordex_bench::generateA2lText(o)), rcOk);
  EXPECT_EQ(check(inst, fsError).lines, std::vector<std::string>());
}

TEST(ConsistencyCheck, SeesTheModelAsEditedAfterTheRead) {
  Instance inst;
  const std::string example = std::string(ORDEX_EXAMPLES_DIR) + "/engine_ecu.a2l";
  ASSERT_EQ(Ordex_ReadAsapFile(inst, example.c_str(), nullptr, nullptr), rcOk);
  ASSERT_TRUE(check(inst).lines.empty());
  ASSERT_EQ(Ordex_RemoveCompuMethod(inst, nullptr, "CM_TEMP"), rcOk);
  TMeasurement m{};
  std::snprintf(m.Name, sizeof m.Name, "EngineSpeed");
  ASSERT_EQ(Ordex_CreateMeasurement(inst, nullptr, &m), rcOk);
  EXPECT_EQ(check(inst).lines,
            (std::vector<std::string>{
                line(E, fcDanglingReference, "CHARACTERISTIC IgnitionMap", "Axes[1].Conversion",
                     "CM_TEMP"),
                line(E, fcDanglingReference, "MEASUREMENT CoolantTemp", "Conversion", "CM_TEMP"),
                line(E, fcDuplicateName, "MEASUREMENT EngineSpeed", "", "EngineSpeed"),
            }));
}

TEST(ConsistencyCheck, LongNamesAreCutToTheirFields) {
  const std::string name(600, 'n');
  Instance inst;
  ASSERT_EQ(ordex_test::readText(inst,
                                 "ASAP2_VERSION 1 61\n/begin PROJECT P \"\"\n"
                                 "/begin MODULE M \"\"\n/begin MEASUREMENT " +
                                     name + " \"\" UBYTE " + name +
                                     " 0 0 0 255 /end MEASUREMENT\n/end MODULE\n"
                                     "/end PROJECT\n"),
            rcOk);
  const Collected c = check(inst);
  ASSERT_EQ(c.records.size(), 1u);
  EXPECT_EQ(std::string(c.records[0].Name), name.substr(0, 255));
  EXPECT_EQ(std::string(c.records[0].Value), name.substr(0, 255));
  EXPECT_EQ(std::string(c.records[0].Message).size(), size_t{ORDEX_FINDING_MESSAGE_SIZE - 1});
}

TEST(ConsistencyCheck, ModulesCallbackAndArguments) {
  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, ordex_test::dataPath("two_modules_every_kind.a2l").c_str(),
                               nullptr, nullptr),
            rcOk);
  const std::string note = line(N, fcNotInFunction, "AXIS_PTS DimAxis");
  EXPECT_EQ(check(inst, fsNote).lines, std::vector<std::string>{note});
  EXPECT_EQ(check(inst, fsNote, "Body").lines, std::vector<std::string>{note});
  EXPECT_TRUE(check(inst, fsNote, "Gateway").lines.empty());
  EXPECT_TRUE(check(inst, fsWarning).lines.empty());
  check(inst, fsNote, "Nowhere", rcModuleNotFound);

  Instance faulty;
  ASSERT_EQ(Ordex_ReadAsapFile(faulty, ordex_test::dataPath("check/duplicate_names.a2l").c_str(),
                               nullptr, nullptr),
            rcOk);
  Collected stopped;
  stopped.stopAfter = 2;
  EXPECT_EQ(Ordex_CheckConsistency(faulty, nullptr, fsNote, collect, &stopped),
            rcAbortedByCallback);
  EXPECT_EQ(stopped.records.size(), 2u);

  EXPECT_EQ(Ordex_CheckConsistency(nullptr, nullptr, fsNote, collect, &stopped), rcNoInstance);
  EXPECT_EQ(Ordex_CheckConsistency(faulty, nullptr, fsNote, nullptr, nullptr), rcNullArgument);
  Instance empty;
  EXPECT_EQ(Ordex_CheckConsistency(empty, nullptr, fsNote, collect, &stopped), rcNoProject);
}

}  // namespace
