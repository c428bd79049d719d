// The real Verscout program in the silent modes, started as the product's
// client starts it, without a display, against the local update server.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstring>
#include <functional>
#include <vector>

#include "VerscoutFixture.h"
#include "runtime/Date.h"
#include "runtime/Strings.h"
#include "services/cRegSettings.h"
#include "shell/InstanceLock.h"

extern char** environ;

namespace verscout {
namespace {

constexpr const char* kData = "/v4/data/";

class VerscoutRunTest : public VerscoutFixture {
 protected:
  VerscoutRunTest() {
    InstallProgramCopy();
    server.Serve(std::string(kData) + "ver.txt", "1|Quorvelle|1235|QV|");
    server.Serve(std::string(kData) + "QVUpdate.exe", inet::PatternBytes(4096));
    SetUpdateFolder();
  }

  // Runs the program with the switch and waits for its end; its exit code.
  int Run(const std::string& mode) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
      if (std::strncmp(*e, "DISPLAY=", 8) != 0 && std::strncmp(*e, "QV_INET_CONNECT_TO=", 19) != 0 &&
          std::strncmp(*e, "LD_LIBRARY_PATH=", 16) != 0) {
        env.emplace_back(*e);
      }
    }
    env.push_back("QV_INET_CONNECT_TO=" + server.ConnectToEntry("update.quorvelle.de"));
    // The copy finds the build's libraries.
    env.push_back("LD_LIBRARY_PATH=" + Build() + "/lib");
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string program = ProgramDir() + "/Verscout";
    std::string argument = mode;
    char* argv[] = {program.data(), argument.data(), nullptr};
    // Its error output is kept for the test.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, ErrorOutputFile().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    peakKilobytes = usage.ru_maxrss;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // The peak memory of the last run.
  long peakKilobytes = 0;
  std::string ErrorOutputFile() const { return world.Path("stderr.txt"); }
  std::string Setting(const std::string& key, const std::string& name) const {
    kvctl2::cRegSettings settings;
    settings.DefaultPath(key);
    return settings.GetSetting("", name).ToString();
  }
  std::string Log() const { return ReadFile(world.Path("srv/UpdLog.001")); }
};

TEST_F(VerscoutRunTest, SilentChecksWriteTheDayAndTheLogAndDownloadNothing) {
  struct Case {
    const char* mode;
    const char* key;
  };
  for (const Case& c : {Case{"UpdSilent", "SOFTWARE\\Kelvaro\\Quorvelle4"},
                        Case{"UpdSilentPro", "SOFTWARE\\Kelvaro\\QuorvelleAdm4"}}) {
    SCOPED_TRACE(c.mode);
    ASSERT_EQ(Run(c.mode), 0);
    EXPECT_EQ(Setting(c.key, "LastUpdateCheck"), std::to_string(TodayDayNumber()));
    EXPECT_EQ(Setting(c.key, "LastUpdateDwnld"), "");
  }
  // The administration mode reads the update folder's version file: none
  // there, so it is version 0 against 1235.
  const std::string log = Log();
  EXPECT_NE(log.find(";IsUpdate: AppUpdate from 1234 to 1235;\r\n"), std::string::npos);
  EXPECT_NE(log.find(";IsUpdate: AppUpdate from 0 to 1235;\r\n"), std::string::npos);
  EXPECT_NE(log.find("  *Online-Update;START;\r\n"), std::string::npos);
  size_t ends = 0;
  for (size_t at = log.find(";ENDE;"); at != std::string::npos; at = log.find(";ENDE;", at + 1)) ++ends;
  EXPECT_EQ(ends, 2u);
  EXPECT_EQ(server.CountRequests("GET", std::string(kData) + "QVUpdate.exe"), 0u);
  EXPECT_EQ(server.CountRequests("GET", std::string(kData) + "ver.txt"), 2u);
  EXPECT_FALSE(std::filesystem::exists(world.Path("tmp/QVVerscout")));
  EXPECT_FALSE(std::filesystem::exists(UpdateDir() + "/QVUpdate.exe"));
  EXPECT_FALSE(std::filesystem::exists(ProgramDir() + "/update-program-runs.txt"));
}

TEST_F(VerscoutRunTest, ASilentCheckWithoutServerEndsQuietly) {
  server.Stop();
  ASSERT_EQ(Run("UpdSilent"), 0);
  EXPECT_EQ(Setting("SOFTWARE\\Kelvaro\\Quorvelle4", "LastUpdateCheck"), std::to_string(TodayDayNumber()));
  EXPECT_NE(Log().find(";ENDE;\r\n"), std::string::npos);
  EXPECT_EQ(Log().find("IsUpdate"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(world.Path("tmp/QVVerscout")));
}

// Without a display a plain message box cannot be shown: its text goes to
// the error output and the silent run ends as always, its temporary folder
// cleared.
TEST_F(VerscoutRunTest, AMessageBoxWithoutDisplayDoesNotBreakTheSilentRun) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
    const char* message;
    bool logged;
  };
  for (const Case& c :
       {Case{"unreadable version file", [&] { server.Serve(std::string(kData) + "ver.txt", "1|Quorvelle|0|QV"); },
             "Die Remote-Versionsdatei ist nicht lesbar.: Fehler bei Lesevorgang:", true},
        Case{"no log",
             [&] {
               std::filesystem::remove(world.Path("srv/UpdLog.001"));
               std::filesystem::create_directories(world.Path("srv/UpdLog.001/blocked"));
             },
             "Abbruch!: Logging nicht möglich.", false}}) {
    SCOPED_TRACE(c.what);
    c.arrange();
    EXPECT_EQ(Run("UpdSilent"), 0);
    EXPECT_NE(ReadFile(ErrorOutputFile()).find(std::string("Verscout: ") + c.message), std::string::npos)
        << ReadFile(ErrorOutputFile());
    if (c.logged) {
      EXPECT_NE(Log().find(";ENDE;\r\n"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(world.Path("tmp/QVVerscout")));
  }
}

// A second silent run while another assistant runs: it says so on the
// error output and leaves the first's temporary folder and log alone.
TEST_F(VerscoutRunTest, ASilentSecondRunTouchesNothingOfTheFirst) {
  const std::string folder = world.Path("tmp/QVVerscout/");
  WriteFile(folder + "ver.txt", "the first run's version file");
  shell::InstanceLock first(world.Path("tmp/QVVerscout.lock"));
  ASSERT_TRUE(first.Held());
  EXPECT_EQ(Run("UpdSilent"), 1);
  EXPECT_EQ(ReadFile(ErrorOutputFile()),
            "Verscout: Automatisches Online-Update: Der Update-Assistent läuft bereits. Bitte warten Sie, bis er "
            "fertig ist, oder schließen Sie sein Fenster.\n");
  EXPECT_EQ(ReadFile(folder + "ver.txt"), "the first run's version file");
  EXPECT_EQ(server.CountRequests("GET", std::string(kData) + "ver.txt"), 0u);
  EXPECT_EQ(Setting("SOFTWARE\\Kelvaro\\Quorvelle4", "LastUpdateCheck"), "");
  EXPECT_FALSE(std::filesystem::exists(world.Path("srv/UpdLog.001")));
}

// A damaged settings file in a silent run without a display: the settings
// before the damage are kept, the damage is told on the error output (one
// line, German words only) and in the log, and the check runs. A settings
// file that cannot be read at all is told as such.
TEST_F(VerscoutRunTest, ASilentRunAfterADamagedSettingsFileGoesOnWithWhatWasKept) {
  std::string deep = "K a";
  for (int level = 1; level < 20000; ++level) deep += "\\a";
  struct Case {
    const char* what;
    std::string rest;
  };
  for (const Case& c : {Case{"cut in the middle of a line", "V LastUpdateCheck 4 3"},
                        Case{"a key 20,000 levels deep", deep + "\nEND 4\n"},
                        Case{"a key name of 301 characters", "K " + std::string(301, 'k') + "\nEND 4\n"}}) {
    SCOPED_TRACE(c.what);
    for (const auto& entry : std::filesystem::directory_iterator(registry.Path())) std::filesystem::remove_all(entry);
    WriteAdminSettingsFile(c.rest);
    const size_t checks = server.CountRequests("GET", std::string(kData) + "ver.txt");
    ASSERT_EQ(Run("UpdSilentPro"), 0) << ReadFile(ErrorOutputFile());
    EXPECT_EQ(server.CountRequests("GET", std::string(kData) + "ver.txt"), checks + 1);
    const std::string told = ReadFile(ErrorOutputFile());
    const std::string line =
        "Verscout: Einstellungsdatei: Die Einstellungsdatei " + SettingsFile() + " war beschädigt (Zeile ";
    ASSERT_NE(told.find(line), std::string::npos) << told;
    const std::string notice =
        told.substr(told.find(line) + 10, told.find('\n', told.find(line)) - told.find(line) - 10);
    EXPECT_NE(notice.find(" Die Einstellungen vor der beschädigten Stelle wurden übernommen."), std::string::npos)
        << notice;
    EXPECT_EQ(notice.find("line"), std::string::npos) << notice;
    EXPECT_NE(rt::FromAnsi(Log()).find(";" + notice + ";\r\n"), std::string::npos) << rt::FromAnsi(Log());
  }

  for (const auto& entry : std::filesystem::directory_iterator(registry.Path())) std::filesystem::remove_all(entry);
  std::filesystem::create_directory(SettingsFile());
  EXPECT_EQ(Run("UpdSilentPro"), 1);
  const std::string told = ReadFile(ErrorOutputFile());
  EXPECT_NE(told.find("Verscout: Einstellungsdatei: Die Einstellungsdatei " + SettingsFile() +
                      " kann nicht verwendet werden: sie kann nicht gelesen werden (Ist ein Verzeichnis). Bis dies "
                      "behoben ist,"),
            std::string::npos)
      << told;
  EXPECT_NE(told.find("Verscout: Fehler bei Auto-Update!: Das Web-Update kann nicht ausgeführt werden, da die "
                      "Einstellungen nicht gelesen werden können.\n"),
            std::string::npos)
      << told;
}

// A server that announces a few bytes and sends without end: the program's
// memory stays near what a normal check takes.
TEST_F(VerscoutRunTest, ALyingServerCannotFillTheMemory) {
  ASSERT_EQ(Run("UpdSilent"), 0);
  const long normal = peakKilobytes;
  const std::string path = std::string(kData) + "ver.txt";
  const size_t endless = size_t{256} << 20;
  struct Case {
    const char* what;
    size_t announced;
    inet::Script get;
  };
  for (const Case& c :
       {Case{"20 bytes announced, a chunked body without end", 20,
             {inet::steps::Bytes(inet::ResponseHead(200, std::nullopt, {"Transfer-Encoding: chunked"}) +
                                 "10000000\r\n"),
              inet::steps::Pattern(endless)}},
        Case{"20 bytes announced, a body without length and end", 20,
             {inet::steps::Bytes(inet::ResponseHead(200, std::nullopt)), inet::steps::Pattern(endless)}}}) {
    SCOPED_TRACE(c.what);
    server.On("HEAD", path, {inet::steps::Bytes(inet::ResponseHead(200, c.announced))});
    server.On("GET", path, c.get);
    ASSERT_EQ(Run("UpdSilent"), 0);
    EXPECT_LT(peakKilobytes, normal + 32 * 1024) << "normal: " << normal << " KB";
  }
}

}  // namespace
}  // namespace verscout
