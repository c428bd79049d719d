// First-run creation of the master database QVault.
#pragma once

#include <string>

namespace qvadmin {

// Opens cnMain on the master database QVault. When the server has no
// QVault yet, connects without a catalog, creates it with its tables, first
// rows and Memo database triggers, records the program folder, welcomes
// the user, reconnects on QVault and makes sure that the current Windows
// user has a user record. True when cnMain is open on QVault; False when
// the server can't be reached, QVault exists but can't be opened, the
// creation failed or the final reconnection failed (the user has been told
// why in every case).
bool InitMasterDatabase(bool SqlAuth, const std::string& Server, const std::string& User,
                        const std::string& Password);

}  // namespace qvadmin
