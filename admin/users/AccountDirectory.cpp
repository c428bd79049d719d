#include "users/AccountDirectory.h"

#include "adsi/Domain.h"
#include "adsi/UserAccount.h"

namespace qvadmin {

namespace {

DirectoryAccount FromAccount(const adsi::UserAccount& account, bool details) {
  DirectoryAccount result{account.Name(), account.Fullname(), {}, {}, {}, {}, {}, {}};
  if (details) {
    result.description = account.Description();
    result.profile = account.Profile();
    result.loginscript = account.Loginscript();
    result.homeDirDrive = account.HomeDirDrive();
    result.homeDirectory = account.HomeDirectory();
    result.groups = account.Groups();
  }
  return result;
}

// The system's accounts through the directory layer (WinNT provider over
// the system's user database).
class SystemDirectory final : public AccountDirectory {
 public:
  std::vector<std::string> Domains() const override { return adsi::Domain::Names(); }
  std::vector<DirectoryAccount> Users(const std::string& domain) const override {
    std::vector<DirectoryAccount> users;
    for (const adsi::UserAccount& account : adsi::Domain::Bind("WinNT://" + domain).Users()) {
      users.push_back(FromAccount(account, false));
    }
    return users;
  }
  DirectoryAccount Account(const std::string& domain, const std::string& name) const override {
    return FromAccount(adsi::UserAccount::Bind("WinNT://" + domain + "/" + name), true);
  }
};

std::shared_ptr<AccountDirectory>& Current() {
  static std::shared_ptr<AccountDirectory> current = std::make_shared<SystemDirectory>();
  return current;
}

}  // namespace

const AccountDirectory& Directory() { return *Current(); }

void SetAccountDirectory(std::shared_ptr<AccountDirectory> directory) {
  Current() = directory ? std::move(directory) : std::make_shared<SystemDirectory>();
}

}  // namespace qvadmin
