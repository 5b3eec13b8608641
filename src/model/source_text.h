// The text a project was read from, kept so that it can be written back unchanged: the
// bytes of every file of the read, where each element of the model stood in them, and
// which elements were edited, created or removed since. A project made by edits alone, or
// read with the source left out, has none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/object_list.h"
#include "platform/large_buffer.h"

struct TProject_Intern;
struct TModule_Intern;
struct TFunctionRef;
struct TFunction_Intern;

namespace ordex {

// One file of a read, with every byte the reader saw (a byte-order mark included).
struct SourceFile {
  std::string path;           // as it was opened
  std::string includeName;    // the name behind "/include", quotes removed; empty for the top file
  int32_t parent = -1;        // the file that includes this one
  uint32_t includeBegin = 0;  // the "/include" keyword and its name in the parent's text
  uint32_t includeEnd = 0;
  platform::LargeBuffer buffer;
  size_t size = 0;

  std::string_view text() const {
    return std::string_view(reinterpret_cast<const char*>(buffer.data()), size);
  }
};

// The parts of a project that an edit can change, each written as one piece of text.
enum class SourcePart : uint8_t {
  kVersion,    // the ASAP2_VERSION keyword and its two numbers (record: the project)
  kProject,    // PROJECT block; its head is "/begin PROJECT name long-identifier"
  kHeader,     // HEADER block (record: the project)
  kModule,     // MODULE block; its head as for PROJECT
  kModPar,     // MOD_PAR block (record: the module)
  kModCommon,  // MOD_COMMON block (record: the module)
  kObject,     // one of the eight object kinds the writer writes
};

// (A read keeps one per block of an object kind: 24 bytes, made with SourceSpan{}.)
struct SourceSpan {
  static constexpr uint32_t kMaxFile = 0xFFFF;

  const void* record;  // the project, the module or the object record
  uint32_t begin;      // first byte of the block's "/begin" (of ASAP2_VERSION for kVersion)
  uint32_t endBegin;   // first byte of the closing "/end"
  uint32_t end;        // behind the keyword that follows "/end"
  uint16_t file;       // at most kMaxFile
  SourcePart part;
  bool crossFile : 1;  // the block ends in another file than the one it begins in
  bool freed : 1;      // the record was removed since the read: `record` must not be read
};
static_assert(sizeof(SourceSpan) <= 24, "a read keeps one span per object block");

struct SourcePartKey {
  const void* record;
  SourcePart part;
  friend bool operator==(const SourcePartKey& a, const SourcePartKey& b) {
    return a.record == b.record && a.part == b.part;
  }
};

struct SourcePartKeyHash {
  size_t operator()(const SourcePartKey& k) const {
    return std::hash<const void*>()(k.record) * 31 + static_cast<size_t>(k.part);
  }
};

// Writes one part in the writer's layout into out, as the text of the file holds it: a
// FUNCTION without the entries that FUNCTION_LIST blocks of other objects gave it, such an
// object with its FUNCTION_LIST.
using SourcePartRenderer = void (*)(const TProject_Intern& project, SourcePartKey key,
                                    std::string& out);

// Data another layer derives from the text on demand and keeps with it (the kept-block
// tree of the scope asked for last).
struct SourceDerived {
  virtual ~SourceDerived() = default;
};

class SourceText {
 public:
  // The entries a read appended to a function's lists from FUNCTION_LIST blocks of other
  // objects: they stand in those objects' text, not in the function's.
  struct FoldedTail {
    uint32_t defCharacteristics = 0;
    uint32_t inMeasurements = 0;
    uint32_t axisPts = 0;
  };

  // What an edit left of a part that was read.
  struct Edited {
    std::string before;  // the part in the writer's layout before its first edit
    bool removed = false;
    const void* owner = nullptr;              // an object's module, noted while the object lived
    std::vector<const TFunctionRef*> folded;  // a FUNCTION's entries from FUNCTION_LISTs
  };

  std::vector<std::unique_ptr<SourceFile>> files;  // [0] is the top file
  // In the order their blocks ended.
  std::vector<SourceSpan, platform::LargeAllocator<SourceSpan>> spans;
  // Behind the head of the PROJECT and MODULE blocks ("/begin", the keyword, the name and
  // the long identifier), by record.
  std::vector<std::pair<const void*, uint32_t>> headEnds;
  std::unordered_map<const TFunction_Intern*, FoldedTail> foldedTails;
  SourcePartRenderer renderer = nullptr;
  // A block of the read was never closed by its own keyword: nothing can be inserted into
  // the text behind it and be read where it was meant to go.
  bool blocksLeftOpen = false;

  // Edits since the read.
  std::unordered_map<SourcePartKey, Edited, SourcePartKeyHash> edited;
  std::vector<const ObjectHead*> created;  // objects made after the read, in creation order
  std::unordered_set<const ObjectHead*> createdSet;

  // The span of a part that was read, or null (a part made after the read, or one the read
  // placed nowhere, such as a block inside a block of a lower kind).
  const SourceSpan* spanOf(SourcePartKey key) const;
  // Behind the head of a PROJECT or MODULE span; the end of any other.
  uint32_t headEndOf(const SourceSpan& span) const;
  bool wasRead(SourcePartKey key) const { return spanOf(key) != nullptr; }
  // The record of a part that was read is about to be freed: its span stays, marked freed,
  // for the write to remove its lines, and is no longer found under the record's address,
  // which a record made later may take.
  void forget(SourcePartKey key);

  // The FUNCTION_LIST entries of a function, as they stand now.
  std::vector<const TFunctionRef*> foldedEntriesOf(const TFunction_Intern& function) const;
  // The functions whose lists hold an entry that the FUNCTION_LIST of `object` (a
  // characteristic, measurement or axis points object) gave them, in module order, once
  // for each such entry.
  std::vector<const TFunction_Intern*> foldedFunctionsOf(const ObjectHead& object) const;

  size_t bytesHeld() const;

  mutable std::unique_ptr<SourceDerived> derived;

 private:
  mutable std::unordered_map<SourcePartKey, uint32_t, SourcePartKeyHash> index_;
  mutable bool indexed_ = false;
};

// Called by every edit before it changes, creates or removes what a preserving write writes.
// Each is a no-op for a project without source text.
namespace source_edits {
// The first change of a read part keeps its text in the writer's layout.
void changing(TProject_Intern& project, SourcePartKey key);
void changingObject(TModule_Intern& module, const ObjectHead& object);
void created(TModule_Intern& module, const ObjectHead& object);
void removingObject(TModule_Intern& module, const ObjectHead& object);
void removingModule(TProject_Intern& project, const TModule_Intern& module);
// A function list entry is about to be freed. An entry that the FUNCTION_LIST of an object
// gave the function changes that object's text.
void removingFunctionEntry(TModule_Intern& module, const TFunction_Intern& function,
                           const TFunctionRef& entry);
}  // namespace source_edits

}  // namespace ordex
