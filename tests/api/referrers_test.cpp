// Ordex_GetReferrers through the public interface: every referrer of names of every kind,
// with the field that holds the name, dangling names, the comparison mode and the callback.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using Lines = std::vector<std::string>;

struct Collected {
  Lines lines;
  int stopAfter = -1;
};

// "FUNCTION F IN_MEASUREMENT 32": keyword, name, field and the target kinds.
int collect(const TReferrer* r, void* context) {
  auto* c = static_cast<Collected*>(context);
  c->lines.push_back(std::string(r->Keyword) + " " + r->Name + " " + r->Field + " " +
                     std::to_string(r->TargetKinds));
  EXPECT_EQ(std::string(r->Keyword) == "FUNCTION", r->Kind == etFunction);
  return c->stopAfter >= 0 && static_cast<int>(c->lines.size()) >= c->stopAfter;
}

Lines referrers(TOrdex* inst, const char* name, const char* module = nullptr) {
  Collected c;
  EXPECT_EQ(Ordex_GetReferrers(inst, module, name, collect, &c), rcOk) << name;
  return c.lines;
}

struct Case {
  const char* name;
  Lines expected;
};

const std::string kMea = std::to_string(etMeasurement), kCha = std::to_string(etCharacteristic),
                  kCm = std::to_string(etCompuMethod), kRl = std::to_string(etRecordLayout),
                  kAp = std::to_string(etAxisPts), kFn = std::to_string(etFunction);

// references_of_every_kind.a2l: one name of each target kind.
const Case kCases[] = {
    {"Speed",
     {"CHARACTERISTIC Map Axes[0].InputQuantity " + kMea,
      "CHARACTERISTIC Map Axes[1].InputQuantity " + kMea,
      "AXIS_PTS SpeedAxis InputQuantity " + kMea, "MEASUREMENT Derived VIRTUAL " + kMea,
      "FUNCTION F IN_MEASUREMENT " + kMea, "FUNCTION G OUT_MEASUREMENT " + kMea,
      "FUNCTION G LOC_MEASUREMENT " + kMea, "VAR_CRITERION Trim VarMeasurement " + kMea}},
    {"Map",
     {"FUNCTION F DEF_CHARACTERISTIC " + kCha, "FUNCTION G REF_CHARACTERISTIC " + kCha,
      "VAR_CHARACTERISTIC Map Name " + kCha,
      "VAR_CRITERION Trim VarSelectionCharacteristic " + kCha}},
    // Its FUNCTION_LIST moved it into F's DEF_CHARACTERISTIC when the file was read.
    {"Map2", {"FUNCTION F DEF_CHARACTERISTIC " + kCha}},
    {"SpeedAxis", {"CHARACTERISTIC Map Axes[1].AxisPtsRef " + kAp, "FUNCTION F AXIS_PTS " + kAp}},
    {"CM",
     {"CHARACTERISTIC Map Conversion " + kCm, "CHARACTERISTIC Map Axes[0].Conversion " + kCm,
      "AXIS_PTS SpeedAxis Conversion " + kCm, "MEASUREMENT Speed Conversion " + kCm,
      "MEASUREMENT Derived Conversion " + kCm, "MEASUREMENT Lonely Conversion " + kCm}},
    // A MEASUREMENT and a COMPU_METHOD at once: the target kinds tell the fields apart.
    {"Both",
     {"CHARACTERISTIC Map Axes[1].Conversion " + kCm, "CHARACTERISTIC Map2 Conversion " + kCm,
      "MEASUREMENT Both Conversion " + kCm, "FUNCTION F IN_MEASUREMENT " + kMea}},
    {"VT", {"COMPU_METHOD CM_VERB CompuTabRef " + std::to_string(etCompuVTab)}},
    {"TAB", {"COMPU_METHOD CM_TAB CompuTabRef " + std::to_string(etCompuTab)}},
    {"RL",
     {"CHARACTERISTIC Map Deposit " + kRl, "CHARACTERISTIC Map2 Deposit " + kRl,
      "AXIS_PTS SpeedAxis Deposit " + kRl}},
    {"G", {"FUNCTION F SUB_FUNCTION " + kFn}},
    {"Load", {"MEASUREMENT Derived VIRTUAL " + kMea, "FUNCTION G LOC_MEASUREMENT " + kMea}},
    {"Unused", {}},
    {"Lonely", {}},
    {"NoSuchName", {}},
};

TEST(Referrers, EveryReferrerOfEveryKindWithItsField) {
  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, ordex_test::dataPath("references_of_every_kind.a2l").c_str(),
                               nullptr, nullptr),
            rcOk);
  for (const Case& c : kCases) EXPECT_EQ(referrers(inst, c.name), c.expected) << c.name;
}

TEST(Referrers, NamesThatNameNothingAreListedToo) {
  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, ordex_test::dataPath("check/dangling_references.a2l").c_str(),
                               nullptr, nullptr),
            rcOk);
  EXPECT_EQ(referrers(inst, "cv_counter"),
            (Lines{"MEASUREMENT Speed Conversion " + kCm, "MEASUREMENT Load Conversion " + kCm}));
  // A table reference of a method that names no table kind may be either.
  EXPECT_EQ(referrers(inst, "NoTab"),
            Lines{"COMPU_METHOD CM_TAB_MISSING CompuTabRef " + std::to_string(etCompuTab)});
  // The words for "none" are no references.
  EXPECT_TRUE(referrers(inst, "NO_COMPU_METHOD").empty());
  EXPECT_TRUE(referrers(inst, "NO_INPUT_QUANTITY").empty());
}

TEST(Referrers, NamesCompareUnderTheComparisonMode) {
  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, ordex_test::dataPath("references_of_every_kind.a2l").c_str(),
                               nullptr, nullptr),
            rcOk);
  EXPECT_TRUE(referrers(inst, "speedaxis").empty());
  Ordex_ConfigureStringComparison(1);
  const Lines folded = referrers(inst, "speedaxis");
  Ordex_ConfigureStringComparison(0);
  EXPECT_EQ(folded, referrers(inst, "SpeedAxis"));
}

TEST(Referrers, CallbackModulesAndArguments) {
  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, ordex_test::dataPath("two_modules_every_kind.a2l").c_str(),
                               nullptr, nullptr),
            rcOk);
  Collected c;
  EXPECT_EQ(Ordex_GetReferrers(inst, nullptr, "Light", collect, &c), rcModuleNotFound);
  EXPECT_EQ(referrers(inst, "Light", "Gateway"), Lines{});
  c.stopAfter = 1;
  EXPECT_EQ(Ordex_GetReferrers(inst, "Body", "Light", collect, &c), rcAbortedByCallback);
  EXPECT_EQ(c.lines, Lines{"MEASUREMENT Light VIRTUAL " + kMea});
  EXPECT_EQ(Ordex_GetReferrers(inst, "Body", nullptr, collect, &c), rcNullArgument);
  EXPECT_EQ(Ordex_GetReferrers(inst, "Body", "Light", nullptr, nullptr), rcNullArgument);
  EXPECT_EQ(Ordex_GetReferrers(nullptr, "Body", "Light", collect, &c), rcNoInstance);
  Instance empty;
  EXPECT_EQ(Ordex_GetReferrers(empty, nullptr, "Light", collect, &c), rcModuleNotFound);
}

}  // namespace
