#include <cstdio>
#include <cstdlib>

#include "UpdateAssistant.h"
#include "VerscoutFixture.h"
#include "mMain.h"
#include "services/cRegSettings.h"
#include "shell/InstanceLock.h"

namespace verscout {
namespace {

class mMainTest : public VerscoutFixture {
 protected:
  mMainTest() {
    forms::Responders::SetStanding([this](const forms::ModalRequest& r) {
      messages.push_back(r.title + " | " + r.prompt);
      return 1;
    });
  }
  static void SetUpdateDir(const std::string& keyPath, const std::string& value) {
    kvctl2::cRegSettings settings;
    settings.RootHKey(kvctl2::HKY_CURRENT_USER);
    settings.DefaultPath(keyPath);
    settings.SetSetting("", "AktUpdDir", value);
  }
  std::vector<std::string> messages;
};

constexpr const char* kClientKey = "SOFTWARE\\Kelvaro\\Quorvelle4";
constexpr const char* kAdminKey = "SOFTWARE\\Kelvaro\\QuorvelleAdm4";

TEST_F(mMainTest, EachSwitchChoosesItsSettingsAndModes) {
  SetUpdateDir(kClientKey, UpdateDir());
  SetUpdateDir(kAdminKey, UpdateDir() + "/");
  struct Case {
    const char* line;
    const char* appName;
    const char* key;
    bool admin, silent;
  };
  for (const Case& c : {Case{"UpdStd", "Quorvelle4", kClientKey, false, false},
                        Case{"UpdSilent", "Quorvelle4", kClientKey, false, true},
                        Case{"UpdPro", "QuorvelleADM", kAdminKey, true, false},
                        Case{"UpdSilentPro", "QuorvelleADM", kAdminKey, true, true}}) {
    SCOPED_TRACE(c.line);
    ResetGlobals();
    ASSERT_TRUE(Main(c.line));
    EXPECT_EQ(Settings->AppName(), c.appName);
    EXPECT_EQ(Settings->DefaultPath(), c.key);
    EXPECT_EQ(IsAdminMode, c.admin);
    EXPECT_EQ(IsSilent, c.silent);
    EXPECT_EQ(UpdateFolder, UpdateDir());  // a closing separator is dropped
    EXPECT_EQ(TempFolder, world.Path("tmp") + "/QVVerscout/");
    EXPECT_TRUE(FolderExists(TempFolder));
    EXPECT_FALSE(IsEnglish);
    EXPECT_EQ(PagePrefix, ProgramDir() + "/res/");
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(mMainTest, UnknownSwitchesAreRefusedWithTheirLength) {
  EXPECT_FALSE(Main("updstd"));
  UseEnglish();
  EXPECT_FALSE(Main("UpdStd "));
  EXPECT_EQ(messages, (std::vector<std::string>{"Update-Assistent, Fehler: 6 | Ausführung nicht möglich!",
                                                "Update-Assist, Error: 7 | No process found!"}));
}

// Every closing separator goes: the log beside the update folder
// "upd//" lies beside it, not in it.
TEST_F(mMainTest, AllClosingSeparatorsOfTheUpdateFolderGo) {
  for (const char* ending : {"/", "//", "\\/", "///"}) {
    SCOPED_TRACE(ending);
    ResetGlobals();
    SetUpdateDir(kClientKey, UpdateDir() + std::string(ending));
    ASSERT_TRUE(Main("UpdStd"));
    EXPECT_EQ(UpdateFolder, UpdateDir());
    EXPECT_EQ(LogFileBase(UpdateFolder), world.Path("srv") + "/UpdLog");
  }
}

TEST_F(mMainTest, UpdateFolderMustBeSetAndFoldersMustExist) {
  UseEnglish();
  EXPECT_FALSE(Main("UpdStd"));
  EXPECT_FALSE(Settings);

  SetUpdateDir(kClientKey, world.Path("missing") + "//");
  ::setenv("TMPDIR", world.Path("no/such/temp").c_str(), 1);
  EXPECT_FALSE(Main("UpdStd"));
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0],
            "Mistake during automatic update! | The web update can't be performed due to 'ActUpdDir' not being set.");
  EXPECT_EQ(messages[1],
            "Mistake during automatic update! | Automatic web update is not possible to perform; no "
            "temporary folders are available.\r\rUpdate-Folder: " +
                world.Path("missing") + "\r\rTemp-Folder: " + world.Path("no/such/temp") + "/QVVerscout/");
}

// A settings file of the administration program with the update folder,
// damaged after it by `damage`: a hostile key 20,000 levels deep (40 KB), or
// a line of garbage.
TEST_F(mMainTest, ADamagedSettingsFileIsToldAndTheUpdateFolderBeforeTheDamageIsKept) {
  UseEnglish();
  const std::string file = SettingsFile();
  std::string deep = "K a";
  for (int level = 1; level < 20000; ++level) deep += "\\a";
  for (const std::string& damage : {deep, std::string("\x01 garbage")}) {
    SCOPED_TRACE(damage.substr(0, 10));
    ResetGlobals();
    messages.clear();
    for (const auto& entry : std::filesystem::directory_iterator(registry.Path())) std::filesystem::remove(entry);
    WriteAdminSettingsFile(damage + "\nEND 4\n");
    ASSERT_TRUE(Main("UpdPro"));
    EXPECT_EQ(UpdateFolder, UpdateDir());
    ASSERT_EQ(messages.size(), 1u);
    const std::string told = "Settings file | The settings file\r" + file + "\rwas damaged (line 5: ";
    EXPECT_EQ(messages[0].substr(0, told.size()), told) << messages[0];
    const std::string kept =
        "The settings before the damage were kept. The damaged file was put aside as:\r" + file + ".broken-";
    EXPECT_NE(messages[0].find(kept), std::string::npos) << messages[0];
    // What was kept is the settings file again, and small.
    EXPECT_LT(std::filesystem::file_size(file), 1024u);
  }
}

TEST_F(mMainTest, ASettingsFileThatCannotBeReadIsToldBeforeTheMissingUpdateFolder) {
  UseEnglish();
  const std::string file = (registry.Path() / "HKEY_CURRENT_USER.reg").string();
  std::filesystem::create_directory(file);
  EXPECT_FALSE(Main("UpdPro"));
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "Settings file | The settings file\r" + file +
                             "\rcannot be used: reading it failed (Is a directory).\r\rSettings can be neither read "
                             "nor saved until this is put right.");
  EXPECT_EQ(messages[1],
            "Mistake during automatic update! | The web update can't be performed because the settings cannot be "
            "read.");
}

TEST_F(mMainTest, ExitHandsOverOnlyAfterADownloadInClientMode) {
  SetUpdateDir(kClientKey, UpdateDir());
  SetUpdateDir(kAdminKey, UpdateDir());
  WriteFile(UpdateDir() + "/QVUpdate.exe", "new program");
  struct Case {
    const char* line;
    bool loaded;
    bool handsOver;
  };
  for (const Case& c : {Case{"UpdPro", true, false}, Case{"UpdStd", false, false}, Case{"UpdStd", true, true}}) {
    SCOPED_TRACE(std::string(c.line) + (c.loaded ? " after a download" : ""));
    ResetGlobals();
    ASSERT_TRUE(Main(c.line));
    WriteFile(TempFolder + "ver.txt", "x");
    WriteFile(TempFolder + "upd/left.tmp", "x");
    UpdateLoaded = c.loaded;
    ExitAssistant();
    WaitForChildren();
    EXPECT_FALSE(std::filesystem::exists(world.Path("tmp/QVVerscout")));
    EXPECT_FALSE(Settings);
    EXPECT_EQ(std::filesystem::exists(ProgramDir() + "/update-program-runs.txt"), c.handsOver);
  }
  EXPECT_EQ(UpdateProgramRuns(),
            "run\nargument:Update0" + UpdateDir() + "\nfolder:/\nfound:QVUpdate.exe:" + "2835454569 11\n");
}

// Another assistant runs (it holds the lock) with its files in the shared
// temporary folder: a second start touches nothing and says so.
TEST_F(mMainTest, ASecondRunLeavesTheFirstsFilesAndSaysThatOneRuns) {
  SetUpdateDir(kClientKey, UpdateDir());
  const std::string folder = world.Path("tmp") + "/QVVerscout/";
  WriteFile(folder + "QVUpdate.exe", "the first run's download");
  {
    shell::InstanceLock first(world.Path("tmp") + "/QVVerscout.lock");
    ASSERT_TRUE(first.Held());
    for (const bool english : {false, true}) {
      if (english) UseEnglish();
      ResetGlobals();
      EXPECT_FALSE(Main("UpdStd"));
      ExitAssistant();
    }
    EXPECT_EQ(ReadFile(folder + "QVUpdate.exe"), "the first run's download");
    EXPECT_EQ(messages, (std::vector<std::string>{
                            "Automatisches Online-Update | Der Update-Assistent läuft bereits.\r\n\r\nBitte warten "
                            "Sie, bis er fertig ist, oder schließen Sie sein Fenster.",
                            "Online Update Assistant | The update assistant is already running.\r\n\r\nPlease wait "
                            "until it has finished, or close its window."}));
  }
  // Once the first has ended, a run starts and, at its end, clears the folder.
  messages.clear();
  ResetGlobals();
  ASSERT_TRUE(Main("UpdStd"));
  ExitAssistant();
  EXPECT_FALSE(std::filesystem::exists(folder));
  EXPECT_TRUE(messages.empty());
}

TEST_F(mMainTest, TemporaryFolderIsOnlyClearedWhenItIsTheAssistantsOwn) {
  TempFolder = world.Path("tmp") + "/";
  WriteFile(TempFolder + "other.txt", "kept");
  ClearTempFolder(true);
  EXPECT_EQ(ReadFile(TempFolder + "other.txt"), "kept");
}

// The program itself: it takes its folder (and with it the language of its
// pages) from its own file, and refuses a switch it does not know.
TEST(VerscoutProgramTest, RefusesAnUnknownSwitchInTheLanguageOfItsPages) {
  const char* build = std::getenv("QV_BUILD_DIR");
  if (!build) GTEST_SKIP() << "QV_BUILD_DIR not set";
  const std::string program = std::string(build) + "/bin/Verscout";
  const bool english = std::filesystem::exists(std::string(build) + "/bin/res/zupdOK");
  FILE* run = ::popen(("'" + program + "' 'UpdStd ' 2>&1").c_str(), "r");
  ASSERT_NE(run, nullptr);
  std::string output;
  char buffer[256];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, run)) output.append(buffer, n);
  const int status = ::pclose(run);
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_NE(output.find(english ? "No process found!" : "Ausführung nicht möglich!"), std::string::npos) << output;
}

}  // namespace
}  // namespace verscout
