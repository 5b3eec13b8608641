// The return codes of every edit operation: null instance, missing project, module, owner
// and entry, null arguments. A failing call leaves the model as it was.

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

// An operation called with a module name, the name of its object or owner (for a create or
// change the record's Name; null gives a null record) and, where it takes one, its entry.
using Op = std::function<TOrdexReturnCode(TOrdex*, const char*, const char*, const char*)>;

template <class Record>
Op byRecord(TOrdexReturnCode (*op)(TOrdex*, const char*, const Record*)) {
  return [op](TOrdex* i, const char* m, const char* x, const char*) {
    auto r = std::make_unique<Record>(named<Record>(x ? x : ""));
    return op(i, m, x ? r.get() : nullptr);
  };
}
Op byName(TOrdexReturnCode (*op)(TOrdex*, const char*, const char*)) {
  return [op](TOrdex* i, const char* m, const char* x, const char*) { return op(i, m, x); };
}
Op ifData(TOrdexReturnCode (*op)(TOrdex*, const char*, const char*, const TIfDataRecord*)) {
  return [op](TOrdex* i, const char* m, const char* x, const char* entry) {
    TIfDataRecord r = named<TIfDataRecord>(entry ? entry : "");
    return op(i, m, x, entry ? &r : nullptr);
  };
}
Op annotation(TOrdexReturnCode (*op)(TOrdex*, const char*, const char*, const TAnnotationRecord*)) {
  return [op](TOrdex* i, const char* m, const char* x, const char* entry) {
    auto r = std::make_unique<TAnnotationRecord>(ordex_test::zeroed<TAnnotationRecord>());
    ordex_test::setText(r->Label, entry ? entry : "");
    return op(i, m, x, entry ? r.get() : nullptr);
  };
}
TOrdexReturnCode largeVTab(TOrdex* i, const char* m, const char* x, const char* entry) {
  const TCompuVTabEntry entries[] = {{0, entry}};
  return Ordex_ChangeACompuVTabsLargeVTab(i, m, x, entry ? entries : nullptr);
}

struct Case {
  const char* what;
  Op call;
  TOrdexReturnCode missingOwner;         // rcOk: a create, which needs nothing but the module
  TOrdexReturnCode missingEntry = rcOk;  // rcOk: no entry, or any entry is taken
  TOrdexReturnCode nullEntry = rcOk;     // rcOk: no entry
};

// In this order every operation succeeds on the populated model with owner and entry X.
const std::vector<Case>& cases() {
  static const std::vector<Case> all = {
      {"CreateMemorySegment", byRecord(Ordex_CreateMemorySegment), rcOk},
      {"CreateCharacteristic", byRecord(Ordex_CreateCharacteristic), rcOk},
      {"CreateCharacteristic2", byRecord(Ordex_CreateCharacteristic2), rcOk},
      {"CreateMeasurement", byRecord(Ordex_CreateMeasurement), rcOk},
      {"CreateFunction", byRecord(Ordex_CreateFunction), rcOk},
      {"CreateCompuMethod", byRecord(Ordex_CreateCompuMethod), rcOk},
      {"CreateCompuMethod2", byRecord(Ordex_CreateCompuMethod2), rcOk},
      {"CreateCompuTab", byRecord(Ordex_CreateCompuTab), rcOk},
      {"CreateCompuVTab", byRecord(Ordex_CreateCompuVTab), rcOk},
      {"CreateAxisPts", byRecord(Ordex_CreateAxisPts), rcOk},
      {"CreateRecordLayout", byRecord(Ordex_CreateRecordLayout), rcOk},
      {"CreateRecordLayout2", byRecord(Ordex_CreateRecordLayout2), rcOk},
      {"AddToSystemConstantList", Ordex_AddToSystemConstantList, rcOk, rcOk, rcNullArgument},
      {"ChangeMemorySegment", byRecord(Ordex_ChangeMemorySegment), rcMemorySegmentNotFound},
      {"ChangeCharacteristic", byRecord(Ordex_ChangeCharacteristic), rcCharacteristicNotFound},
      {"ChangeCharacteristic2", byRecord(Ordex_ChangeCharacteristic2), rcCharacteristicNotFound},
      {"ChangeMeasurement", byRecord(Ordex_ChangeMeasurement), rcMeasurementNotFound},
      {"ChangeFunction", byRecord(Ordex_ChangeFunction), rcFunctionNotFound},
      {"ChangeCompuMethod", byRecord(Ordex_ChangeCompuMethod), rcCompuMethodNotFound},
      {"ChangeCompuMethod2", byRecord(Ordex_ChangeCompuMethod2), rcCompuMethodNotFound},
      {"ChangeCompuTab", byRecord(Ordex_ChangeCompuTab), rcCompuTabNotFound},
      {"ChangeCompuVTab", byRecord(Ordex_ChangeCompuVTab), rcCompuVTabNotFound},
      {"ChangeAxisPts", byRecord(Ordex_ChangeAxisPts), rcAxisPtsNotFound},
      {"ChangeRecordLayout", byRecord(Ordex_ChangeRecordLayout), rcRecordLayoutNotFound},
      {"ChangeRecordLayout2", byRecord(Ordex_ChangeRecordLayout2), rcRecordLayoutNotFound},
      // A null array is -1, the one code the operation has for its entries.
      {"ChangeACompuVTabsLargeVTab", largeVTab, rcCompuVTabNotFound, rcOk, rcInvalidArgument},
      {"AddToAFuncsDefChaList", Ordex_AddToAFuncsDefChaList, rcFunctionNotFound, rcOk,
       rcNullArgument},
      {"AddToAFuncsRefChaList", Ordex_AddToAFuncsRefChaList, rcFunctionNotFound, rcOk,
       rcNullArgument},
      {"AddToAFuncsInMeaList", Ordex_AddToAFuncsInMeaList, rcFunctionNotFound, rcOk,
       rcNullArgument},
      {"AddToAFuncsOutMeaList", Ordex_AddToAFuncsOutMeaList, rcFunctionNotFound, rcOk,
       rcNullArgument},
      {"AddToAFuncsLocMeaList", Ordex_AddToAFuncsLocMeaList, rcFunctionNotFound, rcOk,
       rcNullArgument},
      {"AddToAFuncsSubFuncList", Ordex_AddToAFuncsSubFuncList, rcFunctionNotFound, rcOk,
       rcNullArgument},
      {"AddToAAxisPtsFuncList", Ordex_AddToAAxisPtsFuncList, rcFunctionNotFound, rcOk,
       rcNullArgument},
      {"AddToAAxisPtsFuncList_Intern", Ordex_AddToAAxisPtsFuncList_Intern, rcFunctionNotFound, rcOk,
       rcNullArgument},
      {"AddToAMemSegsIfDataList", ifData(Ordex_AddToAMemSegsIfDataList), rcMemorySegmentNotFound,
       rcOk, rcNullArgument},
      {"AddToAChasIfDataList", ifData(Ordex_AddToAChasIfDataList), rcCharacteristicNotFound, rcOk,
       rcNullArgument},
      {"AddToAMeasIfDataList", ifData(Ordex_AddToAMeasIfDataList), rcMeasurementNotFound, rcOk,
       rcNullArgument},
      {"AddToAAxisPtsIfDataList", ifData(Ordex_AddToAAxisPtsIfDataList), rcAxisPtsNotFound, rcOk,
       rcNullArgument},
      {"AddToAChasAnnotatList", annotation(Ordex_AddToAChasAnnotatList), rcCharacteristicNotFound,
       rcOk, rcNullArgument},
      {"AddToAMeasAnnotatList", annotation(Ordex_AddToAMeasAnnotatList), rcMeasurementNotFound,
       rcOk, rcNullArgument},
      {"RemFromAFuncsDefChaList", Ordex_RemFromAFuncsDefChaList, rcFunctionNotFound,
       rcListEntryNotFound, rcNullArgument},
      {"RemFromAFuncsRefChaList", Ordex_RemFromAFuncsRefChaList, rcFunctionNotFound,
       rcListEntryNotFound, rcNullArgument},
      {"RemFromAFuncsInMeaList", Ordex_RemFromAFuncsInMeaList, rcFunctionNotFound,
       rcListEntryNotFound, rcNullArgument},
      {"RemFromAFuncsOutMeaList", Ordex_RemFromAFuncsOutMeaList, rcFunctionNotFound,
       rcListEntryNotFound, rcNullArgument},
      {"RemFromAFuncsLocMeaList", Ordex_RemFromAFuncsLocMeaList, rcFunctionNotFound,
       rcListEntryNotFound, rcNullArgument},
      {"RemFromAFuncsSubFuncList", Ordex_RemFromAFuncsSubFuncList, rcFunctionNotFound,
       rcListEntryNotFound, rcNullArgument},
      {"RemFromAFuncsAxisPtsList", Ordex_RemFromAFuncsAxisPtsList, rcFunctionNotFound,
       rcListEntryNotFound, rcNullArgument},
      {"RemFromAMemSegsIfDataList", Ordex_RemFromAMemSegsIfDataList, rcMemorySegmentNotFound,
       rcIfDataNotFound, rcNullArgument},
      {"RemFromAChasIfDataList", Ordex_RemFromAChasIfDataList, rcCharacteristicNotFound,
       rcIfDataNotFound, rcNullArgument},
      {"RemFromAMeasIfDataList", Ordex_RemFromAMeasIfDataList, rcMeasurementNotFound,
       rcIfDataNotFound, rcNullArgument},
      {"RemFromAAxisPtsIfDataList", Ordex_RemFromAAxisPtsIfDataList, rcAxisPtsNotFound,
       rcIfDataNotFound, rcNullArgument},
      {"RemFromSysConstantList", byName(Ordex_RemFromSysConstantList), rcSystemConstantNotFound},
      {"RemoveMemorySegment", byName(Ordex_RemoveMemorySegment), rcMemorySegmentNotFound},
      {"RemoveCharacteristic", byName(Ordex_RemoveCharacteristic), rcCharacteristicNotFound},
      {"RemoveMeasurement", byName(Ordex_RemoveMeasurement), rcMeasurementNotFound},
      {"RemoveFunction", byName(Ordex_RemoveFunction), rcFunctionNotFound},
      {"RemoveCompuMethod", byName(Ordex_RemoveCompuMethod), rcCompuMethodNotFound},
      {"RemoveCompuTab", byName(Ordex_RemoveCompuTab), rcCompuTabNotFound},
      {"RemoveCompuVTab", byName(Ordex_RemoveCompuVTab), rcCompuVTabNotFound},
      {"RemoveAxisPts", byName(Ordex_RemoveAxisPts), rcAxisPtsNotFound},
      {"RemoveRecordLayout", byName(Ordex_RemoveRecordLayout), rcRecordLayoutNotFound},
  };
  return all;
}

// Module M holds one object of each kind named X (of each form, for the kinds with two);
// function X lists X in each list, X holds an IF_DATA entry X, and the system constant X
// exists. The second module N makes a null module name select nothing.
class EditErrorCodesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ordex_test::createProjectWithModule(inst, "M");
    for (const Case& c : cases()) {  // the creates, then the add-to operations
      if (c.missingOwner != rcOk && std::string(c.what).rfind("AddTo", 0) != 0) continue;
      ASSERT_EQ(rcOk, c.call(inst, "M", "X", "X")) << c.what;
    }
    TModule second = moduleRecord("N");
    ASSERT_EQ(rcOk, Ordex_CreateModule(inst, &second));
    before = objectCount();
  }
  int objectCount() {
    int n = -1;
    return Ordex_GetNumObjects(inst, "M", -1, &n) == rcOk ? n : -1;
  }

  Instance inst;
  int before = 0;
};

TEST_F(EditErrorCodesTest, MissingObjectOrOwnerGivesItsKindsCode) {
  for (const Case& c : cases()) {
    if (c.missingOwner == rcOk) continue;
    EXPECT_EQ(c.missingOwner, c.call(inst, "M", "Y", "X")) << c.what;
  }
  EXPECT_EQ(before, objectCount());
}

TEST_F(EditErrorCodesTest, MissingEntryGivesTheEntrysCode) {
  for (const Case& c : cases()) {
    if (c.missingEntry == rcOk) continue;
    EXPECT_EQ(c.missingEntry, c.call(inst, "M", "X", "Y")) << c.what;
  }
  EXPECT_EQ(before, objectCount());
}

// Without a module name there are two modules to choose from.
TEST_F(EditErrorCodesTest, MissingModuleGives105) {
  for (const char* module : {"Missing", static_cast<const char*>(nullptr)}) {
    for (const Case& c : cases()) {
      EXPECT_EQ(rcModuleNotFound, c.call(inst, module, "X", "X")) << c.what;
    }
  }
  EXPECT_EQ(before, objectCount());
}

TEST_F(EditErrorCodesTest, NullInstanceGives103) {
  for (const Case& c : cases()) EXPECT_EQ(rcNoInstance, c.call(nullptr, "M", "X", "X")) << c.what;
  TProject p = named<TProject>("P");
  TModule m = moduleRecord("M");
  EXPECT_EQ(rcNoInstance, Ordex_CreateProject(nullptr, &p));
  EXPECT_EQ(rcNoInstance, Ordex_ChangeProject(nullptr, &p));
  EXPECT_EQ(rcNoInstance, Ordex_RemoveProject(nullptr));
  EXPECT_EQ(rcNoInstance, Ordex_CreateModule(nullptr, &m));
  EXPECT_EQ(rcNoInstance, Ordex_ChangeModule(nullptr, &m));
  EXPECT_EQ(rcNoInstance, Ordex_RemoveModule(nullptr, "M"));
}

TEST_F(EditErrorCodesTest, NullArgumentsGive205) {
  for (const Case& c : cases()) {
    EXPECT_EQ(rcNullArgument, c.call(inst, "M", nullptr, "X")) << c.what << ": null name";
    if (c.nullEntry == rcOk) continue;
    EXPECT_EQ(c.nullEntry, c.call(inst, "M", "X", nullptr)) << c.what << ": null entry";
  }
  EXPECT_EQ(rcNullArgument, Ordex_CreateProject(inst, nullptr));
  EXPECT_EQ(rcNullArgument, Ordex_ChangeProject(inst, nullptr));
  EXPECT_EQ(rcNullArgument, Ordex_CreateModule(inst, nullptr));
  EXPECT_EQ(rcNullArgument, Ordex_ChangeModule(inst, nullptr));
  EXPECT_EQ(before, objectCount());
}

TEST_F(EditErrorCodesTest, ExistingObjectsSucceed) {
  for (const Case& c : cases()) EXPECT_EQ(rcOk, c.call(inst, "M", "X", "X")) << c.what;
}

TEST(EditErrorCodesProject, WithoutProject) {
  Instance inst;
  TProject p = named<TProject>("P");
  TModule m = moduleRecord("M");
  EXPECT_EQ(rcNoProject, Ordex_ChangeProject(inst, &p));
  EXPECT_EQ(rcNoProject, Ordex_RemoveProject(inst));
  EXPECT_EQ(rcNoProject, Ordex_CreateModule(inst, &m));
  EXPECT_EQ(rcNoProject, Ordex_ChangeModule(inst, &m));
  EXPECT_EQ(rcNoProject, Ordex_RemoveModule(inst, "M"));
  for (const Case& c : cases()) {  // operations on module content find no module
    EXPECT_EQ(rcModuleNotFound, c.call(inst, nullptr, "X", "X")) << c.what;
  }
}

}  // namespace
