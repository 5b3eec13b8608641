// A whole project built through the exported interface alone, then every getter record
// compared with the record that went in.
//
// The sample is kept so that it also survives a write and a read back: texts and numbers of
// every TNumberText agree, absent record layout elements are written as the reader makes
// them.

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "api/edit_records.h"
#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::namesOf;
using ordex_test::setNumber;
using ordex_test::setText;

// A record of zeros, made in place (no copy touches its padding).
template <class Record>
std::unique_ptr<Record> fresh(const std::string& name) {
  auto r = std::make_unique<Record>();
  std::memset(r.get(), 0, sizeof(Record));
  setText(r->Name, name);
  return r;
}

template <class Record>
using Records = std::vector<std::unique_ptr<Record>>;

TRecordLayoutElement absent() {
  return TRecordLayoutElement{0, 0, -1, -1, -1};
}

// Everything that goes into the project, in creation order.
struct BuiltProject {
  std::unique_ptr<TProject> project = fresh<TProject>("Demo");
  std::unique_ptr<TModule> module = fresh<TModule>("ECU");
  Records<TMemorySegment> segments;
  std::vector<std::pair<std::string, std::string>> constants;
  Records<TRecordLayout> layouts;
  Records<TRecordLayout2> layouts2;
  Records<TCompuMethod> methods;
  Records<TCompuMethod2> methods2;
  Records<TCompuTab> tabs;
  Records<TCompuVTab> vtabs;
  std::vector<std::string> largeVTabTexts;  // all pairs of VT_STATE, input 10 * k
  Records<TMeasurement> measurements;
  Records<TAxisPts> axisPts;
  Records<TCharacteristic> characteristics;
  Records<TCharacteristic2> characteristics2;
  Records<TFunction> functions;
  // Name lists of F_MAIN: DEF, REF, IN, OUT, LOC, SUB, AXIS_PTS.
  std::vector<std::vector<std::string>> mainLists;
};

BuiltProject sample() {
  BuiltProject b;
  TProject& p = *b.project;
  setText(p.LongIdentifier, "demo project");
  setText(p.HeaderComment, "built through the edit interface");
  setText(p.HeaderVersion, "V1.2");
  setText(p.HeaderProjectNo, "PN7");
  p.UserData = 1;

  TModule& m = *b.module;
  setText(m.LongIdentifier, "engine control");
  setText(m.ModCommonComment, "common");
  setText(m.SRecLayout, "RL_VALUE");
  m.DepositMode = 1;
  m.ByteOrder = boMsbFirst;
  m.AlignmentByte = 1;
  m.AlignmentWord = 2;
  m.AlignmentLong = 4;
  m.AlignmentFloat32Ieee = 4;
  m.AlignmentFloat64Ieee = 8;
  setText(m.ModParComment, "management");
  setText(m.Version, "\"V2\"");
  m.AddrEpk = 0x1000;
  setText(m.Epk, "\"EPK_1\"");
  setText(m.Supplier, "\"ACME\"");
  setText(m.Customer, "\"Garage\"");
  setText(m.CustomerNo, "\"C-1\"");
  setText(m.User, "\"tester\"");
  setText(m.PhoneNo, "\"0123\"");
  setText(m.Ecu, "\"E1\"");
  setText(m.CpuType, "\"TC1797\"");
  m.NoOfInterfaces = 2;
  m.EcuCalibrationOffset = 0x200;
  m.UserData = 2;

  auto seg = fresh<TMemorySegment>("Code");
  setText(seg->LongIdentifier, "code flash");
  seg->PrgType = 0;     // CODE
  seg->MemoryType = 5;  // FLASH
  seg->Attribute = 0;   // INTERN
  seg->Address = 0x80000;
  seg->Size = 0x10000;
  for (int i = 0; i < 5; ++i) seg->Offsets[i] = -1;
  seg->UserData = 3;
  b.segments.push_back(std::move(seg));
  auto layout = fresh<TMemorySegment>("1");
  setText(layout->LongIdentifier, "MEMORY_LAYOUT");
  layout->PrgType = 1;  // PRG_DATA
  layout->MemoryType = layout->Attribute = -1;
  layout->Address = 0xC0000;
  layout->Size = 0x8000;
  layout->Offsets[0] = 16;
  b.segments.push_back(std::move(layout));

  b.constants = {{"SYS_A", "1"}, {"SYS_B", "two words"}};

  auto rl = fresh<TRecordLayout>("RL_VALUE");
  rl->FncValuesPosition = 1;
  rl->FncValuesDataType = dtSWord;
  rl->FncValuesIndexMode = 1;   // COLUMN_DIR
  rl->FncValuesAddressing = 4;  // DIRECT
  rl->IdentificationDataType = rl->AxisPtsXDataType = rl->AxisPtsXIndexMode = -1;
  rl->AxisPtsXAddressing = rl->AxisPtsYDataType = rl->AxisPtsYIndexMode = -1;
  rl->AxisPtsYAddressing = rl->NoAxisPtsXDataType = rl->NoAxisPtsYDataType = -1;
  rl->ShiftOpXDataType = rl->OffsetXDataType = -1;
  // Alignments not given (0) read back as the module's, so the sample gives them all.
  rl->AlignmentByte = 1;
  rl->AlignmentWord = 2;
  rl->AlignmentLong = 4;
  rl->AlignmentFloat32Ieee = 4;
  rl->AlignmentFloat64Ieee = 8;
  rl->UserData = 4;
  b.layouts.push_back(std::move(rl));
  auto rl2 = fresh<TRecordLayout2>("RL_MAP");
  for (TRecordLayoutElement& e : rl2->Reserved) e = absent();
  for (TRecordLayoutElement& e : rl2->Elements) e = absent();
  rl2->Reserved[0] = TRecordLayoutElement{5, 0, 2, -1, -1};        // RESERVED 5 WORD
  rl2->Elements[0] = TRecordLayoutElement{4, 0, dtUByte, 2, 4};    // FNC_VALUES
  rl2->Elements[2] = TRecordLayoutElement{2, 0, dtUWord, 1, 4};    // AXIS_PTS_X
  rl2->Elements[3] = TRecordLayoutElement{3, 0, dtUWord, 1, 4};    // AXIS_PTS_Y
  rl2->Elements[5] = TRecordLayoutElement{6, 4, dtUByte, 1, 4};    // AXIS_RESCALE_X
  rl2->Elements[8] = TRecordLayoutElement{1, 0, dtUByte, -1, -1};  // NO_AXIS_PTS_X
  rl2->FixNoAxisPtsZ = 3;
  rl2->AlignmentByte = 1;
  rl2->AlignmentWord = 2;
  rl2->AlignmentLong = 2;  // not the module's: written
  rl2->AlignmentFloat32Ieee = 4;
  rl2->AlignmentFloat64Ieee = 8;
  rl2->UserData = 5;
  b.layouts2.push_back(std::move(rl2));

  auto lin = fresh<TCompuMethod>("CM_LIN");
  setText(lin->LongIdentifier, "linear");
  lin->ConversionType = 2;  // RAT_FUNC
  setText(lin->Format, "%6.2");
  setText(lin->Unit, "rpm");
  const char* coeffs[] = {"0", "4", "0", "0", "0", "0.5"};
  for (int i = 0; i < 6; ++i) setNumber(lin->Coeffs[i], coeffs[i], std::stod(coeffs[i]));
  lin->UserData = 6;
  b.methods.push_back(std::move(lin));
  auto tabMethod = fresh<TCompuMethod>("CM_TAB");
  tabMethod->ConversionType = 0;  // TAB_INTP
  setText(tabMethod->Format, "%4.0");
  setText(tabMethod->CompuTabRef, "T_GEAR");
  b.methods.push_back(std::move(tabMethod));
  auto form = fresh<TCompuMethod2>("CM_FORM");
  form->ConversionType = 3;  // FORM
  setText(form->Format, "%8.3");
  setText(form->Unit, "Nm");
  setText(form->Formula, "X1*2+1");
  setText(form->FormulaInv, "(X1-1)/2");
  form->UserData = 7;
  b.methods2.push_back(std::move(form));
  auto verb = fresh<TCompuMethod2>("CM_VERB");
  verb->ConversionType = 4;  // TAB_VERB
  setText(verb->Format, "%1.0");
  setText(verb->CompuTabRef, "VT_STATE");
  b.methods2.push_back(std::move(verb));

  auto tab = fresh<TCompuTab>("T_GEAR");
  setText(tab->LongIdentifier, "gear ratio");
  tab->ConversionType = 0;
  tab->NumberValuePairs = 4;
  const char* outs[] = {"0", "3.5", "2.1", "1.25"};
  for (int k = 0; k < 4; ++k) {
    tab->Pairs[k].InVal = k;
    setNumber(tab->Pairs[k].Out, outs[k], std::stod(outs[k]));
  }
  setText(tab->DefaultValue, "99");
  tab->UserData = 8;
  b.tabs.push_back(std::move(tab));

  auto vtab = fresh<TCompuVTab>("VT_STATE");
  setText(vtab->LongIdentifier, "states");
  vtab->ConversionType = 4;
  vtab->NumberValuePairs = 25;
  for (int k = 0; k < 25; ++k) {
    b.largeVTabTexts.push_back("state " + std::to_string(k) + std::string(k * 20, '.'));
  }
  for (int k = 0; k < ORDEX_COMPU_VTAB_PAIRS; ++k) {
    vtab->Pairs[k].InVal = 10 * k;
    setText(vtab->Pairs[k].OutText, b.largeVTabTexts[k]);  // cut to 255 as the getter cuts
  }
  setText(vtab->DefaultValue, "unknown");
  vtab->UserData = 9;
  b.vtabs.push_back(std::move(vtab));

  auto n = fresh<TMeasurement>("N");
  setText(n->LongIdentifier, "engine speed");
  n->DataType = dtUWord;
  setText(n->Conversion, "CM_LIN");
  n->Resolution = 1;
  setNumber(n->Accuracy, "0.5", 0.5);
  setNumber(n->LowerLimit, "0", 0);
  setNumber(n->UpperLimit, "8000", 8000);
  setText(n->Format, "%6.1");
  n->BitMask = 0xFFFFFFFFu;
  n->ByteOrder = boMsbFirst;
  n->MaxRefreshScalingUnit = 3;
  n->MaxRefreshRate = 100;
  n->EcuAddress = 0x20000;
  n->UserData = 10;
  b.measurements.push_back(std::move(n));
  auto t = fresh<TMeasurement>("T_ENG");
  setText(t->LongIdentifier, "engine temperature");
  t->DataType = dtSWord;
  setText(t->Conversion, "CM_FORM");
  setNumber(t->Accuracy, "1", 1);
  setNumber(t->LowerLimit, "-40", -40);
  setNumber(t->UpperLimit, "150", 150);
  t->ArraySize = 4;
  t->BitMask = 0x0FFF;
  t->ByteOrder = boMsbLast;
  t->MaxRefreshScalingUnit = -1;
  t->EcuAddress = 0x20010;
  b.measurements.push_back(std::move(t));

  auto ap = fresh<TAxisPts>("AP_N");
  setText(ap->LongIdentifier, "speed axis");
  ap->Address = 0x90000;
  setText(ap->InputQuantity, "N");
  setText(ap->Deposit, "RL_MAP");
  setNumber(ap->MaxDiff, "0", 0);
  setText(ap->Conversion, "CM_LIN");
  ap->MaxAxisPoints = 8;
  setNumber(ap->LowerLimit, "0", 0);
  setNumber(ap->UpperLimit, "8000", 8000);
  ap->ReadOnly = 1;
  setText(ap->Format, "%5.0");
  ap->DepositMode = 1;
  ap->ByteOrder = boMsbFirst;
  ap->UserData = 11;
  b.axisPts.push_back(std::move(ap));

  auto value = fresh<TCharacteristic>("K_VALUE");
  setText(value->LongIdentifier, "a value");
  value->Type = 0;
  value->Address = 0x81000;
  setText(value->Deposit, "RL_VALUE");
  setNumber(value->MaxDiff, "0", 0);
  setText(value->Conversion, "CM_LIN");
  setNumber(value->LowerLimit, "-100", -100);
  setNumber(value->UpperLimit, "100", 100);
  setText(value->Format, "%5.1");
  value->ByteOrder = boMsbFirst;
  value->BitMask = 0xFF00;
  value->Number = 0;
  value->MaxRefreshScalingUnit = -1;
  value->UserData = 12;
  b.characteristics.push_back(std::move(value));
  auto map = fresh<TCharacteristic>("K_MAP");
  map->Type = 2;
  map->Address = 0x82000;
  setText(map->Deposit, "RL_MAP");
  setNumber(map->MaxDiff, "1.5", 1.5);
  setText(map->Conversion, "CM_FORM");
  setNumber(map->LowerLimit, "0", 0);
  setNumber(map->UpperLimit, "255", 255);
  map->ByteOrder = boMsbLast;
  map->BitMask = 0xFFFFFFFFu;
  map->ReadOnly = 1;
  setNumber(map->ExtendedLimitsLower, "-10", -10);
  setNumber(map->ExtendedLimitsUpper, "300", 300);
  map->MaxRefreshScalingUnit = 2;
  map->MaxRefreshRate = 50;
  TAxisDescr& x = map->Axes[0];
  x.Attribute = 0;  // STD_AXIS
  setText(x.InputQuantity, "N");
  setText(x.Conversion, "CM_LIN");
  x.MaxAxisPoints = 8;
  setNumber(x.LowerLimit, "0", 0);
  setNumber(x.UpperLimit, "8000", 8000);
  setText(x.Format, "%4.0");
  x.DepositMode = 1;  // DEPOSIT ABSOLUTE
  TAxisDescr& y = map->Axes[1];
  y.Attribute = 1;  // COM_AXIS
  setText(y.InputQuantity, "T_ENG");
  setText(y.Conversion, "CM_FORM");
  y.MaxAxisPoints = 4;
  setNumber(y.LowerLimit, "-40", -40);
  setNumber(y.UpperLimit, "150", 150);
  y.ReadOnly = 1;
  setText(y.AxisPtsRef, "AP_N");
  y.DepositMode = 1;  // the module's deposit; a fix-axis value makes it FIX_AXIS_PAR 0 0 4
  y.FixAxisParNumberapo = 4;
  map->UserData = 13;
  b.characteristics.push_back(std::move(map));
  auto curve = fresh<TCharacteristic2>("K_CURVE");
  curve->Type = 1;
  curve->Address = 0x83000;
  setText(curve->Deposit, "RL_MAP");
  setNumber(curve->MaxDiff, "0", 0);
  setText(curve->Conversion, "CM_TAB");
  setNumber(curve->LowerLimit, "0", 0);
  setNumber(curve->UpperLimit, "10", 10);
  curve->ByteOrder = boMsbFirst;
  curve->BitMask = 0xFFFFFFFFu;
  curve->Number = 0;  // NUMBER belongs to VAL_BLK and ASCII only
  curve->MaxRefreshScalingUnit = -1;
  TAxisDescr2& c0 = curve->Axes[0];
  c0.Attribute = 2;  // FIX_AXIS
  setText(c0.InputQuantity, "N");
  setText(c0.Conversion, "CM_LIN");
  c0.MaxAxisPoints = 6;
  setNumber(c0.LowerLimit, "0", 0);
  setNumber(c0.UpperLimit, "5000", 5000);
  setNumber(c0.ExtendedLimitsLower, "0", 0);
  setNumber(c0.ExtendedLimitsUpper, "6000", 6000);
  c0.DepositMode = 1;
  c0.AxisPointsMode = 2;  // FIX_AXIS_PAR_DIST 0 1000 6
  c0.FixAxisParShift = 1000;
  c0.FixAxisParNumberapo = 6;
  curve->UserData = 14;
  b.characteristics2.push_back(std::move(curve));

  auto main = fresh<TFunction>("F_MAIN");
  setText(main->LongIdentifier, "main function");
  main->UserData = 15;
  b.functions.push_back(std::move(main));
  b.functions.push_back(fresh<TFunction>("F_SUB"));
  b.mainLists = {{"K_MAP", "K_CURVE"}, {"K_VALUE"}, {"N"},   {"T_ENG"},
                 {"N", "T_ENG"},       {"F_SUB"},   {"AP_N"}};
  return b;
}

// Builds the project through the exported interface; every call must succeed.
void build(TOrdex* inst, const BuiltProject& b) {
  ASSERT_EQ(rcOk, Ordex_CreateProject(inst, b.project.get()));
  ASSERT_EQ(rcOk, Ordex_CreateModule(inst, b.module.get()));
  for (auto& s : b.segments) ASSERT_EQ(rcOk, Ordex_CreateMemorySegment(inst, nullptr, s.get()));
  for (auto& [name, value] : b.constants) {
    ASSERT_EQ(rcOk, Ordex_AddToSystemConstantList(inst, nullptr, name.c_str(), value.c_str()));
  }
  for (auto& r : b.layouts) ASSERT_EQ(rcOk, Ordex_CreateRecordLayout(inst, nullptr, r.get()));
  for (auto& r : b.layouts2) ASSERT_EQ(rcOk, Ordex_CreateRecordLayout2(inst, nullptr, r.get()));
  for (auto& r : b.methods) ASSERT_EQ(rcOk, Ordex_CreateCompuMethod(inst, nullptr, r.get()));
  for (auto& r : b.methods2) ASSERT_EQ(rcOk, Ordex_CreateCompuMethod2(inst, nullptr, r.get()));
  for (auto& r : b.tabs) ASSERT_EQ(rcOk, Ordex_CreateCompuTab(inst, nullptr, r.get()));
  for (auto& r : b.vtabs) ASSERT_EQ(rcOk, Ordex_CreateCompuVTab(inst, nullptr, r.get()));
  std::vector<TCompuVTabEntry> all;
  for (size_t k = 0; k < b.largeVTabTexts.size(); ++k) {
    all.push_back(TCompuVTabEntry{static_cast<int32_t>(10 * k), b.largeVTabTexts[k].c_str()});
  }
  ASSERT_EQ(rcOk, Ordex_ChangeACompuVTabsLargeVTab(inst, nullptr, "VT_STATE", all.data()));
  for (auto& r : b.measurements) ASSERT_EQ(rcOk, Ordex_CreateMeasurement(inst, nullptr, r.get()));
  for (auto& r : b.axisPts) ASSERT_EQ(rcOk, Ordex_CreateAxisPts(inst, nullptr, r.get()));
  for (auto& r : b.characteristics) {
    ASSERT_EQ(rcOk, Ordex_CreateCharacteristic(inst, nullptr, r.get()));
  }
  for (auto& r : b.characteristics2) {
    ASSERT_EQ(rcOk, Ordex_CreateCharacteristic2(inst, nullptr, r.get()));
  }
  for (auto& r : b.functions) ASSERT_EQ(rcOk, Ordex_CreateFunction(inst, nullptr, r.get()));
  using AddTo = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, const char*);
  const AddTo adds[] = {Ordex_AddToAFuncsDefChaList, Ordex_AddToAFuncsRefChaList,
                        Ordex_AddToAFuncsInMeaList,  Ordex_AddToAFuncsOutMeaList,
                        Ordex_AddToAFuncsLocMeaList, Ordex_AddToAFuncsSubFuncList,
                        Ordex_AddToAAxisPtsFuncList};
  for (size_t l = 0; l < b.mainLists.size(); ++l) {
    for (const std::string& name : b.mainLists[l]) {
      ASSERT_EQ(rcOk, adds[l](inst, nullptr, "F_MAIN", name.c_str()));
    }
  }
  TIfDataRecord ifData = ordex_test::named<TIfDataRecord>("XCP");
  ifData.Content = "/begin SEGMENT 1 2 /end SEGMENT ";
  ASSERT_EQ(rcOk, Ordex_AddToAMemSegsIfDataList(inst, nullptr, "Code", &ifData));
  ASSERT_EQ(rcOk, Ordex_AddToAChasIfDataList(inst, nullptr, "K_MAP", &ifData));
  ASSERT_EQ(rcOk, Ordex_AddToAMeasIfDataList(inst, nullptr, "N", &ifData));
  ASSERT_EQ(rcOk, Ordex_AddToAAxisPtsIfDataList(inst, nullptr, "AP_N", &ifData));
  TAnnotationRecord note = ordex_test::zeroed<TAnnotationRecord>();
  setText(note.Label, "calibration note");
  setText(note.Origin, "bench");
  setText(note.Text, "keep below 200", sizeof note.Text);
  ASSERT_EQ(rcOk, Ordex_AddToAChasAnnotatList(inst, nullptr, "K_MAP", &note));
  ASSERT_EQ(rcOk, Ordex_AddToAMeasAnnotatList(inst, nullptr, "N", &note));
}

// Where the records come from: the built instance, or an instance that read the written
// file. A read leaves every UserData 0 and takes the project's ASAP2 version and head
// comment from the file's head; everything else of the sample reads back as it went in.
enum class Source { Built, ReadBack };

// The getter's record starts as a byte copy of the expected one, so padding and the bytes
// behind text terminators agree; every field the getter writes from a model that holds it
// differently shows as a byte difference, reported with its offset.
template <class Record>
void expectGetterGives(TOrdex* inst, const Record& record,
                       TOrdexReturnCode (*get)(TOrdex*, const char*, Record*, int), Source source) {
  auto expected = std::make_unique<Record>();
  std::memcpy(expected.get(), &record, sizeof(Record));
  if (source == Source::ReadBack) {
    expected->UserData = 0;
    // FORMULA_INV is not written to files.
    if constexpr (std::is_same_v<Record, TCompuMethod2>) expected->FormulaInv[0] = '\0';
  }
  auto got = std::make_unique<Record>();
  std::memcpy(got.get(), expected.get(), sizeof(Record));
  ASSERT_EQ(rcOk, get(inst, nullptr, got.get(), 0)) << record.Name;
  auto* a = reinterpret_cast<const unsigned char*>(expected.get());
  auto* b = reinterpret_cast<const unsigned char*>(got.get());
  for (size_t i = 0; i < sizeof(Record); ++i) {
    if (a[i] != b[i]) {
      ADD_FAILURE() << record.Name << ": first difference at byte " << i << " of "
                    << sizeof(Record);
      return;
    }
  }
}

void expectHolds(TOrdex* inst, const BuiltProject& b, Source source) {
  auto project = fresh<TProject>("");
  ASSERT_EQ(rcOk, Ordex_GetProject(inst, project.get(), 0));
  auto expectedProject = fresh<TProject>("");
  std::memcpy(expectedProject.get(), b.project.get(), sizeof(TProject));
  if (source == Source::ReadBack) {
    expectedProject->UserData = 0;
    expectedProject->Asap2Version = project->Asap2Version;
    expectedProject->Asap2Upgrade = project->Asap2Upgrade;
    std::memcpy(expectedProject->FileHeadComment, project->FileHeadComment, ORDEX_TEXT_SIZE);
  }
  EXPECT_EQ(0, std::memcmp(project.get(), expectedProject.get(), sizeof(TProject)));
  auto module = fresh<TModule>("ECU");
  ASSERT_EQ(rcOk, Ordex_GetModule(inst, module.get(), 0));
  auto expectedModule = fresh<TModule>("");
  std::memcpy(expectedModule.get(), b.module.get(), sizeof(TModule));
  if (source == Source::ReadBack) expectedModule->UserData = 0;
  EXPECT_EQ(0, std::memcmp(module.get(), expectedModule.get(), sizeof(TModule)));

  for (auto& r : b.segments) expectGetterGives(inst, *r, Ordex_GetMemorySegment, source);
  for (auto& [name, value] : b.constants) {
    TSystemConstant c = ordex_test::named<TSystemConstant>(name);
    ASSERT_EQ(rcOk, Ordex_GetSystemConstant(inst, nullptr, &c, 0));
    EXPECT_EQ(value, c.Value);
  }
  for (auto& r : b.layouts) expectGetterGives(inst, *r, Ordex_GetRecordLayout, source);
  for (auto& r : b.layouts2) expectGetterGives(inst, *r, Ordex_GetRecordLayout2, source);
  for (auto& r : b.methods) expectGetterGives(inst, *r, Ordex_GetCompuMethod, source);
  for (auto& r : b.methods2) expectGetterGives(inst, *r, Ordex_GetCompuMethod2, source);
  for (auto& r : b.tabs) expectGetterGives(inst, *r, Ordex_GetCompuTab, source);
  for (auto& r : b.vtabs) expectGetterGives(inst, *r, Ordex_GetCompuVTab, source);
  std::vector<TCompuVTabEntry> all(b.largeVTabTexts.size());
  ASSERT_EQ(rcOk, Ordex_GetACompuVTabsLargeVTab(inst, nullptr, "VT_STATE", all.data()));
  for (size_t k = 0; k < all.size(); ++k) {
    EXPECT_EQ(static_cast<int32_t>(10 * k), all[k].InVal);
    EXPECT_EQ(b.largeVTabTexts[k], all[k].OutText);
  }
  for (auto& r : b.measurements) expectGetterGives(inst, *r, Ordex_GetMeasurement, source);
  for (auto& r : b.axisPts) expectGetterGives(inst, *r, Ordex_GetAxisPts, source);
  for (auto& r : b.characteristics) {
    expectGetterGives(inst, *r, Ordex_GetCharacteristic, source);
  }
  for (auto& r : b.characteristics2) {
    expectGetterGives(inst, *r, Ordex_GetCharacteristic2, source);
  }
  for (auto& r : b.functions) expectGetterGives(inst, *r, Ordex_GetFunction, source);

  using Names = std::vector<std::string>;
  EXPECT_EQ((Names{"Code", "1"}), namesOf(inst, Ordex_GetMemorySegmentList));
  EXPECT_EQ((Names{"RL_VALUE", "RL_MAP"}), namesOf(inst, Ordex_GetRecordLayoutList));
  EXPECT_EQ((Names{"CM_LIN", "CM_TAB", "CM_FORM", "CM_VERB"}),
            namesOf(inst, Ordex_GetCompuMethodList));
  EXPECT_EQ((Names{"N", "T_ENG"}), namesOf(inst, Ordex_GetMeasurementList));
  EXPECT_EQ((Names{"K_VALUE", "K_MAP", "K_CURVE"}), namesOf(inst, Ordex_GetCharacteristicList));
  EXPECT_EQ((Names{"F_MAIN", "F_SUB"}), namesOf(inst, Ordex_GetFunctionList));
  int count = -1;
  ASSERT_EQ(rcOk, Ordex_GetNumObjects(inst, nullptr, etSystemConstant, &count));
  EXPECT_EQ(2, count);
}

// Every name list of F_MAIN holds exactly the names added, checked by removing them.
void expectFunctionListsAndEmptyThem(TOrdex* inst, const BuiltProject& b) {
  using RemFrom = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, const char*);
  const RemFrom removes[] = {Ordex_RemFromAFuncsDefChaList, Ordex_RemFromAFuncsRefChaList,
                             Ordex_RemFromAFuncsInMeaList,  Ordex_RemFromAFuncsOutMeaList,
                             Ordex_RemFromAFuncsLocMeaList, Ordex_RemFromAFuncsSubFuncList,
                             Ordex_RemFromAFuncsAxisPtsList};
  for (size_t l = 0; l < b.mainLists.size(); ++l) {
    for (const std::string& name : b.mainLists[l]) {
      EXPECT_EQ(rcOk, removes[l](inst, nullptr, "F_MAIN", name.c_str())) << l << " " << name;
    }
    for (const std::string& name : b.mainLists[l]) {
      EXPECT_EQ(rcListEntryNotFound, removes[l](inst, nullptr, "F_MAIN", name.c_str()));
    }
  }
}

TEST(EditBuildProject, EveryGetterGivesBackWhatWentIn) {
  const BuiltProject sampleProject = sample();
  Instance inst;
  build(inst, sampleProject);
  expectHolds(inst, sampleProject, Source::Built);

  // Written to a file and read back, the project holds the same records.
  ordex_test::TempDir dir;
  const std::string file = dir.path() + "/built.a2l";
  ASSERT_EQ(rcOk, Ordex_WriteAsapFile(inst, file.c_str(), nullptr, nullptr, "", nullptr, nullptr));
  Instance back;
  ASSERT_EQ(rcOk, Ordex_ReadAsapFile(back, file.c_str(), nullptr, nullptr))
      << ordex_test::readError(back);
  expectHolds(back, sampleProject, Source::ReadBack);
  expectFunctionListsAndEmptyThem(back, sampleProject);

  expectFunctionListsAndEmptyThem(inst, sampleProject);
}

}  // namespace
