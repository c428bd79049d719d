#include "forms/docking/MenuPopup.h"

#include <algorithm>

#include "forms/AccessKeys.h"
#include "forms/ControlPainter.h"
#include "forms/docking/DockStudio.h"
#include "forms/docking/MenuTracker.h"
#include "win/Input.h"
#include "win/Messages.h"
#include "win/Window.h"

namespace forms {

namespace {
constexpr int kBorder = 3;
constexpr int kSeparatorHeight = 8;
constexpr int kIconColumn = 24;
constexpr int kArrowColumn = 20;
}  // namespace

MenuPopup::MenuPopup(MenuTracker& tracker, DockToolPtr menu) : m_tracker(tracker), m_menu(std::move(menu)) {
  DockStudio& dock = tracker.Dock();
  auto font = painter::DefaultFont();
  const int rowHeight = std::max(20, painter::LineHeight(font) + 6);
  for (const auto& tool : m_menu->Tools()) {
    if (!tool->Visible()) continue;
    if (tool->BeginGroup() && !m_entries.empty() && !m_entries.back().separator) {
      m_entries.push_back(Entry{nullptr, nullptr, {}, false, false, true});
    }
    if (tool->Type() == ToolType::WindowList) {
      const auto panes = dock.Panes();
      if (panes.empty()) {
        m_entries.push_back(Entry{tool, nullptr, tool->Caption(), false, false, false});
      }
      for (size_t i = 0; i < panes.size(); ++i) {
        const std::string number = i < 9 ? "&" + std::to_string(i + 1) + " " : std::to_string(i + 1) + " ";
        m_entries.push_back(Entry{tool, panes[i], number + panes[i]->Title(), true, panes[i] == dock.ActivePane(), false});
      }
      continue;
    }
    m_entries.push_back(Entry{tool, nullptr, tool->Caption(), tool->Enabled(), tool->Checked(), false});
  }
  int y = kBorder;
  int textWidth = 60;
  int shortcutWidth = 0;
  for (auto& e : m_entries) {
    const int h = e.separator ? kSeparatorHeight : rowHeight;
    e.rect = gdi::RECT{kBorder, y, 0, y + h};
    y += h;
    if (e.separator) continue;
    textWidth = std::max(textWidth, static_cast<int>(painter::MeasureText(e.caption, font, 0, true).cx));
    if (e.tool && !e.tool->Shortcut().empty()) {
      shortcutWidth = std::max(shortcutWidth, static_cast<int>(painter::MeasureText(e.tool->Shortcut(), font, 0, false).cx) + 24);
    }
  }
  m_width = kBorder + kIconColumn + 6 + textWidth + shortcutWidth + kArrowColumn + kBorder;
  m_height = y + kBorder;
  for (auto& e : m_entries) e.rect.right = m_width - kBorder;
}

void MenuPopup::SetHighlighted(int entry) {
  if (entry == m_highlighted) return;
  m_highlighted = entry;
  Invalidate();
}

int MenuPopup::EntryAt(win::POINT point) const {
  for (size_t i = 0; i < m_entries.size(); ++i) {
    const auto& r = m_entries[i].rect;
    if (!m_entries[i].separator && point.x >= 0 && point.x < m_width && point.y >= r.top && point.y < r.bottom) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int MenuPopup::NextEntry(int from, int step) const {
  const int count = static_cast<int>(m_entries.size());
  int i = from >= 0 ? from : (step > 0 ? -1 : count);
  for (int n = 0; n < count; ++n) {
    i = ((i + step) % count + count) % count;
    const auto& e = m_entries[static_cast<size_t>(i)];
    if (!e.separator && e.enabled) return i;
  }
  return -1;
}

int MenuPopup::EntryForAccessKey(char32_t letter) const {
  for (size_t i = 0; i < m_entries.size(); ++i) {
    const auto& e = m_entries[i];
    if (!e.separator && e.enabled && AccessKeyOf(e.caption) == letter) return static_cast<int>(i);
  }
  return -1;
}

void MenuPopup::Paint(gdi::HDC hdc, int width, int height) {
  painter::DrawPopupFrame(hdc, gdi::RECT{0, 0, width, height});
  auto font = painter::DefaultFont();
  for (size_t i = 0; i < m_entries.size(); ++i) {
    const auto& e = m_entries[i];
    if (e.separator) {
      painter::DrawMenuSeparator(hdc, e.rect);
      continue;
    }
    const bool popup = e.tool && e.tool->Type() == ToolType::Popup;
    painter::DrawMenuItem(hdc, e.rect, e.caption, e.tool && !e.pane ? e.tool->Shortcut() : std::string(),
                          e.tool && !e.pane ? e.tool->Icon() : nullptr, font, e.enabled,
                          static_cast<int>(i) == m_highlighted, e.checked, popup);
  }
}

bool MenuPopup::OnMessage(uint32_t msg, win::WPARAM, win::LPARAM lParam) {
  if (msg < win::WM_MOUSEMOVE || msg > win::WM_MBUTTONDBLCLK) return msg == win::WM_CAPTURECHANGED;
  win::POINT screen{win::GET_X_LPARAM(lParam), win::GET_Y_LPARAM(lParam)};
  win::ClientToScreen(hWnd(), &screen);
  m_tracker.Mouse(msg, screen);
  return true;
}

}  // namespace forms
