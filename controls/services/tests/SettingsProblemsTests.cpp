#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cRegSettings.h"
#include "registry/tests/ScopedRegistryFolder.h"
#include "services/SettingsProblems.h"

namespace kvctl2 {
namespace {

TEST(SettingsProblems, EachProblemIsToldInTheProgramsLanguage) {
  ScopedRegistryFolder folder;
  const std::string file = (folder.Path() / "HKEY_CURRENT_USER.reg").string();
  cRegSettings settings;
  EXPECT_TRUE(settings.SetSetting("", "Kept", "yes"));
  EXPECT_EQ(TakeSettingsNotice(true).text, "");

  // A setting whose key lies beyond the limits is not saved, and told.
  std::string deep = "k";
  for (int level = 1; level < 600; ++level) deep += "\\k";
  EXPECT_FALSE(settings.SetSetting(deep, "v", "x"));
  SettingsNotice notice = TakeSettingsNotice(false);
  EXPECT_EQ(notice.title, "Einstellungsdatei");
  EXPECT_EQ(notice.text.rfind("Eine Einstellung konnte nicht gespeichert werden:\rHKEY_CURRENT_USER\\Software\\Kelvaro"
                              "\\KvApp\\k\\k",
                              0),
            0u)
      << notice.text;
  EXPECT_NE(notice.text.find("..."), std::string::npos) << "a long path is named by its ends";
  EXPECT_NE(notice.text.find("(der Schlüssel überschreitet die Grenzen von 255 Zeichen je Name und 512 Ebenen)"),
            std::string::npos)
      << notice.text;

  // A damaged file: where, what was kept, where the damaged file lies.
  {
    std::ofstream out(file, std::ios::app);
    out << "garbage\n";
  }
  EXPECT_EQ(settings.GetSetting("", "Kept").ToString(), "yes");
  notice = TakeSettingsNotice(false);
  const std::string told = "Die Einstellungsdatei\r" + file +
                           "\rwar beschädigt (Zeile 7).\r\rDie Einstellungen vor der "
                           "beschädigten Stelle wurden übernommen. Die beschädigte Datei wurde aufbewahrt als:\r" +
                           file + ".broken-";
  EXPECT_EQ(notice.text.substr(0, told.size()), told);
  EXPECT_EQ(TakeSettingsNotice(true).text, "");
}

// A folder where the settings file should be: every setting fails for the
// one reason, which is told once, in German words only.
TEST(SettingsProblems, AFileThatCannotBeUsedIsToldOnceNotAtEverySetting) {
  ScopedRegistryFolder folder;
  const std::string file = (folder.Path() / "HKEY_CURRENT_USER.reg").string();
  std::filesystem::create_directory(file);
  cRegSettings settings;
  std::vector<std::string> told;
  for (const char* value : {"SQLAdm_CS", "SQLAdm_CU", "SQLAdm_CP", "SQLAdm_AL", "NetUsr"}) {
    EXPECT_FALSE(settings.SetSetting("", value, "x"));
    const SettingsNotice notice = TakeSettingsNotice(false);
    if (!notice.text.empty()) told.push_back(notice.text);
  }
  EXPECT_EQ(told, (std::vector<std::string>{
                      "Die Einstellungsdatei\r" + file +
                      "\rkann nicht verwendet werden: sie kann nicht gelesen werden (Ist ein Verzeichnis).\r\rBis dies "
                      "behoben ist, können Einstellungen weder gelesen noch gespeichert werden."}));
}

}  // namespace
}  // namespace kvctl2
