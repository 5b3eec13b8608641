#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "ordex.h"
#include "record_printer.h"
#include "return_code_names.h"
#include "show_members.h"
#include "tool_support.h"

namespace ordex_tool {

namespace {

// A zeroed public record of type T whose Name holds the key.
template <class T>
std::unique_ptr<T> keyed(const char* name) {
  std::unique_ptr<T> r(new T());
  std::snprintf(r->Name, sizeof r->Name, "%s", name);
  return r;
}

TOrdexReturnCode showProject(TOrdex* inst, const char*, RecordPrinter& p) {
  TProject r{};
  TOrdexReturnCode rc = Ordex_GetProject(inst, &r, 0);
  if (rc != rcOk) return rc;
  p.text("Name", r.Name);
  p.text("LongIdentifier", r.LongIdentifier);
  p.number("Asap2Version", r.Asap2Version);
  p.number("Asap2Upgrade", r.Asap2Upgrade);
  p.text("FileHeadComment", r.FileHeadComment);
  p.text("HeaderComment", r.HeaderComment);
  p.text("HeaderVersion", r.HeaderVersion);
  p.text("HeaderProjectNo", r.HeaderProjectNo);
  p.number("UserData", r.UserData);
  return rcOk;
}

TOrdexReturnCode showModule(TOrdex* inst, const char* name, RecordPrinter& p) {
  auto r = keyed<TModule>(name);
  TOrdexReturnCode rc = Ordex_GetModule(inst, r.get(), 0);
  if (rc != rcOk) return rc;
  p.text("Name", r->Name);
  p.text("LongIdentifier", r->LongIdentifier);
  p.text("ModCommonComment", r->ModCommonComment);
  p.text("SRecLayout", r->SRecLayout);
  p.keyword("DepositMode", r->DepositMode, kDeposits);
  p.keyword("ByteOrder", r->ByteOrder, kByteOrders);
  p.number("AlignmentByte", r->AlignmentByte);
  p.number("AlignmentWord", r->AlignmentWord);
  p.number("AlignmentLong", r->AlignmentLong);
  p.number("AlignmentFloat32Ieee", r->AlignmentFloat32Ieee);
  p.number("AlignmentFloat64Ieee", r->AlignmentFloat64Ieee);
  p.text("ModParComment", r->ModParComment);
  p.text("Version", r->Version);
  p.hex("AddrEpk", r->AddrEpk);
  p.text("Epk", r->Epk);
  p.text("Supplier", r->Supplier);
  p.text("Customer", r->Customer);
  p.text("CustomerNo", r->CustomerNo);
  p.text("User", r->User);
  p.text("PhoneNo", r->PhoneNo);
  p.text("Ecu", r->Ecu);
  p.text("CpuType", r->CpuType);
  p.number("NoOfInterfaces", r->NoOfInterfaces);
  p.hex("EcuCalibrationOffset", r->EcuCalibrationOffset);
  p.number("UserData", r->UserData);
  return printIfData(inst, r->Name, MemberOwner::kModule, nullptr, "");
}

TOrdexReturnCode showMemorySegment(TOrdex* inst, const char* name, RecordPrinter& p) {
  auto r = keyed<TMemorySegment>(name);
  TOrdexReturnCode rc = Ordex_GetMemorySegment(inst, nullptr, r.get(), 0);
  if (rc != rcOk) return rc;
  bool layout = std::strcmp(r->LongIdentifier, "MEMORY_LAYOUT") == 0;
  p.text("Name", r->Name);
  p.text("LongIdentifier", r->LongIdentifier);
  p.keyword("PrgType", r->PrgType, layout ? kProgramTypes : kSegmentTypes);
  if (!layout) {
    p.keyword("MemoryType", r->MemoryType, kMemoryTypes);
    p.keyword("Attribute", r->Attribute, kAttributes);
  }
  p.hex("Address", r->Address);
  p.hex("Size", r->Size);
  for (int i = 0; i < 5; ++i) {
    char label[16];
    std::snprintf(label, sizeof label, "Offsets[%d]", i);
    p.number(label, r->Offsets[i]);
  }
  p.number("UserData", r->UserData);
  return printIfData(inst, nullptr, MemberOwner::kMemorySegment, name, "");
}

TOrdexReturnCode showSystemConstant(TOrdex* inst, const char* name, RecordPrinter& p) {
  auto r = keyed<TSystemConstant>(name);
  TOrdexReturnCode rc = Ordex_GetSystemConstant(inst, nullptr, r.get(), 0);
  if (rc != rcOk) return rc;
  p.text("Name", r->Name);
  p.text("Value", r->Value ? r->Value : "");
  return rcOk;
}

TOrdexReturnCode showCalibrationMethod(TOrdex* inst, const char* name, RecordPrinter& p) {
  auto r = keyed<TCalibrationMethod>(name);
  TOrdexReturnCode rc = Ordex_GetCalibrationMethod(inst, nullptr, r.get(), 0);
  if (rc != rcOk) return rc;
  p.text("Name", r->Name);
  p.number("Version", r->Version);
  p.number("HandleCount", r->HandleCount);
  for (int32_t h = 0; h < r->HandleCount; ++h) {
    int count = 0;
    if (Ordex_GetCalibrationHandleNumValues(inst, nullptr, name, static_cast<uint32_t>(h),
                                            &count) != rcOk) {
      break;
    }
    std::vector<int> values(static_cast<size_t>(count) + 1);
    Ordex_GetCalibrationHandleValues(inst, nullptr, name, static_cast<uint32_t>(h),
                                     static_cast<uint32_t>(count), values.data());
    std::string line;
    for (int i = 0; i < count; ++i)
      line += (i ? " 0x" : "0x") + [&] {
        char b[16];
        std::snprintf(b, sizeof b, "%X", static_cast<unsigned>(values[i]));
        return std::string(b);
      }();
    char label[32];
    std::snprintf(label, sizeof label, "Handle[%d]", static_cast<int>(h));
    p.text(label, line.c_str());
  }
  return rcOk;
}

void printAxis(const TAxisDescr2& a, RecordPrinter& p) {
  p.keyword("Attribute", a.Attribute, kAxisAttributes);
  p.text("InputQuantity", a.InputQuantity);
  p.text("Conversion", a.Conversion);
  p.number("MaxAxisPoints", a.MaxAxisPoints);
  p.numberText("LowerLimit", a.LowerLimit);
  p.numberText("UpperLimit", a.UpperLimit);
  p.flag("ReadOnly", a.ReadOnly);
  p.text("Format", a.Format);
  p.text("AxisPtsRef", a.AxisPtsRef);
  p.numberText("ExtendedLimitsLower", a.ExtendedLimitsLower);
  p.numberText("ExtendedLimitsUpper", a.ExtendedLimitsUpper);
  p.keyword("DepositMode", a.DepositMode, kDeposits);
  static const char* const kModeWords[] = {"DEPOSIT", "FIX_AXIS_PAR", "FIX_AXIS_PAR_DIST"};
  p.keyword("AxisPointsMode", a.AxisPointsMode, KeywordTable{kModeWords, 3});
  p.number("FixAxisParOffset", a.FixAxisParOffset);
  p.number("FixAxisParShift", a.FixAxisParShift);
  p.number("FixAxisParNumberapo", a.FixAxisParNumberapo);
}

TOrdexReturnCode showCharacteristic(TOrdex* inst, const char* name, RecordPrinter& p) {
  auto r = keyed<TCharacteristic2>(name);
  TOrdexReturnCode rc = Ordex_GetCharacteristic2(inst, nullptr, r.get(), 0);
  if (rc != rcOk) return rc;
  p.text("Name", r->Name);
  p.text("LongIdentifier", r->LongIdentifier);
  p.keyword("Type", r->Type, kCharacteristicTypes);
  p.hex("Address", r->Address);
  p.text("Deposit", r->Deposit);
  p.numberText("MaxDiff", r->MaxDiff);
  p.text("Conversion", r->Conversion);
  p.numberText("LowerLimit", r->LowerLimit);
  p.numberText("UpperLimit", r->UpperLimit);
  p.text("Format", r->Format);
  p.keyword("ByteOrder", r->ByteOrder, kByteOrders);
  p.hex("BitMask", r->BitMask);
  p.number("Number", r->Number);
  p.flag("ReadOnly", r->ReadOnly);
  p.numberText("ExtendedLimitsLower", r->ExtendedLimitsLower);
  p.numberText("ExtendedLimitsUpper", r->ExtendedLimitsUpper);
  p.number("MaxRefreshScalingUnit", r->MaxRefreshScalingUnit);
  p.number("MaxRefreshRate", r->MaxRefreshRate);
  p.number("UserData", r->UserData);
  // CURVE, MAP and CUBOID have one axis per dimension: their type's index is the count.
  int axes = r->Type >= 1 && r->Type <= 3 ? r->Type : 0;
  for (int i = 0; i < axes; ++i) {
    char label[32];
    std::snprintf(label, sizeof label, "Axis %d", i);
    p.heading(label);
    p.indent();
    printAxis(r->Axes[i], p);
    p.outdent();
  }
  printAnnotations(inst, nullptr, MemberOwner::kCharacteristic, name, "");
  return printIfData(inst, nullptr, MemberOwner::kCharacteristic, name, "");
}

TOrdexReturnCode showAxisPts(TOrdex* inst, const char* name, RecordPrinter& p) {
  auto r = keyed<TAxisPts>(name);
  TOrdexReturnCode rc = Ordex_GetAxisPts(inst, nullptr, r.get(), 0);
  if (rc != rcOk) return rc;
  p.text("Name", r->Name);
  p.text("LongIdentifier", r->LongIdentifier);
  p.hex("Address", r->Address);
  p.text("InputQuantity", r->InputQuantity);
  p.text("Deposit", r->Deposit);
  p.numberText("MaxDiff", r->MaxDiff);
  p.text("Conversion", r->Conversion);
  p.number("MaxAxisPoints", r->MaxAxisPoints);
  p.numberText("LowerLimit", r->LowerLimit);
  p.numberText("UpperLimit", r->UpperLimit);
  p.flag("ReadOnly", r->ReadOnly);
  p.text("Format", r->Format);
  p.keyword("DepositMode", r->DepositMode, kDeposits);
  p.keyword("ByteOrder", r->ByteOrder, kByteOrders);
  p.number("UserData", r->UserData);
  printAnnotations(inst, nullptr, MemberOwner::kAxisPts, name, "");
  return printIfData(inst, nullptr, MemberOwner::kAxisPts, name, "");
}

TOrdexReturnCode showMeasurement(TOrdex* inst, const char* name, RecordPrinter& p) {
  auto r = keyed<TMeasurement>(name);
  TOrdexReturnCode rc = Ordex_GetMeasurement(inst, nullptr, r.get(), 0);
  if (rc != rcOk) return rc;
  p.text("Name", r->Name);
  p.text("LongIdentifier", r->LongIdentifier);
  p.keyword("DataType", r->DataType, kDataTypes);
  p.text("Conversion", r->Conversion);
  p.number("Resolution", r->Resolution);
  p.numberText("Accuracy", r->Accuracy);
  p.numberText("LowerLimit", r->LowerLimit);
  p.numberText("UpperLimit", r->UpperLimit);
  p.text("Format", r->Format);
  p.number("ArraySize", r->ArraySize);
  p.hex("BitMask", r->BitMask);
  p.keyword("ByteOrder", r->ByteOrder, kByteOrders);
  p.number("MaxRefreshScalingUnit", r->MaxRefreshScalingUnit);
  p.number("MaxRefreshRate", r->MaxRefreshRate);
  p.hex("EcuAddress", r->EcuAddress);
  p.number("UserData", r->UserData);
  printMeasurementVirtuals(inst, nullptr, name, "");
  printAnnotations(inst, nullptr, MemberOwner::kMeasurement, name, "");
  return printIfData(inst, nullptr, MemberOwner::kMeasurement, name, "");
}

TOrdexReturnCode showFunction(TOrdex* inst, const char* name, RecordPrinter& p) {
  auto r = keyed<TFunction>(name);
  TOrdexReturnCode rc = Ordex_GetFunction(inst, nullptr, r.get(), 0);
  if (rc != rcOk) return rc;
  p.text("Name", r->Name);
  p.text("LongIdentifier", r->LongIdentifier);
  p.number("UserData", r->UserData);
  return printFunctionNameLists(inst, nullptr, name, "");
}

TOrdexReturnCode showCompuMethod(TOrdex* inst, const char* name, RecordPrinter& p) {
  auto r = keyed<TCompuMethod2>(name);
  TOrdexReturnCode rc = Ordex_GetCompuMethod2(inst, nullptr, r.get(), 0);
  if (rc != rcOk) return rc;
  p.text("Name", r->Name);
  p.text("LongIdentifier", r->LongIdentifier);
  p.keyword("ConversionType", r->ConversionType, kConversionTypes);
  p.text("Format", r->Format);
  p.text("Unit", r->Unit);
  p.text("Formula", r->Formula);
  p.text("FormulaInv", r->FormulaInv);
  const char* coeffNames[] = {"Coeffs a", "Coeffs b", "Coeffs c",
                              "Coeffs d", "Coeffs e", "Coeffs f"};
  for (int i = 0; i < 6; ++i) p.numberText(coeffNames[i], r->Coeffs[i]);
  p.text("CompuTabRef", r->CompuTabRef);
  p.number("UserData", r->UserData);
  return rcOk;
}

TOrdexReturnCode showCompuTab(TOrdex* inst, const char* name, RecordPrinter& p) {
  auto r = keyed<TCompuTab>(name);
  TOrdexReturnCode rc = Ordex_GetCompuTab(inst, nullptr, r.get(), 0);
  if (rc != rcOk) return rc;
  p.text("Name", r->Name);
  p.text("LongIdentifier", r->LongIdentifier);
  p.keyword("ConversionType", r->ConversionType, kConversionTypes);
  p.number("NumberValuePairs", r->NumberValuePairs);
  int n = r->NumberValuePairs < 0 ? 0 : r->NumberValuePairs;
  if (n > ORDEX_COMPU_TAB_PAIRS) n = ORDEX_COMPU_TAB_PAIRS;
  for (int i = 0; i < n; ++i) {
    char label[32];
    std::snprintf(label, sizeof label, "Pair %d: %d ->", i, static_cast<int>(r->Pairs[i].InVal));
    p.numberText(label, r->Pairs[i].Out);
  }
  p.text("DefaultValue", r->DefaultValue);
  p.number("UserData", r->UserData);
  return rcOk;
}

TOrdexReturnCode showCompuVTab(TOrdex* inst, const char* name, RecordPrinter& p) {
  auto r = keyed<TCompuVTab>(name);
  TOrdexReturnCode rc = Ordex_GetCompuVTab(inst, nullptr, r.get(), 0);
  if (rc != rcOk) return rc;
  p.text("Name", r->Name);
  p.text("LongIdentifier", r->LongIdentifier);
  p.keyword("ConversionType", r->ConversionType, kConversionTypes);
  p.number("NumberValuePairs", r->NumberValuePairs);
  // Pairs beyond the record's twenty come one at a time by index.
  for (int32_t i = 0; i < r->NumberValuePairs; ++i) {
    TCompuVTabValue v{};
    v.Index = static_cast<uint32_t>(i);
    if (Ordex_GetACompuVTabValueByIndex(inst, nullptr, name, &v) != rcOk) break;
    char label[32];
    std::snprintf(label, sizeof label, "Pair %d: %d ->", static_cast<int>(i),
                  static_cast<int>(v.InVal));
    p.text(label, v.OutText);
    if (i == 999) {
      p.heading("...");
      break;
    }
  }
  p.text("DefaultValue", r->DefaultValue);
  p.number("UserData", r->UserData);
  return rcOk;
}

TOrdexReturnCode showRecordLayout(TOrdex* inst, const char* name, RecordPrinter& p) {
  auto r = keyed<TRecordLayout2>(name);
  TOrdexReturnCode rc = Ordex_GetRecordLayout2(inst, nullptr, r.get(), 0);
  if (rc != rcOk) return rc;
  p.text("Name", r->Name);
  auto element = [&](const char* label, const TRecordLayoutElement& e, bool reserved) {
    if (e.Position <= 0) return;
    char text[160];
    const char* type = reserved ? kDataSizes.at(e.DataType) : kDataTypes.at(e.DataType);
    std::snprintf(text, sizeof text, "position %d, %s, index mode %d, addressing %s, rescale %d",
                  e.Position, type ? type : "-", static_cast<int>(e.IndexMode),
                  kAddressings.at(e.Addressing) ? kAddressings.at(e.Addressing) : "-",
                  e.MaxNumberOfRescalePairs);
    p.text(label, text);
  };
  // The elements in position order, as the record is stored in memory.
  TRecordLayoutElementExt placed[ORDEX_SORTED_ELEMENTS];
  rc = Ordex_GetRecordLayoutElementArraySorted(inst, nullptr, name, placed);
  if (rc != rcOk) return rc;
  for (const TRecordLayoutElementExt& e : placed) {
    if (e.ElementKind < 0) continue;
    element(kRecordLayoutElements.at(e.ElementKind), e.Element, e.ElementKind == 0);
  }
  p.number("FixNoAxisPtsX", r->FixNoAxisPtsX);
  p.number("FixNoAxisPtsY", r->FixNoAxisPtsY);
  p.number("FixNoAxisPtsZ", r->FixNoAxisPtsZ);
  p.number("AlignmentByte", r->AlignmentByte);
  p.number("AlignmentWord", r->AlignmentWord);
  p.number("AlignmentLong", r->AlignmentLong);
  p.number("AlignmentFloat32Ieee", r->AlignmentFloat32Ieee);
  p.number("AlignmentFloat64Ieee", r->AlignmentFloat64Ieee);
  p.number("UserData", r->UserData);
  return rcOk;
}

using ShowFn = TOrdexReturnCode (*)(TOrdex*, const char*, RecordPrinter&);

struct ShowKind {
  const char* kind;
  ShowFn show;
};

const ShowKind kShowKinds[] = {
    {"project", showProject},
    {"module", showModule},
    {"memory-segment", showMemorySegment},
    {"system-constant", showSystemConstant},
    {"calibration-method", showCalibrationMethod},
    {"characteristic", showCharacteristic},
    {"axis-pts", showAxisPts},
    {"measurement", showMeasurement},
    {"function", showFunction},
    {"compu-method", showCompuMethod},
    {"compu-tab", showCompuTab},
    {"compu-vtab", showCompuVTab},
    {"record-layout", showRecordLayout},
};

}  // namespace

const char* const kShowKindNames =
    "project, module, memory-segment, system-constant, calibration-method, characteristic, "
    "axis-pts, measurement, function, compu-method, compu-tab, compu-vtab, record-layout";

int show(const char* file, const char* kind, const char* name) {
  for (const ShowKind& k : kShowKinds) {
    if (std::strcmp(kind, k.kind) != 0) continue;
    LoadedFile loaded(file);
    if (!loaded.ok()) return 1;
    RecordPrinter printer;
    TOrdexReturnCode rc = k.show(loaded.instance(), name ? name : "", printer);
    if (rc != rcOk) {
      std::fprintf(stderr, "%s (%d)\n", returnCodeName(rc), static_cast<int>(rc));
      return 1;
    }
    return 0;
  }
  std::fprintf(stderr, "unknown kind '%s'; kinds: %s\n", kind, kShowKindNames);
  return 2;
}

}  // namespace ordex_tool
