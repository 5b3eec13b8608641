// The place of a read's failure: each file of tests/data/bad holds one fault, and the record
// must name the file that holds it (an include, not the top file), its line and column, the
// token and what was expected there, the same whether the read keeps the text or streams it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ordex.h"
#include "support/test_support.h"

namespace {

struct Case {
  const char* file;  // in tests/data/bad
  TOrdexReturnCode rc;
  const char* failingFile;  // where the fault lies
  int line;
  int column;
  const char* token;
  const char* expected;
  int blockLine;  // where the block left open began; 0 for none
};

const Case kCases[] = {
    {"number_in_include.a2l", rcBadNumber, "included/measurements_bad_address.a2l", 6, 14, "0x10G0",
     "a hexadecimal number", 0},
    {"bit_mask_not_hexadecimal.a2l", rcBadNumber, "bit_mask_not_hexadecimal.a2l", 4, 16, "0xFFFFG",
     "a hexadecimal number", 0},
    {"letter_in_coefficients.a2l", rcBadNumber, "letter_in_coefficients.a2l", 4, 22, "O",
     "a number", 0},
    {"measurement_left_open.a2l", rcBlockNesting, "measurement_left_open.a2l", 5, 12, "MEASUREMENT",
     "/end MEASUREMENT", 3},
    {"annotation_left_open.a2l", rcBlockNesting, "annotation_left_open.a2l", 6, 10, "MEASUREMENT",
     "/end ANNOTATION", 4},
    {"project_left_open.a2l", rcBlockNesting, "project_left_open.a2l", 3, 14, "", "/end PROJECT",
     1},
    {"module_closed_twice.a2l", rcBlockNesting, "module_closed_twice.a2l", 4, 8, "MODULE",
     "/end PROJECT", 1},
    {"if_data_misspelt_end.a2l", rcBlockNesting, "if_data_misspelt_end.a2l", 6, 10, "IF_DATX",
     "/end IF_DATA", 3},
    {"measurement_outside_module.a2l", rcBlockOutsideParent, "measurement_outside_module.a2l", 3, 8,
     "MEASUREMENT", "a block inside /begin MODULE", 0},
    {"include_not_there.a2l", rcIncludeOpenFailed, "include_not_there.a2l", 3, 14,
     "\"included/not_there.a2l\"", "the name of a file that can be opened", 0},
};

TEST(ReadFailure, EachPlantedFaultIsPlacedInTheFileThatHoldsIt) {
  for (const Case& c : kCases) {
    for (uint32_t options : {0u, uint32_t{ORDEX_READ_WITHOUT_SOURCE}}) {
      SCOPED_TRACE(std::string(c.file) + (options ? " streamed" : " kept"));
      ordex_test::Instance inst;
      ASSERT_EQ(Ordex_SetReadOptions(inst, options), rcOk);
      const std::string path = ordex_test::dataPath(std::string("bad/") + c.file);
      EXPECT_EQ(Ordex_ReadAsapFile(inst, path.c_str(), nullptr, nullptr), c.rc);
      TReadFailure f;
      ASSERT_EQ(Ordex_GetReadFailure(inst, &f), rcOk);
      EXPECT_EQ(f.ReturnCode, c.rc);
      EXPECT_EQ(std::string(f.File), ordex_test::dataPath(std::string("bad/") + c.failingFile));
      EXPECT_EQ(f.Line, c.line);
      EXPECT_EQ(f.Column, c.column);
      EXPECT_STREQ(f.Token, c.token);
      EXPECT_STREQ(f.Expected, c.expected);
      EXPECT_EQ(f.BlockLine, c.blockLine);
      EXPECT_EQ(std::string(f.BlockFile), c.blockLine ? path : "");
      // The caret of a compiler's message sits under the token in the line given.
      if (*c.token) {
        EXPECT_EQ(std::string(f.SourceLine).substr(c.column - 1, std::strlen(c.token)), c.token);
      }
    }
  }
}

TEST(ReadFailure, ClearedByAReadThatSucceedsAndNamesAFileThatCannotBeOpened) {
  ordex_test::Instance inst;
  TReadFailure f;
  ASSERT_EQ(Ordex_GetReadFailure(inst, &f), rcOk);
  EXPECT_EQ(f.ReturnCode, rcOk);
  const std::string missing = ordex_test::dataPath("bad/no_such_file.a2l");
  EXPECT_EQ(Ordex_ReadAsapFile(inst, missing.c_str(), nullptr, nullptr), rcFileOpenFailed);
  ASSERT_EQ(Ordex_GetReadFailure(inst, &f), rcOk);
  EXPECT_EQ(f.ReturnCode, rcFileOpenFailed);
  EXPECT_EQ(std::string(f.File), missing);
  EXPECT_EQ(f.Line, 0);
  const std::string good = ordex_test::dataPath("measurement_all_items.a2l");
  EXPECT_EQ(Ordex_ReadAsapFile(inst, good.c_str(), nullptr, nullptr), rcOk);
  ASSERT_EQ(Ordex_GetReadFailure(inst, &f), rcOk);
  EXPECT_EQ(f.ReturnCode, rcOk);
  EXPECT_STREQ(f.File, "");
  EXPECT_EQ(Ordex_GetReadFailure(nullptr, &f), rcNoInstance);
  EXPECT_EQ(Ordex_GetReadFailure(inst, nullptr), rcNullArgument);
}

}  // namespace
