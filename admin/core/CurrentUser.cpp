#include "core/CurrentUser.h"

#include "core/CoreMessage.h"
#include "core/CreateGUID.h"
#include "core/LoginStatus.h"
#include "core/SessionState.h"
#include "core/WinAccounts.h"
#include "runtime/Error.h"

namespace qvadmin {
namespace {

// "No current record": the default user to copy is not there.
constexpr int32_t kNoCurrentRecord = 3021;

std::string FindUser(ado::Connection& cn, const std::string& winUser) {
  ado::Recordset rs = cn.Execute("SELECT ID FROM Benutzer WHERE WinUsr = ?", {rt::Variant(winUser)});
  return rs.Eof() ? std::string() : rs.Fields("ID").Value().ToString();
}

// The settings fields that a new user takes over from the default user:
// every field except ID, WinUsr, Fullname, BInf, Aktiv, Created and
// LastDataKey.
constexpr const char* kSettingsFields =
    "Setting, ViewMode, TextWrap, PageSize, PageSizeCode, PageSizeGrd, TableGrid, SuchOption, PLT, CanInsDB, "
    "CanDelDB, Admin";

std::string CreateFromDefaultUser(ado::Connection& cn, const std::string& winUser) {
  const std::string id = CreateGUID();
  const std::string fullname = WinUserFullname(winUser);
  cn.BeginTrans();
  try {
    int32_t added = 0;
    cn.Execute(std::string("INSERT INTO Benutzer (ID, WinUsr, Fullname, ") + kSettingsFields +
                   ") SELECT CAST(? AS uuid), ?, ?, " + kSettingsFields + " FROM Benutzer WHERE ID = CAST(? AS uuid)",
               {rt::Variant(id), rt::Variant(winUser), rt::Variant(fullname), rt::Variant(kDefaultUserID)}, &added,
               ado::adCmdText | ado::adExecuteNoRecords);
    if (added != 1) {
      cn.RollbackTrans();
      rt::Raise(kNoCurrentRecord, "EnsureCurrentUser",
                std::string("The default user ") + kDefaultUserID + ", from which new users are made, is missing.");
    }
    cn.Execute(
        "INSERT INTO Benutzer_Gruppen (UserID, GrpID) SELECT CAST(? AS uuid), GrpID FROM Benutzer_Gruppen "
        "WHERE UserID = CAST(? AS uuid)",
        {rt::Variant(id), rt::Variant(kDefaultUserID)}, nullptr, ado::adCmdText | ado::adExecuteNoRecords);
    cn.CommitTrans();
  } catch (...) {
    if (cn.InTransaction()) rt::ResumeNext([&] { cn.RollbackTrans(); });
    throw;
  }
  return FindUser(cn, winUser);
}

}  // namespace

std::string EnsureCurrentUser() {
  std::string id;
  std::string winUser;
  const bool made = rt::ResumeNext([&] {
    winUser = CurrentWinUser();  // tells the user when there is none
    if (winUser.empty()) return;
    ado::Connection& cn = MainConnection();
    id = FindUser(cn, winUser);
    if (id.empty()) id = CreateFromDefaultUser(cn, winUser);
  });
  if (!made) {
    // Without a record the program can't be used: the user learns why
    // (the server's reason, for instance a login that may not add users).
    const std::string reason = rt::Err().Description();
    SetLoginStatus("<No user record!>");
    ShowCoreMessage("The user record of the Windows user '" + winUser + "' could not be found or made in the main "
                        "database '" + kMasterDatabase + "':\r\r" + reason +
                        "\r\rPlease log in with a login that may add users, or ask the administrator of the "
                        "server for that right.",
                    vbExclamation, "No user record!");
  }
  rt::Err().Clear();
  return id;
}

}  // namespace qvadmin
