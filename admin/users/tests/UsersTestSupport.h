// The user administration's tests: the master database made once per test
// binary on the private server and emptied of what a test adds, the main
// window loaded as in the program (its message box control records each
// message and lets the scripted responder answer it), scripted modal
// dialogs, and helpers that read rows back.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ado/Connection.h"
#include "ado/TestServer.h"
#include "com/ControlFactory.h"
#include "com/UserControl.h"
#include "core/CurrentUser.h"
#include "core/MasterDatabase.h"
#include "core/RegistrySettings.h"
#include "core/SessionState.h"
#include "forms/Form.h"
#include "forms/MsgBox.h"
#include "forms/Responder.h"
#include "forms/lists/ReportControl.h"
#include "main/frmMDI.h"
#include "msgbox/Msg.h"
#include "runtime/Error.h"
#include "users/AccountDirectory.h"

namespace qvadmin::test {

#define QV_REQUIRE_SERVER() \
  if (!ado::TestServer::Available()) GTEST_SKIP() << ado::TestServer::SkipReason()

inline void UsePrivateRegistry() {
  static const std::filesystem::path folder = [] {
    auto path = std::filesystem::temp_directory_path() / ("qvusers-reg-" + std::to_string(::getpid()));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    ::setenv("QV_REGISTRY_DIR", path.c_str(), 1);
    return path;
  }();
}

// The main window's message box control in these tests: each MsgBoxEx is
// recorded with its details and icon, and answered by the scripted
// responder as a plain message box of the same prompt, style and title.
class RecordingMsg : public com::UserControl {
 public:
  struct Call {
    std::string prompt;
    std::string title;
    std::string details;
    com::StdPicturePtr icon;
  };
  RecordingMsg() {
    DefineMethod("MsgBoxEx", [](com::Args& args) {
      const auto text = [&](size_t i) { return args.size() > i ? args[i].ToString() : std::string(); };
      Calls().push_back(
          {text(0), text(2), text(6), args.size() > 8 ? com::AsObject<com::StdPicture>(args[8]) : nullptr});
      return rt::Variant(forms::MsgBox(text(0), args.size() > 1 ? args[1].ToLong() : 0, text(2)));
    });
    for (const char* name : {"strAbord", "strCancel", "strCheck", "strCopy", "strDelText", "strHelp", "strIgnore",
                             "strNo", "strRetry", "strSend", "strYes"}) {
      DefineProperty(
          name, [] { return rt::Variant(""); }, [](const rt::Variant&) {});
    }
  }
  std::string ClassName() const override { return "msg"; }
  static std::vector<Call>& Calls() {
    static std::vector<Call> calls;
    return calls;
  }
};

// Statements and queries on the shared connection.
inline void Exec(const std::string& sql, const std::vector<rt::Variant>& params = {}) {
  MainConnection().Execute(sql, params, nullptr, ado::adCmdText | ado::adExecuteNoRecords);
}
inline rt::Variant Scalar(const std::string& sql, const std::vector<rt::Variant>& params = {}) {
  ado::Recordset rs = MainConnection().Execute(sql, params);
  return rs.Eof() ? rt::Variant::Null() : rs.Fields(0).Value();
}
inline int32_t Count(const std::string& sql, const std::vector<rt::Variant>& params = {}) {
  return Scalar(sql, params).ToLong();
}
inline std::string AddUserRow(const std::string& login, const std::string& fullname, bool active = true,
                              int32_t plt = 0) {
  return Scalar("INSERT INTO Benutzer (WinUsr, Fullname, Aktiv, PLT) VALUES (?,?,?,?) RETURNING ID",
                {rt::Variant(login), rt::Variant(fullname), rt::Variant(active), rt::Variant(plt)})
      .ToString();
}
inline std::string AddGroupRow(const std::string& name) {
  return Scalar("INSERT INTO Gruppen (Bez) VALUES (?) RETURNING ID", {rt::Variant(name)}).ToString();
}
inline void Join(const std::string& user, const std::string& group) {
  Exec("INSERT INTO Benutzer_Gruppen (UserID, GrpID) VALUES (?,?)", {rt::Variant(user), rt::Variant(group)});
}

// Where a render is written to be looked at: the build folder.
inline std::string PngPath(const std::string& name) {
  const char* build = std::getenv("QV_BUILD_DIR");
  return std::string(build ? build : ".") + "/users-" + name + ".png";
}

// Names that must come back as they went in.
inline const std::vector<std::string>& AwkwardNames() {
  static const std::vector<std::string> names{"O'Brien", "semi;colon", "back\\slash", "Łukasz Żółć", "Ωμέγα"};
  return names;
}

// Each test starts on the master database with only the rows that the
// provisioning made (the default user and group, the current user).
class UsersTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!ado::TestServer::Available()) return;
    UsePrivateRegistry();
    LoadSettings();
    {
      ado::Connection admin;
      ado::TestServer::OpenWithPassword(admin);
      admin.Execute("DROP DATABASE IF EXISTS \"QVault\" WITH (FORCE)", nullptr,
                    ado::adCmdText | ado::adExecuteNoRecords);
    }
    cnMain = std::make_shared<ado::Connection>();
    forms::ScopedResponders answers([](const forms::ModalRequest&) { return 1; });
    if (!InitMasterDatabase(true, ado::TestServer::TcpDataSource(), ado::TestServer::User(),
                            ado::TestServer::Password())) {
      throw std::runtime_error("the master database could not be made");
    }
    CurrentUserID = EnsureCurrentUser();
    com::RegisterControlClass("Kvctl2.msg", [] { return std::make_shared<RecordingMsg>(); });
    // No login is stored: the login dialog the main window shows at start
    // is cancelled, and the views use the connection made above.
    WriteRegValue("SQLAdm_AL", "0");
    forms::Responders::Push([](const forms::ModalRequest& r) {
      if (r.form) r.form->Unload();
      return 0;
    });
    frmMDI::Default()->Show();
  }
  static void TearDownTestSuite() {
    // Unloading the main window closes the shared connection.
    if (frmMDI::Default()->IsLoaded()) frmMDI::Default()->Unload();
    if (cnMain) cnMain->Close();
    com::RegisterControlClass("Kvctl2.msg", [] { return std::make_shared<kvctl2::Msg>(); });
  }
  void SetUp() override {
    QV_REQUIRE_SERVER();
    ASSERT_EQ(cnMain->State(), ado::adStateOpen);
    if (MainConnection().InTransaction()) MainConnection().RollbackTrans();
    Exec("DELETE FROM DBList");
    Exec("DELETE FROM Benutzer WHERE ID NOT IN (?, ?)", {rt::Variant(kDefaultUserID), rt::Variant(CurrentUserID)});
    Exec("DELETE FROM Gruppen WHERE ID <> ?", {rt::Variant(kDefaultUserID)});
    Exec("DELETE FROM Benutzer_Gruppen WHERE UserID = ?", {rt::Variant(CurrentUserID)});
    Exec("UPDATE Benutzer SET Aktiv = true WHERE ID = ?", {rt::Variant(CurrentUserID)});
    ArchivePath.clear();
    messages.clear();
    RecordingMsg::Calls().clear();
    forms::Responders::SetStanding([this](const forms::ModalRequest& r) {
      messages.push_back(r);
      return answer;
    });
  }
  void TearDown() override {
    forms::Responders::Clear();
    // The views and dialogs go; the main window stays for the next test.
    for (const forms::FormPtr& form : forms::Form::Forms()) {
      if (form->Name() != "frmMDI") form->Unload();
    }
  }
  // Runs `act` on the next modal form.
  template <class Form>
  void OnDialog(std::function<void(Form&)> act) {
    forms::Responders::Push([this, act](const forms::ModalRequest& r) {
      auto* form = r.kind == forms::ModalRequest::Kind::Form ? dynamic_cast<Form*>(r.form) : nullptr;
      if (!form) {
        ADD_FAILURE() << "expected the dialog, got: " << r.title << " / " << r.prompt;
        messages.push_back(r);
        return answer;
      }
      act(*form);
      return 0;
    });
  }

  std::vector<forms::ModalRequest> messages;
  int32_t answer = 1;
};

// A directory of two domains with known accounts.
class FixtureDirectory final : public AccountDirectory {
 public:
  std::map<std::string, std::vector<DirectoryAccount>> domains{
      {"OFFICE",
       {{"anna", "Anna O'Hara", "Sales", "", "/bin/bash", "", "/home/anna", {"staff", "sales"}},
        {"ben", "Ben; Backslash \\", "", "", "", "", "", {}},
        {"existing", "Already There", "", "", "", "", "", {}},
        {"łucja", "Łucja Żółć", "", "", "", "", "", {}}}},
      {"LAB", {{"zed", "Zed", "", "", "", "", "", {}}}}};
  std::vector<std::string> Domains() const override { return {"LAB", "OFFICE"}; }
  std::vector<DirectoryAccount> Users(const std::string& domain) const override { return domains.at(domain); }
  DirectoryAccount Account(const std::string& domain, const std::string& name) const override {
    for (const auto& account : domains.at(domain)) {
      if (account.name == name) return account;
    }
    rt::Raise(static_cast<int32_t>(0x800708AD), "fixture", "The user name could not be found.");
  }
};

// Clicks a control of a form (a button, an option).
inline void ClickOn(forms::Form& form, const std::string& name, int16_t index = -1) {
  auto control = index < 0 ? form.Control(name) : form.Control(name, index);
  control->Call("Click");
}

// Selects row `row` of a list with the keys, as the user does (Home, then
// Down), so that the list raises SelectionChanged.
inline void SelectRowByKeys(forms::ReportControl& list, int32_t row) {
  int16_t key = 36;  // Home
  list.KeyDown(key, 0);
  for (int32_t i = 0; i < row; ++i) {
    key = 40;  // Down
    list.KeyDown(key, 0);
  }
}

}  // namespace qvadmin::test
