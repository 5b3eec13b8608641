// The field tables of the public records. Each record's fields are listed once, in
// api/fields/<record>.def, as rows
//   ORDEX_FIELD(public member, model member, value kind, keyword list or sub-record, copy)
// and the getter copy, the setter copy and Ordex_GetRecordField are made from the rows. The
// copy column says which copies the row drives: kCopyBoth, kCopyGetOnly (the setter copies
// the field by hand, beside the table) or kCopyNone (both copy it by hand, or neither does,
// as Name, which lists rename).
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "model/copy_to_field.h"
#include "model/sub_records.h"
#include "model/text.h"
#include "ordex.h"

namespace ordex::api {

enum FieldCopy { kCopyBoth, kCopyGetOnly, kCopyNone };

// Model to public record.
inline void getField(char (&to)[kTextField], const Text& from) {
  copyToField(to, from);
}
inline void getField(TNumberText& to, const NumberText& from) {
  copyToField(to.Text, from.Text);
  to.Value = from.Value;
}
inline void getField(int16_t& to, bool from) {
  to = from ? 1 : 0;
}
template <class To, class From>
void getField(To& to, const From& from) {
  to = from;
}
// An array entry by entry; both arrays have the same length.
template <class To, class From, size_t N>
void getField(To (&to)[N], const From (&from)[N]) {
  for (size_t i = 0; i < N; ++i) getField(to[i], from[i]);
}

// Public record to model.
inline void setField(Text& to, const char (&from)[kTextField]) {
  to.assign(fieldText(from));
}
inline void setField(NumberText& to, const TNumberText& from) {
  setField(to.Text, from.Text);
  to.Value = from.Value;
}
inline void setField(bool& to, int16_t from) {
  to = from != 0;
}
template <class To, class From>
void setField(To& to, const From& from) {
  to = from;
}
template <class To, class From, size_t N>
void setField(To (&to)[N], const From (&from)[N]) {
  for (size_t i = 0; i < N; ++i) setField(to[i], from[i]);
}

// The getter copy of the rows of one .def file: `ORDEX_GET_FIELDS(to, from)` before the
// #include of the file, `#undef ORDEX_FIELD` after it. The model is a template parameter of
// the enclosing function so that rows copied by hand need no model member of their name.
#define ORDEX_GET_FIELD(to, from, P, M, C)                  \
  if constexpr (::ordex::api::C != ::ordex::api::kCopyNone) \
    ::ordex::api::getField((to).P, (from).M);
#define ORDEX_SET_FIELD(to, from, P, M, C)                  \
  if constexpr (::ordex::api::C == ::ordex::api::kCopyBoth) \
    ::ordex::api::setField((to).M, (from).P);

// One row of Ordex_GetRecordField's answer for member P of Record.
template <class Member>
constexpr TRecordField describeField(const char* name, size_t offset, int32_t kind, int32_t extra) {
  const uint32_t count =
      kind == fkText ? 1u
                     : static_cast<uint32_t>(std::extent_v<Member> ? std::extent_v<Member> : 1);
  return TRecordField{
      name, static_cast<uint32_t>(offset),      static_cast<uint32_t>(sizeof(Member)), count,
      kind, kind == fkKeyword ? extra : klNone, kind == fkRecord ? extra : -1};
}

}  // namespace ordex::api
