// RECORD_LAYOUT as read from A2L text and returned by Ordex_GetRecordLayout(2).

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace {

using ordex_test::dataPath;
using ordex_test::Instance;
using ordex_test::readError;
using ordex_test::readText;

std::string inModule(const std::string& body) {
  return "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n" + body + "\n/end MODULE\n/end PROJECT\n";
}

std::string layout(const std::string& name, const std::string& items) {
  return "/begin RECORD_LAYOUT " + name + "\n" + items + "\n/end RECORD_LAYOUT\n";
}

TRecordLayout2 full(TOrdex* inst, const char* name) {
  TRecordLayout2 r;
  std::memset(&r, 0x5A, sizeof r);
  std::snprintf(r.Name, sizeof r.Name, "%s", name);
  EXPECT_EQ(rcOk, Ordex_GetRecordLayout2(inst, nullptr, &r, 0)) << name;
  return r;
}

TRecordLayout brief(TOrdex* inst, const char* name) {
  TRecordLayout r;
  std::memset(&r, 0x5A, sizeof r);
  std::snprintf(r.Name, sizeof r.Name, "%s", name);
  EXPECT_EQ(rcOk, Ordex_GetRecordLayout(inst, nullptr, &r, 0)) << name;
  return r;
}

const TRecordLayoutElement kAbsent = {0, 0, -1, -1, -1};

void expectElement(const TRecordLayoutElement& want, const TRecordLayoutElement& got,
                   const std::string& what) {
  EXPECT_EQ(want.Position, got.Position) << what;
  EXPECT_EQ(want.MaxNumberOfRescalePairs, got.MaxNumberOfRescalePairs) << what;
  EXPECT_EQ(want.DataType, got.DataType) << what;
  EXPECT_EQ(want.IndexMode, got.IndexMode) << what;
  EXPECT_EQ(want.Addressing, got.Addressing) << what;
}

class RecordLayoutBlockTest : public ::testing::Test {
 protected:
  void TearDown() override { Ordex_ConfigureStringComparison(0); }
  Instance inst;
};

TEST_F(RecordLayoutBlockTest, ReadsEveryElementKind) {
  ASSERT_EQ(rcOk, Ordex_ReadAsapFile(inst, dataPath("record_layout_every_element.a2l").c_str(),
                                     nullptr, nullptr));
  // Elements[k - 1] is kind k, written at position k + 2 in the file.
  const TRecordLayoutElement expected[30] = {
      {3, 0, 3, 2, 1},    {4, 0, 2, -1, -1},  {5, 0, 0, 1, 4},     {6, 0, 1, 2, 5},
      {7, 0, 4, 1, 2},    {8, 3, 5, 1, 3},    {9, 4, 6, 2, 4},     {10, 5, 7, 1, 5},
      {11, 0, 8, -1, -1}, {12, 0, 9, -1, -1}, {13, 0, 10, -1, -1}, {14, 0, 0, -1, -1},
      {15, 0, 1, -1, -1}, {16, 0, 2, -1, -1}, {17, 0, 3, -1, -1},  {18, 0, 4, -1, -1},
      {19, 0, 5, -1, -1}, {20, 0, 6, -1, -1}, {21, 0, 7, -1, -1},  {22, 0, 8, -1, -1},
      {23, 0, 9, -1, -1}, {24, 0, 0, -1, -1}, {25, 0, 1, -1, -1},  {26, 0, 2, -1, -1},
      {27, 0, 3, -1, -1}, {28, 0, 4, -1, -1}, {29, 0, 5, -1, -1},  {30, 0, 0, -1, -1},
      {31, 0, 2, -1, -1}, {32, 0, 4, -1, -1}};
  TRecordLayout2 r = full(inst, "RL.Every");
  EXPECT_STREQ("RL.Every", r.Name);
  EXPECT_STREQ("", r.LongIdentifier);
  for (int k = 1; k <= 30; ++k) {
    expectElement(expected[k - 1], r.Elements[k - 1], "kind " + std::to_string(k));
  }
  expectElement({1, 0, 1, -1, -1}, r.Reserved[0], "reserved 0");
  expectElement({2, 0, 4, -1, -1}, r.Reserved[1], "reserved 1");
  for (int i = 2; i < 10; ++i) expectElement(kAbsent, r.Reserved[i], "reserved");
  EXPECT_EQ(16, r.FixNoAxisPtsX);
  EXPECT_EQ(8, r.FixNoAxisPtsY);
  EXPECT_EQ(3, r.FixNoAxisPtsZ);
  EXPECT_EQ(1, r.AlignmentByte);
  EXPECT_EQ(2, r.AlignmentWord);
  EXPECT_EQ(4, r.AlignmentLong);
  EXPECT_EQ(4, r.AlignmentFloat32Ieee);
  EXPECT_EQ(8, r.AlignmentFloat64Ieee);
  EXPECT_EQ(0u, r.UserData);
}

TEST_F(RecordLayoutBlockTest, TheShortRecordAgreesWithTheFullOne) {
  ASSERT_EQ(rcOk, Ordex_ReadAsapFile(inst, dataPath("record_layout_every_element.a2l").c_str(),
                                     nullptr, nullptr));
  const TRecordLayout2 f = full(inst, "RL.Every");
  const TRecordLayout s = brief(inst, "RL.Every");
  const TRecordLayoutElement* e = f.Elements;
  EXPECT_STREQ(f.LongIdentifier, s.LongIdentifier);
  EXPECT_EQ(e[0].Position, s.FncValuesPosition);
  EXPECT_EQ(e[0].DataType, s.FncValuesDataType);
  EXPECT_EQ(e[0].IndexMode, s.FncValuesIndexMode);
  EXPECT_EQ(e[0].Addressing, s.FncValuesAddressing);
  EXPECT_EQ(e[1].Position, s.IdentificationPosition);
  EXPECT_EQ(e[1].DataType, s.IdentificationDataType);
  EXPECT_EQ(e[2].Position, s.AxisPtsXPosition);
  EXPECT_EQ(e[2].DataType, s.AxisPtsXDataType);
  EXPECT_EQ(e[2].IndexMode, s.AxisPtsXIndexMode);
  EXPECT_EQ(e[2].Addressing, s.AxisPtsXAddressing);
  EXPECT_EQ(e[3].Position, s.AxisPtsYPosition);
  EXPECT_EQ(e[3].DataType, s.AxisPtsYDataType);
  EXPECT_EQ(e[3].IndexMode, s.AxisPtsYIndexMode);
  EXPECT_EQ(e[3].Addressing, s.AxisPtsYAddressing);
  EXPECT_EQ(e[8].Position, s.NoAxisPtsXPosition);
  EXPECT_EQ(e[8].DataType, s.NoAxisPtsXDataType);
  EXPECT_EQ(e[9].Position, s.NoAxisPtsYPosition);
  EXPECT_EQ(e[9].DataType, s.NoAxisPtsYDataType);
  EXPECT_EQ(f.FixNoAxisPtsX, s.FixNoAxisPtsX);
  EXPECT_EQ(f.FixNoAxisPtsY, s.FixNoAxisPtsY);
  EXPECT_EQ(e[21].Position, s.ShiftOpXPosition);
  EXPECT_EQ(e[21].DataType, s.ShiftOpXDataType);
  EXPECT_EQ(e[24].Position, s.OffsetXPosition);
  EXPECT_EQ(e[24].DataType, s.OffsetXDataType);
  EXPECT_EQ(f.AlignmentByte, s.AlignmentByte);
  EXPECT_EQ(f.AlignmentWord, s.AlignmentWord);
  EXPECT_EQ(f.AlignmentLong, s.AlignmentLong);
  EXPECT_EQ(f.AlignmentFloat32Ieee, s.AlignmentFloat32Ieee);
  EXPECT_EQ(f.AlignmentFloat64Ieee, s.AlignmentFloat64Ieee);
  EXPECT_EQ(f.UserData, s.UserData);
}

TEST_F(RecordLayoutBlockTest, ANewLayoutHasEveryElementAbsent) {
  ASSERT_EQ(rcOk,
            readText(inst, inModule(layout("RL.Empty", "") +
                                    layout("RL.ZOnly", "AXIS_PTS_Z 1 UWORD INDEX_INCR DIRECT"))));
  TRecordLayout2 r = full(inst, "RL.Empty");
  for (const TRecordLayoutElement& e : r.Elements) expectElement(kAbsent, e, "element");
  for (const TRecordLayoutElement& e : r.Reserved) expectElement(kAbsent, e, "reserved");
  EXPECT_EQ(0, r.FixNoAxisPtsX + r.FixNoAxisPtsY + r.FixNoAxisPtsZ);
  EXPECT_EQ(0, r.AlignmentByte + r.AlignmentWord + r.AlignmentLong + r.AlignmentFloat32Ieee +
                   r.AlignmentFloat64Ieee);

  // The short record has no trace of AXIS_PTS_Z.
  TRecordLayout s = brief(inst, "RL.ZOnly");
  EXPECT_EQ(0, s.AxisPtsXPosition);
  EXPECT_EQ(0, s.AxisPtsYPosition);
  EXPECT_EQ(-1, s.AxisPtsYDataType);
  EXPECT_EQ(0, s.FncValuesPosition);
  EXPECT_EQ(1, full(inst, "RL.ZOnly").Elements[4].Position);
}

TEST_F(RecordLayoutBlockTest, CodedArgumentsUseTheirKeywordLists) {
  // Each row: the item, the element kind it fills (0: first RESERVED) and what it holds.
  const struct {
    const char* item;
    int kind;
    TRecordLayoutElement want;
  } cases[] = {
      {"FNC_VALUES 1 SWORD ROW_DIR PBYTE", 1, {1, 0, 3, 2, 1}},
      {"FNC_VALUES 1 UBYTE COLUMN_DIR DIRECT", 1, {1, 0, 0, 1, 4}},
      {"FNC_VALUES 1 UBYTE DUMMY DUMMY", 1, {1, 0, 0, 0, 0}},
      {"FNC_VALUES 1 A_UINT64 INDEX_INCR direct", 1, {1, 0, -1, -1, -1}},
      {"AXIS_PTS_X 3 UWORD INDEX_DECR DIRECT", 3, {3, 0, 2, 2, 4}},
      {"AXIS_PTS_Y 2 STRING ROW_DIR PLONG", 4, {2, 0, 10, -1, 3}},
      {"AXIS_RESCALE_Z 4 FLOAT64_IEEE 0x20 DUMMY PWORD", 8, {4, 32, 9, 0, 2}},
      {"NO_RESCALE_Y 6 FLOAT32_IEEE", 13, {6, 0, 8, -1, -1}},
      {"RIP_ADDR_W 7 sword", 21, {7, 0, -1, -1, -1}},
      {"RESERVED 2 BYTE", 0, {2, 0, 1, -1, -1}},
      {"RESERVED 3 WORD", 0, {3, 0, 2, -1, -1}},
      {"RESERVED 4 LONG", 0, {4, 0, 4, -1, -1}},
      {"RESERVED 5 DUMMY", 0, {5, 0, 0, -1, -1}},
      {"RESERVED 6 UBYTE", 0, {6, 0, -1, -1, -1}},
      // Positions: every integer base, cut to their low 16 bits.
      {"IDENTIFICATION 0x11 UBYTE", 2, {17, 0, 0, -1, -1}},
      {"IDENTIFICATION 011 UBYTE", 2, {9, 0, 0, -1, -1}},
      {"IDENTIFICATION 65537 UBYTE", 2, {1, 0, 0, -1, -1}},
      {"IDENTIFICATION -2 UBYTE", 2, {-2, 0, 0, -1, -1}},
      {"IDENTIFICATION 40000 UBYTE", 2, {-25536, 0, 0, -1, -1}},
  };
  std::string body;
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    body += layout("RL" + std::to_string(i), cases[i].item);
  }
  ASSERT_EQ(rcOk, readText(inst, inModule(body)));
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    TRecordLayout2 r = full(inst, ("RL" + std::to_string(i)).c_str());
    const TRecordLayoutElement& got =
        cases[i].kind == 0 ? r.Reserved[0] : r.Elements[cases[i].kind - 1];
    expectElement(cases[i].want, got, cases[i].item);
  }
}

TEST_F(RecordLayoutBlockTest, AnElementTakesItsArgumentsWhateverTheySpell) {
  ASSERT_EQ(
      rcOk,
      readText(
          inst,
          inModule(
              // NO_AXIS_PTS_X is the index mode of FNC_VALUES and 2 its addressing; UWORD is
              // ignored.
              layout("RL.Swallowed", "FNC_VALUES 1 SWORD NO_AXIS_PTS_X 2 UWORD") +
              // An unknown keyword is skipped token by token, so its argument starts an element.
              layout("RL.Unknown", "STATIC_RECORD_LAYOUT FOO NO_AXIS_PTS_Y 2 UWORD") +
              // A kind given twice keeps the later values field by field; a short one keeps the
              // rest.
              layout("RL.Twice", "AXIS_PTS_X 3 UWORD INDEX_DECR DIRECT AXIS_PTS_X 7 SWORD"))));
  TRecordLayout2 r = full(inst, "RL.Swallowed");
  expectElement({1, 0, 3, -1, -1}, r.Elements[0], "FNC_VALUES");
  expectElement(kAbsent, r.Elements[8], "NO_AXIS_PTS_X");
  r = full(inst, "RL.Unknown");
  expectElement({2, 0, 2, -1, -1}, r.Elements[9], "NO_AXIS_PTS_Y");
  r = full(inst, "RL.Twice");
  expectElement({7, 0, 3, 2, 4}, r.Elements[2], "AXIS_PTS_X");
}

TEST_F(RecordLayoutBlockTest, AnElementCutShortEndsWithItsBlock) {
  // The FNC_VALUES of the first layout is cut short by its /end; the second layout's
  // first keyword is not taken as its argument.
  ASSERT_EQ(rcOk,
            readText(inst, inModule(layout("RL.A", "RESERVED 1 BYTE FNC_VALUES 1") +
                                    layout("RL.B", "NO_AXIS_PTS_X 2 UWORD RESERVED 3 WORD"))));
  TRecordLayout2 a = full(inst, "RL.A");
  expectElement({1, 0, -1, -1, -1}, a.Elements[0], "FNC_VALUES of A");
  TRecordLayout2 b = full(inst, "RL.B");
  expectElement({2, 0, 2, -1, -1}, b.Elements[8], "NO_AXIS_PTS_X of B");
  // The count of RESERVED entries starts again in every layout.
  expectElement({3, 0, 2, -1, -1}, b.Reserved[0], "RESERVED of B");
}

TEST_F(RecordLayoutBlockTest, AtMostTenReservedEntriesAreKept) {
  std::string nine;
  for (int i = 1; i <= 9; ++i) nine += "RESERVED " + std::to_string(i) + " BYTE\n";
  ASSERT_EQ(
      rcOk,
      readText(inst,
               inModule(
                   // The tenth RESERVED takes NO_AXIS_PTS_X as its (unknown) data size.
                   layout("RL.Ten", nine + "RESERVED 10 NO_AXIS_PTS_X 5 UBYTE") +
                   // The eleventh loses its position, and its would-be data size is an ordinary
                   // token, here one that starts an element; a twelfth is dropped as well.
                   layout("RL.Eleven", nine + "RESERVED 10 BYTE RESERVED 11 NO_AXIS_PTS_X 5 UBYTE "
                                              "RESERVED 12 LONG"))));
  TRecordLayout2 r = full(inst, "RL.Ten");
  expectElement({10, 0, -1, -1, -1}, r.Reserved[9], "tenth of RL.Ten");
  expectElement(kAbsent, r.Elements[8], "NO_AXIS_PTS_X of RL.Ten");

  r = full(inst, "RL.Eleven");
  for (int i = 0; i < 10; ++i) {
    expectElement({static_cast<int16_t>(i + 1), 0, 1, -1, -1}, r.Reserved[i], "reserved");
  }
  expectElement({5, 0, 0, -1, -1}, r.Elements[8], "NO_AXIS_PTS_X after the eleventh");
}

TEST_F(RecordLayoutBlockTest, ItemValuesAreIntegersCutTo16Bits) {
  ASSERT_EQ(rcOk,
            readText(inst, inModule(layout(
                               "RL",
                               "FIX_NO_AXIS_PTS_X 0x10 ALIGNMENT_WORD 70000 ALIGNMENT_LONG -4 "
                               "ALIGNMENT_LONG 2"))));
  TRecordLayout2 r = full(inst, "RL");
  EXPECT_EQ(16, r.FixNoAxisPtsX);
  EXPECT_EQ(4464, r.AlignmentWord);
  EXPECT_EQ(2, r.AlignmentLong);  // a repeated item overwrites
}

TEST_F(RecordLayoutBlockTest, BadIntegersStopTheReadAndNameTheLayout) {
  const char* lines[] = {"FIX_NO_AXIS_PTS_X 12a FNC_VALUES 1 UBYTE",
                         "FNC_VALUES 1x UBYTE ROW_DIR PBYTE OFFSET_X 9 UBYTE",
                         "AXIS_RESCALE_X 1 UBYTE 3.5 INDEX_INCR DIRECT OFFSET_X 9 UBYTE",
                         "ALIGNMENT_BYTE 1.0 x y z"};
  for (const char* line : lines) {
    Instance fresh;
    EXPECT_EQ(rcBadNumber, readText(fresh, inModule(std::string("/begin RECORD_LAYOUT RL.Bad\n") +
                                                    line + "\n/end RECORD_LAYOUT")))
        << line;
    EXPECT_EQ(
        "Error detected (near to line 4): Actually parsed object: PROJECT P, MODULE M, "
        "RECORD_LAYOUT RL.Bad",
        readError(fresh))
        << line;
  }
}

// A layout starts with the module's alignments as they stand when the block begins; a
// MOD_COMMON read later does not change it.
TEST_F(RecordLayoutBlockTest, AlignmentsDefaultToTheModules) {
  ASSERT_EQ(rcOk, readText(inst, inModule(layout("RL.Before", "") +
                                          "/begin MOD_COMMON \"\" ALIGNMENT_BYTE 2 "
                                          "ALIGNMENT_FLOAT64_IEEE 4 /end MOD_COMMON\n" +
                                          layout("RL.After", "FNC_VALUES 1 UBYTE ROW_DIR DIRECT") +
                                          layout("RL.Own", "ALIGNMENT_BYTE 1"))));
  TModule module;
  std::memset(&module, 0, sizeof module);
  ASSERT_EQ(rcOk, Ordex_GetModule(inst, &module, 0));
  if (module.AlignmentByte != 2) GTEST_SKIP() << "MOD_COMMON is not read in this build";
  TRecordLayout2 r = full(inst, "RL.After");
  EXPECT_EQ(2, r.AlignmentByte);
  EXPECT_EQ(module.AlignmentWord, r.AlignmentWord);
  EXPECT_EQ(4, r.AlignmentFloat64Ieee);
  r = full(inst, "RL.Before");
  EXPECT_EQ(0, r.AlignmentByte);
  EXPECT_EQ(0, r.AlignmentFloat64Ieee);
  EXPECT_EQ(1, full(inst, "RL.Own").AlignmentByte);
}

TEST_F(RecordLayoutBlockTest, LookupCodes) {
  ASSERT_EQ(rcOk, readText(inst, inModule(layout("Rl_Word", "FNC_VALUES 1 UWORD ROW_DIR DIRECT") +
                                          layout("Rl_Word", "FNC_VALUES 2 UWORD ROW_DIR DIRECT"))));
  TRecordLayout r;
  std::memset(&r, 0x5A, sizeof r);
  std::strcpy(r.Name, "Rl_Word");
  ASSERT_EQ(rcOk, Ordex_GetRecordLayout(inst, nullptr, &r, 1));
  EXPECT_EQ(0x5A5A, static_cast<uint16_t>(r.FncValuesPosition));  // existence only: untouched
  TRecordLayout2 r2;
  std::memset(&r2, 0x5A, sizeof r2);
  std::strcpy(r2.Name, "Rl_Word");
  ASSERT_EQ(rcOk, Ordex_GetRecordLayout2(inst, nullptr, &r2, 1));
  EXPECT_EQ(0x5A5A, static_cast<uint16_t>(r2.Elements[0].Position));
  EXPECT_EQ(1, brief(inst, "Rl_Word").FncValuesPosition);  // the first of that name

  std::strcpy(r.Name, "RL_WORD");
  std::strcpy(r2.Name, "RL_WORD");
  EXPECT_EQ(rcRecordLayoutNotFound, Ordex_GetRecordLayout(inst, nullptr, &r, 0));
  EXPECT_EQ(rcRecordLayoutNotFound, Ordex_GetRecordLayout2(inst, nullptr, &r2, 0));
  Ordex_ConfigureStringComparison(1);
  EXPECT_EQ(rcOk, Ordex_GetRecordLayout(inst, nullptr, &r, 0));
  EXPECT_EQ(rcOk, Ordex_GetRecordLayout2(inst, nullptr, &r2, 0));
  EXPECT_STREQ("RL_WORD", r2.Name);
  Ordex_ConfigureStringComparison(0);
  EXPECT_EQ(rcRecordLayoutNotFound, Ordex_GetRecordLayout(inst, nullptr, &r, 0));

  EXPECT_EQ(rcModuleNotFound, Ordex_GetRecordLayout(inst, "N", &r, 0));
  EXPECT_EQ(rcModuleNotFound, Ordex_GetRecordLayout2(inst, "N", &r2, 0));
  EXPECT_EQ(rcNullArgument, Ordex_GetRecordLayout(inst, nullptr, nullptr, 0));
  EXPECT_EQ(rcNullArgument, Ordex_GetRecordLayout2(inst, nullptr, nullptr, 0));
}

}  // namespace
