#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "CoreTestSupport.h"
#include "core/CreateGUID.h"
#include "core/FormSettings.h"
#include "core/RegistrySettings.h"
#include "forms/Form.h"
#include "forms/Screen.h"
#include "shell/System.h"

namespace qvadmin {
namespace {

class RegistrySettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UsePrivateRegistry();
    LoadSettings();
    ASSERT_TRUE(RegSet);
    RegSet->DeletePath(kvctl2::HKY_CURRENT_USER, "SOFTWARE\\Kelvaro\\QuorvelleAdm4");
  }
};

TEST_F(RegistrySettingsTest, LoadSettingsFixesTheKeyAndWritesNetUsrOnce) {
  SqlServer.clear();
  LoadSettings();
  EXPECT_EQ(RegSet->DefaultPath(), "SOFTWARE\\Kelvaro\\QuorvelleAdm4");
  EXPECT_EQ(RegSet->RootHKey(), kvctl2::HKY_CURRENT_USER);
  EXPECT_EQ(RegSet->AppName(), "QuorvelleADM");
  const std::string netUsr = ReadRegValue("NetUsr");
  EXPECT_TRUE(std::regex_match(netUsr, std::regex("[0-9A-F]{32}"))) << netUsr;
  LoadSettings();
  EXPECT_EQ(ReadRegValue("NetUsr"), netUsr);
  EXPECT_FALSE(TempDir.empty());
  EXPECT_EQ(DateTimeFormat, "ddddd hh:nn");  // the C locale writes a 24-hour time
  EXPECT_FALSE(SqlServer.empty());  // the computer name
}

// A registry that can't be written stops nothing: start-up still has its
// defaults, and no identifier is stored that was not written.
TEST_F(RegistrySettingsTest, LoadSettingsGoesOnWhenTheRegistryCannotBeWritten) {
  const std::string saved = std::getenv("QV_REGISTRY_DIR");
  ::setenv("QV_REGISTRY_DIR", "/proc/version/registry", 1);  // below a file: no folder can be made
  SqlServer.clear();
  DateTimeFormat.clear();
  TempDir.clear();
  LoadSettings();
  EXPECT_EQ(ReadRegValue("NetUsr", "none"), "none");
  EXPECT_FALSE(WriteRegValue("NetUsr", "x"));
  EXPECT_EQ(SqlServer, shell::GetComputerNameA());
  EXPECT_EQ(DateTimeFormat, "ddddd hh:nn");
  EXPECT_EQ(TempDir, shell::GetTempPathA());
  ::setenv("QV_REGISTRY_DIR", saved.c_str(), 1);
}

// The user's locale (here en_US, compiled for the test, whose clock has 12
// hours) gives the display format its AM/PM; the C locale none.
TEST_F(RegistrySettingsTest, ATwelveHourLocaleGivesTheFormatItsAmPm) {
  const std::filesystem::path locales =
      std::filesystem::temp_directory_path() / ("qvcore-locales-" + std::to_string(::getpid()));
  std::filesystem::create_directories(locales);
  const std::string make = "localedef -i en_US -f UTF-8 '" + (locales / "en_US.UTF-8").string() + "' >/dev/null 2>&1";
  if (std::system(make.c_str()) != 0) {
    std::filesystem::remove_all(locales);
    FAIL() << "localedef and the locale sources (package locales) are needed";
  }
  const char* saved = std::getenv("LC_ALL");
  const std::string restore = saved ? saved : "";
  ::setenv("LOCPATH", locales.c_str(), 1);
  const struct {
    const char* locale;
    const char* format;
  } cases[] = {{"en_US.UTF-8", "ddddd hh:nn AM/PM"}, {"C.UTF-8", "ddddd hh:nn"}};
  for (const auto& c : cases) {
    ::setenv("LC_ALL", c.locale, 1);
    DateTimeFormat.clear();
    LoadSettings();
    EXPECT_EQ(DateTimeFormat, c.format) << c.locale;
  }
  if (saved) {
    ::setenv("LC_ALL", restore.c_str(), 1);
  } else {
    ::unsetenv("LC_ALL");
  }
  ::unsetenv("LOCPATH");
  std::filesystem::remove_all(locales);
}

TEST_F(RegistrySettingsTest, ReadAndWriteValues) {
  EXPECT_EQ(ReadRegValue("SQLAdm_AL", "0"), "0");
  EXPECT_TRUE(WriteRegValue("SQLAdm_AL", "1"));
  EXPECT_EQ(ReadRegValue("SQLAdm_AL", "0"), "1");
  EXPECT_TRUE(WriteRegValue("DesignStyle", 2, true));
  EXPECT_EQ(ReadRegValue("DesignStyle"), "2");
}

TEST_F(RegistrySettingsTest, WithoutSettingsObjectTheUserIsTold) {
  test::Captured captured;
  auto saved = RegSet;
  RegSet.reset();
  EXPECT_EQ(ReadRegValue("NetUsr", "x"), "");
  EXPECT_FALSE(WriteRegValue("NetUsr", "x"));
  RegSet = saved;
  ASSERT_EQ(captured.Messages().size(), 2u);
  EXPECT_EQ(captured.Messages()[0].prompt, "Registry access error occurs");
  EXPECT_EQ(captured.Messages()[0].title, "Key access error 2");
  EXPECT_EQ(captured.Messages()[0].buttons, 16);
  EXPECT_EQ(captured.Messages()[1].title, "Key access error 4");
}

TEST_F(RegistrySettingsTest, FormPlacementIsRestoredAndKeptOnScreen) {
  auto form = std::make_shared<forms::Form>("frmLogin");
  EXPECT_EQ(RestoreFormPlacement(*form, true, false), kNoStoredWindowState);

  SaveFormSetting(*form, "L", forms::Screen::Width() + 500);
  SaveFormSetting(*form, "T", 300);
  SaveFormSetting(*form, "W", 4000);
  SaveFormSetting(*form, "H", 3000);
  EXPECT_EQ(GetFormSetting(*form, "T", "none").ToString(), "300");
  EXPECT_EQ(RegSet->GetSetting("Login", "T", "none").ToString(), "300");

  EXPECT_EQ(RestoreFormPlacement(*form, true, true), kNoStoredWindowState);
  EXPECT_EQ(form->Width(), 4000);
  EXPECT_EQ(form->Height(), 3000);
  EXPECT_EQ(form->Top(), 300);
  EXPECT_EQ(form->Left(), forms::Screen::Width() - 4000);

  WriteRegValue("Login", 2, true);  // maximised
  EXPECT_EQ(RestoreFormPlacement(*form, true, true), 2);
  EXPECT_EQ(form->WindowState(), 2);
}

TEST(CreateGUID, FormsOfTheText) {
  const std::string braced = CreateGUID();
  EXPECT_TRUE(std::regex_match(braced, std::regex(R"(\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\})")))
      << braced;
  EXPECT_NE(CreateGUID(), braced);
  EXPECT_TRUE(std::regex_match(CreateGUIDCompact(), std::regex("[0-9A-F]{32}")));
}

}  // namespace
}  // namespace qvadmin
