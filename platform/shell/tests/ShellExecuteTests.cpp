#include <gtest/gtest.h>

#include <filesystem>

#include "shell/ShellExecute.h"

using namespace shell;

TEST(ShellExecute, OpensAddressesAndExistingFilesThroughTheLauncher) {
  RecordingLauncher launcher;
  ScopedLauncher scope(launcher);
  EXPECT_GT(ShellExecuteA(0, "open", "mailto:a@b.example?subject=Hi", "", "", 1), 32);
  EXPECT_GT(ShellExecuteA(0, "", "https://example.org/x", "", "", 1), 32);
  const auto folder = std::filesystem::temp_directory_path();
  EXPECT_GT(ShellExecuteA(0, "explore", folder.string(), "", "", 1), 32);
  ASSERT_EQ(launcher.requests.size(), 3u);
  EXPECT_EQ(launcher.requests[0].file, "mailto:a@b.example?subject=Hi");
  EXPECT_EQ(launcher.requests[0].operation, "open");
  EXPECT_EQ(launcher.requests[0].showCmd, 1);
  EXPECT_EQ(launcher.requests[1].operation, "open");

  // Failures are reported, not swallowed.
  EXPECT_EQ(ShellExecuteA(0, "open", "/no/such/file.txt", "", "", 1), SE_ERR_FNF);
  EXPECT_EQ(ShellExecuteA(0, "print", "https://example.org", "", "", 1), SE_ERR_NOASSOC);
  launcher.succeed = false;
  EXPECT_EQ(ShellExecuteA(0, "open", "https://example.org", "", "", 1), SE_ERR_NOASSOC);
  EXPECT_EQ(launcher.requests.size(), 4u);
}
