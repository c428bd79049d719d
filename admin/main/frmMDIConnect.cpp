// The main window's connect: at start from the stored login, or through
// the login dialog.
#include "core/ConnectSQLServer.h"
#include "core/DockedViews.h"
#include "core/RegistrySettings.h"
#include "core/ScrambleKeys.h"
#include "core/Scrambler.h"
#include "core/SessionState.h"
#include "core/frmLogin.h"
#include "forms/Constants.h"
#include "main/frmMDI.h"
#include "main/frmStart.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace qvadmin {

namespace {

// A stored scrambled value as plain text ("" when it can't be read).
std::string StoredPlain(const std::string& key, const ScrambleKeySet& keySet) {
  std::string plain;
  rt::ResumeNext([&] { plain = UnscrambleText(ReadRegValue(key, ""), keySet); });
  rt::Err().Clear();
  return plain;
}

bool AutoLoginSet() {
  try {
    return std::stol(rt::Trim(ReadRegValue("SQLAdm_AL", "0"))) != 0;
  } catch (...) {
    return false;
  }
}

}  // namespace

void frmMDI::ConnectFromSettings(bool ForceLogin) {
  const std::string server = StoredPlain("SQLAdm_CS", kServerUserKey);
  SqlUser = StoredPlain("SQLAdm_CU", kServerUserKey);
  const std::shared_ptr<frmStart> start = frmStart::Default();
  bool connected = false;
  if (!AutoLoginSet() || ForceLogin) {
    if (!server.empty()) SqlServer = server;
    frmLogin::Default()->Show(forms::vbModal, this);
    connected = start->LinksEnabled();
  } else {
    if (!server.empty()) SqlServer = server;
    const std::string password = StoredPlain("SQLAdm_CP", kPasswordKey);
    const bool sqlAuth = !SqlUser.empty() || !password.empty();
    connected = ConnectSQLServer(true, sqlAuth, SqlServer, SqlUser, password);
    start->IsEnabled(connected);
    // A session the start page refused ends on the server too.
    if (!connected) CloseMainConnection();
  }
  if (connected) ReadArchivePath();
  ToolButtonErlauben("AutoUpdate", connected);
}

void frmMDI::ShowDisconnected() {
  CurrentUserID.clear();
  ArchivePath.clear();
  bool enable = false;
  rt::ResumeNext([&] { frmStart::Default()->IsEnabled(enable); });
  rt::Err().Clear();
  ToolButtonErlauben("AutoUpdate", false);
}

}  // namespace qvadmin
