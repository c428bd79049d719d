// The start of the program, the visual-style check, and help opened at a
// form's context from the program's own help pages.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "../../core/tests/CoreTestSupport.h"
#include "core/HelpSystem.h"
#include "core/RegistrySettings.h"
#include "core/StartUp.h"
#include "forms/App.h"
#include "gdi/FontBackend.h"
#include "help/HelpWindow.h"
#include "help/HtmlHelp.h"
#include "main/frmMDI.h"
#include "main/tests/FakeMsg.h"
#include "registry/tests/ScopedRegistryFolder.h"
#include "win/Themes.h"

namespace qvadmin {
namespace {

namespace fs = std::filesystem;

TEST(StartUp, MainShowsTheMainWindowWithAClosedConnection) {
  test::UsePrivateRegistry();
  gdi::ScopedFixedMetrics metrics;
  test::ScopedFakeMsg fakeMsg;
  LoadSettings();
  WriteRegValue("SQLAdm_AL", "0");  // no automatic login stored
  cnMain.reset();
  RegSet.reset();
  std::string shown;
  forms::ScopedResponders responders([&](const forms::ModalRequest& r) {
    if (r.form) {
      shown = r.form->Name();
      r.form->Unload();
    }
    return 0;
  });
  Main();
  EXPECT_TRUE(IsCompiled);
  EXPECT_TRUE(RegSet);
  ASSERT_TRUE(cnMain);
  EXPECT_NE(cnMain->State(), ado::adStateOpen);
  EXPECT_TRUE(frmMDI::Default()->Visible());
  EXPECT_EQ(shown, "frmLogin");
  for (const auto& form : forms::Form::Forms()) form->Unload();
}

// A settings file damaged after the administration program's values: the
// main window tells so before the login asks anything, and the values
// before the damage are still there.
TEST(StartUp, ADamagedSettingsFileIsToldInTheMainWindowBeforeTheLogin) {
  ScopedRegistryFolder registry;
  gdi::ScopedFixedMetrics metrics;
  test::ScopedFakeMsg fakeMsg;
  const std::string file = (registry.Path() / "HKEY_CURRENT_USER.reg").string();
  {
    std::ofstream out(file, std::ios::binary);
    out << "QVREG 1\nK \nK SOFTWARE\\Kelvaro\\QuorvelleAdm4\nV AppAdmDir 1 2F6F70742F7176\nV SQLAdm_AL 1 30\n"
           "garbage\nEND 4\n";
  }
  cnMain.reset();
  RegSet.reset();
  size_t toldBeforeLogin = 0;
  forms::ScopedResponders responders([&](const forms::ModalRequest& r) {
    if (r.form) {
      toldBeforeLogin = test::FakeMsg::Last() ? test::FakeMsg::Last()->calls.size() : 0;
      r.form->Unload();
    }
    return 0;
  });
  Main();
  ASSERT_TRUE(test::FakeMsg::Last());
  const auto& calls = test::FakeMsg::Last()->calls;
  EXPECT_EQ(toldBeforeLogin, 1u);
  ASSERT_EQ(calls.size(), 1u);
  const std::string prompt = calls[0][0].ToString();
  EXPECT_EQ(prompt.substr(0, prompt.find(".broken-")),
            "The settings file\r" + file +
                "\rwas damaged (line 6: unknown record).\r\rThe settings before the damage "
                "were kept. The damaged file was put aside as:\r" +
                file);
  EXPECT_EQ(calls[0][1].ToLong(), forms::vbExclamation);
  EXPECT_EQ(calls[0][2].ToString(), "Settings file");
  EXPECT_EQ(ReadRegValue("AppAdmDir"), "/opt/qv");
  for (const auto& form : forms::Form::Forms()) form->Unload();
}

TEST(StartUp, VisualStylesFollowTheApplicationsThemeProperties) {
  struct Case {
    uint32_t properties;
    bool themed;
  };
  for (const Case& c :
       {Case{win::STAP_ALLOW_NONCLIENT | win::STAP_ALLOW_CONTROLS, true}, Case{win::STAP_ALLOW_NONCLIENT, false}}) {
    detail::ForgetThemeState();
    win::SetThemeAppProperties(c.properties);
    EXPECT_EQ(IsThemed(), c.themed);
    EXPECT_EQ(ThemesActive, c.themed);
    InitXPStyles();
    EXPECT_EQ(detail::CommonControlsInitialised(), c.themed ? 1 : 0);
    // Determined once: a later change is not noticed, and a second
    // preparation does nothing.
    win::SetThemeAppProperties(c.themed ? 0 : win::STAP_ALLOW_CONTROLS);
    EXPECT_EQ(IsThemed(), c.themed);
    InitXPStyles();
    EXPECT_EQ(detail::CommonControlsInitialised(), c.themed ? 1 : 0);
  }
  win::SetThemeAppProperties(win::STAP_ALLOW_NONCLIENT | win::STAP_ALLOW_CONTROLS | win::STAP_ALLOW_WEBCONTENT);
  detail::ForgetThemeState();
}

TEST(StartUp, HelpOpensThePageOfTheContextBesideTheProgram) {
  gdi::ScopedFixedMetrics metrics;
  const fs::path program = fs::temp_directory_path() / ("qvadmin-help-" + std::to_string(::getpid()));
  fs::create_directories(program);
  fs::create_directory_symlink(fs::path(QV_SOURCE_DIR) / "admin/help", program / "QV_Admin");
  const std::string saved = forms::App().Path;
  forms::App().Path = program.string();
  EXPECT_EQ(HelpFilePath(""), program.string() + "/QV_Admin.chm>");
  // The contexts of the program's forms have pages of their own.
  struct Case {
    int32_t context;
    const char* page;
  };
  for (const Case& c :
       {Case{1010, "start.html"}, Case{1020, "login.html"}, Case{1030, "configuration.html"}, Case{0, "index.html"}}) {
    ShowHelp(c.context, "");
    EXPECT_EQ(help::HelpWindow::Instance()->Page(), c.page) << c.context;
  }
  help::HtmlHelpA(win::kNoWindow, "", help::HH_CLOSE_ALL, 0);
  // Without the help pages nothing shows and nothing is raised.
  forms::App().Path = (program / "elsewhere").string();
  ShowHelp(1010, "Main");
  EXPECT_FALSE(help::HelpWindow::Instance()->IsLoaded());
  forms::App().Path = saved;
  fs::remove_all(program);
}

}  // namespace
}  // namespace qvadmin
