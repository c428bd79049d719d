// The user administration's views on a large master database: 10,000
// users in 50 groups and 2,000 Memo databases. Times the user view's fill
// of the user list, a click on the groups node with the group dialog's
// member lists, and the Memo database view's fill, each from the query to
// the populated list, with the share that the query alone takes. Run on the
// private server: eval "$(tools/pgcluster start DIR)"; build/bin/qvusersbench
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "Timing.h"
#include "ado/Connection.h"
#include "ado/TestServer.h"
#include "core/CurrentUser.h"
#include "core/DockedViews.h"
#include "core/MasterDatabase.h"
#include "core/RegistrySettings.h"
#include "core/SessionState.h"
#include "forms/Responder.h"
#include "main/frmMDI.h"
#include "users/ViewHelpers.h"
#include "users/frmDBPflege.h"
#include "users/frmGrpEdit.h"
#include "users/frmUser.h"

using namespace qvadmin;

namespace {

void Exec(const std::string& sql) { MainConnection().Execute(sql, nullptr, ado::adCmdText | ado::adExecuteNoRecords); }

double QueryOnly(const std::string& sql) {
  return bench::Milliseconds([&] {
    ado::Recordset rs = MainConnection().Execute(sql);
    for (; !rs.Eof(); rs.MoveNext()) {
      for (int32_t f = 0; f < rs.FieldCount(); ++f) (void)rs.Fields(f).Value();
    }
  });
}

void Report(const char* what, const std::vector<double>& totals, const std::vector<double>& queries) {
  const double total = bench::Median(totals);
  const double query = bench::Median(queries);
  std::printf("%-34s %8.1f ms   database %6.1f ms (%3.0f %%)\n", what, total, query, 100.0 * query / total);
}

}  // namespace

int main() {
  if (!ado::TestServer::Available()) {
    std::fprintf(stderr, "%s\n", ado::TestServer::SkipReason());
    return 1;
  }
  const auto registry = std::filesystem::temp_directory_path() / "qvusersbench-reg";
  std::filesystem::create_directories(registry);
  ::setenv("QV_REGISTRY_DIR", registry.c_str(), 1);
  LoadSettings();
  {
    ado::Connection admin;
    ado::TestServer::OpenWithPassword(admin);
    admin.Execute("DROP DATABASE IF EXISTS \"QVault\" WITH (FORCE)", nullptr, ado::adCmdText | ado::adExecuteNoRecords);
  }
  cnMain = std::make_shared<ado::Connection>();
  forms::ScopedResponders answers([](const forms::ModalRequest&) { return 1; });
  if (!InitMasterDatabase(true, ado::TestServer::TcpDataSource(), ado::TestServer::User(),
                          ado::TestServer::Password())) {
    return 1;
  }
  CurrentUserID = EnsureCurrentUser();

  std::printf("filling: 10,000 users in 50 groups, 2,000 Memo databases ...\n");
  Exec("INSERT INTO Gruppen (Bez, GInf) SELECT 'Group ' || g, 'Group number ' || g FROM generate_series(1,50) g");
  Exec(
      "INSERT INTO Benutzer (WinUsr, Fullname, BInf, PLT, Aktiv, Admin) SELECT 'user' || lpad(u::text, 5, '0'), "
      "'User ' || u, CASE WHEN u % 3 = 0 THEN NULL ELSE 'Description ' || u END, CASE WHEN u % 4 = 0 THEN 0 ELSE "
      "15201381 END, true, u % 10 = 0 FROM generate_series(1,10000) u");
  Exec(
      "INSERT INTO Benutzer_Gruppen (UserID, GrpID) SELECT b.ID, g.ID FROM Benutzer b JOIN (SELECT ID, "
      "row_number() OVER (ORDER BY Bez) AS n FROM Gruppen) g ON g.n = (abs(hashtext(b.WinUsr::text)) % 50) + 1");
  // The insert trigger builds each database's tables: in batches of 50, so
  // that the locks of one statement stay within the server's table.
  for (int first = 1; first <= 2000; first += 50) {
    Exec(
        "INSERT INTO DBList (Bez, MInf, Privat, OwnerID) SELECT 'Memo database ' || d, 'About ' || d, false, NULL "
        "FROM generate_series(" +
        std::to_string(first) + "," + std::to_string(first + 49) + ") d");
  }

  constexpr int kRounds = 5;
  std::vector<double> userFill, userQuery, groupClick, groupQuery, dbFill, dbQuery;
  // As in the program: the views docked in the main window.
  frmMDI::Default()->Show();
  auto users = frmUser::Default();
  ShowDockedForm(users);
  auto databases = frmDBPflege::Default();
  ShowDockedForm(databases);
  for (int round = 0; round < kRounds; ++round) {
    users->treDB()->SetSelectedItem(users->treDB()->Node(2).get());
    userFill.push_back(bench::Milliseconds([&] { users->FillRepUser(""); }));
    userQuery.push_back(
        QueryOnly("SELECT ID,WinUsr,Fullname,BInf,Admin,Created,PLT FROM Benutzer WHERE Aktiv ORDER BY WinUsr"));

    // A click on the groups node, then the group dialog's member lists of
    // the first group (10,000 candidates).
    groupClick.push_back(bench::Milliseconds([&] {
      users->treDB()->SetSelectedItem(users->treDB()->Node(4).get());
      users->Aktualisieren();
      auto dialog = frmGrpEdit::Default();
      forms::Responders::Push([](const forms::ModalRequest& r) {
        r.form->Unload();
        return 0;
      });
      dialog->Init(ItemText(users->rctGrp()->Record(0)->Item(0).Value()));
    }));
    groupQuery.push_back(QueryOnly("SELECT ID,Bez,GInf FROM Gruppen ORDER BY Bez") +
                         QueryOnly("SELECT ID,WinUsr,Aktiv FROM Benutzer") +
                         QueryOnly("SELECT Benutzer_Gruppen.UserID, Benutzer.WinUsr, Benutzer.Aktiv FROM "
                                   "Benutzer_Gruppen INNER JOIN Benutzer ON Benutzer_Gruppen.UserID=Benutzer.ID"));

    dbFill.push_back(bench::Milliseconds([&] { databases->FillRepDB(0); }));
    dbQuery.push_back(QueryOnly(
        "SELECT DBList.ID,DBList.Bez,DBList.MInf,COALESCE(Benutzer.Fullname,'<none>') AS Fullname,DBList.PWD,"
        "DBList.Created FROM DBList LEFT JOIN Benutzer ON DBList.OwnerID=Benutzer.ID WHERE NOT Privat ORDER BY Bez"));
  }
  std::printf("median of %d rounds:\n", kRounds);
  Report("user list fill (10,000 rows)", userFill, userQuery);
  Report("group click + member lists", groupClick, groupQuery);
  Report("Memo database list (2,000 rows)", dbFill, dbQuery);
  // Unloading the main window unloads the views and closes the connection.
  frmMDI::Default()->Unload();
  return 0;
}
