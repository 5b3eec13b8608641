// IF_DATA blocks standing directly in a MODULE: read by the top-level reader itself and
// kept in the module's IfData list. Checked through the internal reader until an
// enumerator for module IF_DATA exists.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "reader/file_reader.h"
#include "support/unit_support.h"

namespace {

std::vector<std::pair<std::string, std::string>> moduleIfData(const std::string& text,
                                                              TOrdexReturnCode expected = rcOk) {
  ordex_test::TempFile f(text);
  TOrdex inst;
  EXPECT_EQ(ordex::readAsapFile(inst, f.path().c_str(), nullptr, nullptr), expected);
  std::vector<std::pair<std::string, std::string>> out;
  if (!inst.Project || !inst.Project->Modules.first()) return out;
  for (const TIfData_Intern* e : inst.Project->Modules.first()->IfData) {
    out.emplace_back(e->Name, e->Content);
  }
  return out;
}

using Entries = std::vector<std::pair<std::string, std::string>>;

TEST(ModuleIfData, NameAndContentAsRead) {
  EXPECT_EQ(
      moduleIfData("/begin PROJECT P \"\"\n/begin MODULE M \"\"\n"
                   "/begin IF_DATA XCP\n"
                   "  /begin PROTOCOL_LAYER 0x0100 \"quoted text\" /end PROTOCOL_LAYER\n"
                   "  LAST\n"
                   "/end IF_DATA\n"
                   "/begin IF_DATA \"CCP\" /end IF_DATA\n"
                   "/end MODULE\n/end PROJECT\n"),
      (Entries{{"XCP", "/begin PROTOCOL_LAYER 0x0100 \"quoted text\" /end PROTOCOL_LAYER LAST "},
               {"\"CCP\"", ""}}));
}

TEST(ModuleIfData, IfDataOfObjectBlocksIsNotTheModules) {
  // Inside CHARACTERISTIC, MEASUREMENT, AXIS_PTS and MOD_PAR an IF_DATA belongs to that block.
  EXPECT_EQ(moduleIfData("/begin PROJECT P \"\"\n/begin MODULE M \"\"\n"
                         "/begin MEASUREMENT m \"\" UBYTE CM 0 0 0 1\n"
                         "  /begin IF_DATA A x /end IF_DATA\n"
                         "/end MEASUREMENT\n"
                         "/begin MOD_PAR \"\" /begin IF_DATA B y /end IF_DATA /end MOD_PAR\n"
                         "/begin IF_DATA C z /end IF_DATA\n"
                         "/end MODULE\n/end PROJECT\n"),
            (Entries{{"C", "z "}}));
}

TEST(ModuleIfData, StaysAfterAFailure) {
  EXPECT_EQ(moduleIfData("/begin PROJECT P \"\"\n/begin MODULE M \"\"\n"
                         "/begin IF_DATA XCP a b\n",
                         rcBlockNesting),
            (Entries{{"XCP", "a b "}}));
}

}  // namespace
