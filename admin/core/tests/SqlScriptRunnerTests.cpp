#include <gtest/gtest.h>

#include "CoreTestSupport.h"
#include "ado/ScratchDatabase.h"
#include "core/SqlScriptRunner.h"

namespace qvadmin {
namespace {

class RunSqlScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QV_REQUIRE_SERVER();
    test::ResetSession();
    m_db = std::make_unique<ado::ScratchDatabase>("qvcore");
    ado::TestServer::OpenWithPassword(*cnMain, m_db->Name());
  }
  void TearDown() override {
    if (cnMain) cnMain->Close();
  }

  // Whether `table` exists in the scratch database.
  bool TableExists(const std::string& table) {
    ado::Connection cn;
    ado::TestServer::OpenWithPassword(cn, m_db->Name());
    return !cn.Execute("SELECT 1 FROM information_schema.tables WHERE table_name = ?", {rt::Variant(table)}).Eof();
  }
  int32_t Count(const std::string& table) {
    ado::Connection cn;
    ado::TestServer::OpenWithPassword(cn, m_db->Name());
    return cn.Execute("SELECT count(*) FROM " + table).Fields(0).Value().ToLong();
  }

  std::unique_ptr<ado::ScratchDatabase> m_db;
};

TEST_F(RunSqlScriptTest, RunsEveryBatchWithTheNumberSubstituted) {
  test::Captured captured;
  ScriptText script(
      "/* Memo tables */\r\nCREATE TABLE memos@DBListID@ (x int);\r\nGO\r\n"
      "INSERT INTO memos@DBListID@ VALUES (1);\r\nINSERT INTO memos7 VALUES (2);\r\nGO\r\n"
      "INSERT INTO memos7 VALUES (3)");
  EXPECT_TRUE(RunSqlScript(script, "scriptTest", "7"));
  EXPECT_TRUE(captured.Messages().empty());
  EXPECT_EQ(Count("memos7"), 3);
}

TEST_F(RunSqlScriptTest, StopsAfterTheBatchThatSwitchesToMaster) {
  test::Captured captured;
  ScriptText script(
      "CREATE TABLE before_use (x int);\r\nGO\r\nUSE master;\r\nGO\r\n"
      "CREATE TABLE after_use (x int);\r\nGO\r\n");
  EXPECT_TRUE(RunSqlScript(script, "scriptTest", ""));
  EXPECT_TRUE(TableExists("before_use"));
  EXPECT_EQ(cnMain->DefaultDatabase(), "postgres");
  ado::Connection master;
  ado::TestServer::OpenWithPassword(master);
  EXPECT_TRUE(master.Execute("SELECT 1 FROM information_schema.tables WHERE table_name = 'after_use'").Eof());
  EXPECT_FALSE(TableExists("after_use"));
}

TEST_F(RunSqlScriptTest, AFailingBatchIsReportedAndEarlierBatchesStay) {
  test::Captured captured;
  ScriptText script(
      "CREATE TABLE kept (x int);\r\nGO\r\nINSERT INTO missing_table VALUES (1);\r\nGO\r\n"
      "CREATE TABLE not_reached (x int);\r\n");
  EXPECT_FALSE(RunSqlScript(script, "scriptBroken", ""));
  EXPECT_TRUE(TableExists("kept"));
  EXPECT_FALSE(TableExists("not_reached"));
  ASSERT_EQ(captured.Messages().size(), 1u);
  const auto& m = captured.Messages()[0];
  EXPECT_EQ(m.buttons, 16);
  EXPECT_EQ(m.title, "Error: " + std::to_string(ado::errCommandFailed));
  EXPECT_EQ(m.prompt.rfind("Error in script execution: 'scriptBroken'\r\r", 0), 0u) << m.prompt;
  EXPECT_NE(m.prompt.find("missing_table"), std::string::npos) << m.prompt;
}

TEST_F(RunSqlScriptTest, AHolderWithoutRawTextIsReported) {
  test::Captured captured;
  com::Dispatch noScript;
  EXPECT_FALSE(RunSqlScript(noScript, "scriptNone", ""));
  ASSERT_EQ(captured.Messages().size(), 1u);
  EXPECT_EQ(captured.Messages()[0].title, "Error: 438");
}

}  // namespace
}  // namespace qvadmin
