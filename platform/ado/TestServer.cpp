#include "ado/TestServer.h"

#include <cstdlib>

#include "ado/Connection.h"

namespace ado {

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

}  // namespace

bool TestServer::Available() { return !Env("QV_PG_PORT").empty(); }

std::string TestServer::TcpDataSource() {
  std::string host = Env("QV_PG_HOST");
  return (host.empty() ? "127.0.0.1" : host) + "," + Env("QV_PG_PORT");
}

std::string TestServer::SocketDataSource() { return Env("QV_PG_SOCKET_DIR") + "," + Env("QV_PG_PORT"); }

std::string TestServer::User() { return Env("QV_PG_USER"); }
std::string TestServer::Password() { return Env("QV_PG_PASSWORD"); }
std::string TestServer::OsUser() { return Env("QV_PG_OSUSER"); }

void TestServer::OpenWithPassword(Connection& connection, const std::string& database) {
  connection.SetProperty("Data Source", TcpDataSource());
  connection.SetProperty("User ID", User());
  connection.SetProperty("Password", Password());
  if (!database.empty()) connection.SetProperty("Initial Catalog", database);
  connection.Open();
}

void TestServer::OpenWithPeer(Connection& connection, const std::string& database) {
  connection.SetProperty("Data Source", SocketDataSource());
  connection.SetProperty("Integrated Security", "SSPI");
  if (!database.empty()) connection.SetProperty("Initial Catalog", database);
  connection.Open();
}

}  // namespace ado
