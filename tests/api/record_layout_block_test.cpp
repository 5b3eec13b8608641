// RECORD_LAYOUT as read from A2L text and returned by Ordex_GetRecordLayout(2).

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "support/inline_a2l.h"
#include "support/test_support.h"

namespace {

using ordex_test::inModule;
using ordex_test::Instance;
using ordex_test::keyed;
using ordex_test::readText;

std::string layout(const std::string& name, const std::string& items) {
  return "/begin RECORD_LAYOUT " + name + "\n" + items + "\n/end RECORD_LAYOUT\n";
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
  void read(const std::string& body) { ASSERT_EQ(rcOk, readText(inst, inModule(body))); }
  void readEvery() {
    ASSERT_EQ(rcOk, Ordex_ReadAsapFile(inst,
                                       ordex_test::dataPath("record_layout_every_element.a2l").c_str(),
                                       nullptr, nullptr));
  }
  TRecordLayout2 full(const char* name) {
    TRecordLayout2 r = keyed<TRecordLayout2>(name);
    EXPECT_EQ(rcOk, Ordex_GetRecordLayout2(inst, nullptr, &r, 0)) << name;
    return r;
  }
  TRecordLayout brief(const char* name) {
    TRecordLayout r = keyed<TRecordLayout>(name);
    EXPECT_EQ(rcOk, Ordex_GetRecordLayout(inst, nullptr, &r, 0)) << name;
    return r;
  }
  Instance inst;
};

TEST_F(RecordLayoutBlockTest, ReadsEveryElementKind) {
  readEvery();
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
  TRecordLayout2 r = full("RL.Every");
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
  readEvery();
  const TRecordLayout2 f = full("RL.Every");
  const TRecordLayout s = brief("RL.Every");
  const TRecordLayoutElement* e = f.Elements;
  EXPECT_STREQ(f.LongIdentifier, s.LongIdentifier);
  // Each pair: the full record's value, then the short record's.
  const long long pairs[][2] = {
      {e[0].Position, s.FncValuesPosition},     {e[0].DataType, s.FncValuesDataType},
      {e[0].IndexMode, s.FncValuesIndexMode},   {e[0].Addressing, s.FncValuesAddressing},
      {e[1].Position, s.IdentificationPosition}, {e[1].DataType, s.IdentificationDataType},
      {e[2].Position, s.AxisPtsXPosition},      {e[2].DataType, s.AxisPtsXDataType},
      {e[2].IndexMode, s.AxisPtsXIndexMode},    {e[2].Addressing, s.AxisPtsXAddressing},
      {e[3].Position, s.AxisPtsYPosition},      {e[3].DataType, s.AxisPtsYDataType},
      {e[3].IndexMode, s.AxisPtsYIndexMode},    {e[3].Addressing, s.AxisPtsYAddressing},
      {e[8].Position, s.NoAxisPtsXPosition},    {e[8].DataType, s.NoAxisPtsXDataType},
      {e[9].Position, s.NoAxisPtsYPosition},    {e[9].DataType, s.NoAxisPtsYDataType},
      {f.FixNoAxisPtsX, s.FixNoAxisPtsX},       {f.FixNoAxisPtsY, s.FixNoAxisPtsY},
      {e[21].Position, s.ShiftOpXPosition},     {e[21].DataType, s.ShiftOpXDataType},
      {e[24].Position, s.OffsetXPosition},      {e[24].DataType, s.OffsetXDataType},
      {f.AlignmentByte, s.AlignmentByte},       {f.AlignmentWord, s.AlignmentWord},
      {f.AlignmentLong, s.AlignmentLong},       {f.AlignmentFloat32Ieee, s.AlignmentFloat32Ieee},
      {f.AlignmentFloat64Ieee, s.AlignmentFloat64Ieee}, {f.UserData, s.UserData}};
  for (size_t i = 0; i < sizeof pairs / sizeof pairs[0]; ++i) {
    EXPECT_EQ(pairs[i][0], pairs[i][1]) << "pair " << i;
  }
}

TEST_F(RecordLayoutBlockTest, ANewLayoutHasEveryElementAbsent) {
  read(layout("RL.Empty", "") + layout("RL.ZOnly", "AXIS_PTS_Z 1 UWORD INDEX_INCR DIRECT"));
  TRecordLayout2 r = full("RL.Empty");
  for (const TRecordLayoutElement& e : r.Elements) expectElement(kAbsent, e, "element");
  for (const TRecordLayoutElement& e : r.Reserved) expectElement(kAbsent, e, "reserved");
  EXPECT_EQ(0, r.FixNoAxisPtsX + r.FixNoAxisPtsY + r.FixNoAxisPtsZ);
  EXPECT_EQ(0, r.AlignmentByte + r.AlignmentWord + r.AlignmentLong + r.AlignmentFloat32Ieee +
                   r.AlignmentFloat64Ieee);

  // The short record has no trace of AXIS_PTS_Z.
  TRecordLayout s = brief("RL.ZOnly");
  EXPECT_EQ(0, s.AxisPtsXPosition);
  EXPECT_EQ(0, s.AxisPtsYPosition);
  EXPECT_EQ(-1, s.AxisPtsYDataType);
  EXPECT_EQ(0, s.FncValuesPosition);
  EXPECT_EQ(1, full("RL.ZOnly").Elements[4].Position);
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
  read(body);
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    TRecordLayout2 r = full(("RL" + std::to_string(i)).c_str());
    const TRecordLayoutElement& got =
        cases[i].kind == 0 ? r.Reserved[0] : r.Elements[cases[i].kind - 1];
    expectElement(cases[i].want, got, cases[i].item);
  }
}

// An element takes its arguments by count, whatever they spell; the block's /end cuts it
// short; at most ten RESERVED entries are kept.
TEST_F(RecordLayoutBlockTest, ElementsTakeTheirArgumentsByCount) {
  std::string nine;
  for (int i = 1; i <= 9; ++i) nine += "RESERVED " + std::to_string(i) + " BYTE\n";
  read(
      // NO_AXIS_PTS_X is the index mode of FNC_VALUES and 2 its addressing; UWORD is ignored.
      layout("RL.Swallowed", "FNC_VALUES 1 SWORD NO_AXIS_PTS_X 2 UWORD") +
      // An unknown keyword is skipped token by token, so its argument starts an element.
      layout("RL.Unknown", "STATIC_RECORD_LAYOUT FOO NO_AXIS_PTS_Y 2 UWORD") +
      // A kind given twice keeps the later values field by field; a short one keeps the rest.
      layout("RL.Twice", "AXIS_PTS_X 3 UWORD INDEX_DECR DIRECT AXIS_PTS_X 7 SWORD") +
      // The FNC_VALUES of RL.A is cut short by its /end: the next layout's first keyword is
      // not taken as its argument.
      layout("RL.A", "RESERVED 1 BYTE FNC_VALUES 1") +
      layout("RL.B", "NO_AXIS_PTS_X 2 UWORD RESERVED 3 WORD") +
      // The tenth RESERVED takes NO_AXIS_PTS_X as its (unknown) data size.
      layout("RL.Ten", nine + "RESERVED 10 NO_AXIS_PTS_X 5 UBYTE") +
      // The eleventh loses its position, and its would-be data size is an ordinary token,
      // here one that starts an element; a twelfth is dropped as well.
      layout("RL.Eleven",
             nine + "RESERVED 10 BYTE RESERVED 11 NO_AXIS_PTS_X 5 UBYTE RESERVED 12 LONG"));
  const struct {
    const char* layout;
    bool reserved;
    int index;
    TRecordLayoutElement want;
  } cases[] = {
      {"RL.Swallowed", false, 0, {1, 0, 3, -1, -1}},
      {"RL.Swallowed", false, 8, kAbsent},
      {"RL.Unknown", false, 9, {2, 0, 2, -1, -1}},
      {"RL.Twice", false, 2, {7, 0, 3, 2, 4}},
      {"RL.A", false, 0, {1, 0, -1, -1, -1}},
      {"RL.B", false, 8, {2, 0, 2, -1, -1}},
      {"RL.B", true, 0, {3, 0, 2, -1, -1}},  // the count of RESERVED starts again
      {"RL.Ten", true, 9, {10, 0, -1, -1, -1}},
      {"RL.Ten", false, 8, kAbsent},
      {"RL.Eleven", true, 0, {1, 0, 1, -1, -1}},
      {"RL.Eleven", true, 9, {10, 0, 1, -1, -1}},
      {"RL.Eleven", false, 8, {5, 0, 0, -1, -1}},
  };
  for (const auto& c : cases) {
    TRecordLayout2 r = full(c.layout);
    expectElement(c.want, c.reserved ? r.Reserved[c.index] : r.Elements[c.index],
                  std::string(c.layout) + (c.reserved ? " reserved " : " element ") +
                      std::to_string(c.index));
  }
}

TEST_F(RecordLayoutBlockTest, ItemValuesAreIntegersCutTo16Bits) {
  read(layout("RL", "FIX_NO_AXIS_PTS_X 0x10 ALIGNMENT_WORD 70000 ALIGNMENT_LONG -4 "
                    "ALIGNMENT_LONG 2"));
  TRecordLayout2 r = full("RL");
  EXPECT_EQ(16, r.FixNoAxisPtsX);
  EXPECT_EQ(4464, r.AlignmentWord);
  EXPECT_EQ(2, r.AlignmentLong);  // a repeated item overwrites
}

TEST_F(RecordLayoutBlockTest, BadIntegersStopTheReadAndNameTheLayout) {
  for (const char* line : {"FIX_NO_AXIS_PTS_X 12a FNC_VALUES 1 UBYTE",
                           "FNC_VALUES 1x UBYTE ROW_DIR PBYTE OFFSET_X 9 UBYTE",
                           "AXIS_RESCALE_X 1 UBYTE 3.5 INDEX_INCR DIRECT OFFSET_X 9 UBYTE",
                           "ALIGNMENT_BYTE 1.0 x y z"}) {
    Instance fresh;
    EXPECT_EQ(rcBadNumber, readText(fresh, inModule(layout("RL.Bad", line)))) << line;
    EXPECT_EQ(ordex_test::failureReport(4, "PROJECT P, MODULE M, RECORD_LAYOUT RL.Bad"),
              ordex_test::readError(fresh))
        << line;
  }
}

// A layout starts with the module's alignments as they stand when the block begins; a
// MOD_COMMON read later does not change it.
TEST_F(RecordLayoutBlockTest, AlignmentsDefaultToTheModules) {
  read(layout("RL.Before", "") +
       "/begin MOD_COMMON \"\" ALIGNMENT_BYTE 2 ALIGNMENT_FLOAT64_IEEE 4 /end MOD_COMMON\n" +
       layout("RL.After", "FNC_VALUES 1 UBYTE ROW_DIR DIRECT") +
       layout("RL.Own", "ALIGNMENT_BYTE 1"));
  TModule module{};
  ASSERT_EQ(rcOk, Ordex_GetModule(inst, &module, 0));
  TRecordLayout2 r = full("RL.After");
  EXPECT_EQ(2, r.AlignmentByte);
  EXPECT_EQ(module.AlignmentWord, r.AlignmentWord);
  EXPECT_EQ(4, r.AlignmentFloat64Ieee);
  r = full("RL.Before");
  EXPECT_EQ(0, r.AlignmentByte);
  EXPECT_EQ(0, r.AlignmentFloat64Ieee);
  EXPECT_EQ(1, full("RL.Own").AlignmentByte);
}

TEST_F(RecordLayoutBlockTest, LookupCodes) {
  read(layout("Rl_Word", "FNC_VALUES 1 UWORD ROW_DIR DIRECT") +
       layout("Rl_Word", "FNC_VALUES 2 UWORD ROW_DIR DIRECT"));
  EXPECT_EQ(1, brief("Rl_Word").FncValuesPosition);  // the first of that name
  EXPECT_EQ(1, full("Rl_Word").Elements[0].Position);
  ordex_test::expectLookupCodes<TRecordLayout>(Ordex_GetRecordLayout, inst, "Rl_Word",
                                               rcRecordLayoutNotFound);
  ordex_test::expectLookupCodes<TRecordLayout2>(Ordex_GetRecordLayout2, inst, "Rl_Word",
                                                rcRecordLayoutNotFound);
}

}  // namespace
