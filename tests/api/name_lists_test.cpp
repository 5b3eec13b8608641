// List operations, next-name enumerators and wildcard filters.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/test_support.h"

using ordex_test::Instance;
using ordex_test::readText;
using ordex_test::splitMultiString;

namespace {

std::string projectWithModules(const std::vector<std::string>& names) {
  std::string text = "/begin PROJECT P \"\"\n";
  for (const auto& n : names) text += "  /begin MODULE " + n + " \"\"\n  /end MODULE\n";
  return text + "/end PROJECT\n";
}

std::vector<std::string> walkModules(TOrdex* inst, const char* pattern) {
  std::vector<std::string> names;
  char name[256] = "";
  for (int guard = 0; guard < 1000; ++guard) {
    EXPECT_EQ(Ordex_GetNextModuleName(inst, name, pattern), rcOk);
    if (!*name) break;
    names.emplace_back(name);
  }
  return names;
}

class ModuleLists : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(readText(inst, projectWithModules({"A", "BB", "CCC"})), rcOk); }
  Instance inst;
};

TEST_F(ModuleLists, StopsWhenTheNextNameWouldNotLeaveFourBytes) {
  char buf[10];
  std::memset(buf, 'x', sizeof buf);
  ASSERT_EQ(Ordex_GetModuleList(inst, buf, 10, nullptr, nullptr), rcOk);
  EXPECT_EQ(std::string(buf, 6), std::string("A\0BB\0\0", 6));
  EXPECT_EQ(splitMultiString(buf), (std::vector<std::string>{"A", "BB"}));
}

TEST_F(ModuleLists, ContinuesAfterAName) {
  char buf[64];
  ASSERT_EQ(Ordex_GetModuleList(inst, buf, sizeof buf, "BB", nullptr), rcOk);
  EXPECT_EQ(splitMultiString(buf), (std::vector<std::string>{"CCC"}));
  ASSERT_EQ(Ordex_GetModuleList(inst, buf, sizeof buf, "nothing", nullptr), rcOk);
  EXPECT_EQ(buf[0], '\0');
}

TEST_F(ModuleLists, TooSmallForTheFirstNameGivesTheEmptyMultiString) {
  char buf[4] = {'x', 'x', 'x', 'x'};
  ASSERT_EQ(Ordex_GetModuleList(inst, buf, 4, nullptr, nullptr), rcOk);
  EXPECT_EQ(buf[0], '\0');
  EXPECT_EQ(Ordex_GetModuleList(inst, buf, 0, nullptr, nullptr), rcBadSize);
  EXPECT_EQ(Ordex_GetModuleList(inst, nullptr, 10, nullptr, nullptr), rcNullArgument);
}

TEST_F(ModuleLists, EnumeratorWalksAllNamesThenReturnsEmpty) {
  EXPECT_EQ(walkModules(inst, nullptr), (std::vector<std::string>{"A", "BB", "CCC"}));
}

TEST_F(ModuleLists, ContinueAfterNameHonoursTheComparisonMode) {
  char buf[64];
  Ordex_ConfigureStringComparison(1);
  EXPECT_EQ(Ordex_GetModuleList(inst, buf, sizeof buf, "bb", nullptr), rcOk);
  EXPECT_EQ(splitMultiString(buf), (std::vector<std::string>{"CCC"}));
  char name[256] = "bb";
  EXPECT_EQ(Ordex_GetNextModuleName(inst, name, nullptr), rcOk);
  EXPECT_STREQ(name, "CCC");
  Ordex_ConfigureStringComparison(0);
  EXPECT_EQ(Ordex_GetModuleList(inst, buf, sizeof buf, "bb", nullptr), rcOk);
  EXPECT_EQ(buf[0], '\0');
}

TEST(NameEnumerators, UnknownNameEndsTheWalkAtOnce) {
  Instance inst;
  ASSERT_EQ(readText(inst, projectWithModules({"A", "B"})), rcOk);
  char name[256] = "Z";
  EXPECT_EQ(Ordex_GetNextModuleName(inst, name, nullptr), rcOk);
  EXPECT_STREQ(name, "");
}

TEST(NameEnumerators, InterleavedWalksOnTwoInstancesShareOnePositionButStayCorrect) {
  Instance a, b;
  ASSERT_EQ(readText(a, projectWithModules({"M1", "M2", "M3"})), rcOk);
  ASSERT_EQ(readText(b, projectWithModules({"N1", "N2", "N3"})), rcOk);
  std::vector<std::string> seenA, seenB;
  char na[256] = "", nb[256] = "";
  for (int i = 0; i < 4; ++i) {
    ASSERT_EQ(Ordex_GetNextModuleName(a, na, nullptr), rcOk);
    ASSERT_EQ(Ordex_GetNextModuleName(b, nb, nullptr), rcOk);
    if (*na) seenA.emplace_back(na);
    if (*nb) seenB.emplace_back(nb);
  }
  EXPECT_EQ(seenA, (std::vector<std::string>{"M1", "M2", "M3"}));
  EXPECT_EQ(seenB, (std::vector<std::string>{"N1", "N2", "N3"}));
}

TEST(NameEnumerators, DuplicatesAreWalkedInTurnWhileThePositionHolds) {
  Instance inst;
  ASSERT_EQ(readText(inst, projectWithModules({"D", "D", "E"})), rcOk);
  EXPECT_EQ(walkModules(inst, nullptr), (std::vector<std::string>{"D", "D", "E"}));
}

TEST(NameEnumerators, PositionOfADestroyedInstanceIsNeverUsed) {
  char name[256] = "";
  {
    Instance gone;
    ASSERT_EQ(readText(gone, projectWithModules({"X1", "X2"})), rcOk);
    ASSERT_EQ(Ordex_GetNextModuleName(gone, name, nullptr), rcOk);
    ASSERT_STREQ(name, "X1");
  }
  // A new instance whose first module has the same name continues by name, reading no
  // freed memory (the sanitizer build checks).
  Instance fresh;
  ASSERT_EQ(readText(fresh, projectWithModules({"X1", "Y"})), rcOk);
  ASSERT_EQ(Ordex_GetNextModuleName(fresh, name, nullptr), rcOk);
  EXPECT_STREQ(name, "Y");
}

struct WildcardCase {
  const char* pattern;
  std::vector<std::string> expected;
};

TEST(NameEnumerators, WildcardPatterns) {
  Instance inst;
  ASSERT_EQ(readText(inst, projectWithModules({"ENG_SPEED", "ENGINE", "AX", "BX", "ABX", "eng"})),
            rcOk);
  const WildcardCase cases[] = {
      {"ENG*", {"ENG_SPEED", "ENGINE"}},
      {"?X", {"AX", "BX"}},
      {"*X", {"AX", "BX", "ABX"}},
      {"*", {"ENG_SPEED", "ENGINE", "AX", "BX", "ABX", "eng"}},
      {"E*E", {"ENGINE"}},
      {"*N*N*", {"ENGINE"}},
      {"", {}},
      {"eng", {"eng"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(walkModules(inst, c.pattern), c.expected) << c.pattern;
    char buf[256];
    ASSERT_EQ(Ordex_GetModuleList(inst, buf, sizeof buf, nullptr, c.pattern), rcOk);
    EXPECT_EQ(splitMultiString(buf), c.expected) << c.pattern;
  }
}

TEST(NameEnumerators, CodesWithoutProjectOrModule) {
  Instance inst;
  char name[256] = "";
  char buf[16];
  EXPECT_EQ(Ordex_GetNextModuleName(inst, name, nullptr), rcNoProject);
  EXPECT_EQ(Ordex_GetModuleList(inst, buf, sizeof buf, nullptr, nullptr), rcNoProject);
  ASSERT_EQ(readText(inst, projectWithModules({"A", "B"})), rcOk);
  EXPECT_EQ(Ordex_GetNextCharacteristicName(inst, nullptr, name, nullptr), rcModuleNotFound);
  EXPECT_EQ(Ordex_GetCharacteristicList(inst, "C", buf, sizeof buf, nullptr, nullptr),
            rcModuleNotFound);
  int count = -1;
  EXPECT_EQ(Ordex_GetNumObjects(inst, "A", 0xFFFF, &count), rcOk);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(Ordex_GetNumObjects(inst, nullptr, 16, &count), rcModuleNotFound);
  EXPECT_EQ(Ordex_GetNumObjects(inst, "A", 16, nullptr), rcNullArgument);
  EXPECT_EQ(Ordex_GetNumObjects_Intern(nullptr, 16, &count), rcModuleNotFound);
}

}  // namespace
