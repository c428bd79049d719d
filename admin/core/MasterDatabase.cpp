#include "core/MasterDatabase.h"

#include <algorithm>
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
#include "runtime/Strings.h"
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

// The objects of the master database, by their names and as the
// catalogue spells them: the tables that every build has, the tables that
// only the current build has, and the triggers of DBList (the Memo
// database tables made and dropped with a row, and the guard of DBList.ID,
// a Memo database's number, which names its tables).
struct MasterObject {
  const char* name;
  const char* catalogueName;
};
constexpr MasterObject kEveryBuildTables[] = {
    {"Konfig", "konfig"},   {"Benutzer", "benutzer"},           {"Gruppen", "gruppen"},
    {"Benutzer_Gruppen", "benutzer_gruppen"}, {"DBList", "dblist"}, {"DBList_Gruppen", "dblist_gruppen"},
};
constexpr MasterObject kCurrentBuildTables[] = {
    {"BMPng", "bmpng"},
    {"DBList_Benutzer_Konfig", "dblist_benutzer_konfig"},
};
constexpr MasterObject kDBListTriggers[] = {
    {"T_DBList_ITrig", "t_dblist_itrig"},
    {"T_DBList_DTrig", "t_dblist_dtrig"},
    {"T_DBList_UTrig", "t_dblist_utrig"},
};

// The names of `objects` that `present` (catalogue names) lacks.
template <size_t N>
void AddMissing(const MasterObject (&objects)[N], const std::vector<std::string>& present,
                std::vector<std::string>& missing) {
  for (const MasterObject& object : objects) {
    if (std::find(present.begin(), present.end(), object.catalogueName) == present.end()) missing.push_back(object.name);
  }
}

std::vector<std::string> FirstColumn(const std::string& sql) {
  std::vector<std::string> values;
  for (ado::Recordset rs = MainConnection().Execute(sql); !rs.Eof(); rs.MoveNext()) {
    values.push_back(rs.Fields(0).Value().ToString());
  }
  return values;
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
    // database that must never be taken as provisioned. One that can't be
    // read is the start page's to tell (rights are not missing objects).
    std::vector<std::string> missing;
    rt::ResumeNext([&] { missing = MissingMasterObjects(); });
    rt::Err().Clear();
    if (missing.empty()) return true;
    ShowIncompleteMasterDatabase(missing);
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

std::vector<std::string> MissingMasterObjects() {
  // The catalogue can be read by every login; Konfig only with its right.
  const std::vector<std::string> tables = FirstColumn("SELECT tablename FROM pg_tables WHERE schemaname = 'dbo'");
  std::vector<std::string> missing;
  AddMissing(kEveryBuildTables, tables, missing);
  if (!missing.empty()) return missing;
  ado::Recordset konfig = MainConnection().Execute("SELECT coalesce(max(Build), 0), count(*) FROM dbo.Konfig");
  if (konfig.Fields(1).Value().ToLong() == 0) return {"the configuration row of Konfig"};
  // An older build gets the rest from its conversion; a newer one is
  // refused by the start page.
  if (konfig.Fields(0).Value().ToLong() != kCurrentBuild) return {};
  AddMissing(kCurrentBuildTables, tables, missing);
  AddMissing(kDBListTriggers,
             FirstColumn("SELECT t.tgname FROM pg_trigger t JOIN pg_class c ON c.oid = t.tgrelid "
                         "JOIN pg_namespace n ON n.oid = c.relnamespace "
                         "WHERE n.nspname = 'dbo' AND c.relname = 'dblist' AND NOT t.tgisinternal"),
             missing);
  return missing;
}

void ShowIncompleteMasterDatabase(const std::vector<std::string>& missing) {
  // A database that lacks objects may still hold the installation's data:
  // only one that holds none may be deleted.
  ShowCoreMessage(std::string("The main database '") + kMasterDatabase + "' on this server is incomplete. It lacks: " +
                      rt::Join(missing, ", ") +
                      ".\r\rPlease restore the database '" + kMasterDatabase +
                      "' from a backup. A database that holds no data yet may be deleted instead; the next login "
                      "then creates it anew.",
                  vbExclamation, "Incomplete main database");
}

}  // namespace qvadmin
