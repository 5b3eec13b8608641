#include "model/record_layout_order.h"

namespace ordex {

namespace {

void place(PlacedLayoutElement* slots, int32_t kind, const RecordLayoutElement& element) {
  if (element.Position <= 0 || element.Position > kSortedElementSlots) return;
  PlacedLayoutElement& slot = slots[element.Position - 1];
  slot.ElementKind = kind;
  slot.Element = element;
}

}  // namespace

void placeRecordLayoutElements(const TRecordLayout_Intern& layout, PlacedLayoutElement* slots) {
  for (int i = 0; i < kSortedElementSlots; ++i) slots[i].ElementKind = -1;
  for (const RecordLayoutElement& reserved : layout.Reserved) place(slots, rlReserved, reserved);
  for (int kind = rlFncValues; kind <= rlDistOpZ; ++kind) place(slots, kind, layout.element(kind));
}

}  // namespace ordex
