#include "ScriptServer.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/SessionState.h"
#include "core/SqlScriptRunner.h"

namespace sqltest {
namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

void SetLogin(ado::Connection& cn, const std::string& database) {
  cn.SetConnectionTimeout(8);
  cn.SetProperty("Data Source", Env("QV_PG_HOST") + "," + Env("QV_PG_PORT"));
  cn.SetProperty("User ID", Env("QV_PG_USER"));
  cn.SetProperty("Password", Env("QV_PG_PASSWORD"));
  if (!database.empty()) cn.SetProperty("Initial Catalog", database);
}

}  // namespace

bool ServerConfigured() { return !Env("QV_PG_PORT").empty(); }

std::string ScriptFile(const std::string& relativePath) {
  std::ifstream in(std::string(QV_SOURCE_DIR) + "/sql/" + relativePath, std::ios::binary);
  if (!in) throw std::runtime_error("missing script " + relativePath);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool RunScriptFile(const std::string& relativePath, const std::string& dbListId) {
  qvadmin::ScriptText holder(ScriptFile(relativePath));
  return qvadmin::RunSqlScript(holder, relativePath, dbListId);
}

std::unique_ptr<ado::Connection> Connect(const std::string& database) {
  auto cn = std::make_unique<ado::Connection>();
  SetLogin(*cn, database);
  cn->Open();
  return cn;
}

void DropQVault() {
  auto cn = Connect("master");
  cn->Execute("DROP DATABASE IF EXISTS \"QVault\" WITH (FORCE)", nullptr, ado::adExecuteNoRecords);
}

std::vector<std::string> Column(ado::Connection& db, const std::string& sql) {
  std::vector<std::string> values;
  for (ado::Recordset rs = db.Execute(sql); !rs.Eof(); rs.MoveNext()) {
    rt::Variant v = rs.Fields(0).Value();
    values.push_back(v.IsNull() ? "NULL" : v.ToString());
  }
  return values;
}

std::string Scalar(ado::Connection& db, const std::string& sql) {
  std::vector<std::string> values = Column(db, sql);
  return values.empty() ? "<no row>" : values.front();
}

int32_t Exec(ado::Connection& db, const std::string& sql) {
  int32_t affected = 0;
  db.Execute(sql, &affected, ado::adExecuteNoRecords);
  return affected;
}

void ServerTest::SetUp() {
  if (!ServerConfigured()) GTEST_SKIP() << "no database server (QV_PG_PORT unset)";
  DropQVault();
  ado::Connection& cn = qvadmin::MainConnection();
  cn.Close();
  SetLogin(cn, {});
  cn.Open();
}

void ServerTest::TearDown() {
  if (!ServerConfigured()) return;
  m_db.reset();
  qvadmin::MainConnection().Close();
  DropQVault();
}

ado::Connection& ServerTest::OpenQVault() {
  m_db = Connect("QVault");
  return *m_db;
}

void QVaultTest::SetUp() {
  ServerTest::SetUp();
  if (IsSkipped()) return;
  ASSERT_TRUE(RunScriptFile("scriptMakeHauptDB.sql"));
  ASSERT_TRUE(RunScriptFile("scriptUSSettings.sql"));
  ASSERT_TRUE(RunScriptFile("scriptInsertTrigger.sql"));
  ASSERT_TRUE(RunScriptFile("scriptDeleteTrigger.sql"));
  OpenQVault();
}

}  // namespace sqltest
