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
#include "main/frmStart.h"
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

// Whether the master database that cnMain is open on was made whole: the
// tables that every build has, the configuration row and, at the current
// build (which only a finished creation or conversion writes), the
// triggers of DBList. An interrupted creation leaves less; any error
// reading it counts as incomplete.
bool MasterDatabaseComplete() {
  bool complete = false;
  rt::ResumeNext([&] {
    ado::Connection& cn = MainConnection();
    ado::Recordset tables = cn.Execute(
        "SELECT count(*) FROM pg_tables WHERE schemaname = 'dbo' AND tablename IN "
        "('konfig', 'benutzer', 'gruppen', 'benutzer_gruppen', 'dblist', 'dblist_gruppen')");
    if (tables.Fields(0).Value().ToLong() != 6) return;
    ado::Recordset konfig = cn.Execute("SELECT coalesce(max(Build), 0), count(*) FROM dbo.Konfig");
    if (konfig.Fields(1).Value().ToLong() == 0) return;
    if (konfig.Fields(0).Value().ToLong() < kCurrentBuild) {
      complete = true;
      return;
    }
    ado::Recordset triggers = cn.Execute(
        "SELECT count(*) FROM pg_trigger WHERE tgrelid = to_regclass('dbo.dblist') "
        "AND tgname IN ('t_dblist_itrig', 't_dblist_dtrig')");
    complete = triggers.Fields(0).Value().ToLong() == 2;
  });
  rt::Err().Clear();
  return complete;
}

void ShowIncompleteMasterDatabase() {
  ShowCoreMessage(std::string("The main database '") + kMasterDatabase +
                      "' on this server is incomplete: its tables, its first rows or its triggers are missing, "
                      "as an interrupted creation leaves it.\r\r"
                      "Please delete the database '" +
                      kMasterDatabase + "' and log in again to create it anew.",
                  vbExclamation, "Incomplete main database");
}

// Drops the master database that this run created and could not finish,
// so that the next attempt starts clean. Errors are ignored: the failure
// message tells the user to delete it where this fails.
void DropUnfinishedMasterDatabase() {
  rt::ResumeNext([] {
    ado::Connection& cn = MainConnection();
    if (cn.InTransaction()) cn.RollbackTrans();
    cn.Execute("USE master", nullptr, ado::adCmdText | ado::adExecuteNoRecords);
    if (!MasterDatabaseExists()) return;
    cn.Execute(std::string("DROP DATABASE \"") + kMasterDatabase + "\"", nullptr,
               ado::adCmdText | ado::adExecuteNoRecords);
  });
  rt::Err().Clear();
}

}  // namespace

bool InitMasterDatabase(bool SqlAuth, const std::string& Server, const std::string& User,
                        const std::string& Password) {
  const rt::Error firstError = OpenMainConnection(true, SqlAuth, Server, User, Password);
  if (firstError.Number() == 0) {
    // Open is not enough: a creation that was cut off leaves a master
    // database that must never be taken as provisioned.
    if (MasterDatabaseComplete()) return true;
    ShowIncompleteMasterDatabase();
    rt::ResumeNext([] { MainConnection().Close(); });
    rt::Err().Clear();
    return false;
  }

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

  // The tables and the first rows are one transaction (begun by the
  // creation script, committed by the first-rows script); when any step
  // fails, the database this run created is dropped again.
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
    DropUnfinishedMasterDatabase();
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
