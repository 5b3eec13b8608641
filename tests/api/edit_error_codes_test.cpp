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
// change the record's Name; null gives a null record) and, where it takes one, its entry (a
// name, or a record named or labelled by it; null gives a null pointer).
using Op = std::function<TOrdexReturnCode(TOrdex*, const char*, const char*, const char*)>;

template <class Record>
Op call(TOrdexReturnCode (*op)(TOrdex*, const char*, const Record*)) {
  return [op](TOrdex* i, const char* m, const char* x, const char*) {
    auto r = std::make_unique<Record>(named<Record>(x ? x : ""));
    return op(i, m, x ? r.get() : nullptr);
  };
}
Op call(TOrdexReturnCode (*op)(TOrdex*, const char*, const char*)) {
  return [op](TOrdex* i, const char* m, const char* x, const char*) { return op(i, m, x); };
}
Op call(TOrdexReturnCode (*op)(TOrdex*, const char*, const char*, const char*)) {
  return op;
}
Op call(TOrdexReturnCode (*op)(TOrdex*, const char*, const char*, const TIfDataRecord*)) {
  return [op](TOrdex* i, const char* m, const char* x, const char* entry) {
    TIfDataRecord r = named<TIfDataRecord>(entry ? entry : "");
    return op(i, m, x, entry ? &r : nullptr);
  };
}
Op call(TOrdexReturnCode (*op)(TOrdex*, const char*, const char*, const TAnnotationRecord*)) {
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
  int kind = 0;                          // of a remove operation
};
#define OP(name) #name, call(Ordex_##name)
constexpr TOrdexReturnCode kNull = rcNullArgument;

// In this order every operation succeeds on the populated model with owner and entry X.
const std::vector<Case>& cases() {
  static const std::vector<Case> all = {
      {OP(CreateMemorySegment), rcOk},
      {OP(CreateCharacteristic), rcOk},
      {OP(CreateCharacteristic2), rcOk},
      {OP(CreateMeasurement), rcOk},
      {OP(CreateFunction), rcOk},
      {OP(CreateCompuMethod), rcOk},
      {OP(CreateCompuMethod2), rcOk},
      {OP(CreateCompuTab), rcOk},
      {OP(CreateCompuVTab), rcOk},
      {OP(CreateAxisPts), rcOk},
      {OP(CreateRecordLayout), rcOk},
      {OP(CreateRecordLayout2), rcOk},
      {OP(AddToSystemConstantList), rcOk, rcOk, kNull},
      {OP(ChangeMemorySegment), rcMemorySegmentNotFound},
      {OP(ChangeCharacteristic), rcCharacteristicNotFound},
      {OP(ChangeCharacteristic2), rcCharacteristicNotFound},
      {OP(ChangeMeasurement), rcMeasurementNotFound},
      {OP(ChangeFunction), rcFunctionNotFound},
      {OP(ChangeCompuMethod), rcCompuMethodNotFound},
      {OP(ChangeCompuMethod2), rcCompuMethodNotFound},
      {OP(ChangeCompuTab), rcCompuTabNotFound},
      {OP(ChangeCompuVTab), rcCompuVTabNotFound},
      {OP(ChangeAxisPts), rcAxisPtsNotFound},
      {OP(ChangeRecordLayout), rcRecordLayoutNotFound},
      {OP(ChangeRecordLayout2), rcRecordLayoutNotFound},
      // A null array is -1, the one code the operation has for its entries.
      {"ChangeACompuVTabsLargeVTab", largeVTab, rcCompuVTabNotFound, rcOk, rcInvalidArgument},
      {OP(AddToAFuncsDefChaList), rcFunctionNotFound, rcOk, kNull},
      {OP(AddToAFuncsRefChaList), rcFunctionNotFound, rcOk, kNull},
      {OP(AddToAFuncsInMeaList), rcFunctionNotFound, rcOk, kNull},
      {OP(AddToAFuncsOutMeaList), rcFunctionNotFound, rcOk, kNull},
      {OP(AddToAFuncsLocMeaList), rcFunctionNotFound, rcOk, kNull},
      {OP(AddToAFuncsSubFuncList), rcFunctionNotFound, rcOk, kNull},
      {OP(AddToAAxisPtsFuncList), rcFunctionNotFound, rcOk, kNull},
      {OP(AddToAAxisPtsFuncList_Intern), rcFunctionNotFound, rcOk, kNull},
      {OP(AddToAMemSegsIfDataList), rcMemorySegmentNotFound, rcOk, kNull},
      {OP(AddToAChasIfDataList), rcCharacteristicNotFound, rcOk, kNull},
      {OP(AddToAMeasIfDataList), rcMeasurementNotFound, rcOk, kNull},
      {OP(AddToAAxisPtsIfDataList), rcAxisPtsNotFound, rcOk, kNull},
      {OP(AddToAChasAnnotatList), rcCharacteristicNotFound, rcOk, kNull},
      {OP(AddToAMeasAnnotatList), rcMeasurementNotFound, rcOk, kNull},
      {OP(RemFromAFuncsDefChaList), rcFunctionNotFound, rcListEntryNotFound, kNull},
      {OP(RemFromAFuncsRefChaList), rcFunctionNotFound, rcListEntryNotFound, kNull},
      {OP(RemFromAFuncsInMeaList), rcFunctionNotFound, rcListEntryNotFound, kNull},
      {OP(RemFromAFuncsOutMeaList), rcFunctionNotFound, rcListEntryNotFound, kNull},
      {OP(RemFromAFuncsLocMeaList), rcFunctionNotFound, rcListEntryNotFound, kNull},
      {OP(RemFromAFuncsSubFuncList), rcFunctionNotFound, rcListEntryNotFound, kNull},
      {OP(RemFromAFuncsAxisPtsList), rcFunctionNotFound, rcListEntryNotFound, kNull},
      {OP(RemFromAMemSegsIfDataList), rcMemorySegmentNotFound, rcIfDataNotFound, kNull},
      {OP(RemFromAChasIfDataList), rcCharacteristicNotFound, rcIfDataNotFound, kNull},
      {OP(RemFromAMeasIfDataList), rcMeasurementNotFound, rcIfDataNotFound, kNull},
      {OP(RemFromAAxisPtsIfDataList), rcAxisPtsNotFound, rcIfDataNotFound, kNull},
      {OP(RemFromSysConstantList), rcSystemConstantNotFound},
      {OP(RemoveMemorySegment), rcMemorySegmentNotFound, rcOk, rcOk, etMemorySegment},
      {OP(RemoveCharacteristic), rcCharacteristicNotFound, rcOk, rcOk, etCharacteristic},
      {OP(RemoveMeasurement), rcMeasurementNotFound, rcOk, rcOk, etMeasurement},
      {OP(RemoveFunction), rcFunctionNotFound, rcOk, rcOk, etFunction},
      {OP(RemoveCompuMethod), rcCompuMethodNotFound, rcOk, rcOk, etCompuMethod},
      {OP(RemoveCompuTab), rcCompuTabNotFound, rcOk, rcOk, etCompuTab},
      {OP(RemoveCompuVTab), rcCompuVTabNotFound, rcOk, rcOk, etCompuVTab},
      {OP(RemoveAxisPts), rcAxisPtsNotFound, rcOk, rcOk, etAxisPts},
      {OP(RemoveRecordLayout), rcRecordLayoutNotFound, rcOk, rcOk, etRecordLayout},
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
  int objectCount(int kinds = -1) {
    int n = -1;
    return Ordex_GetNumObjects(inst, "M", kinds, &n) == rcOk ? n : -1;
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

// With two or more objects of a name, each removal takes one of its own kind until the
// kind's code says none is left.
TEST_F(EditErrorCodesTest, RemovalsTakeOneObjectOfTheirKindAtATime) {
  for (const Case& c : cases()) {
    if (c.missingOwner != rcOk) continue;
    ASSERT_EQ(rcOk, c.call(inst, "M", "X", "X")) << c.what;
  }
  for (const Case& c : cases()) {
    if (!c.kind) continue;
    ASSERT_LE(2, objectCount(c.kind)) << c.what;
    for (int n = objectCount(c.kind); n > 0; --n) {
      ASSERT_EQ(rcOk, c.call(inst, "M", "X", "X")) << c.what;
      EXPECT_EQ(n - 1, objectCount(c.kind)) << c.what;
    }
    EXPECT_EQ(c.missingOwner, c.call(inst, "M", "X", "X")) << c.what;
  }
  EXPECT_EQ(2, objectCount(etSystemConstant));
  EXPECT_EQ(2, objectCount());
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
