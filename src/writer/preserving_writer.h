// Writing a project back into the text it was read from: what was not edited comes out
// byte for byte as it was read, an edited part with only its changed tokens replaced (or
// rewritten in the writer's layout with what the model does not hold kept), a created
// object at the end of its kind's run and a removed one without a trace.
#pragma once

#include <cstdint>

#include "model/project.h"
#include "platform/return_code.h"
#include "writer/a2l_writer.h"

namespace ordex {

// Flags of a preserving write.
constexpr uint32_t kPreserveInlineIncludes = 1;  // one file: every included text in its place
constexpr uint32_t kPreserveRewriteEdits = 2;    // edited parts in the writer's layout

// What a preserving write did, beyond writing the file.
constexpr uint32_t kWroteCanonically = 1;      // no text to keep: the whole file was written anew
constexpr uint32_t kWroteRewrittenParts = 2;   // an edited part was rewritten in the layout
constexpr uint32_t kWroteIncludedFiles = 4;    // included files were written beside the output
constexpr uint32_t kWroteInlinedIncludes = 8;  // an included file went into its including file
constexpr uint32_t kWroteDroppedText = 16;     // an edited part lost what its record lacks

// Whether `text`, read in place of the part `key` of the project, gives the part as it
// stands in the model now (as far as the writer's text of it tells).
using PartTextCheck = bool (*)(const TProject_Intern& project, SourcePartKey key,
                               std::string_view text);

// As writeProjectFile, into the kept source text of the project: the top file to fileName,
// each included file that changed (or whose folder is not the output's) beside it under the
// name its "/include" gives, unless that name leads out of the output's folder, in which
// case a changed one is written in place of its "/include". Nothing outside the output's
// folder is written. Without kept text the project is written as writeProjectFile writes
// it. -5 when a file cannot be written, -4 for a template that cannot be read (before
// anything is written). Each edited part's new text is given to `check` (when not null):
// text that does not read back as the part is rewritten in the writer's layout with what the
// model does not hold carried over, and when that does not read back either, written from
// the record alone (kWroteDroppedText).
ReturnCode writePreservingFile(const TProject_Intern& project, const char* fileName,
                               const WriteOptions& options, uint32_t flags, PartTextCheck check,
                               uint32_t& outcome);

}  // namespace ordex
