// The session state of QVAdmin: the one shared connection and what the
// login made of it. Set by the login and provisioning, read by every view.
#pragma once

#include <memory>
#include <string>

#include "ado/Connection.h"

namespace qvadmin {

// The shared connection, created at start-up (not opened), opened by the
// login, closed by the main window.
inline std::shared_ptr<ado::Connection> cnMain;
// Server instance and SQL login name of the session.
inline std::string SqlServer;
inline std::string SqlUser;
// The root folder of the document archive, "" when not found.
inline std::string ArchivePath;
// Benutzer.ID of the Windows user who runs the program, "" when unknown.
inline std::string CurrentUserID;

// The shared connection; created (closed) when it does not exist yet.
ado::Connection& MainConnection();
// Ends the shared connection's session on the server when it is open;
// errors are ignored and none is left pending.
void CloseMainConnection();

// The name of the master database.
inline constexpr const char* kMasterDatabase = "QVault";

}  // namespace qvadmin
