#include <cstring>
#include <utility>
#include <vector>

#include "api/guarded.h"
#include "api/public_values.h"
#include "api/write_in_progress.h"
#include "model/copy_to_field.h"
#include "query/reference_finder.h"
#include "reader/file_reader.h"
#include "writer/a2l_writer.h"

using ordex::api::guarded;

namespace {
// A part of the project in the writer's layout, kept when an edit first changes it.
void renderSourcePart(const TProject_Intern& project, ordex::SourcePartKey key, std::string& out) {
  ordex::writeSourcePart(project, key, ordex::WriteOptions{}, ordex::kPartAllValues, out);
}

// Folds the FUNCTION_LIST names into the functions' lists. With the source text kept, it
// notes how many entries each function got so, as those names stand in other objects' text.
void foldFunctionListsAfterRead(TOrdex& instance) {
  TProject_Intern* project = instance.Project.get();
  ordex::SourceText* source = project ? project->Source.get() : nullptr;
  std::vector<std::pair<const TFunction_Intern*, ordex::SourceText::FoldedTail>> before;
  if (source) {
    size_t functions = 0;
    for (const TModule_Intern* m : project->Modules) {
      if (!m->FunctionListsRead.empty()) functions += m->Functions.count();
    }
    before.reserve(functions);
    for (const TModule_Intern* m : project->Modules) {
      if (m->FunctionListsRead.empty()) continue;
      for (const TFunction_Intern* f : m->Functions) {
        before.push_back(
            {f, {f->DefCharacteristics.count(), f->InMeasurements.count(), f->AxisPts.count()}});
      }
    }
  }
  ordex::foldFunctionLists(instance);
  if (!source) return;
  source->renderer = &renderSourcePart;
  for (const auto& [f, count] : before) {
    ordex::SourceText::FoldedTail tail{f->DefCharacteristics.count() - count.defCharacteristics,
                                       f->InMeasurements.count() - count.inMeasurements,
                                       f->AxisPts.count() - count.axisPts};
    if (tail.defCharacteristics || tail.inMeasurements || tail.axisPts)
      source->foldedTails[f] = tail;
  }
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

namespace {

// The public record of the last read's failure: all zero after a read that succeeded.
void readFailureRecord(const TOrdex& instance, TReadFailure& record) {
  std::memset(&record, 0, sizeof record);
  const ordex::ReadFailure& f = instance.Failure;
  if (f.returnCode == ordex::ReturnCode::Ok) return;
  record.ReturnCode = ordex::api::toPublic(f.returnCode);
  record.Line = f.line;
  record.Column = f.column;
  record.BlockLine = f.blockLine;
  record.BlockColumn = f.blockColumn;
  ordex::copyToField(record.File, f.file, sizeof record.File);
  ordex::copyToField(record.Token, f.token, sizeof record.Token);
  ordex::copyToField(record.Expected, f.expected, sizeof record.Expected);
  ordex::copyToField(record.ObjectPath, ordex::readFailureObjectPath(instance),
                     sizeof record.ObjectPath);
  ordex::copyToField(record.BlockFile, f.blockFile, sizeof record.BlockFile);
  ordex::copyToField(record.SourceLine, f.sourceLine, sizeof record.SourceLine);
}

}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_GetReadFailure(TOrdex* instance, TReadFailure* failure) {
  if (!instance) return rcNoInstance;
  if (!failure) return rcNullArgument;
  return guarded([&] {
    readFailureRecord(*instance, *failure);
    return rcOk;
  });
}

ORDEX_EXPORT TOrdexReturnCode Ordex_GetAsapFilePreInfo(const char* fileName, int* version,
                                                       int* upgrade, char* headComment) {
  if (!version || !upgrade || !headComment) return rcNullArgument;
  return guarded([&] {
    ordex::FileHeadInfo info;
    ordex::ReturnCode rc = ordex::scanFileHead(fileName, info);
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
