// QVAdmin's help in a real window on a private X server: the contents'
// links are drawn as links, and a click on one shows its page, as a click
// on "Back to the contents" shows the contents again.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/HelpSystem.h"
#include "forms/App.h"
#include "gdi/Bitmaps.h"
#include "gdi/FontBackend.h"
#include "gdi/Owned.h"
#include "gdi/WindowSurface.h"
#include "help/HelpWindow.h"
#include "help/HtmlHelp.h"
#include "html/KVXHTML.h"
#include "html/tests/LinkOnScreen.h"
#include "runtime/TestRenders.h"
#include "win/Window.h"
#include "win/X11Testing.h"
#include "win/tests/x11/ProgramOnDisplay.h"

namespace qvadmin {
namespace {

namespace fs = std::filesystem;
namespace x11 = win::x11test;

class HelpOnDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi::UsePangoMetrics();
    program = fs::temp_directory_path() / ("qvadmin-help-x11-" + std::to_string(::getpid()));
    fs::create_directories(program);
    fs::create_directory_symlink(fs::path(QV_SOURCE_DIR) / "admin/help", program / "QV_Admin");
    saved = forms::App().Path;
    forms::App().Path = program.string();
  }
  void TearDown() override {
    help::HtmlHelpA(win::kNoWindow, "", help::HH_CLOSE_ALL, 0);
    forms::App().Path = saved;
    fs::remove_all(program);
  }

  static std::shared_ptr<kvctl2::KVXHTML> View() {
    return std::dynamic_pointer_cast<kvctl2::KVXHTML>(help::HelpWindow::Instance()->Control("htmView"));
  }
  // The centre of the shown page's link to `href`, in the help window's
  // client area; false when the page has no such link on the screen.
  static bool LinkCentre(const std::string& href, win::POINT& point) {
    const std::shared_ptr<kvctl2::KVXHTML> view = View();
    return view && kvctl2::testing::LinkCentreIn(*view, help::HelpWindow::Instance()->hWnd(), href, point);
  }
  // Whether the screen shows the link's text in a link's blue.
  static bool DrawnAsLink(win::POINT centre) {
    const win::POINT origin = x11::ServerOrigin(help::HelpWindow::Instance()->hWnd());
    const win::RECT around{origin.x + centre.x - 30, origin.y + centre.y - 6, origin.x + centre.x + 30,
                           origin.y + centre.y + 6};
    for (uint32_t pixel : x11::ScreenPixels(around)) {
      const uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
      if (b > 150 && r < 100 && g < 100) return true;
    }
    return false;
  }

  fs::path program;
  std::string saved;
};

TEST_F(HelpOnDisplay, ContentsLinksAreDrawnAsLinksAndAClickShowsTheirPage) {
  ShowHelp(0, "Main");
  x11::Settle();
  const std::shared_ptr<help::HelpWindow> window = help::HelpWindow::Instance();
  ASSERT_TRUE(x11::IsShown(window->hWnd()));
  ASSERT_EQ(window->Page(), "index.html");
  gdi::OwnedBitmap shown(gdi::CaptureWindow(window->hWnd()));
  EXPECT_TRUE(gdi::SaveBitmapToPng(shown.Get(), rt::TestRenderPath("qvadmin-help-contents.png")));

  struct Case {
    const char* href;  // the link clicked on the page shown
    const char* page;  // the page shown then
  };
  for (const Case& c : {Case{"users.html", "users.html"}, Case{"index.html", "index.html"},
                        Case{"login.html", "login.html"}}) {
    win::POINT link{};
    ASSERT_TRUE(LinkCentre(c.href, link)) << window->Page() << " has no link to " << c.href;
    EXPECT_TRUE(DrawnAsLink(link)) << c.href << " on " << window->Page() << " is not drawn as a link";
    x11::Click(window->hWnd(), link);
    EXPECT_TRUE(x11::WaitUntil(3000, [&] {
      x11::Settle();
      return window->Page() == c.page;
    })) << "a click on " << c.href << " left " << window->Page();
  }
}

}  // namespace
}  // namespace qvadmin
