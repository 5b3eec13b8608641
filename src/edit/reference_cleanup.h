// Resolved references that must not outlive the record they lead to.
//
// The reference finder and the conversion link records to each other (the Target of a
// FUNCTION's name-list entries, PublishingFunction, ParentFunction, ConversionTarget,
// CompuTabTarget). Before a record is freed, every such link to it is set back to null, so
// that the next use resolves the name again instead of following a freed record.
#pragma once

#include "model/object_list.h"
#include "model/project.h"

namespace ordex::edit {

// Clears every link that leads to `record`, an object of a module of `project`.
void dropReferencesTo(TProject_Intern& project, const ObjectHead& record);

// Clears every link, in the modules other than `module`, that leads to an object of
// `module` (links inside the module go with it).
void dropReferencesInto(TProject_Intern& project, const TModule_Intern& module);

}  // namespace ordex::edit
