// The return codes of every edit operation: null instance, missing project, module, owner
// and entry, null arguments. Each failing call must leave the model as it was.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "api/edit_records.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::moduleRecord;
using ordex_test::named;
using ordex_test::projectRecord;

struct Case {
  const char* what;
  std::function<TOrdexReturnCode(TOrdex*)> call;
  TOrdexReturnCode expected;   // when the object or owner is missing
  bool keyedByRecord = false;  // the name travels in the record's Name field
};

// Records of every kind named "X", shared by the cases.
struct Records {
  TProject project = projectRecord("P");
  TModule module = moduleRecord("M");
  TMemorySegment segment = named<TMemorySegment>("X");
  TCharacteristic cha = named<TCharacteristic>("X");
  TCharacteristic2 cha2 = named<TCharacteristic2>("X");
  TMeasurement mea = named<TMeasurement>("X");
  TFunction func = named<TFunction>("X");
  TCompuMethod cm = named<TCompuMethod>("X");
  TCompuMethod2 cm2 = named<TCompuMethod2>("X");
  std::unique_ptr<TCompuTab> ct = std::make_unique<TCompuTab>(named<TCompuTab>("X"));
  TCompuVTab vt = named<TCompuVTab>("X");
  TAxisPts ap = named<TAxisPts>("X");
  TRecordLayout rl = named<TRecordLayout>("X");
  TRecordLayout2 rl2 = named<TRecordLayout2>("X");
  TIfDataRecord ifData = named<TIfDataRecord>("XCP");
  TAnnotationRecord annotation = ordex_test::zeroed<TAnnotationRecord>();
  TCompuVTabEntry entries[1] = {{0, "x"}};
};

// One object of each kind, named X, in module M; function X lists X in each list; X holds
// an IF_DATA entry XCP; the system constant X exists.
void populate(TOrdex* inst, Records& r) {
  ASSERT_EQ(rcOk, Ordex_CreateProject(inst, &r.project));
  ASSERT_EQ(rcOk, Ordex_CreateModule(inst, &r.module));
  ASSERT_EQ(rcOk, Ordex_CreateMemorySegment(inst, "M", &r.segment));
  ASSERT_EQ(rcOk, Ordex_CreateCharacteristic(inst, "M", &r.cha));
  ASSERT_EQ(rcOk, Ordex_CreateMeasurement(inst, "M", &r.mea));
  ASSERT_EQ(rcOk, Ordex_CreateFunction(inst, "M", &r.func));
  ASSERT_EQ(rcOk, Ordex_CreateCompuMethod(inst, "M", &r.cm));
  ASSERT_EQ(rcOk, Ordex_CreateCompuTab(inst, "M", r.ct.get()));
  ASSERT_EQ(rcOk, Ordex_CreateCompuVTab(inst, "M", &r.vt));
  ASSERT_EQ(rcOk, Ordex_CreateAxisPts(inst, "M", &r.ap));
  ASSERT_EQ(rcOk, Ordex_CreateRecordLayout(inst, "M", &r.rl));
  ASSERT_EQ(rcOk, Ordex_AddToSystemConstantList(inst, "M", "X", "1"));
  for (auto add :
       {Ordex_AddToAFuncsDefChaList, Ordex_AddToAFuncsRefChaList, Ordex_AddToAFuncsInMeaList,
        Ordex_AddToAFuncsOutMeaList, Ordex_AddToAFuncsLocMeaList, Ordex_AddToAFuncsSubFuncList,
        Ordex_AddToAAxisPtsFuncList}) {
    ASSERT_EQ(rcOk, add(inst, "M", "X", "X"));
  }
  ASSERT_EQ(rcOk, Ordex_AddToAMemSegsIfDataList(inst, "M", "X", &r.ifData));
  ASSERT_EQ(rcOk, Ordex_AddToAChasIfDataList(inst, "M", "X", &r.ifData));
  ASSERT_EQ(rcOk, Ordex_AddToAMeasIfDataList(inst, "M", "X", &r.ifData));
  ASSERT_EQ(rcOk, Ordex_AddToAAxisPtsIfDataList(inst, "M", "X", &r.ifData));
}

// What a failed call must not have changed: every object and list entry still there.
int objectCount(TOrdex* inst) {
  int n = -1;
  return Ordex_GetNumObjects(inst, "M", -1, &n) == rcOk ? n : -1;
}

// Operations on module content for module `m` and object (or owner) name `x`, with the code
// a missing object gives. In this order each succeeds on the populated model: changes,
// add-to, remove-from, then the removals.
std::vector<Case> moduleContentCases(Records& r, const char* m, const char* x) {
  std::string name = x ? x : "";
  auto rec = [&](auto record) {
    ordex_test::setText(record.Name, name);
    return record;
  };
  auto ct = std::make_shared<TCompuTab>(*r.ct);
  ordex_test::setText(ct->Name, name);
  const TMemorySegment seg = rec(r.segment);
  const TCharacteristic cha = rec(r.cha);
  const TCharacteristic2 cha2 = rec(r.cha2);
  const TMeasurement mea = rec(r.mea);
  const TFunction func = rec(r.func);
  const TCompuMethod cm = rec(r.cm);
  const TCompuMethod2 cm2 = rec(r.cm2);
  const TCompuVTab vt = rec(r.vt);
  const TAxisPts ap = rec(r.ap);
  const TRecordLayout rl = rec(r.rl);
  const TRecordLayout2 rl2 = rec(r.rl2);
  TIfDataRecord* ifd = &r.ifData;
  TAnnotationRecord* ann = &r.annotation;
  TCompuVTabEntry* entries = r.entries;
  return {
      {"ChangeMemorySegment", [=](TOrdex* i) { return Ordex_ChangeMemorySegment(i, m, &seg); },
       rcMemorySegmentNotFound, true},
      {"ChangeCharacteristic", [=](TOrdex* i) { return Ordex_ChangeCharacteristic(i, m, &cha); },
       rcCharacteristicNotFound, true},
      {"ChangeCharacteristic2", [=](TOrdex* i) { return Ordex_ChangeCharacteristic2(i, m, &cha2); },
       rcCharacteristicNotFound, true},
      {"ChangeMeasurement", [=](TOrdex* i) { return Ordex_ChangeMeasurement(i, m, &mea); },
       rcMeasurementNotFound, true},
      {"ChangeFunction", [=](TOrdex* i) { return Ordex_ChangeFunction(i, m, &func); },
       rcFunctionNotFound, true},
      {"ChangeCompuMethod", [=](TOrdex* i) { return Ordex_ChangeCompuMethod(i, m, &cm); },
       rcCompuMethodNotFound, true},
      {"ChangeCompuMethod2", [=](TOrdex* i) { return Ordex_ChangeCompuMethod2(i, m, &cm2); },
       rcCompuMethodNotFound, true},
      {"ChangeCompuTab", [=](TOrdex* i) { return Ordex_ChangeCompuTab(i, m, ct.get()); },
       rcCompuTabNotFound, true},
      {"ChangeCompuVTab", [=](TOrdex* i) { return Ordex_ChangeCompuVTab(i, m, &vt); },
       rcCompuVTabNotFound, true},
      {"ChangeAxisPts", [=](TOrdex* i) { return Ordex_ChangeAxisPts(i, m, &ap); },
       rcAxisPtsNotFound, true},
      {"ChangeRecordLayout", [=](TOrdex* i) { return Ordex_ChangeRecordLayout(i, m, &rl); },
       rcRecordLayoutNotFound, true},
      {"ChangeRecordLayout2", [=](TOrdex* i) { return Ordex_ChangeRecordLayout2(i, m, &rl2); },
       rcRecordLayoutNotFound, true},
      {"ChangeACompuVTabsLargeVTab",
       [=](TOrdex* i) { return Ordex_ChangeACompuVTabsLargeVTab(i, m, x, entries); },
       rcCompuVTabNotFound},
      {"AddToAFuncsDefChaList",
       [=](TOrdex* i) { return Ordex_AddToAFuncsDefChaList(i, m, x, "Y"); }, rcFunctionNotFound},
      {"AddToAFuncsRefChaList",
       [=](TOrdex* i) { return Ordex_AddToAFuncsRefChaList(i, m, x, "Y"); }, rcFunctionNotFound},
      {"AddToAFuncsInMeaList", [=](TOrdex* i) { return Ordex_AddToAFuncsInMeaList(i, m, x, "Y"); },
       rcFunctionNotFound},
      {"AddToAFuncsOutMeaList",
       [=](TOrdex* i) { return Ordex_AddToAFuncsOutMeaList(i, m, x, "Y"); }, rcFunctionNotFound},
      {"AddToAFuncsLocMeaList",
       [=](TOrdex* i) { return Ordex_AddToAFuncsLocMeaList(i, m, x, "Y"); }, rcFunctionNotFound},
      {"AddToAFuncsSubFuncList",
       [=](TOrdex* i) { return Ordex_AddToAFuncsSubFuncList(i, m, x, "Y"); }, rcFunctionNotFound},
      {"AddToAAxisPtsFuncList",
       [=](TOrdex* i) { return Ordex_AddToAAxisPtsFuncList(i, m, x, "Y"); }, rcFunctionNotFound},
      {"AddToAAxisPtsFuncList_Intern",
       [=](TOrdex* i) { return Ordex_AddToAAxisPtsFuncList_Intern(i, m, x, "Y"); },
       rcFunctionNotFound},
      {"AddToAMemSegsIfDataList",
       [=](TOrdex* i) { return Ordex_AddToAMemSegsIfDataList(i, m, x, ifd); },
       rcMemorySegmentNotFound},
      {"AddToAChasIfDataList", [=](TOrdex* i) { return Ordex_AddToAChasIfDataList(i, m, x, ifd); },
       rcCharacteristicNotFound},
      {"AddToAMeasIfDataList", [=](TOrdex* i) { return Ordex_AddToAMeasIfDataList(i, m, x, ifd); },
       rcMeasurementNotFound},
      {"AddToAAxisPtsIfDataList",
       [=](TOrdex* i) { return Ordex_AddToAAxisPtsIfDataList(i, m, x, ifd); }, rcAxisPtsNotFound},
      {"AddToAChasAnnotatList",
       [=](TOrdex* i) { return Ordex_AddToAChasAnnotatList(i, m, x, ann); },
       rcCharacteristicNotFound},
      {"AddToAMeasAnnotatList",
       [=](TOrdex* i) { return Ordex_AddToAMeasAnnotatList(i, m, x, ann); }, rcMeasurementNotFound},
      {"RemFromAFuncsDefChaList",
       [=](TOrdex* i) { return Ordex_RemFromAFuncsDefChaList(i, m, x, "X"); }, rcFunctionNotFound},
      {"RemFromAFuncsRefChaList",
       [=](TOrdex* i) { return Ordex_RemFromAFuncsRefChaList(i, m, x, "X"); }, rcFunctionNotFound},
      {"RemFromAFuncsInMeaList",
       [=](TOrdex* i) { return Ordex_RemFromAFuncsInMeaList(i, m, x, "X"); }, rcFunctionNotFound},
      {"RemFromAFuncsOutMeaList",
       [=](TOrdex* i) { return Ordex_RemFromAFuncsOutMeaList(i, m, x, "X"); }, rcFunctionNotFound},
      {"RemFromAFuncsLocMeaList",
       [=](TOrdex* i) { return Ordex_RemFromAFuncsLocMeaList(i, m, x, "X"); }, rcFunctionNotFound},
      {"RemFromAFuncsSubFuncList",
       [=](TOrdex* i) { return Ordex_RemFromAFuncsSubFuncList(i, m, x, "X"); }, rcFunctionNotFound},
      {"RemFromAFuncsAxisPtsList",
       [=](TOrdex* i) { return Ordex_RemFromAFuncsAxisPtsList(i, m, x, "X"); }, rcFunctionNotFound},
      {"RemFromSysConstantList", [=](TOrdex* i) { return Ordex_RemFromSysConstantList(i, m, x); },
       rcSystemConstantNotFound},
      {"RemFromAMemSegsIfDataList",
       [=](TOrdex* i) { return Ordex_RemFromAMemSegsIfDataList(i, m, x, "XCP"); },
       rcMemorySegmentNotFound},
      {"RemFromAChasIfDataList",
       [=](TOrdex* i) { return Ordex_RemFromAChasIfDataList(i, m, x, "XCP"); },
       rcCharacteristicNotFound},
      {"RemFromAMeasIfDataList",
       [=](TOrdex* i) { return Ordex_RemFromAMeasIfDataList(i, m, x, "XCP"); },
       rcMeasurementNotFound},
      {"RemFromAAxisPtsIfDataList",
       [=](TOrdex* i) { return Ordex_RemFromAAxisPtsIfDataList(i, m, x, "XCP"); },
       rcAxisPtsNotFound},
      {"RemoveMemorySegment", [=](TOrdex* i) { return Ordex_RemoveMemorySegment(i, m, x); },
       rcMemorySegmentNotFound},
      {"RemoveCharacteristic", [=](TOrdex* i) { return Ordex_RemoveCharacteristic(i, m, x); },
       rcCharacteristicNotFound},
      {"RemoveMeasurement", [=](TOrdex* i) { return Ordex_RemoveMeasurement(i, m, x); },
       rcMeasurementNotFound},
      {"RemoveFunction", [=](TOrdex* i) { return Ordex_RemoveFunction(i, m, x); },
       rcFunctionNotFound},
      {"RemoveCompuMethod", [=](TOrdex* i) { return Ordex_RemoveCompuMethod(i, m, x); },
       rcCompuMethodNotFound},
      {"RemoveCompuTab", [=](TOrdex* i) { return Ordex_RemoveCompuTab(i, m, x); },
       rcCompuTabNotFound},
      {"RemoveCompuVTab", [=](TOrdex* i) { return Ordex_RemoveCompuVTab(i, m, x); },
       rcCompuVTabNotFound},
      {"RemoveAxisPts", [=](TOrdex* i) { return Ordex_RemoveAxisPts(i, m, x); }, rcAxisPtsNotFound},
      {"RemoveRecordLayout", [=](TOrdex* i) { return Ordex_RemoveRecordLayout(i, m, x); },
       rcRecordLayoutNotFound},
  };
}

class EditErrorCodesTest : public ::testing::Test {
 protected:
  void SetUp() override { populate(inst, records); }
  Instance inst;
  Records records;
};

TEST_F(EditErrorCodesTest, MissingObjectOrOwnerGivesItsKindsCode) {
  const int before = objectCount(inst);
  for (Case& c : moduleContentCases(records, "M", "Missing")) {
    EXPECT_EQ(c.expected, c.call(inst)) << c.what;
  }
  EXPECT_EQ(before, objectCount(inst));
}

TEST_F(EditErrorCodesTest, MissingModuleGives105) {
  TModule second = moduleRecord("N");
  ASSERT_EQ(rcOk, Ordex_CreateModule(inst, &second));
  const int before = objectCount(inst);
  for (const char* module : {"Missing", static_cast<const char*>(nullptr)}) {
    for (Case& c : moduleContentCases(records, module, "X")) {
      EXPECT_EQ(rcModuleNotFound, c.call(inst)) << c.what << " in " << (module ? module : "null");
    }
  }
  // The create operations, and the add-to of system constants, need nothing but the module.
  const struct {
    const char* what;
    TOrdexReturnCode rc;
  } creates[] = {
      {"MemorySegment", Ordex_CreateMemorySegment(inst, "Missing", &records.segment)},
      {"Characteristic", Ordex_CreateCharacteristic(inst, "Missing", &records.cha)},
      {"Characteristic2", Ordex_CreateCharacteristic2(inst, "Missing", &records.cha2)},
      {"Measurement", Ordex_CreateMeasurement(inst, "Missing", &records.mea)},
      {"Function", Ordex_CreateFunction(inst, "Missing", &records.func)},
      {"CompuMethod", Ordex_CreateCompuMethod(inst, "Missing", &records.cm)},
      {"CompuMethod2", Ordex_CreateCompuMethod2(inst, "Missing", &records.cm2)},
      {"CompuTab", Ordex_CreateCompuTab(inst, "Missing", records.ct.get())},
      {"CompuVTab", Ordex_CreateCompuVTab(inst, "Missing", &records.vt)},
      {"AxisPts", Ordex_CreateAxisPts(inst, "Missing", &records.ap)},
      {"RecordLayout", Ordex_CreateRecordLayout(inst, "Missing", &records.rl)},
      {"RecordLayout2", Ordex_CreateRecordLayout2(inst, "Missing", &records.rl2)},
      {"SystemConstant", Ordex_AddToSystemConstantList(inst, "Missing", "K", "1")},
      {"SystemConstant (null module)", Ordex_AddToSystemConstantList(inst, nullptr, "K", "1")},
  };
  for (const auto& c : creates) EXPECT_EQ(rcModuleNotFound, c.rc) << c.what;
  EXPECT_EQ(before, objectCount(inst));
}

TEST_F(EditErrorCodesTest, NullInstanceGives103) {
  for (Case& c : moduleContentCases(records, "M", "X")) {
    EXPECT_EQ(rcNoInstance, c.call(nullptr)) << c.what;
  }
  EXPECT_EQ(rcNoInstance, Ordex_CreateProject(nullptr, &records.project));
  EXPECT_EQ(rcNoInstance, Ordex_CreateModule(nullptr, &records.module));
  EXPECT_EQ(rcNoInstance, Ordex_ChangeProject(nullptr, &records.project));
  EXPECT_EQ(rcNoInstance, Ordex_ChangeModule(nullptr, &records.module));
  EXPECT_EQ(rcNoInstance, Ordex_RemoveProject(nullptr));
  EXPECT_EQ(rcNoInstance, Ordex_RemoveModule(nullptr, "M"));
  EXPECT_EQ(rcNoInstance, Ordex_CreateCharacteristic(nullptr, "M", &records.cha));
  EXPECT_EQ(rcNoInstance, Ordex_AddToSystemConstantList(nullptr, "M", "K", "1"));
}

// A null name, record or entry that the operation needs gives -205 and changes nothing.
TEST_F(EditErrorCodesTest, NullArgumentsGive205) {
  const int before = objectCount(inst);
  for (Case& c : moduleContentCases(records, "M", nullptr)) {
    if (c.keyedByRecord) continue;  // an empty Name, not a null one
    EXPECT_EQ(rcNullArgument, c.call(inst)) << c.what << " with a null name";
  }
  const TOrdexReturnCode nulls[] = {
      Ordex_CreateProject(inst, nullptr),
      Ordex_CreateModule(inst, nullptr),
      Ordex_ChangeProject(inst, nullptr),
      Ordex_ChangeModule(inst, nullptr),
      Ordex_CreateMemorySegment(inst, "M", nullptr),
      Ordex_CreateCharacteristic(inst, "M", nullptr),
      Ordex_CreateCharacteristic2(inst, "M", nullptr),
      Ordex_CreateMeasurement(inst, "M", nullptr),
      Ordex_CreateFunction(inst, "M", nullptr),
      Ordex_CreateCompuMethod(inst, "M", nullptr),
      Ordex_CreateCompuMethod2(inst, "M", nullptr),
      Ordex_CreateCompuTab(inst, "M", nullptr),
      Ordex_CreateCompuVTab(inst, "M", nullptr),
      Ordex_CreateAxisPts(inst, "M", nullptr),
      Ordex_CreateRecordLayout(inst, "M", nullptr),
      Ordex_CreateRecordLayout2(inst, "M", nullptr),
      Ordex_ChangeMemorySegment(inst, "M", nullptr),
      Ordex_ChangeCharacteristic(inst, "M", nullptr),
      Ordex_ChangeCharacteristic2(inst, "M", nullptr),
      Ordex_ChangeMeasurement(inst, "M", nullptr),
      Ordex_ChangeFunction(inst, "M", nullptr),
      Ordex_ChangeCompuMethod(inst, "M", nullptr),
      Ordex_ChangeCompuMethod2(inst, "M", nullptr),
      Ordex_ChangeCompuTab(inst, "M", nullptr),
      Ordex_ChangeCompuVTab(inst, "M", nullptr),
      Ordex_ChangeAxisPts(inst, "M", nullptr),
      Ordex_ChangeRecordLayout(inst, "M", nullptr),
      Ordex_ChangeRecordLayout2(inst, "M", nullptr),
      Ordex_AddToAFuncsDefChaList(inst, "M", "X", nullptr),
      Ordex_AddToAFuncsRefChaList(inst, "M", "X", nullptr),
      Ordex_AddToAFuncsInMeaList(inst, "M", "X", nullptr),
      Ordex_AddToAFuncsOutMeaList(inst, "M", "X", nullptr),
      Ordex_AddToAFuncsLocMeaList(inst, "M", "X", nullptr),
      Ordex_AddToAFuncsSubFuncList(inst, "M", "X", nullptr),
      Ordex_AddToAAxisPtsFuncList(inst, "M", "X", nullptr),
      Ordex_AddToSystemConstantList(inst, "M", nullptr, "1"),
      Ordex_AddToSystemConstantList(inst, "M", "K", nullptr),
      Ordex_AddToAMemSegsIfDataList(inst, "M", "X", nullptr),
      Ordex_AddToAChasIfDataList(inst, "M", "X", nullptr),
      Ordex_AddToAMeasIfDataList(inst, "M", "X", nullptr),
      Ordex_AddToAAxisPtsIfDataList(inst, "M", "X", nullptr),
      Ordex_AddToAChasAnnotatList(inst, "M", "X", nullptr),
      Ordex_AddToAMeasAnnotatList(inst, "M", "X", nullptr),
      Ordex_RemFromAFuncsDefChaList(inst, "M", "X", nullptr),
      Ordex_RemFromAFuncsAxisPtsList(inst, "M", "X", nullptr),
      Ordex_RemFromAChasIfDataList(inst, "M", "X", nullptr),
  };
  for (size_t n = 0; n < sizeof nulls / sizeof *nulls; ++n) {
    EXPECT_EQ(rcNullArgument, nulls[n]) << "call " << n;
  }
  EXPECT_EQ(before, objectCount(inst));
}

// The entry to remove is missing while its owner exists.
TEST_F(EditErrorCodesTest, MissingEntryGivesTheEntrysCode) {
  const struct {
    const char* what;
    TOrdexReturnCode rc;
    TOrdexReturnCode expected;
  } cases[] = {
      {"DefCha", Ordex_RemFromAFuncsDefChaList(inst, "M", "X", "Y"), rcListEntryNotFound},
      {"RefCha", Ordex_RemFromAFuncsRefChaList(inst, "M", "X", "Y"), rcListEntryNotFound},
      {"InMea", Ordex_RemFromAFuncsInMeaList(inst, "M", "X", "Y"), rcListEntryNotFound},
      {"OutMea", Ordex_RemFromAFuncsOutMeaList(inst, "M", "X", "Y"), rcListEntryNotFound},
      {"LocMea", Ordex_RemFromAFuncsLocMeaList(inst, "M", "X", "Y"), rcListEntryNotFound},
      {"SubFunc", Ordex_RemFromAFuncsSubFuncList(inst, "M", "X", "Y"), rcListEntryNotFound},
      {"AxisPts", Ordex_RemFromAFuncsAxisPtsList(inst, "M", "X", "Y"), rcListEntryNotFound},
      {"SysConstant", Ordex_RemFromSysConstantList(inst, "M", "Y"), rcSystemConstantNotFound},
      {"MemSeg IF_DATA", Ordex_RemFromAMemSegsIfDataList(inst, "M", "X", "Y"), rcIfDataNotFound},
      {"Cha IF_DATA", Ordex_RemFromAChasIfDataList(inst, "M", "X", "Y"), rcIfDataNotFound},
      {"Mea IF_DATA", Ordex_RemFromAMeasIfDataList(inst, "M", "X", "Y"), rcIfDataNotFound},
      {"AxisPts IF_DATA", Ordex_RemFromAAxisPtsIfDataList(inst, "M", "X", "Y"), rcIfDataNotFound},
      {"LargeVTab null", Ordex_ChangeACompuVTabsLargeVTab(inst, "M", "X", nullptr),
       rcInvalidArgument},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, c.rc) << c.what;
}

// The same calls on objects that exist succeed.
TEST_F(EditErrorCodesTest, ExistingObjectsSucceed) {
  for (Case& c : moduleContentCases(records, "M", "X")) {
    EXPECT_EQ(rcOk, c.call(inst)) << c.what;
  }
}

TEST(EditErrorCodesProject, WithoutProject) {
  Instance inst;
  TProject p = projectRecord("P");
  TModule m = moduleRecord("M");
  EXPECT_EQ(rcNoProject, Ordex_ChangeProject(inst, &p));
  EXPECT_EQ(rcNoProject, Ordex_RemoveProject(inst));
  EXPECT_EQ(rcNoProject, Ordex_CreateModule(inst, &m));
  EXPECT_EQ(rcNoProject, Ordex_ChangeModule(inst, &m));
  EXPECT_EQ(rcNoProject, Ordex_RemoveModule(inst, "M"));
  // Operations on module content find no module.
  TCharacteristic c = named<TCharacteristic>("X");
  EXPECT_EQ(rcModuleNotFound, Ordex_CreateCharacteristic(inst, nullptr, &c));
  EXPECT_EQ(rcModuleNotFound, Ordex_RemoveCharacteristic(inst, nullptr, "X"));
  EXPECT_EQ(rcModuleNotFound, Ordex_AddToSystemConstantList(inst, nullptr, "K", "1"));
}

}  // namespace
