#include "tool_support.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include "arguments.h"
#include "progress_bar.h"
#include "return_code_names.h"

namespace ordex_tool {

namespace {

// An include in another letter case is passed over by the reader: its file is not read.
void warnOtherCaseIncludes(const char* path, TOrdex* inst) {
  int32_t count = 0;
  int32_t line = 0;
  if (Ordex_GetReadAsapFileOtherCaseIncludes(inst, &count, &line) != rcOk || count == 0) return;
  std::fprintf(stderr,
               "ordex: %s: warning: %d include%s in another letter case than \"/include\" not "
               "followed (the first near line %d)\n",
               path, static_cast<int>(count), count == 1 ? "" : "s", static_cast<int>(line));
}

// The instance of the file the command works on, for the module names of a failure.
TOrdex* g_current = nullptr;

std::vector<std::string> moduleNames(TOrdex* inst) {
  std::vector<std::string> names;
  char name[ORDEX_TEXT_SIZE] = "";
  while (Ordex_GetNextModuleName(inst, name, nullptr) == rcOk && *name) names.emplace_back(name);
  return names;
}

}  // namespace

LoadedFile::LoadedFile(const char* path) {
  if (Ordex_CreateInstance(&inst_) != rcOk) {
    rc_ = rcNoInstance;
    reportFailure("cannot create an instance", rc_);
    return;
  }
  TOrdexProgressCallback progress = progressFor("reading", path);
  auto start = std::chrono::steady_clock::now();
  rc_ = Ordex_ReadAsapFile(inst_, path, nullptr, progress);
  ms_ = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  progressDone();
  if (rc_ != rcOk) printReadError(path, inst_, rc_);
  warnOtherCaseIncludes(path, inst_);
  g_current = inst_;
}

LoadedFile::~LoadedFile() {
  if (g_current == inst_) g_current = nullptr;
  Ordex_DestroyInstance(inst_);
}

std::string moduleChoice(TOrdex* inst) {
  const std::vector<std::string> names = moduleNames(inst);
  if (names.empty()) return "the file holds no module";
  std::string text =
      names.size() == 1 ? "the file holds the module " : "the file holds the modules ";
  for (size_t i = 0; i < names.size(); ++i) text += (i ? ", " : "") + names[i];
  return text;
}

int reportFailure(const char* what, TOrdexReturnCode rc) {
  std::fprintf(stderr, "ordex: %s: %s (%d)\n", what, returnCodeName(rc), static_cast<int>(rc));
  if (rc == rcModuleNotFound && g_current) {
    std::fprintf(stderr, "ordex: %s; name one with --module NAME\n",
                 moduleChoice(g_current).c_str());
  }
  return kExitFailure;
}

namespace {
bool g_verbose = false;

// The line with a caret under the column; tabs before the column stay tabs so that the
// caret lines up however the terminal sets them.
void printSourceLine(const char* line, int column) {
  std::fprintf(stderr, " %s\n ", line);
  const size_t length = std::strlen(line);
  for (int i = 1; i < column; ++i) {
    const size_t at = static_cast<size_t>(i - 1);
    std::fputc(at < length && line[at] == '\t' ? '\t' : ' ', stderr);
  }
  std::fputs("^\n", stderr);
}
}  // namespace

void setVerbose(bool verbose) {
  g_verbose = verbose;
}

void printReadError(const char* path, TOrdex* inst, TOrdexReturnCode rc) {
  TReadFailure f;
  if (Ordex_GetReadFailure(inst, &f) != rcOk || f.ReturnCode != rc) {
    std::fprintf(stderr, "ordex: %s: %s (%d)\n", path, returnCodeName(rc), static_cast<int>(rc));
    return;
  }
  const char* file = *f.File ? f.File : path;
  if (f.Line > 0) {
    std::fprintf(stderr, "%s:%d:%d: error: ", file, f.Line, f.Column);
  } else {
    std::fprintf(stderr, "%s: error: ", file);
  }
  std::fprintf(stderr, "%s (%d)", returnCodeName(rc), static_cast<int>(rc));
  if (*f.Expected) std::fprintf(stderr, ": expected %s", f.Expected);
  if (f.Line > 0) {
    if (*f.Token) {
      const char* quote = *f.Token == '"' ? "" : "\"";
      std::fprintf(stderr, "%s got %s%s%s", *f.Expected ? "," : ":", quote, f.Token, quote);
    } else {
      std::fprintf(stderr, "%s got the end of the input", *f.Expected ? "," : ":");
    }
  } else if (rc == rcFileOpenFailed) {
    std::fprintf(stderr, ": the file cannot be opened");
  }
  if (*f.ObjectPath) std::fprintf(stderr, " in %s", f.ObjectPath);
  std::fputc('\n', stderr);
  const bool showLines = g_verbose || isatty(STDERR_FILENO);
  if (showLines && f.Line > 0) printSourceLine(f.SourceLine, f.Column);
  if (f.BlockLine > 0) {
    std::fprintf(stderr, "%s:%d:%d: note: the block left open begins here\n",
                 *f.BlockFile ? f.BlockFile : file, f.BlockLine, f.BlockColumn);
  }
}

int writeWithProgress(TOrdex* inst, const char* path, const char* module,
                      const char* modParTemplate, const char* comment, unsigned long sizeHint,
                      bool canonical) {
  if (module) {
    const std::vector<std::string> names = moduleNames(inst);
    if (std::find(names.begin(), names.end(), module) == names.end()) {
      std::fprintf(stderr, "ordex: module %s: %s (%d)\nordex: %s; %s not written\n", module,
                   returnCodeName(rcModuleNotFound), static_cast<int>(rcModuleNotFound),
                   moduleChoice(inst).c_str(), path);
      return kExitFailure;
    }
  }
  TOrdexProgressCallback progress = progressFor("writing", path, sizeHint ? sizeHint : 1);
  TOrdexReturnCode rc =
      canonical
          ? Ordex_WriteAsapFile(inst, path, module, modParTemplate, comment, nullptr, progress)
          : Ordex_WriteAsapFilePreserving(inst, path, module, modParTemplate, comment, nullptr,
                                          progress, 0, nullptr);
  progressDone();
  if (rc != rcOk) {
    std::string what = std::string("cannot write ") + path;
    return reportFailure(what.c_str(), rc);
  }
  return kExitOk;
}

int finishStandardOutput(int status) {
  errno = 0;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
  std::fprintf(stderr, "ordex: cannot write standard output: %s\n",
               errno ? std::strerror(errno) : "write error");
  return kExitFailure;
}

namespace {

using ListFn = TOrdexReturnCode (*)(TOrdex*, const char*, char*, int, const char*, const char*);

// Calls visit with every name of one list, fetched in pieces through the continue-after
// name.
template <class Visit>
TOrdexReturnCode eachListed(TOrdex* inst, const char* module, ListFn list, Visit visit) {
  std::vector<char> buf(1 << 16);
  std::string after;
  for (bool first = true;; first = false) {
    TOrdexReturnCode rc = list(inst, module, buf.data(), static_cast<int>(buf.size()),
                               first ? nullptr : after.c_str(), nullptr);
    if (rc != rcOk || !buf[0]) return rc;
    for (const char* n = buf.data(); *n; n += std::strlen(n) + 1) {
      visit(n);
      after = n;
    }
  }
}

}  // namespace

int reportUnreachableNames(TOrdex* inst, const char* path) {
  const struct {
    const char* keyword;
    ListFn list;
  } kinds[] = {
      {"MEMORY_SEGMENT", Ordex_GetMemorySegmentList},
      {"CHARACTERISTIC", Ordex_GetCharacteristicList},
      {"MEASUREMENT", Ordex_GetMeasurementList},
      {"FUNCTION", Ordex_GetFunctionList},
      {"COMPU_METHOD", Ordex_GetCompuMethodList},
      {"COMPU_TAB", Ordex_GetCompuTabList},
      {"COMPU_VTAB", Ordex_GetCompuVTabList},
      {"AXIS_PTS", Ordex_GetAxisPtsList},
      {"RECORD_LAYOUT", Ordex_GetRecordLayoutList},
  };
  constexpr size_t kLongest = ORDEX_TEXT_SIZE - 1;
  int found = 0;
  std::vector<std::string> modules;
  eachListed(
      inst, nullptr,
      [](TOrdex* i, const char*, char* b, int n, const char* a, const char* p) {
        return Ordex_GetModuleList(i, b, n, a, p);
      },
      [&](const char* name) { modules.emplace_back(name); });
  for (const std::string& module : modules) {
    for (const auto& kind : kinds) {
      eachListed(inst, module.c_str(), kind.list, [&](const char* name) {
        const size_t length = std::strlen(name);
        if (length <= kLongest) return;
        ++found;
        std::fprintf(stderr,
                     "ordex: %s: module %s: %s %.40s... has a name of %zu characters; getters "
                     "reach names of at most %zu\n",
                     path, module.c_str(), kind.keyword, name, length, kLongest);
      });
    }
  }
  return found;
}

}  // namespace ordex_tool
