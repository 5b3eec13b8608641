// Writing a project back as A2L text.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "model/callbacks.h"
#include "model/project.h"
#include "model/source_text.h"
#include "platform/return_code.h"
#include "writer/text_output.h"

namespace ordex {

struct WriteOptions {
  // Null: every module; otherwise only the modules of exactly this name (byte by byte,
  // whatever the comparison mode says).
  const char* moduleName = nullptr;
  // Null: MOD_PAR is written from the module record; otherwise the path of a text that
  // replaces the MOD_PAR block, with "<MEMORY_SEGMENTs>" and "<SYSTEM_CONSTANTs>" marking
  // where the memory segments and system constants go.
  const char* modParTemplateFile = nullptr;
  // The text of the comment line behind the version line; null writes an empty comment.
  const char* comment = nullptr;
  // Asked before every object and every resolved FUNCTION list entry; 0 leaves it out.
  ElementFilter elementCallback;
  // Told the percentage of objects reached whenever it grows; non-zero ends the module.
  ProgressCallback progressCallback = nullptr;
};

// Writes the project to out. Returns 0, or -4 when the MOD_PAR template cannot be opened
// (what was written up to that module's head stays in out).
ReturnCode writeProject(const TProject_Intern& project, const WriteOptions& options,
                        TextOutput& out);

// One part of a project in the layout writeProject gives it, as text: the version line
// ("ASAP2_VERSION major minor" from the project's numbers), the head of the PROJECT or
// MODULE block ("/begin" with the name and long identifier), the HEADER, MOD_PAR or
// MOD_COMMON block, or one object. Where the project keeps its source text, the part is
// written as that text holds it: a FUNCTION without the list entries that FUNCTION_LIST
// blocks of other objects gave it, such an object with a FUNCTION_LIST block naming those
// functions. options give the element callback for the FUNCTION lists (the object's own
// admission is the caller's).
enum SourcePartFlags : unsigned {
  // An object's coded values are written also where they equal the module's defaults
  // (BYTE_ORDER, DEPOSIT), which writeProject leaves out.
  kPartAllValues = 1,
  // No FUNCTION_LIST block for an object, even where the project keeps its source text.
  kPartNoFunctionList = 2,
};
void writeSourcePart(const TProject_Intern& project, SourcePartKey key, const WriteOptions& options,
                     unsigned flags, std::string& out);

// A whole MODULE block as writeProject writes it, objects in `omitted` left out (no
// progress and element callback are called; the element callback still filters the
// FUNCTION name lists).
void writeModuleBlock(const TModule_Intern& module, const WriteOptions& options,
                      const std::unordered_set<const ObjectHead*>& omitted, std::string& out);

// The MOD_PAR template with the module's memory segments and system constants, as
// writeProject puts it in place of MOD_PAR.
void writeModParFromTemplate(const TModule_Intern& module, std::string_view templateText,
                             std::string& out);

// Writes the project to a file through platform::ReplacingFile: the text goes to a
// temporary file in the target's folder, which replaces an existing file of that name only
// once all of it was written. -5 when the file cannot be created or a write, the close or
// the rename fails; -4 when the template cannot be opened (checked before anything is
// created). After a failure the temporary file is gone and an existing file is unchanged.
ReturnCode writeProjectFile(const TProject_Intern& project, const char* fileName,
                            const WriteOptions& options);

}  // namespace ordex
