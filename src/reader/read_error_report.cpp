#include <cstdio>
#include <cstring>
#include <string>

#include "reader/file_reader.h"

namespace ordex {

namespace {
bool startsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

// A deeper path is current when it extends the one above it. An empty path extends
// nothing: otherwise a read stopped inside a MODULE, before any object block, would report
// the empty path of level 3 instead of the module.
bool extends(const std::string& deeper, const std::string& upper) {
  return !deeper.empty() && startsWith(deeper, upper);
}

// The deepest object path that extends the one above it.
const std::string& currentObjectPath(const TOrdex& inst) {
  const std::string* p = inst.ObjectPath;
  if (extends(p[3], p[2])) return p[3];
  if (extends(p[2], p[1])) return p[2];
  if (extends(p[1], p[0])) return p[1];
  return p[0];
}

// Appends pieces while never letting the text exceed `limit` characters.
class BoundedText {
 public:
  BoundedText(char* buffer, size_t limit) : buffer_(buffer), limit_(limit) {}
  void add(const std::string& piece) {
    size_t room = limit_ - used_;
    size_t n = piece.size() < room ? piece.size() : room;
    std::memcpy(buffer_ + used_, piece.data(), n);
    used_ += n;
  }

 private:
  char* buffer_;
  size_t limit_;
  size_t used_ = 0;
};
}  // namespace

void readErrorReport(const TOrdex& inst, char* buffer, int size) {
  if (size < 1) return;
  std::memset(buffer, 0, static_cast<size_t>(size));
  size_t limit = size >= 2 ? static_cast<size_t>(size) - 2 : 0;
  BoundedText text(buffer, limit);
  if (inst.LineNumber < 0) {
    // The success text is cut to the buffer, keeping its terminator.
    std::string ok = "No error detected";
    std::memcpy(
        buffer, ok.data(),
        ok.size() < static_cast<size_t>(size) - 1 ? ok.size() : static_cast<size_t>(size) - 1);
    return;
  }
  char line[64];
  std::snprintf(line, sizeof line,
                "Error detected (near to line %li): ", static_cast<long>(inst.LineNumber));
  text.add(line);
  text.add("Actually parsed object: ");
  text.add(currentObjectPath(inst));
  if (!inst.LastParsedObject.empty()) {
    text.add("; Last parsed object: ");
    text.add(inst.LastParsedObject);
  }
}

std::string readFailureObjectPath(const TOrdex& inst) {
  // A block outside its parent has a path without the parent's part.
  const std::string& path = currentObjectPath(inst);
  return startsWith(path, ", ") ? path.substr(2) : path;
}

}  // namespace ordex
