// The private database server as the script tests use it: the program's
// shared connection for running scripts through the program's runner, a
// second connection for looking at the result, and QVault created and
// dropped around each test.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ado/Connection.h"

namespace sqltest {

// True when the environment names a server (tools/pgcluster's exports).
bool ServerConfigured();

// The text of a script below the scripts' folder, e.g. "scriptUSSettings.sql".
std::string ScriptFile(const std::string& relativePath);

// Runs a script file through the program's runner on the shared
// connection, with "@DBListID@" replaced by `dbListId` when not "".
bool RunScriptFile(const std::string& relativePath, const std::string& dbListId = {});

// A new connection on `database` ("master" for the maintenance database).
std::unique_ptr<ado::Connection> Connect(const std::string& database);

// Drops QVault when it exists (closing other sessions on it).
void DropQVault();

// The first column of every row of `sql` as text ("NULL" for NULL).
std::vector<std::string> Column(ado::Connection& db, const std::string& sql);
// The first column of the first row of `sql` as text.
std::string Scalar(ado::Connection& db, const std::string& sql);
// Runs a statement and returns the rows it changed.
int32_t Exec(ado::Connection& db, const std::string& sql);

// Opens the program's shared connection on the server without a catalog,
// as provisioning does before it creates QVault; `db()` is unset until a
// test opens it. Drops QVault before and after each test and skips the
// test when no server is configured.
class ServerTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Opens the check connection on QVault.
  ado::Connection& OpenQVault();
  ado::Connection& db() { return *m_db; }

 private:
  std::unique_ptr<ado::Connection> m_db;
};

// A ServerTest whose QVault is provisioned from the four scripts, in the
// order and through the runner that provisioning uses, and opened.
class QVaultTest : public ServerTest {
 protected:
  void SetUp() override;
};

}  // namespace sqltest
