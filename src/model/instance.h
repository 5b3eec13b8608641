// The instance: what a host creates, reads into, queries and destroys.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/project.h"
#include "model/read_failure.h"

namespace ordex {
// A read keeps the text of its files for a preserving write unless told otherwise.
constexpr uint32_t kReadWithoutSource = 1;
// Called once when an instance is destroyed, before its project is released.
using InstanceDestructorCallback = void (*)();
}  // namespace ordex

struct TOrdex {
  TOrdex() = default;
  ~TOrdex();
  TOrdex(const TOrdex&) = delete;
  TOrdex& operator=(const TOrdex&) = delete;

  // Line reached by the last read; -1 after a read that succeeded (and before any read).
  int32_t LineNumber = -1;
  // Path of the object being read at nesting levels 0..3, for the error report.
  std::string ObjectPath[4];
  // Path of the last object whose /end was read.
  std::string LastParsedObject;
  // The place of the last read's failure; a code of 0 after a read that succeeded.
  ordex::ReadFailure Failure;
  // "/include" written in another letter case ("/INCLUDE"), which the reader does not
  // follow: how many the last read met, and the line of the first (0 when none).
  int32_t OtherCaseIncludes = 0;
  int32_t FirstOtherCaseIncludeLine = 0;

  std::unique_ptr<TProject_Intern> Project;
  // Set by Ordex_SetReadOptions: kReadWithoutSource.
  uint32_t ReadOptions = 0;
  ordex::InstanceDestructorCallback InstanceDestructorCallback = nullptr;
};
