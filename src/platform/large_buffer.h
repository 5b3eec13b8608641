// Large blocks of memory that are touched once and kept: the retained text of a read file.
// A block of 2 MiB or more is mapped anonymously and asked for transparent huge pages, so
// that filling it costs a few hundred page faults instead of one per 4 KiB page (on a
// virtual machine the first touch of a page is the dominant cost of reading a large file
// into fresh memory).
#pragma once

#include <cstddef>
#include <new>

namespace ordex::platform {

class LargeBuffer {
 public:
  LargeBuffer() = default;
  ~LargeBuffer() { release(); }
  LargeBuffer(const LargeBuffer&) = delete;
  LargeBuffer& operator=(const LargeBuffer&) = delete;
  LargeBuffer(LargeBuffer&& o) noexcept
      : data_(o.data_), capacity_(o.capacity_), mapped_(o.mapped_), pooled_(o.pooled_) {
    o.data_ = nullptr;
    o.capacity_ = 0;
    o.pooled_ = false;
  }
  LargeBuffer& operator=(LargeBuffer&& o) noexcept;

  // A block of at least size bytes whose content is undefined (a small block is not zeroed,
  // so that none of its pages is touched before it is used); throws std::bad_alloc. The old
  // content is discarded.
  void allocate(size_t size);
  // As allocate, from the process's shared huge page while it has room: the blocks of a small
  // read (its text or window and its model's chunks) then cost one page fault together
  // instead of one per 4 KiB. The page is mapped at its first use and kept for the life of
  // the process; its room comes back when no block is left in it. Without room there, with
  // `orHugePage`, the block is a whole huge page of its own at least.
  void allocateShared(size_t size, bool orHugePage = false);
  // Keeps the first used bytes in a block of at least size bytes, the rest undefined; throws
  // std::bad_alloc.
  void grow(size_t size, size_t used);
  void release();

  unsigned char* data() const { return data_; }
  size_t capacity() const { return capacity_; }

 private:
  unsigned char* data_ = nullptr;
  size_t capacity_ = 0;
  bool mapped_ = false;
  bool pooled_ = false;
};

// A read of a file this large touches enough fresh pages (its text and its model) that they
// cost more than the one fault of the shared huge page.
constexpr size_t kSharedPageWorthBytes = size_t{48} << 10;

// Reads up to this size have room for all their blocks in the shared huge page: their spans,
// reader and scratch blocks go there too.
constexpr size_t kSharedPageAllBytes = size_t{512} << 10;

// Memory for blocks of the size of a LargeBuffer, mapped as one (or, while a SharedPageScope
// says so, taken from the shared huge page while it has room): allocate and release sizes in
// bytes, aligned to 16; throws std::bad_alloc.
void* allocateLarge(size_t size);
void releaseLarge(void* p, size_t size) noexcept;

// While a scope that is on lives on a thread, allocateLarge takes the blocks it is asked for
// on that thread from the shared huge page, which a small read fills anyway.
class SharedPageScope {
 public:
  explicit SharedPageScope(bool on);
  ~SharedPageScope();
  SharedPageScope(const SharedPageScope&) = delete;
  SharedPageScope& operator=(const SharedPageScope&) = delete;

 private:
  bool before_;
};

// An allocator for standard containers that grow large once and stay (the block spans of
// a read): a block of 2 MiB or more is mapped and asked for huge pages as a LargeBuffer is,
// so that filling it costs a few page faults instead of one per 4 KiB, and a smaller one
// shares the huge page of a small read while a SharedPageScope is on.
template <class T>
struct LargeAllocator {
  using value_type = T;
  LargeAllocator() = default;
  template <class U>
  LargeAllocator(const LargeAllocator<U>&) noexcept {}  // NOLINT: rebinding converts
  T* allocate(size_t n) {
    if (n > size_t(-1) / sizeof(T)) throw std::bad_alloc();
    return static_cast<T*>(allocateLarge(n * sizeof(T)));
  }
  void deallocate(T* p, size_t n) noexcept { releaseLarge(p, n * sizeof(T)); }
  friend bool operator==(const LargeAllocator&, const LargeAllocator&) { return true; }
  friend bool operator!=(const LargeAllocator&, const LargeAllocator&) { return false; }
};

}  // namespace ordex::platform
