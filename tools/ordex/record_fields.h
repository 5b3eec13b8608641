// The library's descriptions of the public records (Ordex_GetRecordField), for walking a
// record's fields without naming them, and the keyword table of a coded field.
#pragma once

#include <cstdint>
#include <vector>

#include "keyword_names.h"
#include "ordex.h"

namespace ordex_tool {

// Every field of the record type, in member order.
const std::vector<TRecordField>& recordFields(int32_t recordType);

// The keywords show prints for a TOrdexKeywordList; an empty table for klNone.
const KeywordTable& keywordTable(int32_t list);

// The field's value inside a record.
template <class T>
const T& fieldAt(const void* record, const TRecordField& f) {
  return *reinterpret_cast<const T*>(static_cast<const unsigned char*>(record) + f.Offset);
}

}  // namespace ordex_tool
