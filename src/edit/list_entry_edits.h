// Adding entries to the lists an object owns and removing them: the names of a FUNCTION's
// reference lists, the module's system constants, IF_DATA entries and annotations.
//
// The owner is found by name under the process-wide comparison mode (the first of a name),
// and so is the entry to remove. Entries are appended at the end, unresolved and unchecked:
// a name that no object bears, or that the list holds already, is appended all the same.
#pragma once

#include <string_view>

#include "model/element_kind.h"
#include "model/project.h"
#include "platform/return_code.h"

namespace ordex::edit {

// The seven name lists of a FUNCTION.
enum class FunctionList {
  DefCharacteristic,
  RefCharacteristic,
  InMeasurement,
  OutMeasurement,
  LocMeasurement,
  SubFunction,
  AxisPts,
};

// -109 no such function. Removing: -115 when the list holds no entry of that name.
ReturnCode addToFunctionList(TModule_Intern& module, std::string_view function, FunctionList list,
                             std::string_view name);
ReturnCode removeFromFunctionList(TModule_Intern& module, std::string_view function,
                                  FunctionList list, std::string_view name);

// A constant of an existing name is appended a second time. Removing: -116 no such constant.
ReturnCode addSystemConstant(TModule_Intern& module, std::string_view name, std::string_view value);
ReturnCode removeSystemConstant(TModule_Intern& module, std::string_view name);

// IF_DATA entries of a memory segment, characteristic, measurement or axis points object
// (ownerKind ekMemorySegment, ekCharacteristic, ekMeasurement, ekAxisPts); the owner's
// not-found code when it is missing. Removing: -117 when the owner holds no entry of that
// name (an entry's name is the first word of its block).
ReturnCode addIfData(TModule_Intern& module, ElementKind ownerKind, std::string_view owner,
                     std::string_view name, std::string_view content);
ReturnCode removeIfData(TModule_Intern& module, ElementKind ownerKind, std::string_view owner,
                        std::string_view name);

// Annotations of a characteristic or measurement (ownerKind ekCharacteristic or
// ekMeasurement). The module's MaxAnnotationTextSize is left as it is.
ReturnCode addAnnotation(TModule_Intern& module, ElementKind ownerKind, std::string_view owner,
                         std::string_view label, std::string_view origin, std::string_view text);

}  // namespace ordex::edit
