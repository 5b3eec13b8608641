#include "platform/large_buffer.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace ordex::platform {

namespace {
constexpr size_t kHugePage = size_t{2} << 20;
}  // namespace

LargeBuffer& LargeBuffer::operator=(LargeBuffer&& o) noexcept {
  if (this != &o) {
    release();
    data_ = o.data_;
    capacity_ = o.capacity_;
    mapped_ = o.mapped_;
    o.data_ = nullptr;
    o.capacity_ = 0;
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
}  // namespace

void* allocateLarge(size_t size) {
  if (size >= kHugePage) return mapHuge(mappedLength(size));
  return ::operator new(size);
}

void releaseLarge(void* p, size_t size) noexcept {
  if (!p) return;
  if (size >= kHugePage) {
    munmap(p, mappedLength(size));
  } else {
    ::operator delete(p);
  }
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
  if (mapped_) {
    munmap(data_, capacity_);
  } else {
    std::free(data_);
  }
  data_ = nullptr;
  capacity_ = 0;
}

}  // namespace ordex::platform
