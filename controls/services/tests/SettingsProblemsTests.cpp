#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

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
  EXPECT_NE(notice.text.find("(the key lies beyond the limits of 255 characters a name and 512 levels)"),
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
                           "\rwar beschädigt (line 7: text after the closing line).\r\rDie Einstellungen vor der "
                           "beschädigten Stelle wurden übernommen. Die beschädigte Datei wurde aufbewahrt als:\r" +
                           file + ".broken-";
  EXPECT_EQ(notice.text.substr(0, told.size()), told);
  EXPECT_EQ(TakeSettingsNotice(true).text, "");
}

}  // namespace
}  // namespace kvctl2
