// The frame of every exported function: no exception leaves the library.
#pragma once

#include <new>

#include "api/public_values.h"
#include "model/instance.h"
#include "model/project.h"
#include "ordex.h"
#include "platform/return_code.h"

#define ORDEX_EXPORT extern "C" ORDEX_API

namespace ordex::api {

// Runs body and turns what it returns or throws into a public return code.
template <class Body>
TOrdexReturnCode guarded(Body&& body) noexcept {
  try {
    return toPublic(body());
  } catch (TOrdexReturnCode rc) {
    return rc;
  } catch (ReturnCode rc) {
    return toPublic(rc);
  } catch (const std::bad_alloc&) {
    return rcOutOfMemory;
  } catch (...) {
    return rcInvalidArgument;
  }
}

// The module an operation on module content works on; throws -104 / -105.
inline TModule_Intern& moduleOf(TOrdex* instance, const char* moduleName) {
  if (!instance) throw rcNoInstance;
  TModule_Intern* m = findModule(instance->Project.get(), moduleName);
  if (!m) throw rcModuleNotFound;
  return *m;
}

// The instance's project; throws -103 / -104.
inline TProject_Intern& projectOf(TOrdex* instance) {
  if (!instance) throw rcNoInstance;
  if (!instance->Project) throw rcNoProject;
  return *instance->Project;
}

template <class T>
inline T& required(T* p) {
  if (!p) throw rcNullArgument;
  return *p;
}

// The same check where the pointer itself is passed on.
template <class T>
inline T* nonNull(T* p) {
  return &required(p);
}

}  // namespace ordex::api
