// The schema conversion of the start page: master and Memo databases of
// older builds brought to the current build.
#include <algorithm>
#include <vector>

#include "ado/Connection.h"
#include "core/CarriedScripts.h"
#include "core/CoreMessage.h"
#include "core/ErrorReport.h"
#include "core/RegistrySettings.h"
#include "core/SessionState.h"
#include "core/SqlScriptRunner.h"
#include "forms/App.h"
#include "main/frmStart.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace qvadmin {
namespace {

constexpr const char* kScriptAccessError = "Script access error!";

void Execute(const std::string& sql) {
  MainConnection().Execute(sql, nullptr, ado::adCmdText | ado::adExecuteNoRecords);
}

// The trigger scripts end with "USE MASTER", which leaves the connection on
// the server's maintenance database: every step that works on the master
// database selects it first.
void UseMasterDatabase() { Execute(std::string("USE ") + kMasterDatabase); }

// The batches of a carried script, cut as the runner cuts them. Raises when
// the script can't be read.
std::vector<std::string> ScriptBatches(const std::string& name) {
  const std::string text = CarriedScript(name)->Get("RawText").ToString();
  std::vector<std::string> batches;
  int32_t pos = 0;
  do {
    std::string batch = NextScriptBatch(pos, text);
    if (!rt::Trim(batch).empty()) batches.push_back(std::move(batch));
  } while (!ScriptExhausted(pos, text));
  return batches;
}

// Each batch runs on its own; one that fails (a column that is already
// there) does not stop the next.
void RunIgnoringErrors(const std::vector<std::string>& batches) {
  for (const std::string& batch : batches) rt::ResumeNext([&] { Execute(batch); });
  rt::Err().Clear();
}

// A Memo database number read from DBList: only a plain positive integer
// goes into statement text.
int32_t DatabaseNumber(const rt::Variant& value) {
  const std::string text = value.IsNull() ? std::string() : value.ToString();
  const bool digits = !text.empty() && text.size() <= 9 &&
                      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!digits || std::stol(text) == 0) rt::Raise(rt::errTypeMismatch, "frmStart", "Invalid DBList.ID: " + text);
  return static_cast<int32_t>(std::stol(text));
}

// All numbers are read before the first conversion: the scripts switch the
// connection's database, which would end an open recordset.
std::vector<int32_t> MemoDatabaseNumbers() {
  std::vector<int32_t> numbers;
  for (ado::Recordset rs = MainConnection().Execute("SELECT ID FROM DBList ORDER BY ID"); !rs.Eof(); rs.MoveNext()) {
    numbers.push_back(DatabaseNumber(rs.Fields(0).Value()));
  }
  return numbers;
}

// A name as the catalogue prints an unquoted one.
bool IsPlainName(const std::string& name) {
  return !name.empty() && name.size() <= 63 && !(name[0] >= '0' && name[0] <= '9') &&
         std::all_of(name.begin(), name.end(),
                     [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'; });
}

}  // namespace

bool frmStart::ConvertDatabase(uint8_t build) {
  bool converted = false;
  rt::OnErrorGoTo(
      [&] {
        if (!CheckCreatePermission().empty()) {
          ShowCoreMessage("No permission to create objects.", vbExclamation, kScriptAccessError);
          return;
        }
        UseMasterDatabase();
        // Read before anything changes, so that a script that is missing
        // stops the conversion while the master database is untouched.
        std::vector<std::vector<std::string>> masterSteps;
        for (uint8_t step : {200, 201, 202}) {
          if (build < step)
            masterSteps.push_back(ScriptBatches("conversion/convertMasterBelow" + std::to_string(step)));
        }

        for (int32_t number : MemoDatabaseNumbers()) {
          if (!ConvertMemoDatabase(number, build)) {
            ShowCoreMessage("DBList-Convert not possible.", vbExclamation, kScriptAccessError);
            return;
          }
        }
        if (!RunCarriedScript("scriptDeleteTrigger")) {
          ShowCoreMessage("QV-DelTrigger could not be updated!", vbExclamation, kScriptAccessError);
          return;
        }
        if (!RunCarriedScript("scriptInsertTrigger")) {
          ShowCoreMessage("QV-InsTrigger could not be updated!", vbExclamation, kScriptAccessError);
          return;
        }

        UseMasterDatabase();
        // From here on each statement's error is ignored.
        auto steps = masterSteps.begin();
        if (build < 200) {
          rt::ResumeNext([&] { DropDefault("Benutzer", "ErwSuche"); });
          RunIgnoringErrors(*steps++);
        }
        if (build < 201) RunIgnoringErrors(*steps++);
        if (build < 202) {
          RunIgnoringErrors(*steps++);
          WriteRegValue("AppAdmDir", forms::App().Path, false);
        }
        // The conversion has only ended when the new build is written;
        // otherwise the next connect offers it again.
        converted = rt::ResumeNext([] { Execute("UPDATE dbo.Konfig SET Build=" + std::to_string(kCurrentBuild)); });
        rt::Err().Clear();
      },
      [](const rt::Error&) { ErrorReport("Convert-Error"); });
  return converted;
}

std::string frmStart::CheckCreatePermission() {
  static const char* const kProbes[] = {
      "SELECT DBID FROM dbo.Konfig WHERE DBID IS NULL", "ALTER TABLE dbo.Konfig ADD AccChk int",
      "ALTER TABLE dbo.Konfig DROP COLUMN AccChk", "CREATE TABLE dbo.tblAccChk (ID int)", "DROP TABLE dbo.tblAccChk"};
  ado::Connection& cn = MainConnection();
  std::string refused;
  // Inside a transaction that is always rolled back, so that a probe that
  // fails half-way leaves no column or table behind.
  const bool ran = rt::ResumeNext([&] {
    cn.BeginTrans();
    for (const char* probe : kProbes) Execute(probe);
  });
  if (!ran) {
    refused = rt::Err().Description();
    if (refused.empty()) refused = "Error " + std::to_string(rt::Err().Number());
  }
  rt::ResumeNext([&] {
    if (cn.InTransaction()) cn.RollbackTrans();
  });
  rt::Err().Clear();
  return refused;
}

bool frmStart::ConvertMemoDatabase(int32_t dbListId, uint8_t build) {
  const std::string number = std::to_string(dbListId);
  if (!rt::ResumeNext(UseMasterDatabase)) {
    rt::Err().Clear();
    return false;
  }
  if (!RunCarriedScript("conversion/convertMemoDatabase", number)) return false;
  if (build >= kCurrentBuild) return true;
  if (!rt::ResumeNext(UseMasterDatabase)) {
    rt::Err().Clear();
    return false;
  }
  return RunCarriedScript("scriptInsertTriggerMemos", number);
}

void frmStart::DropDefault(const std::string& table, const std::string& column) {
  ado::Recordset rs = MainConnection().Execute(
      "SELECT table_name, column_name FROM information_schema.columns "
      "WHERE table_schema = 'dbo' AND table_name = lower(CAST(? AS text)) "
      "AND column_name = lower(CAST(? AS text)) AND column_default IS NOT NULL",
      {rt::Variant(table), rt::Variant(column)});
  if (rs.Eof()) return;
  const std::string tableName = rs.Fields(0).Value().ToString();
  const std::string columnName = rs.Fields(1).Value().ToString();
  rs.Close();
  if (!IsPlainName(tableName) || !IsPlainName(columnName)) {
    rt::Raise(rt::errInvalidProcedureCall, "frmStart", "Invalid name: " + tableName + "." + columnName);
  }
  Execute("ALTER TABLE dbo." + tableName + " ALTER COLUMN " + columnName + " DROP DEFAULT");
}

}  // namespace qvadmin
