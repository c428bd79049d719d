#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "com/ControlFactory.h"
#include "com/UserControl.h"
#include "forms/Form.h"
#include "forms/controls/WebBrowser.h"
#include "inet/ScriptedHttpServer.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/MessageQueue.h"
#include "win/Window.h"

namespace forms {
namespace {

// A page view: keeps the source it is given and the mouse messages that
// reach its window.
class TestPageView : public com::UserControl {
 public:
  TestPageView() {
    DeclareEvents({"HyperlinkClick"});
    DefineProperty(
        "Text", [this] { return rt::Variant(text); }, [this](const rt::Variant& v) { text = v.ToString(); });
  }
  std::string ClassName() const override { return "TestPageView"; }
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override {
    if (msg >= win::WM_MOUSEMOVE && msg <= win::WM_MOUSEWHEEL) mouse.push_back(msg);
    return com::UserControl::HandleMessage(msg, wParam, lParam, result);
  }
  std::string text;
  std::vector<uint32_t> mouse;
};
com::ControlRegistration<TestPageView> registration{"Test.PageView"};

class WebBrowserTest : public ::testing::Test {
 protected:
  WebBrowserTest() {
    form->SetDesignText(
        "Begin Form frmBrowse\n ClientWidth = 6000\n ClientHeight = 4500\n"
        " Begin SHDocVwCtl.WebBrowser brw\n  Left = 0\n  Top = 0\n  Width = 6000\n  Height = 4500\n"
        "  PageView = \"Test.PageView\"\n End\nEnd\n");
    form->Show();
    browser = form->Get<WebBrowser>("brw");
    browser->Events().ConnectAll([this](std::string_view name, com::Args& args) {
      std::string line(name);
      if (name == "BeforeNavigate2" || name == "NavigateComplete2") line += " " + args.at(1).ToString();
      events.push_back(line);
      if (name == "BeforeNavigate2" && cancel) args.at(6) = true;
    });
    std::filesystem::create_directories(folder);
  }
  ~WebBrowserTest() override {
    form->Unload();
    std::filesystem::remove_all(folder);
  }
  TestPageView& View() { return static_cast<TestPageView&>(*browser->View()); }
  void Load(const std::string& address) {
    events.clear();
    browser->Navigate(address);
    win::DoEvents();
  }

  std::shared_ptr<Form> form = std::make_shared<Form>("frmBrowse");
  std::shared_ptr<WebBrowser> browser;
  std::vector<std::string> events;
  bool cancel = false;
  std::string folder = (std::filesystem::temp_directory_path() / "qvbrowser-test").string();
  inet::ScriptedHttpServer server;
};

TEST_F(WebBrowserTest, NavigationRunsLaterAndRaisesItsEventsInOrder) {
  const std::string page = folder + "/start";
  std::ofstream(page) << "<HTML><BODY>Hallo Gr\xFC\xDF" "e</BODY></HTML>";
  browser->Navigate(page);
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(browser->Busy());
  win::DoEvents();
  EXPECT_EQ(events, (std::vector<std::string>{"BeforeNavigate2 " + page, "CommandStateChange",
                                              "NavigateComplete2 file://" + page, "DownloadComplete"}));
  EXPECT_EQ(browser->LocationURL(), "file://" + page);
  // A page without a character set is read as Windows-1252.
  EXPECT_EQ(View().text, "<HTML><BODY>Hallo Grüße</BODY></HTML>");
  EXPECT_TRUE(browser->SetBodyAttribute("Scroll", "auto"));
  EXPECT_EQ(browser->DocumentHTML(), "<HTML><BODY Scroll=\"auto\">Hallo Grüße</BODY></HTML>");

  cancel = true;
  Load("about:blank");
  EXPECT_EQ(events, std::vector<std::string>{"BeforeNavigate2 about:blank"});
  EXPECT_EQ(browser->LocationURL(), "file://" + page);
  cancel = false;
  Load("about:blank");
  EXPECT_EQ(browser->LocationURL(), "about:blank");
  EXPECT_FALSE(browser->SetBodyAttribute("Scroll", "auto"));
}

TEST_F(WebBrowserTest, WebPagesAndTheErrorDocument) {
  server.Serve("/pages/ok.htm", "<P>served</P>");
  server.On("GET", "/pages/gone.htm", inet::Response(404, "<P>the server's own text</P>"));
  const std::string base = "127.0.0.1:" + std::to_string(server.Port()) + "/pages/";
  struct Case {
    std::string address, location, shows;
  };
  for (const Case& c : {Case{base + "ok.htm", "http://" + base + "ok.htm", "<P>served</P>"},
                        Case{"HTTP://" + base + "ok.htm", "HTTP://" + base + "ok.htm", "<P>served</P>"},
                        Case{base + "gone.htm", "http://" + base + "gone.htm", "(HTTP 404)"},
                        Case{folder + "/missing", "file://" + folder + "/missing", "The file cannot be found."}}) {
    SCOPED_TRACE(c.address);
    Load(c.address);
    EXPECT_EQ(browser->LocationURL(), c.location);
    EXPECT_NE(View().text.find(c.shows), std::string::npos) << View().text;
    EXPECT_EQ(View().text.find("ErrorPageTemplate") != std::string::npos, c.shows.front() != '<');
    EXPECT_EQ(events.back(), "DownloadComplete");
  }
  server.Stop();
  Load(base + "ok.htm");
  EXPECT_NE(View().text.find("Server not found"), std::string::npos);
}

TEST_F(WebBrowserTest, TheMouseReachesThePageWindowFirstAndThenTheView) {
  Load("about:blank");
  win::RECT r;
  win::GetWindowRect(browser->hWnd(), &r);
  const win::POINT inside{r.left + 40, r.top + 30};
  EXPECT_EQ(win::GetClassNameA(win::WindowFromPoint(inside)), kWebBrowserPageClass);
  win::RouteMouseMove(inside);
  win::RouteMouseButton(inside, win::MouseButton::Left, true);
  win::RouteMouseButton(inside, win::MouseButton::Left, false);
  EXPECT_EQ(View().mouse, (std::vector<uint32_t>{win::WM_MOUSEMOVE, win::WM_LBUTTONDOWN, win::WM_LBUTTONUP}));
}

TEST(WebAddressTest, LinksResolveAgainstTheirDocument) {
  struct Case {
    const char* base;
    const char* link;
    const char* resolved;
  };
  for (const Case& c : {Case{"http://h/v4/pages/a.htm", "b.htm", "http://h/v4/pages/b.htm"},
                        Case{"http://h/v4/pages/a.htm", "/x/c.htm", "http://h/x/c.htm"},
                        Case{"file:///prog/res/updwelcome", "updkontakt", "/prog/res/updkontakt"},
                        Case{"http://h/a.htm", "mailto:x@y", "mailto:x@y"},
                        Case{"http://h/a.htm", "https://o/p", "https://o/p"}}) {
    EXPECT_EQ(ResolveWebAddress(c.base, c.link), c.resolved) << c.base << " + " << c.link;
  }
}

}  // namespace
}  // namespace forms
