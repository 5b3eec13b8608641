#include "api/guarded.h"
#include "api/write_in_progress.h"
#include "model/copy_to_field.h"
#include "query/reference_finder.h"
#include "reader/file_reader.h"

using ordex::api::guarded;

namespace {
void foldFunctionListsAfterRead(TOrdex& instance) {
  ordex::foldFunctionLists(instance);
}
}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_ReadAsapFile(TOrdex* instance, const char* fileName,
                                                 const char* /*unused*/,
                                                 TOrdexProgressCallback progress) {
  if (!instance) return rcNoInstance;
  // A read from a callback of a write of this instance would replace the project it writes.
  if (instance == ordex::api::instanceBeingWritten()) return rcInvalidArgument;
  return guarded([&] {
    return ordex::readAsapFile(*instance, fileName, progress, foldFunctionListsAfterRead);
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_ReadAsapFile_Intern(TOrdex* instance, const char* fileName,
                                                        const char* unused,
                                                        TOrdexProgressCallback progress) {
  return Ordex_ReadAsapFile(instance, fileName, unused, progress);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetReadAsapFileError(TOrdex* instance, char* buffer, int size) {
  if (!instance) return rcNoInstance;
  if (size >= 1 && !buffer) return rcNullArgument;
  return guarded([&] {
    ordex::readErrorReport(*instance, buffer, size);
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetReadAsapFileError_Intern(TOrdex* instance, char* buffer,
                                                                int size) {
  return Ordex_GetReadAsapFileError(instance, buffer, size);
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAsapFilePreInfo(const char* fileName, int* version,
                                                       int* upgrade, char* headComment) {
  if (!version || !upgrade || !headComment) return rcNullArgument;
  return guarded([&] {
    ordex::FileHeadInfo info;
    TOrdexReturnCode rc = ordex::scanFileHead(fileName, info);
    *version = info.version;
    *upgrade = info.upgrade;
    ordex::copyToField(headComment, info.headComment);
    return rc;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAsapFilePreInfo_Intern(const char* fileName, int* version,
                                                              int* upgrade, char* headComment) {
  return Ordex_GetAsapFilePreInfo(fileName, version, upgrade, headComment);
}
