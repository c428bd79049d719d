#include "core/WinAccounts.h"

#include "adsi/UserAccount.h"
#include "adsi/WinNTSystemInfo.h"
#include "core/CoreMessage.h"
#include "core/TextHelpers.h"
#include "runtime/Error.h"
#include "shell/System.h"

namespace qvadmin {

std::string CurrentWinUser() {
  std::string name = CutAtNull(shell::GetUserNameA());
  if (name.empty()) ShowCoreMessage("User name can not be determined.", vbCritical, "");
  return name;
}

std::string WinUserFullname(const std::string& user) {
  std::string fullname;
  std::string domain;
  bool haveInfo = rt::ResumeNext([&] {
    adsi::WinNTSystemInfo info;
    (void)info.UserName();
    (void)info.PDC();
    domain = info.DomainName();
  });
  if (haveInfo) {
    rt::ResumeNext([&] { fullname = adsi::UserAccount::Bind("WinNT://" + domain + "/" + user).Fullname(); });
  }
  rt::Err().Clear();
  return fullname.empty() ? user : fullname;
}

}  // namespace qvadmin
