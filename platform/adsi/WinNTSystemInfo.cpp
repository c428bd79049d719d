#include "adsi/WinNTSystemInfo.h"

#include "adsi/Accounts.h"

namespace adsi {

WinNTSystemInfo::WinNTSystemInfo()
    : m_userName(ProcessUserName()), m_computerName(HostName()), m_domainName(HostDomain()) {
  if (m_domainName.empty()) m_domainName = m_computerName;
}

}  // namespace adsi
