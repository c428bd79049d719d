// The surfaces of windows on a display. A top-level window shown on a
// screen (win/DisplayBackend.h) has no drawing surface of its own: its
// owner draws the client area, children included, into a bitmap (the
// window's back buffer) and presents it in one piece, so the window never
// shows half a paint. What the screen shows can be read back.
#pragma once

#include "gdi/Types.h"
#include "win/Types.h"

namespace gdi {

// Whether top-level windows are shown on a screen (false when headless).
bool HasWindowSurfaces();
// Shows the bitmap selected into `hdc` as the client area of the
// top-level window; false when the window is not shown on a screen.
bool PresentToWindow(win::HWND hWnd, HDC hdc);
// What the screen shows of the window's client area, as a new bitmap
// (delete it); a null handle when the window is not shown on a screen.
HBITMAP CaptureWindow(win::HWND hWnd);

}  // namespace gdi
