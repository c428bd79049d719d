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

TEST(Processes, ListsThisProcessAndAChildByExecutableName) {
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::execlp("sleep", "sleep", "30", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  // Wait until the child runs the new program.
  std::vector<ProcessEntry> processes;
  auto childEntry = processes.end();
  for (int tries = 0; tries < 200; ++tries) {
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
