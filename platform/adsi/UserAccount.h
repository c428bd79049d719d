// A user account, the object of a "WinNT://domain/name" path, read from the
// system's user database:
// - Fullname: the GECOS field up to its first comma;
// - Description: the GECOS field's fifth part ("other"), "" without one;
// - HomeDirectory: the home folder; HomeDirDrive and Profile: "" (no drive
//   letters or roaming profiles here); Loginscript: the login shell;
// - Groups: the names of the account's groups, its primary group first.
#pragma once

#include <string>
#include <vector>

namespace adsi {

struct AccountEntry;

class UserAccount {
 public:
  // Binds "WinNT://domain/name" (a trailing ",user" class is allowed).
  // Raises 0x80005000 for another kind of path, 0x80070035 for a domain
  // other than this machine's, 0x800708AD when the account doesn't exist.
  static UserAccount Bind(const std::string& path);
  explicit UserAccount(const AccountEntry& entry);

  const std::string& Name() const noexcept { return m_name; }
  const std::string& Fullname() const noexcept { return m_fullname; }
  const std::string& Description() const noexcept { return m_description; }
  const std::string& Profile() const noexcept { return m_profile; }
  const std::string& Loginscript() const noexcept { return m_loginscript; }
  const std::string& HomeDirDrive() const noexcept { return m_homeDirDrive; }
  const std::string& HomeDirectory() const noexcept { return m_homeDirectory; }
  std::vector<std::string> Groups() const;

 private:
  std::string m_name, m_fullname, m_description, m_profile, m_loginscript, m_homeDirDrive, m_homeDirectory;
  unsigned m_gid = 0;
};

}  // namespace adsi
