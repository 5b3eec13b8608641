// Writing the project of an instance as an A2L file.
#include "api/guarded.h"
#include "api/write_in_progress.h"
#include "writer/a2l_writer.h"

using ordex::api::guarded;

namespace {
thread_local const TOrdex* gInstanceBeingWritten = nullptr;

// Marks a write as running for as long as it runs, however it ends.
class WriteInProgress {
 public:
  explicit WriteInProgress(const TOrdex* inst) : outer_(gInstanceBeingWritten) {
    gInstanceBeingWritten = inst;
  }
  ~WriteInProgress() { gInstanceBeingWritten = outer_; }
  WriteInProgress(const WriteInProgress&) = delete;
  WriteInProgress& operator=(const WriteInProgress&) = delete;

 private:
  const TOrdex* outer_;
};
}  // namespace

const TOrdex* ordex::api::instanceBeingWritten() {
  return gInstanceBeingWritten;
}

ORDEX_EXPORT TOrdexReturnCode Ordex_WriteAsapFile_Intern(TOrdex* instance, const char* fileName,
                                                         const char* moduleName,
                                                         const char* modParTemplateFile,
                                                         const char* comment,
                                                         TOrdexElementCallback elementCallback,
                                                         TOrdexProgressCallback progressCallback) {
  if (!instance) return rcNoInstance;
  return guarded([&] {
    const TProject_Intern& project = ordex::api::projectOf(instance);
    const WriteInProgress running(instance);
    ordex::WriteOptions options;
    options.moduleName = moduleName;
    options.modParTemplateFile = modParTemplateFile;
    options.comment = comment;
    options.elementCallback = ordex::api::elementFilter(elementCallback);
    options.progressCallback = progressCallback;
    return ordex::writeProjectFile(project, fileName, options);
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_WriteAsapFile(TOrdex* instance, const char* fileName,
                                                  const char* moduleName,
                                                  const char* modParTemplateFile,
                                                  const char* comment,
                                                  TOrdexElementCallback elementCallback,
                                                  TOrdexProgressCallback progressCallback) {
  return Ordex_WriteAsapFile_Intern(instance, fileName, moduleName, modParTemplateFile, comment,
                                    elementCallback, progressCallback);
}
