// The open menus of a docking manager: the menu of a menu bar item and the
// sub-menus opened from it, each a pop-up. While menus are open they have
// the mouse and the keyboard: the pointer highlights entries (and opens a
// sub-menu, or on the menu bar another menu), a click chooses, a click
// elsewhere closes; Up and Down move, Right opens a sub-menu or the next
// menu, Left closes a sub-menu or opens the previous menu, Enter and an
// entry's access key choose, Escape closes. Choosing closes every menu,
// gives the focus back and then acts.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "forms/docking/DockTool.h"
#include "forms/docking/DocumentPane.h"
#include "win/Types.h"

namespace forms {

class DockStudio;
class MenuPopup;

class MenuTracker {
 public:
  explicit MenuTracker(DockStudio& dock);
  ~MenuTracker();

  // Opens the menu of the menu bar item at `itemIndex` of the dock's
  // layout; with `selectFirst` its first entry is highlighted.
  void Open(int itemIndex, bool selectFirst);
  void CloseAll();
  bool IsOpen() const { return !m_levels.empty(); }
  int MenuBarItem() const { return m_barItem; }
  std::vector<DockToolPtr> OpenMenus() const;
  // Keys while menus are open; true when used.
  bool KeyDown(uint32_t virtualKey);
  bool KeyPress(char32_t character);
  // A mouse message of the outermost menu, which has the mouse.
  void Mouse(uint32_t msg, win::POINT screen);
  // A level's pop-up asks for its entries' layout.
  DockStudio& Dock() { return m_dock; }

 private:
  void OpenSubMenu(size_t level);
  void CloseFrom(size_t level);
  void Activate(size_t level, int entry);
  // Takes copies: closing the menus ends the entries they come from.
  void Finish(DockToolPtr tool, std::shared_ptr<DocumentPane> pane);
  int LevelAt(win::POINT screen) const;

  DockStudio& m_dock;
  std::vector<std::unique_ptr<MenuPopup>> m_levels;
  int m_barItem = -1;
  win::HWND m_focusBefore = win::kNoWindow;
};

}  // namespace forms
