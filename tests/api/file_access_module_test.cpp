// Ordex_SetFileAccessDll and reads through a file-access module. The test module serves
// files stored as the line "ORDEX-ENC" followed by the text XOR 0x5A; it records the names
// it is asked to open and counts the files it holds open.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::moduleNames;
using ordex_test::readError;
using ordex_test::TempDir;

const char kModule[] = ORDEX_TEST_FILE_ACCESS_MODULE;
const char kIncompleteModule[] = ORDEX_TEST_FILE_ACCESS_MODULE_INCOMPLETE;

std::string encode(const std::string& text) {
  std::string out = "ORDEX-ENC\n";
  for (char c : text) out.push_back(static_cast<char>(c ^ 0x5A));
  return out;
}

std::vector<std::string> lines(const char* text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

const char kProjectText[] =
    "/* encoded head */\n"
    "ASAP2_VERSION 1 61\n"
    "/begin PROJECT Enc \"\"\n"
    "/begin MODULE EncModule \"\" /end MODULE\n"
    "/end PROJECT\n";

// Loads the test module a second time to reach its bookkeeping; the library's module is
// the same loaded object, so both see the same state. The library's module is unloaded
// after every test: the setting is process-wide.
class FileAccessModule : public ::testing::Test {
 protected:
  void SetUp() override {
    handle_ = dlopen(kModule, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle_, nullptr) << dlerror();
    openedNames_ = reinterpret_cast<const char* (*)()>(dlsym(handle_, "testFileAccessOpenedNames"));
    openCount_ = reinterpret_cast<int (*)()>(dlsym(handle_, "testFileAccessOpenCount"));
    ASSERT_NE(openedNames_, nullptr);
    ASSERT_NE(openCount_, nullptr);
    openedNames_();
  }
  void TearDown() override {
    EXPECT_EQ(Ordex_SetFileAccessDll(0, nullptr), rcOk);
    if (handle_) dlclose(handle_);
  }

  std::vector<std::string> opened() { return lines(openedNames_()); }
  int openCount() { return openCount_(); }
  TOrdexReturnCode read(TOrdex* inst, const std::string& path) {
    return Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr);
  }
  // True when the encoded project file reads as A2L (which only the module can do).
  bool readsEncoded(const std::string& path) {
    Instance inst;
    return read(inst, path) == rcOk && moduleNames(inst) == std::vector<std::string>{"EncModule"};
  }

  TempDir dir_;
  void* handle_ = nullptr;
  const char* (*openedNames_)() = nullptr;
  int (*openCount_)() = nullptr;
};

TEST_F(FileAccessModule, ModuleInUseReadsEncodedFilesWithEncodedIncludes) {
  dir_.write("inc.a2l", encode("/begin MODULE Included \"\" /end MODULE\n"));
  std::string top = dir_.write("top.a2l", encode("/* encoded head */\n"
                                                 "ASAP2_VERSION 1 71\n"
                                                 "/begin PROJECT Enc \"\"\n"
                                                 "/begin MODULE First \"\" /end MODULE\n"
                                                 "/include \"" +
                                                 dir_.path() +
                                                 "/inc.a2l\"\n"
                                                 "/end PROJECT\n"));
  ASSERT_EQ(Ordex_SetFileAccessDll_Intern(1, kModule), rcOk);
  Instance inst;
  ASSERT_EQ(read(inst, top), rcOk);
  EXPECT_EQ(moduleNames(inst), (std::vector<std::string>{"First", "Included"}));
  TProject p;
  ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
  // The head is scanned through the module too.
  EXPECT_EQ(p.Asap2Version, 1);
  EXPECT_EQ(p.Asap2Upgrade, 71);
  EXPECT_STREQ(p.FileHeadComment, "/* encoded head */\n");
  // The module was asked for the top file (tokens, then the head scan) and the include
  // name with its quotes removed; every file is closed again.
  EXPECT_EQ(opened(), (std::vector<std::string>{top, top, dir_.path() + "/inc.a2l"}));
  EXPECT_EQ(openCount(), 0);
}

// A relative include is asked for as written, then beside the including file; an empty
// include name is never asked for.
TEST_F(FileAccessModule, IncludeNamesAskedFor) {
  dir_.write("sub/inc.a2l", encode("/begin MODULE Beside \"\" /end MODULE\n"));
  const std::string head = "/begin PROJECT P \"\"\n/begin MODULE A \"\" /end MODULE\n/include ";
  const std::string relative = dir_.write("sub/top.a2l", encode(head + "inc.a2l\n/end PROJECT\n"));
  const std::string empty = dir_.write("top.a2l", encode(head + "NULL\n/end PROJECT\n"));
  ASSERT_EQ(Ordex_SetFileAccessDll(1, kModule), rcOk);
  Instance inst;
  ASSERT_EQ(read(inst, relative), rcOk);
  EXPECT_EQ(moduleNames(inst), (std::vector<std::string>{"A", "Beside"}));
  EXPECT_EQ(opened(), (std::vector<std::string>{relative, relative, "inc.a2l",
                                                dir_.path() + "/sub/inc.a2l"}));
  EXPECT_EQ(read(inst, empty), rcIncludeOpenFailed);
  EXPECT_EQ(opened(), (std::vector<std::string>{empty, empty}));
  EXPECT_EQ(openCount(), 0);
  EXPECT_EQ(readError(inst),
            ordex_test::failureReport(4, "PROJECT P, MODULE A", "PROJECT P, MODULE A"));
}

TEST_F(FileAccessModule, FilesAreClosedAfterEveryFailure) {
  dir_.write("open.a2l", encode("/begin PROJECT Again \"\" x y z w\n"));
  struct Case {
    const char* name;
    std::string text;
    TOrdexReturnCode rc;
  };
  const Case cases[] = {
      {"nesting at the end", "/begin PROJECT P \"\"\n", rcBlockNesting},
      {"failure inside an include",
       "/begin PROJECT P \"\"\n/include \"" + dir_.path() + "/open.a2l\"\n/end PROJECT\n",
       rcBlockNesting},
      {"missing include", "/begin PROJECT P \"\"\n/include none.a2l\n/end PROJECT\n",
       rcIncludeOpenFailed},
      {"include nesting too deep", "/include \"" + dir_.path() + "/self.a2l\"\n",
       rcIncludeOpenFailed},
  };
  ASSERT_EQ(Ordex_SetFileAccessDll(1, kModule), rcOk);
  for (const Case& c : cases) {
    std::string top = dir_.write("self.a2l", encode(c.text));
    Instance inst;
    EXPECT_EQ(read(inst, top), c.rc) << c.name;
    EXPECT_EQ(openCount(), 0) << c.name;
  }
  // The callback stops the read at once.
  Instance inst;
  std::string top = dir_.write("enc.a2l", encode(kProjectText));
  EXPECT_EQ(Ordex_ReadAsapFile(inst, top.c_str(), nullptr, [](int) { return 1; }),
            rcAbortedByCallback);
  EXPECT_EQ(openCount(), 0);
}

TEST_F(FileAccessModule, PreInfoGoesThroughTheModule) {
  std::string enc = dir_.write("enc.a2l", encode(kProjectText));
  std::string plain = dir_.write("plain.a2l", kProjectText);
  int version = 0;
  int upgrade = 0;
  char comment[256];
  ASSERT_EQ(Ordex_SetFileAccessDll(1, kModule), rcOk);
  ASSERT_EQ(Ordex_GetAsapFilePreInfo(enc.c_str(), &version, &upgrade, comment), rcOk);
  EXPECT_EQ(version, 1);
  EXPECT_EQ(upgrade, 61);
  EXPECT_STREQ(comment, "/* encoded head */\n");
  // The module serves only encoded files.
  EXPECT_EQ(Ordex_GetAsapFilePreInfo(plain.c_str(), &version, &upgrade, comment), rcFileOpenFailed);
  Instance inst;
  EXPECT_EQ(read(inst, plain), rcFileOpenFailed);
  EXPECT_EQ(openCount(), 0);

  ASSERT_EQ(Ordex_SetFileAccessDll(0, "not looked at"), rcOk);
  ASSERT_EQ(Ordex_GetAsapFilePreInfo(enc.c_str(), &version, &upgrade, comment), rcOk);
  EXPECT_EQ(version, 0);
  EXPECT_EQ(upgrade, 0);
}

// Mode 1 loads a module, mode 0 unloads it, other modes are refused and change nothing. A
// module that cannot be taken unloads the one in use first, so reads fall back to plain
// files; the complete module can be taken again.
TEST_F(FileAccessModule, ModesAndModulesThatCannotBeTaken) {
  const std::string path = dir_.write("enc.a2l", encode(kProjectText));
  const std::string plain = dir_.write("plain.a2l", kProjectText);
  EXPECT_FALSE(readsEncoded(path));
  ASSERT_EQ(Ordex_SetFileAccessDll(1, kModule), rcOk);
  EXPECT_TRUE(readsEncoded(path));
  EXPECT_EQ(Ordex_SetFileAccessDll(2, kIncompleteModule), rcInvalidArgument);
  EXPECT_EQ(Ordex_SetFileAccessDll(-1, nullptr), rcInvalidArgument);
  EXPECT_TRUE(readsEncoded(path));
  EXPECT_EQ(Ordex_SetFileAccessDll(0, nullptr), rcOk);
  EXPECT_FALSE(readsEncoded(path));
  EXPECT_EQ(Ordex_SetFileAccessDll(0, nullptr), rcOk);

  const struct {
    std::string module;
    TOrdexReturnCode rc;
  } refused[] = {
      {dir_.path() + "/missing.so", rcFileOpenFailed},
      {"", rcFileOpenFailed},
      {plain, rcFileOpenFailed},  // no shared object
      {kIncompleteModule, rcFileAccessFailed},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.module);
    ASSERT_EQ(Ordex_SetFileAccessDll(1, kModule), rcOk);
    EXPECT_EQ(Ordex_SetFileAccessDll(1, c.module.c_str()), c.rc);
    EXPECT_FALSE(readsEncoded(path));
    Instance inst;
    EXPECT_EQ(read(inst, plain), rcOk);
  }
  EXPECT_EQ(Ordex_SetFileAccessDll(1, nullptr), rcFileOpenFailed);
}

TEST_F(FileAccessModule, BareModuleNameIsFoundInTheCurrentDirectory) {
  std::string full = kModule;
  size_t slash = full.rfind('/');
  ASSERT_NE(slash, std::string::npos);
  char old[PATH_MAX];
  ASSERT_NE(getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(chdir(full.substr(0, slash).c_str()), 0);
  TOrdexReturnCode rc = Ordex_SetFileAccessDll(1, full.substr(slash + 1).c_str());
  ASSERT_EQ(chdir(old), 0);
  EXPECT_EQ(rc, rcOk);
  EXPECT_TRUE(readsEncoded(dir_.write("enc.a2l", encode(kProjectText))));
}

}  // namespace
