#include "model/text.h"

#include <algorithm>
#include <iterator>
#include <ostream>

namespace ordex {

namespace {
TextArena* gCurrentArena = nullptr;
constexpr size_t kFirstChunkSize = size_t{1} << 16;
constexpr size_t kLargestChunkSize = size_t{1} << 26;
constexpr size_t kSmallestChunkSize = size_t{1} << 14;
constexpr size_t kSmallFileBytes = size_t{1} << 18;

// The chunks of every arena, as [begin, end) sorted by begin: a record deleted one by one
// learns from them where it lives, so that no record carries a word saying so. Chunks of
// all arenas never overlap, and there are a few dozen per project.
struct ChunkRange {
  uintptr_t begin;
  uintptr_t end;
};
std::vector<ChunkRange>& chunkRanges() {
  static std::vector<ChunkRange>* ranges = new std::vector<ChunkRange>();  // never freed
  return *ranges;
}

bool beginsBefore(const ChunkRange& a, const ChunkRange& b) {
  return a.begin < b.begin;
}

void addChunkRange(const platform::LargeBuffer& chunk) {
  uintptr_t begin = reinterpret_cast<uintptr_t>(chunk.data());
  ChunkRange r{begin, begin + chunk.capacity()};
  std::vector<ChunkRange>& ranges = chunkRanges();
  ranges.insert(std::upper_bound(ranges.begin(), ranges.end(), r, beginsBefore), r);
}
}  // namespace

bool inTextArena(const void* p) {
  const std::vector<ChunkRange>& ranges = chunkRanges();
  uintptr_t at = reinterpret_cast<uintptr_t>(p);
  auto after = std::upper_bound(ranges.begin(), ranges.end(), ChunkRange{at, at}, beginsBefore);
  return after != ranges.begin() && at < std::prev(after)->end;
}

TextArena::~TextArena() {
  if (chunks_.empty()) return;
  std::vector<ChunkRange>& ranges = chunkRanges();
  for (const platform::LargeBuffer& chunk : chunks_) {
    uintptr_t begin = reinterpret_cast<uintptr_t>(chunk.data());
    auto it =
        std::lower_bound(ranges.begin(), ranges.end(), ChunkRange{begin, begin}, beginsBefore);
    if (it != ranges.end() && it->begin == begin) ranges.erase(it);
  }
}

void TextArena::expect(size_t fileBytes) {
  if (!chunks_.empty()) return;
  size_t first = kFirstChunkSize;
  if (fileBytes < kSmallFileBytes) {
    // The model of a small file takes about as many bytes as the file: one chunk holds it.
    first = kSmallestChunkSize;
    while (first < fileBytes) first *= 2;
  } else {
    while (first < kLargestChunkSize && first < fileBytes / 4) first *= 2;
  }
  nextChunkSize_ = first;
  sharedChunks_ = fileBytes >= platform::kSharedPageWorthBytes;
}

void TextArena::allocateChunk(platform::LargeBuffer& block, size_t size, bool chunk) const {
  if (sharedChunks_) {
    // A chunk that misses the shared page takes a huge page of its own, which costs one page
    // fault instead of one per 4 KiB of the chunk.
    block.allocateShared(size, chunk);
  } else {
    block.allocate(size);
  }
}

void* TextArena::allocateInNewChunk(size_t size) {
  if (nextChunkSize_ == 0) nextChunkSize_ = kFirstChunkSize;
  // Room in both lists first, so that a failure to grow them leaks no chunk.
  chunks_.reserve(chunks_.size() + 1);
  chunkRanges().reserve(chunkRanges().size() + 1);
  platform::LargeBuffer block;
  if (size > nextChunkSize_ / 4) {
    // A block of its own; the current chunk stays in use for the small ones.
    allocateChunk(block, size, false);
    addChunkRange(block);
    chunks_.push_back(std::move(block));
    used_ += size;
    return chunks_.back().data();
  }
  allocateChunk(block, nextChunkSize_, true);
  if (nextChunkSize_ < kLargestChunkSize) nextChunkSize_ *= 2;
  addChunkRange(block);
  chunks_.push_back(std::move(block));
  next_ = reinterpret_cast<char*>(chunks_.back().data());
  end_ = next_ + chunks_.back().capacity();
  void* p = next_;
  next_ += size;
  used_ += size;
  return p;
}

TextArena* currentTextArena() {
  return gCurrentArena;
}

ScopedTextArena::ScopedTextArena(TextArena* arena) : previous_(gCurrentArena) {
  gCurrentArena = arena;
}

ScopedTextArena::~ScopedTextArena() {
  gCurrentArena = previous_;
}

void Text::assign(std::string_view s) {
  uintptr_t old = p_;
  if (s.empty()) {
    p_ = 0;
  } else {
    size_t n = s.size() > UINT32_MAX ? UINT32_MAX : s.size();
    const size_t header = n < kLongLength ? 1 : 1 + sizeof(uint32_t);
    size_t bytes = header + n + 1;
    char* b;
    if (TextArena* arena = gCurrentArena) {
      b = static_cast<char*>(arena->allocate(bytes));
      p_ = reinterpret_cast<uintptr_t>(b);
    } else {
      b = static_cast<char*>(::operator new(bytes));
      p_ = reinterpret_cast<uintptr_t>(b) | kHeapOwned;
    }
    if (header == 1) {
      b[0] = static_cast<char>(n);
    } else {
      uint32_t len = static_cast<uint32_t>(n);
      b[0] = static_cast<char>(kLongLength);
      std::memcpy(b + 1, &len, sizeof len);
    }
    std::memcpy(b + header, s.data(), n);
    b[header + n] = '\0';
  }
  // Freed only now: s may have pointed into the old text.
  if (old & kHeapOwned) ::operator delete(reinterpret_cast<void*>(old & ~kHeapOwned));
}

std::ostream& operator<<(std::ostream& out, const Text& t) {
  return out << t.view();
}

std::string operator+(const std::string& a, const Text& b) {
  return a + std::string(b.view());
}
std::string operator+(const Text& a, const std::string& b) {
  return std::string(a.view()) + b;
}
std::string operator+(const char* a, const Text& b) {
  return a + std::string(b.view());
}

}  // namespace ordex
