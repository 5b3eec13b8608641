// Bytes above ASCII (Latin-1 and UTF-8 texts) pass through the reader and the getters
// unchanged: the library never converts or validates encodings.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/test_support.h"

namespace {

using ordex_test::Instance;
using ordex_test::readText;

struct BytesCase {
  const char* name;
  const char* projectName;
  const char* projectLongId;
  const char* moduleName;
  const char* moduleLongId;
};

const BytesCase kBytesCases[] = {
    {"latin-1", "Pr\xF6jekt_\xC4\xD6\xDC",
     "Gr\xFC\xDF"
     "e \xB0"
     "C",
     "Mot\xF6r", "\xE9t\xE9"},
    {"utf-8", "Pr\xC3\xB6jekt", "\xE6\xB8\xA9\xE5\xBA\xA6 \xE2\x84\x83", "\xD0\x9C\xD0\xBE\xD0\xB4",
     "caf\xC3\xA9 \xF0\x9F\x9A\x97"},
    {"high bytes and controls", "\x80\x81\xFE\xFF", "\x01\x7F\xA0", "\xC0\xC1", "\xFF"},
};

class ByteFidelity : public ::testing::TestWithParam<BytesCase> {};

TEST_P(ByteFidelity, NamesAndLongIdentifiersComeBackUnchanged) {
  const BytesCase& c = GetParam();
  Instance inst;
  ASSERT_EQ(readText(inst, std::string("/begin PROJECT ") + c.projectName + " \"" +
                               c.projectLongId + "\"\n/begin MODULE " + c.moduleName + " \"" +
                               c.moduleLongId + "\"\n/end MODULE\n/end PROJECT\n"),
            rcOk);
  TProject p;
  ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
  EXPECT_STREQ(p.Name, c.projectName);
  EXPECT_STREQ(p.LongIdentifier, c.projectLongId);
  TModule m = {};
  std::strcpy(m.Name, c.moduleName);
  ASSERT_EQ(Ordex_GetModule(inst, &m, 0), rcOk);
  EXPECT_STREQ(m.LongIdentifier, c.moduleLongId);
  char list[512];
  ASSERT_EQ(Ordex_GetModuleList(inst, list, sizeof list, nullptr, nullptr), rcOk);
  EXPECT_STREQ(list, c.moduleName);
}

INSTANTIATE_TEST_SUITE_P(Cases, ByteFidelity, ::testing::ValuesIn(kBytesCases),
                         [](const ::testing::TestParamInfo<BytesCase>& info) {
                           std::string n = info.param.name;
                           for (char& ch : n) {
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return n;
                         });

TEST(ByteFidelityHeader, HeaderTextsKeepTheirBytes) {
  Instance inst;
  ASSERT_EQ(readText(inst,
                     "/begin PROJECT P \"\"\n/begin HEADER \"K\xC3\xBChler \xE4\" "
                     "VERSION \"V\xB2\" PROJECT_NO N\xC2\xB0"
                     "1 /end HEADER\n/end PROJECT\n"),
            rcOk);
  TProject p;
  ASSERT_EQ(Ordex_GetProject(inst, &p, 0), rcOk);
  EXPECT_STREQ(p.HeaderComment, "K\xC3\xBChler \xE4");
  EXPECT_STREQ(p.HeaderVersion, "V\xB2");
  EXPECT_STREQ(p.HeaderProjectNo,
               "N\xC2\xB0"
               "1");
}

}  // namespace
