// Public records for the edit tests, built field by field as a host application does.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "ordex.h"

namespace ordex_test {

using Names = std::vector<std::string>;

inline void setText(char* field, const std::string& text, size_t size = ORDEX_TEXT_SIZE) {
  std::snprintf(field, size, "%s", text.c_str());
}

// Several text fields of 256 bytes at once: field, text, field, text, ...
inline void setTexts() {}
template <class... More>
void setTexts(char* field, const std::string& text, More&&... more) {
  setText(field, text);
  setTexts(std::forward<More>(more)...);
}

// Numbers as a host gives them, the text and the value it stands for: number, text, ...
inline void setNumbers() {}
template <class... More>
void setNumbers(TNumberText& number, const std::string& text, More&&... more) {
  setText(number.Text, text);
  number.Value = std::stod(text);
  setNumbers(std::forward<More>(more)...);
}

template <class Record>
Record zeroed() {
  Record r;
  std::memset(&r, 0, sizeof r);
  return r;
}

// A record of zeros with its Name set.
template <class Record>
Record named(const std::string& name) {
  Record r = zeroed<Record>();
  setText(r.Name, name);
  return r;
}

// A record of a byte pattern with its Name set: shows which fields a getter leaves alone.
template <class Record>
Record poisoned(const std::string& name) {
  Record r;
  std::memset(&r, 0x5A, sizeof r);
  setText(r.Name, name);
  return r;
}
constexpr int32_t kPoison = 0x5A5A5A5A;

inline TModule moduleRecord(const std::string& name) {
  TModule m = named<TModule>(name);
  m.DepositMode = -1;
  m.ByteOrder = boMsbLast;
  m.AddrEpk = 0xFFFFFFFFu;
  return m;
}

// An instance holding a created project "P" with one module.
inline void createProjectWithModule(TOrdex* inst, const std::string& module = "M") {
  TProject p = named<TProject>("P");
  Ordex_CreateProject(inst, &p);
  TModule m = moduleRecord(module);
  Ordex_CreateModule(inst, &m);
}

// The names of a list operation on the only module, in list order.
inline Names namesOf(TOrdex* inst, TOrdexReturnCode (*list)(TOrdex*, const char*, char*, int,
                                                            const char*, const char*)) {
  std::vector<char> buf(1 << 16);
  if (list(inst, nullptr, buf.data(), static_cast<int>(buf.size()), nullptr, nullptr) != rcOk)
    return {"<list failed>"};
  Names names;
  for (const char* n = buf.data(); *n; n += std::strlen(n) + 1) names.emplace_back(n);
  return names;
}

}  // namespace ordex_test
