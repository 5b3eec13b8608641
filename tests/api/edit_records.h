// Public records for the edit tests, built field by field as a host application does.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ordex.h"

namespace ordex_test {

inline void setText(char* field, const std::string& text, size_t size = ORDEX_TEXT_SIZE) {
  std::snprintf(field, size, "%s", text.c_str());
}

inline void setNumber(TNumberText& n, const std::string& text, double value) {
  setText(n.Text, text);
  n.Value = value;
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

// A record of a byte pattern with its Name set: getters must fill every field they own.
template <class Record>
Record poisoned(const std::string& name) {
  Record r;
  std::memset(&r, 0x5A, sizeof r);
  setText(r.Name, name);
  return r;
}

inline TProject projectRecord(const std::string& name) {
  TProject p = named<TProject>(name);
  setText(p.LongIdentifier, "project " + name);
  return p;
}

inline TModule moduleRecord(const std::string& name) {
  TModule m = named<TModule>(name);
  m.DepositMode = -1;
  m.ByteOrder = boMsbLast;
  m.AddrEpk = 0xFFFFFFFFu;
  return m;
}

// An instance holding a created project with one module "M".
inline void createProjectWithModule(TOrdex* inst, const std::string& module = "M") {
  TProject p = projectRecord("P");
  Ordex_CreateProject(inst, &p);
  TModule m = moduleRecord(module);
  Ordex_CreateModule(inst, &m);
}

// The names of a list operation on the only module, in list order.
inline std::vector<std::string> namesOf(TOrdex* inst,
                                        TOrdexReturnCode (*list)(TOrdex*, const char*, char*, int,
                                                                 const char*, const char*),
                                        const char* module = nullptr) {
  std::vector<char> buf(1 << 16);
  std::vector<std::string> names;
  if (list(inst, module, buf.data(), static_cast<int>(buf.size()), nullptr, nullptr) != rcOk)
    return {"<list failed>"};
  for (const char* n = buf.data(); *n; n += std::strlen(n) + 1) names.emplace_back(n);
  return names;
}

}  // namespace ordex_test
