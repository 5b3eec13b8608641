// Instance lifecycle, the process-wide name comparison, and the project and module getters
// that every later family relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::readText;

const char kTwoModules[] =
    "/begin PROJECT P \"\"\n"
    "  /begin MODULE EngineCtrl \"first\" /end MODULE\n"
    "  /begin MODULE GearCtrl \"second\" /end MODULE\n"
    "/end PROJECT\n";

const char kOneModule[] =
    "/begin PROJECT P \"\"\n"
    "  /begin MODULE EngineCtrl \"only\" /end MODULE\n"
    "/end PROJECT\n";

// The comparison mode is process-wide: every test leaves it exact.
class Lifecycle : public ::testing::Test {
 protected:
  void TearDown() override { Ordex_ConfigureStringComparison(0); }
};

TEST_F(Lifecycle, CreateAndDestroyUnderBothNames) {
  TOrdex* a = nullptr;
  TOrdex* b = nullptr;
  ASSERT_EQ(Ordex_CreateInstance(&a), rcOk);
  ASSERT_EQ(Ordex_CreateInstance_Intern(&b), rcOk);
  ASSERT_NE(a, nullptr);
  EXPECT_NE(a, b);
  TProject p;
  EXPECT_EQ(Ordex_GetProject(a, &p, 0), rcNoProject);
  EXPECT_EQ(Ordex_DestroyInstance(a), rcOk);
  EXPECT_EQ(Ordex_DestroyInstance_Intern(b), rcOk);

  EXPECT_EQ(Ordex_DestroyInstance(nullptr), rcNoInstance);
  EXPECT_EQ(Ordex_DestroyInstance_Intern(nullptr), rcNoInstance);
  EXPECT_EQ(Ordex_CreateInstance(nullptr), rcNullArgument);
  EXPECT_EQ(Ordex_RegisterInstanceDestructorCbFunc(nullptr, nullptr), rcNoInstance);
  EXPECT_EQ(Ordex_GarbageCollection(), rcOk);
}

// What the destructor callback saw: how often it ran and whether the project was still
// there at that moment.
struct DestructorProbe {
  TOrdex* instance = nullptr;
  int calls = 0;
  TOrdexReturnCode projectLookup = rcOk;
  char projectName[ORDEX_TEXT_SIZE] = {};
};
DestructorProbe gProbe;

void probeDestructor() {
  ++gProbe.calls;
  TProject p;
  gProbe.projectLookup = Ordex_GetProject(gProbe.instance, &p, 0);
  if (gProbe.projectLookup == rcOk) std::memcpy(gProbe.projectName, p.Name, sizeof p.Name);
}

int gReplacedCalls = 0;
void replacedDestructor() {
  ++gReplacedCalls;
}

TEST_F(Lifecycle, DestructorCallbackRunsOnceBeforeTheProjectIsReleased) {
  gProbe = DestructorProbe{};
  gReplacedCalls = 0;
  TOrdex* inst = nullptr;
  ASSERT_EQ(Ordex_CreateInstance(&inst), rcOk);
  ASSERT_EQ(readText(inst, kOneModule), rcOk);
  gProbe.instance = inst;
  // A later registration replaces the earlier one.
  ASSERT_EQ(Ordex_RegisterInstanceDestructorCbFunc(inst, replacedDestructor), rcOk);
  ASSERT_EQ(Ordex_RegisterInstanceDestructorCbFunc(inst, probeDestructor), rcOk);
  EXPECT_EQ(gProbe.calls, 0);
  ASSERT_EQ(Ordex_DestroyInstance(inst), rcOk);
  EXPECT_EQ(gProbe.calls, 1);
  EXPECT_EQ(gReplacedCalls, 0);
  EXPECT_EQ(gProbe.projectLookup, rcOk);
  EXPECT_STREQ(gProbe.projectName, "P");

  // A registration can be cleared.
  ASSERT_EQ(Ordex_CreateInstance(&inst), rcOk);
  ASSERT_EQ(Ordex_RegisterInstanceDestructorCbFunc(inst, replacedDestructor), rcOk);
  ASSERT_EQ(Ordex_RegisterInstanceDestructorCbFunc(inst, nullptr), rcOk);
  ASSERT_EQ(Ordex_DestroyInstance(inst), rcOk);
  EXPECT_EQ(gReplacedCalls, 0);
}

TEST_F(Lifecycle, GetProjectExistenceCheckWritesNothing) {
  Instance inst;
  ASSERT_EQ(readText(inst, "/begin PROJECT Demo \"the demo\" /end PROJECT\n"), rcOk);
  TProject p;
  TProject probe;
  std::memset(&probe, 0x55, sizeof probe);
  EXPECT_EQ(Ordex_GetProject(inst, &probe, 1), rcOk);
  EXPECT_TRUE(std::all_of(reinterpret_cast<unsigned char*>(&probe),
                          reinterpret_cast<unsigned char*>(&probe + 1),
                          [](unsigned char b) { return b == 0x55; }));
  EXPECT_EQ(Ordex_GetProject(inst, nullptr, 0), rcNullArgument);
  EXPECT_EQ(Ordex_GetProject(nullptr, &p, 0), rcNoInstance);
}

// An empty name selects the only module (and stays empty); a name compares under the
// comparison mode and stays as the caller wrote it.
TEST_F(Lifecycle, ModuleLookups) {
  const struct {
    const char* file;
    int mode;
    const char* key;
    TOrdexReturnCode rc;
    const char* longIdentifier;
  } cases[] = {
      {kOneModule, 0, "", rcOk, "only"},
      {kTwoModules, 0, "", rcModuleNotFound, ""},
      {kTwoModules, 0, "GearCtrl", rcOk, "second"},
      {kTwoModules, 0, "gearctrl", rcModuleNotFound, ""},
      {kTwoModules, 1, "gearctrl", rcOk, "second"},
      {kTwoModules, 1, "GEARCTRL", rcOk, "second"},
      {kTwoModules, 1, "GearCtrlX", rcModuleNotFound, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.mode) + " '" + c.key + "'");
    Instance inst;
    ASSERT_EQ(readText(inst, c.file), rcOk);
    Ordex_ConfigureStringComparison(c.mode);
    TModule m = {};
    std::strcpy(m.Name, c.key);
    EXPECT_EQ(Ordex_GetModule(inst, &m, 0), c.rc);
    EXPECT_STREQ(m.LongIdentifier, c.longIdentifier);
    // The only module found by the empty name fills it in.
    EXPECT_STREQ(m.Name, *c.key || c.rc != rcOk ? c.key : "EngineCtrl");
    // Existence only leaves the record as it is, an empty name too.
    TModule probe = {};
    std::strcpy(probe.Name, c.key);
    EXPECT_EQ(Ordex_GetModule(inst, &probe, 1), c.rc);
    EXPECT_STREQ(probe.LongIdentifier, "");
    EXPECT_STREQ(probe.Name, c.key);
    EXPECT_EQ(Ordex_GetModule(inst, nullptr, 0), rcNullArgument);
  }
  Instance empty;
  TModule m = {};
  EXPECT_EQ(Ordex_GetModule(empty, &m, 0), rcNoProject);
}

TEST_F(Lifecycle, CaseFoldingLeavesBytesAboveAsciiExact) {
  Instance inst;
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT P \"\"\n"
                     "  /begin MODULE Mod\xC4 \"\" /end MODULE\n"
                     "/end PROJECT\n"),
            rcOk);
  Ordex_ConfigureStringComparison(1);
  TModule m = {};
  std::strcpy(m.Name, "MOD\xC4");
  EXPECT_EQ(Ordex_GetModule(inst, &m, 1), rcOk);
  std::strcpy(m.Name, "mod\xE4");
  EXPECT_EQ(Ordex_GetModule(inst, &m, 1), rcModuleNotFound);
}

TEST_F(Lifecycle, NamesLongerThan255CharactersAreCut) {
  for (size_t length : {254u, 255u, 256u, 300u}) {
    std::string project(length, 'p');
    std::string module(length, 'm');
    std::string longId(length, 'l');
    Instance inst;
    ASSERT_EQ(readText(inst, "/begin PROJECT " + project + " \"" + longId + "\"\n/begin MODULE " +
                                 module + " \"\"\n/end MODULE\n/end PROJECT\n"),
              rcOk);
    size_t kept = length < 255 ? length : 255;
    TProject p;
    ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
    EXPECT_EQ(std::string(p.Name), project.substr(0, kept)) << length;
    EXPECT_EQ(std::string(p.LongIdentifier), longId.substr(0, kept)) << length;
    TModule m = {};
    ASSERT_EQ(Ordex_GetModule(inst, &m, 0), rcOk);
    EXPECT_EQ(std::string(m.Name), module.substr(0, kept)) << length;
  }
}

}  // namespace
