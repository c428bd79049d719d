// The private test server as the environment describes it (QV_PG_SOCKET_DIR,
// QV_PG_HOST, QV_PG_PORT, QV_PG_USER, QV_PG_PASSWORD, QV_PG_OSUSER, set by
// `eval "$(tools/pgcluster start DIR)"`), for tests of every module that
// needs a database. Tests skip when QV_PG_PORT is unset:
//   if (!ado::TestServer::Available()) GTEST_SKIP() << ado::TestServer::SkipReason();
#pragma once

#include <string>

namespace ado {

class Connection;

class TestServer {
 public:
  static bool Available();
  static const char* SkipReason() { return "no test database server (QV_PG_PORT unset)"; }

  // "Data Source" values: "127.0.0.1,PORT" and "SOCKETFOLDER,PORT".
  static std::string TcpDataSource();
  static std::string SocketDataSource();
  // The password superuser (SQL Server authentication) and the role of the
  // operating-system user (Windows authentication).
  static std::string User();
  static std::string Password();
  static std::string OsUser();

  // Opens `connection` on `database` ("" for the maintenance database) with
  // the password login over TCP, or by peer authentication on the socket.
  static void OpenWithPassword(Connection& connection, const std::string& database = {});
  static void OpenWithPeer(Connection& connection, const std::string& database = {});
};

}  // namespace ado
