// The fixture of the tests that connect: a provisioned QVault on the
// private server, the program's registry values reset, the main window
// loaded (its login at start cancelled) with the stand-in message box that
// records every message, and helpers that play the login dialog.
#pragma once

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../../../sql/tests/ScriptServer.h"
#include "../../core/tests/CoreTestSupport.h"
#include "ado/TestServer.h"
#include "core/RegistrySettings.h"
#include "core/ScrambleKeys.h"
#include "core/Scrambler.h"
#include "core/SessionState.h"
#include "core/frmLogin.h"
#include "forms/CheckBox.h"
#include "forms/Responder.h"
#include "forms/controls/ComboBox.h"
#include "forms/controls/FlatEdit.h"
#include "forms/controls/OptionButton.h"
#include "forms/docking/DockStudio.h"
#include "gdi/FontBackend.h"
#include "main/frmMDI.h"
#include "main/frmStart.h"
#include "main/tests/FakeMsg.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace qvadmin::test {

// What the administrator enters in the login dialog.
struct LoginInput {
  std::string server;
  bool sqlAuth = true;
  std::string user;
  std::string password;
  bool save = false;
};

inline LoginInput PasswordLogin(bool save = false) {
  return {ado::TestServer::TcpDataSource(), true, ado::TestServer::User(), ado::TestServer::Password(), save};
}
inline LoginInput PeerLogin(bool save = false) { return {ado::TestServer::SocketDataSource(), false, "", "", save}; }

// Fills the dialog as a user does.
inline void FillLogin(frmLogin& dialog, const LoginInput& input) {
  dialog.Get<forms::ComboBox>("cboServer")->SetText(input.server);
  dialog.Get<forms::OptionButton>("optAuth", input.sqlAuth ? 1 : 0)->SetValue(true);
  if (input.sqlAuth) {
    dialog.Get<forms::FlatEdit>("txtUID")->SetText(input.user);
    dialog.Get<forms::FlatEdit>("txtPWD")->SetText(input.password);
  }
  dialog.Get<forms::CheckBox>("chkSaveLogin")->SetValue(input.save ? 1 : 0);
}

// Whether the access triple, scrambled, holds a line break.
inline bool Breaks(const std::string& triple) {
  return ScrambleText(triple, kPasswordKey).find_first_of("\r\n") != std::string::npos;
}

// A user for the clients whose access triple with `server` and `password`
// holds no line break when scrambled (with `withBreak`: one that does);
// empty when none of the tried ones does.
inline std::string UserWhoseTriple(const std::string& server, const std::string& password, bool withBreak) {
  for (int i = 0; i < 1000; ++i) {
    const std::string user = "qvclient" + std::string(static_cast<size_t>(i % 16), 'q') + std::to_string(i / 16);
    if (Breaks(server + "|" + user + "|" + password) == withBreak) return user;
  }
  return {};
}

// The characters a test may use in a server's name: every one of the
// code page that scrambling keeps, save the blank, "/" and "," (which
// have a meaning in a data source).
inline std::vector<std::string> NameCharacters() {
  std::vector<std::string> characters;
  for (int code = 33; code < 256; ++code) {
    if (code == '/' || code == ',' || code == 127) continue;
    const std::string character = rt::FromAnsi(std::string(1, static_cast<char>(code)));
    if (SurvivesScrambling(character)) characters.push_back(character);
  }
  return characters;
}

// A server spelling, `spell(name)` for a name of two characters, whose
// access triple under Windows authentication holds a line break when
// scrambled (with `withBreak` false: one that does not); "" when none
// does. What comes before the name must not break (see PathThatKeeps): the
// scrambled form of a text's beginning does not depend on what follows.
inline std::string ServerWhoseTriple(const std::function<std::string(const std::string& name)>& spell,
                                     bool withBreak) {
  const std::vector<std::string> characters = NameCharacters();
  for (const std::string& first : characters) {
    for (const std::string& second : characters) {
      const std::string server = spell(first + second);
      if (Breaks(server + "||") == withBreak) return server;
    }
  }
  return {};
}

// A path in `folder` whose file name is `name` after a number, the first
// number that keeps the path free of line breaks when scrambled, for the
// beginning of a server's spelling. The number comes first because only a
// change at or before the place of a break can mend it; "" when none of
// the tried ones keeps.
inline std::string PathThatKeeps(const std::string& folder, const std::string& name) {
  for (int i = 0; i < 1000; ++i) {
    const std::string path = folder + "/" + std::to_string(i) + name;
    if (!Breaks(path)) return path;
  }
  return {};
}

// The private server's port and password are drawn at random, and with
// some of them the access line of a test login would hold a line break
// when scrambled, so that the login refuses to store it. The server is
// then spelled another way that reaches the same server and keeps: the
// loopback address written otherwise, the socket folder with "./" added
// after its leading "/" (a change after the place of a break cannot mend
// it).
inline void SpellTheServerSoTheLoginsKeep() {
  const std::string port = std::getenv("QV_PG_PORT") ? std::getenv("QV_PG_PORT") : "";
  const std::string userAndPassword = "|" + ado::TestServer::User() + "|" + ado::TestServer::Password();
  for (const char* host : {"127.0.0.1", "localhost", "127.1", "127.0.1", "127.0.0.01", "127.00.0.1", "127.0.00.1"}) {
    if (!Breaks(std::string(host) + "," + port + userAndPassword)) {
      ::setenv("QV_PG_HOST", host, 1);
      break;
    }
  }
  std::string folder = ado::TestServer::SocketDataSource();
  folder.erase(folder.rfind(','));
  for (int i = 0; i < 64 && Breaks(folder + "," + port + "||"); ++i) folder.insert(1, "./");
  ::setenv("QV_PG_SOCKET_DIR", folder.c_str(), 1);
}

// `host` with the private server's port written after as many zeros as
// needed for every access line `keeps(server)` tries to keep; "" when
// none keeps them.
inline std::string ServerWithPortThatKeeps(const std::string& host,
                                           const std::function<bool(const std::string& server)>& keeps) {
  for (size_t zeros = 0; zeros < 32; ++zeros) {
    const std::string server = host + "," + std::string(zeros, '0') + std::getenv("QV_PG_PORT");
    if (keeps(server)) return server;
  }
  return {};
}

// A login role of a test's own on the server (password "secret") with the
// rights on QVault that `grants` give ("@" stands for its name); its rights
// and the role go at the end.
class ScopedRole {
 public:
  ScopedRole(ado::Connection& qvault, std::string name, const std::vector<std::string>& grants)
      : m_qvault(qvault), m_name(std::move(name)) {
    sqltest::Exec(*sqltest::Connect("master"), "CREATE ROLE " + m_name + " LOGIN PASSWORD 'secret'");
    for (const std::string& grant : grants) sqltest::Exec(m_qvault, rt::Replace(grant, "@", m_name));
  }
  ~ScopedRole() {
    rt::ResumeNext([&] {
      if (cnMain) cnMain->Close();
      sqltest::Exec(m_qvault, "DROP OWNED BY " + m_name);
      sqltest::Exec(*sqltest::Connect("master"), "DROP ROLE " + m_name);
    });
    rt::Err().Clear();
  }
  ScopedRole(const ScopedRole&) = delete;
  ScopedRole& operator=(const ScopedRole&) = delete;

  LoginInput Login(bool save = false) const { return {ado::TestServer::TcpDataSource(), true, m_name, "secret", save}; }

 private:
  ado::Connection& m_qvault;
  std::string m_name;
};

class SessionTest : public sqltest::QVaultTest {
 protected:
  // Renders measure with the pinned fonts, the other tests with fixed
  // metrics; the choice holds from before the first window loads.
  explicit SessionTest(bool pinnedFonts = false) {
    if (pinnedFonts) {
      gdi::UsePangoMetrics();
    } else {
      gdi::UseFixedMetrics();
    }
  }
  ~SessionTest() override { gdi::UseFixedMetrics(); }

  void SetUp() override {
    sqltest::QVaultTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    SpellTheServerSoTheLoginsKeep();
    UsePrivateRegistry();
    LoadSettings();
    for (const char* key : {"SQLAdm_CS", "SQLAdm_CU", "SQLAdm_CP", "IsExpr", "AktUpdDir", "DesignStyle"}) {
      WriteRegValue(key, "");
    }
    WriteRegValue("SQLAdm_AL", "0");
    // The session of the program starts without a connection.
    cnMain = std::make_shared<ado::Connection>();
    SqlServer.clear();
    SqlUser.clear();
    ArchivePath.clear();
    CurrentUserID.clear();
    main = frmMDI::Default();
    // The login at start is cancelled.
    forms::Responders::Push([](const forms::ModalRequest& r) {
      if (r.form) r.form->Unload();
      return 0;
    });
    main->Show();
    msg = FakeMsg::Last();
    dock = main->Dock();
  }
  void TearDown() override {
    for (const auto& form : forms::Form::Forms()) form->Unload();
    forms::Responders::Clear();
    sqltest::QVaultTest::TearDown();
  }

  // Shows the login dialog modally; `act` plays the user once it shows.
  void PlayLogin(const std::function<void(frmLogin&)>& act) {
    forms::Responders::Push([act](const forms::ModalRequest& r) {
      if (auto* dialog = dynamic_cast<frmLogin*>(r.form)) act(*dialog);
      // A dialog still open after the play is closed as Cancel does.
      if (r.form && r.form->IsLoaded()) r.form->Unload();
      return 0;
    });
  }
  // Logs in through the dialog with `input` (the login shows modally from
  // `show`, by default the dialog itself).
  void LoginWith(const LoginInput& input, const std::function<void()>& show = {}) {
    PlayLogin([input](frmLogin& dialog) {
      FillLogin(dialog, input);
      dialog.Get<forms::StandardControl>("cmdLogin")->Click();
    });
    if (show) {
      show();
    } else {
      frmLogin::Default()->Show(forms::vbModal, main.get());
    }
  }
  std::string Stored(const std::string& key, const ScrambleKeySet& keySet) {
    return UnscrambleText(ReadRegValue(key), keySet);
  }
  std::string Titles() const {
    std::string titles;
    for (const auto& call : msg->calls) titles += call[2].ToString() + ";";
    return titles;
  }

  ScopedFakeMsg fakeMsg;
  std::shared_ptr<frmMDI> main;
  std::shared_ptr<forms::DockStudio> dock;
  FakeMsg* msg = nullptr;
};

}  // namespace qvadmin::test
