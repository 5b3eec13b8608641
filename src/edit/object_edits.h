// Creating, changing and removing the project, modules and the objects of a module.
//
// Objects are found by name under the process-wide comparison mode, the first of a name in
// list order. Names are not checked for uniqueness and names an object refers to are not
// checked for existence. Results are return codes; std::bad_alloc passes through.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "model/element_kind.h"
#include "model/instance.h"
#include "model/project.h"
#include "platform/return_code.h"

namespace ordex::edit {

// What an operation copies into the record it creates or changes: every field the host's
// record carries except the name, which the operation takes beside it (a record that stands
// in a list is renamed through its list, so that the name indexes stay true). The copy never
// touches the lists a record owns or the references the reference finder resolved; it may
// throw, and what it throws passes through.
template <class Intern>
using FieldCopy = std::function<void(Intern&)>;

// The project is in no list: its copy sets the name too. -118 when the instance holds a
// project already.
ReturnCode createProject(TOrdex& instance, const FieldCopy<TProject_Intern>& copy);
// -104 without project.
ReturnCode changeProject(TOrdex& instance, const FieldCopy<TProject_Intern>& copy);
// Frees the project with everything in it. -104 without project.
ReturnCode removeProject(TOrdex& instance);

// -104 without project.
ReturnCode createModule(TOrdex& instance, std::string_view name,
                        const FieldCopy<TModule_Intern>& copy);
// The module of that name (an empty name: the only module), which then takes the name as
// given. -104 without project, -105 no such module.
ReturnCode changeModule(TOrdex& instance, std::string_view name,
                        const FieldCopy<TModule_Intern>& copy);
// A null name selects the only module. -104 without project, -105 no such module.
ReturnCode removeModule(TOrdex& instance, const char* moduleName);

// Create appends a new object of that name, made by the copy, to its kind's list of the
// module. Intern is one of TMemorySegment_Intern, TCharacteristic_Intern,
// TMeasurement_Intern, TFunction_Intern, TCompuMethod_Intern, TCompuTab_Intern,
// TCompuVTab_Intern, TAxisPts_Intern and TRecordLayout_Intern.
template <class Intern>
ReturnCode create(TModule_Intern& module, std::string_view name, const FieldCopy<Intern>& copy);

// Change applies the copy to the object the name selects and stores the name as given (so
// the object takes its letter case); the kind's not-found code when there is none. For the
// same kinds as create except measurements, which changeMeasurement changes.
template <class Intern>
ReturnCode change(TModule_Intern& module, std::string_view name, const FieldCopy<Intern>& copy);

// A measurement's change also names the conversion the copy stores: the edit index files
// measurements by conversion name, and is brought up to date before the copy runs.
ReturnCode changeMeasurement(TModule_Intern& module, std::string_view name,
                             std::string_view conversion,
                             const FieldCopy<TMeasurement_Intern>& copy);

// Replaces the pairs of a COMPU_VTAB: `fill` gets as many fresh pairs (input 0, empty text)
// as the table uses and sets them; they replace the old ones when it returns. -112 no such
// table, -1 for an empty fill.
ReturnCode changeLargeVTab(TModule_Intern& module, std::string_view vtabName,
                           const std::function<void(std::vector<TCompuVTabPair_Intern>&)>& fill);

// Removes the first object of that name of one kind (ekMemorySegment, ekCharacteristic,
// ekMeasurement, ekFunction, ekCompuMethod, ekCompuTab, ekCompuVTab, ekAxisPts,
// ekRecordLayout) and frees it with everything it owns, after clearing the resolved
// references that lead to it. The kind's not-found code when there is none.
ReturnCode removeObject(TModule_Intern& module, ElementKind kind, std::string_view name);

}  // namespace ordex::edit
