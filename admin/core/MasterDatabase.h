// First-run creation of the master database QVault.
#pragma once

#include <string>
#include <vector>

namespace qvadmin {

// Opens cnMain on the master database QVault. When the server has no
// QVault yet, connects without a catalog, creates it with its tables, first
// rows and Memo database triggers, records the program folder, welcomes
// the user, reconnects on QVault and makes sure that the current Windows
// user has a user record. True when cnMain is open on QVault; False when
// the server can't be reached, QVault exists but can't be opened, the
// creation failed or the final reconnection failed (the user has been told
// why in every case). A master database that lacks objects of its build is
// told and not used; one whose contents the login may not read is left to
// the start page, which tells why.
bool InitMasterDatabase(bool SqlAuth, const std::string& Server, const std::string& User,
                        const std::string& Password);

// What the master database that cnMain is open on lacks of its build:
// the tables and the configuration row that every build has and, at the
// current build, also the tables and the triggers of DBList that only it
// has ("" each, by name; empty when nothing is missing). Raises when the
// catalogue or Konfig can't be read (the login may lack the rights): a
// database that can't be read is not called incomplete.
std::vector<std::string> MissingMasterObjects();

// Tells the user that the master database lacks `missing`.
void ShowIncompleteMasterDatabase(const std::vector<std::string>& missing);

}  // namespace qvadmin
