// The master database as the creation and first-rows scripts leave it.
#include <gtest/gtest.h>

#include "Catalogue.h"
#include "ExpectedLayouts.h"
#include "ScriptServer.h"
#include "ado/Constants.h"
#include "core/SqlScriptRunner.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace sqltest {
namespace {

const char* const kDefaultId = "{00000001-0000-0000-0000-000000000000}";

using MasterSchemaTest = QVaultTest;

void ExpectLayout(ado::Connection& db, const ExpectedTable& table) {
  SCOPED_TRACE(table.name);
  TableLayout actual = ReadLayout(db, table.name);
  EXPECT_EQ(actual.columns, table.layout.columns);
  EXPECT_EQ(actual.keys, table.layout.keys);
  EXPECT_EQ(actual.indexes, table.layout.indexes);
  EXPECT_EQ(actual.triggers, table.layout.triggers);
}

// The error number of `sql`, 0 when it runs.
int32_t ErrorOf(ado::Connection& db, const std::string& sql) {
  try {
    Exec(db, sql);
    return 0;
  } catch (const rt::Error& e) {
    return e.Number();
  }
}

TEST_F(MasterSchemaTest, CreatesTheSpecifiedTablesInSchemaDbo) {
  std::vector<std::string> names;
  for (const ExpectedTable& table : MasterTables()) {
    names.push_back(table.name);
    ExpectLayout(db(), table);
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(TableNames(db()), names);
  // dbo comes first on the database's search path, so both spellings name
  // one table, in any case.
  EXPECT_EQ(Scalar(db(), "show search_path"), "dbo, public");
  EXPECT_EQ(Scalar(db(), "SELECT count(*) FROM dbo.KONFIG"), Scalar(db(), "SELECT count(*) FROM konfig"));
}

TEST_F(MasterSchemaTest, FirstRowsHoldTheConfigurationAndTheDefaultUser) {
  EXPECT_EQ(Column(db(), "SELECT concat_ws('/', UsersAutoReg, PassProt, ArchLocPath, ArchNetPath, UpdLocPath, "
                         "UpdNetPath, Build, Setting IS NULL, WinAuth IS NULL, DBID IS NOT NULL) FROM Konfig"),
            std::vector<std::string>{"t/-/////203/t/t/t"});
  EXPECT_EQ(Column(db(), "SELECT concat_ws('/', ID, WinUsr, Fullname, BInf, Setting, ViewMode, TextWrap, PageSize, "
                         "PageSizeCode, PageSizeGrd, TableGrid, SuchOption, PLT, Aktiv, CanInsDB, CanDelDB, Admin, "
                         "Created IS NOT NULL, LastDataKey IS NULL) FROM Benutzer"),
            std::vector<std::string>{
                "00000001-0000-0000-0000-000000000000/!DEFAULT/<Template>/Default Setting for new users/3345/3/3/"
                "1134|1418|1418|1418|12240|15840/1000|1000|1000|1000|0|0|0/1418|1134|1134|1418|1|0|0|0/"
                "t/0/0/f/2/2/t/t/t"});
  EXPECT_EQ(Column(db(), "SELECT ID || '/' || Bez || '/' || (GInf IS NULL) FROM Gruppen"),
            std::vector<std::string>{"00000001-0000-0000-0000-000000000000/General/true"});
  EXPECT_EQ(Column(db(), "SELECT UserID || '/' || GrpID FROM Benutzer_Gruppen"),
            std::vector<std::string>{"00000001-0000-0000-0000-000000000000/00000001-0000-0000-0000-000000000000"});
  EXPECT_EQ(Scalar(db(), "SELECT count(*) FROM DBList"), "0");
  EXPECT_EQ(Scalar(db(), "INSERT INTO DBList (Bez) VALUES ('First') RETURNING ID"), "1");
}

TEST_F(MasterSchemaTest, ConstraintsRefuseWhatTheLayoutForbids) {
  const int32_t ok = 0;
  const int32_t refused = ado::errIntegrityViolation;
  const struct {
    const char* sql;
    int32_t error;
  } steps[] = {
      {"INSERT INTO Benutzer (WinUsr, PLT) VALUES ('Dom\\Ann', 0)", ok},
      {"INSERT INTO Benutzer (WinUsr, PLT) VALUES ('DOM\\ann', 0)", refused},  // iWinUsr ignores case
      {"INSERT INTO Benutzer (WinUsr, PLT) VALUES (NULL, 0)", ok},
      {"INSERT INTO Benutzer (WinUsr, PLT) VALUES (NULL, 0)", refused},  // one NULL only
      {"INSERT INTO Benutzer (WinUsr) VALUES ('Bob')", refused},         // PLT has no default
      {"INSERT INTO Benutzer (WinUsr, PLT) VALUES (repeat('x', 81), 0)", refused},
      {"INSERT INTO Benutzer (WinUsr, PLT) VALUES (repeat('x', 80), 0)", ok},
      {"INSERT INTO Konfig (UsersAutoReg, ArchNetPath, UpdLocPath, UpdNetPath) VALUES (true, '', '', '')", refused},
      {"INSERT INTO Konfig (ArchLocPath, ArchNetPath, UpdLocPath, UpdNetPath) VALUES ('', '', '', '')", refused},
      {"INSERT INTO Benutzer_Gruppen (UserID, GrpID) VALUES (gen_random_uuid(), gen_random_uuid())", refused},
      {"INSERT INTO BMPng (MemoID, DBListID) VALUES (gen_random_uuid(), 99)", refused},
      // The one-byte columns hold 0 to 255.
      {"INSERT INTO DBList (Bez) VALUES ('One')", ok},
      {"INSERT INTO BMPng (MemoID, DBListID, Png) VALUES (gen_random_uuid(), 1, 255)", ok},
      {"INSERT INTO BMPng (MemoID, DBListID, Png) VALUES (gen_random_uuid(), 1, 256)", refused},
      {"INSERT INTO BMPng (MemoID, DBListID, Png) VALUES (gen_random_uuid(), 1, -1)", refused},
      {"INSERT INTO Memos1 (Typ, Titel) VALUES (0, 'Zero')", ok},
      {"INSERT INTO Memos1 (Typ, Titel) VALUES (256, 'Too big')", refused},
      {"UPDATE Memos1 SET Typ = -1 WHERE Titel = 'Zero'", refused},
      {"INSERT INTO Memos1_Fav (MemoID, OwnerID, Typ, Bez) SELECT ID, ID, 255, 'Fav' FROM Memos1 WHERE Titel = 'Zero'",
       ok},
      {"UPDATE Memos1_Fav SET Typ = 300", refused},
  };
  for (const auto& step : steps) {
    EXPECT_EQ(ErrorOf(db(), step.sql), step.error) << step.sql;
  }
  EXPECT_EQ(Scalar(db(), "SELECT count(*) FROM Benutzer WHERE WinUsr = 'dom\\ANN'"), "1");
}

// A Memo database's number names its tables: the server gives it, and it
// never changes, so deleting the row always finds the tables to drop.
TEST_F(MasterSchemaTest, MemoDatabaseNumbersAreGivenByTheServerAndNeverChange) {
  EXPECT_EQ(Scalar(db(), "INSERT INTO DBList (Bez) VALUES ('One') RETURNING ID"), "1");
  for (const char* sql : {"INSERT INTO DBList (ID, Bez) VALUES (7, 'Own number')", "UPDATE DBList SET ID = 7",
                          "UPDATE DBList SET ID = DEFAULT", "UPDATE DBList SET ID = ID + 1, Bez = 'Moved'"}) {
    try {
      Exec(db(), sql);
      ADD_FAILURE() << "accepted: " << sql;
    } catch (const rt::Error& e) {
      EXPECT_EQ(e.Number(), ado::errCommandFailed) << sql;
      EXPECT_NE(rt::InStr(e.Description(), "identity column", rt::CompareMethod::Text), 0u) << e.Description();
    }
  }
  EXPECT_EQ(Column(db(), "SELECT ID || ' ' || Bez FROM DBList"), std::vector<std::string>{"1 One"});
  // Other columns change as before.
  Exec(db(), "UPDATE DBList SET Bez = 'Renamed'");
  Exec(db(), "DELETE FROM DBList WHERE Bez = 'Renamed'");
  EXPECT_EQ(Scalar(db(), "SELECT count(*) FROM pg_tables WHERE schemaname = 'dbo' AND tablename LIKE 'memos1%'"), "0");
}

TEST_F(MasterSchemaTest, DeletesCascadeAsSpecified) {
  const std::string user = "{00000002-0000-0000-0000-000000000000}";
  const std::string group = "{00000002-0000-0000-0000-00000000000A}";
  Exec(db(), "INSERT INTO Benutzer (ID, WinUsr, PLT) VALUES ('" + user + "', 'ann', 0)");
  Exec(db(), "INSERT INTO Gruppen (ID, Bez) VALUES ('" + group + "', 'Staff')");
  Exec(db(), "INSERT INTO Benutzer_Gruppen VALUES ('" + user + "', '" + group + "'), ('" + user + "', '" + kDefaultId +
                 "')");
  Exec(db(), "INSERT INTO DBList (Bez) VALUES ('One'), ('Two')");
  Exec(db(), "INSERT INTO DBList_Gruppen VALUES (1, '" + group + "'), (2, '" + group + "')");
  Exec(db(), "INSERT INTO BMPng (MemoID, DBListID, UsrID) VALUES (gen_random_uuid(), 1, '" + user +
                 "'), (gen_random_uuid(), 2, '" + user + "')");
  Exec(db(), "INSERT INTO DBList_Benutzer_Konfig VALUES (1, '" + user + "', 'Sort', '1'), (2, '" + kDefaultId +
                 "', 'Sort', '2')");
  const std::string counts =
      "SELECT concat_ws('/', (SELECT count(*) FROM Benutzer), (SELECT count(*) FROM Benutzer_Gruppen), "
      "(SELECT count(*) FROM Gruppen), (SELECT count(*) FROM DBList_Gruppen), (SELECT count(*) FROM BMPng), "
      "(SELECT count(*) FROM DBList_Benutzer_Konfig))";
  ASSERT_EQ(Scalar(db(), counts), "2/3/2/2/2/2");

  // A group takes its memberships and rights along, not the users.
  Exec(db(), "DELETE FROM Gruppen WHERE ID = '" + group + "'");
  EXPECT_EQ(Scalar(db(), counts), "2/2/1/0/2/2");
  // A user takes memberships and per-database settings, not the markers.
  Exec(db(), "DELETE FROM Benutzer WHERE ID = '" + user + "'");
  EXPECT_EQ(Scalar(db(), counts), "1/1/1/0/2/1");
  // A Memo database takes its markers and settings.
  Exec(db(), "DELETE FROM DBList WHERE ID = 2");
  EXPECT_EQ(Scalar(db(), counts), "1/1/1/0/1/0");
  // The default group goes, the default user stays without membership.
  Exec(db(), "DELETE FROM Gruppen");
  EXPECT_EQ(Scalar(db(), counts), "1/0/0/0/1/0");
}

// A second creation on a server that already has QVault fails at its first
// batch and changes nothing; the runner reports False.
TEST_F(MasterSchemaTest, CreationScriptFailsWhenQVaultExists) {
  EXPECT_FALSE(RunScriptFile("scriptMakeHauptDB.sql"));
  EXPECT_EQ(Scalar(db(), "SELECT Build FROM Konfig"), "203");
}

// The tables and the first rows are one transaction: when the first rows
// fail, the new database holds no table at all.
using CreationTest = ServerTest;
TEST_F(CreationTest, TablesAndFirstRowsStandOrFallTogether) {
  ASSERT_TRUE(RunScriptFile("scriptMakeHauptDB.sql"));
  std::string firstRows = ScriptFile("scriptUSSettings.sql");
  firstRows.insert(firstRows.find("COMMIT;"), "INSERT INTO dbo.Konfig (Build) VALUES (1);\n");  // paths are NOT NULL
  qvadmin::ScriptText broken(firstRows);
  EXPECT_FALSE(qvadmin::RunSqlScript(broken, "scriptUSSettings", ""));
  EXPECT_TRUE(TableNames(OpenQVault()).empty());
}

}  // namespace
}  // namespace sqltest
