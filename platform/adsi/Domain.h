// The "WinNT:" namespace and a "WinNT://domain" container. The network
// holds one domain: this machine's (WinNTSystemInfo::DomainName), also
// reachable by the computer name. Its users are the accounts people log in
// with: user ids from UID_MIN to UID_MAX of /etc/login.defs (1000 to 60000
// when not set there), plus root, which stands where a Windows machine
// lists its Administrator account; the other system accounts (services,
// "nobody") are left out.
#pragma once

#include <string>
#include <vector>

#include "adsi/UserAccount.h"

namespace adsi {

class Domain {
 public:
  // The names of the domains "WinNT:" enumerates.
  static std::vector<std::string> Names();
  // Binds "WinNT://name" or a bare domain name; raises 0x80070035 for an
  // unknown one.
  static Domain Bind(const std::string& pathOrName);

  const std::string& Name() const noexcept { return m_name; }
  // The domain's user accounts, sorted by name.
  std::vector<UserAccount> Users() const;
  // Whether `name` names this domain (without regard to case).
  static bool IsThisDomain(const std::string& name);

 private:
  explicit Domain(std::string name) : m_name(std::move(name)) {}
  std::string m_name;
};

}  // namespace adsi
