#include "adsi/Domain.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "adsi/Accounts.h"
#include "adsi/Errors.h"
#include "adsi/WinNTPath.h"
#include "adsi/WinNTSystemInfo.h"
#include "runtime/Strings.h"

namespace adsi {

namespace {

bool SameText(const std::string& a, const std::string& b) {
  return rt::StrComp(a, b, rt::CompareMethod::Text) == 0;
}

// UID_MIN and UID_MAX of /etc/login.defs: the ids of accounts people use.
std::pair<unsigned, unsigned> PersonUidRange() {
  unsigned low = 1000, high = 60000;
  std::ifstream defs("/etc/login.defs");
  std::string line;
  while (std::getline(defs, line)) {
    std::istringstream words(line);
    std::string key;
    unsigned value = 0;
    if (!(words >> key >> value)) continue;
    if (key == "UID_MIN") low = value;
    if (key == "UID_MAX") high = value;
  }
  return {low, high};
}

}  // namespace

std::vector<std::string> Domain::Names() { return {WinNTSystemInfo().DomainName()}; }

bool Domain::IsThisDomain(const std::string& name) {
  WinNTSystemInfo info;
  return SameText(name, info.DomainName()) || SameText(name, info.ComputerName());
}

Domain Domain::Bind(const std::string& pathOrName) {
  std::string name = pathOrName;
  if (pathOrName.find("://") != std::string::npos) {
    WinNTPath p = ParseWinNTPath(pathOrName);
    if (!p.object.empty()) RaiseAdsi(errBadPathName, "An invalid directory pathname was passed: " + pathOrName);
    name = p.domain;
  }
  if (!IsThisDomain(name)) RaiseAdsi(errDomainNotFound, "The network path was not found: " + name);
  return Domain(name);
}

std::vector<UserAccount> Domain::Users() const {
  auto [low, high] = PersonUidRange();
  std::vector<AccountEntry> entries = AllAccounts();
  std::sort(entries.begin(), entries.end(), [](const AccountEntry& a, const AccountEntry& b) { return a.name < b.name; });
  std::vector<UserAccount> users;
  for (const auto& e : entries) {
    if (e.uid == 0 || (e.uid >= low && e.uid <= high)) users.emplace_back(e);
  }
  return users;
}

}  // namespace adsi
