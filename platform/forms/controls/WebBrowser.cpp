#include "forms/controls/WebBrowser.h"

#include "com/ControlFactory.h"
#include "forms/DesktopLink.h"
#include "forms/controls/WebDocument.h"
#include "runtime/Strings.h"
#include "win/Cursor.h"
#include "win/Input.h"
#include "win/MessageQueue.h"
#include "win/Window.h"

namespace forms {

namespace {

com::ControlRegistration<WebBrowser> registration{"SHDocVwCtl.WebBrowser", "Shell.Explorer", "WebBrowser"};

// Posted to the browser's own window to run the navigation asked for last.
constexpr uint32_t WM_BROWSER_NAVIGATE = win::WM_USER + 0x2A1;
// The page margin in pixels, as a browser sets around a page's body.
constexpr int16_t kPageMargin = 10;

bool IsMouseMessage(uint32_t msg) {
  return msg == win::WM_SETCURSOR || (msg >= win::WM_MOUSEMOVE && msg <= win::WM_MOUSEWHEEL);
}

bool Contains(win::HWND hWnd, win::POINT screen) {
  win::RECT r;
  return win::IsWindowVisible(hWnd) && win::GetWindowRect(hWnd, &r) && screen.x >= r.left && screen.x < r.right &&
         screen.y >= r.top && screen.y < r.bottom;
}

// The deepest visible window below `root` (or `root` itself) that holds the
// point, whether `root` takes input or not.
win::HWND DeepestAt(win::HWND root, win::POINT screen) {
  if (!Contains(root, screen)) return win::kNoWindow;
  win::HWND found = root;
  for (win::HWND child = win::GetWindow(root, win::GW_CHILD); child != win::kNoWindow;) {
    if (Contains(child, screen) && win::IsWindowEnabled(child)) {
      found = child;
      child = win::GetWindow(child, win::GW_CHILD);
    } else {
      child = win::GetWindow(child, win::GW_HWNDNEXT);
    }
  }
  return found;
}

}  // namespace

WebBrowser::WebBrowser() {
  DeclareEvents({"BeforeNavigate2", "NavigateComplete2", "DownloadComplete", "CommandStateChange"});
  DefineProperty(
      "PageView", [this] { return rt::Variant(m_pageViewClass); },
      [this](const rt::Variant& v) { SetPageView(v.ToString()); });
  DefineReadOnly("LocationURL", [this] { return rt::Variant(m_location); });
  DefineReadOnly("Busy", [this] { return rt::Variant(m_pending); });
  DefineMethod("Navigate", [this](com::Args& args) {
    Navigate(com::OptionalArg(args, 0).ToString());
    return rt::Variant();
  });
}

WebBrowser::~WebBrowser() = default;

std::string WebBrowser::WindowClass() const { return ControlWindowClass(kWebBrowserPageClass, win::CS_DBLCLKS); }

void WebBrowser::SetPageView(std::string progId) {
  m_pageViewClass = std::move(progId);
  if (IsSited() && !m_view) CreateView();
}

void WebBrowser::OnSited() {
  com::UserControl::OnSited();
  if (!m_view && !m_pageViewClass.empty()) CreateView();
}

void WebBrowser::CreateView() {
  m_view = com::CreateControl(m_pageViewClass);
  m_view->InitProperties();
  // A browser keeps a margin between the window's edge and the page's text.
  if (m_view->HasMember("DefaultPadding")) m_view->Let("DefaultPadding", rt::Variant(kPageMargin));
  // The page takes the mouse (handed on by the page window below), and its
  // links are drawn as links and followed on a click.
  if (m_view->HasMember("Enabled")) m_view->Let("Enabled", true);
  if (m_view->HasMember("EnableAnchors")) m_view->Let("EnableAnchors", true);
  AddConstituent(m_view, "View");
  // The page window takes the mouse over the whole document and hands it on.
  if (m_view->hWnd() != win::kNoWindow) win::EnableWindow(m_view->hWnd(), win::FALSE);
  m_view->Events().Connect("HyperlinkClick", [this](com::Args& args) {
    const std::string href = com::OptionalArg(args, 1).ToString();
    if (!href.empty()) Navigate(ResolveWebAddress(m_location, href));
  });
  Resize();
  if (!m_document.empty()) m_view->Let("Text", m_document);
}

void WebBrowser::Resize() {
  if (m_view) m_view->Move(0, 0, Width(), Height());
}

void WebBrowser::Navigate(const std::string& url) {
  m_requested = url;
  m_pending = true;
  if (hWnd() != win::kNoWindow) win::PostMessageA(hWnd(), WM_BROWSER_NAVIGATE, 0, 0);
}

bool WebBrowser::HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) {
  if (msg == WM_BROWSER_NAVIGATE) {
    result = 0;
    RunNavigation();
    return true;
  }
  if (IsMouseMessage(msg) && ForwardMouse(msg, wParam, lParam, result)) return true;
  return com::UserControl::HandleMessage(msg, wParam, lParam, result);
}

void WebBrowser::RunNavigation() {
  // A navigation asked for meanwhile posted its own message: the first
  // message runs the latest request, the others find nothing to do.
  if (!m_pending) return;
  const std::shared_ptr<com::Dispatch> keep = shared_from_this();
  m_pending = false;
  const std::string requested = m_requested;
  com::Args before{com::ToVariant(keep), requested, 0, "", rt::Variant(), "", false};
  RaiseEvent("BeforeNavigate2", before);
  if (before.at(6).ToBool() || !IsSited()) return;
  // A mail link is written in the desktop's mail program; the page stays.
  if (IsMailLink(requested)) {
    OpenLinkOnDesktop(requested);
    return;
  }

  WebDocument doc = FetchWebDocument(requested);
  m_location = doc.location;
  ShowDocument(doc.html);

  com::Args state{CSC_UPDATECOMMANDS, true};
  RaiseEvent("CommandStateChange", state);
  com::Args complete{com::ToVariant(keep), m_location};
  RaiseEvent("NavigateComplete2", complete);
  RaiseEvent("DownloadComplete");
}

void WebBrowser::ShowDocument(const std::string& html) {
  m_document = html;
  if (m_view) m_view->Let("Text", html);
  Invalidate();
}

bool WebBrowser::SetBodyAttribute(const std::string& name, const std::string& value) {
  const size_t body = rt::InStr(m_document, "<body", rt::CompareMethod::Text);
  if (body == 0) return false;
  const size_t start = body - 1;
  const size_t end = m_document.find('>', start);
  if (end == std::string::npos) return false;
  std::string tag = m_document.substr(start, end - start + 1);
  // An attribute of that name goes first, then the new one is added.
  const std::string lower = rt::LCase(tag);
  const std::string key = " " + rt::LCase(name) + "=";
  if (size_t at = lower.find(key); at != std::string::npos) {
    size_t stop = at + key.size();
    if (stop < tag.size() && tag[stop] == '"') {
      stop = tag.find('"', stop + 1);
      stop = stop == std::string::npos ? tag.size() : stop + 1;
    } else {
      while (stop < tag.size() && tag[stop] != ' ' && tag[stop] != '>') ++stop;
    }
    tag.erase(at, stop - at);
  }
  tag.insert(tag.size() - 1, " " + name + "=\"" + value + "\"");
  m_document.replace(start, end - start + 1, tag);
  return true;
}

bool WebBrowser::ForwardMouse(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) {
  if (!m_view || m_view->hWnd() == win::kNoWindow) return false;
  // A cursor question that the view passed up to its parent is answered here.
  if (msg == win::WM_SETCURSOR && win::ToHwnd(static_cast<int32_t>(wParam)) != hWnd()) return false;
  win::POINT screen;
  if (msg == win::WM_SETCURSOR || msg == win::WM_MOUSEWHEEL) {
    win::GetCursorPos(&screen);
  } else {
    screen = win::POINT{win::GET_X_LPARAM(lParam), win::GET_Y_LPARAM(lParam)};
    win::ClientToScreen(hWnd(), &screen);
  }
  const win::HWND target = DeepestAt(m_view->hWnd(), screen);
  if (target == win::kNoWindow) return false;
  const std::shared_ptr<com::Dispatch> keep = shared_from_this();
  if (msg == win::WM_SETCURSOR) {
    result = win::SendMessageA(target, msg, static_cast<win::WPARAM>(win::ToInt(target)), lParam);
  } else if (msg == win::WM_MOUSEWHEEL) {
    result = win::SendMessageA(target, msg, wParam, lParam);
  } else {
    win::POINT client = screen;
    win::ScreenToClient(target, &client);
    result = win::SendMessageA(target, msg, wParam, win::MAKELPARAM(client.x, client.y));
  }
  return true;
}

void WebBrowser::ReadProperties(const com::PropertyBag& bag) {
  SetPageView(bag.ReadProperty("PageView", "").ToString());
}

void WebBrowser::WriteProperties(com::PropertyBag& bag) { bag.WriteProperty("PageView", m_pageViewClass, ""); }

std::string ResolveWebAddress(const std::string& base, const std::string& link) {
  const std::string lower = rt::LCase(link);
  if (lower.find("://") != std::string::npos || lower.starts_with("about:") || lower.starts_with("mailto:"))
    return link;
  if (link.starts_with("/")) {
    // The root of the base's server, or a local path.
    const size_t scheme = base.find("://");
    if (scheme == std::string::npos || base.starts_with("file://")) return link;
    const size_t hostEnd = base.find('/', scheme + 3);
    return base.substr(0, hostEnd) + link;
  }
  const size_t slash = base.rfind('/');
  std::string folder = slash == std::string::npos ? std::string() : base.substr(0, slash + 1);
  if (folder.starts_with("file://")) folder.erase(0, 7);
  return folder + link;
}

}  // namespace forms
