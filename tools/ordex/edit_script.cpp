#include "edit_script.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

#include "edit_records.h"
#include "kind_names.h"
#include "suggestions.h"
#include "tool_support.h"

namespace ordex_tool {

namespace {

using RemoveFn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*);
struct RemovableKind {
  const char* kind;
  RemoveFn remove;
};
const RemovableKind kRemovable[] = {
    {"memory-segment", Ordex_RemoveMemorySegment},
    {"characteristic", Ordex_RemoveCharacteristic},
    {"measurement", Ordex_RemoveMeasurement},
    {"function", Ordex_RemoveFunction},
    {"compu-method", Ordex_RemoveCompuMethod},
    {"compu-tab", Ordex_RemoveCompuTab},
    {"compu-vtab", Ordex_RemoveCompuVTab},
    {"axis-pts", Ordex_RemoveAxisPts},
    {"record-layout", Ordex_RemoveRecordLayout},
    {"system-constant", Ordex_RemFromSysConstantList},
};

using ListFn = TOrdexReturnCode (*)(TOrdex*, const char*, const char*, const char*);
struct FunctionList {
  const char* list;
  ListFn add;
  ListFn removeFrom;
};
const FunctionList kFunctionLists[] = {
    {"DEF_CHARACTERISTIC", Ordex_AddToAFuncsDefChaList, Ordex_RemFromAFuncsDefChaList},
    {"REF_CHARACTERISTIC", Ordex_AddToAFuncsRefChaList, Ordex_RemFromAFuncsRefChaList},
    {"IN_MEASUREMENT", Ordex_AddToAFuncsInMeaList, Ordex_RemFromAFuncsInMeaList},
    {"OUT_MEASUREMENT", Ordex_AddToAFuncsOutMeaList, Ordex_RemFromAFuncsOutMeaList},
    {"LOC_MEASUREMENT", Ordex_AddToAFuncsLocMeaList, Ordex_RemFromAFuncsLocMeaList},
    {"SUB_FUNCTION", Ordex_AddToAFuncsSubFuncList, Ordex_RemFromAFuncsSubFuncList},
    {"AXIS_PTS", Ordex_AddToAAxisPtsFuncList, Ordex_RemFromAFuncsAxisPtsList},
};

// The kind's singular form, whatever form the script wrote; empty for no kind.
std::string kindWord(const std::string& word) {
  const ObjectKind* k = findKind(word);
  return k ? k->singular : "";
}

Failure unknownKind(const std::string& word, const std::vector<std::string>& kinds) {
  return {rcInvalidArgument, "unknown kind '" + word + "'" + didYouMean(word, kinds)};
}

std::vector<std::string> removableKinds() {
  std::vector<std::string> kinds{"module"};
  for (const RemovableKind& k : kRemovable) kinds.emplace_back(k.kind);
  return kinds;
}

std::vector<std::string> recordKindNames() {
  std::vector<std::string> kinds;
  for (const RecordKind& k : recordKinds()) kinds.emplace_back(k.kind);
  return kinds;
}

}  // namespace

bool splitWords(const std::string& line, std::vector<std::string>& words) {
  size_t i = 0;
  const auto blank = [&line](size_t at) {
    return line[at] == ' ' || line[at] == '\t' || line[at] == '\r';
  };
  while (true) {
    while (i < line.size() && blank(i)) ++i;
    if (i >= line.size() || line[i] == '#') return true;  // a comment ends the line
    std::string word;
    while (i < line.size() && !blank(i)) {
      if (line[i] != '"') {
        word.push_back(line[i++]);
        continue;
      }
      ++i;
      while (i < line.size() && line[i] != '"') {
        if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\'))
          ++i;
        word.push_back(line[i++]);
      }
      if (i >= line.size()) return false;
      ++i;
    }
    words.push_back(std::move(word));
  }
}

bool ScriptRunner::apply(const std::vector<std::string>& w, Failure& failure) {
  const std::string& cmd = w[0];
  if (cmd == "module" && w.size() == 2) return selectModule(w[1], failure);
  if (cmd == "remove" && w.size() == 3) return remove(w[1], w[2], failure);
  if (cmd == "set" && w.size() == 5) return set(w[1], w[2], w[3], w[4], failure);
  if (cmd == "add" && w.size() == 4) return nameList(true, w[1], w[2], w[3], failure);
  if (cmd == "remove-from" && w.size() == 4) return nameList(false, w[1], w[2], w[3], failure);
  if (cmd == "create" && w.size() >= 3) return create(w, failure);
  static const std::vector<std::string> commands{"module", "remove", "set",
                                                 "add",    "create", "remove-from"};
  const std::string suggestion = didYouMean(cmd, commands);
  bool known = false;
  for (const std::string& c : commands) known = known || c == cmd;
  failure = {rcInvalidArgument, known ? "wrong number of words for " + cmd
                                      : "unknown command '" + cmd + "'" + suggestion};
  return false;
}

bool ScriptRunner::check(TOrdexReturnCode rc, Failure& failure) const {
  if (rc == rcOk) return true;
  failure = {rc, ""};
  if (rc == rcModuleNotFound) {
    failure.why = moduleChoice(inst_) + "; choose one with a 'module NAME' line";
  }
  return false;
}

bool ScriptRunner::selectModule(const std::string& name, Failure& failure) {
  TModule m;
  std::memset(&m, 0, sizeof m);
  if (name.empty() || name.size() >= sizeof m.Name) return check(rcModuleNotFound, failure);
  std::memcpy(m.Name, name.data(), name.size());
  if (!check(Ordex_GetModule(inst_, &m, 1), failure)) {
    failure.why = moduleChoice(inst_);
    return false;
  }
  module_ = name;
  return true;
}

bool ScriptRunner::remove(const std::string& word, const std::string& name, Failure& failure) {
  const std::string kind = kindWord(word);
  if (kind == "module") return check(Ordex_RemoveModule(inst_, name.c_str()), failure);
  for (const RemovableKind& k : kRemovable) {
    if (kind == k.kind) return check(k.remove(inst_, module(), name.c_str()), failure);
  }
  failure = unknownKind(word, removableKinds());
  return false;
}

bool ScriptRunner::set(const std::string& word, const std::string& name, const std::string& field,
                       const std::string& value, Failure& failure) {
  const std::string kind = kindWord(word);
  const RecordKind* k = findRecordKind(kind);
  if (!k) {
    failure = unknownKind(word, recordKindNames());
    return false;
  }
  const Field* f = findField(*k, field, failure.why);
  if (!f) {
    failure.rc = rcInvalidArgument;
    return false;
  }
  std::vector<unsigned char> record(k->size, 0);  // every record starts with its Name
  if (name.size() >= ORDEX_TEXT_SIZE) return check(rcInvalidArgument, failure);
  std::memcpy(record.data(), name.data(), name.size());
  if (!check(k->get(inst_, module(), record.data()), failure)) {
    if (kind == "project" && failure.rc == rcInvalidArgument) {
      failure.why = "the project is not named '" + name + "'";
    }
    return false;
  }
  if (!setField(record.data(), *f, value, failure.why)) {
    failure.rc = rcInvalidArgument;
    return false;
  }
  return check(k->change(inst_, module(), record.data()), failure);
}

bool ScriptRunner::create(const std::vector<std::string>& w, Failure& failure) {
  const std::string kind = kindWord(w[1]);
  const std::string& name = w[2];
  if (name.empty() || name.size() >= ORDEX_TEXT_SIZE) {
    failure = {rcInvalidArgument, "a name has 1 to 255 characters"};
    return false;
  }
  // FIELD=VALUE words, split at the first '='.
  std::vector<std::pair<std::string, std::string>> values;
  for (size_t i = 3; i < w.size(); ++i) {
    const size_t equals = w[i].find('=');
    if (equals == std::string::npos || equals == 0) {
      failure = {rcInvalidArgument, "'" + w[i] + "' is no FIELD=VALUE"};
      return false;
    }
    values.emplace_back(w[i].substr(0, equals), w[i].substr(equals + 1));
  }
  if (kind == "system-constant") {
    if (values.size() != 1 || values[0].first != "Value") {
      failure = {rcInvalidArgument, "a system-constant takes Value=TEXT"};
      return false;
    }
    TSystemConstant existing;
    std::memset(&existing, 0, sizeof existing);
    std::memcpy(existing.Name, name.data(), name.size());
    if (Ordex_GetSystemConstant(inst_, module(), &existing, 1) == rcOk) {
      failure = {rcInvalidArgument, "a system-constant named " + name + " exists already"};
      return false;
    }
    return check(
        Ordex_AddToSystemConstantList(inst_, module(), name.c_str(), values[0].second.c_str()),
        failure);
  }
  const RecordKind* k = findRecordKind(kind);
  if (!k) {
    std::vector<std::string> kinds = recordKindNames();
    kinds.emplace_back("system-constant");
    failure = unknownKind(w[1], kinds);
    return false;
  }
  std::vector<unsigned char> record(k->size, 0);
  std::memcpy(record.data(), name.data(), name.size());
  if (kind != "project" && k->get(inst_, module(), record.data()) == rcOk) {
    failure = {rcInvalidArgument, "a " + kind + " named " + name + " exists already"};
    return false;
  }
  std::fill(record.begin(), record.end(), 0);
  initialiseRecord(*k, inst_, module(), record.data());
  std::memcpy(record.data(), name.data(), name.size());
  std::vector<const Field*> given;
  for (const auto& v : values) {
    const Field* f = findField(*k, v.first, failure.why);
    if (!f || !setField(record.data(), *f, v.second, failure.why)) {
      failure.rc = rcInvalidArgument;
      return false;
    }
    given.push_back(f);
  }
  std::string missing;
  for (const Field& f : k->fields) {
    if (!f.required || std::find(given.begin(), given.end(), &f) != given.end()) continue;
    missing += (missing.empty() ? "" : ", ") + std::string(f.name);
  }
  if (!missing.empty()) {
    failure = {rcInvalidArgument, "a " + kind + " needs " + missing};
    return false;
  }
  return check(k->create(inst_, module(), record.data()), failure);
}

bool ScriptRunner::nameList(bool add, const std::string& function, const std::string& word,
                            const std::string& name, Failure& failure) {
  std::string list;
  for (char c : word) {
    list.push_back(c == '-' ? '_' : static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  }
  std::vector<std::string> lists;
  for (const FunctionList& l : kFunctionLists) {
    if (list == l.list) {
      const ListFn fn = add ? l.add : l.removeFrom;
      return check(fn(inst_, module(), function.c_str(), name.c_str()), failure);
    }
    lists.emplace_back(l.list);
  }
  failure = {rcInvalidArgument, "unknown list '" + word + "'" + didYouMean(word, lists)};
  return false;
}

}  // namespace ordex_tool
