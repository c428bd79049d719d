#include "core/frmLogin.h"

#include "core/AccessTriple.h"
#include "core/ConnectSQLServer.h"
#include "core/ErrorReport.h"
#include "core/FormSettings.h"
#include "core/HelpSystem.h"
#include "core/LoginStatus.h"
#include "core/MasterDatabase.h"
#include "core/RegistrySettings.h"
#include "core/ScrambleKeys.h"
#include "core/Scrambler.h"
#include "core/SessionState.h"
#include "core/ShowMsgEx.h"
#include "core/TextHelpers.h"
#include "forms/CheckBox.h"
#include "forms/Constants.h"
#include "forms/Label.h"
#include "forms/controls/ComboBox.h"
#include "forms/controls/FlatEdit.h"
#include "forms/controls/OptionButton.h"
#include "main/frmMDI.h"
#include "main/frmStart.h"
#include "runtime/DataFolder.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "shell/System.h"

namespace qvadmin {

namespace {

constexpr int16_t kEnter = 13;

// The numeric value of a registry text, as the runtime's Val reads a
// whole number ("" and anything else: 0).
int32_t ValueOf(const std::string& text) {
  try {
    return static_cast<int32_t>(std::stol(rt::Trim(text)));
  } catch (...) {
    return 0;
  }
}

}  // namespace

frmLogin::frmLogin() : forms::Form("frmLogin") {
  SetDesignFile(rt::DataFile("qvadmin/frmLogin.frm"));
  OnControlEvent("cboServer", "Change", [this](int16_t, com::Args&) { ServerChanged(); });
  OnControlEvent("cboServer", "Click", [this](int16_t, com::Args&) { ServerChanged(); });
  OnControlEvent("optAuth", "Click", [this](int16_t index, com::Args&) { AuthClicked(index, true); });
  OnControlEvent("txtUID", "KeyPress", [this](int16_t, com::Args& args) {
    if (args[0].ToLong() != kEnter) return;
    args[0] = int16_t{0};
    SetFocusTo(*Control("txtPWD"));
  });
  OnControlEvent("txtPWD", "KeyPress", [this](int16_t, com::Args& args) {
    if (args[0].ToLong() != kEnter) return;
    if (Get<forms::FlatEdit>("txtUID")->Text().empty() || Get<forms::ComboBox>("cboServer")->Text().empty()) return;
    args[0] = int16_t{0};
    Login();
  });
  OnControlEvent("cmdLogin", "Click", [this](int16_t, com::Args&) { Login(); });
  OnControlEvent("cmdCancel", "Click", [this](int16_t, com::Args&) {
    if (!m_busy) Unload();
  });
  OnControlEvent("cmdHelp", "Click", [this](int16_t, com::Args&) { ShowHelp(HelpContextID(), "Main"); });
}

std::shared_ptr<frmLogin> frmLogin::Default() {
  static const std::shared_ptr<frmLogin> instance = std::make_shared<frmLogin>();
  return instance;
}

void frmLogin::Form_Load() {
  m_busy = false;
  SetLoginStatusSink([this](const std::string& text) { ShowStatus(text); });
  RestoreFormPlacement(*this, true, false);

  auto server = Get<forms::ComboBox>("cboServer");
  // The computer's own server is always offered.
  const std::string computer = rt::RTrim(CutAtNull(shell::GetComputerNameA()));
  if (!computer.empty()) server->AddItem(computer);
  if (!SqlServer.empty() && rt::StrComp(SqlServer, computer, rt::CompareMethod::Text) != 0) server->AddItem(SqlServer);
  const bool express = ReadRegValue("IsExpr") + ReadRegValue("SQLAdm_CS") == "Y";
  server->SetText(SqlServer + (express ? "\\SQLExpress" : ""));
  ServerChanged();

  if (!SqlUser.empty()) {
    Get<forms::OptionButton>("optAuth", 1)->SetValue(true);
    Get<forms::FlatEdit>("txtUID")->SetText(SqlUser);
  }
  AuthClicked(SqlAuthChosen() ? 1 : 0, false);
  Get<forms::CheckBox>("chkSaveLogin")->SetValue(ValueOf(ReadRegValue("SQLAdm_AL", "0")) != 0 ? 1 : 0);
}

void frmLogin::Form_Activate() {
  if (SqlAuthChosen() && !Get<forms::FlatEdit>("txtUID")->Text().empty()) SetFocusTo(*Control("txtPWD"));
}

void frmLogin::Form_KeyDown(int16_t& keyCode, int16_t) {
  if (keyCode != forms::vbKeyF1) return;
  keyCode = 0;
  ShowHelp(HelpContextID(), "Main");
}

void frmLogin::Form_Unload(int16_t& cancel) {
  // A login that runs is not broken off by closing the window.
  if (m_busy) {
    cancel = 1;
    return;
  }
  SetLoginStatusSink({});
}

bool frmLogin::SqlAuthChosen() const { return Get<forms::OptionButton>("optAuth", 1)->Value(); }

void frmLogin::ServerChanged() {
  Control("cmdLogin")->SetEnabled(!rt::Trim(Get<forms::ComboBox>("cboServer")->Text()).empty());
}

void frmLogin::AuthClicked(int16_t index, bool moveFocus) {
  const bool sqlAuth = index == 1;
  for (const char* name : {"lblUID", "txtUID", "lblPWD", "txtPWD"}) Control(name)->SetEnabled(sqlAuth);
  if (!moveFocus) return;
  if (sqlAuth) {
    auto uid = Get<forms::FlatEdit>("txtUID");
    uid->SetSelStart(0);
    uid->SetSelLength(255);
    SetFocusTo(*uid);
  } else {
    SetFocusTo(*Control("cboServer"));
  }
}

void frmLogin::SetInputsEnabled(bool enabled) {
  for (const char* name : {"cboServer", "optAuth", "chkSaveLogin", "cmdLogin", "cmdCancel", "cmdHelp"}) {
    for (const com::ControlPtr& control : HasControl(name, 0) ? ControlArray(name) : std::vector{Control(name)}) {
      control->SetEnabled(enabled);
    }
  }
  const bool sqlAuth = SqlAuthChosen();
  for (const char* name : {"lblUID", "txtUID", "lblPWD", "txtPWD"}) Control(name)->SetEnabled(enabled && sqlAuth);
  if (enabled) ServerChanged();
}

void frmLogin::ShowStatus(const std::string& text) {
  rt::ResumeNext([&] {
    Get<forms::Label>("lblStatus")->SetCaption(text);
    Refresh();
  });
  rt::Err().Clear();
}

void frmLogin::Login() {
  if (m_busy) return;
  const bool sqlAuth = SqlAuthChosen();
  const bool saveLogin = Get<forms::CheckBox>("chkSaveLogin")->Value() == 1;
  const std::string server = Get<forms::ComboBox>("cboServer")->Text();
  const std::string user = sqlAuth ? Get<forms::FlatEdit>("txtUID")->Text() : std::string();
  const std::string password = sqlAuth ? Get<forms::FlatEdit>("txtPWD")->Text() : std::string();
  if (rt::Trim(server).empty()) return;
  // What is stored scrambled must come back as it was typed: checked
  // before anything is connected or written.
  if (!CheckScramblable(server, "server name") || !CheckScramblable(user, "user name") ||
      (saveLogin && !CheckScramblable(password, "password"))) {
    return;
  }

  m_busy = true;
  SetInputsEnabled(false);
  SetHourglass(true);
  ShowStatus("Connect to SQL Server...");
  bool loggedIn = false;
  rt::OnErrorGoTo(
      [&] {
        // The connection of the session before (if any) ends here: the
        // next session checks its own master database and user.
        CurrentUserID.clear();
        ArchivePath.clear();
        const std::shared_ptr<frmMDI> main = frmMDI::Default();
        if (!ConnectSQLServer(false, sqlAuth, server, user, password) ||
            !InitMasterDatabase(sqlAuth, server, user, password)) {
          if (main->IsLoaded()) main->ShowDisconnected();
          return;
        }
        bool enable = true;
        frmStart::Default()->IsEnabled(enable);
        // A master database that can't be used (newer, unreadable, not
        // converted) ends the login and its session here: nothing is
        // written, nothing is left open on the server.
        if (!enable) {
          CloseMainConnection();
          return;
        }
        if (main->IsLoaded()) main->ToolButtonErlauben("AutoUpdate", true);
        SqlServer = server;
        KeepAccessServer(server, user, password);
        SqlUser = user;
        StoreLogin(saveLogin ? password : std::string());
        loggedIn = true;
      },
      [](const rt::Error&) { ErrorReport("Login"); });
  SetHourglass(false);
  m_busy = false;
  if (loggedIn) {
    Unload();
  } else {
    SetInputsEnabled(true);
  }
}

void frmLogin::KeepAccessServer(const std::string& server, const std::string& user, const std::string& password) {
  ado::Recordset rs = MainConnection().Execute("SELECT WinAuth FROM Konfig");
  const rt::Variant stored = rs.Eof() ? rt::Variant() : rs.Fields(0).Value();
  rs.Close();
  const std::string triple = stored.IsNull() ? std::string() : UnscrambleText(stored.ToString(), kPasswordKey);
  if (!triple.empty() && rt::StrComp(GetToken(triple, 1, "|"), server, rt::CompareMethod::Text) == 0) return;
  // Without access data the clients get this login's. With access data
  // only the server changes: the access that the clients use (user and
  // password, set in the configuration) stays as it was.
  auto field = [&](uint8_t n) {
    const std::string value = GetToken(triple, n, "|");
    return value == kPipeEnd ? std::string() : value;
  };
  const std::string access =
      triple.empty() ? AccessTriple(server, user, password) : AccessTriple(server, field(2), field(3));
  if (!CheckAccessLine(access, "The access data of the clients were left as they were.", kAccessDataTitle)) return;
  MainConnection().Execute("UPDATE Konfig SET WinAuth = ?", {rt::Variant(ScrambleText(access, kPasswordKey))}, nullptr,
                           ado::adCmdText | ado::adExecuteNoRecords);
}

void frmLogin::StoreLogin(const std::string& password) {
  WriteRegValue("SQLAdm_AL", std::to_string(Get<forms::CheckBox>("chkSaveLogin")->Value()), false);
  WriteRegValue("SQLAdm_CS", ScrambleText(SqlServer, kServerUserKey), false);
  WriteRegValue("SQLAdm_CU", ScrambleText(SqlUser, kServerUserKey), false);
  WriteRegValue("SQLAdm_CP", password.empty() ? std::string() : ScrambleText(password, kPasswordKey), false);
}

}  // namespace qvadmin
