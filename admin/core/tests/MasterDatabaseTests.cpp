#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "CoreTestSupport.h"
#include "core/CarriedScripts.h"
#include "core/CurrentUser.h"
#include "core/MasterDatabase.h"
#include "core/RegistrySettings.h"
#include "core/WinAccounts.h"
#include "forms/App.h"
#include "runtime/DataFolder.h"

namespace qvadmin {
namespace {

// Statements as the server administrator on the maintenance database.
void AsAdmin(const std::string& sql) {
  ado::Connection cn;
  ado::TestServer::OpenWithPassword(cn);
  cn.Execute(sql, nullptr, ado::adCmdText | ado::adExecuteNoRecords);
}

void DropMasterDatabase() { AsAdmin("DROP DATABASE IF EXISTS \"QVault\" WITH (FORCE)"); }

class MasterDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QV_REQUIRE_SERVER();
    test::UsePrivateRegistry();
    LoadSettings();
    WriteRegValue("AppAdmDir", "");
    forms::App().Path = "/opt/quorvelle/admin";
    test::ResetSession();
    DropMasterDatabase();
  }
  void TearDown() override {
    if (cnMain) cnMain->Close();
  }

  bool Provision(const std::string& user = ado::TestServer::User(),
                 const std::string& password = ado::TestServer::Password()) {
    return InitMasterDatabase(true, ado::TestServer::TcpDataSource(), user, password);
  }
  int32_t Scalar(const std::string& sql, const std::vector<rt::Variant>& params = {}) {
    return cnMain->Execute(sql, params).Fields(0).Value().ToLong();
  }
};

TEST_F(MasterDatabaseTest, FromNothing) {
  test::Captured captured;
  ASSERT_TRUE(Provision());

  ASSERT_EQ(captured.Messages().size(), 1u);
  const auto& welcome = captured.Messages()[0];
  EXPECT_EQ(welcome.title, "Welcome to Quorvelle Professional!");
  EXPECT_EQ(welcome.buttons, 64);
  EXPECT_EQ(welcome.prompt,
            "Quorvelle-Professional was successfully installed on your system.\r"
            "You can start Quorvelle to create databases now.\r"
            "Further information can be found in our program help (key F1).\r\r"
            "To continue, please click 'OK' now");
  EXPECT_EQ(captured.Status().back(), "Quorvelle was initialized.");

  EXPECT_EQ(cnMain->State(), ado::adStateOpen);
  EXPECT_EQ(cnMain->DefaultDatabase(), "QVault");
  EXPECT_EQ(ReadRegValue("AppAdmDir"), "/opt/quorvelle/admin");
  EXPECT_EQ(Scalar("SELECT count(*) FROM Konfig"), 1);
  EXPECT_EQ(Scalar("SELECT Build FROM Konfig"), 203);

  // The current Windows user has a record, made from the default user.
  ASSERT_FALSE(CurrentUserID.empty());
  EXPECT_EQ(Scalar("SELECT count(*) FROM Benutzer WHERE ID = CAST(? AS uuid) AND WinUsr = ?",
                   {rt::Variant(CurrentUserID), rt::Variant(CurrentWinUser())}),
            1);
}

TEST_F(MasterDatabaseTest, PresentMasterDatabaseRunsNothing) {
  {
    test::Captured first;
    ASSERT_TRUE(Provision());
  }
  test::ResetSession();
  test::Captured captured;
  EXPECT_TRUE(Provision());
  EXPECT_TRUE(captured.Messages().empty());
  EXPECT_TRUE(captured.Status().empty());
  EXPECT_EQ(cnMain->DefaultDatabase(), "QVault");
  EXPECT_TRUE(CurrentUserID.empty());  // the start page fills it after the build check
}

TEST_F(MasterDatabaseTest, RefusedLoginCreatesNothing) {
  test::Captured captured;
  EXPECT_FALSE(Provision(ado::TestServer::User(), "wrong"));
  ASSERT_EQ(captured.Messages().size(), 1u);
  EXPECT_EQ(captured.Messages()[0].prompt.rfind("Please check your login and password!", 0), 0u);
  ado::Connection cn;
  ado::TestServer::OpenWithPassword(cn);
  EXPECT_TRUE(cn.Execute("SELECT 1 FROM pg_database WHERE datname = 'QVault'").Eof());
}

TEST_F(MasterDatabaseTest, ExistingButInaccessibleMasterDatabaseIsAnAccessProblem) {
  {
    test::Captured first;
    ASSERT_TRUE(Provision());
  }
  cnMain->Close();
  AsAdmin("DROP ROLE IF EXISTS qvcore_noaccess");
  AsAdmin("CREATE ROLE qvcore_noaccess LOGIN PASSWORD 'noaccess'");
  AsAdmin("REVOKE CONNECT ON DATABASE \"QVault\" FROM PUBLIC");

  test::Captured captured;
  const bool result = Provision("qvcore_noaccess", "noaccess");
  AsAdmin("GRANT CONNECT ON DATABASE \"QVault\" TO PUBLIC");
  if (cnMain) cnMain->Close();
  AsAdmin("DROP ROLE qvcore_noaccess");

  EXPECT_FALSE(result);
  ASSERT_EQ(captured.Messages().size(), 1u);
  const auto& m = captured.Messages()[0];
  EXPECT_EQ(m.buttons, 16);
  EXPECT_EQ(m.prompt.rfind("Error login to main database: QVault\r\r", 0), 0u) << m.prompt;
  EXPECT_EQ(m.title, "Error: " + std::to_string(ado::errLoginRefused));
}

TEST_F(MasterDatabaseTest, FailedFinalReconnectionIsNoSuccess) {
  test::Captured captured;
  // While the welcome message is open, the master database stops taking
  // connections.
  captured.OnMessage([](const forms::ModalRequest& r) {
    if (r.title == "Welcome to Quorvelle Professional!")
      AsAdmin("ALTER DATABASE \"QVault\" WITH ALLOW_CONNECTIONS false");
  });
  const bool result = Provision();
  AsAdmin("ALTER DATABASE \"QVault\" WITH ALLOW_CONNECTIONS true");

  EXPECT_FALSE(result);
  ASSERT_EQ(captured.Messages().size(), 2u);
  EXPECT_EQ(captured.Messages()[1].prompt.rfind("Error login to main database: QVault\r\r", 0), 0u);
  EXPECT_EQ(captured.Messages()[1].buttons, 16);
  EXPECT_TRUE(CurrentUserID.empty());
}

// A login that may connect but not create databases: the creation script
// fails at its first batch, the runner names it, and the failure message
// gives step 0.
TEST_F(MasterDatabaseTest, FailingCreationScriptGivesStepZero) {
  AsAdmin("DROP ROLE IF EXISTS qvcore_nocreate");
  AsAdmin("CREATE ROLE qvcore_nocreate LOGIN NOCREATEDB PASSWORD 'nocreate'");
  test::Captured captured;
  const bool result = Provision("qvcore_nocreate", "nocreate");
  if (cnMain) cnMain->Close();
  AsAdmin("DROP ROLE qvcore_nocreate");

  EXPECT_FALSE(result);
  ASSERT_EQ(captured.Messages().size(), 2u);
  const auto& script = captured.Messages()[0];
  EXPECT_EQ(script.buttons, 16);
  EXPECT_EQ(script.prompt.rfind("Error in script execution: 'scriptMakeHauptDB'\r\r", 0), 0u) << script.prompt;
  EXPECT_EQ(script.title, "Error: " + std::to_string(ado::errPermissionDenied));
  const auto& failure = captured.Messages()[1];
  EXPECT_EQ(failure.buttons, 48);
  EXPECT_EQ(failure.title, "Error during step of creation: 0");
  EXPECT_EQ(failure.prompt,
            "The main database could not be created.\r\r"
            "Please check the SQL connection and you may delete the database 'QVault'");
  EXPECT_TRUE(CurrentUserID.empty());
  EXPECT_EQ(ReadRegValue("AppAdmDir"), "");
  ado::Connection cn;
  ado::TestServer::OpenWithPassword(cn);
  EXPECT_TRUE(cn.Execute("SELECT 1 FROM pg_database WHERE datname = 'QVault'").Eof());
}

bool MasterDatabaseOnServer() {
  ado::Connection cn;
  ado::TestServer::OpenWithPassword(cn);
  return !cn.Execute("SELECT 1 FROM pg_database WHERE datname = 'QVault'").Eof();
}

// The program's scripts, copied to a folder of the test, where one of them
// can be made to fail; the program takes its scripts from there while the
// object lives.
class ScriptFolder {
 public:
  ScriptFolder() : m_path(std::filesystem::temp_directory_path() / ("qvcore-sql-" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(m_path);
    std::filesystem::copy(rt::DataFile("sql"), m_path, std::filesystem::copy_options::recursive);
    SetCarriedScriptFolder(m_path.string());
  }
  ~ScriptFolder() {
    SetCarriedScriptFolder("");
    std::filesystem::remove_all(m_path);
  }
  // Puts `statement` into `script` before its text `before`.
  void Break(const std::string& script, const std::string& before, const std::string& statement) {
    const auto file = m_path / (script + ".sql");
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    std::string s = text.str();
    const size_t at = s.find(before);
    ASSERT_NE(at, std::string::npos) << before;
    s.insert(at, statement + "\n");
    std::ofstream(file, std::ios::trunc) << s;
  }

 private:
  std::filesystem::path m_path;
};

// A creation that fails after the database was made leaves nothing behind:
// the tables and first rows were one transaction, and the database this
// run created is dropped, so the next attempt starts clean and succeeds.
TEST_F(MasterDatabaseTest, FailedCreationDropsTheDatabaseItMade) {
  const struct {
    const char* script;
    const char* before;
    int step;
  } failures[] = {
      {"scriptUSSettings", "COMMIT;", 0},     // the first rows, after the tables were made
      {"scriptInsertTrigger", "COMMIT;", 1},  // the insert trigger, after the first rows were committed
      {"scriptDeleteTrigger", "COMMIT;", 2},
  };
  for (const auto& failure : failures) {
    SCOPED_TRACE(failure.script);
    {
      ScriptFolder folder;
      folder.Break(failure.script, failure.before, "SELECT * FROM dbo.NoSuchTable;");
      test::Captured captured;
      EXPECT_FALSE(Provision());
      ASSERT_EQ(captured.Messages().size(), 2u);
      EXPECT_EQ(captured.Messages()[1].title, "Error during step of creation: " + std::to_string(failure.step));
      EXPECT_FALSE(MasterDatabaseOnServer());
    }
    test::ResetSession();
    test::Captured captured;
    EXPECT_TRUE(Provision());
    if (cnMain) cnMain->Close();
    DropMasterDatabase();
    test::ResetSession();
  }
}

// A master database that a cut-off creation left (the server stopped or the
// connection broke before the end) is told to the user and never taken as
// provisioned; nothing is created in it.
TEST_F(MasterDatabaseTest, IncompleteMasterDatabaseIsReportedNotUsed) {
  const struct {
    const char* what;
    const char* damage;  // on a provisioned QVault; "" for an empty database
    bool complete;
    const char* lacks;   // what the message names
  } cases[] = {
      {"empty database", "", false, "It lacks: Konfig, Benutzer, Gruppen, Benutzer_Gruppen, DBList, DBList_Gruppen."},
      {"no configuration row", "DELETE FROM Konfig", false, "the configuration row of Konfig"},
      {"no insert trigger at the current build", "DROP TRIGGER T_DBList_ITrig ON DBList", false, "T_DBList_ITrig"},
      {"no guard of the Memo database numbers", "DROP TRIGGER T_DBList_UTrig ON DBList", false, "T_DBList_UTrig"},
      {"no BMPng at the current build", "DROP TABLE BMPng", false, "It lacks: BMPng."},
      {"no per-user settings of the Memo databases", "DROP TABLE DBList_Benutzer_Konfig", false,
       "It lacks: DBList_Benutzer_Konfig."},
      {"an older build without triggers, to be converted",
       "DROP TRIGGER T_DBList_ITrig ON DBList; DROP TRIGGER T_DBList_DTrig ON DBList; DROP TRIGGER T_DBList_UTrig ON "
       "DBList; DROP TABLE BMPng, DBList_Benutzer_Konfig; UPDATE Konfig SET Build = 201",
       true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (std::string(c.damage).empty()) {
      AsAdmin("CREATE DATABASE \"QVault\"");
    } else {
      test::Captured first;
      ASSERT_TRUE(Provision());
      cnMain->Execute(c.damage, nullptr, ado::adExecuteNoRecords);
      cnMain->Close();
      test::ResetSession();
    }
    test::Captured captured;
    EXPECT_EQ(Provision(), c.complete);
    if (!c.complete) {
      ASSERT_EQ(captured.Messages().size(), 1u);
      EXPECT_EQ(captured.Messages()[0].title, "Incomplete main database");
      EXPECT_EQ(captured.Messages()[0].buttons, 48);
      EXPECT_NE(captured.Messages()[0].prompt.find(c.lacks), std::string::npos) << captured.Messages()[0].prompt;
      // Never the advice to delete a database that may hold the data.
      EXPECT_NE(captured.Messages()[0].prompt.find("from a backup"), std::string::npos);
      EXPECT_EQ(cnMain->State(), ado::adStateClosed);
    } else {
      EXPECT_TRUE(captured.Messages().empty());
    }
    if (cnMain) cnMain->Close();
    DropMasterDatabase();
    test::ResetSession();
  }
}

// Missing rights are no missing objects: a login that may not read Konfig
// (or may not even use the schema) is not told that the database is
// incomplete, for the advice that follows would destroy it; provisioning
// leaves it to the start page, which tells the missing rights.
TEST_F(MasterDatabaseTest, ALoginWithoutReadRightsFindsNoIncompleteDatabase) {
  {
    test::Captured first;
    ASSERT_TRUE(Provision());
  }
  cnMain->Close();
  const std::string role = "qvcore_noread_" + std::to_string(::getpid());
  AsAdmin("CREATE ROLE " + role + " LOGIN PASSWORD 'noread'");
  const struct {
    const char* what;
    std::string grant;
  } cases[] = {
      {"no right on the schema", ""},
      {"no right on Konfig", "GRANT USAGE ON SCHEMA dbo TO " + role},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.grant.empty()) {
      ado::Connection admin;
      ado::TestServer::OpenWithPassword(admin, "QVault");
      admin.Execute(c.grant, nullptr, ado::adExecuteNoRecords);
    }
    test::ResetSession();
    test::Captured captured;
    EXPECT_TRUE(Provision(role, "noread"));
    EXPECT_TRUE(captured.Messages().empty()) << captured.Messages()[0].title;
    EXPECT_EQ(cnMain->DefaultDatabase(), "QVault");
    cnMain->Close();
  }
  DropMasterDatabase();
  AsAdmin("DROP ROLE " + role);
}

TEST_F(MasterDatabaseTest, CurrentUserRecordIsFoundOrMadeFromTheDefaultUser) {
  {
    test::Captured first;
    ASSERT_TRUE(Provision());
  }
  const std::string me = CurrentWinUser();
  // Make the default user's settings and memberships recognisable.
  cnMain->Execute("INSERT INTO Gruppen (ID, Bez) VALUES ('{00000002-0000-0000-0000-000000000000}', 'Second')",
                  nullptr, ado::adExecuteNoRecords);
  cnMain->Execute(
      "INSERT INTO Benutzer_Gruppen (UserID, GrpID) VALUES ('{00000001-0000-0000-0000-000000000000}', "
      "'{00000002-0000-0000-0000-000000000000}')",
      nullptr, ado::adExecuteNoRecords);
  cnMain->Execute("UPDATE Benutzer SET PLT = 7, CanInsDB = 1 WHERE WinUsr = '!DEFAULT'", nullptr,
                  ado::adExecuteNoRecords);
  cnMain->Execute("DELETE FROM Benutzer WHERE WinUsr = ?", {rt::Variant(me)}, nullptr, ado::adExecuteNoRecords);

  const std::string id = EnsureCurrentUser();
  ASSERT_EQ(id.size(), 38u);
  ado::Recordset rs = cnMain->Execute(
      "SELECT WinUsr, Fullname, PLT, CanInsDB, Aktiv, Admin, PageSize, BInf FROM Benutzer WHERE ID = CAST(? AS uuid)",
      {rt::Variant(id)});
  ASSERT_FALSE(rs.Eof());
  EXPECT_EQ(rs("WinUsr").Value().ToString(), me);
  EXPECT_EQ(rs("Fullname").Value().ToString(), WinUserFullname(me));
  EXPECT_EQ(rs("PLT").Value().ToLong(), 7);
  EXPECT_EQ(rs("CanInsDB").Value().ToLong(), 1);
  EXPECT_TRUE(rs("Aktiv").Value().ToBool());
  EXPECT_TRUE(rs("Admin").Value().ToBool());
  EXPECT_EQ(rs("PageSize").Value().ToString(), "1134|1418|1418|1418|12240|15840");
  EXPECT_TRUE(rs("BInf").Value().IsNull());
  EXPECT_EQ(Scalar("SELECT count(*) FROM Benutzer_Gruppen WHERE UserID = CAST(? AS uuid)", {rt::Variant(id)}), 2);

  EXPECT_EQ(EnsureCurrentUser(), id);
  EXPECT_EQ(Scalar("SELECT count(*) FROM Benutzer WHERE WinUsr = ?", {rt::Variant(me)}), 1);

  // Without the default user no record can be made: the user is told.
  cnMain->Execute("DELETE FROM Benutzer", nullptr, ado::adExecuteNoRecords);
  test::Captured captured;
  EXPECT_EQ(EnsureCurrentUser(), "");
  EXPECT_EQ(Scalar("SELECT count(*) FROM Benutzer"), 0);
  ASSERT_EQ(captured.Messages().size(), 1u);
  EXPECT_EQ(captured.Messages()[0].title, "No user record!");
  EXPECT_NE(captured.Messages()[0].prompt.find("The default user {00000001-0000-0000-0000-000000000000}"),
            std::string::npos)
      << captured.Messages()[0].prompt;
  EXPECT_EQ(captured.Status(), std::vector<std::string>{"<No user record!>"});
}

// A login that may read the users but not add one: the record of the
// Windows user is not there and can't be made. The user learns why, with
// the server's reason; nothing is left half made.
TEST_F(MasterDatabaseTest, ACurrentUserRecordThatCannotBeMadeIsToldWithTheServersReason) {
  {
    test::Captured first;
    ASSERT_TRUE(Provision());
  }
  cnMain->Execute("DELETE FROM Benutzer WHERE WinUsr = ?", {rt::Variant(CurrentWinUser())}, nullptr,
                  ado::adExecuteNoRecords);
  const std::string role = "qvcore_noinsert_" + std::to_string(::getpid());
  AsAdmin("CREATE ROLE " + role + " LOGIN PASSWORD 'noinsert'");
  cnMain->Execute("GRANT USAGE ON SCHEMA dbo TO " + role + "; GRANT SELECT ON ALL TABLES IN SCHEMA dbo TO " + role,
                  nullptr, ado::adExecuteNoRecords);
  cnMain->Close();
  test::ResetSession();
  {
    test::Captured first;
    ASSERT_TRUE(Provision(role, "noinsert"));
  }
  test::Captured captured;
  EXPECT_EQ(EnsureCurrentUser(), "");
  cnMain->Close();
  DropMasterDatabase();
  AsAdmin("DROP ROLE " + role);
  ASSERT_EQ(captured.Messages().size(), 1u);
  EXPECT_EQ(captured.Messages()[0].buttons, 48);
  EXPECT_NE(captured.Messages()[0].prompt.find("permission denied for table benutzer"), std::string::npos)
      << captured.Messages()[0].prompt;
}

}  // namespace
}  // namespace qvadmin
