#include "model/watched_refs.h"

#include <vector>

namespace ordex {

namespace detail {
int gWatchedInUse = 0;
}  // namespace detail

namespace {
std::vector<WatchedRef*>& watched() {
  static std::vector<WatchedRef*> refs;
  return refs;
}
}  // namespace

WatchedRef::WatchedRef() {
  watched().push_back(this);
}

void detail::releaseRecordSlow(const void* record) {
  for (WatchedRef* ref : watched()) {
    if (ref->record() == record) ref->clear();
  }
}

}  // namespace ordex
