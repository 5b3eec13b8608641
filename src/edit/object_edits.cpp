#include "edit/object_edits.h"

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "edit/edit_index.h"
#include "edit/reference_cleanup.h"
#include "model/name_compare.h"
#include "model/source_text.h"

namespace ordex::edit {

namespace {

// The module list and the not-found code of each kind of object record.
template <class Intern>
struct KindOf;

#define ORDEX_EDIT_KIND(InternType, Member, NotFound)                           \
  template <>                                                                   \
  struct KindOf<InternType> {                                                   \
    static ObjectList<InternType>& list(TModule_Intern& m) { return m.Member; } \
    static constexpr ReturnCode kNotFound = NotFound;                           \
  };

ORDEX_EDIT_KIND(TMemorySegment_Intern, ModPar.MemorySegments, ReturnCode::MemorySegmentNotFound)
ORDEX_EDIT_KIND(TCharacteristic_Intern, Characteristics, ReturnCode::CharacteristicNotFound)
ORDEX_EDIT_KIND(TMeasurement_Intern, Measurements, ReturnCode::MeasurementNotFound)
ORDEX_EDIT_KIND(TFunction_Intern, Functions, ReturnCode::FunctionNotFound)
ORDEX_EDIT_KIND(TCompuMethod_Intern, CompuMethods, ReturnCode::CompuMethodNotFound)
ORDEX_EDIT_KIND(TCompuTab_Intern, CompuTabs, ReturnCode::CompuTabNotFound)
ORDEX_EDIT_KIND(TCompuVTab_Intern, CompuVTabs, ReturnCode::CompuVTabNotFound)
ORDEX_EDIT_KIND(TAxisPts_Intern, AxisPts, ReturnCode::AxisPtsNotFound)
ORDEX_EDIT_KIND(TRecordLayout_Intern, RecordLayouts, ReturnCode::RecordLayoutNotFound)

#undef ORDEX_EDIT_KIND

// What a new record takes from its module before the public record is applied, as when the
// reader makes it. Most of it is then overwritten; what stays is what the record does not
// carry: the axis slots a type leaves unused keep the module's deposit mode.
void takeModuleDefaults(ObjectHead&, const TModule_Intern&) {}

void takeModuleDefaults(TCharacteristic_Intern& c, const TModule_Intern& m) {
  c.ByteOrder = m.ModCommon.ByteOrder;
  c.Axes.DefaultDepositMode = m.ModCommon.DepositMode;
}

void takeModuleDefaults(TMeasurement_Intern& meas, const TModule_Intern& m) {
  meas.ByteOrder = m.ModCommon.ByteOrder;
}

void takeModuleDefaults(TAxisPts_Intern& a, const TModule_Intern& m) {
  a.ByteOrder = m.ModCommon.ByteOrder;
  a.DepositMode = m.ModCommon.DepositMode;
}

void takeModuleDefaults(TRecordLayout_Intern& l, const TModule_Intern& m) {
  l.AlignmentByte = m.ModCommon.AlignmentByte;
  l.AlignmentWord = m.ModCommon.AlignmentWord;
  l.AlignmentLong = m.ModCommon.AlignmentLong;
  l.AlignmentFloat32Ieee = m.ModCommon.AlignmentFloat32Ieee;
  l.AlignmentFloat64Ieee = m.ModCommon.AlignmentFloat64Ieee;
}

// The text of a module part or object is about to change: a memory segment is written
// inside MOD_PAR.
template <class Intern>
void partChanging(TModule_Intern& module, const Intern& object) {
  if constexpr (std::is_same_v<Intern, TMemorySegment_Intern>) {
    if (auto* project = static_cast<TProject_Intern*>(module.Owner)) {
      source_edits::changing(*project, {&module, SourcePart::kModPar});
    }
  } else {
    source_edits::changingObject(module, object);
  }
}

// The record is complete before it is linked: running out of memory links nothing.
template <class Intern>
ReturnCode createIn(TModule_Intern& module, std::string_view name, const FieldCopy<Intern>& copy) {
  using Kind = KindOf<Intern>;
  auto object = std::make_unique<Intern>();
  object->Owner = &module;
  takeModuleDefaults(*object, module);
  copy(*object);
  object->Name.assign(name);
  if constexpr (std::is_same_v<Intern, TMemorySegment_Intern>) {
    partChanging(module, *object);
  }
  ObjectHead* added = object.get();
  if constexpr (std::is_same_v<Intern, TMemorySegment_Intern>) {
    Kind::list(module).append(std::move(object));
  } else {
    source_edits::created(module, *added);
    try {
      Kind::list(module).append(std::move(object));
    } catch (...) {
      source_edits::removingObject(module, *added);
      throw;
    }
  }
  if (EditIndex* index = EditIndex::existing(module)) index->objectAdded(added);
  return ReturnCode::Ok;
}

// A measurement's conversion is filed by name in the edit index, and one resolved under its
// old name is remembered there (the index is made now if need be), since the link stays.
// Done before the change, so that running out of memory here changes nothing.
void conversionChanging(TModule_Intern& module, TMeasurement_Intern& m, std::string_view newName) {
  if (equalFolded(m.Conversion, newName)) return;
  if (EditIndex* index = EditIndex::existing(module)) {
    index->conversionChanging(&m, newName);
  } else if (m.ConversionTarget) {
    EditIndex::of(module).conversionChanging(&m, newName);
  }
}

template <class Intern, class Copy>
ReturnCode changeIn(TModule_Intern& module, std::string_view name, Copy&& copy) {
  using Kind = KindOf<Intern>;
  ObjectList<Intern>& list = Kind::list(module);
  Intern* object = list.find(name);
  if (!object) return Kind::kNotFound;
  partChanging(module, *object);
  copy(*object);
  // Under case-insensitive comparison the given spelling replaces the stored one.
  if (object->Name != name) list.rename(object, name);
  return ReturnCode::Ok;
}

template <class T>
ReturnCode removeFrom(TModule_Intern& module, std::string_view name) {
  ObjectList<T>& list = KindOf<T>::list(module);
  T* object = list.find(name);
  if (!object) return KindOf<T>::kNotFound;
  if constexpr (std::is_same_v<T, TMemorySegment_Intern>) {
    partChanging(module, *object);
  } else {
    source_edits::removingObject(module, *object);
  }
  dropReferencesTo(module, *object);
  if (EditIndex* index = EditIndex::existing(module)) index->objectRemoved(object);
  module.FunctionListsRead.forget(*object);  // its pending FUNCTION_LIST names go with it
  list.unlink(object);                       // the record is freed here, with everything it owns
  return ReturnCode::Ok;
}

}  // namespace

ReturnCode createProject(TOrdex& instance, const FieldCopy<TProject_Intern>& copy) {
  if (instance.Project) return ReturnCode::ProjectExists;
  auto project = std::make_unique<TProject_Intern>();
  copy(*project);
  instance.Project = std::move(project);
  return ReturnCode::Ok;
}

ReturnCode changeProject(TOrdex& instance, const FieldCopy<TProject_Intern>& copy) {
  if (!instance.Project) return ReturnCode::NoProject;
  for (SourcePart part : {SourcePart::kVersion, SourcePart::kProject, SourcePart::kHeader}) {
    source_edits::changing(*instance.Project, {instance.Project.get(), part});
  }
  copy(*instance.Project);
  return ReturnCode::Ok;
}

ReturnCode removeProject(TOrdex& instance) {
  if (!instance.Project) return ReturnCode::NoProject;
  instance.Project.reset();
  return ReturnCode::Ok;
}

ReturnCode createModule(TOrdex& instance, std::string_view name,
                        const FieldCopy<TModule_Intern>& copy) {
  TProject_Intern* project = instance.Project.get();
  if (!project) return ReturnCode::NoProject;
  auto module = std::make_unique<TModule_Intern>();
  module->Owner = project;
  copy(*module);
  module->Name.assign(name);
  project->Modules.append(std::move(module));
  return ReturnCode::Ok;
}

ReturnCode changeModule(TOrdex& instance, std::string_view moduleName,
                        const FieldCopy<TModule_Intern>& copy) {
  TProject_Intern* project = instance.Project.get();
  if (!project) return ReturnCode::NoProject;
  const std::string name(moduleName);
  TModule_Intern* module = findModule(project, name.empty() ? nullptr : name.c_str());
  if (!module) return ReturnCode::ModuleNotFound;
  for (SourcePart part : {SourcePart::kModule, SourcePart::kModPar, SourcePart::kModCommon}) {
    source_edits::changing(*project, {module, part});
  }
  copy(*module);
  if (module->Name != name) project->Modules.rename(module, name);
  return ReturnCode::Ok;
}

ReturnCode removeModule(TOrdex& instance, const char* moduleName) {
  TProject_Intern* project = instance.Project.get();
  if (!project) return ReturnCode::NoProject;
  TModule_Intern* module = findModule(project, moduleName);
  if (!module) return ReturnCode::ModuleNotFound;
  source_edits::removingModule(*project, *module);
  dropReferencesInto(*project, *module);
  project->Modules.unlink(module);
  return ReturnCode::Ok;
}

template <class Intern>
ReturnCode create(TModule_Intern& module, std::string_view name, const FieldCopy<Intern>& copy) {
  return createIn(module, name, copy);
}

template <class Intern>
ReturnCode change(TModule_Intern& module, std::string_view name, const FieldCopy<Intern>& copy) {
  static_assert(!std::is_same_v<Intern, TMeasurement_Intern>, "changeMeasurement");
  return changeIn<Intern>(module, name, copy);
}

#define ORDEX_EDIT_CREATE_CHANGE(Intern)                                                           \
  template ReturnCode create<Intern>(TModule_Intern&, std::string_view, const FieldCopy<Intern>&); \
  template ReturnCode change<Intern>(TModule_Intern&, std::string_view, const FieldCopy<Intern>&);

ORDEX_EDIT_CREATE_CHANGE(TMemorySegment_Intern)
ORDEX_EDIT_CREATE_CHANGE(TCharacteristic_Intern)
ORDEX_EDIT_CREATE_CHANGE(TFunction_Intern)
ORDEX_EDIT_CREATE_CHANGE(TCompuMethod_Intern)
ORDEX_EDIT_CREATE_CHANGE(TCompuTab_Intern)
ORDEX_EDIT_CREATE_CHANGE(TCompuVTab_Intern)
ORDEX_EDIT_CREATE_CHANGE(TAxisPts_Intern)
ORDEX_EDIT_CREATE_CHANGE(TRecordLayout_Intern)

#undef ORDEX_EDIT_CREATE_CHANGE

template ReturnCode create<TMeasurement_Intern>(TModule_Intern&, std::string_view,
                                                const FieldCopy<TMeasurement_Intern>&);

ReturnCode changeMeasurement(TModule_Intern& module, std::string_view name,
                             std::string_view conversion,
                             const FieldCopy<TMeasurement_Intern>& copy) {
  return changeIn<TMeasurement_Intern>(module, name, [&](TMeasurement_Intern& object) {
    conversionChanging(module, object, conversion);
    try {
      copy(object);
    } catch (...) {
      // The conversion name may not have changed after all: file the conversions anew.
      if (EditIndex* index = EditIndex::existing(module)) index->refileConversions();
      throw;
    }
  });
}

ReturnCode changeLargeVTab(TModule_Intern& module, std::string_view vtabName,
                           const std::function<void(std::vector<TCompuVTabPair_Intern>&)>& fill) {
  TCompuVTab_Intern* vtab = module.CompuVTabs.find(vtabName);
  if (!vtab) return ReturnCode::CompuVTabNotFound;
  if (!fill) return ReturnCode::InvalidArgument;
  source_edits::changingObject(module, *vtab);
  // Built aside first, so that running out of memory leaves the old pairs.
  std::vector<TCompuVTabPair_Intern> pairs(static_cast<size_t>(vtab->usedPairs()));
  fill(pairs);
  vtab->Pairs.swap(pairs);
  return ReturnCode::Ok;
}

ReturnCode removeObject(TModule_Intern& module, ElementKind kind, std::string_view name) {
  switch (kind) {
    case ekMemorySegment:
      return removeFrom<TMemorySegment_Intern>(module, name);
    case ekCharacteristic:
      return removeFrom<TCharacteristic_Intern>(module, name);
    case ekMeasurement:
      return removeFrom<TMeasurement_Intern>(module, name);
    case ekFunction:
      return removeFrom<TFunction_Intern>(module, name);
    case ekCompuMethod:
      return removeFrom<TCompuMethod_Intern>(module, name);
    case ekCompuTab:
      return removeFrom<TCompuTab_Intern>(module, name);
    case ekCompuVTab:
      return removeFrom<TCompuVTab_Intern>(module, name);
    case ekAxisPts:
      return removeFrom<TAxisPts_Intern>(module, name);
    case ekRecordLayout:
      return removeFrom<TRecordLayout_Intern>(module, name);
    default:
      return ReturnCode::InvalidArgument;
  }
}

}  // namespace ordex::edit
