// Helpers of the black-box tests that read small A2L texts written inline.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "ordex.h"
#include "support/test_support.h"

namespace ordex_test {

// A project P holding one module M with the given body, which starts on line 3.
inline std::string inModule(const std::string& body) {
  return "/begin PROJECT P \"\"\n/begin MODULE M \"\"\n" + body + "\n/end MODULE\n/end PROJECT\n";
}

// A record keyed by `name` whose other bytes are all 0x5A, so that fields a getter leaves
// alone can be told from fields it writes.
template <class Record>
Record keyed(const char* name) {
  Record r;
  std::memset(&r, 0x5A, sizeof r);
  std::snprintf(r.Name, sizeof r.Name, "%s", name);
  return r;
}

// Whether `size` bytes at `p` still hold the 0x5A pattern of `keyed`.
inline bool untouched(const void* p, size_t size) {
  const unsigned char* b = static_cast<const unsigned char*>(p);
  for (size_t i = 0; i < size; ++i) {
    if (b[i] != 0x5A) return false;
  }
  return true;
}

// Name comparison is process-wide: this switches it to ignore letter case for one scope and
// back to exact whatever happens, so later tests start exact.
struct CaseInsensitiveNames {
  CaseInsensitiveNames() { Ordex_ConfigureStringComparison(1); }
  ~CaseInsensitiveNames() { Ordex_ConfigureStringComparison(0); }
  CaseInsensitiveNames(const CaseInsensitiveNames&) = delete;
  CaseInsensitiveNames& operator=(const CaseInsensitiveNames&) = delete;
};

// A getter of a record keyed by its Name, such as Ordex_GetCharacteristic.
template <class Record>
using KeyedGetter = TOrdexReturnCode (*)(TOrdex*, const char*, Record*, int);

// The codes every keyed getter shares, checked on an instance whose only module M holds an
// entry named `present` (with letters of both cases) and none named "Missing": existence only
// writes nothing, names compare exactly unless asked otherwise and the key stays as written,
// and the codes of a missing entry or module and of null pointers.
template <class Record>
void expectLookupCodes(KeyedGetter<Record> get, TOrdex* inst, const char* present,
                       TOrdexReturnCode notFound) {
  Record r = keyed<Record>(present);
  const Record before = r;
  EXPECT_EQ(get(inst, nullptr, &r, 1), rcOk);
  EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0) << "an existence check writes nothing";
  EXPECT_EQ(get(inst, "M", &r, 0), rcOk);

  std::string upper(present);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  Record folded = keyed<Record>(upper.c_str());
  EXPECT_EQ(get(inst, nullptr, &folded, 0), notFound);
  {
    CaseInsensitiveNames ignoreCase;
    EXPECT_EQ(get(inst, nullptr, &folded, 0), rcOk);
    EXPECT_STREQ(folded.Name, upper.c_str());
  }

  Record missing = keyed<Record>("Missing");
  EXPECT_EQ(get(inst, nullptr, &missing, 1), notFound);
  EXPECT_EQ(get(inst, nullptr, &missing, 0), notFound);
  EXPECT_EQ(get(inst, "Other", &r, 0), rcModuleNotFound);
  EXPECT_EQ(get(inst, nullptr, nullptr, 0), rcNullArgument);
  EXPECT_EQ(get(nullptr, nullptr, &r, 0), rcNoInstance);
  Instance empty;
  EXPECT_EQ(get(empty, nullptr, &r, 0), rcModuleNotFound);
}

}  // namespace ordex_test
