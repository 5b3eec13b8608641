// Projects read one after another in one process, kept and destroyed in mixed order: the
// blocks of one read (its text, its window, its model) share memory with those of the others,
// and no read may disturb another project still alive. Each project must write back byte for
// byte as read, and its canonical write must equal that of a project read alone.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ordex.h"
#include "support/test_support.h"

namespace {

using ordex_test::readFile;
using ordex_test::TempDir;

struct Read {
  std::string file;
  uint32_t options;  // 0: the text kept; 1: without it
  std::unique_ptr<ordex_test::Instance> inst;
};

std::string corpus(const char* name) {
  return std::string(ORDEX_CORPUS_DIR) + "/" + name;
}

void startRead(Read& r, const std::string& file, uint32_t options) {
  r.file = file;
  r.options = options;
  r.inst = std::make_unique<ordex_test::Instance>();
  ASSERT_EQ(Ordex_SetReadOptions(*r.inst, options), rcOk);
  ASSERT_EQ(Ordex_ReadAsapFile(*r.inst, file.c_str(), nullptr, nullptr), rcOk) << file;
}

std::string canonical(TOrdex* inst, const TempDir& dir, const std::string& name) {
  std::string path = dir.path() + "/" + name;
  EXPECT_EQ(Ordex_WriteAsapFile(inst, path.c_str(), nullptr, nullptr, "", nullptr, nullptr), rcOk);
  return readFile(path);
}

// The read is intact: written back as read when its text was kept, and equal in its canonical
// write to the reference.
void expectIntact(const Read& r, const std::string& reference, const TempDir& dir, int step) {
  SCOPED_TRACE("step " + std::to_string(step) + ": " + r.file);
  if (r.options == 0) {
    std::string written = dir.path() + "/preserved-" + std::to_string(step) + ".a2l";
    ASSERT_EQ(Ordex_WriteAsapFilePreserving(*r.inst, written.c_str(), nullptr, nullptr, nullptr,
                                            nullptr, nullptr, 0, nullptr),
              rcOk);
    EXPECT_TRUE(readFile(written) == readFile(r.file));
  }
  EXPECT_TRUE(canonical(*r.inst, dir, "canonical-" + std::to_string(step) + ".a2l") == reference);
}

TEST(ReadsInTurn, ProjectsLivingSideBySideStayIntact) {
  if (!ordex_test::corpusAvailable()) GTEST_SKIP() << "no corpus at " << ORDEX_CORPUS_DIR;
  const std::string big = corpus("DanielT__a2ltool/software_b.a2l");
  const std::string mid = corpus("DanielT__a2ltool/xcp_test.a2l");
  const std::string tiny = corpus("DanielT__a2ltool/update_test1.a2l");
  TempDir dir;
  std::string reference[3];
  const std::string* files[3] = {&big, &mid, &tiny};
  for (int i = 0; i < 3; ++i) {
    Read alone;
    startRead(alone, *files[i], 1);
    reference[i] = canonical(*alone.inst, dir, "reference-" + std::to_string(i) + ".a2l");
    ASSERT_FALSE(reference[i].empty());
  }
  auto refOf = [&](const Read& r) {
    for (int i = 0; i < 3; ++i) {
      if (r.file == *files[i]) return reference[i];
    }
    return std::string();
  };

  // Reads started (s), and reads ended (e) by their slot, in an order that frees memory in
  // the middle and at the end of what earlier reads took.
  struct Step {
    char what;
    int slot;
    const std::string* file;
    uint32_t options;
  };
  const Step steps[] = {
      {'s', 0, &mid, 0},    {'s', 1, &big, 0},    {'e', 0, nullptr, 0}, {'s', 2, &big, 0},
      {'s', 3, &big, 1},    {'s', 4, &tiny, 0},   {'e', 1, nullptr, 0}, {'s', 0, &mid, 1},
      {'e', 2, nullptr, 0}, {'e', 3, nullptr, 0}, {'s', 1, &big, 0},    {'e', 0, nullptr, 0},
      {'e', 4, nullptr, 0}, {'e', 1, nullptr, 0}, {'s', 2, &mid, 0},    {'s', 3, &big, 0},
  };
  Read slots[5];
  int step = 0;
  for (const Step& s : steps) {
    ++step;
    if (s.what == 's') {
      startRead(slots[s.slot], *s.file, s.options);
    } else {
      slots[s.slot].inst.reset();
    }
    for (const Read& r : slots) {
      if (r.inst) expectIntact(r, refOf(r), dir, step);
    }
  }
}

}  // namespace
