// The user record of the Windows user who runs the program.
#pragma once

#include <string>

namespace qvadmin {

// The ID of the default user, the template of every new user.
inline constexpr const char* kDefaultUserID = "{00000001-0000-0000-0000-000000000000}";

// On cnMain, open on the master database: the Benutzer.ID of the row whose
// WinUsr is the current Windows user. When there is none, one is made in
// one transaction from the default user (its settings and its group
// memberships copied, a new GUID, the full name of the Windows account).
// "" when no row could be found or made; the user has then been told why
// (with the server's reason) and the login dialog's status line says it.
std::string EnsureCurrentUser();

}  // namespace qvadmin
