// The start of the program, the visual-style check, and help opened at a
// form's context from the program's own help pages.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

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
