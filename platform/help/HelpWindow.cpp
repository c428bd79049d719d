#include "help/HelpWindow.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "forms/DesktopLink.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace help {

namespace {

const char* kDesign = R"FRM(Begin Form frmHelp
   Caption = "Help"
   ClientWidth = 7200
   ClientHeight = 6300
   Begin XtremeSuiteControls.PushButton cmdContents
      Caption = "&Contents"
      Left = 60
      Top = 60
      Width = 1200
      Height = 345
      TabIndex = 0
   End
   Begin XtremeSuiteControls.PushButton cmdBack
      Caption = "&Back"
      Enabled = False
      Left = 1320
      Top = 60
      Width = 1200
      Height = 345
      TabIndex = 1
   End
End
)FRM";

std::string& ViewClass() {
  static auto* progId = new std::string();
  return *progId;
}
constexpr int32_t kViewTop = 465;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The text between the first <tag...> and </tag>, without regard to case.
std::string Between(const std::string& html, const std::string& tag) {
  const std::string lower = rt::LCase(html);
  size_t open = lower.find("<" + tag);
  if (open == std::string::npos) return {};
  open = lower.find('>', open);
  const size_t close = lower.find("</" + tag, open);
  if (open == std::string::npos || close == std::string::npos) return {};
  return html.substr(open + 1, close - open - 1);
}

}  // namespace

HelpWindow::HelpWindow() : Form("frmHelp") {
  SetDesignText(kDesign);
  OnControlEvent("cmdContents", "Click", [this](int16_t, com::Args&) { Display("index.html"); });
  OnControlEvent("cmdBack", "Click", [this](int16_t, com::Args&) { GoBack(); });
}

void HelpWindow::SetViewClass(std::string progId) { ViewClass() = std::move(progId); }

std::shared_ptr<HelpWindow> HelpWindow::Instance() {
  static auto* window = new std::shared_ptr<HelpWindow>(std::make_shared<HelpWindow>());
  return *window;
}

void HelpWindow::Form_Load() {
  m_history.clear();
  m_view = nullptr;
  try {
    if (!ViewClass().empty()) m_view = AddControl(ViewClass(), "htmView");
  } catch (const rt::Error&) {
    m_view = nullptr;  // no such view in this program: the window stays empty
  }
  if (!m_view) return;
  m_view->SetVisible(true);
  m_view->SetTabIndex(2);
  // The view takes the mouse, and the pages' links are drawn as links and
  // followed on a click (set before the first page is shown).
  if (m_view->HasMember("Enabled")) m_view->Let("Enabled", true);
  if (m_view->HasMember("EnableAnchors")) m_view->Let("EnableAnchors", true);
  m_view->Events().Connect("HyperlinkClick", [this](com::Args& args) {
    if (args.size() >= 2) FollowLink(args[1].ToString());
  });
  Form_Resize();
}

void HelpWindow::Form_Resize() {
  if (m_view) m_view->Move(0, kViewTop, ScaleWidth(), std::max(0, ScaleHeight() - kViewTop));
}

void HelpWindow::ShowPage(const std::string& folder, const std::string& page) {
  Load();
  if (folder != m_folder) m_history.clear();
  m_folder = folder;
  Display(page);
}

void HelpWindow::Display(const std::string& page) {
  std::string html = ReadFile((std::filesystem::path(m_folder) / page).string());
  std::string shown = page;
  if (html.empty()) {
    // A page that cannot be read gives the contents.
    shown = "index.html";
    html = ReadFile((std::filesystem::path(m_folder) / shown).string());
  }
  if (!m_page.empty() && shown != m_page) m_history.push_back(m_page);
  m_page = shown;
  const std::string title = rt::Trim(Between(html, "title"));
  SetCaption(title.empty() ? "Help" : title);
  const std::string body = Between(html, "body");
  if (m_view) m_view->Let("Text", body.empty() ? html : body);
  Control("cmdBack")->SetEnabled(!m_history.empty());
}

std::string HelpWindow::ShownText() const { return m_view ? m_view->Get("Text").ToString() : std::string(); }

void HelpWindow::GoBack() {
  if (m_history.empty()) return;
  const std::string page = m_history.back();
  m_history.pop_back();
  m_page.clear();
  Display(page);
}

void HelpWindow::FollowLink(const std::string& href) {
  if (href.find("://") != std::string::npos || forms::IsMailLink(href)) {
    forms::OpenLinkOnDesktop(href);
    return;
  }
  const std::string page = href.substr(0, href.find('#'));
  if (!page.empty()) Display(std::filesystem::path(page).filename().string());
}

}  // namespace help
