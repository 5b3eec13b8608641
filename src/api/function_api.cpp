#include "api/guarded.h"
#include "model/copy_to_field.h"

using ordex::copyToField;
using ordex::api::guarded;
using ordex::api::required;

ORDEX_EXPORT TOrdexReturnCode Ordex_GetFunction(TOrdex* instance, const char* moduleName,
                                                TFunction* record, int existenceOnly) {
  return guarded([&] {
    const TModule_Intern& module = ordex::api::moduleOf(instance, moduleName);
    TFunction& r = required(record);
    const TFunction_Intern* f = module.Functions.find(ordex::fieldText(r.Name));
    if (!f) return rcFunctionNotFound;
    if (existenceOnly) return rcOk;
    copyToField(r.LongIdentifier, f->LongIdentifier);
    r.UserData = f->UserData;
    return rcOk;
  });
}
