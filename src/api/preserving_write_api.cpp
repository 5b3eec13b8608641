// The preserving write and the read options that keep what it needs.
#include <vector>

#include "api/guarded.h"
#include "writer/preserving_writer.h"

using ordex::api::guarded;

static_assert(ORDEX_PRESERVE_INLINE_INCLUDES == ordex::kPreserveInlineIncludes, "write flag");
static_assert(ORDEX_PRESERVE_REWRITE_EDITS == ordex::kPreserveRewriteEdits, "write flag");
static_assert(ORDEX_WROTE_CANONICALLY == ordex::kWroteCanonically, "write outcome");
static_assert(ORDEX_WROTE_REWRITTEN_PARTS == ordex::kWroteRewrittenParts, "write outcome");
static_assert(ORDEX_WROTE_INCLUDED_FILES == ordex::kWroteIncludedFiles, "write outcome");
static_assert(ORDEX_WROTE_INLINED_INCLUDES == ordex::kWroteInlinedIncludes, "write outcome");
static_assert(ORDEX_READ_WITHOUT_SOURCE == ordex::kReadWithoutSource, "read option");

namespace {
constexpr uint32_t kKnownWriteFlags = ORDEX_PRESERVE_INLINE_INCLUDES | ORDEX_PRESERVE_REWRITE_EDITS;
}  // namespace

ORDEX_EXPORT TOrdexReturnCode Ordex_SetReadOptions(TOrdex* instance, uint32_t options) {
  if (!instance) return rcNoInstance;
  if (options & ~uint32_t{ORDEX_READ_WITHOUT_SOURCE}) return rcInvalidArgument;
  instance->ReadOptions = options;
  return rcOk;
}

ORDEX_EXPORT TOrdexReturnCode Ordex_WriteAsapFilePreserving(
    TOrdex* instance, const char* fileName, const char* moduleName, const char* modParTemplateFile,
    const char* comment, TOrdexElementCallback elementCallback,
    TOrdexProgressCallback progressCallback, uint32_t flags, uint32_t* outcome) {
  if (outcome) *outcome = 0;
  if (!instance) return rcNoInstance;
  if (flags & ~kKnownWriteFlags) return rcInvalidArgument;
  return guarded([&] {
    const TProject_Intern& project = ordex::api::projectOf(instance);
    ordex::WriteOptions options;
    options.moduleName = moduleName;
    options.modParTemplateFile = modParTemplateFile;
    options.comment = comment;
    options.elementCallback = elementCallback;
    options.progressCallback = progressCallback;
    uint32_t done = 0;
    TOrdexReturnCode rc = ordex::writePreservingFile(project, fileName, options, flags, done);
    if (outcome) *outcome = done;
    return rc;
  });
}
