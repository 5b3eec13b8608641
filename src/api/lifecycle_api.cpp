#include "api/guarded.h"
#include "api/public_values.h"
#include "api/write_in_progress.h"
#include "model/name_compare.h"
#include "platform/file_access_module.h"
#include "reader/file_reader.h"

using ordex::api::guarded;
using ordex::api::toPublic;

namespace {
// The instances whose destructor callbacks are running on this thread, innermost first: a
// callback that destroys its own instance again would free it twice (and, calling itself,
// recurse until the stack ends).
struct Destroying {
  const TOrdex* instance;
  const Destroying* outer;
};
thread_local const Destroying* gDestroying = nullptr;

bool beingDestroyed(const TOrdex* instance) {
  for (const Destroying* d = gDestroying; d; d = d->outer) {
    if (d->instance == instance) return true;
  }
  return false;
}
}  // namespace

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
  // Nor from its own destructor callback: the destruction already under way frees it.
  if (beingDestroyed(instance)) return rcInvalidArgument;
  // Nor from a callback of a write of this instance, which still walks its project.
  if (instance == ordex::api::instanceBeingWritten()) return rcInvalidArgument;
  const Destroying frame{instance, gDestroying};
  gDestroying = &frame;
  delete instance;
  gDestroying = frame.outer;
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
  return guarded([&] { return toPublic(ordex::platform::setFileAccessModule(mode, fileName)); });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_SetFileAccessDll_Intern(int mode, const char* fileName) {
  return Ordex_SetFileAccessDll(mode, fileName);
}
