#include "api/getter_support.h"

ORDEX_EXPORT TOrdexReturnCode Ordex_GetFunction(TOrdex* instance, const char* moduleName,
                                                TFunction* record, int existenceOnly) {
  return ordex::api::getObject(instance, moduleName, record, existenceOnly,
                               &TModule_Intern::Functions, rcFunctionNotFound,
                               [](const TFunction_Intern& f, TFunction& r) {
                                 ordex::copyToField(r.LongIdentifier, f.LongIdentifier);
                                 r.UserData = f.UserData;
                               });
}
