#include <gtest/gtest.h>

#include <string>

#include "core/TextHelpers.h"

namespace qvadmin {
namespace {

TEST(TextHelpers, GetTokenFields) {
  struct Case { const char* text; uint8_t n; const char* expected; };
  const Case cases[] = {
      {"server|sa|pwd", 1, "server"}, {"server|sa|pwd", 3, "pwd"},  {"a|b", 3, "<PipeEnd>"},
      {"a||c", 2, ""},                 {"a|b|", 3, ""},              {"", 1, ""},
      {"", 2, "<PipeEnd>"},            {"1000|1000|0", 2, "1000"},
  };
  for (const auto& c : cases) EXPECT_EQ(GetToken(c.text, c.n, "|"), c.expected) << c.text << " " << int(c.n);
  EXPECT_EQ(GetToken("a::b", 2, "::"), "b");
}

TEST(TextHelpers, CutAtNullSqlQuoteIsTrueValue) {
  EXPECT_EQ(CutAtNull(std::string("\0abc", 4)), "");
  EXPECT_EQ(CutAtNull(std::string("ab\0c", 4)), "ab");
  EXPECT_EQ(CutAtNull("abc"), "abc");
  EXPECT_EQ(SqlQuote("O'Brien"), "O''Brien");
  EXPECT_EQ(SqlQuote("plain"), "plain");
  EXPECT_EQ(SqlQuote("''"), "''''");
  EXPECT_TRUE(IsTrueValue(-1));
  EXPECT_FALSE(IsTrueValue(1));
  EXPECT_FALSE(IsTrueValue(0));
}

}  // namespace
}  // namespace qvadmin

#include "core/WinAccounts.h"

namespace qvadmin {
namespace {

TEST(WinAccounts, FullnameFallsBackToTheNameGiven) {
  EXPECT_EQ(WinUserFullname("qv-no-such-account"), "qv-no-such-account");
  const std::string me = CurrentWinUser();
  ASSERT_FALSE(me.empty());
  EXPECT_FALSE(WinUserFullname(me).empty());
}

TEST(HtmlToPlainText, KeepsLineBreaksAndTextAndDropsTags) {
  const struct {
    const char* html;
    const char* plain;
  } cases[] = {
      {"<b><u>Head:</u></b><br><br>Body", "Head:\r\n\r\nBody"},
      {"a<BR/>b<br />c<Br>d", "a\r\nb\r\nc\r\nd"},
      {"line 1\r\nline 2", "line 1\r\nline 2"},
      {"<a href=\"x\">link</a> &lt;tag&gt; &quot;q&quot; a&nbsp;b &amp;lt;", "link <tag> \"q\" a b &lt;"},
      {"1 < 2 and 3 > 2, <unclosed", "1 < 2 and 3 > 2, <unclosed"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(HtmlToPlainText(c.html), c.plain) << c.html;
}

}  // namespace
}  // namespace qvadmin
