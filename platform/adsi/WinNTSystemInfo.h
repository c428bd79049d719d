// "WinNTSystemInfo": who and where the program runs. The domain is the
// host's DNS domain; a host without one is its own domain, named like the
// computer, as a stand-alone machine's local accounts are.
#pragma once

#include <string>

namespace adsi {

class WinNTSystemInfo {
 public:
  WinNTSystemInfo();

  const std::string& UserName() const noexcept { return m_userName; }
  const std::string& ComputerName() const noexcept { return m_computerName; }
  const std::string& DomainName() const noexcept { return m_domainName; }
  // The machine that holds the domain's accounts: this computer.
  const std::string& PDC() const noexcept { return m_computerName; }

 private:
  std::string m_userName;
  std::string m_computerName;
  std::string m_domainName;
};

}  // namespace adsi
