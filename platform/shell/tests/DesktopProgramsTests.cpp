// The desktop's programs: a "mailto:" link reaches the mail program
// (xdg-email, else xdg-open), another address xdg-open, each found on PATH
// and given the address as it is; with none on PATH nothing starts and the
// caller is told.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "shell/DesktopPrograms.h"
#include "shell/ShellExecute.h"

namespace fs = std::filesystem;

namespace shell {
namespace {

class DesktopPrograms : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("qv-desktop-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "bin");
    const char* path = std::getenv("PATH");
    savedPath = path ? path : "";
    ::setenv("PATH", (folder / "bin").c_str(), 1);
  }
  void TearDown() override {
    ::setenv("PATH", savedPath.c_str(), 1);
    fs::remove_all(folder);
  }
  // A program of that name that writes its name and arguments to a file.
  void FakeProgram(const std::string& name) {
    const fs::path program = folder / "bin" / name;
    std::ofstream(program) << "#!/bin/sh\nprintf '%s' \"" << name << " $*\" > \"" << (folder / "ran").string()
                           << "\"\n";
    fs::permissions(program, fs::perms::owner_all);
  }
  // What the started program wrote, once it has; "" when none ran.
  std::string Ran() const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    std::string text;
    while (text.empty() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      std::ifstream in(folder / "ran");
      std::stringstream read;
      read << in.rdbuf();
      text = read.str();
    }
    return text;
  }

  fs::path folder;
  std::string savedPath;
};

TEST_F(DesktopPrograms, EachAddressReachesTheProgramForItsKind) {
  struct Case {
    std::vector<std::string> programs;  // what PATH offers
    std::string target;
    std::string ran;  // the program and its argument; "" for none
  };
  const std::string mail = "mailto:support@kelvaro.de?subject=Update%20help";
  const std::string web = "https://example.org/a b";
  const Case cases[] = {
      {{"xdg-email", "xdg-open"}, mail, "xdg-email " + mail},
      {{"xdg-open"}, mail, "xdg-open " + mail},
      {{"xdg-email", "xdg-open"}, web, "xdg-open " + web},
      {{"xdg-email"}, web, ""},
      {{}, mail, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    fs::remove_all(folder / "bin");
    fs::create_directories(folder / "bin");
    fs::remove(folder / "ran");
    for (const std::string& program : c.programs) FakeProgram(program);
    const bool started = ShellExecuteA(0, "open", c.target, "", "", 1) > 32;
    EXPECT_EQ(started, !c.ran.empty());
    if (started) EXPECT_EQ(Ran(), c.ran);
    else EXPECT_FALSE(fs::exists(folder / "ran"));
  }
}

}  // namespace
}  // namespace shell
