// The first steps every object block parser takes: the record made at the block's keyword
// and its name read from the first argument. Inline, as they run once per object.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "model/project.h"
#include "reader/parse_context.h"

namespace ordex {

// The record of a new object, owned by the module being read; the caller sets its defaults
// and appends it to its list.
template <class Record>
std::unique_ptr<Record> newObject(ParseContext& ctx) {
  auto record = std::make_unique<Record>();
  record->Owner = ctx.currentModule;
  return record;
}

// The current token as the record's name: set through its list, so that the name indexes
// stay true, and appended to the error-report path at level (2 for an object block, 3 for
// an object inside another block).
template <class Record>
void readObjectName(ParseContext& ctx, ObjectList<Record>& list, Record* record, int level = 2) {
  std::string_view name = ctx.tok(0).view();
  list.rename(record, name);
  ctx.objectPath()[level].append(" ").append(name);
}

}  // namespace ordex
