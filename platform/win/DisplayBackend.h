// The display behind the window layer: one interface with two backends.
//
// The headless backend (HeadlessBackend.cpp) has no screen: windows live in
// the layer's memory only, the clipboard inside the process, and waiting
// for messages means waiting for the next timer. The X11 backend
// (X11Backend.cpp and the X11*.cpp beside it) shows every top-level window
// as a window of the X server, turns the server's events into the layer's
// input (InputRouting.h), and shows the layer's cursor (Cursor.h). Child
// windows are the layer's own in both: whoever paints a top-level window
// (a form) draws its children into its client area and presents that in
// one piece (gdi/WindowSurface.h).
//
// The backend is chosen once, on first use: the X11 backend when DISPLAY
// names a display that can be opened, else the headless one. Unit tests
// link a file that selects the headless backend before anything else, so
// they never open windows on a developer's display.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "win/Types.h"

namespace win {

class DisplayBackend {
 public:
  virtual ~DisplayBackend() = default;

  // Whether windows are shown on a screen.
  virtual bool HasScreen() const = 0;

  // What the layer tells the backend about top-level windows.
  virtual void WindowShown(HWND hWnd, int showCommand) = 0;  // a ShowWindow command (SW_HIDE hides)
  virtual void WindowDestroyed(HWND hWnd) = 0;
  virtual void WindowPlaced(HWND hWnd) = 0;    // position or size set by the program
  virtual void WindowRestyled(HWND hWnd) = 0;  // text, styles, owner or system menu changed
  virtual void WindowStacked(HWND hWnd, HWND insertAfter) = 0;
  virtual void WindowActivated(HWND hWnd) = 0;  // SetForegroundWindow
  // Brings the top-level window that another process shows on the same
  // screen to the front, with the keyboard focus; false when that process
  // shows none (or there is no screen).
  virtual bool ActivateWindowOfProcess(int32_t pid) = 0;
  // The window follows the pointer until the button is released (a press
  // on a caption area).
  virtual void BeginMoveDrag(HWND hWnd) = 0;
  // Shows the client area of a top-level window: `pixels` are 32-bit
  // premultiplied ARGB, `width` per row.
  virtual void Present(HWND hWnd, const uint32_t* pixels, int width, int height) = 0;
  // What the screen shows of the client area of a top-level window, as
  // opaque ARGB pixels; false when the window is not shown on a screen.
  virtual bool ReadBack(HWND hWnd, std::vector<uint32_t>& pixels, int& width, int& height) = 0;

  // Handles what the display has sent so far, without waiting; true when
  // there was something (the handling may have ended a modal loop).
  virtual bool ProcessPending() = 0;
  // Nothing is queued: waits for input or until the clock reaches
  // `timerDueMs`; calls `idle` when that is how something can arrive.
  // False when nothing can arrive any more.
  virtual bool Wait(std::optional<int64_t> timerDueMs, const std::function<bool()>& idle) = 0;

  // The monitors, the primary one first: each its rectangle on the screen
  // and the part of it that windows may use (without the desktop's
  // panels). The screen's resolution in dots per inch.
  struct Monitor {
    RECT area;
    RECT work;
  };
  virtual std::vector<Monitor> Monitors() = 0;
  virtual int Dpi() = 0;

  // The clipboard's text (nullopt: it holds no text).
  virtual void SetClipboardText(std::optional<std::string> text) = 0;
  virtual std::optional<std::string> ClipboardText() = 0;
};

// The backend of this process.
DisplayBackend& Display();
// Selects the headless backend; no effect once a backend is in use.
void UseHeadlessDisplay();
// Selects the X11 backend on the named display ("": DISPLAY); false, and
// nothing changed, when the display cannot be opened or a backend is
// already in use.
bool UseX11Display(const std::string& name = "");

}  // namespace win
