#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "runtime/DataFolder.h"

namespace rt {
namespace {

namespace fs = std::filesystem;

// The test binary lies where the build puts programs, so the lookup of an
// installed program finds the files the build assembled beside it.
TEST(DataFolder, FindsTheFilesTheBuildPutsBesideThePrograms) {
  EXPECT_TRUE(fs::is_regular_file(DataFile("fonts/fonts.conf")));
  EXPECT_EQ(fs::path(DataFolder()).lexically_normal(), fs::path(DataFolder()));
}

TEST(DataFolder, AProblemNamesTheFirstMissingFolder) {
  struct Case {
    std::initializer_list<std::string_view> needed;
    std::string missing;  // empty: no problem
  };
  for (const Case& c : {Case{{}, ""}, Case{{"fonts"}, ""}, Case{{"fonts", "no-such", "other"}, "no-such"}}) {
    const std::string problem = DataFolderProblem(c.needed);
    if (c.missing.empty()) {
      EXPECT_EQ(problem, "");
    } else {
      EXPECT_NE(problem.find("missing: no folder " + DataFile(c.missing) + " "), std::string::npos) << problem;
    }
  }
}

}  // namespace
}  // namespace rt
