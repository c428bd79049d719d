// The system's user database (NSS) as the directory layer reads it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace adsi {

struct AccountEntry {
  std::string name;
  std::string gecos;
  std::string home;
  std::string shell;
  unsigned uid = 0;
  unsigned gid = 0;
};

std::optional<AccountEntry> FindAccount(const std::string& name);
std::vector<AccountEntry> AllAccounts();
// The names of the groups the account belongs to (its primary group first).
std::vector<std::string> GroupNamesOf(const AccountEntry& account);
// The user the process runs as.
std::string ProcessUserName();
// This machine's name, without a domain part.
std::string HostName();
// The host's DNS domain ("" when it has none).
std::string HostDomain();

}  // namespace adsi
