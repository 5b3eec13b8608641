// The FUNCTION_LIST names of a read that failed stay pending until the reference finder
// folds them into the functions' lists. Objects renamed or removed in between: a renamed
// object is folded under its new name, a removed one takes its names with it (in the
// sanitizer build a name left pointing at a freed record is a failure).

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "api/edit_records.h"
#include "support/test_support.h"

namespace {

using ordex_test::named;
using ordex_test::Names;
using ordex_test::setText;

constexpr int kFold = static_cast<int>(ORDEX_FOLD_FUNCTION_LISTS);
constexpr int kResolve = ORDEX_FIND_OBJECT_SIDE | ORDEX_FIND_FUNCTION_SIDE;

// F lists C2 itself; the FUNCTION_LIST names come after. The read fails at the last line.
const char* const kFailingFile = R"(/begin PROJECT P ""
  /begin MODULE M ""
    /begin FUNCTION F "" /begin DEF_CHARACTERISTIC C2 /end DEF_CHARACTERISTIC /end FUNCTION
    /begin CHARACTERISTIC C1 "" VALUE 0x10 RL 0 CM 0 1
      /begin FUNCTION_LIST F G /end FUNCTION_LIST /end CHARACTERISTIC
    /begin MEASUREMENT M1 "" UBYTE CM 1 0 0 1 /begin FUNCTION_LIST G F /end FUNCTION_LIST
    /end MEASUREMENT
    /begin AXIS_PTS A1 "" 0x20 M1 RL 0 CM 4 0 10 /begin FUNCTION_LIST F /end FUNCTION_LIST
    /end AXIS_PTS
    /begin CHARACTERISTIC C2 "" VALUE 0x30 RL 0 CM 0 1
      /begin FUNCTION_LIST F /end FUNCTION_LIST /end CHARACTERISTIC
    /begin MEASUREMENT M2 "" UBYTE CM 1 0 0 1 /begin FUNCTION_LIST F /end FUNCTION_LIST
    /end MEASUREMENT
    /begin FUNCTION G "" /end FUNCTION
    /begin CHARACTERISTIC Bad "" VALUE 0x40 RL 0 CM 0 notANumber /end CHARACTERISTIC
  /end MODULE
/end PROJECT
)";

using Enumerator = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, char*);

Names listOf(TOrdex* inst, Enumerator next, const char* function) {
  Names names;
  char name[ORDEX_TEXT_SIZE] = "";
  while (next(inst, nullptr, function, name) == rcOk && name[0]) names.push_back(name);
  return names;
}

// The functions' lists the FUNCTION_LIST names go to, as "F DEF_CHARACTERISTIC: C2 C1 ...".
Names functionLists(TOrdex* inst) {
  const std::pair<const char*, Enumerator> lists[] = {
      {"DEF_CHARACTERISTIC", Ordex_GetAFuncsNextDefChaName},
      {"IN_MEASUREMENT", Ordex_GetAFuncsNextInMeaName},
      {"AXIS_PTS", Ordex_GetAFuncsNextAxisPtsName}};
  Names out;
  for (const char* function : {"F", "G"}) {
    for (const auto& [keyword, next] : lists) {
      std::string line = std::string(function) + " " + keyword + ":";
      for (const std::string& n : listOf(inst, next, function)) line += " " + n;
      out.push_back(line);
    }
  }
  return out;
}

template <class Record>
TOrdexReturnCode respell(TOrdex* inst, const char* name, const char* spelling,
                         TOrdexReturnCode (*get)(TOrdex*, const char*, Record*, int),
                         TOrdexReturnCode (*change)(TOrdex*, const char*, const Record*)) {
  Record r = named<Record>(name);
  if (TOrdexReturnCode rc = get(inst, nullptr, &r, 0); rc != rcOk) return rc;
  setText(r.Name, spelling);
  Ordex_ConfigureStringComparison(1);
  TOrdexReturnCode rc = change(inst, nullptr, &r);
  Ordex_ConfigureStringComparison(0);
  return rc;
}

struct Case {
  const char* what;
  void (*edit)(TOrdex*);
  Names expected;  // the lists after the fold
};

const Case kCases[] = {
    {"nothing changed",
     [](TOrdex*) {},
     {"F DEF_CHARACTERISTIC: C2 C1 C2", "F IN_MEASUREMENT: M1 M2", "F AXIS_PTS: A1",
      "G DEF_CHARACTERISTIC: C1", "G IN_MEASUREMENT: M1", "G AXIS_PTS:"}},
    {"one of each kind removed",
     [](TOrdex* inst) {
       ASSERT_EQ(rcOk, Ordex_RemoveCharacteristic(inst, nullptr, "C1"));
       ASSERT_EQ(rcOk, Ordex_RemoveMeasurement(inst, nullptr, "M2"));
       ASSERT_EQ(rcOk, Ordex_RemoveAxisPts(inst, nullptr, "A1"));
     },
     {"F DEF_CHARACTERISTIC: C2 C2", "F IN_MEASUREMENT: M1",
      "F AXIS_PTS:", "G DEF_CHARACTERISTIC:", "G IN_MEASUREMENT: M1", "G AXIS_PTS:"}},
    {"renamed in letter case",
     [](TOrdex* inst) {
       ASSERT_EQ(rcOk, respell<TCharacteristic>(inst, "C1", "c1", Ordex_GetCharacteristic,
                                                Ordex_ChangeCharacteristic));
       ASSERT_EQ(rcOk, respell<TMeasurement>(inst, "M1", "m1", Ordex_GetMeasurement,
                                             Ordex_ChangeMeasurement));
       ASSERT_EQ(rcOk, respell<TAxisPts>(inst, "A1", "a1", Ordex_GetAxisPts, Ordex_ChangeAxisPts));
     },
     {"F DEF_CHARACTERISTIC: C2 c1 C2", "F IN_MEASUREMENT: m1 M2", "F AXIS_PTS: a1",
      "G DEF_CHARACTERISTIC: c1", "G IN_MEASUREMENT: m1", "G AXIS_PTS:"}},
    {"renamed, then removed, then made anew",
     [](TOrdex* inst) {
       ASSERT_EQ(rcOk, respell<TMeasurement>(inst, "M1", "m1", Ordex_GetMeasurement,
                                             Ordex_ChangeMeasurement));
       ASSERT_EQ(rcOk, Ordex_RemoveMeasurement(inst, nullptr, "m1"));
       TMeasurement again = named<TMeasurement>("M1");
       ASSERT_EQ(rcOk, Ordex_CreateMeasurement(inst, nullptr, &again));
       ASSERT_EQ(rcOk, Ordex_RemoveCharacteristic(inst, nullptr, "C2"));
     },
     {"F DEF_CHARACTERISTIC: C2 C1", "F IN_MEASUREMENT: M2", "F AXIS_PTS: A1",
      "G DEF_CHARACTERISTIC: C1", "G IN_MEASUREMENT:", "G AXIS_PTS:"}},
};

TEST(PendingFunctionLists, EditsBetweenAFailedReadAndTheFoldAreFollowed) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    ordex_test::Instance inst;
    ASSERT_EQ(rcBadNumber, ordex_test::readText(inst, kFailingFile));
    c.edit(inst);
    // Nothing folded yet: only what F lists itself.
    EXPECT_EQ((Names{"F DEF_CHARACTERISTIC: C2", "F IN_MEASUREMENT:", "F AXIS_PTS:",
                     "G DEF_CHARACTERISTIC:", "G IN_MEASUREMENT:", "G AXIS_PTS:"}),
              functionLists(inst));
    EXPECT_EQ(0, Ordex_ReferenceFinder(inst, kFold | kResolve, 0, 0, nullptr));
    EXPECT_EQ(c.expected, functionLists(inst));
    // Folded once only. The entries resolve; removing what they lead to leaves them by name.
    EXPECT_EQ(0, Ordex_ReferenceFinder(inst, kFold | kResolve, 0, 0, nullptr));
    EXPECT_EQ(c.expected, functionLists(inst));
    for (const char* name : {"C1", "c1", "C2"}) Ordex_RemoveCharacteristic(inst, nullptr, name);
    for (const char* name : {"M1", "m1", "M2"}) Ordex_RemoveMeasurement(inst, nullptr, name);
    for (const char* name : {"A1", "a1"}) Ordex_RemoveAxisPts(inst, nullptr, name);
    EXPECT_EQ(0, Ordex_ReferenceFinder(inst, kFold | kResolve, 0, 0, nullptr));
    EXPECT_EQ(c.expected, functionLists(inst));
  }
}

}  // namespace
