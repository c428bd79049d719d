#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SqlScriptRunner.h"

namespace qvadmin {
namespace {

// All batches NextScriptBatch yields for `text`, "" included, as the runner
// asks for them.
std::vector<std::string> Batches(const std::string& text) {
  std::vector<std::string> out;
  int32_t pos = 0;
  do {
    out.push_back(NextScriptBatch(pos, text));
  } while (!ScriptExhausted(pos, text) && out.size() < 100);
  return out;
}

struct Case {
  const char* name;
  std::string text;
  std::vector<std::string> batches;
};

TEST(NextScriptBatch, TableOfCases) {
  const std::vector<Case> cases = {
      {"two batches ending with GO CR LF", "SELECT 1\r\nGO\r\nSELECT 2\r\nGO\r\n",
       {"SELECT 1\r\n", "SELECT 2\r\n"}},
      {"lower-case go never splits", "SELECT 'go' AS go\r\ngo\r\n", {"SELECT 'go' AS go\r\ngo\r\n"}},
      {"GO inside a name splits", "SELECT 1 AS GOAL\r\n", {"SELECT 1 AS ", "AL\r\n"}},
      {"no final GO: the tail is the last batch", "SELECT 1\r\nGO\r\nSELECT 2",
       {"SELECT 1\r\n", "SELECT 2"}},
      {"one or two non-blank characters are skipped", " ; GO ab GO\r\nSELECT 3",
       {"", "", "SELECT 3"}},
      {"comments go with their CR LF",
       "/* Tabelle Konfig */\r\nCREATE TABLE a (x int);\r\n/* two */ /* three */\r\nGO\r\n",
       {"CREATE TABLE a (x int);\r\n "}},
      {"an unclosed comment runs to the end of the batch", "SELECT 1 /* open\r\nGO\r\nSELECT 2",
       {"SELECT 1 ", "SELECT 2"}},
      {"at most ten leading blanks and line ends go, tabs stay",
       std::string(12, ' ') + "SELECT 1", {"  SELECT 1"}},
      {"a tab stops the leading cut", "\r\n\tSELECT 1", {"\tSELECT 1"}},
      {"two non-ASCII characters are as short as two others", "SELECT 1\r\nGO\u00e9\u00e9",
       {"SELECT 1\r\n", ""}},
      {"empty text", "", {""}},
      {"text of GO alone", "GO", {""}},
  };
  for (const auto& c : cases) EXPECT_EQ(Batches(c.text), c.batches) << c.name;
}

TEST(NextScriptBatch, PositionMovesPastEachGo) {
  const std::string text = "SELECT 1\r\nGO\r\nSELECT 2";
  int32_t pos = 0;
  NextScriptBatch(pos, text);
  EXPECT_EQ(pos, 13);  // "SELECT 1\r\n" is 10 characters, "GO" at 11 and 12
  NextScriptBatch(pos, text);
  EXPECT_EQ(pos, static_cast<int32_t>(text.size()) + 1);
  EXPECT_EQ(NextScriptBatch(pos, text), "");
}

}  // namespace
}  // namespace qvadmin
