#include "forms/docking/MenuTracker.h"

#include <algorithm>

#include "forms/AccessKeys.h"
#include "runtime/Strings.h"
#include "forms/docking/DockStudio.h"
#include "forms/docking/MenuPopup.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/Messages.h"
#include "win/Window.h"

namespace forms {

MenuTracker::MenuTracker(DockStudio& dock) : m_dock(dock) {}

MenuTracker::~MenuTracker() { m_levels.clear(); }

std::vector<DockToolPtr> MenuTracker::OpenMenus() const {
  std::vector<DockToolPtr> menus;
  for (const auto& level : m_levels) menus.push_back(level->Menu());
  return menus;
}

void MenuTracker::Open(int itemIndex, bool selectFirst) {
  const bool wasOpen = IsOpen();
  CloseFrom(0);
  const auto& item = m_dock.m_items[static_cast<size_t>(itemIndex)];
  if (!wasOpen) m_focusBefore = win::GetFocus();
  m_barItem = itemIndex;
  auto popup = std::make_unique<MenuPopup>(*this, item.tool);
  win::POINT at{item.rect.left, item.rect.bottom};
  win::ClientToScreen(m_dock.hWnd(), &at);
  popup->Open(m_dock.hWnd(), at.x, at.y, popup->NeededWidth(), popup->NeededHeight());
  if (selectFirst) popup->SetHighlighted(popup->NextEntry(-1, 1));
  m_levels.push_back(std::move(popup));
  // The menus take the keys and the mouse while they are open.
  if (win::GetFocus() != m_dock.hWnd()) win::SetFocus(m_dock.hWnd());
  win::SetCapture(m_levels.front()->hWnd());
  m_dock.Invalidate();
}

void MenuTracker::CloseFrom(size_t level) {
  while (m_levels.size() > level) {
    m_levels.back()->Close();
    m_levels.pop_back();
  }
  if (!m_levels.empty() && win::GetCapture() != m_levels.front()->hWnd()) win::SetCapture(m_levels.front()->hWnd());
}

void MenuTracker::CloseAll() {
  if (!IsOpen()) return;
  CloseFrom(0);
  m_barItem = -1;
  if (win::GetCapture() != win::kNoWindow) win::ReleaseCapture();
  const win::HWND focus = m_focusBefore;
  m_focusBefore = win::kNoWindow;
  if (focus != win::kNoWindow && win::IsWindow(focus)) win::SetFocus(focus);
  m_dock.Invalidate();
}

void MenuTracker::OpenSubMenu(size_t level) {
  MenuPopup& parent = *m_levels[level];
  const int entry = parent.Highlighted();
  if (entry < 0) return;
  const auto& e = parent.Entries()[static_cast<size_t>(entry)];
  if (!e.tool || e.tool->Type() != ToolType::Popup || !e.enabled) return;
  CloseFrom(level + 1);
  auto popup = std::make_unique<MenuPopup>(*this, e.tool);
  const win::POINT origin = parent.ScreenPosition();
  popup->Open(m_dock.hWnd(), origin.x + parent.Width() - 3, origin.y + e.rect.top - 3, popup->NeededWidth(),
              popup->NeededHeight());
  m_levels.push_back(std::move(popup));
}

void MenuTracker::Activate(size_t level, int entry) {
  MenuPopup& menu = *m_levels[level];
  if (entry < 0) return;
  const auto& e = menu.Entries()[static_cast<size_t>(entry)];
  if (e.separator || !e.enabled) return;
  menu.SetHighlighted(entry);
  if (e.tool && e.tool->Type() == ToolType::Popup) {
    OpenSubMenu(level);
    m_levels.back()->SetHighlighted(m_levels.back()->NextEntry(-1, 1));
    return;
  }
  Finish(e.tool, e.pane);
}

void MenuTracker::Finish(DockToolPtr tool, std::shared_ptr<DocumentPane> pane) {
  CloseAll();
  if (pane) {
    m_dock.ActivatePane(pane);
  } else if (tool) {
    m_dock.ClickTool(tool);
  }
}

int MenuTracker::LevelAt(win::POINT screen) const {
  for (size_t i = m_levels.size(); i-- > 0;) {
    const MenuPopup& p = *m_levels[i];
    const win::POINT at = p.ScreenPosition();
    if (screen.x >= at.x && screen.y >= at.y && screen.x < at.x + p.Width() && screen.y < at.y + p.Height()) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void MenuTracker::Mouse(uint32_t msg, win::POINT screen) {
  const int level = LevelAt(screen);
  if (level >= 0) {
    MenuPopup& menu = *m_levels[static_cast<size_t>(level)];
    win::POINT local = screen;
    local.x -= menu.ScreenPosition().x;
    local.y -= menu.ScreenPosition().y;
    const int entry = menu.EntryAt(local);
    if (msg == win::WM_MOUSEMOVE) {
      if (entry < 0) return;
      menu.SetHighlighted(entry);
      CloseFrom(static_cast<size_t>(level) + 1);
      if (menu.Entries()[static_cast<size_t>(entry)].tool &&
          menu.Entries()[static_cast<size_t>(entry)].tool->Type() == ToolType::Popup) {
        OpenSubMenu(static_cast<size_t>(level));
      }
    } else if (msg == win::WM_LBUTTONUP) {
      Activate(static_cast<size_t>(level), entry);
    }
    return;
  }
  // On the menu bar: the pointer opens another menu, a press on the open
  // one's item closes it.
  win::POINT local = screen;
  win::ScreenToClient(m_dock.hWnd(), &local);
  const int item = m_dock.ItemAt(local.x, local.y);
  const bool onMenuBar = item >= 0 && m_dock.m_items[static_cast<size_t>(item)].bar &&
                         m_dock.m_items[static_cast<size_t>(item)].bar->Type() == BarType::MenuBar;
  if (msg == win::WM_MOUSEMOVE) {
    if (onMenuBar && item != m_barItem) Open(item, false);
    return;
  }
  if (msg == win::WM_LBUTTONDOWN || msg == win::WM_RBUTTONDOWN) {
    if (!(onMenuBar && item == m_barItem)) {
      CloseAll();
      return;
    }
    CloseAll();
  }
}

bool MenuTracker::KeyDown(uint32_t key) {
  if (!IsOpen()) return false;
  MenuPopup& menu = *m_levels.back();
  const size_t level = m_levels.size() - 1;
  switch (key) {
    case win::VK_ESCAPE:
      if (level > 0)
        CloseFrom(level);
      else
        CloseAll();
      return true;
    case win::VK_UP:
    case win::VK_DOWN:
      menu.SetHighlighted(menu.NextEntry(menu.Highlighted(), key == win::VK_DOWN ? 1 : -1));
      return true;
    case win::VK_RETURN:
      Activate(level, menu.Highlighted());
      return true;
    case win::VK_RIGHT: {
      const int entry = menu.Highlighted();
      if (entry >= 0 && menu.Entries()[static_cast<size_t>(entry)].tool &&
          menu.Entries()[static_cast<size_t>(entry)].tool->Type() == ToolType::Popup) {
        Activate(level, entry);
        return true;
      }
      [[fallthrough]];
    }
    case win::VK_LEFT: {
      if (key == win::VK_LEFT && level > 0) {
        CloseFrom(level);
        return true;
      }
      // The next or previous menu of the menu bar.
      const auto& items = m_dock.m_items;
      const int step = key == win::VK_RIGHT ? 1 : -1;
      const int count = static_cast<int>(items.size());
      for (int n = 1; n < count; ++n) {
        const int i = ((m_barItem + step * n) % count + count) % count;
        if (items[static_cast<size_t>(i)].bar && items[static_cast<size_t>(i)].bar->Type() == BarType::MenuBar &&
            !items[static_cast<size_t>(i)].separator) {
          Open(i, true);
          break;
        }
      }
      return true;
    }
    default:
      return false;
  }
}

bool MenuTracker::KeyPress(char32_t character) {
  if (!IsOpen() || character < 32) return IsOpen();
  const size_t level = m_levels.size() - 1;
  const int entry = m_levels.back()->EntryForAccessKey(AccessKeyOf("&" + rt::ChrW(character)));
  if (entry >= 0) Activate(level, entry);
  return true;
}

}  // namespace forms
