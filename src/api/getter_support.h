// What the getters share: argument checks, the named-object lookup and the frame of a getter
// that fills a public record from the module object its Name names.
#pragma once

#include "api/guarded.h"
#include "model/copy_to_field.h"
#include "model/project.h"

namespace ordex::api {

// The first object of `list` named `name` (comparison mode); throws -205 for a null name and
// notFound when there is none.
template <class Object>
const Object& namedObject(const ObjectList<Object>& list, const char* name,
                          TOrdexReturnCode notFound) {
  const Object* o = list.find(nonNull(name));
  if (!o) throw notFound;
  return *o;
}

// The module (-104 / -105), the record (-205), then the first object of the module's list
// named by the record's Name (notFound). With existenceOnly that is all; else copy(object,
// record) fills every field but Name.
template <class Record, class Object, class Copy>
TOrdexReturnCode getObject(TOrdex* instance, const char* moduleName, Record* record,
                           int existenceOnly, const ObjectList<Object> TModule_Intern::*list,
                           TOrdexReturnCode notFound, Copy copy) {
  return guarded([&] {
    const TModule_Intern& module = moduleOf(instance, moduleName);
    Record& r = required(record);
    const Object* o = (module.*list).find(fieldText(r.Name));
    if (!o) return notFound;
    if (existenceOnly) return rcOk;
    copy(*o, r);
    return rcOk;
  });
}

}  // namespace ordex::api
