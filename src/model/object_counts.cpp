#include "model/object_counts.h"

namespace ordex {

int countObjects(const TModule_Intern& m, int mask) {
  uint32_t n = 0;
  if (mask & ordex::ekMemorySegment) n += m.ModPar.MemorySegments.Count;
  if (mask & ordex::ekSystemConstant) n += m.ModPar.SystemConstants.count();
  if (mask & ordex::ekCharacteristic) n += m.Characteristics.Count;
  if (mask & ordex::ekMeasurement) n += m.Measurements.Count;
  if (mask & ordex::ekFunction) n += m.Functions.Count;
  if (mask & ordex::ekCompuMethod) n += m.CompuMethods.Count;
  if (mask & ordex::ekCompuTab) n += m.CompuTabs.Count;
  if (mask & ordex::ekCompuVTab) n += m.CompuVTabs.Count;
  if (mask & ordex::ekRecordLayout) n += m.RecordLayouts.Count;
  if (mask & ordex::ekAxisPts) n += m.AxisPts.Count;
  return static_cast<int>(n);
}

}  // namespace ordex
