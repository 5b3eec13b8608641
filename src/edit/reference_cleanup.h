// Resolved references that must not outlive the record they lead to.
//
// The reference finder and the conversion link records to each other (the Target of a
// FUNCTION's name-list entries, PublishingFunction, ParentFunction, ConversionTarget,
// CompuTabTarget), always within one module. Before a record is freed, every such link to
// it is set back to null, so that the next use resolves the name again instead of following
// a freed record.
#pragma once

#include "model/object_list.h"
#include "model/project.h"

namespace ordex::edit {

// Clears every link that leads to `record`, an object of `module`, through the module's
// edit index (made at the first removal): the cost follows the number of holders filed under
// the record's name, not the size of the module.
void dropReferencesTo(TModule_Intern& module, ObjectHead& record);

// Clears every link, in the modules other than `module`, that leads to an object of
// `module`: links are made within a module, but one that crossed modules must not dangle
// either. One pass over the other modules; links inside the module go with it.
void dropReferencesInto(TProject_Intern& project, const TModule_Intern& module);

}  // namespace ordex::edit
