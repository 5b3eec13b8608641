// The elements of a record layout by position.
#include "api/guarded.h"
#include "model/record_layout_order.h"

using ordex::api::guarded;

ORDEX_EXPORT TOrdexReturnCode Ordex_GetRecordLayoutElementArraySorted_Intern(
    TRecordLayout_Intern* recordLayout, TRecordLayoutElementExt* elements) {
  if (!recordLayout || !elements) return rcNullArgument;
  ordex::PlacedLayoutElement placed[ordex::kSortedElementSlots];
  ordex::placeRecordLayoutElements(*recordLayout, placed);
  // A position without element keeps the Element the caller had there.
  for (int i = 0; i < ordex::kSortedElementSlots; ++i) {
    elements[i].ElementKind = placed[i].ElementKind;
    if (placed[i].ElementKind != -1) elements[i].Element = placed[i].Element;
  }
  return rcOk;
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetRecordLayoutElementArraySorted(
    TOrdex* instance, const char* moduleName, const char* recordLayoutName,
    TRecordLayoutElementExt* elements) {
  return guarded([&] {
    const TModule_Intern& module = ordex::api::moduleOf(instance, moduleName);
    if (!recordLayoutName || !elements) return rcNullArgument;
    TRecordLayout_Intern* layout = module.RecordLayouts.find(recordLayoutName);
    if (!layout) return rcRecordLayoutNotFound;
    return Ordex_GetRecordLayoutElementArraySorted_Intern(layout, elements);
  });
}
