// The severities and codes of the consistency check's findings. The values are those a host
// sees for them.
#pragma once

#include <cstdint>

namespace ordex {

// How much a finding weighs; a check asked for one severity reports it and those above.
enum FindingSeverity : int32_t {
  severityNote = 0,     // worth knowing, not a fault
  severityWarning = 1,  // probably a fault, or valid newer content the model does not keep
  severityError = 2,    // a fault: a tool that takes the file refuses or misreads it
};

// What a finding is about. The numbers are stable, as a host sees them: a new code gets a
// new number.
enum FindingCode : int32_t {
  findingDanglingReference = 1,     // a field names an object the module does not define
  findingMissingReference = 2,      // a reference that must be given is empty
  findingDuplicateName = 3,         // a second object of the same kind and name
  findingLimitsReversed = 4,        // a lower limit above its upper limit
  findingLimitOutsideDataType = 5,  // a limit the data type cannot hold
  findingCountZero = 6,             // a count of 0 or below where one is needed
  findingCountBeyondLayout = 7,     // MAX_AXIS_POINTS and the record layout disagree
  findingAddressNotSet = 8,         // the address 0xFFFFFFFF
  findingTablePairCount = 9,        // fewer value pairs than declared
  findingNotInFunction = 10,        // an object no FUNCTION list names
  findingNotReferenced = 11,        // a method, table or layout no object refers to
  findingAxisMissing = 12,          // fewer AXIS_DESCR blocks than the type has axes
  findingUnknownKeyword = 13,       // a block or keyword that is none of the standard
};

}  // namespace ordex
