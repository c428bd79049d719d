// The Memo databases that the triggers on DBList create and drop, and the
// two triggers on each main table.
#include <gtest/gtest.h>

#include <algorithm>

#include "Catalogue.h"
#include "ExpectedLayouts.h"
#include "ScriptServer.h"
#include "core/SessionState.h"

namespace sqltest {
namespace {

const char* const kRoot = "00000001-0000-0000-0000-000000000000";

using MemoTriggerTest = QVaultTest;

std::vector<std::string> MemoTableNames(int n) {
  std::vector<std::string> names;
  for (const ExpectedTable& table : MemoTables(n)) names.push_back(table.name);
  return names;
}

// The tables of schema dbo whose names start with "memos".
std::vector<std::string> AllMemoTables(ado::Connection& db) {
  std::vector<std::string> names = TableNames(db);
  std::erase_if(names, [](const std::string& name) { return name.rfind("memos", 0) != 0; });
  return names;
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

// A memo row with a readable ID "...00000000000k".
std::string Id(int k) {
  char text[40];
  std::snprintf(text, sizeof text, "10000000-0000-0000-0000-%012d", k);
  return text;
}

void AddMemo(ado::Connection& db, int k, const std::string& parent, int n = 1) {
  Exec(db, "INSERT INTO Memos" + std::to_string(n) + " (ID, Parent, Typ, Titel) VALUES ('" + Id(k) + "', " +
               (parent.empty() ? "NULL" : "'" + parent + "'") + ", 1, 'Memo " + std::to_string(k) + "')");
}

TEST_F(MemoTriggerTest, ANewDBListRowGetsThirteenTablesAndItsRootAndDeletingDropsThem) {
  EXPECT_EQ(Scalar(db(), "INSERT INTO DBList (Bez) VALUES ('Notes') RETURNING ID"), "1");
  std::vector<ExpectedTable> tables = MemoTables(1);
  ASSERT_EQ(tables.size(), 13u);
  EXPECT_EQ(AllMemoTables(db()), Sorted(MemoTableNames(1)));
  for (const ExpectedTable& table : tables) {
    SCOPED_TRACE(table.name);
    TableLayout actual = ReadLayout(db(), table.name);
    EXPECT_EQ(actual.columns, table.layout.columns);
    EXPECT_EQ(actual.keys, table.layout.keys);
    EXPECT_EQ(actual.indexes, table.layout.indexes);
    EXPECT_EQ(actual.triggers, table.layout.triggers);
  }
  EXPECT_EQ(Column(db(), "SELECT concat_ws('/', ID, Parent IS NULL, Pos, Typ, Titel) FROM Memos1"),
            std::vector<std::string>{std::string(kRoot) + "/t/0/2/Memos"});

  EXPECT_EQ(Exec(db(), "DELETE FROM DBList WHERE ID = 1"), 1);
  EXPECT_TRUE(AllMemoTables(db()).empty());
  EXPECT_EQ(TableNames(db()).size(), MasterTables().size());
}

TEST_F(MemoTriggerTest, SeveralRowsInOneStatementAreEachCreatedAndDropped) {
  EXPECT_EQ(Exec(db(), "INSERT INTO DBList (Bez) VALUES ('A'), ('B'), ('C')"), 3);
  std::vector<std::string> all;
  for (int n : {1, 2, 3}) {
    for (const std::string& name : MemoTableNames(n)) all.push_back(name);
    EXPECT_EQ(Scalar(db(), "SELECT count(*) FROM Memos" + std::to_string(n)), "1");
  }
  EXPECT_EQ(AllMemoTables(db()), Sorted(all));

  EXPECT_EQ(Exec(db(), "DELETE FROM DBList WHERE ID IN (1, 3)"), 2);
  EXPECT_EQ(AllMemoTables(db()), Sorted(MemoTableNames(2)));
  EXPECT_EQ(Exec(db(), "DELETE FROM DBList"), 1);
  EXPECT_TRUE(AllMemoTables(db()).empty());
}

TEST_F(MemoTriggerTest, DeletingAFolderDeletesItsWholeSubtree) {
  Exec(db(), "INSERT INTO DBList (Bez) VALUES ('Tree')");
  AddMemo(db(), 1, kRoot);  // folder
  AddMemo(db(), 2, Id(1));  // child
  AddMemo(db(), 3, Id(2));  // grandchild
  AddMemo(db(), 4, Id(3));  // great-grandchild
  AddMemo(db(), 5, Id(1));  // second child
  AddMemo(db(), 6, kRoot);  // sibling of the folder
  AddMemo(db(), 7, Id(6));  // child of the sibling
  Exec(db(), "INSERT INTO Memos1 (ID, Parent, Typ, Titel) VALUES ('" + Id(8) + "', '" + Id(8) + "', 1, 'Own parent')");
  Exec(db(), "INSERT INTO Memos1_Texte (MemoID, RTF) VALUES ('" + Id(4) + "', '\\x00'), ('" + Id(7) + "', '\\x00')");

  EXPECT_EQ(Exec(db(), "DELETE FROM Memos1 WHERE ID = '" + Id(1) + "'"), 1);
  EXPECT_EQ(Column(db(), "SELECT Titel FROM Memos1 ORDER BY ID"),
            (std::vector<std::string>{"Memos", "Memo 6", "Memo 7", "Own parent"}));
  EXPECT_EQ(Column(db(), "SELECT MemoID FROM Memos1_Texte"), std::vector<std::string>{"{" + Id(7) + "}"});

  // A row that is its own parent goes alone.
  EXPECT_EQ(Exec(db(), "DELETE FROM Memos1 WHERE ID = '" + Id(8) + "'"), 1);
  EXPECT_EQ(Scalar(db(), "SELECT count(*) FROM Memos1"), "3");
}

TEST_F(MemoTriggerTest, ANewMemoInheritsItsFoldersRights) {
  Exec(db(), "INSERT INTO DBList (Bez) VALUES ('Rights')");
  AddMemo(db(), 1, kRoot);
  Exec(db(), "INSERT INTO Memos1_Rechte (MemoID, GrpID, rRead, rEdit) VALUES ('" + Id(1) + "', '" + kRoot +
                 "', true, true)");
  Exec(db(), "INSERT INTO Memos1_Rechte (MemoID, UserID, rRead, rDel, rExp, rChg) VALUES ('" + Id(1) + "', '" +
                 kRoot + "', true, true, true, true)");
  AddMemo(db(), 2, Id(1));  // in the folder
  AddMemo(db(), 3, "");     // without parent
  AddMemo(db(), 4, kRoot);  // under the root, which has no rights

  const std::string rights =
      "SELECT concat_ws('/', coalesce(GrpID::text, '-'), coalesce(UserID::text, '-'), rEdit, rRead, rDel, rExp, "
      "rChg) FROM Memos1_Rechte WHERE MemoID = '%' ORDER BY 1";
  auto rightsOf = [&](int k) {
    std::string sql = rights;
    return Column(db(), sql.replace(sql.find('%'), 1, Id(k)));
  };
  EXPECT_EQ(rightsOf(2), rightsOf(1));
  EXPECT_EQ(rightsOf(2).size(), 2u);
  EXPECT_TRUE(rightsOf(3).empty());
  EXPECT_TRUE(rightsOf(4).empty());
  // The copies are rows of their own.
  EXPECT_EQ(Scalar(db(), "SELECT count(DISTINCT ID) FROM Memos1_Rechte"), "4");
}

TEST_F(MemoTriggerTest, RowVersionIsDrawnOnInsertAndUpdate) {
  Exec(db(), "INSERT INTO DBList (Bez) VALUES ('Versions')");
  AddMemo(db(), 1, kRoot);
  const std::string version = "SELECT timst FROM Memos1 WHERE ID = '" + Id(1) + "'";
  const int64_t inserted = std::stoll(Scalar(db(), version));
  Exec(db(), "UPDATE Memos1 SET Titel = 'Renamed', timst = NULL WHERE ID = '" + Id(1) + "'");
  EXPECT_GT(std::stoll(Scalar(db(), version)), inserted);
  Exec(db(), "INSERT INTO Memos1_Texte (MemoID) VALUES ('" + Id(1) + "')");
  EXPECT_GT(std::stoll(Scalar(db(), "SELECT timst FROM Memos1_Texte")), inserted);
}

TEST_F(MemoTriggerTest, TheMemoInsertTriggerScriptReinstallsTheTrigger) {
  Exec(db(), "INSERT INTO DBList (Bez) VALUES ('Old')");
  Exec(db(), "DROP TRIGGER T_Memos1_ITrig ON Memos1");
  AddMemo(db(), 1, kRoot);
  Exec(db(), "INSERT INTO Memos1_Rechte (MemoID, GrpID) VALUES ('" + Id(1) + "', '" + kRoot + "')");
  AddMemo(db(), 2, Id(1));
  EXPECT_EQ(Scalar(db(), "SELECT count(*) FROM Memos1_Rechte WHERE MemoID = '" + Id(2) + "'"), "0");

  // The conversion runs it on QVault, with the database's number.
  qvadmin::MainConnection().Execute("USE QVault");
  ASSERT_TRUE(RunScriptFile("scriptInsertTriggerMemos.sql", "1"));
  AddMemo(db(), 3, Id(1));
  EXPECT_EQ(Scalar(db(), "SELECT count(*) FROM Memos1_Rechte WHERE MemoID = '" + Id(3) + "'"), "1");
  EXPECT_EQ(ReadLayout(db(), "memos1").triggers, MemoTables(1).front().layout.triggers);
}

TEST_F(MemoTriggerTest, BothScriptsDefineTheSameMemoInsertFunction) {
  auto body = [](const std::string& text) {
    size_t begin = text.find("CREATE OR REPLACE FUNCTION dbo.T_Memos_ITrig()");
    size_t end = text.find("$fn$;", begin);
    return begin == std::string::npos || end == std::string::npos ? std::string() : text.substr(begin, end - begin);
  };
  std::string fromInsertTrigger = body(ScriptFile("scriptInsertTrigger.sql"));
  EXPECT_FALSE(fromInsertTrigger.empty());
  EXPECT_EQ(body(ScriptFile("scriptInsertTriggerMemos.sql")), fromInsertTrigger);
}

TEST_F(MemoTriggerTest, TriggerScriptsRunAgainOverInstalledTriggers) {
  Exec(db(), "INSERT INTO DBList (Bez) VALUES ('Before')");
  ASSERT_TRUE(RunScriptFile("scriptDeleteTrigger.sql"));
  ASSERT_TRUE(RunScriptFile("scriptInsertTrigger.sql"));
  EXPECT_EQ(Scalar(db(), "INSERT INTO DBList (Bez) VALUES ('After') RETURNING ID"), "2");
  EXPECT_EQ(AllMemoTables(db()).size(), 26u);
  Exec(db(), "DELETE FROM DBList");
  EXPECT_TRUE(AllMemoTables(db()).empty());
}

// A Memo database whose family lost a table can still be deleted; the rest
// of its tables go.
TEST_F(MemoTriggerTest, DeletingADatabaseWithAMissingTableDropsTheRest) {
  Exec(db(), "INSERT INTO DBList (Bez) VALUES ('Damaged')");
  Exec(db(), "DROP TABLE Memos1_Com");
  EXPECT_EQ(Exec(db(), "DELETE FROM DBList WHERE ID = 1"), 1);
  EXPECT_TRUE(AllMemoTables(db()).empty());
}

TEST_F(MemoTriggerTest, KeywordsAreUniqueWithoutRegardToCase) {
  Exec(db(), "INSERT INTO DBList (Bez) VALUES ('Words')");
  Exec(db(), "INSERT INTO Memos1_KWList (ID, Bez) VALUES (gen_random_uuid(), 'Invoice')");
  EXPECT_ANY_THROW(Exec(db(), "INSERT INTO Memos1_KWList (ID, Bez) VALUES (gen_random_uuid(), 'INVOICE')"));
}

}  // namespace
}  // namespace sqltest
