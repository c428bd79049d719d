// The configuration view against the private server: what it shows of
// Konfig, what it checks and writes, the orphaned archive folders, and the
// client configuration file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/DockedViews.h"
#include "core/FormSettings.h"
#include "display/KVXFrame.h"
#include "forms/Label.h"
#include "forms/containers/TabControl.h"
#include "forms/dialogs/DialogAnswers.h"
#include "forms/lists/ReportControl.h"
#include "forms/lists/TreeView.h"
#include "main/frmKonfig.h"
#include "main/tests/Renders.h"
#include "main/tests/SessionTest.h"
#include "runtime/Strings.h"

namespace qvadmin {

struct frmKonfigTestAccess {
  static void SelectNode(frmKonfig& view, int32_t index) { view.SelectNode(index); }
  static void MakeClientFile(frmKonfig& view) { view.MakeClientFile(); }
  static void CheckArchiveFolders(frmKonfig& view) { view.CheckArchiveFolders(); }
  static void RemoveOldArchiveFolders(frmKonfig& view) { view.RemoveOldArchiveFolders(); }
};

namespace {

namespace fs = std::filesystem;
using Access = frmKonfigTestAccess;
using sqltest::Exec;
using sqltest::Scalar;

class Konfig : public test::SessionTest {
 protected:
  explicit Konfig(bool pinnedFonts = false) : test::SessionTest(pinnedFonts) {}
  void SetUp() override {
    test::SessionTest::SetUp();
    if (IsSkipped()) return;
    root = fs::temp_directory_path() / ("qvkonfig-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root);
    const test::LoginInput login = test::PasswordLogin();
    LoginWith(login);
    ASSERT_FALSE(CurrentUserID.empty());
    // The server as the clients' access data name it: a spelling free of
    // line breaks when scrambled, alone and with the login's user and
    // password, which the access data keep from the login (the test
    // server's port and password are any). A break in the password is
    // mended only by moving it: the spelling grows until none is left.
    SqlServer.clear();
    for (size_t grown = 0; SqlServer.empty() && grown < 32; ++grown) {
      const std::string server = test::ServerWhoseTriple(
          [grown](const std::string& name) { return "DBHOST" + std::string(grown, 'x') + name; }, false);
      if (!server.empty() && !test::Breaks(server + "|" + login.user + "|" + login.password)) SqlServer = server;
    }
    ASSERT_FALSE(SqlServer.empty());
    view = frmKonfig::Default();
    ShowDockedForm(view);
  }
  void TearDown() override {
    fs::remove_all(root);
    test::SessionTest::TearDown();
  }
  std::string Folder(const std::string& name) {
    fs::create_directories(root / name);
    return (root / name).string();
  }
  std::string Row(const std::string& column) {
    return Scalar(db(), "SELECT coalesce(" + column + "::text, '') FROM Konfig");
  }
  std::string AccessTriple() { return UnscrambleText(Row("WinAuth"), kPasswordKey); }
  forms::FlatEdit& Box(const char* name, int16_t index = -1) { return *view->Get<forms::FlatEdit>(name, index); }
  int32_t Page() { return view->Get<forms::TabControl>("tabTab")->SelectedItem() + 1; }

  fs::path root;
  std::shared_ptr<frmKonfig> view;
};

TEST_F(Konfig, ShowsTheRowAndSavesTheEntries) {
  QV_REQUIRE_SERVER();
  // The view opens on the clients' page with the row as stored: the
  // login's access data.
  EXPECT_EQ(Page(), 2);
  EXPECT_EQ(view->Get<kvctl2::KVXFrame>("fraTop")->Caption(), "Clients");
  EXPECT_EQ(view->Get<forms::CheckBox>("chkAutoReg")->Value(), 1);
  EXPECT_TRUE(view->Get<forms::OptionButton>("optAuth", 1)->Value());
  EXPECT_EQ(Box("txtUID").Text(), ado::TestServer::User());

  const std::string archive = Folder("archive");
  const std::string updates = Folder("updates");
  const std::string user = test::UserWhoseTriple(SqlServer, "Pa|ss'; --", false);
  view->Get<forms::CheckBox>("chkAutoReg")->SetValue(0);
  view->Get<forms::OptionButton>("optAuth", 1)->SetValue(true);
  Box("txtUID").SetText(user);
  Box("txtPWD").SetText("Pa|ss'; --");
  Box("txtPWDWdh").SetText("Pa|ss'; --");
  Box("txtArchPath", 0).SetText(archive);
  Box("txtArchPath", 1).SetText("\\\\fileserver\\archive");
  Box("txtUpdPath", 0).SetText(updates);
  Box("txtUpdPath", 1).SetText("\\\\fileserver\\updates\\");
  view->Speichern();
  EXPECT_TRUE(msg->calls.empty()) << Titles();
  EXPECT_EQ(Row("UsersAutoReg"), "false");
  EXPECT_EQ(Row("ArchLocPath"), archive + "/");
  EXPECT_EQ(Row("ArchNetPath"), "\\\\fileserver\\archive\\");
  EXPECT_EQ(Row("UpdLocPath"), updates + "/");
  EXPECT_EQ(Row("UpdNetPath"), "\\\\fileserver\\updates\\");
  // The server of the access data is the one connected to, not an entry.
  EXPECT_EQ(AccessTriple(), SqlServer + "|" + user + "|Pa|ss'; --");
  EXPECT_EQ(ArchivePath, archive + "/");
  EXPECT_TRUE(fs::is_directory(root / "updates/res"));

  // Read back; Windows authentication then stores empty user and password.
  view->Aktualisieren();
  EXPECT_TRUE(view->Get<forms::OptionButton>("optAuth", 1)->Value());
  EXPECT_EQ(Box("txtUID").Text(), user);
  EXPECT_EQ(Box("txtPWDWdh").Text(), "Pa");  // the password with "|" is cut by the triple's separator
  view->Get<forms::OptionButton>("optAuth", 0)->SetValue(true);
  view->Speichern();
  EXPECT_EQ(AccessTriple(), SqlServer + "||");
  EXPECT_EQ(Box("txtUID").Text(), "");
  view->Aktualisieren();
  EXPECT_TRUE(view->Get<forms::OptionButton>("optAuth", 0)->Value());
}

TEST(KonfigPaths, PathsGetTheirSeparator) {
  struct Case {
    std::string path;
    std::string expected;
  };
  const Case cases[] = {
      {"X:", "X:\\"},
      {"X:\\data", "X:\\data\\"},
      {"\\\\srv\\share", "\\\\srv\\share\\"},
      {"C:\\a\\", "C:\\a\\"},
      {"/srv/archive", "/srv/archive/"},
      {"/srv/archive/", "/srv/archive/"},
      {"archive", "archive"},
      {"", ""},
  };
  for (const Case& c : cases) {
    std::string path = c.path;
    EXPECT_EQ(frmKonfig::PathWithSeparator(path), c.expected) << c.path;
    EXPECT_EQ(path, c.expected) << c.path;
  }
}

TEST_F(Konfig, WrongEntriesShowTheirPageAndWriteNothing) {
  QV_REQUIRE_SERVER();
  const std::string before = Row("WinAuth") + Row("ArchLocPath") + Row("UpdLocPath");
  struct Case {
    std::function<void()> enter;
    int32_t page;
    std::string text;
  };
  const Case cases[] = {
      {[&] {
         view->Get<forms::OptionButton>("optAuth", 1)->SetValue(true);
         Box("txtUID").SetText("qvclient");
         Box("txtPWD").SetText("one");
         Box("txtPWDWdh").SetText("One");
       },
       3, "The two entered passwords are not identical."},
      {[&] { Box("txtArchPath", 0).SetText((root / "missing").string()); }, 4,
       "The local path to the archive directory does not exist."},
      {[&] { Box("txtUpdPath", 0).SetText((root / "missing").string()); }, 5,
       "The local path to the update list does not exist."},
      {[&] {
         view->Get<forms::OptionButton>("optAuth", 1)->SetValue(true);
         Box("txtUID").SetText("qvclient");
         Box("txtPWD").SetText("łódź");
         Box("txtPWDWdh").SetText("łódź");
       },
       3, "The access data of the clients contains characters that can't be stored: \"ł\" \"ź\"."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    view->Aktualisieren();
    Access::SelectNode(*view, 2);
    msg->calls.clear();
    c.enter();
    view->Speichern();
    ASSERT_EQ(msg->calls.size(), 1u) << Titles();
    EXPECT_EQ(msg->calls[0][0].ToString().rfind(c.text, 0), 0u) << "[" << msg->calls[0][0].ToString() << "]";
    EXPECT_EQ(Page(), c.page);
  }
  EXPECT_EQ(Row("WinAuth") + Row("ArchLocPath") + Row("UpdLocPath"), before);
  // Mismatching passwords pass under Windows authentication.
  view->Aktualisieren();
  view->Get<forms::OptionButton>("optAuth", 0)->SetValue(true);
  Box("txtPWD").SetText("one");
  Box("txtPWDWdh").SetText("two");
  msg->calls.clear();
  view->Speichern();
  EXPECT_TRUE(msg->calls.empty()) << Titles();
}

// The user and password boxes follow the stored authentication when the
// view opens and on every refresh, without a click on the options: under
// Windows authentication (a new installation) they are off and empty.
TEST_F(Konfig, TheAccessBoxesFollowTheStoredAuthentication) {
  QV_REQUIRE_SERVER();
  const struct {
    const char* what;
    std::string stored;
    bool sqlAuth;
    std::string user;
  } cases[] = {
      {"Windows authentication", SqlServer + "||", false, ""},
      {"SQL Server authentication", SqlServer + "|clients|secret", true, "clients"},
      {"no access data", "", false, ""},
  };
  auto boxesEnabled = [&](bool enabled) {
    for (const char* name : {"lblUID", "txtUID", "lblPWD", "txtPWD", "lblPWDWdh", "txtPWDWdh"}) {
      EXPECT_EQ(view->Control(name)->Enabled(), enabled) << name;
    }
  };
  for (const bool reopen : {true, false}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (reopen ? ", view opened" : ", refreshed"));
      db().Execute("UPDATE Konfig SET WinAuth = ?",
                   {c.stored.empty() ? rt::Variant() : rt::Variant(ScrambleText(c.stored, kPasswordKey))});
      if (reopen) {
        view->Unload();
        ShowDockedForm(view);
      } else {
        view->Aktualisieren();
      }
      EXPECT_TRUE(view->Get<forms::OptionButton>("optAuth", c.sqlAuth ? 1 : 0)->Value());
      boxesEnabled(c.sqlAuth);
      EXPECT_EQ(Box("txtUID").Text(), c.user);
    }
  }
}

// An access line whose scrambled form would hold a line break is refused
// when it is saved, not only when the client file is written, with advice
// that the authentication in use can follow.
TEST_F(Konfig, AnAccessLineThatWouldBreakIsRefusedWhenSaved) {
  QV_REQUIRE_SERVER();
  const std::string before = Row("WinAuth") + Row("UsersAutoReg");
  const std::string breakingServer =
      test::ServerWhoseTriple([](const std::string& name) { return name + "dbhost"; }, true);
  ASSERT_FALSE(breakingServer.empty());
  const struct {
    const char* what;
    std::string server;  // the session's server
    std::string user;    // "" for Windows authentication
    const char* advice;
  } cases[] = {
      {"SQL Server authentication", SqlServer, test::UserWhoseTriple(SqlServer, "secret", true),
       "Please change the user name or the password"},
      {"Windows authentication", breakingServer, "", "Please log in under another spelling of the server"},
  };
  const std::string session = SqlServer;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_FALSE(c.server.empty());
    SqlServer = c.server;
    view->Aktualisieren();
    msg->calls.clear();
    view->Get<forms::CheckBox>("chkAutoReg")->SetValue(0);
    view->Get<forms::OptionButton>("optAuth", c.user.empty() ? 0 : 1)->SetValue(true);
    if (!c.user.empty()) {
      Box("txtUID").SetText(c.user);
      Box("txtPWD").SetText("secret");
      Box("txtPWDWdh").SetText("secret");
    }
    view->Speichern();
    ASSERT_EQ(Titles(), "Access data of the clients;");
    EXPECT_NE(msg->calls[0][0].ToString().find(c.advice), std::string::npos) << msg->calls[0][0].ToString();
    EXPECT_EQ(Page(), 3);
  }
  SqlServer = session;
  EXPECT_EQ(Row("WinAuth") + Row("UsersAutoReg"), before);
}

TEST_F(Konfig, OldArchiveFoldersAreListedAndRemoved) {
  QV_REQUIRE_SERVER();
  Exec(db(), "INSERT INTO DBList (Bez) VALUES ('One'), ('Two')");
  const std::vector<std::string> ids = sqltest::Column(db(), "SELECT ID FROM DBList ORDER BY ID");
  ASSERT_EQ(ids.size(), 2u);
  const std::string archive = Folder("archive");
  auto name = [](const std::string& id) { return std::string(5 - id.size(), '0') + id; };
  for (const std::string& folder : {name(ids[0]), name(ids[1]), std::string("99998"), std::string("99999"),
                                    std::string("notes"), std::string("1234")}) {
    Folder("archive/" + folder);
  }
  std::ofstream(root / "archive/99999/document.pdf") << "old";
  Box("txtArchPath", 0).SetText(archive);
  view->Speichern();

  Access::CheckArchiveFolders(*view);
  auto list = view->Get<forms::ReportControl>("rctWaise");
  ASSERT_EQ(list->RowCount(), 4);
  std::vector<std::string> rows;
  for (int32_t i = 0; i < list->RowCount(); ++i) {
    rows.push_back(list->RowRecord(i)->Item(0).Caption() + " " + list->RowRecord(i)->Item(1).Caption());
  }
  EXPECT_EQ(rows, (std::vector<std::string>{name(ids[0]) + " Active", name(ids[1]) + " Active", "99998 *Old*",
                                            "99999 *Old*"}));
  EXPECT_TRUE(view->IsShown(*view->Control("cmdWaiseKill")) || !view->Control("hovCheckWaiseOrdner")->Visible());
  EXPECT_TRUE(view->Control("cmdWaiseKill")->Enabled());

  msg->answer = 6;  // Yes
  Access::RemoveOldArchiveFolders(*view);
  EXPECT_EQ(msg->calls.back()[2].ToString(), "Confirmation for deletion is required.");
  EXPECT_FALSE(fs::exists(root / "archive/99998"));
  EXPECT_FALSE(fs::exists(root / "archive/99999"));
  for (const std::string& kept : {name(ids[0]), name(ids[1]), std::string("notes"), std::string("1234")}) {
    EXPECT_TRUE(fs::exists(root / "archive" / kept)) << kept;
  }
  EXPECT_EQ(list->RowCount(), 2);
  EXPECT_FALSE(view->Control("cmdWaiseKill")->Enabled());
  // A refresh puts the link back in place of the list.
  view->Aktualisieren();
  EXPECT_TRUE(view->Control("hovCheckWaiseOrdner")->Visible());
  EXPECT_FALSE(view->Control("rctWaise")->Visible());
}

TEST_F(Konfig, TheClientConfigurationFileHoldsTheStoredAccessData) {
  QV_REQUIRE_SERVER();
  const std::string password = "secret";
  const std::string user = test::UserWhoseTriple(SqlServer, password, false);
  ASSERT_FALSE(user.empty());
  view->Get<forms::OptionButton>("optAuth", 1)->SetValue(true);
  Box("txtUID").SetText(user);
  Box("txtPWD").SetText(password);
  Box("txtPWDWdh").SetText(password);
  view->Speichern();
  Access::SelectNode(*view, 6);
  const std::string folder = Folder("clients");
  forms::Responders::Push(forms::SaveFileAs("QVClient.cfg", folder));
  Access::MakeClientFile(*view);
  std::ifstream in(root / "clients/QVClient.cfg", std::ios::binary);
  const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string winAuth = Row("WinAuth");
  EXPECT_EQ(file, rt::ToAnsi(winAuth) + "\r\n-\r\n{" + rt::UCase(Row("DBID")) + "}\r\n");
  EXPECT_TRUE(view->Control("infKonfig")->Visible());
  const std::string info = view->Get<forms::Label>("lblKonfigInfo")->Caption();
  EXPECT_NE(info.find("Login: " + user), std::string::npos) << info;
  EXPECT_NE(info.find("Password: " + password), std::string::npos) << info;
  EXPECT_NE(info.find("\"SQL Server Authentication\""), std::string::npos) << info;
  EXPECT_EQ(GetFormSetting(*view, "LicPath", "").ToString(), folder + "/");
  // Choosing the page again hides the panel; a click on it too.
  Access::SelectNode(*view, 6);
  EXPECT_FALSE(view->Control("infKonfig")->Visible());
}

TEST_F(Konfig, AnAccessTripleWithALineBreakIsNeverWritten) {
  QV_REQUIRE_SERVER();
  // A stored triple whose scrambled form holds a line break.
  const std::string password = "secret";
  const std::string user = test::UserWhoseTriple(SqlServer, password, true);
  ASSERT_FALSE(user.empty());
  db().Execute("UPDATE Konfig SET WinAuth = ?",
               {rt::Variant(ScrambleText(SqlServer + "|" + user + "|" + password, kPasswordKey))});
  const std::string folder = Folder("clients");
  forms::Responders::Push(forms::SaveFileAs("QVClient.cfg", folder));
  Access::MakeClientFile(*view);
  EXPECT_FALSE(fs::exists(root / "clients/QVClient.cfg"));
  ASSERT_EQ(Titles(), "Writing Error!;");
  EXPECT_EQ(msg->calls[0][0].ToString().rfind("The access data of the clients can't be written", 0), 0u);
  EXPECT_FALSE(view->Control("infKonfig")->Visible());
}

}  // namespace
}  // namespace qvadmin

namespace qvadmin {
namespace {

class KonfigRender : public Konfig {
 protected:
  KonfigRender() : Konfig(true) {}
};

TEST_F(KonfigRender, EachPage) {
  QV_REQUIRE_SERVER();
  const std::string archive = Folder("archive");
  Folder("archive/00001");
  Folder("archive/00007");
  Exec(db(), "INSERT INTO DBList (Bez) VALUES ('Sales')");
  const std::string password = "secret";
  const std::string user = test::UserWhoseTriple(SqlServer, password, false);
  view->Get<forms::OptionButton>("optAuth", 1)->SetValue(true);
  Box("txtUID").SetText(user);
  Box("txtPWD").SetText(password);
  Box("txtPWDWdh").SetText(password);
  Box("txtArchPath", 0).SetText(archive);
  Box("txtArchPath", 1).SetText("\\\\fileserver\\quorvelle\\archive");
  Box("txtUpdPath", 1).SetText("\\\\fileserver\\quorvelle\\updates");
  view->Speichern();
  for (int32_t node = 2; node <= 6; ++node) {
    Access::SelectNode(*view, node);
    if (node == 4) Access::CheckArchiveFolders(*view);
    if (node == 6) {
      forms::Responders::Push(forms::SaveFileAs("QVClient.cfg", Folder("clients")));
      Access::MakeClientFile(*view);
    }
    EXPECT_TRUE(test::RenderForm(*main, "configuration-page" + std::to_string(node)));
  }
  // The access page as a new installation opens it: Windows authentication.
  db().Execute("UPDATE Konfig SET WinAuth = ?", {rt::Variant(ScrambleText(SqlServer + "||", kPasswordKey))});
  view->Unload();
  ShowDockedForm(view);
  Access::SelectNode(*view, 3);
  EXPECT_TRUE(test::RenderForm(*main, "configuration-page3-windows-authentication"));
}

}  // namespace
}  // namespace qvadmin
