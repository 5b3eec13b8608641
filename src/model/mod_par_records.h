// Records of MOD_PAR: memory layouts and segments, calibration methods.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/object_list.h"
#include "model/sub_records.h"

struct TMemorySegment_Intern : ordex::ObjectHead {
  int32_t PrgType = -1;
  int32_t MemoryType = -1;
  int32_t Attribute = -1;
  uint32_t Address = 0xFFFFFFFFu;
  uint32_t Size = 0;
  int32_t Offsets[5] = {0, 0, 0, 0, 0};
  ordex::IfDataList IfData;
};

struct TCalibrationHandle_Intern {
  TCalibrationHandle_Intern* Next = nullptr;
  std::vector<int32_t> Values;
};

struct TCalibrationMethod_Intern : ordex::ObjectHead {
  int32_t Version = 0;
  ordex::EntryList<TCalibrationHandle_Intern> Handles;
  int32_t HandleCount = 0;
};
