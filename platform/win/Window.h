// Windows of the window layer: classes, creation and destruction, the
// parent/child tree, the window slots (procedure, styles, user data),
// window properties, text, position and size, visibility and enabled
// state, and sending a message through a window's current procedure.
//
// The layer keeps every window in memory; windows have no non-client area,
// so the client rectangle is the window rectangle (a display's frame lies
// around it). A display backend (DisplayBackend.h) shows the top-level
// windows. A top-level window's GWL_HWNDPARENT slot is its owner.
// All calls belong to the one user-interface thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "win/Messages.h"
#include "win/Types.h"

namespace win {

// Window slot indexes of GetWindowLongA / SetWindowLongA.
inline constexpr int GWL_WNDPROC = -4;
inline constexpr int GWL_HINSTANCE = -6;
inline constexpr int GWL_HWNDPARENT = -8;
inline constexpr int GWL_ID = -12;
inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;
inline constexpr int GWL_USERDATA = -21;

// Window styles.
inline constexpr uint32_t WS_OVERLAPPED = 0x00000000;
inline constexpr uint32_t WS_POPUP = 0x80000000;
inline constexpr uint32_t WS_CHILD = 0x40000000;
inline constexpr uint32_t WS_MINIMIZE = 0x20000000;
inline constexpr uint32_t WS_VISIBLE = 0x10000000;
inline constexpr uint32_t WS_DISABLED = 0x08000000;
inline constexpr uint32_t WS_CLIPSIBLINGS = 0x04000000;
inline constexpr uint32_t WS_CLIPCHILDREN = 0x02000000;
inline constexpr uint32_t WS_MAXIMIZE = 0x01000000;
inline constexpr uint32_t WS_CAPTION = 0x00C00000;
inline constexpr uint32_t WS_BORDER = 0x00800000;
inline constexpr uint32_t WS_DLGFRAME = 0x00400000;
inline constexpr uint32_t WS_VSCROLL = 0x00200000;
inline constexpr uint32_t WS_HSCROLL = 0x00100000;
inline constexpr uint32_t WS_SYSMENU = 0x00080000;
inline constexpr uint32_t WS_THICKFRAME = 0x00040000;
inline constexpr uint32_t WS_MINIMIZEBOX = 0x00020000;  // top-level windows
inline constexpr uint32_t WS_MAXIMIZEBOX = 0x00010000;  // top-level windows
inline constexpr uint32_t WS_TABSTOP = 0x00010000;      // child windows

// Extended window styles.
inline constexpr uint32_t WS_EX_DLGMODALFRAME = 0x00000001;
inline constexpr uint32_t WS_EX_NOPARENTNOTIFY = 0x00000004;
inline constexpr uint32_t WS_EX_TOPMOST = 0x00000008;
inline constexpr uint32_t WS_EX_TRANSPARENT = 0x00000020;
inline constexpr uint32_t WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr uint32_t WS_EX_WINDOWEDGE = 0x00000100;
inline constexpr uint32_t WS_EX_CLIENTEDGE = 0x00000200;
inline constexpr uint32_t WS_EX_CONTROLPARENT = 0x00010000;
inline constexpr uint32_t WS_EX_STATICEDGE = 0x00020000;
inline constexpr uint32_t WS_EX_APPWINDOW = 0x00040000;

// SetWindowPos flags.
inline constexpr uint32_t SWP_NOSIZE = 0x0001;
inline constexpr uint32_t SWP_NOMOVE = 0x0002;
inline constexpr uint32_t SWP_NOZORDER = 0x0004;
inline constexpr uint32_t SWP_NOREDRAW = 0x0008;
inline constexpr uint32_t SWP_NOACTIVATE = 0x0010;
inline constexpr uint32_t SWP_FRAMECHANGED = 0x0020;
inline constexpr uint32_t SWP_SHOWWINDOW = 0x0040;
inline constexpr uint32_t SWP_HIDEWINDOW = 0x0080;
inline constexpr uint32_t SWP_NOCOPYBITS = 0x0100;
inline constexpr uint32_t SWP_NOOWNERZORDER = 0x0200;
inline constexpr uint32_t SWP_NOSENDCHANGING = 0x0400;

// insertAfter values of SetWindowPos.
inline constexpr HWND HWND_TOP = HWND{0};
inline constexpr HWND HWND_BOTTOM = HWND{1};
inline constexpr HWND HWND_TOPMOST = HWND{-1};
inline constexpr HWND HWND_NOTOPMOST = HWND{-2};

// ShowWindow commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;

// Class styles: CS_DBLCLKS lets the class's windows receive double-click
// messages.
inline constexpr uint32_t CS_DBLCLKS = 0x0008;

// A window class: its name (compared without regard to case) and the
// procedure that new windows of the class start with.
struct WNDCLASSA {
  uint32_t style = 0;
  WNDPROC lpfnWndProc = nullptr;
  std::string lpszClassName;
};

// Registers a class; returns its atom, 0 when the name is empty, the
// procedure missing or the class already registered. The classes "STATIC",
// "BUTTON", "EDIT", "LISTBOX", "COMBOBOX" and "SCROLLBAR" exist from the
// start with the default procedure.
ATOM RegisterClassA(const WNDCLASSA& wc);
BOOL UnregisterClassA(std::string_view className);

// The default handling of a message: stores text on WM_SETTEXT, destroys
// the window on WM_CLOSE, answers TRUE to WM_NCCREATE and 0 otherwise.
LRESULT DefWindowProcA(HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam);

// Creates a window of a registered class: sends WM_NCCREATE (0 fails the
// creation), WM_NCCALCSIZE and WM_CREATE (-1 fails it) with a
// CREATESTRUCTA, then WM_SIZE and WM_MOVE. Returns 0
// for an unknown class, an invalid parent or a failed creation. A window
// with WS_VISIBLE is shown. `parent` is the parent of a WS_CHILD window and
// the owner of any other.
HWND CreateWindowExA(uint32_t exStyle, std::string_view className, std::string_view windowName, uint32_t style,
                     int x, int y, int width, int height, HWND parent, void* createParam = nullptr);

// Destroys the window and its children: WM_DESTROY goes to the window and
// then to each child (top-down), WM_NCDESTROY to each child and then to the
// window (bottom-up). During both messages the window is still valid and
// its properties readable; after its WM_NCDESTROY its properties, timers,
// posted messages, focus and capture are gone and the handle is invalid.
BOOL DestroyWindow(HWND hWnd);

BOOL IsWindow(HWND hWnd);
HWND GetParent(HWND hWnd);
// Changes the parent; returns the previous one, 0 on failure.
HWND SetParent(HWND hWnd, HWND newParent);
BOOL IsChild(HWND parent, HWND hWnd);
// The window's top-level window (GA_ROOT: itself when it is one; GA_PARENT:
// its parent, none for a top-level window); none for an invalid window.
inline constexpr uint32_t GA_PARENT = 1;
inline constexpr uint32_t GA_ROOT = 2;
HWND GetAncestor(HWND hWnd, uint32_t flags);
// Direct children in z-order (top first); 0 when there are none.
HWND GetWindow(HWND hWnd, uint32_t cmd);
inline constexpr uint32_t GW_HWNDFIRST = 0;
inline constexpr uint32_t GW_HWNDLAST = 1;
inline constexpr uint32_t GW_HWNDNEXT = 2;
inline constexpr uint32_t GW_HWNDPREV = 3;
inline constexpr uint32_t GW_OWNER = 4;
inline constexpr uint32_t GW_CHILD = 5;

// The class name of the window as registered; "" for an invalid window.
std::string GetClassNameA(HWND hWnd);

// Slots. SetWindowLongA returns the previous value; for an invalid window
// (or an unknown index) it returns 0 and changes nothing. GWL_WNDPROC
// replaces the procedure (refused, returning 0, for a window of another
// process or a null procedure), GWL_STYLE and GWL_EXSTYLE replace the whole
// style value.
LONG_PTR GetWindowLongA(HWND hWnd, int index);
LONG_PTR SetWindowLongA(HWND hWnd, int index, LONG_PTR newValue);

// Calls a window procedure given as a procedure or as a slot value; 0 when
// it is null.
LRESULT CallWindowProcA(WNDPROC proc, HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcA(LONG_PTR proc, HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam);

// Sends a message through the window's current procedure and returns its
// result; 0 for an invalid window.
LRESULT SendMessageA(HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam);

// Window properties: pointer-sized values under names compared without
// regard to case. SetPropA returns whether the value was stored; a missing
// property reads 0; RemovePropA returns the removed value (0 when missing).
BOOL SetPropA(HWND hWnd, std::string_view name, LONG_PTR value);
LONG_PTR GetPropA(HWND hWnd, std::string_view name);
LONG_PTR RemovePropA(HWND hWnd, std::string_view name);

// Window text, kept by the default procedure (WM_SETTEXT).
BOOL SetWindowTextA(HWND hWnd, std::string_view text);
std::string GetWindowTextA(HWND hWnd);

// Position and size. Rectangles of a child are relative to its parent's
// client area; GetWindowRect gives screen coordinates, GetClientRect
// (0, 0, width, height).
BOOL MoveWindow(HWND hWnd, int x, int y, int width, int height, BOOL repaint = TRUE);
// Honours SWP_NOMOVE, SWP_NOSIZE, SWP_NOZORDER, SWP_SHOWWINDOW,
// SWP_HIDEWINDOW and SWP_NOSENDCHANGING; HWND_TOPMOST and HWND_NOTOPMOST
// set and clear WS_EX_TOPMOST; SWP_FRAMECHANGED sends
// WM_NCCALCSIZE and counts a frame change (FrameChangeCount).
BOOL SetWindowPos(HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, uint32_t flags);
BOOL GetWindowRect(HWND hWnd, RECT* rect);
BOOL GetClientRect(HWND hWnd, RECT* rect);
BOOL ClientToScreen(HWND hWnd, POINT* pt);
BOOL ScreenToClient(HWND hWnd, POINT* pt);
// How many times the window's frame was recomputed through
// SWP_FRAMECHANGED; 0 for an invalid window.
int FrameChangeCount(HWND hWnd);

// Visibility: ShowWindow returns whether the window was visible before.
// SW_MINIMIZE and SW_SHOWMINIMIZED minimise a top-level window (WS_MINIMIZE),
// SW_SHOWMAXIMIZED maximises it (WS_MAXIMIZE), SW_SHOWNORMAL and SW_RESTORE
// give it its normal size back.
BOOL ShowWindow(HWND hWnd, int cmd);
BOOL IsIconic(HWND hWnd);
BOOL IsZoomed(HWND hWnd);
// Visible when the window and all its parents are.
BOOL IsWindowVisible(HWND hWnd);
// EnableWindow returns whether the window was disabled before.
BOOL EnableWindow(HWND hWnd, BOOL enable);
BOOL IsWindowEnabled(HWND hWnd);

// Painting: the headless backend has nothing to draw on; InvalidateRect
// marks the window for a WM_PAINT that the next pump delivers, UpdateWindow
// delivers it at once. A WM_PAINT paints the whole client area, so a
// window invalidated while it handles WM_PAINT is not marked again.
BOOL InvalidateRect(HWND hWnd, const RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND hWnd);

// Process and thread of a window. GetWindowThreadProcessId returns the
// thread id and stores the process id when `processId` is not null; 0 for
// an invalid window.
uint32_t GetWindowThreadProcessId(HWND hWnd, uint32_t* processId);
uint32_t GetCurrentProcessId();
uint32_t GetCurrentThreadId();

}  // namespace win
