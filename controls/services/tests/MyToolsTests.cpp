#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <regex>
#include <string>

#include "OSVersionName.h"
#include "cMyTools.h"
#include "shell/Processes.h"
#include "win/Window.h"

using namespace kvctl2;

namespace {

// Runs "sleep 30" for the length of a test.
class SleepingChild {
 public:
  SleepingChild() {
    m_pid = ::fork();
    if (m_pid == 0) {
      ::execlp("sleep", "sleep", "30", static_cast<char*>(nullptr));
      ::_exit(127);
    }
  }
  ~SleepingChild() {
    if (m_pid > 0) {
      ::kill(m_pid, SIGKILL);
      ::waitpid(m_pid, nullptr, 0);
    }
  }
  SleepingChild(const SleepingChild&) = delete;
  SleepingChild& operator=(const SleepingChild&) = delete;

  // Waits until the child runs the program (up to two seconds).
  bool Started() const {
    for (int tries = 0; m_pid > 0 && tries < 200; ++tries) {
      for (const auto& p : shell::RunningProcesses()) {
        if (p.pid == m_pid && p.exeName == "sleep") return true;
      }
      ::usleep(10000);
    }
    return false;
  }

 private:
  pid_t m_pid = -1;
};

// Sets or removes an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    m_had = std::getenv(name) != nullptr;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedEnv() { m_had ? ::setenv(m_name.c_str(), m_old.c_str(), 1) : ::unsetenv(m_name.c_str()); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string m_name;
  std::string m_old;
  bool m_had = false;
};

}  // namespace

TEST(cMyTools, GuidsComeInBothFormsAndDiffer) {
  cMyTools tools;
  std::string guid = tools.MakeGUID();
  EXPECT_TRUE(std::regex_match(guid, std::regex("\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}")))
      << guid;
  std::string pure = tools.MakeGUIDPur();
  EXPECT_TRUE(std::regex_match(pure, std::regex("[0-9A-F]{32}"))) << pure;
  EXPECT_NE(pure, tools.MakeGUIDPur());
  EXPECT_NE(guid, tools.MakeGUID());
}

TEST(cMyTools, IsExeRunningComparesTheWholeNameIgnoringCase) {
  SleepingChild child;
  ASSERT_TRUE(child.Started());
  cMyTools tools;
  EXPECT_TRUE(tools.IsEXERunning("sleep"));
  EXPECT_TRUE(tools.IsEXERunning("SLEEP"));
  EXPECT_FALSE(tools.IsEXERunning("slee"));
  EXPECT_FALSE(tools.IsEXERunning("sleepy"));
  EXPECT_FALSE(tools.IsEXERunning(""));
  EXPECT_TRUE(tools.IsEXERunning("Kvctl2_services_tests"));
}

TEST(cMyTools, OSVersionNameFollowsThePlatformTable) {
  struct Case {
    uint32_t platform, major, minor;
    const char* name;
  };
  const Case cases[] = {
      {1, 4, 0, "95"},    {1, 4, 10, "98"},   {1, 4, 90, "ME"},   {1, 4, 3, ""},       {2, 3, 51, "NT"},
      {2, 4, 0, "NT"},    {2, 5, 0, "2k"},    {2, 5, 1, "XP"},    {2, 5, 2, "XP"},     {2, 6, 0, "Vista"},
      {2, 6, 1, "Vista"}, {2, 6, 3, "Vista"}, {2, 10, 0, "Failed"}, {2, 2, 0, "Failed"}, {0, 6, 0, "Failed"},
      {3, 5, 0, "Failed"},
  };
  for (const auto& c : cases) {
    shell::OSVERSIONINFOA info;
    info.dwPlatformId = c.platform;
    info.dwMajorVersion = c.major;
    info.dwMinorVersion = c.minor;
    EXPECT_EQ(OSVersionName(info), c.name) << c.platform << " " << c.major << "." << c.minor;
  }
  // This platform reports version 6.2 of the NT family.
  EXPECT_EQ(OSVersionName(), "Vista");
  EXPECT_EQ(cMyTools().OSVersion(), "Vista");
}

TEST(cMyTools, FoldersEndInTheSeparator) {
  cMyTools tools;
  {
    ScopedEnv tmp("TMPDIR", "/var/tmp");
    EXPECT_EQ(tools.GetTempDir(), "/var/tmp/");
  }
  {
    ScopedEnv tmp("TMPDIR", "/var/tmp/");
    EXPECT_EQ(tools.GetTempDir(), "/var/tmp/");
  }
  {
    ScopedEnv tmp("TMPDIR", nullptr);
    EXPECT_EQ(tools.GetTempDir(), "/tmp/");
  }
  EXPECT_EQ(tools.GetWinDir(), "/usr/");
  EXPECT_EQ(tools.GetSysDir(), "/usr/lib/");
}

TEST(cMyTools, UserNameAndGlobalSound) {
  cMyTools tools;
  const passwd* pw = ::getpwuid(::geteuid());
  ASSERT_NE(pw, nullptr);
  EXPECT_EQ(tools.WinUserName(), pw->pw_name);
  EXPECT_EQ(tools.GlobalSound(), 0);
}

TEST(cMyTools, ControlBorderThinReplacesTheExtendedStyleAndRedrawsTheFrame) {
  win::HWND window = win::CreateWindowExA(win::WS_EX_CLIENTEDGE | win::WS_EX_TOPMOST, "STATIC", "", 0, 10, 20, 30, 40,
                                          win::kNoWindow);
  ASSERT_TRUE(win::IsWindow(window));
  win::RECT before{};
  win::GetWindowRect(window, &before);
  int frames = win::FrameChangeCount(window);

  cMyTools tools;
  EXPECT_TRUE(tools.ControlBorderThin(win::ToInt(window)).IsEmpty());
  EXPECT_EQ(win::GetWindowLongA(window, win::GWL_EXSTYLE), 0x20004);
  EXPECT_EQ(win::FrameChangeCount(window), frames + 1);
  win::RECT after{};
  win::GetWindowRect(window, &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);
  win::DestroyWindow(window);

  // A window that is gone: nothing happens.
  EXPECT_TRUE(tools.ControlBorderThin(win::ToInt(window)).IsEmpty());
}
