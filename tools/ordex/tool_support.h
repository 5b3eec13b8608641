#pragma once

#include <string>

#include "ordex.h"

namespace ordex_tool {

// An instance holding a read file; a failed read is reported on stderr. A progress bar is
// shown while a large file is read (see progress_bar.h).
class LoadedFile {
 public:
  explicit LoadedFile(const char* path);
  ~LoadedFile();
  LoadedFile(const LoadedFile&) = delete;
  LoadedFile& operator=(const LoadedFile&) = delete;
  bool ok() const { return rc_ == rcOk; }
  TOrdexReturnCode result() const { return rc_; }
  TOrdex* instance() const { return inst_; }
  double readMilliseconds() const { return ms_; }

 private:
  TOrdex* inst_ = nullptr;
  TOrdexReturnCode rc_ = rcOk;
  double ms_ = 0;
};

// Prints "ordex: WHAT: rcName (code)" on stderr and returns kExitFailure. For
// rcModuleNotFound it adds the modules of the file being worked on, so that the user can
// choose one.
int reportFailure(const char* what, TOrdexReturnCode rc);

// "the file holds the modules A, B" (or "the file holds no module") for the instance.
std::string moduleChoice(TOrdex* inst);

// Prints a failed read as "FILE:LINE:COLUMN: error: rcName (code): expected ..., got
// "TOKEN" in OBJECT" (the file is the include being read), followed by the line with a
// caret under the token when standard error is a terminal or setVerbose(true) was called,
// and for a block left open a note with the place where it began.
void printReadError(const char* path, TOrdex* inst, TOrdexReturnCode rc);
// Whether printReadError shows the source line also when standard error is no terminal.
void setVerbose(bool verbose);

// Writes the instance's project with a progress bar when the model is large (sizeHint: the
// bytes of the file it was read from), keeping the text it was read from unless canonical
// is set. A module that names no module of the project (compared exactly, as the writer
// does) is refused before anything is written. Reports a failure and returns kExitFailure.
int writeWithProgress(TOrdex* inst, const char* path, const char* module,
                      const char* modParTemplate, const char* comment, unsigned long sizeHint,
                      bool canonical);

// Hands what the command printed to standard output and checks that all of it got there (a
// full disk, a closed pipe): on failure says so on stderr and returns kExitFailure,
// otherwise status.
int finishStandardOutput(int status);

// Prints on stderr every object name of the instance longer than the getters' name field
// holds (ORDEX_TEXT_SIZE - 1 characters): such a name is listed but no getter reaches it.
// Returns how many it found.
int reportUnreachableNames(TOrdex* inst, const char* path);

}  // namespace ordex_tool
