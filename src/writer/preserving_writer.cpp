#include "writer/preserving_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/object_records.h"
#include "platform/replacing_file.h"
#include "writer/source_merge.h"

namespace ordex {

namespace {

constexpr int32_t kWrittenKinds[] = {ekCharacteristic, ekMeasurement, ekFunction, ekCompuMethod,
                                     ekCompuTab,       ekCompuVTab,   ekAxisPts,  ekRecordLayout};

// The objects of one kind of a module, in list order.
template <class Visit>
void forEachObject(const TModule_Intern& m, Visit&& visit) {
  for (const auto* o : m.Characteristics) visit(*o);
  for (const auto* o : m.Measurements) visit(*o);
  for (const auto* o : m.Functions) visit(*o);
  for (const auto* o : m.CompuMethods) visit(*o);
  for (const auto* o : m.CompuTabs) visit(*o);
  for (const auto* o : m.CompuVTabs) visit(*o);
  for (const auto* o : m.AxisPts) visit(*o);
  for (const auto* o : m.RecordLayouts) visit(*o);
}

bool isLineBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

// A change of a file's text: [begin, end) becomes text.
struct Op {
  uint32_t begin;
  uint32_t end;
  std::string text;
};

bool readWholeFile(const char* path, std::string& text) {
  std::FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  char chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
  std::fclose(f);
  return true;
}

std::string folderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A name that stays inside the folder it is taken relative to.
bool staysInside(const std::string& name) {
  if (name.empty() || name[0] == '/') return false;
  size_t from = 0;
  for (;;) {
    size_t slash = name.find('/', from);
    std::string_view part = std::string_view(name).substr(
        from, slash == std::string::npos ? std::string::npos : slash - from);
    if (part == "..") return false;
    if (slash == std::string::npos) return true;
    from = slash + 1;
  }
}

bool sameFile(const std::string& a, const std::string& b) {
  struct stat sa;
  struct stat sb;
  return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

// Creates the folders of a path below base that do not exist yet.
void makeFolders(const std::string& path, size_t from) {
  for (size_t slash = path.find('/', from); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    std::string folder = path.substr(0, slash);
    if (!folder.empty()) mkdir(folder.c_str(), 0777);
  }
}

// Writes data in place of the file at path, which keeps its old content when anything fails.
ReturnCode replaceFile(const std::string& path, std::string_view data) {
  platform::ReplacingFile file;
  if (file.open(path.c_str()) != ReturnCode::Ok) return ReturnCode::OutputCreateFailed;
  file.write(data.data(), data.size());
  return file.commit() == ReturnCode::Ok ? ReturnCode::Ok : ReturnCode::OutputCreateFailed;
}

std::string reindented(std::string_view text, std::string_view indent, size_t ownIndent,
                       std::string_view unit);

// The indentation of a part's first line in the writer's text.
size_t ownIndentOf(SourcePart part) {
  switch (part) {
    case SourcePart::kVersion:
    case SourcePart::kProject:
      return 0;
    case SourcePart::kHeader:
    case SourcePart::kModule:
      return 2;
    default:
      return 4;
  }
}

class PreservingWriter {
 public:
  PreservingWriter(const TProject_Intern& project, const WriteOptions& options, uint32_t flags,
                   PartTextCheck check)
      : project_(project), source_(*project.Source), opt_(options), flags_(flags), check_(check) {}

  ReturnCode write(const char* fileName, uint32_t& outcome);

 private:
  bool selected(const TModule_Intern& m) const {
    return !opt_.moduleName || m.Name.view() == opt_.moduleName;
  }
  std::string_view textOf(uint32_t file) const { return source_.files[file]->text(); }
  const SourceText::Edited* editOf(SourcePartKey key) const {
    auto it = source_.edited.find(key);
    return it == source_.edited.end() ? nullptr : &it->second;
  }
  void decideObjects();
  void collectSpanEdits();
  void collectCreated();
  void collectComment();
  // A part in the writer's layout: with all values to compare with what was read, or as
  // the canonical writer writes it for a part that is new.
  std::string render(SourcePartKey key, bool withCallback, bool allValues = true) const;
  // Replaces the span's text (or its head) by the merge of its edits; nothing when they
  // change no token.
  void mergeInto(const SourceSpan& span, SourcePartKey key, std::string_view before,
                 std::string_view after, bool headOnly);
  void removeLines(const SourceSpan& span);
  void insertAfterHead(const SourceSpan& moduleOrProject, std::string_view rendered);
  std::string unitOf(const SourceSpan& span) const;
  std::string_view lineIndent(uint32_t file, uint32_t at) const;
  uint32_t lineStart(uint32_t file, uint32_t at) const;
  void addOp(uint32_t file, uint32_t begin, uint32_t end, std::string text) {
    ops_[file].push_back({begin, end, std::move(text)});
  }
  std::string applyOps(uint32_t file);

  const TProject_Intern& project_;
  const SourceText& source_;
  const WriteOptions& opt_;
  uint32_t flags_;
  PartTextCheck check_;
  std::string template_;
  std::unordered_set<const ObjectHead*> omitted_;
  std::vector<std::vector<Op>> ops_;
  bool unplaceable_ = false;
  uint32_t outcome_ = 0;
};

// The progress and element callbacks in the order and with the counts of writeProject; an
// object they leave out is removed from the text.
void PreservingWriter::decideObjects() {
  if (!opt_.progressCallback && !opt_.elementCallback) return;
  int64_t total = 0;
  for (const TModule_Intern* m : project_.Modules) {
    if (!selected(*m)) continue;
    forEachObject(*m, [&total](const ObjectHead&) { ++total; });
  }
  int64_t counted = 0;
  int64_t lastPercent = 0;
  for (const TModule_Intern* m : project_.Modules) {
    if (!selected(*m)) continue;
    bool stopped = false;
    forEachObject(*m, [&](const ObjectHead& o) {
      if (stopped) {
        omitted_.insert(&o);
        return;
      }
      ++counted;
      if (opt_.progressCallback) {
        int64_t percent = counted * 100 / total;
        if (percent > lastPercent) {
          lastPercent = percent;
          if (opt_.progressCallback(static_cast<int>(percent)) != 0) {
            stopped = true;
            omitted_.insert(&o);
            return;
          }
        }
      }
      if (opt_.elementCallback &&
          opt_.elementCallback(static_cast<ElementKind>(o.Kind), o.UserData) == 0) {
        omitted_.insert(&o);
      }
    });
  }
}

std::string PreservingWriter::render(SourcePartKey key, bool withCallback, bool allValues) const {
  WriteOptions options;
  if (withCallback) options.elementCallback = opt_.elementCallback;
  std::string out;
  writeSourcePart(project_, key, options, allValues ? unsigned{kPartAllValues} : 0u, out);
  return out;
}

uint32_t PreservingWriter::lineStart(uint32_t file, uint32_t at) const {
  std::string_view t = textOf(file);
  uint32_t s = at;
  while (s > 0 && isLineBlank(t[s - 1])) --s;
  return (s == 0 || t[s - 1] == '\n') ? s : at;
}

std::string_view PreservingWriter::lineIndent(uint32_t file, uint32_t at) const {
  uint32_t s = lineStart(file, at);
  return s == at ? textOf(file).substr(s, 0) : textOf(file).substr(s, at - s);
}

void PreservingWriter::mergeInto(const SourceSpan& span, SourcePartKey key, std::string_view before,
                                 std::string_view after, bool headOnly) {
  uint32_t end = headOnly ? source_.headEndOf(span) : span.end;
  std::string_view text = textOf(span.file).substr(span.begin, end - span.begin);
  std::string_view indent = lineIndent(span.file, span.begin);
  std::string merged;
  MergeResult r =
      mergeElementText(text, indent, before, after, (flags_ & kPreserveRewriteEdits) != 0, merged);
  if (r == MergeResult::kUnchanged) return;
  if (span.crossFile && !headOnly) {
    unplaceable_ = true;
    return;
  }
  // The block's text as the writer writes it, moved to the block's own indentation and
  // without the line feeds it ends with (the span runs from "/begin" to its last keyword).
  auto inPlace = [&](std::string t) {
    t = reindented(t, indent, ownIndentOf(key.part), unitOf(span));
    return t.substr(std::min(indent.size(), t.size()));
  };
  if (r == MergeResult::kRewritten) merged = inPlace(std::move(merged));
  // An include inside the block cannot be read back in isolation: such a text is trusted.
  const bool checkable = check_ && text.find("/include") == std::string_view::npos;
  if (checkable && !check_(project_, key, merged)) {
    if (r == MergeResult::kPatched) {
      mergeElementText(text, indent, before, after, true, merged);
      merged = inPlace(std::move(merged));
      r = MergeResult::kRewritten;
    }
    if (!check_(project_, key, merged)) {
      merged = inPlace(std::string(after));
      outcome_ |= kWroteDroppedText;
    }
  }
  if (r == MergeResult::kRewritten) outcome_ |= kWroteRewrittenParts;
  addOp(span.file, span.begin, end, std::move(merged));
}

// Removes a block with the line breaks that only it used.
void PreservingWriter::removeLines(const SourceSpan& span) {
  if (span.crossFile) {
    unplaceable_ = true;
    return;
  }
  std::string_view t = textOf(span.file);
  uint32_t begin = lineStart(span.file, span.begin);
  uint32_t end = span.end;
  if (begin != span.begin || begin == 0 || t[begin - 1] == '\n') {
    uint32_t e = end;
    while (e < t.size() && isLineBlank(t[e])) ++e;
    if (e < t.size() && t[e] == '\n') {
      end = e + 1;
      // One blank line that separated the block from the next goes with it.
      uint32_t next = end;
      while (next < t.size() && isLineBlank(t[next])) ++next;
      if (next < t.size() && t[next] == '\n' && begin >= 2 && t[begin - 1] == '\n' &&
          t[begin - 2] == '\n') {
        end = next + 1;
      }
    } else if (e == t.size()) {
      end = e;
    }
  }
  addOp(span.file, begin, end, std::string());
}

// Text of the writer moved from its own indentation (ownIndent blanks, two a level) to
// `indent` with `unit` a level, without the line feeds it ends with.
std::string reindented(std::string_view text, std::string_view indent, size_t ownIndent,
                       std::string_view unit) {
  std::string out;
  size_t at = 0;
  while (at < text.size()) {
    size_t nl = text.find('\n', at);
    std::string_view line =
        text.substr(at, nl == std::string_view::npos ? std::string_view::npos : nl - at);
    if (!line.empty()) {
      size_t blanks = 0;
      while (blanks < line.size() && line[blanks] == ' ') ++blanks;
      out.append(indent);
      size_t levels = blanks > ownIndent ? (blanks - ownIndent + 1) / 2 : 0;
      for (size_t k = 0; k < levels; ++k) out.append(unit);
      out.append(line.substr(blanks));
    }
    if (nl == std::string_view::npos) break;
    out += '\n';
    at = nl + 1;
  }
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

std::string PreservingWriter::unitOf(const SourceSpan& span) const {
  return indentUnit(textOf(span.file).substr(span.begin, span.end - span.begin),
                    lineIndent(span.file, span.begin));
}

void PreservingWriter::insertAfterHead(const SourceSpan& owner, std::string_view rendered) {
  std::string unit = unitOf(owner);
  std::string childIndent = std::string(lineIndent(owner.file, owner.begin)) + unit;
  std::string text =
      "\n\n" + reindented(rendered, childIndent, owner.part == SourcePart::kProject ? 2 : 4, unit);
  const uint32_t headEnd = source_.headEndOf(owner);
  addOp(owner.file, headEnd, headEnd, std::move(text));
}

void PreservingWriter::collectSpanEdits() {
  for (const SourceSpan& span : source_.spans) {
    SourcePartKey key{span.record, span.part};
    const SourceText::Edited* edit = editOf(key);
    if (span.freed) {
      // A removed object or module; the objects and parts of a removed module leave with it.
      if (edit && edit->removed) removeLines(span);
      continue;
    }
    switch (span.part) {
      case SourcePart::kVersion:
      case SourcePart::kProject:
      case SourcePart::kHeader:
        if (edit)
          mergeInto(span, key, edit->before, render(key, false), span.part == SourcePart::kProject);
        break;
      case SourcePart::kModule: {
        const auto& m = *static_cast<const TModule_Intern*>(span.record);
        if ((edit && edit->removed) || !selected(m)) {
          removeLines(span);
        } else if (edit) {
          mergeInto(span, key, edit->before, render(key, false), true);
        }
        break;
      }
      case SourcePart::kModPar:
      case SourcePart::kModCommon: {
        const auto& m = *static_cast<const TModule_Intern*>(span.record);
        const SourceText::Edited* moduleEdit = editOf({&m, SourcePart::kModule});
        if ((moduleEdit && moduleEdit->removed) || !selected(m)) break;
        if (span.part == SourcePart::kModPar && opt_.modParTemplateFile) {
          std::string text;
          writeModParFromTemplate(m, template_, text);
          while (!text.empty() && text.back() == '\n') text.pop_back();
          uint32_t begin = lineStart(span.file, span.begin);
          addOp(span.file, begin, span.end, std::move(text));
        } else if (edit) {
          mergeInto(span, key, edit->before, render(key, false), false);
        }
        break;
      }
      case SourcePart::kObject: {
        const auto& o = *static_cast<const ObjectHead*>(span.record);
        if (edit && edit->removed) {
          removeLines(span);
          break;
        }
        const auto& m = *static_cast<const TModule_Intern*>(o.Owner);
        const SourceText::Edited* moduleEdit = editOf({&m, SourcePart::kModule});
        if ((moduleEdit && moduleEdit->removed) || !selected(m)) break;
        if (omitted_.count(&o)) {
          removeLines(span);
        } else if (edit) {
          mergeInto(span, key, edit->before, render(key, true), false);
        } else if (opt_.elementCallback && o.Kind == ekFunction) {
          mergeInto(span, key, render(key, false), render(key, true), false);
        }
        break;
      }
    }
  }
  // MOD_PAR, MOD_COMMON and HEADER blocks that the file left out and an edit or a template
  // now gives content.
  for (const SourceSpan& span : source_.spans) {
    if (span.freed) continue;
    if (span.part != SourcePart::kModule && span.part != SourcePart::kProject) continue;
    if (span.part == SourcePart::kProject) {
      SourcePartKey key{span.record, SourcePart::kHeader};
      const SourceText::Edited* edit = editOf(key);
      if (edit && !source_.wasRead(key)) {
        std::string after = render(key, false);
        if (after != edit->before) insertAfterHead(span, after);
      }
      continue;
    }
    const auto& m = *static_cast<const TModule_Intern*>(span.record);
    const SourceText::Edited* moduleEdit = editOf({&m, SourcePart::kModule});
    if ((moduleEdit && moduleEdit->removed) || !selected(m)) continue;
    for (SourcePart part : {SourcePart::kModPar, SourcePart::kModCommon}) {
      SourcePartKey key{&m, part};
      if (source_.wasRead(key)) continue;
      if (part == SourcePart::kModPar && opt_.modParTemplateFile) {
        std::string text;
        writeModParFromTemplate(m, template_, text);
        insertAfterHead(span, text);
        continue;
      }
      const SourceText::Edited* edit = editOf(key);
      if (!edit) continue;
      std::string after = render(key, false);
      if (after != edit->before) insertAfterHead(span, after);
    }
  }
}

// Created objects go behind the last object of their kind that the module held when it was
// read, or in front of the module's "/end"; created modules in front of the project's.
void PreservingWriter::collectCreated() {
  if (source_.blocksLeftOpen) {
    bool inserts = !source_.created.empty();
    for (const TModule_Intern* m : project_.Modules) {
      inserts = inserts || (selected(*m) && !source_.wasRead({m, SourcePart::kModule}));
    }
    if (inserts) {
      unplaceable_ = true;
      return;
    }
  }
  std::unordered_map<const TModule_Intern*, const SourceSpan*> moduleSpans;
  const SourceSpan* projectSpan = nullptr;
  std::unordered_map<const TModule_Intern*, std::unordered_map<int32_t, const SourceSpan*>>
      lastOfKind;
  for (const SourceSpan& span : source_.spans) {
    if (span.freed) continue;
    if (span.part == SourcePart::kModule) {
      moduleSpans[static_cast<const TModule_Intern*>(span.record)] = &span;
    } else if (span.part == SourcePart::kProject) {
      projectSpan = &span;
    } else if (span.part == SourcePart::kObject) {
      const auto* o = static_cast<const ObjectHead*>(span.record);
      lastOfKind[static_cast<const TModule_Intern*>(o->Owner)][o->Kind] = &span;
    }
  }
  for (const TModule_Intern* m : project_.Modules) {
    if (!selected(*m)) continue;
    auto ms = moduleSpans.find(m);
    if (ms == moduleSpans.end()) {
      if (!projectSpan || projectSpan->crossFile) {
        unplaceable_ = true;
        continue;
      }
      std::string text;
      writeModuleBlock(*m, opt_, omitted_, text);
      uint32_t at = lineStart(projectSpan->file, projectSpan->endBegin);
      if (at == projectSpan->endBegin) text = "\n" + text;
      addOp(projectSpan->file, at, at, std::move(text));
      continue;
    }
    if (source_.created.empty()) continue;
    const SourceSpan& moduleSpan = *ms->second;
    for (int32_t kind : kWrittenKinds) {
      std::string rendered;
      forEachObject(*m, [&](const ObjectHead& o) {
        if (o.Kind != kind || !source_.createdSet.count(&o) || omitted_.count(&o)) return;
        rendered += render({&o, SourcePart::kObject}, true, false);
      });
      if (rendered.empty()) continue;
      auto kinds = lastOfKind.find(m);
      const SourceSpan* anchor = nullptr;
      if (kinds != lastOfKind.end()) {
        auto k = kinds->second.find(kind);
        if (k != kinds->second.end()) anchor = k->second;
      }
      if (anchor) {
        std::string_view indent = lineIndent(anchor->file, anchor->begin);
        std::string_view t = textOf(anchor->file);
        // A blank line between objects where the anchor has one in front of it.
        uint32_t before = lineStart(anchor->file, anchor->begin);
        bool blankLine = before >= 2 && t[before - 1] == '\n' && t[before - 2] == '\n';
        std::string text = blankLine ? "\n\n" : "\n";
        text += reindented(rendered, indent, 4, unitOf(*anchor));
        addOp(anchor->file, anchor->end, anchor->end, std::move(text));
      } else {
        if (moduleSpan.crossFile) {
          unplaceable_ = true;
          continue;
        }
        uint32_t at = lineStart(moduleSpan.file, moduleSpan.endBegin);
        std::string unit = unitOf(moduleSpan);
        std::string indent = std::string(lineIndent(moduleSpan.file, moduleSpan.begin)) + unit;
        std::string text = reindented(rendered, indent, 4, unit) + "\n\n";
        if (at == moduleSpan.endBegin) text = "\n" + text;
        addOp(moduleSpan.file, at, at, std::move(text));
      }
    }
  }
}

// A comment given to the write goes on a line of its own behind the ASAP2_VERSION line, or
// at the top of the file.
void PreservingWriter::collectComment() {
  if (!opt_.comment || !*opt_.comment) return;
  std::string line = std::string("/* ") + opt_.comment + " */\n";
  std::string_view top = textOf(0);
  for (const SourceSpan& span : source_.spans) {
    if (span.part != SourcePart::kVersion || span.file != 0) continue;
    size_t nl = top.find('\n', span.end);
    if (nl == std::string_view::npos) {
      addOp(0, static_cast<uint32_t>(top.size()), static_cast<uint32_t>(top.size()), "\n" + line);
    } else {
      addOp(0, static_cast<uint32_t>(nl + 1), static_cast<uint32_t>(nl + 1), std::move(line));
    }
    return;
  }
  uint32_t at = top.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  addOp(0, at, at, std::move(line));
}

std::string PreservingWriter::applyOps(uint32_t file) {
  std::vector<Op>& ops = ops_[file];
  std::stable_sort(ops.begin(), ops.end(), [](const Op& a, const Op& b) {
    return a.begin < b.begin || (a.begin == b.begin && a.end == a.begin && b.end != b.begin);
  });
  std::string_view text = textOf(file);
  std::string out;
  uint32_t copied = 0;
  for (const Op& op : ops) {
    if (op.begin < copied) {
      unplaceable_ = true;  // two edits overlap: a block inside an edited block
      return std::string();
    }
    out.append(text.substr(copied, op.begin - copied));
    out += op.text;
    copied = op.end;
  }
  out.append(text.substr(copied));
  return out;
}

ReturnCode PreservingWriter::write(const char* fileName, uint32_t& outcome) {
  if (opt_.modParTemplateFile && !readWholeFile(opt_.modParTemplateFile, template_)) {
    return ReturnCode::FileOpenFailed;
  }
  const size_t fileCount = source_.files.size();
  ops_.assign(fileCount, {});
  decideObjects();
  collectSpanEdits();
  collectCreated();
  collectComment();

  // Where each file goes: written beside its including file's output, into it, or left.
  enum class Placement { kWrite, kInline, kKeep };
  std::vector<Placement> placement(fileCount, Placement::kWrite);
  std::vector<std::string> destination(fileCount);
  std::vector<bool> changed(fileCount);
  for (size_t f = 0; f < fileCount; ++f) changed[f] = !ops_[f].empty();
  for (size_t f = fileCount; f-- > 1;) {
    if (changed[f]) changed[source_.files[f]->parent] = true;
  }
  destination[0] = fileName;
  for (size_t f = 1; f < fileCount; ++f) {
    const SourceFile& file = *source_.files[f];
    const size_t p = static_cast<size_t>(file.parent);
    if (flags_ & kPreserveInlineIncludes) {
      placement[f] = Placement::kInline;
    } else if (placement[p] != Placement::kKeep && staysInside(file.includeName)) {
      placement[f] = Placement::kWrite;
    } else {
      placement[f] = changed[f] ? Placement::kInline : Placement::kKeep;
    }
    switch (placement[f]) {
      case Placement::kWrite:
        destination[f] = folderOf(destination[p]) + file.includeName;
        break;
      case Placement::kInline:
        destination[f] = destination[p];
        break;
      case Placement::kKeep:
        destination[f] = file.path;
        break;
    }
  }
  // Files are finished from the last opened to the first: an included file is complete
  // before the file that includes it takes it in.
  std::vector<std::string> outputs(fileCount);
  for (size_t f = fileCount; f-- > 0;) {
    outputs[f] = applyOps(static_cast<uint32_t>(f));
    if (unplaceable_) break;
    if (f == 0 || placement[f] != Placement::kInline) continue;
    const SourceFile& file = *source_.files[f];
    if (file.includeEnd == 0) {
      unplaceable_ = true;  // the "/include" line was not found in one piece
      break;
    }
    std::string text = std::move(outputs[f]);
    if (std::string_view(text).substr(0, 3) == "\xEF\xBB\xBF") text.erase(0, 3);
    addOp(static_cast<uint32_t>(file.parent), file.includeBegin, file.includeEnd, std::move(text));
    outcome_ |= kWroteInlinedIncludes;
  }
  if (unplaceable_) {
    outcome = kWroteCanonically;
    return writeProjectFile(project_, fileName, opt_);
  }
  const std::string base = folderOf(destination[0]);
  for (size_t f = 1; f < fileCount; ++f) {
    if (placement[f] != Placement::kWrite) continue;
    if (!changed[f] && sameFile(destination[f], source_.files[f]->path)) continue;
    makeFolders(destination[f], base.size());
    ReturnCode rc = replaceFile(destination[f], outputs[f]);
    if (rc != ReturnCode::Ok) return rc;
    outcome_ |= kWroteIncludedFiles;
  }
  ReturnCode rc = replaceFile(destination[0], outputs[0]);
  outcome = outcome_;
  return rc;
}

}  // namespace

ReturnCode writePreservingFile(const TProject_Intern& project, const char* fileName,
                               const WriteOptions& options, uint32_t flags, PartTextCheck check,
                               uint32_t& outcome) {
  outcome = 0;
  if (!fileName) return ReturnCode::OutputCreateFailed;
  if (!project.Source || project.Source->files.empty()) {
    outcome = kWroteCanonically;
    return writeProjectFile(project, fileName, options);
  }
  return PreservingWriter(project, options, flags, check).write(fileName, outcome);
}

}  // namespace ordex
