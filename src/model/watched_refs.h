// References to records that are kept across calls (the remembered positions of the
// enumerators) and must be dropped when the record they point to goes away, so that no
// later call can reach a freed record through them.
#pragma once

namespace ordex {

namespace detail {
extern int gWatchedInUse;  // watched references holding a record
void releaseRecordSlow(const void* record);
}  // namespace detail

// A (list, record) pair. Instances must have static storage duration: they register
// themselves and stay in the watched set for the life of the process.
class WatchedRef {
 public:
  WatchedRef();
  WatchedRef(const WatchedRef&) = delete;
  WatchedRef& operator=(const WatchedRef&) = delete;

  const void* list() const { return list_; }
  const void* record() const { return record_; }
  void set(const void* list, const void* record) {
    if (!record_ && record) ++detail::gWatchedInUse;
    if (record_ && !record) --detail::gWatchedInUse;
    list_ = list;
    record_ = record;
  }
  void clear() { set(nullptr, nullptr); }

 private:
  const void* list_ = nullptr;
  const void* record_ = nullptr;
};

// Clears every watched reference to `record`; called for each record that is unlinked
// from its list or destroyed. Free while no reference holds a record.
inline void releaseRecord(const void* record) {
  if (detail::gWatchedInUse) detail::releaseRecordSlow(record);
}

}  // namespace ordex
