#include "ado/SqlText.h"

#include <gtest/gtest.h>

#include "ado/ErrorMap.h"
#include "ado/Constants.h"

using namespace ado;

TEST(SqlText, RecognisesUseStatements) {
  struct Case {
    const char* text;
    const char* name;  // nullptr: not a USE statement
  } cases[] = {
      {"USE master", "master"},     {"use [QVault];", "QVault"},   {"  /* go */ USE \"My Db\" ; ", "My Db"},
      {"\r\nUSE QVault;\r\n", "QVault"}, {"USER_X", nullptr},    {"USE a b", nullptr},
      {"SELECT 1", nullptr},        {"USE", nullptr},
  };
  for (const auto& c : cases) {
    auto name = UseTarget(c.text);
    if (c.name) {
      ASSERT_TRUE(name) << c.text;
      EXPECT_EQ(*name, c.name);
    } else {
      EXPECT_FALSE(name) << c.text;
    }
  }
}

TEST(SqlText, SplitsOnlyAtTopLevelSemicolons) {
  std::string sql =
      "SELECT 'a;b'; CREATE FUNCTION f() RETURNS int AS $body$ BEGIN RETURN 1; END; $body$ LANGUAGE plpgsql;"
      " -- c;\n SELECT \"x;y\" /* ; */ FROM t";
  auto spans = SplitStatements(sql);
  ASSERT_EQ(spans.size(), 3u);
  EXPECT_EQ(sql.substr(spans[0].begin, spans[0].end - spans[0].begin), "SELECT 'a;b';");
  EXPECT_NE(sql.substr(spans[1].begin, spans[1].end - spans[1].begin).find("END; $body$ LANGUAGE"), std::string::npos);
}

TEST(SqlText, NumbersPlaceholdersOutsideQuotes) {
  size_t count = 0;
  EXPECT_EQ(NumberPlaceholders("SELECT '?', \"?\", ? -- ?\n, E'\\'?', ?, $$?$$", count),
            "SELECT '?', \"?\", $1 -- ?\n, E'\\'?', $2, $$?$$");
  EXPECT_EQ(count, 2u);
}

TEST(ErrorMap, IdentityRefusalsAreToldAsTheOriginalServerTellsThem) {
  EXPECT_EQ(DescriptionForServerError("428C9", "cannot insert a non-DEFAULT value into column \"id\""),
            "Cannot insert explicit value for identity column 'id'.");
  EXPECT_EQ(DescriptionForServerError("428C9", "column \"id\" can only be updated to DEFAULT"),
            "Cannot update identity column 'id'.");
  EXPECT_EQ(DescriptionForServerError("428C9", "Cannot update identity column 'ID' of table 'DBList'."),
            "Cannot update identity column 'ID' of table 'DBList'.");
  EXPECT_EQ(DescriptionForServerError("23505", "duplicate key value violates unique constraint \"iwinusr\""),
            "duplicate key value violates unique constraint \"iwinusr\"");
}

TEST(ErrorMap, SqlStatesMapToTheNumbersCallersTest) {
  EXPECT_EQ(ErrorNumberForSqlState("23505"), errIntegrityViolation);
  EXPECT_EQ(ErrorNumberForSqlState("23503"), errIntegrityViolation);
  EXPECT_EQ(ErrorNumberForSqlState("40001"), errConcurrencyViolation);
  EXPECT_EQ(ErrorNumberForSqlState("40P01"), errConflictingChange);
  EXPECT_EQ(ErrorNumberForSqlState("28P01"), errLoginRefused);
  EXPECT_EQ(ErrorNumberForSqlState("42601"), errCommandFailed);
  EXPECT_EQ(ErrorNumberForSqlState("42501"), errPermissionDenied);
  EXPECT_EQ(ErrorNumberForSqlState("08006"), errCannotConnect);
  EXPECT_EQ(ErrorNumberForSqlState("22001"), errCommandFailed);
}
