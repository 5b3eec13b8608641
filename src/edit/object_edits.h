// Creating, changing and removing the project, modules and the objects of a module.
//
// Objects are found by name under the process-wide comparison mode, the first of a name in
// list order. Names are not checked for uniqueness and names an object refers to are not
// checked for existence. Results are return codes; std::bad_alloc passes through.
#pragma once

#include <string_view>

#include "model/instance.h"
#include "model/project.h"
#include "ordex.h"

namespace ordex::edit {

// -118 when the instance holds a project already.
TOrdexReturnCode createProject(TOrdex& instance, const TProject& record);
// -104 without project.
TOrdexReturnCode changeProject(TOrdex& instance, const TProject& record);
// Frees the project with everything in it. -104 without project.
TOrdexReturnCode removeProject(TOrdex& instance);

// -104 without project.
TOrdexReturnCode createModule(TOrdex& instance, const TModule& record);
// The module named by the record (an empty Name: the only module), which then takes the
// record's Name. -104 without project, -105 no such module.
TOrdexReturnCode changeModule(TOrdex& instance, const TModule& record);
// A null name selects the only module. -104 without project, -105 no such module.
TOrdexReturnCode removeModule(TOrdex& instance, const char* moduleName);

// Create appends a new object made from the record to its kind's list of the module.
// A COMPU_TAB record of more than 256 pairs is refused with -1.
TOrdexReturnCode create(TModule_Intern& module, const TMemorySegment& record);
TOrdexReturnCode create(TModule_Intern& module, const TCharacteristic& record);
TOrdexReturnCode create(TModule_Intern& module, const TCharacteristic2& record);
TOrdexReturnCode create(TModule_Intern& module, const TMeasurement& record);
TOrdexReturnCode create(TModule_Intern& module, const TFunction& record);
TOrdexReturnCode create(TModule_Intern& module, const TCompuMethod& record);
TOrdexReturnCode create(TModule_Intern& module, const TCompuMethod2& record);
TOrdexReturnCode create(TModule_Intern& module, const TCompuTab& record);
TOrdexReturnCode create(TModule_Intern& module, const TCompuVTab& record);
TOrdexReturnCode create(TModule_Intern& module, const TAxisPts& record);
TOrdexReturnCode create(TModule_Intern& module, const TRecordLayout& record);
TOrdexReturnCode create(TModule_Intern& module, const TRecordLayout2& record);

// Change applies the record to the object its Name selects and stores that Name (so the
// object takes the record's letter case); the kind's not-found code when there is none.
// A COMPU_TAB record of more than 256 pairs is refused with -1.
TOrdexReturnCode change(TModule_Intern& module, const TMemorySegment& record);
TOrdexReturnCode change(TModule_Intern& module, const TCharacteristic& record);
TOrdexReturnCode change(TModule_Intern& module, const TCharacteristic2& record);
TOrdexReturnCode change(TModule_Intern& module, const TMeasurement& record);
TOrdexReturnCode change(TModule_Intern& module, const TFunction& record);
TOrdexReturnCode change(TModule_Intern& module, const TCompuMethod& record);
TOrdexReturnCode change(TModule_Intern& module, const TCompuMethod2& record);
TOrdexReturnCode change(TModule_Intern& module, const TCompuTab& record);
TOrdexReturnCode change(TModule_Intern& module, const TCompuVTab& record);
TOrdexReturnCode change(TModule_Intern& module, const TAxisPts& record);
TOrdexReturnCode change(TModule_Intern& module, const TRecordLayout& record);
TOrdexReturnCode change(TModule_Intern& module, const TRecordLayout2& record);

// Replaces the pairs of a COMPU_VTAB by the first NumberValuePairs entries of `entries`,
// texts copied whole (a null text is taken as empty). -112 no such table.
TOrdexReturnCode changeLargeVTab(TModule_Intern& module, std::string_view vtabName,
                                 const TCompuVTabEntry* entries);

// Removes the first object of that name of one kind (etMemorySegment, etCharacteristic,
// etMeasurement, etFunction, etCompuMethod, etCompuTab, etCompuVTab, etAxisPts,
// etRecordLayout) and frees it with everything it owns, after clearing the resolved
// references that lead to it. The kind's not-found code when there is none.
TOrdexReturnCode removeObject(TModule_Intern& module, TOrdexElementType kind,
                              std::string_view name);

}  // namespace ordex::edit
