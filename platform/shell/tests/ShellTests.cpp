#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "shell/Processes.h"
#include "shell/System.h"
#include "shell/Version.h"

using namespace shell;

// Processes of other users show no executable link: their names come from
// the command name, completed from the command line when the kernel cut it.
TEST(Processes, NameFromCommandFilesCompletesACutCommandName) {
  using namespace std::string_literals;
  const struct {
    std::string comm, cmdline, expected;
  } cases[] = {
      {"sleep\n", "sleep\0" "30\0"s, "sleep"},
      {"QVAdministratio\n", "/opt/qv/QVAdministration\0-x\0"s, "QVAdministration"},
      {"QVAdministratio\n", "QVAdministration"s, "QVAdministration"},
      // A first argument that is not the program keeps the short name.
      {"QVAdministratio\n", "/usr/bin/python3\0tool.py\0"s, "QVAdministratio"},
      {"kworker/0:1-eve\n", ""s, "kworker/0:1-eve"},
      {"", "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(NameFromCommandFiles(c.comm, c.cmdline), c.expected) << c.cmdline;
}

TEST(Processes, ListsThisProcessAndAChildByExecutableName) {
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::execlp("sleep", "sleep", "30", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  // Wait until the child runs the new program (up to 20 s: a loaded
  // machine under the sanitizers can take seconds to exec).
  std::vector<ProcessEntry> processes;
  auto childEntry = processes.end();
  for (int tries = 0; tries < 2000; ++tries) {
    processes = RunningProcesses();
    childEntry = std::find_if(processes.begin(), processes.end(), [&](const ProcessEntry& p) { return p.pid == child; });
    if (childEntry != processes.end() && childEntry->exeName == "sleep") break;
    ::usleep(10000);
  }
  ASSERT_NE(childEntry, processes.end());
  EXPECT_EQ(childEntry->exeName, "sleep");
  auto self = std::find_if(processes.begin(), processes.end(), [](const ProcessEntry& p) { return p.pid == ::getpid(); });
  ASSERT_NE(self, processes.end());
  EXPECT_EQ(self->exeName, "shell_tests");
  EXPECT_TRUE(std::is_sorted(processes.begin(), processes.end(),
                             [](const ProcessEntry& a, const ProcessEntry& b) { return a.pid < b.pid; }));
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
}

TEST(System, TempFolderComesFromTmpdirAndEndsInASlash) {
  const char* saved = std::getenv("TMPDIR");
  std::string keep = saved ? saved : "";
  ::setenv("TMPDIR", "/var/tmp", 1);
  EXPECT_EQ(GetTempPathA(), "/var/tmp/");
  ::setenv("TMPDIR", "/var/tmp/", 1);
  EXPECT_EQ(GetTempPathA(), "/var/tmp/");
  ::unsetenv("TMPDIR");
  EXPECT_EQ(GetTempPathA(), "/tmp/");
  if (saved) ::setenv("TMPDIR", keep.c_str(), 1);
}

TEST(System, NamesAndFolders) {
  EXPECT_FALSE(GetUserNameA().empty());
  std::string computer = GetComputerNameA();
  EXPECT_FALSE(computer.empty());
  EXPECT_EQ(computer.find('.'), std::string::npos);
  EXPECT_EQ(GetWindowsDirectoryA(), "/usr");
  EXPECT_EQ(GetSystemDirectoryA(), "/usr/lib");
}

TEST(Version, ReportsTheNtFamilyVersion62) {
  OSVERSIONINFOA info;
  ASSERT_TRUE(GetVersionExA(&info));
  EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
  EXPECT_EQ(info.dwMajorVersion, 6u);
  EXPECT_EQ(info.dwMinorVersion, 2u);
  EXPECT_EQ(info.dwBuildNumber, 9200u);
  EXPECT_EQ(info.szCSDVersion, "");
  EXPECT_FALSE(GetVersionExA(nullptr));
}
