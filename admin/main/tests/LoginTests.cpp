// The login dialog against the private server: what a login stores, the
// clients' access data it keeps in step, and what a failed or refused
// login leaves alone.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "core/TextHelpers.h"
#include "forms/Label.h"
#include "main/tests/SessionTest.h"
#include "runtime/Strings.h"
#include "shell/System.h"

namespace qvadmin {
namespace {

using sqltest::Exec;
using sqltest::Scalar;

class Login : public test::SessionTest {
 protected:
  std::string AccessTriple() {
    const std::string stored = Scalar(db(), "SELECT coalesce(WinAuth, '') FROM Konfig");
    return UnscrambleText(stored, kPasswordKey);
  }
  void SetAccessTriple(const std::string& triple) {
    db().Execute("UPDATE Konfig SET WinAuth = ?", {rt::Variant(ScrambleText(triple, kPasswordKey))});
  }
};

TEST_F(Login, StoresTheSessionAndTheLoginAsChosen) {
  QV_REQUIRE_SERVER();
  struct Case {
    const char* what;
    test::LoginInput input;
    std::string user;
    std::string password;
    const char* autoLogin;
  };
  const Case cases[] = {
      {"SQL Server authentication, saved", test::PasswordLogin(true), ado::TestServer::User(),
       ado::TestServer::Password(), "1"},
      {"SQL Server authentication", test::PasswordLogin(false), ado::TestServer::User(), "", "0"},
      {"Windows authentication, saved", test::PeerLogin(true), "", "", "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    main->ShowDisconnected();
    Exec(db(), "UPDATE Konfig SET WinAuth = NULL");
    LoginWith(c.input);
    EXPECT_FALSE(frmLogin::Default()->IsLoaded());
    EXPECT_EQ(SqlServer, c.input.server);
    EXPECT_EQ(SqlUser, c.user);
    EXPECT_FALSE(CurrentUserID.empty());
    EXPECT_TRUE(frmStart::Default()->LinksEnabled());
    EXPECT_TRUE(dock->Tool("AutoUpdate")->Enabled());
    EXPECT_TRUE(dock->Tool("DBDisconnect")->Enabled());
    EXPECT_FALSE(dock->Tool("DBConnect")->Enabled());
    EXPECT_EQ(Stored("SQLAdm_CS", kServerUserKey), c.input.server);
    EXPECT_EQ(Stored("SQLAdm_CU", kServerUserKey), c.user);
    EXPECT_EQ(Stored("SQLAdm_CP", kPasswordKey), c.password);
    EXPECT_EQ(ReadRegValue("SQLAdm_AL"), c.autoLogin);
    // A master database without access data for the clients gets this
    // login: the server, and under SQL Server authentication the user and
    // password entered.
    EXPECT_EQ(AccessTriple(), c.input.server + "|" + c.input.user + "|" + c.input.password);
  }
  EXPECT_TRUE(msg->calls.empty()) << Titles();
}

TEST_F(Login, OnlyTheServerOfTheClientsAccessDataFollowsTheServerUsed) {
  QV_REQUIRE_SERVER();
  test::LoginInput input = test::PasswordLogin();
  // Another spelling of the server than the test's own; the port's
  // leading zeros keep its access lines free of line breaks.
  input.server = test::ServerWithPortThatKeeps("localhost", [&](const std::string& server) {
    return !test::Breaks(server + "|clients|s3cret") && !test::Breaks("LocalHost" + rt::Mid(server, 10) + "|clients|s3cret") &&
           !test::Breaks(server + "|" + input.user + "|" + input.password);
  });
  ASSERT_FALSE(input.server.empty());
  struct Case {
    std::string stored;
    std::string expected;
  };
  const Case cases[] = {
      {"OTHERHOST|clients|s3cret", input.server + "|clients|s3cret"},
      // The same server in other letters is the same server: untouched.
      {"LocalHost," + rt::Mid(input.server, 11) + "|clients|s3cret",
       "LocalHost," + rt::Mid(input.server, 11) + "|clients|s3cret"},
      {"", input.server + "|" + input.user + "|" + input.password},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    main->ShowDisconnected();
    SetAccessTriple(c.stored);
    LoginWith(input);
    EXPECT_EQ(AccessTriple(), c.expected);
  }
}

// The login would store an access line whose scrambled form holds a line
// break: the administrator is told at once, with advice that the
// authentication in use can follow, the line stays as it was and the login
// goes on. Under Windows authentication only the server's spelling can
// change (here the socket folder reached through a link of another name).
TEST_F(Login, AnAccessLineThatWouldBreakIsToldWhenTheLoginWouldStoreIt) {
  QV_REQUIRE_SERVER();
  namespace fs = std::filesystem;
  const fs::path links = test::PathThatKeeps(fs::temp_directory_path().string(),
                                             "-qvlogin-links-" + std::to_string(::getpid()) + "-");
  ASSERT_FALSE(links.empty());
  fs::remove_all(links);
  fs::create_directories(links);
  struct Removed {
    fs::path folder;
    ~Removed() {
      std::error_code ignored;
      fs::remove_all(folder, ignored);
    }
  } removed{links};
  const std::string socketSource = ado::TestServer::SocketDataSource();
  const std::string socketFolder = socketSource.substr(0, socketSource.rfind(','));
  const std::string port = std::getenv("QV_PG_PORT");
  auto linkedSpelling = [&](bool breaks) {
    const std::string server = test::ServerWhoseTriple(
        [&](const std::string& name) { return (links / name).string() + "," + port; }, breaks);
    if (!server.empty()) fs::create_directory_symlink(socketFolder, server.substr(0, server.rfind(',')));
    return server;
  };
  const std::string breaking = linkedSpelling(true);
  const std::string plain = linkedSpelling(false);
  ASSERT_FALSE(breaking.empty());
  ASSERT_FALSE(plain.empty());
  const std::string user = test::UserWhoseTriple(ado::TestServer::TcpDataSource(), "secret", true);
  const struct {
    const char* what;
    test::LoginInput input;
    std::string stored;
    std::string expected;
    const char* advice;  // "" when nothing is to be said
  } cases[] = {
      {"Windows authentication, a spelling that breaks", {breaking, false, "", "", false}, "OTHERHOST||",
       "OTHERHOST||", "Please log in under another spelling of the server"},
      {"Windows authentication, another spelling", {plain, false, "", "", false}, "OTHERHOST||", plain + "||", ""},
      {"Windows authentication, no access data yet", {breaking, false, "", "", false}, "", "", "another spelling"},
      {"SQL Server authentication", test::PasswordLogin(), "OTHERHOST|" + user + "|secret",
       "OTHERHOST|" + user + "|secret", "Please change the user name or the password"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.what) + ": " + c.input.server);
    main->ShowDisconnected();
    if (c.stored.empty()) {
      Exec(db(), "UPDATE Konfig SET WinAuth = NULL");
    } else {
      SetAccessTriple(c.stored);
    }
    msg->calls.clear();
    LoginWith(c.input);
    EXPECT_TRUE(frmStart::Default()->LinksEnabled());
    EXPECT_EQ(AccessTriple(), c.expected);
    if (c.advice[0] == 0) {
      EXPECT_TRUE(msg->calls.empty()) << Titles();
      continue;
    }
    ASSERT_EQ(Titles(), "Access data of the clients;");
    EXPECT_NE(msg->calls[0][0].ToString().find(c.advice), std::string::npos) << msg->calls[0][0].ToString();
  }
}

// The Windows user has no user record and the login may read the master
// database but not add users: the login says why, with the server's reason,
// in a message and in the status line, and the dialog stays open.
TEST_F(Login, AUserRecordThatCannotBeMadeIsToldAndTheDialogStays) {
  QV_REQUIRE_SERVER();
  test::ScopedRole reader(db(), "qvlogin_reader_" + std::to_string(::getpid()),
                          {"GRANT USAGE ON SCHEMA dbo TO @", "GRANT SELECT ON ALL TABLES IN SCHEMA dbo TO @"});
  bool stillOpen = false;
  std::string status;
  PlayLogin([&](frmLogin& dialog) {
    test::FillLogin(dialog, reader.Login());
    dialog.Get<forms::StandardControl>("cmdLogin")->Click();
    stillOpen = dialog.IsLoaded();
    status = dialog.Get<forms::Label>("lblStatus")->Caption();
  });
  frmLogin::Default()->Show(forms::vbModal, main.get());
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(status, "<No user record!>");
  ASSERT_EQ(Titles(), "No user record!;");
  EXPECT_NE(msg->calls[0][0].ToString().find("permission denied for table benutzer"), std::string::npos)
      << msg->calls[0][0].ToString();
  EXPECT_FALSE(frmStart::Default()->LinksEnabled());
  EXPECT_EQ(ReadRegValue("SQLAdm_CS"), "");
}

TEST_F(Login, AFailedConnectStoresNothingAndKeepsTheDialogOpen) {
  QV_REQUIRE_SERVER();
  WriteRegValue("SQLAdm_CS", ScrambleText("kept", kServerUserKey));
  bool inputsOffDuringLogin = false;
  bool stillOpen = false;
  std::string status;
  PlayLogin([&](frmLogin& dialog) {
    test::LoginInput wrong = test::PasswordLogin(true);
    wrong.password = "wrong";
    test::FillLogin(dialog, wrong);
    // The connection's message arrives while the login runs: nothing of
    // the dialog can be clicked again meanwhile.
    msg->onCall = [&] {
      inputsOffDuringLogin = !dialog.Control("cmdLogin")->Enabled() && !dialog.Control("cmdCancel")->Enabled() &&
                             !dialog.Control("cboServer")->Enabled() && !dialog.Control("txtPWD")->Enabled();
    };
    dialog.Get<forms::StandardControl>("cmdLogin")->Click();
    msg->onCall = nullptr;
    stillOpen = dialog.IsLoaded();
    status = dialog.Get<forms::Label>("lblStatus")->Caption();
    EXPECT_TRUE(dialog.Control("cmdLogin")->Enabled());  // open for another try
  });
  frmLogin::Default()->Show(forms::vbModal, main.get());
  EXPECT_TRUE(inputsOffDuringLogin);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(status, "<Wrong Access Data!>");
  ASSERT_EQ(msg->calls.size(), 1u);
  EXPECT_EQ(rt::Left(msg->calls[0][2].ToString(), 16), "No Connection - ");
  EXPECT_EQ(Stored("SQLAdm_CS", kServerUserKey), "kept");
  EXPECT_EQ(ReadRegValue("SQLAdm_CP"), "");
  EXPECT_TRUE(SqlServer.empty() || SqlServer != ado::TestServer::TcpDataSource());
  EXPECT_FALSE(frmStart::Default()->LinksEnabled());
}

TEST_F(Login, AMasterDatabaseThatCannotBeUsedEndsTheLoginBeforeAnythingIsWritten) {
  QV_REQUIRE_SERVER();
  Exec(db(), "UPDATE Konfig SET Build = 204");
  SetAccessTriple("OTHERHOST|clients|s3cret");
  bool stillOpen = false;
  PlayLogin([&](frmLogin& dialog) {
    test::FillLogin(dialog, test::PasswordLogin(true));
    dialog.Get<forms::StandardControl>("cmdLogin")->Click();
    stillOpen = dialog.IsLoaded();
  });
  frmLogin::Default()->Show(forms::vbModal, main.get());
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(Titles(), "Invalid database format!;");
  EXPECT_EQ(AccessTriple(), "OTHERHOST|clients|s3cret");
  EXPECT_EQ(ReadRegValue("SQLAdm_CS"), "");
  EXPECT_EQ(ReadRegValue("SQLAdm_AL"), "0");
  EXPECT_FALSE(dock->Tool("AutoUpdate")->Enabled());
  EXPECT_FALSE(frmStart::Default()->LinksEnabled());
}

TEST_F(Login, TextThatCannotBeStoredIsRefusedBeforeConnecting) {
  QV_REQUIRE_SERVER();
  PlayLogin([&](frmLogin& dialog) {
    test::LoginInput input = test::PasswordLogin(true);
    input.password = "łódź";
    test::FillLogin(dialog, input);
    dialog.Get<forms::StandardControl>("cmdLogin")->Click();
    EXPECT_TRUE(dialog.IsLoaded());
  });
  frmLogin::Default()->Show(forms::vbModal, main.get());
  EXPECT_EQ(Titles(), "Characters that can't be stored;");
  EXPECT_NE(cnMain->State(), ado::adStateOpen);
  EXPECT_EQ(ReadRegValue("SQLAdm_CP"), "");
}

TEST_F(Login, TheDialogStartsFromTheStoredLogin) {
  struct Case {
    const char* isExpr;
    const char* storedServer;
    const char* sqlUser;
    std::string expectedServer;
    bool sqlAuth;
  };
  const std::string computer = rt::RTrim(CutAtNull(shell::GetComputerNameA()));
  const Case cases[] = {
      {"Y", "", "", computer + "\\SQLExpress", false},
      {"Y", "DBHOST", "", "DBHOST", false},
      {"", "", "sa", computer, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expectedServer);
    WriteRegValue("IsExpr", c.isExpr);
    WriteRegValue("SQLAdm_CS", c.storedServer[0] ? ScrambleText(c.storedServer, kServerUserKey) : "");
    SqlServer = c.storedServer[0] ? c.storedServer : computer;
    SqlUser = c.sqlUser;
    PlayLogin([&](frmLogin& dialog) {
      EXPECT_EQ(dialog.Get<forms::ComboBox>("cboServer")->Text(), c.expectedServer);
      EXPECT_EQ(dialog.Get<forms::OptionButton>("optAuth", 1)->Value(), c.sqlAuth);
      EXPECT_EQ(dialog.Control("txtUID")->Enabled(), c.sqlAuth);
      EXPECT_EQ(dialog.Get<forms::FlatEdit>("txtUID")->Text(), c.sqlUser);
      // An empty or blank server can't be logged in to.
      EXPECT_TRUE(dialog.Control("cmdLogin")->Enabled());
      dialog.Get<forms::ComboBox>("cboServer")->SetText("   ");
      EXPECT_FALSE(dialog.Control("cmdLogin")->Enabled());
    });
    frmLogin::Default()->Show(forms::vbModal, main.get());
  }
}

}  // namespace
}  // namespace qvadmin
