// The public records that edit scripts create and change: how to get, change and create
// each kind, and the fields a script may name, with their types and keywords.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "keyword_names.h"
#include "ordex.h"

namespace ordex_tool {

enum class FieldType { Text, Int16, Int32, UInt32, Number, Keyword, Flag };

struct Field {
  const char* name;
  FieldType type;
  size_t offset;
  const KeywordTable* keywords = nullptr;        // Keyword: the words show prints
  const KeywordTable* layoutKeywords = nullptr;  // a MEMORY_LAYOUT's program type
  const char* initial = nullptr;                 // create starts from it (null: 0, "", -1)
  bool required = false;                         // create needs it
};

// A record kind. Every record starts with its Name; the module is the script's current one
// (null: the only module).
struct RecordKind {
  const char* kind;  // singular, as show takes it
  size_t size;
  std::function<TOrdexReturnCode(TOrdex*, const char*, void*)> get;
  std::function<TOrdexReturnCode(TOrdex*, const char*, void*)> change;
  std::function<TOrdexReturnCode(TOrdex*, const char*, void*)> create;
  std::vector<Field> fields;
  // Gives a new record what the reader gives a block without optional parts, besides the
  // fields' initial values (module defaults such as the byte order); may be null.
  std::function<void(TOrdex*, const char*, void*)> prepare;
};

const std::vector<RecordKind>& recordKinds();
const RecordKind* findRecordKind(const std::string& kind);  // by its singular form

// The field of that name (exact, as show prints it); null with `why` set (and a
// suggestion) when there is none.
const Field* findField(const RecordKind& kind, const std::string& name, std::string& why);

// Writes the text of a value into one field of a record: texts as they are, numbers in
// decimal or 0x hex, keywords as show prints them (or their index, "-" for not set), flags
// as yes/no, true/false or 1/0. False, with `why` set, for a value the field cannot take.
bool setField(unsigned char* record, const Field& f, const std::string& value, std::string& why);

// Fills a zeroed record of the kind for a create: the fields' initial values, then
// prepare(). The name is set by the caller.
void initialiseRecord(const RecordKind& kind, TOrdex* inst, const char* module,
                      unsigned char* record);

}  // namespace ordex_tool
