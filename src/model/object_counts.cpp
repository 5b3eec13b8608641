#include "model/object_counts.h"

namespace ordex {

int countObjects(const TModule_Intern& m, int mask) {
  uint32_t n = 0;
  if (mask & etMemorySegment) n += m.ModPar.MemorySegments.Count;
  if (mask & etSystemConstant) n += m.ModPar.SystemConstants.Count;
  if (mask & etCharacteristic) n += m.Characteristics.Count;
  if (mask & etMeasurement) n += m.Measurements.Count;
  if (mask & etFunction) n += m.Functions.Count;
  if (mask & etCompuMethod) n += m.CompuMethods.Count;
  if (mask & etCompuTab) n += m.CompuTabs.Count;
  if (mask & etCompuVTab) n += m.CompuVTabs.Count;
  if (mask & etRecordLayout) n += m.RecordLayouts.Count;
  if (mask & etAxisPts) n += m.AxisPts.Count;
  return static_cast<int>(n);
}

}  // namespace ordex
