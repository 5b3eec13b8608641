#include "platform/large_buffer.h"

#include <sys/mman.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <utility>

#if defined(__SANITIZE_ADDRESS__)
#define ORDEX_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORDEX_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef ORDEX_ADDRESS_SANITIZER
#define ORDEX_ADDRESS_SANITIZER 0
#endif

namespace ordex::platform {

namespace {
constexpr size_t kHugePage = size_t{2} << 20;
// Blocks of allocateLarge from this size up come from the shared page while a
// SharedPageScope is on and the page has room: smaller ones are the heap's business.
constexpr size_t kPooledBytes = size_t{4} << 10;
thread_local bool tSharePage = false;
}  // namespace

LargeBuffer& LargeBuffer::operator=(LargeBuffer&& o) noexcept {
  if (this != &o) {
    release();
    data_ = o.data_;
    capacity_ = o.capacity_;
    mapped_ = o.mapped_;
    pooled_ = o.pooled_;
    o.data_ = nullptr;
    o.capacity_ = 0;
    o.pooled_ = false;
  }
  return *this;
}

namespace {
size_t mappedLength(size_t size) {
  return (size + kHugePage - 1) & ~(kHugePage - 1);
}

void* mapHuge(size_t length) {
  void* p = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  madvise(p, length, MADV_HUGEPAGE);  // a hint: without huge pages the block still works
#endif
  return p;
}

// The shared huge page: blocks are taken from its front, and its room comes back when no
// block is left in it.
class SmallPool {
 public:
  // A block from the page, mapped at its first use; null when the page has no room or
  // cannot be had.
  static unsigned char* take(size_t size) {
#if ORDEX_ADDRESS_SANITIZER
    // The sanitizer sees reads of freed or fresh blocks only in blocks of its allocator.
    (void)size;
    return nullptr;
#else
    SmallPool& pool = instance();
    std::lock_guard<std::mutex> lock(pool.mutex_);
    size = (size + 63) & ~size_t{63};
    if (!pool.base_) {
      if (pool.failed_) return nullptr;
      pool.map();
      if (!pool.base_) return nullptr;
    }
    if (kHugePage - pool.used_ < size) return nullptr;
    unsigned char* p = pool.base_ + pool.used_;
    pool.used_ += size;
    ++pool.live_;
    return p;
#endif
  }
  static void give() {
    SmallPool& pool = instance();
    std::lock_guard<std::mutex> lock(pool.mutex_);
    if (--pool.live_ == 0) pool.used_ = 0;
  }
  // Gives the block back when it is one of the page's.
  static bool giveIfOwned(const void* p) {
    // A pool never made owns nothing (and making it here could throw).
    SmallPool* made = gMade.load(std::memory_order_acquire);
    if (!made) return false;
    SmallPool& pool = *made;
    std::lock_guard<std::mutex> lock(pool.mutex_);
    auto at = static_cast<const unsigned char*>(p);
    if (!pool.base_ || at < pool.base_ || at >= pool.base_ + kHugePage) return false;
    if (--pool.live_ == 0) pool.used_ = 0;
    return true;
  }

 private:
  static SmallPool& instance() {
    // Never freed: blocks may outlive statics.
    static SmallPool* pool = [] {
      auto* made = new SmallPool();
      gMade.store(made, std::memory_order_release);
      return made;
    }();
    return *pool;
  }
  static std::atomic<SmallPool*> gMade;
  // One huge page, aligned to its size so that the kernel can back it by one.
  void map() {
    size_t length = 2 * kHugePage;
    void* p = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) {
      failed_ = true;
      return;
    }
    // The parts before and behind the aligned page stay mapped and are never touched: they
    // cost address space only, and unmapping them would cost system calls.
    uintptr_t at = reinterpret_cast<uintptr_t>(p);
    uintptr_t aligned = (at + kHugePage - 1) & ~(kHugePage - 1);
#ifdef MADV_HUGEPAGE
    madvise(reinterpret_cast<void*>(aligned), kHugePage, MADV_HUGEPAGE);
#endif
    base_ = reinterpret_cast<unsigned char*>(aligned);
  }

  unsigned char* base_ = nullptr;
  size_t used_ = 0;
  size_t live_ = 0;
  bool failed_ = false;
  std::mutex mutex_;
};
std::atomic<SmallPool*> SmallPool::gMade{nullptr};
}  // namespace

void* allocateLarge(size_t size) {
  if (size >= kHugePage) return mapHuge(mappedLength(size));
  if (tSharePage && size >= kPooledBytes) {
    if (unsigned char* p = SmallPool::take(size)) return p;
  }
  return ::operator new(size);
}

void releaseLarge(void* p, size_t size) noexcept {
  if (!p) return;
  if (size >= kHugePage) {
    munmap(p, mappedLength(size));
  } else if (size < kPooledBytes || !SmallPool::giveIfOwned(p)) {
    ::operator delete(p);
  }
}

SharedPageScope::SharedPageScope(bool on) : before_(tSharePage) {
  tSharePage = on;
}
SharedPageScope::~SharedPageScope() {
  tSharePage = before_;
}

void LargeBuffer::allocateShared(size_t size, bool orHugePage) {
  if (size > 0 && size < kHugePage) {
    if (unsigned char* p = SmallPool::take(size)) {
      release();
      data_ = p;
      capacity_ = size;
      pooled_ = true;
      return;
    }
  }
  allocate(orHugePage && size < kHugePage ? kHugePage : size);
}

void LargeBuffer::allocate(size_t size) {
  release();
  if (size == 0) size = 1;
  if (size >= kHugePage) {
    size_t length = mappedLength(size);
    data_ = static_cast<unsigned char*>(mapHuge(length));
    capacity_ = length;
    mapped_ = true;
    return;
  }
  data_ = static_cast<unsigned char*>(std::malloc(size));
  if (!data_) throw std::bad_alloc();
  capacity_ = size;
  mapped_ = false;
}

void LargeBuffer::grow(size_t size, size_t used) {
  if (size <= capacity_) return;
  LargeBuffer bigger;
  bigger.allocate(size);
  if (used) std::memcpy(bigger.data_, data_, used);
  *this = std::move(bigger);
}

void LargeBuffer::release() {
  if (!data_) return;
  if (pooled_) {
    SmallPool::give();
    pooled_ = false;
  } else if (mapped_) {
    munmap(data_, capacity_);
  } else {
    std::free(data_);
  }
  data_ = nullptr;
  capacity_ = 0;
}

}  // namespace ordex::platform
