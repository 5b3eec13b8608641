// Writes that fail part-way: a full disk (a file-size limit stands in for it, which needs no
// privileges), a device that refuses the bytes, a template that cannot be opened. Each
// must return its code, leave an existing file byte for byte as it was and leave no
// temporary file behind; a write that succeeds replaces the file whole.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "ordex.h"
#include "support/inline_a2l.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::readFile;
using ordex_test::TempDir;

// The names in a folder, sorted.
std::vector<std::string> folderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Files may grow to `bytes` for the lifetime of the object; a write beyond fails with
// EFBIG instead of raising SIGXFSZ, as a full disk fails with ENOSPC.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
};

class WriterFailure : public testing::Test {
 protected:
  void SetUp() override {
    std::string body;
    for (int i = 0; i < 200; ++i) {
      body += "/begin MEASUREMENT M" + std::to_string(i) +
              " \"a measurement\" UBYTE NO_COMPU_METHOD 0 0 0 255 /end MEASUREMENT\n";
    }
    ASSERT_EQ(ordex_test::readText(inst_, ordex_test::inModule(body)), rcOk);
  }
  TOrdexReturnCode write(const std::string& path, const char* modParTemplate = nullptr) {
    return Ordex_WriteAsapFile(inst_, path.c_str(), nullptr, modParTemplate, "", nullptr, nullptr);
  }

  Instance inst_;
  TempDir dir_;
  const std::string original_ = "ASAP2_VERSION 1 71\n/* the user's file */\n";
};

// Whatever stops a write, the file it was to replace is untouched, and the folder holds
// just what it held before.
TEST_F(WriterFailure, AFailedWriteLeavesTheOldFileAsItWas) {
  const std::string missingTemplate = dir_.path() + "/no_such_template.txt";
  const struct {
    const char* name;
    rlim_t sizeLimit;  // 0: none
    const char* modParTemplate;
    TOrdexReturnCode rc;
  } cases[] = {
      {"disk full after the first piece", 300000, nullptr, rcOutputCreateFailed},
      {"disk full at the first byte", 1, nullptr, rcOutputCreateFailed},
      {"template cannot be opened", 0, missingTemplate.c_str(), rcFileOpenFailed},
  };
  // Large enough that the text leaves the writer's buffer more than once.
  std::string body;
  for (int i = 0; i < 6000; ++i) {
    body += "/begin MEASUREMENT Many" + std::to_string(i) + " \"" + std::string(80, 'x') +
            "\" UBYTE NO_COMPU_METHOD 0 0 0 255 /end MEASUREMENT\n";
  }
  Instance large;
  ASSERT_EQ(ordex_test::readText(large, ordex_test::inModule(body)), rcOk);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string target = dir_.write("user.a2l", original_);
    const std::vector<std::string> before = folderEntries(dir_.path());
    TOrdexReturnCode rc;
    {
      FileSizeLimit limit(c.sizeLimit ? c.sizeLimit : RLIM_INFINITY);
      rc = Ordex_WriteAsapFile(large, target.c_str(), nullptr, c.modParTemplate, "", nullptr,
                               nullptr);
    }
    EXPECT_EQ(rc, c.rc);
    EXPECT_EQ(readFile(target), original_);
    EXPECT_EQ(folderEntries(dir_.path()), before);

    // A target that did not exist is not created.
    const std::string fresh = dir_.path() + "/fresh.a2l";
    {
      FileSizeLimit limit(c.sizeLimit ? c.sizeLimit : RLIM_INFINITY);
      rc = Ordex_WriteAsapFile(large, fresh.c_str(), nullptr, c.modParTemplate, "", nullptr,
                               nullptr);
    }
    EXPECT_EQ(rc, c.rc);
    EXPECT_FALSE(std::filesystem::exists(fresh));
    EXPECT_EQ(folderEntries(dir_.path()), before);
  }
}

// A device is written in place, with every write checked: /dev/full refuses the bytes.
TEST_F(WriterFailure, DevicesAreWrittenInPlaceAndChecked) {
  EXPECT_EQ(write("/dev/full"), rcOutputCreateFailed);
  EXPECT_EQ(write("/dev/null"), rcOk);
  struct stat st;
  ASSERT_EQ(stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
}

// A write that succeeds puts the whole text under the name: a read-only file is replaced,
// a link keeps leading to the file it named, which now holds the text, the new file has the
// permissions of any new file, and no temporary file is left.
TEST_F(WriterFailure, ASuccessfulWriteReplacesTheFileWhole) {
  const std::string target = dir_.write("user.a2l", original_);
  chmod(target.c_str(), 0444);
  ASSERT_EQ(write(target), rcOk);
  const std::string text = readFile(target);
  EXPECT_EQ(text.rfind("ASAP2_VERSION  1 3\n", 0), 0u);
  EXPECT_EQ(folderEntries(dir_.path()), std::vector<std::string>{"user.a2l"});
  const mode_t mask = umask(0);
  umask(mask);
  struct stat st;
  ASSERT_EQ(stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);

  const std::string link = dir_.path() + "/link.a2l";
  dir_.write("user.a2l", original_);
  ASSERT_EQ(symlink("user.a2l", link.c_str()), 0);
  ASSERT_EQ(write(link), rcOk);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(readFile(target), text);
  EXPECT_EQ(folderEntries(dir_.path()), (std::vector<std::string>{"link.a2l", "user.a2l"}));

  // A bare name is written into the current folder.
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir_.path());
  EXPECT_EQ(write("bare.a2l"), rcOk);
  std::filesystem::current_path(before);
  EXPECT_EQ(readFile(dir_.path() + "/bare.a2l"), text);
}

}  // namespace
