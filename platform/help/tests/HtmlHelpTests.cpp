// The help window on a scratch help folder (with a stand-in HTML view), and
// the program's own help pages: every context names a page, every link
// leads to one.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "com/ControlFactory.h"
#include "com/UserControl.h"
#include "forms/App.h"
#include "forms/Constants.h"
#include "forms/Form.h"
#include "gdi/FontBackend.h"
#include "help/HelpWindow.h"
#include "help/HtmlHelp.h"
#include "shell/ShellExecute.h"

namespace fs = std::filesystem;

namespace help {
namespace {

// An HTML view as the help window needs it: Text and HyperlinkClick.
class StandInView : public com::UserControl {
 public:
  StandInView() {
    DefineProperty(
        "Text", [this] { return rt::Variant(text); }, [this](const rt::Variant& v) { text = v.ToString(); });
  }
  std::string ClassName() const override { return "StandInView"; }
  void Click(const std::string& href) {
    com::Args args{"", href};
    RaiseEvent("HyperlinkClick", args);
  }
  std::string text;
};
const com::ControlRegistration<StandInView> registration{"Test.StandInView"};

void Write(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }

class Help : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi::UseFixedMetrics();
    HelpWindow::SetViewClass("Test.StandInView");
    folder = fs::temp_directory_path() / ("qv-help-" + std::to_string(::getpid())) / "QV_Admin";
    fs::create_directories(folder);
    Write(folder / "index.html", "<html><head><title>Contents</title></head><body><p>All pages</p></body></html>");
    Write(folder / "login.html", "<html><head><title>Login</title></head><body>Log on <a href=\"users.html\">users</a></body></html>");
    Write(folder / "users.html", "<html><body>Users</body></html>");
    Write(folder / "contexts.txt", "# context page\n1020 login.html\n1040 users.html\n1050 missing.html\n");
    helpFile = folder.parent_path() / "QV_Admin.chm";
  }
  void TearDown() override {
    HtmlHelpA(win::kNoWindow, "", HH_CLOSE_ALL, 0);
    fs::remove_all(folder.parent_path());
    forms::App().HelpFile.clear();
  }
  std::shared_ptr<StandInView> View() {
    return std::dynamic_pointer_cast<StandInView>(HelpWindow::Instance()->Control("htmView"));
  }
  fs::path folder;
  fs::path helpFile;
};

TEST_F(Help, ContextsOpenTheirPagesAndTheRestTheContents) {
  struct Case {
    int32_t context;
    std::string page;
  };
  for (const Case& c : std::vector<Case>{{1020, "login.html"}, {1040, "users.html"}, {1050, "index.html"},
                                         {7, "index.html"}}) {
    const win::HWND window = HtmlHelpA(win::kNoWindow, helpFile.string() + ">Main", HH_HELP_CONTEXT, c.context);
    ASSERT_NE(window, win::kNoWindow) << c.context;
    EXPECT_EQ(HelpWindow::Instance()->Page(), c.page) << c.context;
  }
  EXPECT_EQ(View()->text, "<p>All pages</p>");
  EXPECT_EQ(HelpWindow::Instance()->Caption(), "Contents");
  // A missing help folder shows nothing.
  EXPECT_EQ(HtmlHelpA(win::kNoWindow, "/nowhere/QV_Admin.chm>Main", HH_HELP_CONTEXT, 1020), win::kNoWindow);
}

TEST_F(Help, LinksStayInTheWindowOrGoToTheDesktop) {
  HtmlHelpA(win::kNoWindow, helpFile.string(), HH_HELP_CONTEXT, 1020);
  View()->Click("users.html#top");
  EXPECT_EQ(HelpWindow::Instance()->Page(), "users.html");
  HelpWindow::Instance()->GoBack();
  EXPECT_EQ(HelpWindow::Instance()->Page(), "login.html");
  shell::RecordingLauncher launcher;
  shell::ScopedLauncher scoped(launcher);
  View()->Click("https://example.org/help");
  ASSERT_EQ(launcher.requests.size(), 1u);
  EXPECT_EQ(launcher.requests[0].file, "https://example.org/help");
  EXPECT_EQ(HelpWindow::Instance()->Page(), "login.html");
}

TEST_F(Help, F1OpensTheHelpOfTheForm) {
  auto form = std::make_shared<forms::Form>("frmAny");
  form->SetDesignText("Begin Form frmAny\n   HelpContextID = 1040\nEnd\n");
  form->Show();
  forms::App().HelpFile = helpFile.string();
  form->KeyDown(forms::vbKeyF1);
  EXPECT_TRUE(HelpWindow::Instance()->Visible());
  EXPECT_EQ(HelpWindow::Instance()->Page(), "users.html");
  form->Unload();
}

TEST(HelpPages, EveryContextAndLinkOfTheProgramsPagesLeadsToAPage) {
  const fs::path pages = fs::path(QV_SOURCE_DIR) / "admin" / "help";
  std::ifstream contexts(pages / "contexts.txt");
  std::string line;
  int count = 0;
  while (std::getline(contexts, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    int32_t number = 0;
    std::string page;
    ASSERT_TRUE(fields >> number >> page) << line;
    EXPECT_EQ(PageOfContext(pages.string(), number), page) << line;
    ++count;
  }
  EXPECT_GE(count, 10);
  const std::regex link("href=\"([^\"#]+)");
  for (const auto& entry : fs::directory_iterator(pages)) {
    if (entry.path().extension() != ".html") continue;
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    const std::string html = text.str();
    for (std::sregex_iterator it(html.begin(), html.end(), link), end; it != end; ++it) {
      EXPECT_TRUE(fs::exists(pages / (*it)[1].str())) << entry.path().filename() << " -> " << (*it)[1];
    }
  }
}

}  // namespace
}  // namespace help
