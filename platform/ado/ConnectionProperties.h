// The properties a connection is opened with ("Data Source", "Initial
// Catalog", "User ID", "Password", "Integrated Security", "Persist Security
// Info", ...), named without regard to case, read from and written to a
// connection string, and turned into the server's connection parameters.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "ado/Session.h"

namespace ado {

class ConnectionProperties {
 public:
  // The value of a property, "" when it was never set.
  std::string Get(std::string_view name) const;
  bool Has(std::string_view name) const;
  void Set(std::string_view name, std::string value);
  void Remove(std::string_view name);

  // Sets every "name=value" pair of a connection string (separated by ";",
  // values optionally in single or double quotes).
  void MergeConnectionString(std::string_view text);
  // The properties as a connection string, the password left out when
  // `withPassword` is false.
  std::string ToConnectionString(bool withPassword) const;

  // Where and as whom to connect:
  // - "Data Source" that starts with "/" is the server's socket folder,
  //   anything else a host name or address; either may end in ",port". A
  //   SQL Server instance suffix ("host\instance") is ignored. Without a
  //   port the server's default applies (PGPORT, else 5432).
  // - "Integrated Security" = "SSPI" (or "true"/"yes") logs in as the
  //   operating-system user by peer authentication, which needs the socket:
  //   when "Data Source" names this machine (".", "(local)", "localhost",
  //   "127.0.0.1" or the computer name) the socket folder is taken from
  //   PGHOST when that is a folder, else libpq's default folder.
  // - Otherwise "User ID" and "Password" log in by password.
  // - "Initial Catalog" is the database; without one, the maintenance
  //   database "postgres" (the server's "master").
  ConnectParams ToConnectParams(int32_t timeoutSeconds) const;

 private:
  static std::string Key(std::string_view name);
  std::map<std::string, std::pair<std::string, std::string>> m_values;  // key -> (name as set, value)
};

// "master" names the server's maintenance database.
std::string ServerDatabaseName(const std::string& name);

}  // namespace ado
