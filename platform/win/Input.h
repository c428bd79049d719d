// Focus, mouse capture, the cursor position and hit-testing of windows.
#pragma once

#include "win/Types.h"

namespace win {

// Moves the focus: WM_KILLFOCUS to the old window (wParam = new), then
// WM_SETFOCUS to the new one (wParam = old). Returns the old focus window;
// 0 and no change for an invalid window.
HWND SetFocus(HWND hWnd);
HWND GetFocus();

// Mouse capture; a change sends WM_CAPTURECHANGED (lParam = new capture)
// to the window that loses it.
HWND SetCapture(HWND hWnd);
HWND GetCapture();
BOOL ReleaseCapture();

// The cursor position in screen coordinates (moved only by SetCursorPos
// here).
BOOL GetCursorPos(POINT* pt);
BOOL SetCursorPos(int x, int y);

// The deepest visible, enabled window under the screen point: the top-most
// top-level window that contains it, then its top-most child that does. A
// disabled child is passed over (its parent is the answer); a disabled
// top-level window is still found.
HWND WindowFromPoint(POINT pt);

}  // namespace win
