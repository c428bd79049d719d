// Window menus as far as programs here touch them: the system menu of a
// top-level window (its items can be removed, for instance to take away the
// Close command) and the foreground window.
#pragma once

#include <cstdint>
#include <string>

#include "win/Types.h"

namespace win {

enum class HMENU : int32_t {};

inline constexpr uint32_t MF_BYCOMMAND = 0x0000;
inline constexpr uint32_t MF_BYPOSITION = 0x0400;
inline constexpr uint32_t MF_STRING = 0x0000;
inline constexpr uint32_t MF_SEPARATOR = 0x0800;

inline constexpr uint32_t SC_SIZE = 0xF000;
inline constexpr uint32_t SC_MOVE = 0xF010;
inline constexpr uint32_t SC_MINIMIZE = 0xF020;
inline constexpr uint32_t SC_MAXIMIZE = 0xF030;
inline constexpr uint32_t SC_CLOSE = 0xF060;
inline constexpr uint32_t SC_RESTORE = 0xF120;

// The window's system menu; with `revert` TRUE the standard menu is put
// back and 0 returned. A window's first call gets the standard menu:
// Restore, Move, Size, Minimize, Maximize, a separator and Close.
HMENU GetSystemMenu(HWND hWnd, BOOL revert);
int GetMenuItemCount(HMENU menu);  // -1 for an invalid menu
// Command id of the item at a position; 0 for a separator, -1 when none.
int32_t GetMenuItemID(HMENU menu, int position);
std::string GetMenuStringA(HMENU menu, int position);
BOOL AppendMenuA(HMENU menu, uint32_t flags, uint32_t id, const std::string& text);
// Removes an item (by position or by command); DeleteMenu does the same
// here, since no sub-menus are kept.
BOOL RemoveMenu(HMENU menu, uint32_t item, uint32_t flags);
BOOL DeleteMenu(HMENU menu, uint32_t item, uint32_t flags);
// The flags of an item (by position or by command); -1 when there is none.
int32_t GetMenuState(HMENU menu, uint32_t item, uint32_t flags);
// Whether the window's system menu (still) offers Close: a display then
// lets the user close it and shows its close button enabled.
bool OffersClose(HWND hWnd);
// Redraws the window's menu bar and caption (a display's close button
// follows the system menu); counts the redraws, so tests can see the call.
BOOL DrawMenuBar(HWND hWnd);
int MenuBarDrawCount(HWND hWnd);

BOOL SetForegroundWindow(HWND hWnd);
HWND GetForegroundWindow();
// Brings the window that another running program (its process id) shows
// to the front; FALSE when it shows none on this display.
BOOL SetForegroundWindowOfProcess(int32_t pid);

}  // namespace win
