// Records of MOD_PAR: memory layouts and segments, calibration methods.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/element_kind.h"
#include "model/kept_keywords.h"
#include "model/name_compare.h"
#include "model/object_list.h"
#include "model/sub_records.h"

// A MEMORY_SEGMENT, or a MEMORY_LAYOUT (Name "1", "2", ... and LongIdentifier
// "MEMORY_LAYOUT"); both kinds share the module's MemorySegments list.
struct TMemorySegment_Intern : ordex::ObjectHead {
  TMemorySegment_Intern() { Kind = ordex::ekMemorySegment; }

  int32_t PrgType = -1;
  int32_t MemoryType = -1;
  int32_t Attribute = -1;
  uint32_t Address = 0xFFFFFFFFu;
  uint32_t Size = 0;
  int32_t Offsets[5] = {0, 0, 0, 0, 0};
  ordex::KeptKeywords Kept;  // PrgType, MemoryType, Attribute
  ordex::IfDataList IfData;
};

// One CALIBRATION_HANDLE: its numbers in file order (Count = Values.size()).
struct TCalibrationHandle_Intern : ordex::ArenaRecord {
  TCalibrationHandle_Intern* Next = nullptr;
  std::vector<int32_t> Values;
};

struct TCalibrationMethod_Intern : ordex::ObjectHead {
  TCalibrationMethod_Intern() { Kind = ordex::ekCalibrationMethod; }

  int32_t Version = 0;
  ordex::EntryList<TCalibrationHandle_Intern> Handles;
  int32_t HandleCount = 0;  // raised at every /begin CALIBRATION_HANDLE
};

namespace ordex {

// The first SYSTEM_CONSTANT of that name under the comparison mode, or null. System
// constants carry no object head and so no name index; their lists are short.
inline TSystemConstant_Intern* findSystemConstant(const EntryList<TSystemConstant_Intern>& list,
                                                  std::string_view name) {
  for (TSystemConstant_Intern* c : list) {
    if (namesEqual(c->Name, name)) return c;
  }
  return nullptr;
}

}  // namespace ordex
