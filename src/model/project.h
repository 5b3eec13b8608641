// The project and module records.
#pragma once

#include "model/text.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/element_kind.h"
#include "model/object_list.h"
#include "model/object_records.h"
#include "model/read_function_lists.h"
#include "model/source_text.h"

namespace ordex {
// Data another layer keeps about one module and that must go with it (the edit layer's
// index of the FUNCTION list entries). The module owns it; it owns none of the records.
struct ModuleAttachment {
  virtual ~ModuleAttachment() = default;
};
}  // namespace ordex

// MOD_COMMON settings: the module's defaults for data layout.
struct TModCommon_Intern {
  ordex::Text Comment;
  ordex::Text SRecLayout;
  ordex::KeptKeywords Kept;  // DepositMode, ByteOrder
  int32_t DepositMode = -1;
  int32_t ByteOrder = ordex::orderMsbLast;
  int16_t AlignmentByte = 0;
  int16_t AlignmentWord = 0;
  int16_t AlignmentLong = 0;
  int16_t AlignmentFloat32Ieee = 0;
  int16_t AlignmentFloat64Ieee = 0;
  uint32_t RamOffset = 0;
  uint32_t RomOffset = 0;
  uint32_t BitMask = 0xFFFFFFFFu;  // 0xFFFFFFFF: not set
};

// MOD_PAR management data and lists.
struct TModPar_Intern {
  ordex::Text Comment;
  ordex::Text Version;  // texts of MOD_PAR keep the token as read, quotes included
  uint32_t AddrEpk = 0xFFFFFFFFu;
  ordex::Text Epk;
  ordex::Text Supplier;
  ordex::Text Customer;
  ordex::Text CustomerNo;
  ordex::Text User;
  ordex::Text PhoneNo;
  ordex::Text Ecu;
  ordex::Text CpuType;
  int16_t NoOfInterfaces = 0;
  uint32_t EcuCalibrationOffset = 0;
  ordex::EntryList<TSystemConstant_Intern> SystemConstants;
  ordex::ObjectList<TMemorySegment_Intern> MemorySegments;  // layouts and segments
  ordex::ObjectList<TCalibrationMethod_Intern> CalibrationMethods;
};

struct TModule_Intern : ordex::ObjectHead {
  TModule_Intern();
  ~TModule_Intern();

  TModCommon_Intern ModCommon;
  TModPar_Intern ModPar;
  ordex::Text VarSeparator;
  int32_t VarNaming = -1;
  ordex::ObjectList<TVarCharacteristic_Intern> VarCharacteristics;
  ordex::ObjectList<TVarCriterion_Intern> VarCriterions;
  ordex::ObjectList<TVarForbiddenComb_Intern> VarForbiddenCombs;
  ordex::ObjectList<TCharacteristic_Intern> Characteristics;
  ordex::ObjectList<TMeasurement_Intern> Measurements;
  ordex::ObjectList<TFunction_Intern> Functions;
  ordex::ObjectList<TCompuMethod_Intern> CompuMethods;
  ordex::ObjectList<TCompuTab_Intern> CompuTabs;
  ordex::ObjectList<TCompuVTab_Intern> CompuVTabs;
  // Read for the conversions only (no public kind): see TCompuVTabRange_Intern.
  ordex::ObjectList<TCompuVTabRange_Intern> CompuVTabRanges;
  ordex::ObjectList<TAxisPts_Intern> AxisPts;
  ordex::ObjectList<TRecordLayout_Intern> RecordLayouts;
  ordex::IfDataList IfData;  // IF_DATA blocks standing directly in the MODULE
  int32_t MaxAnnotationTextSize = 1;
  // Empty but while a read runs.
  ordex::ReadFunctionLists FunctionListsRead;
  // Kept by the edit layer, which also frees the entries of the FUNCTION name lists: code
  // that frees such entries any other way must reset it.
  std::unique_ptr<ordex::ModuleAttachment> EditIndex;
};

struct TProject_Intern : ordex::ObjectHead {
  TProject_Intern();
  ~TProject_Intern();
  // A project holds the arena its records go to, so it is never placed in an arena itself.
  static void* operator new(size_t size) { return ::operator new(size); }
  static void operator delete(void* p) noexcept { ::operator delete(p); }

  // The texts a read places into this project's records; declared first so that it is
  // freed after everything that points into it.
  ordex::TextArena Arena;

  int32_t Asap2Version = 0;
  int32_t Asap2Upgrade = 0;
  ordex::Text FileHeadComment;
  ordex::Text HeaderComment;
  ordex::Text HeaderVersion;
  ordex::Text HeaderProjectNo;
  ordex::ObjectList<TModule_Intern> Modules;
  // The text the project was read from, for a preserving write; null for a project made by
  // edits, read with the source left out, or whose read failed.
  std::unique_ptr<ordex::SourceText> Source;
};

namespace ordex {

// Module lookup: with a name, the first module of that name under the comparison mode;
// with a null name, the only module (none when the project holds zero or several).
TModule_Intern* findModule(const TProject_Intern* project, const char* name);

}  // namespace ordex
