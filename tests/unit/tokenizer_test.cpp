// The token rules: whitespace, comments, quoted strings, escapes, the length limit and line
// counting.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "reader/token_source.h"
#include "support/unit_support.h"

namespace {

struct TokenCase {
  const char* name;
  std::string input;
  std::vector<std::string> tokens;
};

class TokenizerCases : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenizerCases, SplitsAsExpected) {
  const TokenCase& c = GetParam();
  EXPECT_EQ(ordex_test::tokenize(c.input), c.tokens) << c.name;
}

const TokenCase kCases[] = {
    {"comments around a word", "/* a */B/* c */\n", {"B"}},
    {"line comment right after a word", "x// note\ny\n", {"x", "y"}},
    {"quoted text keeps quotes", "\"a b\" c\n", {"\"a b\"", "c"}},
    {"escaped quote leaves the quote", "\"say \\\"hi\\\"\" ", {"\"say \"hi\"\""}},
    {"other escapes stay two characters", "\"a\\tb\" ", {"\"a\\tb\""}},
    {"double backslash stays two", "\"a\\\\b\" ", {"\"a\\\\b\""}},
    {"comment opener after closing quote loses its slash",
     "\"abc\"/* x */ ",
     {"\"abc\"", "*", "x", "*/"}},
    {"word glued to quoted text", "abc\"d e\" f\n", {"abc\"d e\"", "f"}},
    {"character after a closing quote is lost", "\"a\"b c\n", {"\"a\"", "c"}},
    {"last token without trailing whitespace is lost", "a b", {"a"}},
    {"comment opener inside quotes is text", "\"a /* b */ c\" ", {"\"a /* b */ c\""}},
    {"comment inside a word splits it", "ab/*x*/cd ", {"ab", "cd"}},
    {"slash star slash opens a comment", "/*/ a */ b ", {"b"}},
    {"commented-out block opened by slash star slash", "/*/begin X\n/end X*/ c\n", {"c"}},
    {"slash inside a word stays", "a/b c\n", {"a/b", "c"}},
    {"star after a block comment end is a character", "/* x */* y */ z ", {"*", "y", "*/", "z"}},
    {"slash after a block comment end is a character", "/* x *//y z\n", {"/y", "z"}},
    {"tabs and carriage returns separate", "a\tb\r\nc\fd\ve\n", {"a", "b", "c", "d", "e"}},
    {"line comment at end of input", "a // tail", {"a"}},
    {"unterminated string is dropped", "a \"never closed", {"a"}},
    {"unterminated block comment", "a /* never closed", {"a"}},
    {"utf-8 byte-order mark is skipped", "\xEF\xBB\xBF/begin X\n", {"/begin", "X"}},
    {"non-ASCII bytes pass through",
     "Dr\xC3\xBC"
     "ck \"\xE4\xF6\xFC\"\n",
     {"Dr\xC3\xBC"
      "ck",
      "\"\xE4\xF6\xFC\""}},
    {"NUL byte ends the token text", std::string("ab\0cd ef\n", 9), {"ab", "ef"}},
    {"line comment opener right after a word", "ab//c\nd\n", {"ab", "d"}},
    {"block comment ends a started word", "a/*b*/c\n", {"a", "c"}},
    {"slash after a closing quote is lost", "\"a\"/\"b\" c\n", {"\"a\"", "\"b\"", "c"}},
    {"quote right after a closing quote continues the string",
     "\"a\"\"b\" c\n",
     {"\"a\"\"b\"", "c"}},
    {"escaped quote keeps the string open", "\"x\\\" y\" z\n", {"\"x\" y\"", "z"}},
    {"crlf line ends", "a\r\nb\r\n", {"a", "b"}},
};

INSTANTIATE_TEST_SUITE_P(Rules, TokenizerCases, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<TokenCase>& info) {
                           std::string n = info.param.name;
                           for (char& ch : n) {
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           }
                           return n;
                         });

TEST(Tokenizer, LongTokenIsCutTo1023Characters) {
  std::string word(5000, 'w');
  auto tokens = ordex_test::tokenize(word + " next\n");
  ASSERT_EQ(tokens.size(), 2u);
  EXPECT_EQ(tokens[0], std::string(1023, 'w'));
  EXPECT_EQ(tokens[1], "next");
}

TEST(Tokenizer, CommentOpenerAtTheLengthLimit) {
  // The slash taken back when a comment opens is the last character stored.
  auto tokens = ordex_test::tokenize(std::string(1022, 'w') + "/* c */ " + std::string(1030, 'v') +
                                     "// c\nend\n");
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[0], std::string(1022, 'w'));
  EXPECT_EQ(tokens[1], std::string(1023, 'v'));
  EXPECT_EQ(tokens[2], "end");
}

TEST(Tokenizer, LongQuotedStringKeepsReadingToItsEnd) {
  std::string text(2000, 'q');
  auto tokens = ordex_test::tokenize("\"" + text + "\" after\n");
  ASSERT_EQ(tokens.size(), 2u);
  EXPECT_EQ(tokens[0].size(), 1023u);
  EXPECT_EQ(tokens[1], "after");
}

TEST(Tokenizer, TokensLongerThanTheReadBufferStayWhole) {
  // The reader's buffer is refilled in the middle of words, strings and comments.
  std::string input;
  for (int i = 0; i < 60000; ++i) input += "word" + std::to_string(i) + " /*c*/ \"s t\" // x\n";
  auto tokens = ordex_test::tokenize(input);
  ASSERT_EQ(tokens.size(), 120000u);
  EXPECT_EQ(tokens[119998], "word59999");
  EXPECT_EQ(tokens[119999], "\"s t\"");
}

TEST(Tokenizer, CountsLineFeedsInCommentsAndStrings) {
  ordex_test::TempFile f("a /* 1\n2\n */ \"x\ny\" // c\nb\n");
  ordex::TokenSource src(f.path());
  ordex::Token t;
  ASSERT_EQ(src.next(t), ordex::ReturnCode::Ok);
  EXPECT_EQ(src.lineNumber, 1);
  ASSERT_EQ(src.next(t), ordex::ReturnCode::Ok);  // the string, after two line feeds of the comment
  EXPECT_EQ(src.lineNumber, 4);
  ASSERT_EQ(src.next(t), ordex::ReturnCode::Ok);
  EXPECT_EQ(t.view(), "b");
  EXPECT_EQ(src.lineNumber, 6);
  EXPECT_EQ(src.next(t), ordex::ReturnCode::FileAccessFailed);
}

}  // namespace
