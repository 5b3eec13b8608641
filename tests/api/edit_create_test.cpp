// Create and add-to operations through the exported interface.

#include <iterator>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "api/edit_records.h"
#include "support/test_support.h"

namespace {

using ordex_test::createProjectWithModule;
using ordex_test::Instance;
using ordex_test::named;
using ordex_test::Names;
using ordex_test::poisoned;
using ordex_test::setText;

// An instance holds one project, created or read: a second one is refused.
TEST(EditCreateProject, ASecondProjectIsRefused) {
  Instance created, read;
  TProject p = named<TProject>("First");
  ASSERT_EQ(rcOk, Ordex_CreateProject(created, &p));
  ASSERT_EQ(rcOk, ordex_test::readText(read,
                                       "/begin PROJECT Read \"\"\n/begin MODULE M \"\"\n"
                                       "/end MODULE\n/end PROJECT\n"));
  for (TOrdex* inst : {created.get(), read.get()}) {
    TProject before = named<TProject>(""), after = named<TProject>("");
    ASSERT_EQ(rcOk, Ordex_GetProject(inst, &before, 0));
    TProject other = named<TProject>("Other");
    EXPECT_EQ(rcProjectExists, Ordex_CreateProject(inst, &other));
    ASSERT_EQ(rcOk, Ordex_GetProject(inst, &after, 0));
    EXPECT_STREQ(before.Name, after.Name);
  }
  EXPECT_EQ(Names{"M"}, ordex_test::moduleNames(read));
}

TEST(EditCreate, DuplicateNamesAreAppendedAndLookupsFindTheFirst) {
  Instance inst;
  createProjectWithModule(inst);
  const std::pair<const char*, uint32_t> objects[] = {{"A", 1}, {"B", 2}, {"A", 3}};
  for (auto [name, userData] : objects) {
    TCharacteristic c = named<TCharacteristic>(name);
    c.UserData = userData;
    ASSERT_EQ(rcOk, Ordex_CreateCharacteristic(inst, nullptr, &c));
  }
  EXPECT_EQ((Names{"A", "B", "A"}), ordex_test::namesOf(inst, Ordex_GetCharacteristicList));
  TCharacteristic got = named<TCharacteristic>("A");
  ASSERT_EQ(rcOk, Ordex_GetCharacteristic(inst, nullptr, &got, 0));
  EXPECT_EQ(1u, got.UserData);
}

// CURVE, MAP and CUBOID carry one, two and three axes; the getter writes no others.
TEST(EditCreate, CharacteristicCarriesOnlyTheAxesOfItsType) {
  Instance inst;
  createProjectWithModule(inst);
  const struct {
    int32_t type;
    int axes;
  } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 0}, {5, 0}, {6, 0}, {-1, 0}};
  for (const auto& k : cases) {
    const std::string name = "C" + std::to_string(k.type);
    TCharacteristic2 c = named<TCharacteristic2>(name);
    c.Type = k.type;
    for (int i = 0; i < 3; ++i) {
      c.Axes[i].Attribute = i;
      setText(c.Axes[i].InputQuantity, "in" + std::to_string(i));
      c.Axes[i].AxisPointsMode = 2;
      c.Axes[i].FixAxisParShift = 10 + i;
    }
    ASSERT_EQ(rcOk, Ordex_CreateCharacteristic2(inst, nullptr, &c));
    TCharacteristic2 got = poisoned<TCharacteristic2>(name);
    ASSERT_EQ(rcOk, Ordex_GetCharacteristic2(inst, nullptr, &got, 0));
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(name + " axis " + std::to_string(i));
      if (i >= k.axes) {
        EXPECT_EQ(ordex_test::kPoison, got.Axes[i].Attribute);
        continue;
      }
      EXPECT_EQ(i, got.Axes[i].Attribute);
      EXPECT_EQ("in" + std::to_string(i), got.Axes[i].InputQuantity);
      EXPECT_EQ(2, got.Axes[i].AxisPointsMode);
      EXPECT_EQ(10 + i, got.Axes[i].FixAxisParShift);
    }
  }
}

// Entries are neither resolved nor checked: any name is taken, twice too, and each entry
// can be removed once. The AXIS_PTS list is reached under both exported names.
TEST(EditAddTo, FunctionListsTakeAnyNameAsOftenAsGiven) {
  using NameOp = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, const char*);
  const struct {
    NameOp add, remove;
  } lists[] = {
      {Ordex_AddToAFuncsDefChaList, Ordex_RemFromAFuncsDefChaList},
      {Ordex_AddToAFuncsRefChaList, Ordex_RemFromAFuncsRefChaList},
      {Ordex_AddToAFuncsInMeaList, Ordex_RemFromAFuncsInMeaList},
      {Ordex_AddToAFuncsOutMeaList, Ordex_RemFromAFuncsOutMeaList},
      {Ordex_AddToAFuncsLocMeaList, Ordex_RemFromAFuncsLocMeaList},
      {Ordex_AddToAFuncsSubFuncList, Ordex_RemFromAFuncsSubFuncList},
      {Ordex_AddToAAxisPtsFuncList, Ordex_RemFromAFuncsAxisPtsList},
      {Ordex_AddToAAxisPtsFuncList_Intern, Ordex_RemFromAFuncsAxisPtsList},
  };
  Instance inst;
  createProjectWithModule(inst);
  TFunction f = named<TFunction>("F");
  ASSERT_EQ(rcOk, Ordex_CreateFunction(inst, nullptr, &f));
  for (size_t l = 0; l < std::size(lists); ++l) {
    SCOPED_TRACE(l);
    EXPECT_EQ(rcOk, lists[l].add(inst, nullptr, "F", "NoSuchObject"));
    EXPECT_EQ(rcOk, lists[l].add(inst, nullptr, "F", "NoSuchObject"));
    EXPECT_EQ(rcOk, lists[l].remove(inst, nullptr, "F", "NoSuchObject"));
    EXPECT_EQ(rcOk, lists[l].remove(inst, nullptr, "F", "NoSuchObject"));
    EXPECT_EQ(rcListEntryNotFound, lists[l].remove(inst, nullptr, "F", "NoSuchObject"));
  }
}

// An IF_DATA entry of any content (null is empty) is appended as often as given and removed
// by its name, first to last.
TEST(EditAddTo, IfDataEntriesOfEachOwnerKind) {
  const struct {
    TOrdexReturnCode (*add)(TOrdex*, const char*, const char*, const TIfDataRecord*);
    TOrdexReturnCode (*remove)(TOrdex*, const char*, const char*, const char*);
    TOrdexReturnCode (*next)(TOrdex*, const char*, const char*, TIfDataRecord*);
  } owners[] = {
      {Ordex_AddToAMemSegsIfDataList, Ordex_RemFromAMemSegsIfDataList, Ordex_GetAMemSegsNextIfData},
      {Ordex_AddToAChasIfDataList, Ordex_RemFromAChasIfDataList, Ordex_GetAChasNextIfData},
      {Ordex_AddToAMeasIfDataList, Ordex_RemFromAMeasIfDataList, Ordex_GetAMeasNextIfData},
      {Ordex_AddToAAxisPtsIfDataList, Ordex_RemFromAAxisPtsIfDataList, Ordex_GetAAxisPtsNextIfData},
  };
  Instance inst;
  createProjectWithModule(inst);
  TMemorySegment s = named<TMemorySegment>("O");
  TCharacteristic c = named<TCharacteristic>("O");
  TMeasurement m = named<TMeasurement>("O");
  TAxisPts a = named<TAxisPts>("O");
  ASSERT_EQ(rcOk, Ordex_CreateMemorySegment(inst, nullptr, &s));
  ASSERT_EQ(rcOk, Ordex_CreateCharacteristic(inst, nullptr, &c));
  ASSERT_EQ(rcOk, Ordex_CreateMeasurement(inst, nullptr, &m));
  ASSERT_EQ(rcOk, Ordex_CreateAxisPts(inst, nullptr, &a));
  for (size_t o = 0; o < std::size(owners); ++o) {
    SCOPED_TRACE(o);
    TIfDataRecord r = named<TIfDataRecord>("XCP");
    r.Content = "/begin DAQ 1 /end DAQ ";
    EXPECT_EQ(rcOk, owners[o].add(inst, nullptr, "O", &r));
    r.Content = nullptr;
    EXPECT_EQ(rcOk, owners[o].add(inst, nullptr, "O", &r));
    EXPECT_EQ(rcIfDataNotFound, owners[o].remove(inst, nullptr, "O", "CCP"));
    EXPECT_EQ(rcOk, owners[o].remove(inst, nullptr, "O", "XCP"));
    TIfDataRecord left = named<TIfDataRecord>("");
    ASSERT_EQ(rcOk, owners[o].next(inst, nullptr, "O", &left));
    EXPECT_STREQ("XCP", left.Name);
    EXPECT_STREQ("", left.Content);
    EXPECT_EQ(rcOk, owners[o].remove(inst, nullptr, "O", "XCP"));
    EXPECT_EQ(rcIfDataNotFound, owners[o].remove(inst, nullptr, "O", "XCP"));
  }
}

}  // namespace
