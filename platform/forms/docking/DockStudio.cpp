#include "forms/docking/DockStudio.h"

#include <algorithm>

#include "com/ControlFactory.h"
#include "forms/Constants.h"
#include "forms/ControlPainter.h"
#include "forms/docking/MenuTracker.h"
#include "forms/docking/ToolTipPopup.h"
#include "gdi/Gdi.h"
#include "runtime/Strings.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/Messages.h"
#include "win/Timer.h"
#include "win/Window.h"

namespace forms {

namespace {

com::ControlRegistration<DockStudio> registration{"InnovaDSXP2.DockStudio", "DockStudio"};

constexpr win::UINT_PTR kToolTipTimer = 1;
constexpr uint32_t kToolTipDelayMs = 500;
constexpr int kToolButton = 23;
constexpr int kToolBarHeight = 28;
constexpr int kGrip = 8;
constexpr int kSeparator = 8;
constexpr int kSizeGrip = 16;

// The class name after the last ".", compared without regard to case.
bool IsKind(const DesignNode& node, std::string_view kind) {
  const size_t dot = node.className.rfind('.');
  const std::string name = dot == std::string::npos ? node.className : node.className.substr(dot + 1);
  return rt::StrComp(name, kind, rt::CompareMethod::Text) == 0;
}

std::string Lower(const rt::Variant& v) { return rt::LCase(v.ToString()); }

}  // namespace

DockStudio::DockStudio()
    : m_toolCollection(std::make_shared<DockCollection<DockTool>>("Tools", [this] { return m_tools; })),
      m_barCollection(std::make_shared<DockCollection<CommandBar>>("CommandBars", [this] { return m_bars; })),
      m_panelCollection(std::make_shared<DockCollection<StatusPanel>>("Panels", [this] { return m_allPanels; })) {
  DefineReadOnly("Tools", [this] { return com::ToVariant(m_toolCollection); });
  DefineReadOnly("CommandBars", [this] { return com::ToVariant(m_barCollection); });
  DefineReadOnly("Panels", [this] { return com::ToVariant(m_panelCollection); });
  DefineReadOnly("ActivePane", [this] { return com::ToVariant(ActivePane()); });
  DefineMethod("ShowForm", [this](com::Args& args) {
    auto form = com::AsObject<Form>(com::RequiredArg(args, 0));
    if (!form) rt::Raise(rt::errTypeMismatch, "DockStudio", "Type mismatch");
    return com::ToVariant(ShowForm(std::static_pointer_cast<Form>(form)));
  });
  DefineMethod("RecalcLayout", [this](com::Args&) {
    RecalcLayout();
    return rt::Variant();
  });
  DefineProperty(
      "Redraw", [this] { return rt::Variant(m_redraw); }, [this](const rt::Variant& v) { SetRedraw(v.ToBool()); },
      11);
  SetTabStop(false);
}

DockStudio::~DockStudio() = default;

void DockStudio::OnSited() {
  m_menus = std::make_unique<MenuTracker>(*this);
  m_toolTip = std::make_unique<ToolTipPopup>();
  RecalcLayout();
}

void DockStudio::OnUnsited() {
  if (m_menus) m_menus->CloseAll();
  m_menus.reset();
  m_toolTip.reset();
  // Forms still docked go with the window that holds them.
  for (const auto& pane : LivePanes()) {
    FormPtr form = pane->Form();
    if (!form || form->Unload()) continue;
    const win::HWND hwnd = form->hWnd();
    win::SetParent(hwnd, win::kNoWindow);
  }
  m_panes.clear();
}

// --- tools, bars and panels -------------------------------------------------

DockToolPtr DockStudio::FindTool(std::string_view key) const {
  for (const auto& tool : m_tools) {
    if (tool->Key() == key) return tool;
  }
  return nullptr;
}

DockToolPtr DockStudio::Tool(std::string_view key) const {
  DockToolPtr tool = FindTool(key);
  if (!tool) rt::Raise(errElementNotFound, "Tools", "Element not found");
  return tool;
}

std::shared_ptr<CommandBar> DockStudio::Bar(std::string_view key) const {
  for (const auto& bar : m_bars) {
    if (bar->Key() == key) return bar;
  }
  rt::Raise(errElementNotFound, "CommandBars", "Element not found");
}

std::shared_ptr<StatusPanel> DockStudio::Panel(std::string_view key) const {
  for (const auto& panel : m_allPanels) {
    if (panel->Key() == key) return panel;
  }
  rt::Raise(errElementNotFound, "Panels", "Element not found");
}

std::shared_ptr<CommandBar> DockStudio::AddBar(std::string key, BarType type) {
  auto bar = std::make_shared<CommandBar>(*this, std::move(key), type);
  m_bars.push_back(bar);
  RecalcLayout();
  return bar;
}

DockToolPtr DockStudio::ToolFor(std::string key) {
  if (DockToolPtr tool = FindTool(key)) return tool;
  auto tool = std::make_shared<DockTool>(*this, std::move(key));
  m_tools.push_back(tool);
  return tool;
}

DockToolPtr DockStudio::AddTool(CommandBar& bar, std::string key) {
  DockToolPtr tool = ToolFor(std::move(key));
  bar.AddTool(tool);
  RecalcLayout();
  return tool;
}

DockToolPtr DockStudio::AddTool(DockTool& popup, std::string key) {
  DockToolPtr tool = ToolFor(std::move(key));
  popup.SetType(ToolType::Popup);
  popup.AddTool(tool);
  return tool;
}

std::shared_ptr<StatusPanel> DockStudio::AddPanel(CommandBar& statusBar, std::string key) {
  auto panel = std::make_shared<StatusPanel>(*this, std::move(key));
  statusBar.AddPanel(panel);
  m_allPanels.push_back(panel);
  RecalcLayout();
  return panel;
}

void DockStudio::ReadTools(const std::vector<DesignNode>& nodes, CommandBar* bar, DockTool* popup) {
  for (const auto& node : nodes) {
    if (IsKind(node, "Panel") && bar) {
      auto panel = AddPanel(*bar, node.name);
      const auto& p = node.properties;
      panel->SetText(p.ReadProperty("Text", "").ToString());
      panel->SetWidth(p.ReadProperty("Width", 80).ToLong());
      panel->SetSpring(p.ReadProperty("Spring", false).ToBool());
      const std::string kind = Lower(p.ReadProperty("Kind", ""));
      panel->SetType(kind == "caps"   ? PanelType::CapsLock
                     : kind == "num"  ? PanelType::NumLock
                     : kind == "ins"  ? PanelType::Insert
                     : kind == "date" ? PanelType::Date
                                      : PanelType::Text);
      continue;
    }
    if (!IsKind(node, "Tool")) continue;
    const bool known = FindTool(node.name) != nullptr;
    DockToolPtr tool = popup ? AddTool(*popup, node.name) : AddTool(*bar, node.name);
    const auto& p = node.properties;
    // A tool shown again in another bar keeps what its first block said.
    if (!known || p.Count() > 0) {
      if (p.Contains("Caption")) tool->SetCaption(p.ReadProperty("Caption").ToString());
      if (p.Contains("Description")) tool->SetDescription(p.ReadProperty("Description").ToString());
      if (p.Contains("ToolTipText")) tool->SetToolTipText(p.ReadProperty("ToolTipText").ToString());
      if (p.Contains("Label")) tool->SetLabel(p.ReadProperty("Label").ToString());
      if (p.Contains("Text")) tool->SetText(p.ReadProperty("Text").ToString());
      if (p.Contains("Shortcut")) tool->SetShortcut(p.ReadProperty("Shortcut").ToString());
      if (p.Contains("Icon")) tool->SetIcon(com::AsObject<com::StdPicture>(p.ReadProperty("Icon")));
      if (p.Contains("Enabled")) tool->SetEnabled(p.ReadProperty("Enabled").ToBool());
      if (p.Contains("Checked")) tool->SetChecked(p.ReadProperty("Checked").ToBool());
      if (p.Contains("Visible")) tool->SetVisible(p.ReadProperty("Visible").ToBool());
      if (p.Contains("ShowCaption")) tool->SetShowCaption(p.ReadProperty("ShowCaption").ToBool());
      if (Lower(p.ReadProperty("Kind", "")) == "windowlist") tool->SetType(ToolType::WindowList);
    }
    tool->SetBeginGroup(p.ReadProperty("BeginGroup", tool->BeginGroup()).ToBool());
    if (!node.children.empty()) {
      tool->SetType(ToolType::Popup);
      ReadTools(node.children, nullptr, tool.get());
    }
  }
}

void DockStudio::ReadDesignChildren(const std::vector<DesignNode>& children) {
  m_redraw = false;
  for (const auto& node : children) {
    if (!IsKind(node, "CommandBar")) continue;
    const std::string type = Lower(node.properties.ReadProperty("Type", "ToolBar"));
    auto bar = AddBar(node.name, type == "menubar"     ? BarType::MenuBar
                                 : type == "statusbar" ? BarType::StatusBar
                                                       : BarType::ToolBar);
    bar->SetCaption(node.properties.ReadProperty("Caption", "").ToString());
    bar->SetVisible(node.properties.ReadProperty("Visible", true).ToBool());
    ReadTools(node.children, bar.get(), nullptr);
  }
  m_redraw = true;
  RecalcLayout();
}

void DockStudio::SetRedraw(bool redraw) {
  m_redraw = redraw;
  if (redraw) RecalcLayout();
}

void DockStudio::ToolChanged(const DockTool&) {
  if (!m_redraw) return;
  RecalcLayout();
}

void DockStudio::ClickTool(DockToolPtr tool) {
  if (!tool || !tool->Enabled() || !tool->Visible() || tool->Type() != ToolType::Button) return;
  auto keep = shared_from_this();
  com::Args args{com::ToVariant(tool)};
  RaiseEvent("ToolClick", args);
}

// --- document panes ----------------------------------------------------------

std::vector<std::shared_ptr<DocumentPane>> DockStudio::LivePanes() const {
  std::vector<std::shared_ptr<DocumentPane>> live;
  for (const auto& pane : m_panes) {
    if (pane->Form()) live.push_back(pane);
  }
  return live;
}

std::vector<std::shared_ptr<DocumentPane>> DockStudio::Panes() const { return LivePanes(); }

std::shared_ptr<DocumentPane> DockStudio::PaneOf(const Form& form) const {
  for (const auto& pane : LivePanes()) {
    if (pane->Form().get() == &form) return pane;
  }
  return nullptr;
}

std::shared_ptr<DocumentPane> DockStudio::ActivePane() const {
  auto active = m_active.lock();
  return active && active->Form() ? active : nullptr;
}

FormPtr DockStudio::ActiveForm() const {
  auto pane = ActivePane();
  return pane ? pane->Form() : nullptr;
}

std::shared_ptr<DocumentPane> DockStudio::ShowForm(const FormPtr& form) {
  form->Load();
  std::erase_if(m_panes, [](const auto& pane) { return !pane->Form(); });
  auto pane = PaneOf(*form);
  if (!pane) {
    // The form becomes a borderless child window of the document area.
    form->SetBorderStyle(vbBSNone);
    const win::HWND hwnd = form->hWnd();
    win::SetWindowLongA(hwnd, win::GWL_STYLE, win::GetWindowLongA(hwnd, win::GWL_STYLE) | win::WS_CHILD);
    win::SetParent(hwnd, hWnd());
    pane = std::make_shared<DocumentPane>(form);
    m_panes.push_back(pane);
  }
  ActivatePane(pane);
  return pane;
}

void DockStudio::ActivatePane(const std::shared_ptr<DocumentPane>& pane) {
  if (!pane || !pane->Form()) return;
  const bool changed = ActivePane() != pane;
  m_active = pane;
  RecalcLayout();
  pane->Form()->Show();
  if (changed) {
    com::Args args{com::ToVariant(pane)};
    RaiseEvent("ActivePaneChanged", args);
  }
}

void DockStudio::ArrangePanes() {
  const auto active = ActivePane();
  const gdi::RECT r = m_documentRect;
  for (const auto& pane : LivePanes()) {
    FormPtr form = pane->Form();
    form->Move(gdi::PixelsToTwipsX(r.left), gdi::PixelsToTwipsY(r.top),
               gdi::PixelsToTwipsX(std::max(0, static_cast<int>(r.right - r.left))),
               gdi::PixelsToTwipsY(std::max(0, static_cast<int>(r.bottom - r.top))));
    if (pane != active && form->Visible()) form->Hide();
  }
}

// --- layout --------------------------------------------------------------------

void DockStudio::RecalcLayout() {
  if (!m_redraw) return;
  Layout();
  ArrangePanes();
  Invalidate();
}

void DockStudio::Layout() {
  m_items.clear();
  m_panelRects.clear();
  m_hot = m_pressed = -1;
  auto font = painter::DefaultFont();
  const int lineHeight = painter::LineHeight(font);
  const int width = PixelWidth();
  const int height = PixelHeight();
  int y = 0;
  m_menuBarRect = m_toolRect = m_statusRect = gdi::RECT{};
  for (const auto& bar : m_bars) {
    if (bar->Type() != BarType::MenuBar || !bar->Visible()) continue;
    const int barHeight = lineHeight + 8;
    m_menuBarRect = gdi::RECT{0, y, width, y + barHeight};
    int x = 2;
    for (const auto& tool : bar->Tools()) {
      if (!tool->Visible()) continue;
      const int w = painter::MeasureText(tool->Caption(), font, 0, true).cx + 14;
      m_items.push_back(Item{tool, bar.get(), gdi::RECT{x, y + 2, x + w, y + barHeight - 2}, false});
      x += w;
    }
    y += barHeight;
    break;
  }
  // Tool bars side by side, in rows as wide as the control.
  const int toolTop = y;
  int x = 0;
  bool anyToolBar = false;
  for (const auto& bar : m_bars) {
    if (bar->Type() != BarType::ToolBar || !bar->Visible()) continue;
    std::vector<Item> row;
    int bx = kGrip + 2;
    for (const auto& tool : bar->Tools()) {
      if (!tool->Visible()) continue;
      if (tool->BeginGroup() && !row.empty()) {
        row.push_back(Item{nullptr, bar.get(), gdi::RECT{bx, 3, bx + kSeparator, kToolBarHeight - 3}, true});
        bx += kSeparator;
      }
      const bool icon = tool->Icon() && !tool->Icon()->IsEmpty();
      int w = kToolButton;
      if (!icon || tool->ShowCaption()) {
        w = painter::MeasureText(StripAccessKey(tool->Caption()), font, 0, false).cx + (icon ? kToolButton + 6 : 14);
      }
      row.push_back(Item{tool, bar.get(), gdi::RECT{bx, 3, bx + w, kToolBarHeight - 3}, false});
      bx += w;
    }
    if (row.empty()) continue;
    const int barWidth = bx + 4;
    if (x > 0 && x + barWidth > width) {
      x = 0;
      y += kToolBarHeight;
    }
    for (auto& item : row) {
      gdi::OffsetRect(&item.rect, x, y);
      m_items.push_back(item);
    }
    // The bar itself, for its grip and border: an item without tool.
    m_items.push_back(Item{nullptr, bar.get(), gdi::RECT{x, y, x + barWidth, y + kToolBarHeight}, false});
    x += barWidth;
    anyToolBar = true;
  }
  if (anyToolBar) y += kToolBarHeight;
  m_toolRect = gdi::RECT{0, toolTop, width, y};

  int bottom = height;
  for (const auto& bar : m_bars) {
    if (bar->Type() != BarType::StatusBar || !bar->Visible()) continue;
    const int barHeight = lineHeight + 8;
    m_statusRect = gdi::RECT{0, height - barHeight, width, height};
    bottom = m_statusRect.top;
    int fixed = 0;
    int springs = 0;
    for (const auto& panel : bar->Panels()) {
      if (panel->Spring())
        ++springs;
      else
        fixed += panel->Width() + 2;
    }
    const int free = std::max(0, width - kSizeGrip - fixed - 2);
    int px = 2;
    for (const auto& panel : bar->Panels()) {
      const int w = panel->Spring() ? free / std::max(1, springs) - 2 : panel->Width();
      m_panelRects.emplace_back(panel, gdi::RECT{px, m_statusRect.top + 2, px + w, height - 1});
      px += w + 2;
    }
    break;
  }
  m_tabRect = gdi::RECT{0, y, width, LivePanes().empty() ? y : y + lineHeight + 8};
  m_documentRect = gdi::RECT{2, m_tabRect.bottom + 2, width - 2, std::max(m_tabRect.bottom + 2, bottom - 2)};
}

int DockStudio::ItemAt(int x, int y) const {
  for (size_t i = 0; i < m_items.size(); ++i) {
    const Item& item = m_items[i];
    if (item.tool && !item.separator && gdi::PtInRect(item.rect, win::POINT{x, y})) return static_cast<int>(i);
  }
  return -1;
}

gdi::RECT DockStudio::ToolRect(std::string_view barKey, std::string_view toolKey) const {
  for (const auto& item : m_items) {
    if (item.tool && item.bar->Key() == barKey && item.tool->Key() == toolKey) return item.rect;
  }
  return {};
}

gdi::RECT DockStudio::PanelRect(std::string_view key) const {
  for (const auto& [panel, rect] : m_panelRects) {
    if (panel->Key() == key) return rect;
  }
  return {};
}

gdi::RECT DockStudio::PaneTabRect(const DocumentPane& pane) const {
  auto font = painter::DefaultFont();
  int x = 2;
  for (const auto& p : LivePanes()) {
    const int w = painter::MeasureText(p->Title(), font, 0, false).cx + 20;
    if (p.get() == &pane) return gdi::RECT{x, m_tabRect.top + 2, x + w, m_tabRect.bottom + 1};
    x += w;
  }
  return {};
}

std::vector<DockToolPtr> DockStudio::OpenMenus() const { return m_menus ? m_menus->OpenMenus() : std::vector<DockToolPtr>{}; }

std::string DockStudio::ShownToolTip() const { return m_toolTip && m_toolTip->IsOpen() ? m_toolTip->Text() : ""; }

// --- input -----------------------------------------------------------------

void DockStudio::SetHot(int item) {
  if (item == m_hot) return;
  m_hot = item;
  if (m_toolTip) m_toolTip->Close();
  if (hWnd() != win::kNoWindow) {
    win::KillTimer(hWnd(), kToolTipTimer);
    if (item >= 0) {
      win::SetTimer(hWnd(), kToolTipTimer, kToolTipDelayMs, nullptr);
      win::TRACKMOUSEEVENT track;
      track.dwFlags = win::TME_LEAVE;
      track.hwndTrack = hWnd();
      win::_TrackMouseEvent(&track);
    }
  }
  Invalidate();
}

void DockStudio::OpenMenu(int menuItem, bool selectFirst) {
  SetHot(-1);
  if (m_menus) m_menus->Open(menuItem, selectFirst);
}

bool DockStudio::OnAccessKey(char32_t letter) {
  for (size_t i = 0; i < m_items.size(); ++i) {
    const Item& item = m_items[i];
    if (!item.tool || item.bar->Type() != BarType::MenuBar || !item.tool->Enabled()) continue;
    if (letter == 0 || AccessKeyOf(item.tool->Caption()) == letter) {
      OpenMenu(static_cast<int>(i), true);
      return true;
    }
  }
  return false;
}

void DockStudio::KeyDown(int16_t& keyCode, int16_t shift) {
  if (m_menus && m_menus->IsOpen()) {
    // Open menus take every key.
    m_menus->KeyDown(static_cast<uint32_t>(keyCode));
    keyCode = 0;
    return;
  }
  com::Control::KeyDown(keyCode, shift);
}

void DockStudio::KeyPress(int16_t& keyAscii) {
  if (m_menus && m_menus->IsOpen()) {
    m_menus->KeyPress(static_cast<char32_t>(static_cast<uint16_t>(keyAscii)));
    keyAscii = 0;
    return;
  }
  com::Control::KeyPress(keyAscii);
}

bool DockStudio::HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) {
  const int x = win::GET_X_LPARAM(lParam);
  const int y = win::GET_Y_LPARAM(lParam);
  result = 0;
  switch (msg) {
    case win::WM_MOUSEMOVE: {
      const int item = ItemAt(x, y);
      SetHot(item >= 0 && m_items[static_cast<size_t>(item)].tool->Enabled() ? item : -1);
      return true;
    }
    case win::WM_MOUSELEAVE:
      SetHot(-1);
      return true;
    case win::WM_TIMER:
      if (wParam != kToolTipTimer) return false;
      win::KillTimer(hWnd(), kToolTipTimer);
      // Not while a modal window holds the input (its opening closed the
      // tooltip; the pointer may rest where it was).
      if (!win::IsWindowEnabled(win::GetAncestor(hWnd(), win::GA_ROOT))) return true;
      if (m_hot >= 0 && m_items[static_cast<size_t>(m_hot)].bar->Type() == BarType::ToolBar && m_pressed < 0) {
        const DockTool& tool = *m_items[static_cast<size_t>(m_hot)].tool;
        const std::string text = tool.ToolTipText().empty() ? StripAccessKey(tool.Caption()) : tool.ToolTipText();
        win::POINT at;
        win::GetCursorPos(&at);
        if (!text.empty()) m_toolTip->Show(hWnd(), at.x, at.y + 20, text);
      }
      return true;
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK: {
      if (m_toolTip) m_toolTip->Close();
      const int item = ItemAt(x, y);
      if (item >= 0) {
        const Item& it = m_items[static_cast<size_t>(item)];
        if (it.bar->Type() == BarType::MenuBar && it.tool->Enabled()) {
          OpenMenu(item, false);
        } else if (it.tool->Enabled()) {
          m_pressed = item;
          win::SetCapture(hWnd());
          Invalidate();
        }
        return true;
      }
      for (const auto& pane : LivePanes()) {
        if (gdi::PtInRect(PaneTabRect(*pane), win::POINT{x, y})) ActivatePane(pane);
      }
      return true;
    }
    case win::WM_LBUTTONUP: {
      if (m_pressed < 0) return true;
      const int pressed = m_pressed;
      m_pressed = -1;
      if (win::GetCapture() == hWnd()) win::ReleaseCapture();
      Invalidate();
      if (ItemAt(x, y) == pressed) ClickTool(m_items[static_cast<size_t>(pressed)].tool);
      return true;
    }
    case win::WM_CAPTURECHANGED:
      if (m_pressed >= 0) {
        m_pressed = -1;
        Invalidate();
      }
      return true;
    default:
      return false;
  }
}

// --- drawing -----------------------------------------------------------------

void DockStudio::Draw(gdi::HDC hdc, int x, int y) {
  painter::FillSolid(hdc, gdi::RECT{x, y, x + PixelWidth(), y + PixelHeight()}, gdi::SysColor(gdi::COLOR_BTNFACE));
  DrawBars(hdc, x, y);
  DrawDocuments(hdc, x, y);
  DrawStatusBar(hdc, x, y);
}

void DockStudio::DrawBars(gdi::HDC hdc, int x, int y) {
  auto font = painter::DefaultFont();
  const int openMenu = m_menus ? m_menus->MenuBarItem() : -1;
  for (size_t i = 0; i < m_items.size(); ++i) {
    const Item& item = m_items[i];
    gdi::RECT r = item.rect;
    gdi::OffsetRect(&r, x, y);
    if (item.bar->Type() == BarType::MenuBar) {
      const bool lit = static_cast<int>(i) == openMenu || (openMenu < 0 && static_cast<int>(i) == m_hot);
      painter::DrawMenuBarItem(hdc, r, item.tool->Caption(), font, item.tool->Enabled(), lit, true);
    } else if (item.separator) {
      painter::DrawToolSeparator(hdc, r);
    } else if (!item.tool) {
      painter::DrawBarGrip(hdc, r);
    } else {
      const bool hot = static_cast<int>(i) == m_hot && (m_pressed < 0 || m_pressed == m_hot);
      const bool pressed = static_cast<int>(i) == m_pressed && m_hot == m_pressed;
      const DockTool& tool = *item.tool;
      const bool icon = tool.Icon() && !tool.Icon()->IsEmpty();
      painter::DrawToolButton(hdc, r, tool.Icon(), !icon || tool.ShowCaption() ? StripAccessKey(tool.Caption()) : "",
                              font, tool.Enabled(), hot, pressed, tool.Checked());
    }
  }
}

void DockStudio::DrawDocuments(gdi::HDC hdc, int x, int y) {
  const auto panes = LivePanes();
  gdi::RECT area{x, y + m_tabRect.top, x + PixelWidth(), y + m_documentRect.bottom + 2};
  if (panes.empty()) {
    painter::FillSolid(hdc, area, gdi::SysColor(gdi::COLOR_APPWORKSPACE));
    return;
  }
  auto font = painter::DefaultFont();
  painter::DrawTabPage(hdc, gdi::RECT{area.left, y + m_tabRect.bottom, area.right, area.bottom});
  const auto active = ActivePane();
  for (int pass = 0; pass < 2; ++pass) {
    for (const auto& pane : panes) {
      if ((pane == active) != (pass == 1)) continue;
      gdi::RECT r = PaneTabRect(*pane);
      gdi::OffsetRect(&r, x, y);
      if (pane == active) {
        r.left -= 2;
        r.right += 2;
        r.top -= 2;
      }
      painter::DrawTab(hdc, r, pane->Title(), nullptr, font, pane == active, true, false);
    }
  }
  if (!active) return;
  FormPtr form = active->Form();
  gdi::OwnedBitmap picture = form->RenderToBitmap(false);
  gdi::OwnedDC source(gdi::CreateCompatibleDC());
  gdi::ScopedSelect<gdi::HBITMAP> select(source.Get(), picture.Get());
  const gdi::SIZE size = gdi::GetBitmapSize(picture.Get());
  gdi::BitBlt(hdc, x + m_documentRect.left, y + m_documentRect.top,
              std::min<int>(size.cx, m_documentRect.right - m_documentRect.left),
              std::min<int>(size.cy, m_documentRect.bottom - m_documentRect.top), source.Get(), 0, 0, gdi::SRCCOPY);
}

void DockStudio::DrawStatusBar(gdi::HDC hdc, int x, int y) {
  if (gdi::IsRectEmpty(m_statusRect)) return;
  auto font = painter::DefaultFont();
  for (const auto& [panel, rect] : m_panelRects) {
    gdi::RECT r = rect;
    gdi::OffsetRect(&r, x, y);
    painter::DrawStatusPanel(hdc, r, panel->ShownOn() ? panel->ShownText() : "", font);
  }
  gdi::RECT grip = m_statusRect;
  gdi::OffsetRect(&grip, x, y);
  painter::DrawSizeGrip(hdc, grip);
}

}  // namespace forms
