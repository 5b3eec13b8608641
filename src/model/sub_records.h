// Small entries without an object head, shared by several object kinds.
#pragma once

#include "model/text.h"

#include <cstdint>
#include <memory>
#include <string>

#include "model/arena_record.h"
#include "model/object_list.h"

// One ANNOTATION: label, origin and the text of all its ANNOTATION_TEXT strings, joined.
struct TAnnotation_Intern : ordex::ArenaRecord {
  TAnnotation_Intern* Next = nullptr;
  ordex::Text Label;
  ordex::Text Origin;
  ordex::Text Text;
};

// One IF_DATA block: the interface name and every further token of the body, each
// followed by one blank, exactly as read.
struct TIfData_Intern : ordex::ArenaRecord {
  TIfData_Intern* Next = nullptr;
  ordex::Text Name;
  ordex::Text Content;
};

// One name of a FUNCTION_LIST or VIRTUAL list.
struct TNameEntry_Intern : ordex::ArenaRecord {
  TNameEntry_Intern* Next = nullptr;
  ordex::Text Name;
};

// One SYSTEM_CONSTANT of MOD_PAR.
struct TSystemConstant_Intern : ordex::ArenaRecord {
  TSystemConstant_Intern* Next = nullptr;
  ordex::Text Name;
  ordex::Text Value;
};

// A number kept with the text it was read from: the writer prints Text, conversions use
// Value.
struct NumberText {
  ordex::Text Text;
  double Value = 0.0;
};

namespace ordex {
using AnnotationList = EntryList<TAnnotation_Intern>;
using IfDataList = EntryList<TIfData_Intern>;
using NameEntryList = EntryList<TNameEntry_Intern>;
}  // namespace ordex
