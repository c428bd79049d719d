// Opening the shared connection cnMain on a SQL Server instance.
#pragma once

#include <string>

#include "runtime/Error.h"

namespace qvadmin {

// (Re)opens cnMain on `Server` with SQL Server authentication (`User`,
// `Password`) when `SqlAuth`, else with Windows authentication; on the
// master database QVault when `UseMasterDB`, else without a catalog. Tells
// the user why a connection failed (and, without the master database, puts
// a short reason into the login dialog's status line). True when open.
bool ConnectSQLServer(bool UseMasterDB, bool SqlAuth, const std::string& Server, const std::string& User,
                      const std::string& Password);

// Sets the login properties of cnMain as both ConnectSQLServer and the
// provisioning use them and opens it, showing nothing; returns the error
// met (number 0 when the connection is open).
rt::Error OpenMainConnection(bool UseMasterDB, bool SqlAuth, const std::string& Server, const std::string& User,
                        const std::string& Password);

}  // namespace qvadmin
