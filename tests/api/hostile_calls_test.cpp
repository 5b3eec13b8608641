// Calls and inputs that once crashed, or read a file that the writer then could not give
// back: each ends with a code, and whatever reads with 0 is written so that it reads back.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ordex.h"
#include "support/inline_a2l.h"
#include "support/test_support.h"

namespace {

using ordex_test::inModule;
using ordex_test::Instance;
using ordex_test::readError;
using ordex_test::readFile;
using ordex_test::readText;
using ordex_test::TempDir;

// Writes the model and reads the written file into `again`; returns the text.
std::string writeAndReadBack(TOrdex* inst, TOrdex* again, TOrdexReturnCode* reread) {
  TempDir dir;
  const std::string path = dir.path() + "/out.a2l";
  EXPECT_EQ(Ordex_WriteAsapFile(inst, path.c_str(), nullptr, nullptr, "", nullptr, nullptr), rcOk);
  *reread = Ordex_ReadAsapFile(again, path.c_str(), nullptr, nullptr);
  return readFile(path);
}

// ---- destroying an instance from its own destructor callback ----

struct SelfDestroy {
  TOrdex* instance = nullptr;
  int calls = 0;
  TOrdexReturnCode again = rcOk;
};
SelfDestroy gSelf;

void destroyItselfAgain() {
  ++gSelf.calls;
  gSelf.again = Ordex_DestroyInstance(gSelf.instance);
}

TEST(HostileCalls, DestroyFromTheInstancesOwnDestructorCallback) {
  gSelf = SelfDestroy{};
  ASSERT_EQ(Ordex_CreateInstance(&gSelf.instance), rcOk);
  ASSERT_EQ(readText(gSelf.instance, inModule("")), rcOk);
  ASSERT_EQ(Ordex_RegisterInstanceDestructorCbFunc(gSelf.instance, destroyItselfAgain), rcOk);
  EXPECT_EQ(Ordex_DestroyInstance(gSelf.instance), rcOk);
  EXPECT_EQ(gSelf.calls, 1);
  EXPECT_EQ(gSelf.again, rcInvalidArgument);
}

// The callback of one instance may destroy another; that one's own callback may not
// destroy the first, which is being destroyed already.
struct Pair {
  TOrdex* first = nullptr;
  TOrdex* second = nullptr;
  TOrdexReturnCode secondDestroyed = rcOk;
  TOrdexReturnCode firstAgain = rcOk;
};
Pair gPair;

void destroyTheFirst() {
  gPair.firstAgain = Ordex_DestroyInstance(gPair.first);
}
void destroyTheSecond() {
  gPair.secondDestroyed = Ordex_DestroyInstance(gPair.second);
}

TEST(HostileCalls, DestroyAnotherInstanceFromADestructorCallback) {
  gPair = Pair{};
  ASSERT_EQ(Ordex_CreateInstance(&gPair.first), rcOk);
  ASSERT_EQ(Ordex_CreateInstance(&gPair.second), rcOk);
  ASSERT_EQ(Ordex_RegisterInstanceDestructorCbFunc(gPair.first, destroyTheSecond), rcOk);
  ASSERT_EQ(Ordex_RegisterInstanceDestructorCbFunc(gPair.second, destroyTheFirst), rcOk);
  EXPECT_EQ(Ordex_DestroyInstance(gPair.first), rcOk);
  EXPECT_EQ(gPair.secondDestroyed, rcOk);
  EXPECT_EQ(gPair.firstAgain, rcInvalidArgument);
}

// The callbacks of a write may not free what the writer walks: destroying the instance,
// removing the object about to be written, reading another file into the instance.
TOrdex* gWritten = nullptr;
TOrdexReturnCode (*gAction)() = nullptr;
TOrdexReturnCode gActionResult = rcOk;
int actFromElementCallback(TOrdexElementType, uint32_t) {
  gActionResult = gAction();
  return 1;
}
int actFromProgressCallback(int) {
  gActionResult = gAction();
  return 0;
}

TEST(HostileCalls, FreeingFromTheCallbacksOfAWrite) {
  TOrdexReturnCode (*const actions[])() = {
      [] { return Ordex_DestroyInstance(gWritten); },
      [] { return Ordex_RemoveCompuVTab(gWritten, nullptr, "V"); },
      [] {
        return Ordex_ReadAsapFile(gWritten, ORDEX_EXAMPLES_DIR "/engine_ecu.a2l", nullptr, nullptr);
      },
  };
  for (auto action : actions) {
    for (bool fromProgress : {false, true}) {
      Instance inst;
      ASSERT_EQ(readText(inst, inModule("/begin COMPU_VTAB V \"\" TAB_VERB 1 1 \"one\" "
                                        "/end COMPU_VTAB")),
                rcOk);
      gWritten = inst;
      gAction = action;
      gActionResult = rcOk;
      TempDir dir;
      const std::string path = dir.path() + "/out.a2l";
      EXPECT_EQ(Ordex_WriteAsapFile(inst, path.c_str(), nullptr, nullptr, "",
                                    fromProgress ? nullptr : actFromElementCallback,
                                    fromProgress ? actFromProgressCallback : nullptr),
                rcOk);
      EXPECT_EQ(gActionResult, rcInvalidArgument);
      EXPECT_NE(readFile(path).find("/end COMPU_VTAB"), std::string::npos);
    }
  }
}

// ---- IF_DATA bodies ----

// An IF_DATA whose "/end" is misspelt closes nothing: the file is refused. Bodies whose own
// blocks nest properly read, and their written file reads back to the same text.
TEST(HostileCalls, IfDataBodiesReadOnlyWhenTheyCloseProperly) {
  const std::string measurement =
      "/begin MEASUREMENT Meas \"\" UBYTE NO_COMPU_METHOD 0 0 0 255\n  %s\n/end MEASUREMENT\n";
  const auto in = [](const std::string& frame, const std::string& ifData) {
    std::string text = frame;
    return inModule(text.replace(text.find("%s"), 2, ifData));
  };
  const std::string characteristic =
      "/begin CHARACTERISTIC Char \"\" VALUE 0x100 RL 0 NO_COMPU_METHOD 0 1\n  %s\n"
      "/end CHARACTERISTIC\n";
  const std::string axisPts =
      "/begin AXIS_PTS Ax \"\" 0x200 NO_INPUT_QUANTITY RL 0 NO_COMPU_METHOD 4 0 10\n  %s\n"
      "/end AXIS_PTS\n";
  const std::string segment =
      "/begin MOD_PAR \"\"\n/begin MEMORY_SEGMENT Seg \"\" DATA FLASH INTERN 0x0 0x10 -1 -1 -1 "
      "-1 -1\n  %s\n/end MEMORY_SEGMENT\n/end MOD_PAR\n";
  const std::string module = "%s\n";
  const struct {
    const char* name;
    std::string text;
    TOrdexReturnCode rc;
  } cases[] = {
      {"measurement, misspelt end", in(measurement, "/begin IF_DATA XCP 1 /end IF_DATX"),
       rcBlockNesting},
      {"characteristic, misspelt end", in(characteristic, "/begin IF_DATA XCP 1 /end IF_DATX"),
       rcBlockNesting},
      {"axis pts, misspelt end", in(axisPts, "/begin IF_DATA XCP 1 /end IF_DATX"), rcBlockNesting},
      {"memory segment, misspelt end", in(segment, "/begin IF_DATA XCP 1 /end IF_DATX"),
       rcBlockNesting},
      {"module, misspelt end", in(module, "/begin IF_DATA XCP 1 /end IF_DATX"), rcBlockNesting},
      {"misspelt end after a nested block",
       in(measurement, "/begin IF_DATA XCP /begin DAQ 1 /end DAQ /end IF_DAT"), rcBlockNesting},
      {"nested blocks",
       in(measurement,
          "/begin IF_DATA XCP /begin A /begin B /end B /end A /end "
          "IF_DATA"),
       rcOk},
      {"nested blocks in a characteristic",
       in(characteristic, "/begin IF_DATA CANAPE /begin X 1 /end X /end IF_DATA"), rcOk},
      {"nested blocks in a segment",
       in(segment, "/begin IF_DATA XCP /begin SEGMENT 1 /end SEGMENT /end IF_DATA"), rcOk},
      {"an /end inside a string", in(measurement, "/begin IF_DATA XCP \"/end\" /end IF_DATA"),
       rcOk},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Instance inst;
    ASSERT_EQ(readText(inst, c.text), c.rc) << readError(inst);
    if (c.rc != rcOk) continue;
    Instance again;
    TOrdexReturnCode reread;
    const std::string first = writeAndReadBack(inst, again, &reread);
    ASSERT_EQ(reread, rcOk) << readError(again) << "\n" << first;
    Instance third;
    EXPECT_EQ(writeAndReadBack(again, third, &reread), first);
  }
}

// The same mutation over the real-world files: every "/end IF_DATA" in turn made
// "/end IF_DATX". A mutated file that reads must be written so that it reads back.
TEST(HostileCalls, MisspeltIfDataEndsInRealFiles) {
  if (!ordex_test::corpusAvailable()) GTEST_SKIP() << "no corpus at " << ORDEX_CORPUS_DIR;
  namespace fs = std::filesystem;
  int mutated = 0;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(ORDEX_CORPUS_DIR)) {
    if (!e.is_regular_file() || e.path().extension() != ".a2l") continue;
    const std::string original = readFile(e.path().string());
    for (size_t at = original.find("/end IF_DATA"); at != std::string::npos;
         at = original.find("/end IF_DATA", at + 1)) {
      std::string text = original;
      text[at + 11] = 'X';
      SCOPED_TRACE(e.path().string() + " at byte " + std::to_string(at));
      ++mutated;
      Instance inst;
      TempDir dir;
      const std::string copy = dir.write("m.a2l", text);
      const TOrdexReturnCode rc = Ordex_ReadAsapFile(inst, copy.c_str(), nullptr, nullptr);
      if (rc != rcOk) continue;
      Instance again;
      TOrdexReturnCode reread;
      writeAndReadBack(inst, again, &reread);
      EXPECT_EQ(reread, rcOk) << readError(again);
    }
  }
  EXPECT_GT(mutated, 100);
}

// ---- COMPU_VTAB counts ----

// A host sizes the array of the large-table getter by NumberValuePairs: a table read from a
// file reports the pairs the file holds, however many it declares.
TEST(HostileCalls, VerbalTableCountsAreThePairsTheFileHolds) {
  const struct {
    const char* declared;
    const char* pairs;
    int32_t count;
  } cases[] = {
      {"2147483647", "1 \"one\" 2 \"two\"", 2},
      {"25", "1 \"one\" 2 \"two\" 3 \"three\"", 3},
      {"3", "1 \"one\" 2 \"two\" 3 \"three\" 4 \"four\"", 3},
      {"2", "1 \"one\" 2", 2},
      {"1", "", 0},
      {"0", "1 \"one\"", 0},
      {"-5", "1 \"one\"", -5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.declared) + " over " + c.pairs);
    Instance inst;
    ASSERT_EQ(readText(inst, inModule(std::string("/begin COMPU_VTAB V \"\" TAB_VERB ") +
                                      c.declared + " " + c.pairs + " /end COMPU_VTAB")),
              rcOk);
    TCompuVTab v = ordex_test::keyed<TCompuVTab>("V");
    ASSERT_EQ(Ordex_GetCompuVTab(inst, nullptr, &v, 0), rcOk);
    EXPECT_EQ(v.NumberValuePairs, c.count);
    std::vector<TCompuVTabEntry> entries(c.count > 0 ? c.count : 1);
    EXPECT_EQ(Ordex_GetACompuVTabsLargeVTab(inst, nullptr, "V", entries.data()), rcOk);
    TCompuVTabValue beyond{static_cast<uint32_t>(c.count), 0, ""};
    EXPECT_EQ(Ordex_GetACompuVTabValueByIndex(inst, nullptr, "V", &beyond), rcInvalidArgument);
    // The written table reads back with the same count.
    Instance again;
    TOrdexReturnCode reread;
    writeAndReadBack(inst, again, &reread);
    ASSERT_EQ(reread, rcOk) << readError(again);
    TCompuVTab w = ordex_test::keyed<TCompuVTab>("V");
    ASSERT_EQ(Ordex_GetCompuVTab(again, nullptr, &w, 0), rcOk);
    EXPECT_EQ(w.NumberValuePairs, c.count);
  }
}

// A table created with a count above the pairs its record carries is written with as many
// pair lines as the count: the pairs given, then input 0 with an empty text.
TEST(HostileCalls, CreatedVerbalTableWritesEveryCountedPair) {
  Instance inst;
  ASSERT_EQ(readText(inst, inModule("")), rcOk);
  TCompuVTab v = {};
  std::snprintf(v.Name, sizeof v.Name, "V");
  v.ConversionType = 4;
  v.NumberValuePairs = 25;
  for (int i = 0; i < ORDEX_COMPU_VTAB_PAIRS; ++i) {
    v.Pairs[i].InVal = i + 1;
    std::snprintf(v.Pairs[i].OutText, sizeof v.Pairs[i].OutText, "t%d", i + 1);
  }
  ASSERT_EQ(Ordex_CreateCompuVTab(inst, nullptr, &v), rcOk);
  Instance again;
  TOrdexReturnCode reread;
  const std::string text = writeAndReadBack(inst, again, &reread);
  ASSERT_EQ(reread, rcOk) << readError(again) << text;
  const size_t head = text.find("/begin COMPU_VTAB");
  const std::string block = text.substr(head, text.find("/end COMPU_VTAB") - head);
  EXPECT_NE(block.find("\n      25\n      1 \"t1\"\n"), std::string::npos) << block;
  EXPECT_NE(block.find("\n      20 \"t20\"\n" +
                       [] {
                         std::string filler;
                         for (int i = 0; i < 5; ++i) filler += "      0 \"\"\n";
                         return filler;
                       }()),
            std::string::npos)
      << block;
  std::vector<TCompuVTabEntry> entries(25);
  ASSERT_EQ(Ordex_GetACompuVTabsLargeVTab(again, nullptr, "V", entries.data()), rcOk);
  EXPECT_EQ(entries[19].InVal, 20);
  EXPECT_STREQ(entries[19].OutText, "t20");
  EXPECT_EQ(entries[24].InVal, 0);
  EXPECT_STREQ(entries[24].OutText, "");
}

}  // namespace
