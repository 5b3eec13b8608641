#include "edit/list_entry_edits.h"

#include <memory>
#include <string>

#include "edit/edit_index.h"
#include "model/name_compare.h"
#include "model/source_text.h"

namespace ordex::edit {

namespace {

FunctionRefList& listOf(TFunction_Intern& f, FunctionList which) {
  switch (which) {
    case FunctionList::DefCharacteristic:
      return f.DefCharacteristics;
    case FunctionList::RefCharacteristic:
      return f.RefCharacteristics;
    case FunctionList::InMeasurement:
      return f.InMeasurements;
    case FunctionList::OutMeasurement:
      return f.OutMeasurements;
    case FunctionList::LocMeasurement:
      return f.LocMeasurements;
    case FunctionList::SubFunction:
      return f.SubFunctions;
    case FunctionList::AxisPts:
      break;
  }
  return f.AxisPts;
}

// The first entry of an entry list whose Name equals `name` under the comparison mode.
template <class T>
T* firstNamed(const EntryList<T>& list, std::string_view name) {
  for (T* e : list) {
    if (namesEqual(e->Name, name)) return e;
  }
  return nullptr;
}

// The module's MOD_PAR block is about to change.
void modParChanging(TModule_Intern& m) {
  if (auto* project = static_cast<TProject_Intern*>(m.Owner)) {
    source_edits::changing(*project, {&m, SourcePart::kModPar});
  }
}

// The IF_DATA list of the owner, or the owner's not-found code; the owner is told that it
// is about to change.
ReturnCode ifDataListOf(TModule_Intern& m, ElementKind kind, std::string_view owner,
                        IfDataList*& list) {
  switch (kind) {
    case ekMemorySegment: {
      TMemorySegment_Intern* s = m.ModPar.MemorySegments.find(owner);
      if (!s) return ReturnCode::MemorySegmentNotFound;
      modParChanging(m);
      list = &s->IfData;
      return ReturnCode::Ok;
    }
    case ekCharacteristic: {
      TCharacteristic_Intern* c = m.Characteristics.find(owner);
      if (!c) return ReturnCode::CharacteristicNotFound;
      source_edits::changingObject(m, *c);
      list = &c->IfData;
      return ReturnCode::Ok;
    }
    case ekMeasurement: {
      TMeasurement_Intern* meas = m.Measurements.find(owner);
      if (!meas) return ReturnCode::MeasurementNotFound;
      source_edits::changingObject(m, *meas);
      list = &meas->IfData;
      return ReturnCode::Ok;
    }
    case ekAxisPts: {
      TAxisPts_Intern* a = m.AxisPts.find(owner);
      if (!a) return ReturnCode::AxisPtsNotFound;
      source_edits::changingObject(m, *a);
      list = &a->IfData;
      return ReturnCode::Ok;
    }
    default:
      return ReturnCode::InvalidArgument;
  }
}

}  // namespace

ReturnCode addToFunctionList(TModule_Intern& module, std::string_view function, FunctionList list,
                             std::string_view name) {
  TFunction_Intern* f = module.Functions.find(function);
  if (!f) return ReturnCode::FunctionNotFound;
  source_edits::changingObject(module, *f);
  auto entry = std::make_unique<TFunctionRef>();
  entry->Name.assign(name);
  TFunctionRef* added = listOf(*f, list).append(std::move(entry));
  if (EditIndex* index = EditIndex::existing(module)) index->entryAdded(added);
  return ReturnCode::Ok;
}

ReturnCode removeFromFunctionList(TModule_Intern& module, std::string_view function,
                                  FunctionList list, std::string_view name) {
  TFunction_Intern* f = module.Functions.find(function);
  if (!f) return ReturnCode::FunctionNotFound;
  FunctionRefList& entries = listOf(*f, list);
  TFunctionRef* entry = firstNamed(entries, name);
  if (!entry) return ReturnCode::ListEntryNotFound;
  source_edits::changingObject(module, *f);
  source_edits::removingFunctionEntry(module, *f, *entry);
  // The object the entry named may still name this function as its publisher or parent.
  EditIndex::of(module).entryRemoved(*f, entry);
  entries.unlink(entry);
  return ReturnCode::Ok;
}

ReturnCode addSystemConstant(TModule_Intern& module, std::string_view name,
                             std::string_view value) {
  modParChanging(module);
  auto constant = std::make_unique<TSystemConstant_Intern>();
  constant->Name.assign(name);
  constant->Value.assign(value);
  module.ModPar.SystemConstants.append(std::move(constant));
  return ReturnCode::Ok;
}

ReturnCode removeSystemConstant(TModule_Intern& module, std::string_view name) {
  EntryList<TSystemConstant_Intern>& constants = module.ModPar.SystemConstants;
  TSystemConstant_Intern* constant = findSystemConstant(constants, name);
  if (!constant) return ReturnCode::SystemConstantNotFound;
  modParChanging(module);
  constants.unlink(constant);
  return ReturnCode::Ok;
}

ReturnCode addIfData(TModule_Intern& module, ElementKind ownerKind, std::string_view owner,
                     std::string_view name, std::string_view content) {
  IfDataList* list = nullptr;
  if (ReturnCode rc = ifDataListOf(module, ownerKind, owner, list); rc != ReturnCode::Ok) {
    return rc;
  }
  auto entry = std::make_unique<TIfData_Intern>();
  entry->Name.assign(name);
  entry->Content.assign(content);
  list->append(std::move(entry));
  return ReturnCode::Ok;
}

ReturnCode removeIfData(TModule_Intern& module, ElementKind ownerKind, std::string_view owner,
                        std::string_view name) {
  IfDataList* list = nullptr;
  if (ReturnCode rc = ifDataListOf(module, ownerKind, owner, list); rc != ReturnCode::Ok) {
    return rc;
  }
  TIfData_Intern* entry = firstNamed(*list, name);
  if (!entry)
    return ReturnCode::IfDataNotFound;  // the owner's text is unchanged whatever it was told
  list->unlink(entry);
  return ReturnCode::Ok;
}

ReturnCode addAnnotation(TModule_Intern& module, ElementKind ownerKind, std::string_view owner,
                         std::string_view label, std::string_view origin, std::string_view text) {
  AnnotationList* list = nullptr;
  if (ownerKind == ekCharacteristic) {
    TCharacteristic_Intern* c = module.Characteristics.find(owner);
    if (!c) return ReturnCode::CharacteristicNotFound;
    source_edits::changingObject(module, *c);
    list = &c->Annotations;
  } else if (ownerKind == ekMeasurement) {
    TMeasurement_Intern* meas = module.Measurements.find(owner);
    if (!meas) return ReturnCode::MeasurementNotFound;
    source_edits::changingObject(module, *meas);
    list = &meas->Annotations;
  } else {
    return ReturnCode::InvalidArgument;
  }
  auto annotation = std::make_unique<TAnnotation_Intern>();
  annotation->Label.assign(label);
  annotation->Origin.assign(origin);
  annotation->Text.assign(text);
  list->append(std::move(annotation));
  return ReturnCode::Ok;
}

}  // namespace ordex::edit
