// The VARIANT_CODING records: criteria with their values, characteristics that exist once
// per variant, and forbidden combinations of criterion values. They carry no kind and no
// caller value; the object head is used for the name and its lookup only.
#pragma once

#include "model/text.h"

#include <cstdint>
#include <string>

#include "model/object_list.h"
#include "model/sub_records.h"

// One text of a variant-coding name list (criterion values, criteria of a characteristic,
// variant addresses).
struct TVarName {
  TVarName* Next = nullptr;
  ordex::Text Text;
};

// One criterion/value pair of a forbidden combination.
struct TVarCombPair {
  TVarCombPair* Next = nullptr;
  ordex::Text Criterion;
  ordex::Text Value;
};

namespace ordex {
using VarNameList = EntryList<TVarName>;
using VarCombPairList = EntryList<TVarCombPair>;
}  // namespace ordex

// A VAR_CHARACTERISTIC: Name is the characteristic that has variants.
struct TVarCharacteristic_Intern : ordex::ObjectHead {
  ordex::VarNameList Criteria;   // the criteria it depends on
  ordex::VarNameList Addresses;  // VAR_ADDRESS entries as written, not converted
};

// A VAR_CRITERION: Name, LongIdentifier (quotes removed) and its values in file order.
struct TVarCriterion_Intern : ordex::ObjectHead {
  ordex::VarNameList Values;
  ordex::Text VarMeasurement;              // empty when not given
  ordex::Text VarSelectionCharacteristic;  // empty when not given
};

// A VAR_FORBIDDEN_COMB. Name is made by the reader: "#" and the number of the block among
// the VAR_FORBIDDEN_COMB blocks of one read, from 1.
struct TVarForbiddenComb_Intern : ordex::ObjectHead {
  ordex::VarCombPairList Pairs;
};
