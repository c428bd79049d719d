#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "CoreTestSupport.h"
#include "adsi/Accounts.h"
#include "core/TextHelpers.h"
#include "core/WinAccounts.h"

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

TEST(WinAccounts, FullnameFromTheUserDatabaseOrTheNameGiven) {
  // The user database's full name, up to its first comma.
  EXPECT_EQ(WinUserFullname("postgres"), "PostgreSQL administrator");
  EXPECT_EQ(WinUserFullname("qv-no-such-account"), "qv-no-such-account");
  EXPECT_EQ(CurrentWinUser(), adsi::ProcessUserName());
}

// Run as a user that the user database does not know and without USER or
// LOGNAME, the program cannot tell who it is: the user is told, and the
// name is empty. Tried in a child process, which may change its user.
TEST(WinAccounts, AnUnknownUserIsToldAndGetsNoName) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs to change the process's user";
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::unsetenv("USER");
    ::unsetenv("LOGNAME");
    if (::setuid(54321) != 0) ::_exit(2);
    test::Captured captured;
    const std::string name = CurrentWinUser();
    const auto& m = captured.Messages();
    const bool told = m.size() == 1 && m[0].prompt == "User name can not be determined." && m[0].buttons == 16;
    ::_exit(name.empty() && told ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
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
