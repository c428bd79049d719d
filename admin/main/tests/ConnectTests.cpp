// The main window's connect at start and by its commands, and the start
// page's check of the master database's build.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "core/DockedViews.h"
#include "forms/controls/FlatEdit.h"
#include "forms/docking/DockStudio.h"
#include "main/frmKonfig.h"
#include "users/frmUser.h"
#include "main/tests/MainTestAccess.h"
#include "main/tests/SessionTest.h"

namespace qvadmin {

namespace {

using sqltest::Exec;
using sqltest::Scalar;

class Connect : public test::SessionTest {
 protected:
  // Stores a login as the dialog does and starts the main window again.
  void RestartWithStoredLogin(const test::LoginInput& login, bool autoLogin) {
    main->Unload();
    WriteRegValue("SQLAdm_CS", ScrambleText(login.server, kServerUserKey));
    WriteRegValue("SQLAdm_CU", ScrambleText(login.user, kServerUserKey));
    WriteRegValue("SQLAdm_CP", login.password.empty() ? "" : ScrambleText(login.password, kPasswordKey));
    WriteRegValue("SQLAdm_AL", autoLogin ? "1" : "0");
    cnMain = std::make_shared<ado::Connection>();
    CurrentUserID.clear();
    dialogs = 0;
    forms::Responders::SetStanding([this](const forms::ModalRequest& r) {
      if (r.form) {
        ++dialogs;
        r.form->Unload();
      }
      return 0;
    });
    main->Show();
    msg = test::FakeMsg::Last();
    dock = main->Dock();
  }
  void Click(const std::string& key) { frmMDITestAccess::ToolClick(*main, key); }
  bool Connected() const { return cnMain && cnMain->State() == ado::adStateOpen; }
  // The server's sessions of a login, once a closed one has gone (a
  // server process ends a moment after its client has left).
  std::string SessionsOf(const std::string& login) {
    std::string count;
    for (int i = 0; i < 40; ++i) {
      count = Scalar(db(), "SELECT count(*) FROM pg_stat_activity WHERE usename = '" + login + "'");
      if (count == "0") break;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return count;
  }

  int dialogs = 0;
};

TEST_F(Connect, AutoLoginConnectsWithoutTheDialog) {
  QV_REQUIRE_SERVER();
  // An archive folder that exists becomes the session's archive path.
  const std::string archive = std::filesystem::temp_directory_path() / "qvconnect-archive/";
  std::filesystem::create_directories(archive);
  Exec(db(), "UPDATE Konfig SET ArchLocPath = '" + archive + "'");
  struct Case {
    const char* what;
    test::LoginInput login;
    std::string user;
  };
  const Case cases[] = {
      {"empty user and password: Windows authentication", test::PeerLogin(), ""},
      {"SQL Server authentication", test::PasswordLogin(), ado::TestServer::User()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RestartWithStoredLogin(c.login, true);
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(Connected());
    EXPECT_EQ(SqlServer, c.login.server);
    EXPECT_EQ(SqlUser, c.user);
    EXPECT_FALSE(CurrentUserID.empty());
    EXPECT_TRUE(frmStart::Default()->LinksEnabled());
    EXPECT_TRUE(dock->Tool("AutoUpdate")->Enabled());
    EXPECT_EQ(ArchivePath, archive);
  }
  std::filesystem::remove_all(archive);
}

TEST_F(Connect, WithoutAutoLoginAndForTheConnectCommandTheDialogShows) {
  QV_REQUIRE_SERVER();
  RestartWithStoredLogin(test::PasswordLogin(), false);
  EXPECT_EQ(dialogs, 1);
  EXPECT_FALSE(Connected());
  EXPECT_FALSE(frmStart::Default()->LinksEnabled());
  EXPECT_FALSE(dock->Tool("AutoUpdate")->Enabled());
  EXPECT_TRUE(dock->Tool("DBConnect")->Enabled());
  EXPECT_FALSE(dock->Tool("DBDisconnect")->Enabled());

  // Connected (automatically), "DBConnect" still shows the dialog.
  RestartWithStoredLogin(test::PasswordLogin(), true);
  ASSERT_TRUE(Connected());
  Click("DBConnect");
  EXPECT_EQ(dialogs, 1);
}

TEST_F(Connect, DisconnectEndsTheSessionSoTheNextConnectChecksAgain) {
  QV_REQUIRE_SERVER();
  RestartWithStoredLogin(test::PasswordLogin(), true);
  ASSERT_TRUE(Connected());
  Click("DBDisconnect");
  EXPECT_FALSE(Connected());
  EXPECT_TRUE(CurrentUserID.empty());
  EXPECT_TRUE(ArchivePath.empty());
  EXPECT_FALSE(frmStart::Default()->LinksEnabled());
  EXPECT_FALSE(dock->Tool("AutoUpdate")->Enabled());
  EXPECT_TRUE(dock->Tool("DBConnect")->Enabled());

  // Meanwhile the master database became one of a newer version: the next
  // connect checks it and refuses it.
  Exec(db(), "UPDATE Konfig SET Build = 204");
  LoginWith(test::PasswordLogin(), [this] { Click("DBConnect"); });
  EXPECT_EQ(Titles(), "Invalid database format!;");
  EXPECT_FALSE(frmStart::Default()->LinksEnabled());
  EXPECT_FALSE(dock->Tool("AutoUpdate")->Enabled());

  // Back to the start page while disconnected: nothing is checked.
  msg->calls.clear();
  Click("DBDisconnect");
  Click("Go2Start");
  EXPECT_TRUE(msg->calls.empty()) << Titles();
  EXPECT_FALSE(frmStart::Default()->LinksEnabled());
}

// After Disconnect the open views offer no command that needs the
// connection, on show or when their tab is chosen; after connecting again
// each view starts over: its commands are back and it shows what is stored,
// not what was typed before.
TEST_F(Connect, OpenViewsFollowTheClosedConnectionAndStartOverOnTheNextOne) {
  QV_REQUIRE_SERVER();
  const std::string stored = Scalar(db(), "SELECT coalesce(ArchLocPath, '') FROM Konfig");
  RestartWithStoredLogin(test::PasswordLogin(), true);
  ASSERT_TRUE(Connected());
  const std::shared_ptr<frmUser> users = frmUser::Default();
  const std::shared_ptr<frmKonfig> konfig = frmKonfig::Default();
  ShowDockedForm(users);
  ShowDockedForm(konfig);
  auto archive = konfig->Get<forms::FlatEdit>("txtArchPath", 0);
  archive->SetText("/typed/but/not/saved");
  const auto enabled = [this](const char* key) { return dock->Tool(key)->Enabled(); };

  Click("DBDisconnect");
  ASSERT_FALSE(Connected());
  EXPECT_FALSE(enabled("Save"));
  EXPECT_FALSE(enabled("Refresh"));
  dock->ShowForm(users);  // the tab of the user view chosen
  EXPECT_EQ(ActiveDockedForm(), users);
  EXPECT_FALSE(enabled("AddUser"));
  EXPECT_FALSE(enabled("AddGrp"));
  EXPECT_FALSE(enabled("Refresh"));
  EXPECT_EQ(Titles(), "");

  LoginWith(test::PasswordLogin(), [this] { Click("DBConnect"); });
  ASSERT_TRUE(Connected());
  EXPECT_TRUE(enabled("AddUser"));
  EXPECT_TRUE(enabled("AddGrp"));
  EXPECT_TRUE(enabled("Refresh"));
  dock->ShowForm(konfig);
  EXPECT_EQ(ActiveDockedForm(), konfig);
  EXPECT_TRUE(enabled("Save"));
  EXPECT_EQ(archive->Text(), stored);
  EXPECT_EQ(Titles(), "");
}

// A login that may connect but not read the master database is told that
// it lacks the rights, on the dialog login and on the automatic login;
// never that the database is incomplete.
TEST_F(Connect, MissingRightsOnTheMasterDatabaseAreToldAsSuch) {
  QV_REQUIRE_SERVER();
  test::ScopedRole noRights(db(), "qvconnect_norights_" + std::to_string(::getpid()),
                            {"GRANT USAGE ON SCHEMA dbo TO @"});
  auto expectTold = [&](const char* how) {
    SCOPED_TRACE(how);
    ASSERT_EQ(msg->calls.size(), 1u) << Titles();
    EXPECT_EQ(msg->calls[0][0].ToString(), "You do not have the necessary SELECT permissions for 'QVault' database.");
    EXPECT_EQ(msg->calls[0][2].ToString(), "Error: " + std::to_string(ado::errPermissionDenied));
    EXPECT_FALSE(frmStart::Default()->LinksEnabled());
    EXPECT_FALSE(dock->Tool("AutoUpdate")->Enabled());
    // The refused session is ended: counted from another connection, the
    // server has no session of that login left.
    EXPECT_FALSE(Connected());
    EXPECT_EQ(SessionsOf(noRights.Login().user), "0");
  };
  LoginWith(noRights.Login(true));
  expectTold("dialog login");
  RestartWithStoredLogin(noRights.Login(), true);
  EXPECT_EQ(dialogs, 0);
  expectTold("automatic login");
}

TEST_F(Connect, TheStartPageChecksTheBuildOfTheMasterDatabase) {
  QV_REQUIRE_SERVER();
  struct Case {
    const char* what;
    std::string statement;  // what becomes of the master database
    int32_t answer;         // to the question of the conversion
    std::string titles;     // of the messages shown
    bool enabled;           // links after the check
    bool connectTools;      // "DBConnect" and "DBDisconnect" still usable
    std::string undo = {};  // puts the master database back
  };
  const Case cases[] = {
      {"current build", "", 1, "", true, true},
      {"build 99", "UPDATE Konfig SET Build = 99", 1, "Error: 0;", false, true},
      {"build 300: no byte", "UPDATE Konfig SET Build = 300", 1, "Error: 6;", false, true},
      {"newer build", "UPDATE Konfig SET Build = 204", 1, "Invalid database format!;", false, true},
      {"older build, not converted", "UPDATE Konfig SET Build = 202", 7, "Invalid database format!;", false, false},
      {"older build, converted", "UPDATE Konfig SET Build = 202", 6,
       "Invalid database format!;For your information!;Conversion successful!;", true, true},
      {"current build without BMPng", "ALTER TABLE dbo.BMPng RENAME TO bmpng_away", 1, "Incomplete main database;",
       false, true, "ALTER TABLE dbo.bmpng_away RENAME TO BMPng"},
      {"current build without the guard of DBList.ID", "ALTER TRIGGER T_DBList_UTrig ON dbo.DBList RENAME TO away", 1,
       "Incomplete main database;", false, true, "ALTER TRIGGER away ON dbo.DBList RENAME TO T_DBList_UTrig"},
      {"no Konfig", "DROP TABLE dbo.Konfig CASCADE", 1, "Error: -2147217900;", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.statement.empty()) Exec(db(), c.statement);
    msg->calls.clear();
    msg->answer = c.answer;
    main->ShowDisconnected();
    main->ToolButtonErlauben("DBConnect", true);
    main->ToolButtonErlauben("DBDisconnect", true);
    cnMain->Close();
    ado::TestServer::OpenWithPassword(*cnMain, "QVault");
    bool enable = true;
    frmStart::Default()->IsEnabled(enable);
    EXPECT_EQ(enable, c.enabled);
    EXPECT_EQ(frmStart::Default()->LinksEnabled(), c.enabled);
    EXPECT_EQ(Titles(), c.titles);
    EXPECT_EQ(dock->Tool("DBConnect")->Enabled() || dock->Tool("DBDisconnect")->Enabled(), c.connectTools);
    if (c.enabled) {
      EXPECT_EQ(Scalar(db(), "SELECT Build FROM Konfig"), "203");
      EXPECT_FALSE(CurrentUserID.empty());
    }
    if (c.statement.rfind("DROP", 0) == 0) break;  // the rest needs the table
    if (!c.undo.empty()) Exec(db(), c.undo);
    Exec(db(), "UPDATE Konfig SET Build = 203");
  }
  // With the current user known nothing is read: the links follow Enable.
  msg->calls.clear();
  main->ShowDisconnected();
  CurrentUserID = "{00000001-0000-0000-0000-000000000000}";
  cnMain->Close();
  bool enable = true;
  frmStart::Default()->IsEnabled(enable);
  EXPECT_TRUE(enable);
  EXPECT_TRUE(frmStart::Default()->LinksEnabled());
  EXPECT_TRUE(msg->calls.empty());
}

}  // namespace
}  // namespace qvadmin
