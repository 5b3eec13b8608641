// What the MOD_COMMON and MOD_PAR parsers store beyond the public records: the module's
// offsets and bit mask, the order and kinds of the MOD_PAR lists, IF_DATA of segments.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/instance.h"
#include "reader/file_reader.h"
#include "support/unit_support.h"

namespace {

// Reads a project with one module holding body; returns that module (null on failure).
TModule_Intern* readModule(TOrdex& inst, const std::string& body) {
  ordex_test::TempFile file("/begin PROJECT P \"\"\n  /begin MODULE M \"\"\n" + body +
                            "\n  /end MODULE\n/end PROJECT\n");
  TOrdexReturnCode rc = ordex::readAsapFile(inst, file.path().c_str(), nullptr, nullptr);
  EXPECT_EQ(rc, rcOk);
  if (rc != rcOk || !inst.Project) return nullptr;
  return inst.Project->Modules.first();
}

struct ModCommonCase {
  const char* items;
  uint32_t ramOffset;
  uint32_t romOffset;
  uint32_t bitMask;
};

void PrintTo(const ModCommonCase& c, std::ostream* os) { *os << '"' << c.items << '"'; }

class ModCommonOffsets : public ::testing::TestWithParam<ModCommonCase> {};

TEST_P(ModCommonOffsets, AreReadInBase16) {
  const ModCommonCase& c = GetParam();
  TOrdex inst;
  TModule_Intern* m =
      readModule(inst, std::string("/begin MOD_COMMON \"\" ") + c.items + " /end MOD_COMMON");
  ASSERT_NE(m, nullptr) << c.items;
  EXPECT_EQ(m->ModCommon.RamOffset, c.ramOffset) << c.items;
  EXPECT_EQ(m->ModCommon.RomOffset, c.romOffset) << c.items;
  EXPECT_EQ(m->ModCommon.BitMask, c.bitMask) << c.items;
}

INSTANTIATE_TEST_SUITE_P(
    ModCommon, ModCommonOffsets,
    ::testing::Values(ModCommonCase{"", 0, 0, 0xFFFFFFFFu},
                      ModCommonCase{"RAM_OFFSET 100", 0x100, 0, 0xFFFFFFFFu},
                      ModCommonCase{"ROM_OFFSET 0x100 RAM_OFFSET 0X1F", 0x1F, 0x100, 0xFFFFFFFFu},
                      ModCommonCase{"BIT_MASK 0xFF00", 0, 0, 0xFF00},
                      ModCommonCase{"BIT_MASK FF", 0, 0, 0xFF},
                      ModCommonCase{"BIT_MASK 0 BIT_MASK 0xFFFFFFFF", 0, 0, 0xFFFFFFFFu}));

TEST(ModPar, LayoutsAndSegmentsShareOneListInFileOrder) {
  TOrdex inst;
  TModule_Intern* m =
      readModule(inst,
                 "/begin MOD_PAR \"\"\n"
                 "  /begin MEMORY_LAYOUT PRG_CODE 0 0x100 0 0 0 0 0 /end MEMORY_LAYOUT\n"
                 "  /begin MEMORY_LAYOUT PRG_DATA 0x100 0x100 0 0 0 0 0 /end MEMORY_LAYOUT\n"
                 "  /begin MEMORY_SEGMENT Data \"\" DATA RAM INTERN 0 1 0 0 0 0 0\n"
                 "  /end MEMORY_SEGMENT\n"
                 "/end MOD_PAR");
  ASSERT_NE(m, nullptr);
  std::vector<std::string> names, longIds;
  for (const TMemorySegment_Intern* s : m->ModPar.MemorySegments) {
    names.push_back(s->Name.str());
    longIds.push_back(s->LongIdentifier.str());
    EXPECT_EQ(s->Kind, etMemorySegment);
    EXPECT_EQ(s->Owner, m);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"1", "2", "Data"}));
  EXPECT_EQ(longIds, (std::vector<std::string>{"MEMORY_LAYOUT", "MEMORY_LAYOUT", ""}));
}

TEST(ModPar, IfDataOfSegmentsAndLayoutsKeepsTheirTokens) {
  TOrdex inst;
  TModule_Intern* m =
      readModule(inst,
                 "/begin MOD_PAR \"\"\n"
                 "  /begin MEMORY_SEGMENT Code \"\" CODE FLASH INTERN 0 1 -1 -1 -1 -1 -1\n"
                 "    /begin IF_DATA XCP\n"
                 "      /begin SEGMENT 0x01 \"a b\" /end SEGMENT\n"
                 "    /end IF_DATA\n"
                 "    ignored_after_the_block\n"
                 "    /begin IF_DATA CCP 1 /end IF_DATA\n"
                 "  /end MEMORY_SEGMENT\n"
                 "  /begin MEMORY_LAYOUT PRG_DATA 0 1 -1 -1 -1 -1 -1\n"
                 "    /begin IF_DATA DIM /begin DP_BLOB EXTERN /end DP_BLOB /end IF_DATA\n"
                 "  /end MEMORY_LAYOUT\n"
                 "/end MOD_PAR");
  ASSERT_NE(m, nullptr);
  const TMemorySegment_Intern* code = m->ModPar.MemorySegments.find("Code");
  ASSERT_NE(code, nullptr);
  ASSERT_EQ(code->IfData.Count, 2u);
  EXPECT_EQ(code->IfData.First->Name, "XCP");
  EXPECT_EQ(code->IfData.First->Content, "/begin SEGMENT 0x01 \"a b\" /end SEGMENT ");
  EXPECT_EQ(code->IfData.Last->Name, "CCP");
  EXPECT_EQ(code->IfData.Last->Content, "1 ");

  const TMemorySegment_Intern* layout = m->ModPar.MemorySegments.find("1");
  ASSERT_NE(layout, nullptr);
  ASSERT_EQ(layout->IfData.Count, 1u);
  EXPECT_EQ(layout->IfData.First->Name, "DIM");
  EXPECT_EQ(layout->IfData.First->Content, "/begin DP_BLOB EXTERN /end DP_BLOB ");
  EXPECT_EQ(m->IfData.Count, 0u);  // none of them is the module's
}

TEST(ModPar, CalibrationMethodRecord) {
  TOrdex inst;
  TModule_Intern* m = readModule(inst,
                                 "/begin MOD_PAR \"\"\n"
                                 "  /begin CALIBRATION_METHOD \"InCircuit\" 2\n"
                                 "    /begin CALIBRATION_HANDLE 1 2 /end CALIBRATION_HANDLE\n"
                                 "    /begin CALIBRATION_HANDLE /end CALIBRATION_HANDLE\n"
                                 "  /end CALIBRATION_METHOD\n"
                                 "/end MOD_PAR");
  ASSERT_NE(m, nullptr);
  const TCalibrationMethod_Intern* method = m->ModPar.CalibrationMethods.first();
  ASSERT_NE(method, nullptr);
  EXPECT_EQ(method->Kind, etCalibrationMethod);
  EXPECT_EQ(method->Owner, m);
  EXPECT_EQ(method->Name, "InCircuit");
  EXPECT_EQ(method->HandleCount, 2);
  ASSERT_EQ(method->Handles.Count, 2u);
  EXPECT_EQ(method->Handles.First->Values, (std::vector<int32_t>{1, 2}));
  EXPECT_TRUE(method->Handles.Last->Values.empty());
}

}  // namespace
