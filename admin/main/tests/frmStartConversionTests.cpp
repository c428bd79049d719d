// The schema conversion of the start page against master databases of
// older builds on the private server.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "../../../sql/tests/Catalogue.h"
#include "../../../sql/tests/ExpectedLayouts.h"
#include "../../../sql/tests/ScriptServer.h"
#include "../../core/tests/CoreTestSupport.h"
#include "core/RegistrySettings.h"
#include "core/SessionState.h"
#include "core/SqlScriptRunner.h"
#include "forms/App.h"
#include "main/frmStart.h"
#include "runtime/Strings.h"

namespace qvadmin {

struct frmStartTestAccess {
  static bool ConvertDatabase(frmStart& form, uint8_t build) { return form.ConvertDatabase(build); }
  static std::string CheckCreatePermission(frmStart& form) { return form.CheckCreatePermission(); }
  static void DropDefault(frmStart& form, const std::string& table, const std::string& column) {
    form.DropDefault(table, column);
  }
};

namespace {

using sqltest::Column;
using sqltest::Exec;
using sqltest::Scalar;
using Access = frmStartTestAccess;

constexpr const char* kProgramFolder = "/opt/quorvelle/admin";

class ConversionTest : public sqltest::ServerTest {
 protected:
  void SetUp() override {
    test::ResetSession();  // a fresh shared connection: no login left by another test
    sqltest::ServerTest::SetUp();
    if (IsSkipped()) return;
    test::UsePrivateRegistry();
    LoadSettings();
    WriteRegValue("AppAdmDir", "");
    forms::App().Path = kProgramFolder;
    m_form = std::make_shared<frmStart>();
  }
  void TearDown() override {
    sqltest::ServerTest::TearDown();
    if (!m_limitedRole.empty()) Exec(*sqltest::Connect("master"), "DROP ROLE IF EXISTS " + m_limitedRole);
  }

  // The master database of `build` with its Memo databases, and the
  // shared connection on it as the login leaves it. Build 202's fixture
  // gets a second Memo database.
  void CreateFixture(int build) {
    ASSERT_TRUE(sqltest::RunScriptFile("tests/fixtures/fixtureOldMaster.sql"));
    const std::string name = "tests/fixtures/fixtureBuild" + std::to_string(build) + ".sql";
    std::string text = sqltest::ScriptFile(name);
    if (build == 202) {
      const std::string one = "INSERT INTO dbo.DBList (Bez) VALUES ('Current');";
      ASSERT_NE(text.find(one), std::string::npos);
      text = rt::Replace(text, one, "INSERT INTO dbo.DBList (Bez) VALUES ('Current'), ('Second');");
    }
    ScriptText holder(text);
    ASSERT_TRUE(RunSqlScript(holder, name, ""));
    MainConnection().Execute("USE QVault");
  }

  bool Convert(int build) { return Access::ConvertDatabase(*m_form, static_cast<uint8_t>(build)); }

  // A login that may read the master database but not create or alter.
  void ConnectWithoutCreateRights() {
    m_limitedRole = "qvconv_reader_" + std::to_string(::getpid());
    Exec(*sqltest::Connect("master"), "CREATE ROLE " + m_limitedRole + " LOGIN PASSWORD 'reader'");
    for (const std::string grant : {"GRANT USAGE ON SCHEMA dbo, public TO ",
                                    "GRANT SELECT ON ALL TABLES IN SCHEMA dbo TO "}) {
      Exec(db(), grant + m_limitedRole);
    }
    ado::Connection& cn = MainConnection();
    cn.Close();
    cn.SetProperty("User ID", m_limitedRole);
    cn.SetProperty("Password", "reader");
    cn.SetProperty("Initial Catalog", "QVault");
    cn.Open();
  }

  std::shared_ptr<frmStart> m_form;
  std::string m_limitedRole;
};

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

// Columns added by a conversion come last, so they are compared as a set.
void ExpectLayout(ado::Connection& db, const sqltest::ExpectedTable& table) {
  SCOPED_TRACE(table.name);
  const sqltest::TableLayout actual = sqltest::ReadLayout(db, table.name);
  EXPECT_EQ(Sorted(actual.columns), Sorted(table.layout.columns));
  EXPECT_EQ(actual.keys, table.layout.keys);
  EXPECT_EQ(actual.indexes, table.layout.indexes);
  EXPECT_EQ(actual.triggers, table.layout.triggers);
}

std::vector<std::string> ColumnsOf(ado::Connection& db, const std::string& table) {
  return Column(db, "SELECT column_name FROM information_schema.columns WHERE table_schema = 'dbo' "
                    "AND table_name = '" + table + "' ORDER BY column_name");
}

class EachOldBuild : public ConversionTest, public ::testing::WithParamInterface<int> {};

TEST_P(EachOldBuild, ConvertsEveryMemoDatabaseAndTheMasterDatabase) {
  const int build = GetParam();
  CreateFixture(build);
  ado::Connection& db = OpenQVault();
  const std::vector<std::string> ids = Column(db, "SELECT ID FROM DBList ORDER BY ID");
  ASSERT_GE(ids.size(), 2u);
  const std::vector<std::string> users = Column(db, "SELECT WinUsr FROM Benutzer ORDER BY WinUsr");
  const std::vector<std::string> databases = Column(db, "SELECT ID || ' ' || Bez FROM DBList ORDER BY ID");

  test::Captured captured;
  ASSERT_TRUE(Convert(build));
  EXPECT_TRUE(captured.Messages().empty());

  EXPECT_EQ(Scalar(db, "SELECT Build FROM Konfig"), "203");
  for (const sqltest::ExpectedTable& table : sqltest::MasterTables()) ExpectLayout(db, table);
  for (const std::string& id : ids) {
    SCOPED_TRACE("Memo database " + id);
    for (const sqltest::ExpectedTable& table : sqltest::MemoTables(std::stoi(id))) ExpectLayout(db, table);
    EXPECT_EQ(Column(db, "SELECT MemoID || ':' || Raw FROM Memos" + id + "_Raw"),
              std::vector<std::string>{"20000000-0000-0000-0000-000000000002:Raw text of memo " + id});
  }
  EXPECT_EQ(Column(db, "SELECT WinUsr FROM Benutzer ORDER BY WinUsr"), users);
  EXPECT_EQ(Column(db, "SELECT ID || ' ' || Bez FROM DBList ORDER BY ID"), databases);
  EXPECT_EQ(ReadRegValue("AppAdmDir"), build < 202 ? kProgramFolder : "");

  // The reinstalled triggers make and drop a new Memo database.
  const std::string next = Scalar(db, "INSERT INTO DBList (Bez) VALUES ('New') RETURNING ID");
  for (const sqltest::ExpectedTable& table : sqltest::MemoTables(std::stoi(next))) ExpectLayout(db, table);
  Exec(db, "DELETE FROM DBList");
  EXPECT_EQ(Scalar(db, "SELECT count(*) FROM pg_tables WHERE schemaname = 'dbo' AND tablename LIKE 'memos%'"), "0");
}

INSTANTIATE_TEST_SUITE_P(Builds, EachOldBuild, ::testing::Values(150, 201, 202));

TEST_F(ConversionTest, LoginWithoutCreateRightsChangesNothing) {
  CreateFixture(150);
  ado::Connection& db = OpenQVault();
  const std::vector<std::string> tables = sqltest::TableNames(db);
  const std::vector<std::string> konfig = ColumnsOf(db, "konfig");
  ConnectWithoutCreateRights();

  test::Captured captured;
  EXPECT_FALSE(Convert(150));
  ASSERT_EQ(captured.Messages().size(), 1u);
  EXPECT_EQ(captured.Messages()[0].prompt, "No permission to create objects.");
  EXPECT_EQ(captured.Messages()[0].buttons, 48);
  EXPECT_EQ(captured.Messages()[0].title, "Script access error!");

  EXPECT_EQ(Scalar(db, "SELECT Build FROM Konfig"), "150");
  EXPECT_EQ(sqltest::TableNames(db), tables);
  EXPECT_EQ(ColumnsOf(db, "konfig"), konfig);
  EXPECT_EQ(ReadRegValue("AppAdmDir"), "");

  // The server administrator may: the probe says so and leaves nothing.
  MainConnection().Close();
  MainConnection().SetProperty("User ID", ado::TestServer::User());
  MainConnection().SetProperty("Password", ado::TestServer::Password());
  MainConnection().Open();
  EXPECT_EQ(Access::CheckCreatePermission(*m_form), "");
  EXPECT_EQ(sqltest::TableNames(db), tables);
  EXPECT_EQ(ColumnsOf(db, "konfig"), konfig);
}

// The second Memo database can't be converted (its raw texts differ from a
// table of raw texts already there): the conversion stops before the master
// database or its triggers change, and that database keeps its texts.
TEST_F(ConversionTest, FailingMemoDatabaseStopsBeforeTheMasterDatabaseChanges) {
  CreateFixture(150);
  ado::Connection& db = OpenQVault();
  Exec(db, "CREATE TABLE Memos2_Raw (MemoID uuid PRIMARY KEY REFERENCES Memos2 (ID), Raw citext, timst bigint)");
  Exec(db, "INSERT INTO Memos2_Raw (MemoID, Raw) VALUES ('20000000-0000-0000-0000-000000000002', 'Other text')");
  const std::vector<std::string> benutzer = ColumnsOf(db, "benutzer");

  test::Captured captured;
  EXPECT_FALSE(Convert(150));
  ASSERT_EQ(captured.Messages().size(), 2u);
  EXPECT_THAT(captured.Messages()[0].prompt, ::testing::StartsWith("Error in script execution: 'convertMemoDatabase'"));
  EXPECT_EQ(captured.Messages()[1].prompt, "DBList-Convert not possible.");
  EXPECT_EQ(captured.Messages()[1].buttons, 48);
  EXPECT_EQ(captured.Messages()[1].title, "Script access error!");

  EXPECT_EQ(Scalar(db, "SELECT Build FROM Konfig"), "150");
  EXPECT_EQ(ColumnsOf(db, "benutzer"), benutzer);
  EXPECT_EQ(Scalar(db, "SELECT Raw FROM Memos2_Texte"), "Raw text of memo 2");
  EXPECT_EQ(ColumnsOf(db, "memos2"), (std::vector<std::string>{"clr", "id", "lastedit", "lastusr", "parent", "pos",
                                                               "timst", "titel", "typ"}));
  EXPECT_EQ(Scalar(db, "SELECT count(*) FROM pg_trigger WHERE tgname IN ('t_dblist_itrig', 't_dblist_dtrig')"), "0");
  // The first Memo database was converted before the second failed.
  const std::string keywordTables =
      "SELECT string_agg(tablename, ' ' ORDER BY tablename) FROM pg_tables WHERE tablename LIKE '%_keywords'";
  EXPECT_EQ(Scalar(db, keywordTables), "memos1_keywords");
  EXPECT_EQ(ReadRegValue("AppAdmDir"), "");
}

TEST_F(ConversionTest, DropDefaultTakesNamesOnlyFromTheCatalogue) {
  CreateFixture(150);
  ado::Connection& db = OpenQVault();
  const std::string defaultOf =
      "SELECT coalesce(column_default, '-') FROM information_schema.columns "
      "WHERE table_name = 'benutzer' AND column_name = 'erwsuche'";
  ASSERT_EQ(Scalar(db, defaultOf), "false");

  const std::vector<std::string> tables = sqltest::TableNames(db);
  Access::DropDefault(*m_form, "Benutzer; DROP TABLE dbo.Konfig; --", "ErwSuche");
  Access::DropDefault(*m_form, "Benutzer", "ErwSuche' OR ''='");
  EXPECT_EQ(sqltest::TableNames(db), tables);
  EXPECT_EQ(Scalar(db, defaultOf), "false");

  Access::DropDefault(*m_form, "Benutzer", "ErwSuche");
  EXPECT_EQ(Scalar(db, defaultOf), "-");
  Access::DropDefault(*m_form, "Benutzer", "ErwSuche");  // none left: nothing to do
}

}  // namespace
}  // namespace qvadmin
