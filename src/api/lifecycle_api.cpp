#include "api/guarded.h"
#include "model/name_compare.h"
#include "platform/file_access_module.h"
#include "reader/file_reader.h"

using ordex::api::guarded;

ORDEX_EXPORT TOrdexReturnCode Ordex_CreateInstance(TOrdex** instance) {
  if (!instance) return rcNullArgument;
  *instance = new (std::nothrow) TOrdex();
  return *instance ? rcOk : rcNoInstance;
}

ORDEX_EXPORT TOrdexReturnCode Ordex_CreateInstance_Intern(TOrdex** instance) {
  return Ordex_CreateInstance(instance);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_DestroyInstance(TOrdex* instance) {
  if (!instance) return rcNoInstance;
  // Not from the progress callback of a read into this very instance.
  if (instance == ordex::instanceBeingRead()) return rcInvalidArgument;
  delete instance;
  return rcOk;
}

ORDEX_EXPORT TOrdexReturnCode Ordex_DestroyInstance_Intern(TOrdex* instance) {
  return Ordex_DestroyInstance(instance);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_RegisterInstanceDestructorCbFunc(
    TOrdex* instance, TOrdexInstanceDestructorCallback callback) {
  if (!instance) return rcNoInstance;
  instance->InstanceDestructorCallback = callback;
  return rcOk;
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GarbageCollection(void) {
  return rcOk;
}

ORDEX_EXPORT void Ordex_ConfigureStringComparison(int mode) {
  ordex::setCaseInsensitiveNames(mode != 0);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_SetFileAccessDll(int mode, const char* fileName) {
  // A running read holds files open through the module in use.
  if (ordex::instanceBeingRead()) return rcInvalidArgument;
  return guarded([&] { return ordex::platform::setFileAccessModule(mode, fileName); });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_SetFileAccessDll_Intern(int mode, const char* fileName) {
  return Ordex_SetFileAccessDll(mode, fileName);
}
