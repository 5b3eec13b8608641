// Create and add-to operations through the exported interface.

#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "api/edit_records.h"
#include "support/test_support.h"

namespace {

using ordex_test::createProjectWithModule;
using ordex_test::Instance;
using ordex_test::named;
using ordex_test::Names;
using ordex_test::setText;

// An instance holds one project, created or read: a second one is refused.
TEST(EditCreate, ASecondProjectIsRefused) {
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

// CURVE, MAP and CUBOID store one, two and three axes of the record; the slots a type does
// not use keep what they held, empty at first, also when the type changes. The query that
// looks at every slot tells which input quantities are stored.
TEST(EditCreate, CharacteristicStoresTheAxesOfItsType) {
  Instance inst;
  createProjectWithModule(inst);
  auto storedAxes = [&](const std::string& name) {
    std::string axes;
    for (int i = 0; i < 3; ++i) {
      char owner[ORDEX_TEXT_SIZE] = "";
      const std::string input = name + "_in" + std::to_string(i);
      if (Ordex_GetAChaWithRefToMea(inst, nullptr, input.c_str(), owner) == rcOk) {
        axes += owner == name ? std::to_string(i) : "?";
      }
    }
    return axes;
  };
  const struct {
    int32_t type;
    const char* axes;
  } cases[] = {{0, ""}, {1, "0"}, {2, "01"}, {3, "012"}, {4, ""}, {5, ""}, {6, ""}, {-1, ""}};
  for (const auto& k : cases) {
    const std::string name = "C" + std::to_string(k.type + 1);
    TCharacteristic2 c = named<TCharacteristic2>(name);
    c.Type = k.type;
    for (int i = 0; i < 3; ++i) {
      c.Axes[i].Attribute = i;
      setText(c.Axes[i].InputQuantity, name + "_in" + std::to_string(i));
      c.Axes[i].AxisPointsMode = 2;
      c.Axes[i].FixAxisParShift = 10 + i;
    }
    ASSERT_EQ(rcOk, Ordex_CreateCharacteristic2(inst, nullptr, &c));
    EXPECT_EQ(k.axes, storedAxes(name)) << name;
    TCharacteristic2 got = ordex_test::poisoned<TCharacteristic2>(name);
    ASSERT_EQ(rcOk, Ordex_GetCharacteristic2(inst, nullptr, &got, 0));
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(name + " axis " + std::to_string(i));
      if (k.axes[i] == '\0') {
        EXPECT_EQ(ordex_test::kPoison, got.Axes[i].Attribute);  // the getter writes no more
        break;
      }
      EXPECT_EQ(i, got.Axes[i].Attribute);
      EXPECT_EQ(2, got.Axes[i].AxisPointsMode);
      EXPECT_EQ(10 + i, got.Axes[i].FixAxisParShift);
    }
  }
  // The CUBOID changed into a VALUE with other axes keeps its three.
  TCharacteristic c = named<TCharacteristic>("C4");
  setText(c.Axes[0].InputQuantity, "C4_changed");
  ASSERT_EQ(rcOk, Ordex_ChangeCharacteristic(inst, nullptr, &c));
  EXPECT_EQ("012", storedAxes("C4"));
}

TEST(EditAddTo, TheAxisPtsListIsReachedUnderBothNames) {
  Instance inst;
  createProjectWithModule(inst);
  TFunction f = named<TFunction>("F");
  ASSERT_EQ(rcOk, Ordex_CreateFunction(inst, nullptr, &f));
  ASSERT_EQ(rcOk, Ordex_AddToAAxisPtsFuncList_Intern(inst, nullptr, "F", "A"));
  ASSERT_EQ(rcOk, Ordex_AddToAAxisPtsFuncList(inst, nullptr, "F", "A"));
  EXPECT_EQ(rcOk, Ordex_RemFromAFuncsAxisPtsList(inst, nullptr, "F", "A"));
  EXPECT_EQ(rcOk, Ordex_RemFromAFuncsAxisPtsList(inst, nullptr, "F", "A"));
  EXPECT_EQ(rcListEntryNotFound, Ordex_RemFromAFuncsAxisPtsList(inst, nullptr, "F", "A"));
}

// An IF_DATA entry of any content (null is empty) is appended as often as given and removed
// by its name, first to last, from the owner of its own kind.
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
