// Ordex_WriteAsapFilePreserving after edits: each case edits a real file through the C
// interface and compares the line diff between the file read and the file written with a
// golden diff in tests/data/preserve (ORDEX_UPDATE_GOLDEN=1 rewrites them). Every written
// file must also read back to the edited model: its canonical write equals the canonical
// write of the model that was edited.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "ordex.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using ordex_test::Instance;
using ordex_test::readFile;
using ordex_test::TempDir;

// A corpus file, or a file of tests/data given as "data/NAME".
std::string corpus(const std::string& name) {
  if (name.rfind("data/", 0) == 0) return ordex_test::dataPath(name.substr(5));
  return std::string(ORDEX_CORPUS_DIR) + "/" + name;
}

std::string goldenPath(const std::string& name) {
  return ordex_test::dataPath("preserve/" + name + ".diff");
}

// `diff -u` between two files, with fixed labels.
std::string lineDiff(const std::string& a, const std::string& b) {
  std::string command = "diff -u --label read --label written '" + a + "' '" + b + "'";
  std::FILE* p = popen(command.c_str(), "r");
  std::string out;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

std::string canonicalText(TOrdex* inst, const TempDir& dir, const std::string& name) {
  std::string path = dir.path() + "/" + name;
  EXPECT_EQ(Ordex_WriteAsapFile(inst, path.c_str(), nullptr, nullptr, "", nullptr, nullptr), rcOk);
  return readFile(path);
}

void expectGolden(const std::string& name, const std::string& diff) {
  if (std::getenv("ORDEX_UPDATE_GOLDEN")) {
    std::FILE* f = std::fopen(goldenPath(name).c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(diff.data(), 1, diff.size(), f);
    std::fclose(f);
    return;
  }
  EXPECT_EQ(diff, readFile(goldenPath(name)))
      << "ORDEX_UPDATE_GOLDEN=1 rewrites " << goldenPath(name);
}

template <class Record>
Record named(const char* name) {
  Record r{};
  std::snprintf(r.Name, sizeof r.Name, "%s", name);
  return r;
}

struct EditCase {
  const char* name;
  const char* file;  // in the corpus
  std::function<void(TOrdex*)> edit;
};

const EditCase kEdits[] = {
    {"characteristic_limit", "sgnes__A2l-Parser/demo.a2l",
     [](TOrdex* inst) {
       auto c = named<TCharacteristic>("TestCalib1");
       ASSERT_EQ(Ordex_GetCharacteristic(inst, nullptr, &c, 0), rcOk);
       std::snprintf(c.UpperLimit.Text, sizeof c.UpperLimit.Text, "250");
       c.UpperLimit.Value = 250;
       ASSERT_EQ(Ordex_ChangeCharacteristic(inst, nullptr, &c), rcOk);
     }},
    {"measurement_format_and_annotation", "sgnes__A2l-Parser/demo.a2l",
     [](TOrdex* inst) {
       auto m = named<TMeasurement>("Testvar1");
       ASSERT_EQ(Ordex_GetMeasurement(inst, nullptr, &m, 0), rcOk);
       std::snprintf(m.Format, sizeof m.Format, "%%9.3");
       ASSERT_EQ(Ordex_ChangeMeasurement(inst, nullptr, &m), rcOk);
       TAnnotationRecord note{"label", "origin", "text"};
       ASSERT_EQ(Ordex_AddToAMeasAnnotatList(inst, nullptr, "Testvar1", &note), rcOk);
       TIfDataRecord ifData{"XCP", "LINKED_TO 1 "};
       ASSERT_EQ(Ordex_AddToAMeasIfDataList(inst, nullptr, "Testvar1", &ifData), rcOk);
     }},
    {"create_measurement_and_compu_method", "sgnes__A2l-Parser/demo.a2l",
     [](TOrdex* inst) {
       auto m = named<TMeasurement>("Testvar1");
       ASSERT_EQ(Ordex_GetMeasurement(inst, nullptr, &m, 0), rcOk);
       std::snprintf(m.Name, sizeof m.Name, "NewSignal");
       m.EcuAddress = 0x1234;
       ASSERT_EQ(Ordex_CreateMeasurement(inst, nullptr, &m), rcOk);
       auto cm = named<TCompuMethod>("cv_0_1A_A");
       ASSERT_EQ(Ordex_GetCompuMethod(inst, nullptr, &cm, 0), rcOk);
       std::snprintf(cm.Name, sizeof cm.Name, "cm_new");
       ASSERT_EQ(Ordex_CreateCompuMethod(inst, nullptr, &cm), rcOk);
     }},
    {"remove_objects", "sgnes__A2l-Parser/demo.a2l",
     [](TOrdex* inst) {
       ASSERT_EQ(Ordex_RemoveCharacteristic(inst, nullptr, "TestCalib2"), rcOk);
       ASSERT_EQ(Ordex_RemoveFunction(inst, nullptr, "status_handling_rps2"), rcOk);
     }},
    {"function_lists", "sgnes__A2l-Parser/demo.a2l",
     [](TOrdex* inst) {
       ASSERT_EQ(Ordex_AddToAFuncsDefChaList(inst, nullptr, "status_handling_rps1", "TestCalib3"),
                 rcOk);
       ASSERT_EQ(Ordex_AddToAFuncsLocMeaList(inst, nullptr, "status_handling_rps1", "Testvar1"),
                 rcOk);
       ASSERT_EQ(Ordex_RemFromAFuncsLocMeaList(inst, nullptr, "status_handling_rps2",
                                               "s_Srps_StatusSignalRps2"),
                 rcOk);
     }},
    {"folded_function_lists", "data/function_lists_and_axis_pts.a2l",
     [](TOrdex* inst) {
       // Kw1 and M1 name FnA in their FUNCTION_LIST blocks: removing them from FnA's lists
       // edits those blocks; an added name goes to FnA's own list.
       ASSERT_EQ(Ordex_RemFromAFuncsDefChaList(inst, nullptr, "FnA", "Kw1"), rcOk);
       ASSERT_EQ(Ordex_RemFromAFuncsInMeaList(inst, nullptr, "FnA", "M1"), rcOk);
       ASSERT_EQ(Ordex_AddToAFuncsInMeaList(inst, nullptr, "FnA", "d"), rcOk);
     }},
    {"module_and_mod_par", "DanielT__a2ltool/software_b.a2l",
     [](TOrdex* inst) {
       TModule m{};
       ASSERT_EQ(Ordex_GetModule(inst, &m, 0), rcOk);
       std::snprintf(m.LongIdentifier, sizeof m.LongIdentifier, "edited module");
       ASSERT_EQ(Ordex_ChangeModule(inst, &m), rcOk);
       ASSERT_EQ(Ordex_AddToSystemConstantList(inst, nullptr, "NEW_CONSTANT", "42"), rcOk);
     }},
    {"remove_module_and_memory_segment", "data/two_modules_every_kind.a2l",
     [](TOrdex* inst) {
       ASSERT_EQ(Ordex_RemoveModule(inst, "Gateway"), rcOk);
       ASSERT_EQ(Ordex_RemoveMemorySegment(inst, "Body", "Flash"), rcOk);
     }},
};

class PreservingEdit : public testing::TestWithParam<EditCase> {};

TEST_P(PreservingEdit, ChangesOnlyTheEditedBlocks) {
  const EditCase& c = GetParam();
  if (!ordex_test::corpusAvailable() && std::strncmp(c.file, "data/", 5) != 0) GTEST_SKIP();
  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, corpus(c.file).c_str(), nullptr, nullptr), rcOk);
  c.edit(inst);
  if (testing::Test::HasFatalFailure()) return;
  TempDir dir;
  std::string written = dir.path() + "/written.a2l";
  uint32_t outcome = 99;
  ASSERT_EQ(Ordex_WriteAsapFilePreserving(inst, written.c_str(), nullptr, nullptr, nullptr, nullptr,
                                          nullptr, 0, &outcome),
            rcOk);
  EXPECT_EQ(outcome, 0u);
  expectGolden(c.name, lineDiff(corpus(c.file), written));
  Instance back;
  ASSERT_EQ(Ordex_ReadAsapFile(back, written.c_str(), nullptr, nullptr), rcOk)
      << ordex_test::readError(back);
  EXPECT_EQ(canonicalText(back, dir, "back.a2l"), canonicalText(inst, dir, "edited.a2l"));
}

INSTANTIATE_TEST_SUITE_P(Edits, PreservingEdit, testing::ValuesIn(kEdits),
                         [](const testing::TestParamInfo<EditCase>& info) {
                           return std::string(info.param.name);
                         });

// The write never reads the source again: a file changed or gone since the read is written
// as it was read.
TEST(PreservingWrite, DoesNotDependOnTheSourceFile) {
  TempDir dir;
  const std::string text = readFile(ordex_test::dataPath("two_modules_every_kind.a2l"));
  std::string path = dir.write("source.a2l", text);
  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr), rcOk);
  dir.write("source.a2l", "changed");
  std::string out = dir.path() + "/out.a2l";
  ASSERT_EQ(Ordex_WriteAsapFilePreserving(inst, out.c_str(), nullptr, nullptr, nullptr, nullptr,
                                          nullptr, 0, nullptr),
            rcOk);
  EXPECT_EQ(readFile(out), text);
  fs::remove(path);
  ASSERT_EQ(Ordex_WriteAsapFilePreserving(inst, path.c_str(), nullptr, nullptr, nullptr, nullptr,
                                          nullptr, 0, nullptr),
            rcOk);
  EXPECT_EQ(readFile(path), text);
}

// Without kept text (read so, or made by edits) the write is the canonical one.
TEST(PreservingWrite, WithoutSourceWritesCanonically) {
  TempDir dir;
  Instance inst;
  ASSERT_EQ(Ordex_SetReadOptions(inst, ORDEX_READ_WITHOUT_SOURCE), rcOk);
  EXPECT_EQ(Ordex_SetReadOptions(inst, 0x80), rcInvalidArgument);
  std::string in = ordex_test::dataPath("two_modules_every_kind.a2l");
  ASSERT_EQ(Ordex_ReadAsapFile(inst, in.c_str(), nullptr, nullptr), rcOk);
  std::string out = dir.path() + "/out.a2l";
  uint32_t outcome = 0;
  ASSERT_EQ(Ordex_WriteAsapFilePreserving(inst, out.c_str(), nullptr, nullptr, "c", nullptr,
                                          nullptr, 0, &outcome),
            rcOk);
  EXPECT_EQ(outcome, ORDEX_WROTE_CANONICALLY);
  std::string canonical = dir.path() + "/canonical.a2l";
  ASSERT_EQ(Ordex_WriteAsapFile(inst, canonical.c_str(), nullptr, nullptr, "c", nullptr, nullptr),
            rcOk);
  EXPECT_EQ(readFile(out), readFile(canonical));
}

int refuseMeasurements(TOrdexElementType kind, uint32_t) {
  return kind != etMeasurement;
}

// The module filter and the element callback leave blocks out of the kept text; the
// template replaces MOD_PAR.
TEST(PreservingWrite, OptionsKeepTheirMeaning) {
  TempDir dir;
  Instance inst;
  std::string in = ordex_test::dataPath("two_modules_every_kind.a2l");
  ASSERT_EQ(Ordex_ReadAsapFile(inst, in.c_str(), nullptr, nullptr), rcOk);
  std::string templ = dir.write("template.a2l",
                                "    /begin MOD_PAR \"from template\"\n<MEMORY_SEGMENTs>"
                                "<SYSTEM_CONSTANTs>    /end MOD_PAR\n");
  std::string out = dir.path() + "/out.a2l";
  ASSERT_EQ(Ordex_WriteAsapFilePreserving(inst, out.c_str(), "Body", templ.c_str(), nullptr,
                                          refuseMeasurements, nullptr, 0, nullptr),
            rcOk);
  Instance back;
  ASSERT_EQ(Ordex_ReadAsapFile(back, out.c_str(), nullptr, nullptr), rcOk);
  EXPECT_EQ(ordex_test::moduleNames(back), std::vector<std::string>{"Body"});
  int count = 99;
  ASSERT_EQ(Ordex_GetNumObjects(back, "Body", etMeasurement, &count), rcOk);
  EXPECT_EQ(count, 0);
  TModule m{};
  ASSERT_EQ(Ordex_GetModule(back, &m, 0), rcOk);
  EXPECT_STREQ(m.ModParComment, "from template");
  std::string missing = dir.path() + "/missing.a2l";
  EXPECT_EQ(Ordex_WriteAsapFilePreserving(inst, out.c_str(), nullptr, missing.c_str(), nullptr,
                                          nullptr, nullptr, 0, nullptr),
            rcFileOpenFailed);
}

// A file with includes: an edit in an included file writes that file beside the output
// (in a subfolder as its /include names it); inlining writes one file.
TEST(PreservingWrite, IncludedFilesBesideTheOutputOrInlined) {
  TempDir src;
  const std::string part =
      "/begin MEASUREMENT Speed \"speed\" UWORD NO_COMPU_METHOD 1 1 0 100\n"
      "  ECU_ADDRESS 0x10 /* kept */\n/end MEASUREMENT\n";
  fs::create_directory(src.path() + "/sub");
  src.write("sub/part.a2l", part);
  const std::string main =
      "ASAP2_VERSION 1 61\n/begin PROJECT P \"\"\n  /begin MODULE M \"\"\n"
      "    /include \"sub/part.a2l\"\n  /end MODULE\n/end PROJECT\n";
  std::string mainPath = src.write("main.a2l", main);
  Instance inst;
  ASSERT_EQ(Ordex_ReadAsapFile(inst, mainPath.c_str(), nullptr, nullptr), rcOk);
  auto m = named<TMeasurement>("Speed");
  ASSERT_EQ(Ordex_GetMeasurement(inst, nullptr, &m, 0), rcOk);
  m.EcuAddress = 0x20;
  ASSERT_EQ(Ordex_ChangeMeasurement(inst, nullptr, &m), rcOk);

  TempDir out;
  uint32_t outcome = 0;
  std::string written = out.path() + "/main.a2l";
  ASSERT_EQ(Ordex_WriteAsapFilePreserving(inst, written.c_str(), nullptr, nullptr, nullptr, nullptr,
                                          nullptr, 0, &outcome),
            rcOk);
  EXPECT_EQ(outcome, ORDEX_WROTE_INCLUDED_FILES);
  EXPECT_EQ(readFile(written), main);
  std::string edited = part;
  edited.replace(edited.find("0x10"), 4, "0x20");
  EXPECT_EQ(readFile(out.path() + "/sub/part.a2l"), edited);
  EXPECT_EQ(readFile(src.path() + "/sub/part.a2l"), part);

  std::string single = out.path() + "/single.a2l";
  ASSERT_EQ(Ordex_WriteAsapFilePreserving(inst, single.c_str(), nullptr, nullptr, nullptr, nullptr,
                                          nullptr, ORDEX_PRESERVE_INLINE_INCLUDES, &outcome),
            rcOk);
  EXPECT_EQ(outcome, ORDEX_WROTE_INLINED_INCLUDES);
  std::string inlined = main;
  inlined.replace(inlined.find("/include \"sub/part.a2l\""), 23, edited);
  EXPECT_EQ(readFile(single), inlined);
}

}  // namespace
