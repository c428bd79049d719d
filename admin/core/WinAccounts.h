// The current Windows account and the full names of accounts.
#pragma once

#include <string>

namespace qvadmin {

// The name of the Windows user of the process; "" after telling the user
// when it can't be read.
std::string CurrentWinUser();

// The full name of the account `user` in the current domain; `user`
// unchanged when the account has none or the directory can't be reached.
std::string WinUserFullname(const std::string& user);

}  // namespace qvadmin
