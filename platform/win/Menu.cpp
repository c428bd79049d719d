#include "win/Menu.h"

#include <map>
#include <vector>

#include "win/DisplayBackend.h"
#include "win/Window.h"

namespace win {

namespace {

struct MenuItem {
  uint32_t flags;
  uint32_t id;
  std::string text;
};

struct MenuData {
  HWND owner = kNoWindow;
  std::vector<MenuItem> items;
};

struct MenuState {
  std::map<int32_t, MenuData> menus;
  std::map<int32_t, int32_t> systemMenuOf;  // window -> menu
  std::map<int32_t, int> menuBarDraws;
  int32_t nextMenu = 0x100;
  HWND foreground = kNoWindow;
};

MenuState& Menus() {
  static MenuState state;
  return state;
}

std::vector<MenuItem> StandardSystemMenu() {
  return {{MF_STRING, SC_RESTORE, "&Restore"},   {MF_STRING, SC_MOVE, "&Move"},
          {MF_STRING, SC_SIZE, "&Size"},         {MF_STRING, SC_MINIMIZE, "Mi&nimize"},
          {MF_STRING, SC_MAXIMIZE, "Ma&ximize"}, {MF_SEPARATOR, 0, ""},
          {MF_STRING, SC_CLOSE, "&Close\tAlt+F4"}};
}

MenuData* FindMenu(HMENU menu) {
  auto& menus = Menus().menus;
  auto it = menus.find(static_cast<int32_t>(menu));
  if (it == menus.end() || !IsWindow(it->second.owner)) return nullptr;
  return &it->second;
}

// The index of an item given by position or by command, -1 when none.
int ItemIndex(const MenuData& m, uint32_t item, uint32_t flags) {
  if (flags & MF_BYPOSITION) return item < m.items.size() ? static_cast<int>(item) : -1;
  for (size_t i = 0; i < m.items.size(); ++i)
    if (!(m.items[i].flags & MF_SEPARATOR) && m.items[i].id == item) return static_cast<int>(i);
  return -1;
}

}  // namespace

HMENU GetSystemMenu(HWND hWnd, BOOL revert) {
  if (!IsWindow(hWnd)) return HMENU{};
  MenuState& s = Menus();
  auto key = ToInt(hWnd);
  auto it = s.systemMenuOf.find(key);
  if (revert) {
    if (it != s.systemMenuOf.end()) s.menus[it->second].items = StandardSystemMenu();
    return HMENU{};
  }
  if (it != s.systemMenuOf.end()) return HMENU{it->second};
  int32_t id = s.nextMenu++;
  s.menus[id] = MenuData{hWnd, StandardSystemMenu()};
  s.systemMenuOf[key] = id;
  return HMENU{id};
}

int GetMenuItemCount(HMENU menu) {
  MenuData* m = FindMenu(menu);
  return m ? static_cast<int>(m->items.size()) : -1;
}

int32_t GetMenuItemID(HMENU menu, int position) {
  MenuData* m = FindMenu(menu);
  if (!m || position < 0 || static_cast<size_t>(position) >= m->items.size()) return -1;
  const MenuItem& item = m->items[static_cast<size_t>(position)];
  return (item.flags & MF_SEPARATOR) ? 0 : static_cast<int32_t>(item.id);
}

std::string GetMenuStringA(HMENU menu, int position) {
  MenuData* m = FindMenu(menu);
  if (!m || position < 0 || static_cast<size_t>(position) >= m->items.size()) return {};
  return m->items[static_cast<size_t>(position)].text;
}

BOOL AppendMenuA(HMENU menu, uint32_t flags, uint32_t id, const std::string& text) {
  MenuData* m = FindMenu(menu);
  if (!m) return FALSE;
  m->items.push_back({flags, id, text});
  return TRUE;
}

BOOL RemoveMenu(HMENU menu, uint32_t item, uint32_t flags) {
  MenuData* m = FindMenu(menu);
  if (!m) return FALSE;
  int index = ItemIndex(*m, item, flags);
  if (index < 0) return FALSE;
  m->items.erase(m->items.begin() + index);
  return TRUE;
}

BOOL DeleteMenu(HMENU menu, uint32_t item, uint32_t flags) { return RemoveMenu(menu, item, flags); }

int32_t GetMenuState(HMENU menu, uint32_t item, uint32_t flags) {
  MenuData* m = FindMenu(menu);
  if (!m) return -1;
  int index = ItemIndex(*m, item, flags);
  return index < 0 ? -1 : static_cast<int32_t>(m->items[static_cast<size_t>(index)].flags & ~MF_BYPOSITION);
}

bool OffersClose(HWND hWnd) {
  if (!IsWindow(hWnd)) return false;
  auto it = Menus().systemMenuOf.find(ToInt(hWnd));
  // A window whose system menu was never asked for has the standard one.
  return it == Menus().systemMenuOf.end() || GetMenuState(HMENU{it->second}, SC_CLOSE, MF_BYCOMMAND) != -1;
}

BOOL DrawMenuBar(HWND hWnd) {
  if (!IsWindow(hWnd)) return FALSE;
  ++Menus().menuBarDraws[ToInt(hWnd)];
  Display().WindowRestyled(hWnd);
  return TRUE;
}

int MenuBarDrawCount(HWND hWnd) {
  auto& draws = Menus().menuBarDraws;
  auto it = draws.find(ToInt(hWnd));
  return it == draws.end() ? 0 : it->second;
}

BOOL SetForegroundWindow(HWND hWnd) {
  if (!IsWindow(hWnd)) return FALSE;
  Menus().foreground = hWnd;
  Display().WindowActivated(hWnd);
  return TRUE;
}

BOOL SetForegroundWindowOfProcess(int32_t pid) { return pid > 0 && Display().ActivateWindowOfProcess(pid); }

HWND GetForegroundWindow() {
  HWND w = Menus().foreground;
  return IsWindow(w) ? w : kNoWindow;
}

}  // namespace win
