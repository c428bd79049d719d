// The conversion statements run over master databases of older builds (the
// fixtures), in the order the conversion runs them; the result must have
// the current layout and keep the data.
#include <gtest/gtest.h>

#include <algorithm>

#include "Catalogue.h"
#include "ExpectedLayouts.h"
#include "ScriptServer.h"
#include "core/SessionState.h"

namespace sqltest {
namespace {

using ConversionTest = ServerTest;

void UseQVault() { qvadmin::MainConnection().Execute("USE QVault"); }

void CreateFixture(int build) {
  ASSERT_TRUE(RunScriptFile("tests/fixtures/fixtureOldMaster.sql"));
  ASSERT_TRUE(RunScriptFile("tests/fixtures/fixtureBuild" + std::to_string(build) + ".sql"));
}

// Memo databases first, then the DBList triggers (with the guard of its
// numbers), then the master steps that the build needs, then the build
// number.
void Convert(ado::Connection& db, int build) {
  for (const std::string& id : Column(db, "SELECT ID FROM DBList ORDER BY ID")) {
    UseQVault();
    ASSERT_TRUE(RunScriptFile("conversion/convertMemoDatabase.sql", id)) << id;
    ASSERT_TRUE(RunScriptFile("scriptInsertTriggerMemos.sql", id)) << id;
  }
  ASSERT_TRUE(RunScriptFile("scriptDeleteTrigger.sql"));
  ASSERT_TRUE(RunScriptFile("scriptInsertTrigger.sql"));
  UseQVault();
  for (int step : {200, 201, 202}) {
    if (build < step) {
      ASSERT_TRUE(RunScriptFile("conversion/convertMasterBelow" + std::to_string(step) + ".sql"));
    }
  }
  Exec(db, "UPDATE dbo.Konfig SET Build=203");
}

// Columns added by a conversion come last, so the columns are compared as
// a set; everything else as laid down.
void ExpectConverted(ado::Connection& db, const ExpectedTable& table) {
  SCOPED_TRACE(table.name);
  TableLayout actual = ReadLayout(db, table.name);
  std::vector<std::string> expectedColumns = table.layout.columns;
  std::sort(actual.columns.begin(), actual.columns.end());
  std::sort(expectedColumns.begin(), expectedColumns.end());
  EXPECT_EQ(actual.columns, expectedColumns);
  EXPECT_EQ(actual.keys, table.layout.keys);
  EXPECT_EQ(actual.indexes, table.layout.indexes);
  EXPECT_EQ(actual.triggers, table.layout.triggers);
}

class EachOldBuild : public ConversionTest, public ::testing::WithParamInterface<int> {};

TEST_P(EachOldBuild, ConvertsToTheCurrentLayoutAndKeepsTheData) {
  const int build = GetParam();
  CreateFixture(build);
  ado::Connection& db = OpenQVault();
  const std::vector<std::string> ids = Column(db, "SELECT ID FROM DBList ORDER BY ID");
  Convert(db, build);

  EXPECT_EQ(Scalar(db, "SELECT Build FROM Konfig"), "203");
  for (const ExpectedTable& table : MasterTables()) ExpectConverted(db, table);
  for (const std::string& id : ids) {
    for (const ExpectedTable& table : MemoTables(std::stoi(id))) ExpectConverted(db, table);
    const std::string m = "Memos" + id;
    EXPECT_EQ(Column(db, "SELECT MemoID || ':' || Raw FROM " + m + "_Raw"),
              std::vector<std::string>{"20000000-0000-0000-0000-000000000002:Raw text of memo " + id});
    EXPECT_EQ(Scalar(db, "SELECT encode(RTF, 'hex') FROM " + m + "_Texte"), "7b5c727466317d");
    EXPECT_EQ(Column(db, "SELECT coalesce(Clr::text, '-') FROM " + m + " ORDER BY ID"),
              (std::vector<std::string>{"-", build < 200 ? "-" : "16777215", "255"}));
    if (build < 200) {
      EXPECT_EQ(Scalar(db, "SELECT count(*) FROM " + m + " WHERE FirstEdit IS DISTINCT FROM LastEdit "
                               "OR FirstUsr IS DISTINCT FROM LastUsr"), "0");
    }
    // The converted database works as a new one does: rights are inherited
    // and a folder goes with its subtree.
    Exec(db, "INSERT INTO " + m + "_Rechte (MemoID, GrpID) VALUES ('20000000-0000-0000-0000-000000000001', "
             "'00000001-0000-0000-0000-000000000000')");
    Exec(db, "INSERT INTO " + m + " (ID, Parent, Typ, Titel) VALUES ('20000000-0000-0000-0000-000000000003', "
             "'20000000-0000-0000-0000-000000000001', 0, 'New')");
    EXPECT_EQ(Scalar(db, "SELECT count(*) FROM " + m + "_Rechte WHERE MemoID = '20000000-0000-0000-0000-000000000003'"),
              build < 200 ? "1" : "2");
    Exec(db, "DELETE FROM " + m + " WHERE ID = '20000000-0000-0000-0000-000000000001'");
    EXPECT_EQ(Scalar(db, "SELECT count(*) FROM " + m), "1");
  }
  if (build < 200) {
    EXPECT_EQ(Column(db, "SELECT DISTINCT PageSizeGrd || ' ' || PageSizeCode FROM Benutzer"),
              std::vector<std::string>{"1418|1134|1134|1418|1|0|0|0 1000|1000|1000|1000|0|0|0"});
  }
  // New Memo databases follow on and are deleted with all their tables.
  const std::string next = Scalar(db, "INSERT INTO DBList (Bez) VALUES ('New') RETURNING ID");
  for (const ExpectedTable& table : MemoTables(std::stoi(next))) ExpectConverted(db, table);
  Exec(db, "DELETE FROM DBList");
  EXPECT_EQ(Scalar(db, "SELECT count(*) FROM pg_tables WHERE schemaname = 'dbo' AND tablename LIKE 'memos%'"), "0");
}

INSTANTIATE_TEST_SUITE_P(Builds, EachOldBuild, ::testing::Values(150, 201, 202));

// Raw texts that differ between the old column and a table of raw texts
// already there are not dropped: the database's conversion fails whole and
// leaves its tables as they were.
TEST_F(ConversionTest, NeverDropsRawTextsThatWereNotCopied) {
  CreateFixture(150);
  ado::Connection& db = OpenQVault();
  Exec(db, "CREATE TABLE Memos1_Raw (MemoID uuid PRIMARY KEY REFERENCES Memos1 (ID), Raw citext, timst bigint)");
  Exec(db, "INSERT INTO Memos1_Raw (MemoID, Raw) VALUES ('20000000-0000-0000-0000-000000000002', 'Other text')");
  UseQVault();
  EXPECT_FALSE(RunScriptFile("conversion/convertMemoDatabase.sql", "1"));
  EXPECT_EQ(Scalar(db, "SELECT Raw FROM Memos1_Texte"), "Raw text of memo 1");
  EXPECT_EQ(Scalar(db, "SELECT count(*) FROM information_schema.columns WHERE table_name = 'memos1' "
                       "AND column_name = 'tag'"), "0");

  // Where the table holds the same text, or none, the column goes.
  Exec(db, "UPDATE Memos1_Raw SET Raw = NULL");
  UseQVault();
  EXPECT_TRUE(RunScriptFile("conversion/convertMemoDatabase.sql", "1"));
  EXPECT_EQ(Scalar(db, "SELECT Raw FROM Memos1_Raw"), "Raw text of memo 1");
  EXPECT_EQ(Scalar(db, "SELECT count(*) FROM information_schema.columns WHERE table_name = 'memos1_texte' "
                       "AND column_name = 'raw'"), "0");
}

}  // namespace
}  // namespace sqltest
