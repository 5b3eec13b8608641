// Create and add-to operations through the exported interface.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "api/edit_records.h"
#include "support/test_support.h"

namespace {

using ordex_test::createProjectWithModule;
using ordex_test::Instance;
using ordex_test::moduleRecord;
using ordex_test::named;
using ordex_test::namesOf;
using ordex_test::poisoned;
using ordex_test::projectRecord;
using ordex_test::readText;
using ordex_test::setText;

int countOf(TOrdex* inst, int mask) {
  int n = -1;
  EXPECT_EQ(rcOk, Ordex_GetNumObjects(inst, nullptr, mask, &n));
  return n;
}

TEST(EditCreateProject, TakesEveryFieldAndRefusesASecondProject) {
  Instance inst;
  TProject p = projectRecord("Engine");
  p.Asap2Version = 1;
  p.Asap2Upgrade = 61;
  setText(p.FileHeadComment, "/* head */");
  setText(p.HeaderComment, "header comment");
  setText(p.HeaderVersion, "V1.0");
  setText(p.HeaderProjectNo, "P42");
  p.UserData = 0xCAFEu;
  ASSERT_EQ(rcOk, Ordex_CreateProject(inst, &p));

  TProject got = poisoned<TProject>("");
  ASSERT_EQ(rcOk, Ordex_GetProject(inst, &got, 0));
  EXPECT_STREQ("Engine", got.Name);
  EXPECT_STREQ("project Engine", got.LongIdentifier);
  EXPECT_EQ(1, got.Asap2Version);
  EXPECT_EQ(61, got.Asap2Upgrade);
  EXPECT_STREQ("/* head */", got.FileHeadComment);
  EXPECT_STREQ("header comment", got.HeaderComment);
  EXPECT_STREQ("V1.0", got.HeaderVersion);
  EXPECT_STREQ("P42", got.HeaderProjectNo);
  EXPECT_EQ(0xCAFEu, got.UserData);

  TProject other = projectRecord("Other");
  EXPECT_EQ(rcProjectExists, Ordex_CreateProject(inst, &other));
  ASSERT_EQ(rcOk, Ordex_GetProject(inst, &got, 0));
  EXPECT_STREQ("Engine", got.Name);
}

TEST(EditCreateProject, AProjectReadFromAFileStays) {
  Instance inst;
  ASSERT_EQ(rcOk, readText(inst,
                           "/begin PROJECT Read \"\"\n/begin MODULE M \"\"\n/end MODULE\n"
                           "/end PROJECT\n"));
  TProject p = projectRecord("Created");
  EXPECT_EQ(rcProjectExists, Ordex_CreateProject(inst, &p));
  TProject got = named<TProject>("");
  ASSERT_EQ(rcOk, Ordex_GetProject(inst, &got, 0));
  EXPECT_STREQ("Read", got.Name);
  EXPECT_EQ(std::vector<std::string>{"M"}, ordex_test::moduleNames(inst));
}

TEST(EditCreateModule, NeedsAProjectAndIsFoundAfterwards) {
  Instance inst;
  TModule m = moduleRecord("ECU");
  EXPECT_EQ(rcNoProject, Ordex_CreateModule(inst, &m));
  TProject p = projectRecord("P");
  ASSERT_EQ(rcOk, Ordex_CreateProject(inst, &p));
  ASSERT_EQ(rcOk, Ordex_CreateModule(inst, &m));
  TModule got = named<TModule>("");
  ASSERT_EQ(rcOk, Ordex_GetModule(inst, &got, 0));  // the only module
  EXPECT_STREQ("ECU", got.Name);
  // Objects go to it by name or as the only module.
  TFunction f = named<TFunction>("F");
  EXPECT_EQ(rcOk, Ordex_CreateFunction(inst, "ECU", &f));
  EXPECT_EQ(rcOk, Ordex_CreateFunction(inst, nullptr, &f));
  EXPECT_EQ(rcModuleNotFound, Ordex_CreateFunction(inst, "Other", &f));
  EXPECT_EQ(2, countOf(inst, etFunction));
}

TEST(EditCreate, DuplicateNamesAreAppendedAndLookupsFindTheFirst) {
  Instance inst;
  createProjectWithModule(inst);
  TCharacteristic c = named<TCharacteristic>("A");
  c.UserData = 1;
  ASSERT_EQ(rcOk, Ordex_CreateCharacteristic(inst, nullptr, &c));
  setText(c.Name, "B");
  ASSERT_EQ(rcOk, Ordex_CreateCharacteristic(inst, nullptr, &c));
  setText(c.Name, "A");
  c.UserData = 2;
  ASSERT_EQ(rcOk, Ordex_CreateCharacteristic(inst, nullptr, &c));

  EXPECT_EQ((std::vector<std::string>{"A", "B", "A"}), namesOf(inst, Ordex_GetCharacteristicList));
  TCharacteristic got = named<TCharacteristic>("A");
  ASSERT_EQ(rcOk, Ordex_GetCharacteristic(inst, nullptr, &got, 0));
  EXPECT_EQ(1u, got.UserData);
}

TEST(EditCreate, CharacteristicCarriesOnlyTheAxesOfItsType) {
  Instance inst;
  createProjectWithModule(inst);
  const struct {
    int32_t type;
    int axes;
  } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 0}, {5, 0}, {6, 0}, {-1, 0}};
  for (const auto& k : cases) {
    std::string name = "C" + std::to_string(k.type);
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
      if (i < k.axes) {
        EXPECT_EQ(i, got.Axes[i].Attribute) << name << " axis " << i;
        EXPECT_EQ("in" + std::to_string(i), got.Axes[i].InputQuantity);
        EXPECT_EQ(2, got.Axes[i].AxisPointsMode);
        EXPECT_EQ(10 + i, got.Axes[i].FixAxisParShift);
      } else {
        EXPECT_EQ(0x5A5A5A5A, got.Axes[i].Attribute) << name << " axis " << i;
      }
    }
  }
}

TEST(EditCreate, CompuVTabBeyondTwentyPairsHasEmptyPairsBehindTheRecords) {
  Instance inst;
  createProjectWithModule(inst);
  const std::string longText(255, 'x');
  TCompuVTab v = named<TCompuVTab>("VT");
  v.ConversionType = 4;
  v.NumberValuePairs = 25;
  for (int k = 0; k < ORDEX_COMPU_VTAB_PAIRS; ++k) {
    v.Pairs[k].InVal = 100 + k;
    setText(v.Pairs[k].OutText, longText.substr(0, 250) + std::to_string(k));
  }
  ASSERT_EQ(rcOk, Ordex_CreateCompuVTab(inst, nullptr, &v));

  TCompuVTab got = poisoned<TCompuVTab>("VT");
  ASSERT_EQ(rcOk, Ordex_GetCompuVTab(inst, nullptr, &got, 0));
  EXPECT_EQ(25, got.NumberValuePairs);
  EXPECT_EQ(119, got.Pairs[19].InVal);
  EXPECT_EQ(longText.substr(0, 250) + "19", got.Pairs[19].OutText);

  std::vector<TCompuVTabEntry> all(25);
  ASSERT_EQ(rcOk, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, "VT", all.data()));
  for (int k = 0; k < 25; ++k) {
    TCompuVTabValue value;
    value.Index = static_cast<uint32_t>(k);
    ASSERT_EQ(rcOk, Ordex_GetACompuVTabValueByIndex(inst, nullptr, "VT", &value));
    if (k < 20) {
      EXPECT_EQ(100 + k, all[k].InVal);
      EXPECT_EQ(longText.substr(0, 250) + std::to_string(k), all[k].OutText);
    } else {
      EXPECT_EQ(0, all[k].InVal) << k;
      EXPECT_STREQ("", all[k].OutText) << k;
      EXPECT_EQ(0, value.InVal);
      EXPECT_STREQ("", value.OutText);
    }
  }
  TCompuVTabValue beyond;
  beyond.Index = 25;
  EXPECT_EQ(rcInvalidArgument, Ordex_GetACompuVTabValueByIndex(inst, nullptr, "VT", &beyond));
}

TEST(EditCreate, CompuTabOfMoreThan256PairsIsRefused) {
  Instance inst;
  createProjectWithModule(inst);
  auto tab = std::make_unique<TCompuTab>(named<TCompuTab>("T"));
  tab->NumberValuePairs = 257;
  EXPECT_EQ(rcInvalidArgument, Ordex_CreateCompuTab(inst, nullptr, tab.get()));
  EXPECT_EQ(0, countOf(inst, etCompuTab));

  tab->NumberValuePairs = 256;
  for (int k = 0; k < 256; ++k) {
    tab->Pairs[k].InVal = k;
    ordex_test::setNumber(tab->Pairs[k].Out, std::to_string(k) + ".5", k + 0.5);
  }
  ASSERT_EQ(rcOk, Ordex_CreateCompuTab(inst, nullptr, tab.get()));
  auto got = std::make_unique<TCompuTab>(poisoned<TCompuTab>("T"));
  ASSERT_EQ(rcOk, Ordex_GetCompuTab(inst, nullptr, got.get(), 0));
  EXPECT_EQ(256, got->NumberValuePairs);
  EXPECT_EQ(255, got->Pairs[255].InVal);
  EXPECT_STREQ("255.5", got->Pairs[255].Out.Text);
  EXPECT_EQ(255.5, got->Pairs[255].Out.Value);
}

TEST(EditAddTo, SystemConstantOfAnExistingNameIsAppendedAgain) {
  Instance inst;
  createProjectWithModule(inst);
  ASSERT_EQ(rcOk, Ordex_AddToSystemConstantList(inst, nullptr, "Pi", "3.14"));
  ASSERT_EQ(rcOk, Ordex_AddToSystemConstantList(inst, nullptr, "Pi", "3"));
  EXPECT_EQ(2, countOf(inst, etSystemConstant));
  TSystemConstant c = named<TSystemConstant>("Pi");
  ASSERT_EQ(rcOk, Ordex_GetSystemConstant(inst, nullptr, &c, 0));
  EXPECT_STREQ("3.14", c.Value);
}

// Entries are neither resolved nor checked: any name is taken, twice too, and each entry
// can be removed once.
TEST(EditAddTo, FunctionListsTakeAnyNameAsOftenAsGiven) {
  using Add = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, const char*);
  const struct {
    const char* list;
    Add add;
    Add remove;
  } lists[] = {
      {"DEF_CHARACTERISTIC", Ordex_AddToAFuncsDefChaList, Ordex_RemFromAFuncsDefChaList},
      {"REF_CHARACTERISTIC", Ordex_AddToAFuncsRefChaList, Ordex_RemFromAFuncsRefChaList},
      {"IN_MEASUREMENT", Ordex_AddToAFuncsInMeaList, Ordex_RemFromAFuncsInMeaList},
      {"OUT_MEASUREMENT", Ordex_AddToAFuncsOutMeaList, Ordex_RemFromAFuncsOutMeaList},
      {"LOC_MEASUREMENT", Ordex_AddToAFuncsLocMeaList, Ordex_RemFromAFuncsLocMeaList},
      {"SUB_FUNCTION", Ordex_AddToAFuncsSubFuncList, Ordex_RemFromAFuncsSubFuncList},
      {"AXIS_PTS", Ordex_AddToAAxisPtsFuncList, Ordex_RemFromAFuncsAxisPtsList},
      {"AXIS_PTS (_Intern)", Ordex_AddToAAxisPtsFuncList_Intern, Ordex_RemFromAFuncsAxisPtsList},
  };
  for (const auto& l : lists) {
    Instance inst;
    createProjectWithModule(inst);
    TFunction f = named<TFunction>("F");
    ASSERT_EQ(rcOk, Ordex_CreateFunction(inst, nullptr, &f));
    EXPECT_EQ(rcOk, l.add(inst, nullptr, "F", "NoSuchObject")) << l.list;
    EXPECT_EQ(rcOk, l.add(inst, nullptr, "F", "NoSuchObject")) << l.list;
    EXPECT_EQ(rcFunctionNotFound, l.add(inst, nullptr, "G", "X")) << l.list;
    EXPECT_EQ(rcOk, l.remove(inst, nullptr, "F", "NoSuchObject")) << l.list;
    EXPECT_EQ(rcOk, l.remove(inst, nullptr, "F", "NoSuchObject")) << l.list;
    EXPECT_EQ(rcListEntryNotFound, l.remove(inst, nullptr, "F", "NoSuchObject")) << l.list;
  }
}

// Each list is its own: an entry added to one is not found in another.
TEST(EditAddTo, FunctionListsAreSeparate) {
  Instance inst;
  createProjectWithModule(inst);
  TFunction f = named<TFunction>("F");
  ASSERT_EQ(rcOk, Ordex_CreateFunction(inst, nullptr, &f));
  ASSERT_EQ(rcOk, Ordex_AddToAFuncsDefChaList(inst, nullptr, "F", "X"));
  EXPECT_EQ(rcListEntryNotFound, Ordex_RemFromAFuncsRefChaList(inst, nullptr, "F", "X"));
  ASSERT_EQ(rcOk, Ordex_AddToAFuncsInMeaList(inst, nullptr, "F", "M"));
  EXPECT_EQ(rcListEntryNotFound, Ordex_RemFromAFuncsOutMeaList(inst, nullptr, "F", "M"));
  EXPECT_EQ(rcListEntryNotFound, Ordex_RemFromAFuncsLocMeaList(inst, nullptr, "F", "M"));
  ASSERT_EQ(rcOk, Ordex_AddToAAxisPtsFuncList(inst, nullptr, "F", "AP"));
  EXPECT_EQ(rcListEntryNotFound, Ordex_RemFromAFuncsSubFuncList(inst, nullptr, "F", "AP"));
  EXPECT_EQ(rcOk, Ordex_RemFromAFuncsAxisPtsList(inst, nullptr, "F", "AP"));
}

TEST(EditAddTo, IfDataEntriesOfEachOwnerKind) {
  using AddIfData = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, const TIfDataRecord*);
  using RemIfData = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, const char*);
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
  const struct {
    const char* owner;
    AddIfData add;
    RemIfData remove;
    TOrdexReturnCode ownerMissing;
  } owners[] = {
      {"segment", Ordex_AddToAMemSegsIfDataList, Ordex_RemFromAMemSegsIfDataList,
       rcMemorySegmentNotFound},
      {"characteristic", Ordex_AddToAChasIfDataList, Ordex_RemFromAChasIfDataList,
       rcCharacteristicNotFound},
      {"measurement", Ordex_AddToAMeasIfDataList, Ordex_RemFromAMeasIfDataList,
       rcMeasurementNotFound},
      {"axis points", Ordex_AddToAAxisPtsIfDataList, Ordex_RemFromAAxisPtsIfDataList,
       rcAxisPtsNotFound},
  };
  for (const auto& o : owners) {
    TIfDataRecord r = named<TIfDataRecord>("XCP");
    r.Content = "/begin DAQ 1 /end DAQ ";
    EXPECT_EQ(rcOk, o.add(inst, nullptr, "O", &r)) << o.owner;
    r.Content = nullptr;  // an empty content
    EXPECT_EQ(rcOk, o.add(inst, nullptr, "O", &r)) << o.owner;
    EXPECT_EQ(o.ownerMissing, o.add(inst, nullptr, "Nobody", &r)) << o.owner;
    EXPECT_EQ(rcIfDataNotFound, o.remove(inst, nullptr, "O", "CCP")) << o.owner;
    EXPECT_EQ(rcOk, o.remove(inst, nullptr, "O", "XCP")) << o.owner;
    EXPECT_EQ(rcOk, o.remove(inst, nullptr, "O", "XCP")) << o.owner;
    EXPECT_EQ(rcIfDataNotFound, o.remove(inst, nullptr, "O", "XCP")) << o.owner;
    EXPECT_EQ(o.ownerMissing, o.remove(inst, nullptr, "Nobody", "XCP")) << o.owner;
  }
}

TEST(EditAddTo, AnnotationsOfCharacteristicsAndMeasurements) {
  Instance inst;
  createProjectWithModule(inst);
  TCharacteristic c = named<TCharacteristic>("C");
  TMeasurement m = named<TMeasurement>("M");
  ASSERT_EQ(rcOk, Ordex_CreateCharacteristic(inst, nullptr, &c));
  ASSERT_EQ(rcOk, Ordex_CreateMeasurement(inst, nullptr, &m));
  TAnnotationRecord a = ordex_test::zeroed<TAnnotationRecord>();
  setText(a.Label, "label");
  setText(a.Origin, "origin");
  setText(a.Text, std::string(2047, 't'), sizeof a.Text);
  EXPECT_EQ(rcOk, Ordex_AddToAChasAnnotatList(inst, nullptr, "C", &a));
  EXPECT_EQ(rcOk, Ordex_AddToAMeasAnnotatList(inst, nullptr, "M", &a));
  EXPECT_EQ(rcCharacteristicNotFound, Ordex_AddToAChasAnnotatList(inst, nullptr, "M", &a));
  EXPECT_EQ(rcMeasurementNotFound, Ordex_AddToAMeasAnnotatList(inst, nullptr, "C", &a));
}

}  // namespace
