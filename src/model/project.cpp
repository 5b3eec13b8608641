#include "model/project.h"

TModule_Intern::TModule_Intern() {
  Kind = ordex::ekModule;
}

// Lists go in a fixed order: MOD_PAR lists first, then the variant coding lists, then the
// object lists, then the module's IF_DATA.
TModule_Intern::~TModule_Intern() {
  ModPar.SystemConstants.clear();
  ModPar.MemorySegments.clear();
  ModPar.CalibrationMethods.clear();
  VarCharacteristics.clear();
  VarCriterions.clear();
  VarForbiddenCombs.clear();
  Characteristics.clear();
  Measurements.clear();
  Functions.clear();
  CompuMethods.clear();
  CompuTabs.clear();
  CompuVTabs.clear();
  CompuVTabRanges.clear();
  AxisPts.clear();
  RecordLayouts.clear();
  IfData.clear();
}

TProject_Intern::TProject_Intern() {
  Kind = ordex::ekProject;
}

TProject_Intern::~TProject_Intern() {
  Modules.clear();
}

namespace ordex {

TModule_Intern* findModule(const TProject_Intern* project, const char* name) {
  if (!project) return nullptr;
  if (name) return project->Modules.find(name);
  return project->Modules.count() == 1 ? project->Modules.first() : nullptr;
}

}  // namespace ordex
