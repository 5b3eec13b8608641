// What the last read met and did not take, beside its result.
#include "api/guarded.h"

ORDEX_EXPORT TOrdexReturnCode Ordex_GetReadAsapFileOtherCaseIncludes(TOrdex* instance,
                                                                     int32_t* count,
                                                                     int32_t* firstLine) {
  if (!instance) return rcNoInstance;
  if (!count || !firstLine) return rcNullArgument;
  *count = instance->OtherCaseIncludes;
  *firstLine = instance->FirstOtherCaseIncludeLine;
  return rcOk;
}
