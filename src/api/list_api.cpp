#include "api/guarded.h"
#include "query/name_lists.h"

using ordex::api::guarded;

ORDEX_EXPORT TOrdexReturnCode Ordex_GetModuleList(TOrdex* instance, char* buffer, int size,
                                                  const char* after, const char* pattern) {
  return guarded([&] {
    const TProject_Intern& p = ordex::api::projectOf(instance);
    if (!buffer) return rcNullArgument;
    if (size < 1) return rcBadSize;
    ordex::listNames(p.Modules, buffer, size, after, pattern);
    return rcOk;
  });
}
