#include "progress_bar.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace ordex_tool {

namespace {

// A C callback has no context argument: the bar being drawn lives here.
struct Bar {
  bool shown = false;
  int last = -1;
  std::string label;
};
Bar bar;

int draw(int percent) {
  if (percent < 0) percent = 0;
  if (percent > 100) percent = 100;
  if (percent == bar.last) return 0;
  bar.last = percent;
  constexpr int kWidth = 30;
  const int filled = percent * kWidth / 100;
  std::fprintf(stderr, "\r%s [%s%s] %3d%%", bar.label.c_str(), std::string(filled, '#').c_str(),
               std::string(kWidth - filled, '.').c_str(), percent);
  std::fflush(stderr);
  bar.shown = true;
  return 0;
}

}  // namespace

uint64_t fileSize(const char* path) {
  struct stat st;
  if (!path || stat(path, &st) != 0) return 0;
  return static_cast<uint64_t>(st.st_size);
}

TOrdexProgressCallback progressFor(const char* verb, const char* path, uint64_t sizeHint) {
  progressDone();
  const uint64_t size = sizeHint ? sizeHint : fileSize(path);
  if (size < kProgressMinBytes || !isatty(STDERR_FILENO)) return nullptr;
  const char* slash = path ? std::strrchr(path, '/') : nullptr;
  bar.label = std::string(verb) + " " + (slash ? slash + 1 : path ? path : "");
  bar.last = -1;
  return draw;
}

void progressDone() {
  if (bar.shown) {
    // Clear the line, so that what follows starts on a clean one.
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
  }
  bar = Bar{};
}

}  // namespace ordex_tool
