// The Windows accounts that the account import reads: the domains of the
// network, a domain's user accounts and an account's details. The program
// reads the system's directory layer; tests put a directory of their own in
// its place.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace qvadmin {

struct DirectoryAccount {
  std::string name;
  std::string fullname;
  std::string description;
  std::string profile;
  std::string loginscript;
  std::string homeDirDrive;
  std::string homeDirectory;
  std::vector<std::string> groups;
};

class AccountDirectory {
 public:
  virtual ~AccountDirectory() = default;
  // The names that "WinNT:" enumerates.
  virtual std::vector<std::string> Domains() const = 0;
  // The user accounts of "WinNT://domain" (name and full name filled).
  virtual std::vector<DirectoryAccount> Users(const std::string& domain) const = 0;
  // "WinNT://domain/name" with all its details; raises when it doesn't exist.
  virtual DirectoryAccount Account(const std::string& domain, const std::string& name) const = 0;
};

// The directory in use: the system's unless a test set another.
const AccountDirectory& Directory();
// Puts `directory` in place (nullptr: the system's again).
void SetAccountDirectory(std::shared_ptr<AccountDirectory> directory);

}  // namespace qvadmin
