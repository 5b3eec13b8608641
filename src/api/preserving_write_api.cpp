// The preserving write and the read options that keep what it needs.
#include <string>
#include <string_view>
#include <vector>

#include "api/guarded.h"
#include "model/object_records.h"
#include "reader/file_reader.h"
#include "writer/preserving_writer.h"

using ordex::api::guarded;

static_assert(ORDEX_PRESERVE_INLINE_INCLUDES == ordex::kPreserveInlineIncludes, "write flag");
static_assert(ORDEX_PRESERVE_REWRITE_EDITS == ordex::kPreserveRewriteEdits, "write flag");
static_assert(ORDEX_WROTE_CANONICALLY == ordex::kWroteCanonically, "write outcome");
static_assert(ORDEX_WROTE_REWRITTEN_PARTS == ordex::kWroteRewrittenParts, "write outcome");
static_assert(ORDEX_WROTE_INCLUDED_FILES == ordex::kWroteIncludedFiles, "write outcome");
static_assert(ORDEX_WROTE_INLINED_INCLUDES == ordex::kWroteInlinedIncludes, "write outcome");
static_assert(ORDEX_WROTE_DROPPED_TEXT == ordex::kWroteDroppedText, "write outcome");
static_assert(ORDEX_READ_WITHOUT_SOURCE == ordex::kReadWithoutSource, "read option");

namespace {
constexpr uint32_t kKnownWriteFlags = ORDEX_PRESERVE_INLINE_INCLUDES | ORDEX_PRESERVE_REWRITE_EDITS;

const ordex::ObjectHead* firstOfKind(const TModule_Intern& m, int32_t kind) {
  switch (kind) {
    case etCharacteristic:
      return m.Characteristics.first();
    case etMeasurement:
      return m.Measurements.first();
    case etFunction:
      return m.Functions.first();
    case etCompuMethod:
      return m.CompuMethods.first();
    case etCompuTab:
      return m.CompuTabs.first();
    case etCompuVTab:
      return m.CompuVTabs.first();
    case etAxisPts:
      return m.AxisPts.first();
    case etRecordLayout:
      return m.RecordLayouts.first();
    default:
      return nullptr;
  }
}

std::string partText(const TProject_Intern& project, ordex::SourcePartKey key) {
  std::string out;
  ordex::writeSourcePart(project, key, ordex::WriteOptions{},
                         ordex::kPartAllValues | ordex::kPartNoFunctionList, out);
  return out;
}

// Reads the text of one part in a project of its own, with the module's MOD_COMMON as it was
// read (its defaults shape what an object reads as), and compares the writer's text of what
// was read with that of the part in the model.
bool partReadsBack(const TProject_Intern& project, ordex::SourcePartKey key,
                   std::string_view text) {
  using ordex::SourcePart;
  const TModule_Intern* module = nullptr;
  if (key.part == SourcePart::kObject) {
    module = static_cast<const TModule_Intern*>(
        static_cast<const ordex::ObjectHead*>(key.record)->Owner);
  } else if (key.part != SourcePart::kVersion && key.part != SourcePart::kProject &&
             key.part != SourcePart::kHeader) {
    module = static_cast<const TModule_Intern*>(key.record);
  }
  std::string wrapped;
  switch (key.part) {
    case SourcePart::kVersion:
      return true;
    case SourcePart::kProject:
      wrapped.append(text).append("\n/end PROJECT\n");
      break;
    case SourcePart::kHeader:
      wrapped.append("/begin PROJECT P \"\"\n").append(text).append("\n/end PROJECT\n");
      break;
    case SourcePart::kModule:
      wrapped.append("/begin PROJECT P \"\"\n").append(text).append("\n/end MODULE /end PROJECT\n");
      break;
    default: {
      wrapped.append("/begin PROJECT P \"\"\n/begin MODULE M \"\"\n");
      if (key.part != SourcePart::kModCommon) {
        const ordex::SourceText& source = *project.Source;
        auto edit = source.edited.find({module, SourcePart::kModCommon});
        wrapped.append(edit != source.edited.end()
                           ? edit->second.before
                           : partText(project, {module, SourcePart::kModCommon}));
      }
      wrapped.append(text).append("\n/end MODULE\n/end PROJECT\n");
    }
  }
  TOrdex scratch;
  if (ordex::readAsapText(scratch, wrapped, nullptr) != ordex::ReturnCode::Ok || !scratch.Project)
    return false;
  const TProject_Intern& read = *scratch.Project;
  const TModule_Intern* readModule = read.Modules.first();
  ordex::SourcePartKey readKey{nullptr, key.part};
  switch (key.part) {
    case SourcePart::kProject:
    case SourcePart::kHeader:
      readKey.record = &read;
      break;
    case SourcePart::kObject:
      if (readModule) {
        readKey.record =
            firstOfKind(*readModule, static_cast<const ordex::ObjectHead*>(key.record)->Kind);
      }
      break;
    default:
      readKey.record = readModule;
      break;
  }
  return readKey.record && partText(read, readKey) == partText(project, key);
}
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
    options.elementCallback = ordex::api::elementFilter(elementCallback);
    options.progressCallback = progressCallback;
    uint32_t done = 0;
    const ordex::ReturnCode rc =
        ordex::writePreservingFile(project, fileName, options, flags, partReadsBack, done);
    if (outcome) *outcome = done;
    return rc;
  });
}
