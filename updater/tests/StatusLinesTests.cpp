#include <gtest/gtest.h>

#include "StatusLines.h"

namespace verscout {
namespace {

// Every character is 1 unit wide.
int Chars(std::string_view text) { return static_cast<int>(text.size()); }

TEST(StatusLines, ALineWiderThanTheListIsSplitAtBlanksThenSlashesThenAnywhere) {
  struct Case {
    std::string text;
    int width;
    std::vector<std::string> rows;
  };
  for (const Case& c : {
           Case{"fits exactly", 12, {"fits exactly"}},
           Case{"Copy error: disk full", 12, {"Copy error:", "  disk full"}},
           Case{"Write error: /srv/updates/QVUpdate.exe", 16, {"Write error:", "  /srv/updates/", "  QVUpdate.exe"}},
           Case{"abcdefghij", 4, {"abcd", "  ef", "  gh", "  ij"}},
           Case{"", 4, {}},
       }) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SplitToWidth(c.text, c.width, Chars), c.rows);
  }
}

}  // namespace
}  // namespace verscout
