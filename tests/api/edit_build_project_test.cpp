// A whole project built through the exported interface alone: every getter and member
// enumerator gives back what went in, after changing every object with its own record too,
// and so does an instance that read the written file.

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "api/edit_records.h"
#include "support/test_support.h"

namespace {

using ordex_test::Names;
using ordex_test::setNumbers;
using ordex_test::setText;
using ordex_test::setTexts;

// Where the records come from. A read leaves every UserData 0 and takes the project's ASAP2
// version and head comment from the file's head; FORMULA_INV is not written to files.
enum class Source { Built, ReadBack };

// The getter's record starts as a byte copy of the expected one, so padding and the bytes
// behind text terminators agree: every field the getter gives otherwise is a difference.
template <class Record, class Get>
void expectGetterGives(TOrdex* inst, const Record& record, Get get, Source source) {
  auto expected = std::make_unique<Record>(), got = std::make_unique<Record>();
  std::memcpy(expected.get(), &record, sizeof(Record));
  std::memcpy(got.get(), &record, sizeof(Record));
  ASSERT_EQ(rcOk, get(inst, got.get())) << record.Name;
  if (source == Source::ReadBack) {
    expected->UserData = 0;
    if constexpr (std::is_same_v<Record, TCompuMethod2>) expected->FormulaInv[0] = '\0';
    if constexpr (std::is_same_v<Record, TProject>) {
      expected->Asap2Version = got->Asap2Version;
      expected->Asap2Upgrade = got->Asap2Upgrade;
      std::memcpy(expected->FileHeadComment, got->FileHeadComment, ORDEX_TEXT_SIZE);
    }
  }
  auto* a = reinterpret_cast<const unsigned char*>(expected.get());
  auto* b = reinterpret_cast<const unsigned char*>(got.get());
  const size_t at = std::mismatch(a, a + sizeof(Record), b).first - a;
  EXPECT_EQ(sizeof(Record), at) << record.Name << ": first difference at byte " << at;
}

// One object of the sample, with its create, change and getter.
struct Kind {
  std::function<TOrdexReturnCode(TOrdex*)> create, change;
  std::function<void(TOrdex*, Source)> expectHeld;
};

struct Sample {
  std::vector<Kind> kinds;             // in creation order
  std::vector<std::string> largeVTab;  // every text of VT_STATE, whose inputs are 10 * k

  // A record of zeros with its name; create, change and get take the instance and it.
  template <class Record, class Create, class Change, class Get>
  Record& add(const char* name, Create create, Change change, Get get) {
    auto r = std::make_shared<Record>();
    std::memset(r.get(), 0, sizeof(Record));
    setText(r->Name, name);
    kinds.push_back({[=](TOrdex* i) { return create(i, r.get()); },
                     [=](TOrdex* i) { return change(i, r.get()); },
                     [=](TOrdex* i, Source s) { expectGetterGives(i, *r, get, s); }});
    return *r;
  }
};

// An object of the only module.
#define ORDEX_OBJECT(Type, name, Op)                                                  \
  add<Type>(                                                                          \
      name, [](TOrdex* i, const Type* r) { return Ordex_Create##Op(i, nullptr, r); }, \
      [](TOrdex* i, const Type* r) { return Ordex_Change##Op(i, nullptr, r); },       \
      [](TOrdex* i, Type* r) { return Ordex_Get##Op(i, nullptr, r, 0); })

using NameOp = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, const char*);
using NextName = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, char*);
const struct {
  NameOp add, remove;
  NextName next;
} kFunctionLists[] = {
    {Ordex_AddToAFuncsDefChaList, Ordex_RemFromAFuncsDefChaList, Ordex_GetAFuncsNextDefChaName},
    {Ordex_AddToAFuncsRefChaList, Ordex_RemFromAFuncsRefChaList, Ordex_GetAFuncsNextRefChaName},
    {Ordex_AddToAFuncsInMeaList, Ordex_RemFromAFuncsInMeaList, Ordex_GetAFuncsNextInMeaName},
    {Ordex_AddToAFuncsOutMeaList, Ordex_RemFromAFuncsOutMeaList, Ordex_GetAFuncsNextOutMeaName},
    {Ordex_AddToAFuncsLocMeaList, Ordex_RemFromAFuncsLocMeaList, Ordex_GetAFuncsNextLocMeaName},
    {Ordex_AddToAFuncsSubFuncList, Ordex_RemFromAFuncsSubFuncList, Ordex_GetAFuncsNextSubFuncName},
    {Ordex_AddToAAxisPtsFuncList, Ordex_RemFromAFuncsAxisPtsList, Ordex_GetAFuncsNextAxisPtsName},
};
// The names F_MAIN's lists hold, in the order above.
const Names kMainLists[] = {{"K_MAP", "K_CURVE"}, {"K_VALUE"}, {"N"},   {"T_ENG"},
                            {"N", "T_ENG"},       {"F_SUB"},   {"AP_N"}};

const struct {
  TOrdexReturnCode (*add)(TOrdex*, const char*, const char*, const TAnnotationRecord*);
  TOrdexReturnCode (*next)(TOrdex*, const char*, const char*, TAnnotationRecord*);
  const char* owner;
} kAnnotationOwners[] = {{Ordex_AddToAChasAnnotatList, Ordex_GetAChasNextAnnotation, "K_MAP"},
                         {Ordex_AddToAMeasAnnotatList, Ordex_GetAMeasNextAnnotation, "N"}};
// As long as the record's field holds: taken whole.
const std::string kAnnotationText = "keep below 200" + std::string(2033, '.');

// Numeric fields at once: field, value, field, value, ...
inline void setFields() {}
template <class Field, class Value, class... More>
void setFields(Field& field, Value value, More&&... more) {
  field = static_cast<Field>(value);
  setFields(std::forward<More>(more)...);
}

template <class Record>
void setAlignments(Record& r, int16_t byte, int16_t word, int16_t lng, int16_t f32, int16_t f64) {
  setFields(r.AlignmentByte, byte, r.AlignmentWord, word, r.AlignmentLong, lng,
            r.AlignmentFloat32Ieee, f32, r.AlignmentFloat64Ieee, f64);
}

// Every field of every record holds a value of its own (a field left 0 would not show a
// copy that misses it); the sample also survives a write and a read back.
Sample sample() {
  Sample s;
  TProject& p = s.add<TProject>("Demo", Ordex_CreateProject, Ordex_ChangeProject,
                                [](TOrdex* i, TProject* r) { return Ordex_GetProject(i, r, 0); });
  setTexts(p.LongIdentifier, "demo project", p.FileHeadComment, "/* built */", p.HeaderComment,
           "built through the edit interface", p.HeaderVersion, "V1.2", p.HeaderProjectNo, "PN7");
  setFields(p.Asap2Version, 1, p.Asap2Upgrade, 61, p.UserData, 1);

  TModule& m = s.add<TModule>("ECU", Ordex_CreateModule, Ordex_ChangeModule,
                              [](TOrdex* i, TModule* r) { return Ordex_GetModule(i, r, 0); });
  // MOD_PAR texts are stored as given: quotes wanted in the file are part of them.
  setTexts(m.LongIdentifier, "engine control", m.ModCommonComment, "common", m.SRecLayout,
           "RL_VALUE", m.ModParComment, "management", m.Version, "\"V2\"", m.Epk, "\"EPK_1\"",
           m.Supplier, "\"ACME\"", m.Customer, "\"Garage\"", m.CustomerNo, "\"C-1\"", m.User,
           "\"tester\"", m.PhoneNo, "\"0123\"", m.Ecu, "\"E1\"", m.CpuType, "\"TC1797\"");
  setFields(m.DepositMode, 1, m.ByteOrder, boMsbFirst, m.AddrEpk, 0x1000, m.NoOfInterfaces, 2,
            m.EcuCalibrationOffset, 0x200, m.UserData, 2);
  setAlignments(m, 1, 2, 4, 4, 8);

  TMemorySegment& seg = s.ORDEX_OBJECT(TMemorySegment, "Code", MemorySegment);
  setText(seg.LongIdentifier, "code flash");
  setFields(seg.PrgType, 1, seg.MemoryType, 5, seg.Attribute, 1,  // DATA FLASH EXTERN
            seg.Address, 0x80000, seg.Size, 0x10000, seg.UserData, 3);
  for (int32_t& offset : seg.Offsets) offset = -1;
  TMemorySegment& layout = s.ORDEX_OBJECT(TMemorySegment, "1", MemorySegment);
  setText(layout.LongIdentifier, "MEMORY_LAYOUT");
  setFields(layout.PrgType, 1, layout.MemoryType, -1, layout.Attribute, -1,  // PRG_DATA
            layout.Address, 0xC0000, layout.Size, 0x8000, layout.Offsets[0], 16);

  TRecordLayout& rl = s.ORDEX_OBJECT(TRecordLayout, "RL_VALUE", RecordLayout);
  setFields(rl.FncValuesPosition, 1, rl.FncValuesDataType, dtSWord,  // COLUMN_DIR, DIRECT
            rl.FncValuesIndexMode, 1, rl.FncValuesAddressing, 4, rl.UserData, 4);
  rl.IdentificationDataType = rl.AxisPtsXDataType = rl.AxisPtsXIndexMode = -1;
  rl.AxisPtsXAddressing = rl.AxisPtsYDataType = rl.AxisPtsYIndexMode = -1;
  rl.AxisPtsYAddressing = rl.NoAxisPtsXDataType = rl.NoAxisPtsYDataType = -1;
  rl.ShiftOpXDataType = rl.OffsetXDataType = -1;
  setAlignments(rl, 1, 2, 4, 4, 8);  // alignments not given read back as the module's
  TRecordLayout2& rl2 = s.ORDEX_OBJECT(TRecordLayout2, "RL_MAP", RecordLayout2);
  for (TRecordLayoutElement& e : rl2.Reserved) e = {0, 0, -1, -1, -1};
  for (TRecordLayoutElement& e : rl2.Elements) e = {0, 0, -1, -1, -1};
  rl2.Reserved[0] = {5, 0, 2, -1, -1};        // RESERVED 5 WORD
  rl2.Elements[0] = {4, 0, dtUByte, 2, 4};    // FNC_VALUES
  rl2.Elements[2] = {2, 0, dtUWord, 1, 4};    // AXIS_PTS_X
  rl2.Elements[3] = {3, 0, dtUWord, 1, 4};    // AXIS_PTS_Y
  rl2.Elements[5] = {6, 4, dtUByte, 1, 4};    // AXIS_RESCALE_X
  rl2.Elements[8] = {1, 0, dtUByte, -1, -1};  // NO_AXIS_PTS_X
  setFields(rl2.FixNoAxisPtsZ, 3, rl2.UserData, 5);
  setAlignments(rl2, 1, 2, 2, 4, 8);  // ALIGNMENT_LONG is not the module's: written

  TCompuMethod& lin = s.ORDEX_OBJECT(TCompuMethod, "CM_LIN", CompuMethod);
  setTexts(lin.LongIdentifier, "linear", lin.Format, "%6.2", lin.Unit, "rpm");
  TNumberText* c = lin.Coeffs;
  setNumbers(c[0], "0", c[1], "4", c[2], "0", c[3], "0", c[4], "0", c[5], "0.5");
  setFields(lin.ConversionType, 2, lin.UserData, 6);  // RAT_FUNC
  TCompuMethod2& form = s.ORDEX_OBJECT(TCompuMethod2, "CM_FORM", CompuMethod2);
  setTexts(form.Format, "%8.3", form.Unit, "Nm", form.Formula, "X1*2+1", form.FormulaInv,
           "(X1-1)/2");
  setFields(form.ConversionType, 3, form.UserData, 7);  // FORM
  TCompuMethod2& verb = s.ORDEX_OBJECT(TCompuMethod2, "CM_VERB", CompuMethod2);
  setTexts(verb.Format, "%1.0", verb.CompuTabRef, "VT_STATE");
  verb.ConversionType = 4;  // TAB_VERB

  TCompuTab& tab = s.ORDEX_OBJECT(TCompuTab, "T_GEAR", CompuTab);
  setTexts(tab.LongIdentifier, "gear ratio", tab.DefaultValue, "99");
  setFields(tab.NumberValuePairs, 4, tab.UserData, 8);
  const char* outs[] = {"0", "3.5", "2.1", "1.25"};
  for (int k = 0; k < 4; ++k) {
    tab.Pairs[k].InVal = k;
    setNumbers(tab.Pairs[k].Out, outs[k]);
  }
  // More pairs than the record carries: the rest are filled whole afterwards.
  TCompuVTab& vtab = s.ORDEX_OBJECT(TCompuVTab, "VT_STATE", CompuVTab);
  setTexts(vtab.LongIdentifier, "states", vtab.DefaultValue, "unknown");
  setFields(vtab.ConversionType, 4, vtab.NumberValuePairs, 25, vtab.UserData, 9);
  for (int k = 0; k < 25; ++k) {
    s.largeVTab.push_back("state " + std::to_string(k) + std::string(k * 20, '.'));
    if (k >= ORDEX_COMPU_VTAB_PAIRS) continue;
    vtab.Pairs[k].InVal = 10 * k;
    setText(vtab.Pairs[k].OutText, s.largeVTab[k]);  // cut to 255 as the getter cuts
  }

  TMeasurement& n = s.ORDEX_OBJECT(TMeasurement, "N", Measurement);
  setTexts(n.LongIdentifier, "engine speed", n.Conversion, "CM_LIN", n.Format, "%6.1");
  setNumbers(n.Accuracy, "0.5", n.LowerLimit, "-40", n.UpperLimit, "8000");
  setFields(n.DataType, dtUWord, n.Resolution, 1, n.ArraySize, 4, n.BitMask, 0x0FFF, n.ByteOrder,
            boMsbFirst, n.MaxRefreshScalingUnit, 3, n.MaxRefreshRate, 100, n.EcuAddress, 0x20000,
            n.UserData, 10);

  TAxisPts& ap = s.ORDEX_OBJECT(TAxisPts, "AP_N", AxisPts);
  setTexts(ap.LongIdentifier, "speed axis", ap.InputQuantity, "N", ap.Deposit, "RL_MAP",
           ap.Conversion, "CM_LIN", ap.Format, "%5.0");
  setNumbers(ap.MaxDiff, "0", ap.LowerLimit, "0", ap.UpperLimit, "8000");
  setFields(ap.Address, 0x90000, ap.MaxAxisPoints, 8, ap.ReadOnly, 1, ap.DepositMode, 1,
            ap.ByteOrder, boMsbFirst, ap.UserData, 11);

  TCharacteristic& map = s.ORDEX_OBJECT(TCharacteristic, "K_MAP", Characteristic);
  setTexts(map.LongIdentifier, "a map", map.Deposit, "RL_MAP", map.Conversion, "CM_FORM",
           map.Format, "%5.1");
  setNumbers(map.MaxDiff, "1.5", map.LowerLimit, "0", map.UpperLimit, "255",
             map.ExtendedLimitsLower, "-10", map.ExtendedLimitsUpper, "300");
  setFields(map.Type, 2, map.Address, 0x82000, map.ByteOrder, boMsbLast, map.BitMask, 0xFF00,
            map.ReadOnly, 1, map.MaxRefreshScalingUnit, 2, map.MaxRefreshRate, 50, map.UserData,
            13);
  TAxisDescr& x = map.Axes[0];  // STD_AXIS, DEPOSIT ABSOLUTE
  setTexts(x.InputQuantity, "N", x.Conversion, "CM_LIN", x.Format, "%4.0");
  setNumbers(x.LowerLimit, "0", x.UpperLimit, "8000");
  setFields(x.MaxAxisPoints, 8, x.DepositMode, 1);
  // COM_AXIS; with the module's deposit, a fix-axis value makes it FIX_AXIS_PAR 0 0 4.
  TAxisDescr& y = map.Axes[1];
  setTexts(y.InputQuantity, "T_ENG", y.Conversion, "CM_FORM", y.AxisPtsRef, "AP_N");
  setNumbers(y.LowerLimit, "-40", y.UpperLimit, "150");
  setFields(y.Attribute, 1, y.MaxAxisPoints, 4, y.ReadOnly, 1, y.DepositMode, 1,
            y.FixAxisParNumberapo, 4);
  TCharacteristic2& curve = s.ORDEX_OBJECT(TCharacteristic2, "K_CURVE", Characteristic2);
  setTexts(curve.Deposit, "RL_MAP", curve.Conversion, "CM_TAB");
  setNumbers(curve.MaxDiff, "0", curve.LowerLimit, "0", curve.UpperLimit, "10");
  setFields(curve.Type, 1, curve.Address, 0x83000, curve.ByteOrder, boMsbFirst, curve.BitMask,
            0xFFFFFFFFu, curve.MaxRefreshScalingUnit, -1, curve.UserData, 14);
  TAxisDescr2& c0 = curve.Axes[0];  // FIX_AXIS, FIX_AXIS_PAR_DIST 0 1000 6
  setTexts(c0.InputQuantity, "N", c0.Conversion, "CM_LIN");
  setNumbers(c0.LowerLimit, "0", c0.UpperLimit, "5000", c0.ExtendedLimitsLower, "0",
             c0.ExtendedLimitsUpper, "6000");
  setFields(c0.Attribute, 2, c0.MaxAxisPoints, 6, c0.DepositMode, 1, c0.AxisPointsMode, 2,
            c0.FixAxisParShift, 1000, c0.FixAxisParNumberapo, 6);

  TFunction& main = s.ORDEX_OBJECT(TFunction, "F_MAIN", Function);
  setText(main.LongIdentifier, "main function");
  main.UserData = 15;
  s.ORDEX_OBJECT(TFunction, "F_SUB", Function);
  return s;
}

void fillLargeVTab(TOrdex* inst, const Sample& s) {
  std::vector<TCompuVTabEntry> all;
  for (size_t k = 0; k < s.largeVTab.size(); ++k) {
    all.push_back({static_cast<int32_t>(10 * k), s.largeVTab[k].c_str()});
  }
  ASSERT_EQ(rcOk, Ordex_ChangeACompuVTabsLargeVTab(inst, nullptr, "VT_STATE", all.data()));
}

void build(TOrdex* inst, const Sample& s) {
  for (const Kind& k : s.kinds) ASSERT_EQ(rcOk, k.create(inst));
  fillLargeVTab(inst, s);
  ASSERT_EQ(rcOk, Ordex_AddToSystemConstantList(inst, nullptr, "SYS_A", "1"));
  ASSERT_EQ(rcOk, Ordex_AddToSystemConstantList(inst, nullptr, "SYS_B", "two words"));
  for (size_t l = 0; l < std::size(kFunctionLists); ++l) {
    for (const std::string& name : kMainLists[l]) {
      ASSERT_EQ(rcOk, kFunctionLists[l].add(inst, nullptr, "F_MAIN", name.c_str()));
    }
  }
  auto note = std::make_unique<TAnnotationRecord>(ordex_test::zeroed<TAnnotationRecord>());
  setTexts(note->Label, "calibration note", note->Origin, "bench");
  setText(note->Text, kAnnotationText, sizeof note->Text);
  for (const auto& o : kAnnotationOwners)
    ASSERT_EQ(rcOk, o.add(inst, nullptr, o.owner, note.get()));
}

void expectHolds(TOrdex* inst, const Sample& s, Source source) {
  for (const Kind& k : s.kinds) k.expectHeld(inst, source);
  std::vector<TCompuVTabEntry> pairs(s.largeVTab.size());
  ASSERT_EQ(rcOk, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, "VT_STATE", pairs.data()));
  for (size_t k = 0; k < pairs.size(); ++k) {
    EXPECT_EQ(static_cast<int32_t>(10 * k), pairs[k].InVal);
    EXPECT_EQ(s.largeVTab[k], pairs[k].OutText);
  }
  Names got;
  TSystemConstant sc = ordex_test::zeroed<TSystemConstant>();
  while (Ordex_GetNextSystemConstant(inst, nullptr, &sc) == rcOk && sc.Name[0]) {
    got.push_back(std::string(sc.Name) + "=" + sc.Value);
  }
  EXPECT_EQ((Names{"SYS_A=1", "SYS_B=two words"}), got);
  for (size_t l = 0; l < std::size(kFunctionLists); ++l) {
    char name[ORDEX_TEXT_SIZE] = "";
    got.clear();
    while (kFunctionLists[l].next(inst, nullptr, "F_MAIN", name) == rcOk && name[0]) {
      got.push_back(name);
    }
    EXPECT_EQ(kMainLists[l], got);
  }
  for (const auto& o : kAnnotationOwners) {
    auto r = std::make_unique<TAnnotationRecord>(ordex_test::zeroed<TAnnotationRecord>());
    got.clear();
    while (o.next(inst, nullptr, o.owner, r.get()) == rcOk && r->Label[0]) {
      got.push_back(std::string(r->Label) + "|" + r->Origin + "|" + r->Text);
    }
    EXPECT_EQ(Names{"calibration note|bench|" + kAnnotationText}, got) << o.owner;
  }
  // Added annotations do not raise the module's maximum annotation size; read ones do.
  int maxSize = -1;
  ASSERT_EQ(rcOk, Ordex_GetMaxAnnotationTextSize(inst, nullptr, &maxSize));
  EXPECT_EQ(source == Source::Built ? 1 : ORDEX_ANNOTATION_TEXT_SIZE, maxSize);
}

TEST(EditBuildProject, EveryGetterGivesBackWhatWentIn) {
  const Sample s = sample();
  ordex_test::Instance inst;
  build(inst, s);
  expectHolds(inst, s, Source::Built);

  // Changing every object with its own record changes nothing, the lists it owns included
  // (a COMPU_VTAB's pairs after the 20th are made anew and filled again).
  for (const Kind& k : s.kinds) ASSERT_EQ(rcOk, k.change(inst));
  fillLargeVTab(inst, s);
  expectHolds(inst, s, Source::Built);

  ordex_test::TempDir dir;
  const std::string file = dir.path() + "/built.a2l";
  ASSERT_EQ(rcOk, Ordex_WriteAsapFile(inst, file.c_str(), nullptr, nullptr, "", nullptr, nullptr));
  ordex_test::Instance back;
  ASSERT_EQ(rcOk, Ordex_ReadAsapFile(back, file.c_str(), nullptr, nullptr))
      << ordex_test::readError(back);
  expectHolds(back, s, Source::ReadBack);

  // Each list entry is removed from its own list once, then no more.
  for (size_t l = 0; l < std::size(kFunctionLists); ++l) {
    for (const std::string& name : kMainLists[l]) {
      EXPECT_EQ(rcOk, kFunctionLists[l].remove(inst, nullptr, "F_MAIN", name.c_str())) << name;
      EXPECT_EQ(rcListEntryNotFound,
                kFunctionLists[l].remove(inst, nullptr, "F_MAIN", name.c_str()));
    }
  }
}

}  // namespace
