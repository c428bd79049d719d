#include "adsi/UserAccount.h"

#include "adsi/Accounts.h"
#include "adsi/Domain.h"
#include "adsi/Errors.h"
#include "adsi/WinNTPath.h"

namespace adsi {

namespace {

// The n-th comma-separated part of a GECOS field (from 0), "" when absent.
std::string GecosPart(const std::string& gecos, size_t n) {
  size_t begin = 0;
  for (size_t i = 0; i < n; ++i) {
    begin = gecos.find(',', begin);
    if (begin == std::string::npos) return "";
    ++begin;
  }
  return gecos.substr(begin, gecos.find(',', begin) - begin);
}

}  // namespace

UserAccount::UserAccount(const AccountEntry& entry)
    : m_name(entry.name),
      m_fullname(GecosPart(entry.gecos, 0)),
      m_description(GecosPart(entry.gecos, 4)),
      m_loginscript(entry.shell),
      m_homeDirectory(entry.home),
      m_gid(entry.gid) {}

UserAccount UserAccount::Bind(const std::string& path) {
  WinNTPath p = ParseWinNTPath(path);
  if (p.object.empty()) RaiseAdsi(errBadPathName, "An invalid directory pathname was passed: " + path);
  if (!Domain::IsThisDomain(p.domain)) RaiseAdsi(errDomainNotFound, "The network path was not found: " + p.domain);
  auto entry = FindAccount(p.object);
  if (!entry) RaiseAdsi(errUserNotFound, "The user name could not be found: " + p.object);
  return UserAccount(*entry);
}

std::vector<std::string> UserAccount::Groups() const {
  AccountEntry entry;
  entry.name = m_name;
  entry.gid = m_gid;
  return GroupNamesOf(entry);
}

}  // namespace adsi
