#include "core/MasterDatabase.h"

#include <cstdint>

#include "core/CarriedScripts.h"
#include "core/ConnectSQLServer.h"
#include "core/CoreMessage.h"
#include "core/CurrentUser.h"
#include "core/LoginStatus.h"
#include "core/RegistrySettings.h"
#include "core/SessionState.h"
#include "core/SqlScriptRunner.h"
#include "forms/App.h"
#include "runtime/Error.h"
#include "win/MessageQueue.h"

namespace qvadmin {
namespace {

void ShowLoginError(const rt::Error& error) {
  ShowCoreMessage(std::string("Error login to main database: ") + kMasterDatabase + "\r\r" + error.Description(),
                  vbCritical, "Error: " + std::to_string(error.Number()));
}

// Whether the server's catalogue lists the master database; raises when
// the catalogue can't be read.
bool MasterDatabaseExists() {
  ado::Recordset rs =
      MainConnection().Execute("SELECT 1 FROM pg_database WHERE datname = ?", {rt::Variant(kMasterDatabase)});
  return !rs.Eof();
}

}  // namespace

bool InitMasterDatabase(bool SqlAuth, const std::string& Server, const std::string& User,
                        const std::string& Password) {
  const rt::Error firstError = OpenMainConnection(true, SqlAuth, Server, User, Password);
  if (firstError.Number() == 0) return true;

  rt::ResumeNext([] { MainConnection().Close(); });
  if (!ConnectSQLServer(false, SqlAuth, Server, User, Password)) return false;
  rt::Err().Clear();

  // Only a master database that the server does not have is created; one
  // that exists but refused the connection is an access problem, and
  // creating it again would only fail.
  bool exists = true;
  if (!rt::ResumeNext([&] { exists = MasterDatabaseExists(); })) {
    ShowLoginError(rt::Err().Current());
    rt::Err().Clear();
    return false;
  }
  if (exists) {
    ShowLoginError(firstError);
    return false;
  }

  uint8_t step = 0;
  bool created = RunCarriedScript("scriptMakeHauptDB") && RunCarriedScript("scriptUSSettings");
  if (created) {
    step = 1;
    created = RunCarriedScript("scriptInsertTrigger");
  }
  if (created) {
    step = 2;
    created = RunCarriedScript("scriptDeleteTrigger");
  }
  if (!created) {
    ShowCoreMessage(std::string("The main database could not be created.\r\r"
                                "Please check the SQL connection and you may delete the database '") +
                        kMasterDatabase + "'",
                    vbExclamation, "Error during step of creation: " + std::to_string(step));
    return false;
  }

  step = 3;
  SetLoginStatus("Quorvelle was initialized.");
  // A moment for the status line to show.
  rt::ResumeNext([] { win::DoEvents(); });

  WriteRegValue("AppAdmDir", forms::App().Path, false);

  ShowCoreMessage(
      "Quorvelle-Professional was successfully installed on your system.\r"
      "You can start Quorvelle to create databases now.\r"
      "Further information can be found in our program help (key F1).\r\r"
      "To continue, please click 'OK' now",
      vbInformation | vbOKOnly, "Welcome to Quorvelle Professional!");

  const rt::Error reconnectError = OpenMainConnection(true, SqlAuth, Server, User, Password);
  if (reconnectError.Number() != 0) {
    ShowLoginError(reconnectError);
    return false;
  }
  CurrentUserID = EnsureCurrentUser();
  return true;
}

}  // namespace qvadmin
