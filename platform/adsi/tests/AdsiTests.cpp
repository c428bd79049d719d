#include "runtime/ErrorNumberOf.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "adsi/Accounts.h"

#include "adsi/Domain.h"
#include "adsi/Errors.h"
#include "adsi/UserAccount.h"
#include "adsi/WinNTSystemInfo.h"
#include "runtime/Error.h"

using namespace adsi;

namespace {

using rt::ErrorNumberOf;

}  // namespace

TEST(Adsi, SystemInfoNamesTheProcessUserAndAHomeDomain) {
  WinNTSystemInfo info;
  EXPECT_FALSE(info.UserName().empty());
  EXPECT_FALSE(info.ComputerName().empty());
  EXPECT_EQ(info.ComputerName().find('.'), std::string::npos);
  EXPECT_FALSE(info.DomainName().empty());
  EXPECT_EQ(Domain::Names(), std::vector<std::string>{info.DomainName()});
}

TEST(Adsi, BindsTheCurrentUserByDomainOrComputerName) {
  WinNTSystemInfo info;
  for (const auto& domain : {info.DomainName(), info.ComputerName()}) {
    UserAccount user = UserAccount::Bind("WinNT://" + domain + "/" + info.UserName());
    EXPECT_EQ(user.Name(), info.UserName());
    EXPECT_FALSE(user.HomeDirectory().empty());
    EXPECT_FALSE(user.Groups().empty());
  }
}

TEST(Adsi, FullnameIsTheGecosFieldUpToItsFirstComma) {
  struct Case {
    const char* gecos;
    const char* fullname;
    const char* description;
  } cases[] = {
      {"Ann Smith,Room 1,555,666,Team lead", "Ann Smith", "Team lead"},
      {"Bob Jones", "Bob Jones", ""},
      {",,,", "", ""},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    UserAccount user(AccountEntry{"u", c.gecos, "/home/u", "/bin/sh", 1000, 1000});
    EXPECT_EQ(user.Fullname(), c.fullname) << c.gecos;
    EXPECT_EQ(user.Description(), c.description) << c.gecos;
  }
}

TEST(Adsi, BadPathsUnknownDomainsAndMissingUsersRaiseTheirNumbers) {
  WinNTSystemInfo info;
  struct Case {
    std::string path;
    int32_t number;
  } cases[] = {
      {"LDAP://x/y", errBadPathName},
      {"WinNT://", errBadPathName},
      {"WinNT://no-such-domain-here/root", errDomainNotFound},
      {"WinNT://" + info.DomainName() + "/no_such_account_qv", errUserNotFound},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorNumberOf([&] { UserAccount::Bind(c.path); }), c.number) << c.path;
  EXPECT_EQ(ErrorNumberOf([&] { Domain::Bind("WinNT://no-such-domain-here"); }), errDomainNotFound);
}

TEST(Adsi, DomainListsPeopleNotServiceAccounts) {
  auto users = Domain::Bind("WinNT://" + WinNTSystemInfo().DomainName()).Users();
  bool hasRoot = false;
  for (const auto& u : users) {
    EXPECT_NE(u.Name(), "daemon");
    EXPECT_NE(u.Name(), "nobody");
    hasRoot = hasRoot || u.Name() == "root";
  }
  EXPECT_TRUE(hasRoot);
  EXPECT_TRUE(std::is_sorted(users.begin(), users.end(),
                             [](const UserAccount& a, const UserAccount& b) { return a.Name() < b.Name(); }));
}
