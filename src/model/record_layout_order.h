// The elements of a record layout placed by their position in the stored record.
#pragma once

#include <cstdint>

#include "model/record_layout_record.h"

namespace ordex {

// Entries of the placed array: entry i stands for position i + 1.
constexpr int kSortedElementSlots = 40;

// One entry of the placed array: ElementKind 0 for RESERVED, the kind (1 to 30) of the
// element otherwise, -1 for a position without element.
struct PlacedLayoutElement {
  int32_t ElementKind;
  RecordLayoutElement Element;
};

// Fills slots[0 .. kSortedElementSlots): every ElementKind becomes -1 (the Element of such an
// entry is left as it was), then each RESERVED entry in stored order and each element of the
// kinds 1 to 30 in kind order takes the slot of its position, replacing whatever an earlier
// one put there. So RESERVED entries lose to any other kind and among kinds 1 to 30 the
// higher kind wins. Positions of 0 and below mean the element is absent; positions above
// the last slot have no entry and are skipped.
void placeRecordLayoutElements(const TRecordLayout_Intern& layout, PlacedLayoutElement* slots);

}  // namespace ordex
