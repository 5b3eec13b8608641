// Remove and remove-from operations through the exported interface: list ends, duplicates,
// name lookups, the project and modules, enumerators standing on what goes away, and
// removals attempted from inside a read.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "api/edit_records.h"
#include "support/test_support.h"

namespace {

using ordex_test::createProjectWithModule;
using ordex_test::Instance;
using ordex_test::moduleNames;
using ordex_test::moduleRecord;
using ordex_test::named;
using ordex_test::Names;
using ordex_test::namesOf;
using ordex_test::setText;

class EditRemoveTest : public ::testing::Test {
 protected:
  void SetUp() override { createProjectWithModule(inst); }
  void TearDown() override { Ordex_ConfigureStringComparison(0); }

  void create(const std::string& name, uint32_t userData = 0) {
    TCharacteristic c = named<TCharacteristic>(name);
    c.UserData = userData;
    ASSERT_EQ(rcOk, Ordex_CreateCharacteristic(inst, nullptr, &c));
  }
  TOrdexReturnCode remove(const char* name) {
    return Ordex_RemoveCharacteristic(inst, nullptr, name);
  }
  Names names() { return namesOf(inst, Ordex_GetCharacteristicList); }
  // The next name of the characteristic enumerator after `name`.
  std::string next(const std::string& name) {
    char field[ORDEX_TEXT_SIZE];
    setText(field, name);
    EXPECT_EQ(rcOk, Ordex_GetNextCharacteristicName(inst, nullptr, field, nullptr));
    return field;
  }
  int count(int kind) {
    int n = -1;
    EXPECT_EQ(rcOk, Ordex_GetNumObjects(inst, nullptr, kind, &n));
    return n;
  }
  int64_t userDataOf(const char* name) {
    TCharacteristic c = named<TCharacteristic>(name);
    return Ordex_GetCharacteristic(inst, nullptr, &c, 0) == rcOk ? int64_t{c.UserData} : -1;
  }

  Instance inst;
};

// Removing the first, a middle, the last and the only node keeps the list whole, and
// appending afterwards links after the true last node.
TEST_F(EditRemoveTest, ListEndsStayTrue) {
  for (const char* n : {"A", "B", "C"}) create(n);
  ASSERT_EQ(rcOk, remove("A"));
  create("D");
  EXPECT_EQ((Names{"B", "C", "D"}), names());
  ASSERT_EQ(rcOk, remove("C"));
  EXPECT_EQ((Names{"B", "D"}), names());
  ASSERT_EQ(rcOk, remove("D"));
  create("E");
  EXPECT_EQ((Names{"B", "E"}), names());
  ASSERT_EQ(rcOk, remove("E"));
  ASSERT_EQ(rcOk, remove("B"));
  EXPECT_EQ(Names{}, names());
  create("F");
  EXPECT_EQ((Names{"F"}), names());
  EXPECT_EQ(1, count(etCharacteristic));
  EXPECT_EQ("F", next(""));
  EXPECT_EQ("", next("F"));
}

// Removals take the first of a name in list order, and lookups afterwards answer the first
// one left, in both comparison modes and after renames (a long list uses its name index).
TEST_F(EditRemoveTest, LookupsAfterRemovalsAndRenames) {
  for (int i = 0; i < 40; ++i) create("N" + std::to_string(i % 10), static_cast<uint32_t>(i));
  create("abc", 100);
  create("ABC", 101);
  EXPECT_EQ(3, userDataOf("N3"));
  ASSERT_EQ(rcOk, remove("N3"));
  EXPECT_EQ(13, userDataOf("N3"));
  Ordex_ConfigureStringComparison(1);
  EXPECT_EQ(100, userDataOf("ABC"));
  ASSERT_EQ(rcOk, remove("Abc"));  // abc, the first under this mode
  EXPECT_EQ(101, userDataOf("abc"));
  TCharacteristic c = named<TCharacteristic>("n4");  // renames N4 (i = 4) to n4
  c.UserData = 4;
  ASSERT_EQ(rcOk, Ordex_ChangeCharacteristic(inst, nullptr, &c));
  Ordex_ConfigureStringComparison(0);
  EXPECT_EQ(4, userDataOf("n4"));
  EXPECT_EQ(14, userDataOf("N4"));
  EXPECT_EQ(-1, userDataOf("abc"));
  EXPECT_EQ(101, userDataOf("ABC"));
}

// An enumerator standing on a removed object ends its walk there; one standing elsewhere
// walks on past the gap.
TEST_F(EditRemoveTest, EnumeratorsAndRemovedObjects) {
  for (const char* n : {"A", "B", "C", "D"}) create(n);
  EXPECT_EQ("A", next(""));
  EXPECT_EQ("B", next("A"));
  ASSERT_EQ(rcOk, remove("C"));
  EXPECT_EQ("D", next("B"));
  ASSERT_EQ(rcOk, remove("D"));  // the position stood on D
  EXPECT_EQ("", next("D"));
  create("D");  // a new D: the walk goes on after the first D of the list
  EXPECT_EQ("", next("D"));
  EXPECT_EQ("D", next("B"));
}

// A constant of an existing name is appended again; removals take the first of the name.
TEST_F(EditRemoveTest, SystemConstantsOfOneNameGoFirstToLast) {
  const std::pair<const char*, const char*> constants[] = {{"K", "1"}, {"L", "2"}, {"K", "3"}};
  for (auto [name, value] : constants) {
    ASSERT_EQ(rcOk, Ordex_AddToSystemConstantList(inst, nullptr, name, value));
  }
  EXPECT_EQ(3, count(etSystemConstant));
  TSystemConstant c = named<TSystemConstant>("K");
  ASSERT_EQ(rcOk, Ordex_GetSystemConstant(inst, nullptr, &c, 0));
  EXPECT_STREQ("1", c.Value);
  ASSERT_EQ(rcOk, Ordex_RemFromSysConstantList(inst, nullptr, "K"));
  ASSERT_EQ(rcOk, Ordex_GetSystemConstant(inst, nullptr, &c, 0));
  EXPECT_STREQ("3", c.Value);
  ASSERT_EQ(rcOk, Ordex_RemFromSysConstantList(inst, nullptr, "K"));
  EXPECT_EQ(rcSystemConstantNotFound, Ordex_RemFromSysConstantList(inst, nullptr, "K"));
  ASSERT_EQ(rcOk, Ordex_RemFromSysConstantList(inst, nullptr, "L"));
  ASSERT_EQ(rcOk, Ordex_AddToSystemConstantList(inst, nullptr, "M", "4"));
  EXPECT_EQ(1, count(etSystemConstant));
}

// A function's list entry is removed first of its name under the comparison mode, as is the
// function found; appends afterwards link after the true last entry.
TEST_F(EditRemoveTest, FunctionListEntriesGoFirstOfTheirName) {
  TFunction f = named<TFunction>("F");
  ASSERT_EQ(rcOk, Ordex_CreateFunction(inst, nullptr, &f));
  for (const char* name : {"abc", "ABC", "abc"}) {
    ASSERT_EQ(rcOk, Ordex_AddToAFuncsInMeaList(inst, nullptr, "F", name));
  }
  auto entries = [&] {
    Names names;
    char name[ORDEX_TEXT_SIZE] = "";
    while (Ordex_GetAFuncsNextInMeaName(inst, nullptr, "F", name) == rcOk && name[0]) {
      names.push_back(name);
    }
    return names;
  };
  EXPECT_EQ(rcListEntryNotFound, Ordex_RemFromAFuncsInMeaList(inst, nullptr, "F", "Abc"));
  Ordex_ConfigureStringComparison(1);
  ASSERT_EQ(rcOk, Ordex_RemFromAFuncsInMeaList(inst, nullptr, "f", "Abc"));
  Ordex_ConfigureStringComparison(0);
  EXPECT_EQ((Names{"ABC", "abc"}), entries());
  ASSERT_EQ(rcOk, Ordex_RemFromAFuncsInMeaList(inst, nullptr, "F", "abc"));
  ASSERT_EQ(rcOk, Ordex_AddToAFuncsInMeaList(inst, nullptr, "F", "z"));
  EXPECT_EQ((Names{"ABC", "z"}), entries());
}

TEST(EditRemoveProject, ThenANewProject) {
  Instance inst;
  ASSERT_EQ(rcOk, ordex_test::readText(inst, R"(/begin PROJECT Old ""
      /begin MODULE M ""
        /begin CHARACTERISTIC K "" VALUE 0 RL 0 CM 0 1
          /begin IF_DATA XCP 1 2 /end IF_DATA
          /begin ANNOTATION ANNOTATION_LABEL "l" /end ANNOTATION
        /end CHARACTERISTIC
        /begin FUNCTION F "" /begin DEF_CHARACTERISTIC K /end DEF_CHARACTERISTIC /end FUNCTION
      /end MODULE
    /end PROJECT)"));
  char name[ORDEX_TEXT_SIZE] = "";
  ASSERT_EQ(rcOk, Ordex_GetNextCharacteristicName(inst, nullptr, name, nullptr));
  ASSERT_STREQ("K", name);  // the enumerator stands on K when K goes away

  ASSERT_EQ(rcOk, Ordex_RemoveProject(inst));
  EXPECT_EQ(rcNoProject, Ordex_RemoveProject(inst));
  TProject p = named<TProject>("");
  EXPECT_EQ(rcNoProject, Ordex_GetProject(inst, &p, 0));
  EXPECT_EQ(rcModuleNotFound, Ordex_GetNextCharacteristicName(inst, nullptr, name, nullptr));

  createProjectWithModule(inst, "M");
  TCharacteristic k = named<TCharacteristic>("K");
  for (const char* n : {"K", "L"}) {
    setText(k.Name, n);
    ASSERT_EQ(rcOk, Ordex_CreateCharacteristic(inst, nullptr, &k));
  }
  ASSERT_EQ(rcOk, Ordex_GetProject(inst, &p, 0));
  EXPECT_STREQ("P", p.Name);
  EXPECT_EQ(rcOk, Ordex_GetNextCharacteristicName(inst, nullptr, name, nullptr));
  EXPECT_STREQ("L", name);
  TFunction f = named<TFunction>("F");
  EXPECT_EQ(rcFunctionNotFound, Ordex_GetFunction(inst, nullptr, &f, 1));
}

TEST(EditRemoveModule, ByNameOrAsTheOnlyOne) {
  Instance inst;
  TProject p = named<TProject>("P");
  ASSERT_EQ(rcOk, Ordex_CreateProject(inst, &p));
  EXPECT_EQ(rcModuleNotFound, Ordex_RemoveModule(inst, nullptr));  // no module
  for (const char* n : {"A", "B", "C"}) {
    TModule m = moduleRecord(n);
    ASSERT_EQ(rcOk, Ordex_CreateModule(inst, &m));
    TCharacteristic c = named<TCharacteristic>("K");
    ASSERT_EQ(rcOk, Ordex_CreateCharacteristic(inst, n, &c));
  }
  EXPECT_EQ(rcModuleNotFound, Ordex_RemoveModule(inst, nullptr));  // three modules
  EXPECT_EQ((Names{"A", "B", "C"}), moduleNames(inst));
  char name[ORDEX_TEXT_SIZE] = "";
  ASSERT_EQ(rcOk, Ordex_GetNextModuleName(inst, name, nullptr));
  ASSERT_EQ(rcOk, Ordex_GetNextModuleName(inst, name, nullptr));
  ASSERT_STREQ("B", name);
  ASSERT_EQ(rcOk, Ordex_RemoveModule(inst, "B"));
  EXPECT_EQ(rcOk, Ordex_GetNextModuleName(inst, name, nullptr));
  EXPECT_STREQ("", name);                          // the enumerator stood on B
  ASSERT_EQ(rcOk, Ordex_RemoveModule(inst, "C"));  // the last one
  TModule d = moduleRecord("D");
  ASSERT_EQ(rcOk, Ordex_CreateModule(inst, &d));
  EXPECT_EQ((Names{"A", "D"}), moduleNames(inst));
  ASSERT_EQ(rcOk, Ordex_RemoveModule(inst, "A"));
  ASSERT_EQ(rcOk, Ordex_RemoveModule(inst, nullptr));  // now the only one
  EXPECT_EQ(Names{}, moduleNames(inst));
  EXPECT_EQ(rcModuleNotFound, Ordex_RemoveModule(inst, "A"));
}

// A read's progress callback may edit the instance being read. Removals (and rebuilding a
// COMPU_VTAB's pairs) are refused there, since they could free what the reader is filling;
// creating works, and so does removing in another instance.
struct DuringRead {
  TOrdex* reading = nullptr;
  TOrdex* other = nullptr;
  bool done = false;
  std::vector<TOrdexReturnCode> refused;
  TOrdexReturnCode created = rcInvalidArgument;
  TOrdexReturnCode otherRemoved = rcInvalidArgument;
} gDuringRead;

int editWhileReading(int) {
  DuringRead& d = gDuringRead;
  TCharacteristic k = named<TCharacteristic>("K");
  if (d.done || Ordex_GetCharacteristic(d.reading, nullptr, &k, 1) != rcOk) return 0;
  d.done = true;  // K is the characteristic being read: its IF_DATA block begins now
  TOrdex* i = d.reading;
  TCompuVTab vt = named<TCompuVTab>("VT");
  TCompuVTabEntry entry{0, "x"};
  d.refused = {
      Ordex_RemoveCharacteristic(i, nullptr, "K"),
      Ordex_RemoveFunction(i, nullptr, "F"),
      Ordex_RemoveModule(i, nullptr),
      Ordex_RemoveProject(i),
      Ordex_RemFromAChasIfDataList(i, nullptr, "K", "XCP"),
      Ordex_RemFromAFuncsDefChaList(i, nullptr, "F", "K"),
      Ordex_RemFromSysConstantList(i, nullptr, "SC"),
      Ordex_ChangeCompuVTab(i, nullptr, &vt),
      Ordex_ChangeACompuVTabsLargeVTab(i, nullptr, "VT", &entry),
  };
  TCharacteristic created = named<TCharacteristic>("Created");
  d.created = Ordex_CreateCharacteristic(i, nullptr, &created);
  d.otherRemoved = Ordex_RemoveProject(d.other);
  return 0;
}

TEST(EditDuringRead, RemovalsAreRefusedInTheInstanceBeingRead) {
  Instance inst, other;
  createProjectWithModule(other);
  gDuringRead = DuringRead{};
  gDuringRead.reading = inst;
  gDuringRead.other = other;
  ordex_test::TempDir dir;
  std::string file = dir.write("edit_during_read.a2l", R"(/begin PROJECT P ""
    /begin MODULE M ""
      /begin MOD_PAR "" SYSTEM_CONSTANT "SC" "1" /end MOD_PAR
      /begin COMPU_VTAB VT "" TAB_VERB 2 0 "a" 1 "b" /end COMPU_VTAB
      /begin FUNCTION F "" /begin DEF_CHARACTERISTIC K /end DEF_CHARACTERISTIC /end FUNCTION
      /begin CHARACTERISTIC K "" VALUE 0 RL 0 CM 0 1
        /begin IF_DATA XCP 1 2 /end IF_DATA
        FORMAT "%4.1"
      /end CHARACTERISTIC
    /end MODULE
  /end PROJECT
)");
  ASSERT_EQ(rcOk, Ordex_ReadAsapFile(inst, file.c_str(), nullptr, editWhileReading));
  ASSERT_TRUE(gDuringRead.done);
  for (size_t n = 0; n < gDuringRead.refused.size(); ++n) {
    EXPECT_EQ(rcInvalidArgument, gDuringRead.refused[n]) << "operation " << n;
  }
  EXPECT_EQ(rcOk, gDuringRead.created);
  EXPECT_EQ(rcOk, gDuringRead.otherRemoved);

  // Nothing was removed, the reader went on filling K, and after the read removals work.
  EXPECT_EQ((Names{"K", "Created"}), namesOf(inst, Ordex_GetCharacteristicList));
  TCharacteristic k = named<TCharacteristic>("K");
  ASSERT_EQ(rcOk, Ordex_GetCharacteristic(inst, nullptr, &k, 0));
  EXPECT_STREQ("%4.1", k.Format);
  EXPECT_EQ(rcOk, Ordex_RemFromAChasIfDataList(inst, nullptr, "K", "XCP"));
  EXPECT_EQ(rcOk, Ordex_RemoveProject(inst));
}

}  // namespace
