// The X11 backend's connection and its top-level windows, shared by the
// backend's sources (X11Backend.cpp: windows and waiting; X11Events.cpp:
// the server's events; X11Clipboard.cpp: the CLIPBOARD selection) and the
// test helpers (X11Testing.cpp). Not for the layer's users.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo-xlib.h>
// X.h names a size class of XQueryBestSize so; the layer names its cursor
// shapes so.
#undef CursorShape

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "win/Cursor.h"
#include "win/DisplayBackend.h"

namespace win::detail {

// The X window that shows a top-level window of the layer.
struct X11Window {
  Window xid = 0;
  XIC ic = nullptr;
  cairo_surface_t* surface = nullptr;
  bool overrideRedirect = false;
  bool mapped = false;
  bool focusOnMap = false;
  // The geometry last asked of the server, in the layer's coordinates.
  RECT placed{};
};

class X11Backend final : public DisplayBackend {
 public:
  X11Backend(::Display* display);
  ~X11Backend() override;
  X11Backend(const X11Backend&) = delete;
  X11Backend& operator=(const X11Backend&) = delete;

  bool HasScreen() const override { return true; }
  void WindowShown(HWND hWnd, int showCommand) override;
  void WindowDestroyed(HWND hWnd) override;
  void WindowPlaced(HWND hWnd) override;
  void WindowRestyled(HWND hWnd) override;
  void WindowStacked(HWND hWnd, HWND insertAfter) override;
  void WindowActivated(HWND hWnd) override;
  bool ActivateWindowOfProcess(int32_t pid) override;  // X11OtherWindows.cpp
  void BeginMoveDrag(HWND hWnd) override;
  void Present(HWND hWnd, const uint32_t* pixels, int width, int height) override;
  bool ReadBack(HWND hWnd, std::vector<uint32_t>& pixels, int& width, int& height) override;
  bool ProcessPending() override;
  bool Wait(std::optional<int64_t> timerDueMs, const std::function<bool()>& idle) override;
  std::vector<Monitor> Monitors() override;
  int Dpi() override { return m_dpi; }
  void SetClipboardText(std::optional<std::string> text) override;
  std::optional<std::string> ClipboardText() override;

  ::Display* Connection() const { return m_display; }
  // The X window of a top-level window; 0 when it has none (yet).
  Window XWindowOf(HWND hWnd) const;
  // The layer's window shown by an X window; 0 when none.
  HWND WindowOfX(Window xid) const;
  // Waits up to `timeoutMs` of wall time for the connection to become
  // readable; false on time-out.
  bool WaitReadable(int timeoutMs);
  // Shows the layer's cursor on the program's windows (Cursor.h).
  void ShowCursor(HCURSOR cursor);

  // Atoms the backend uses.
  struct Atoms {
    Atom wmProtocols, wmDeleteWindow, wmState, netWmName, utf8String, netWmState, netWmStateAbove,
        netWmStateMaximizedVert, netWmStateMaximizedHorz, netWmStateHidden, netWmStateModal, netActiveWindow,
        netWmMoveResize, netWmWindowType, netWmWindowTypeNormal, netWmWindowTypeDialog, netWmPid, netWorkArea,
        netSupportingWmCheck, motifWmHints, clipboard, targets, text, clipboardProperty;
  };
  const Atoms& atom() const { return m_atoms; }

  // The connection broke (the server was killed, the session ended):
  // from now on nothing is sent to the server, and the program is told
  // that its session ended when it next looks for input.
  void MarkLost() { m_lost = true; }

 private:
  void HandleEvent(XEvent& event);
  void HandleConfigure(HWND hWnd, const XConfigureEvent& event);
  void HandleKey(HWND hWnd, XKeyEvent& event);
  void HandleButton(HWND hWnd, const XButtonEvent& event);
  void HandleFocus(HWND hWnd, const XFocusChangeEvent& event);
  void ReadKeyboardState();
  void HandleClientMessage(HWND hWnd, const XClientMessageEvent& event);
  void HandleProperty(HWND hWnd, const XPropertyEvent& event);
  void HandleSelectionRequest(const XSelectionRequestEvent& event);
  void HandleDestroyed(HWND hWnd);
  void EndSession();
  // Forgets the X window of a top-level window; false when it had none.
  bool Forget(HWND hWnd, bool destroy);
  X11Window* Ensure(HWND hWnd);
  X11Window* Find(HWND hWnd);
  void ApplyStyle(HWND hWnd, X11Window& w);
  void ApplyState(HWND hWnd, X11Window& w);
  void SendState(X11Window& w, bool add, Atom first, Atom second = 0);
  void Activate(X11Window& w);
  void PassActivationToOwner(HWND hWnd);
  bool HasWindowManager();
  POINT ScreenPoint(HWND hWnd, int x, int y) const;
  void DragWithoutWindowManager(HWND hWnd);
  // Moves the dragged window with a pointer event; false when no drag runs.
  bool FollowDrag(const XEvent& event);

  ::Display* m_display;
  int m_screen;
  Window m_root;
  XIM m_im = nullptr;
  int m_dpi = 96;
  Atoms m_atoms{};
  std::map<int32_t, X11Window> m_windows;
  std::map<Window, HWND> m_byXid;
  // Set while the layer follows what the server did, so that the change
  // is not sent back to it.
  bool m_following = false;
  Time m_lastEventTime = CurrentTime;
  // A window that follows the pointer without a window manager.
  struct Drag {
    HWND window = kNoWindow;
    POINT start;   // the pointer where the drag began
    POINT origin;  // the window's corner then
  };
  Drag m_drag;
  // The X cursors made for the layer's cursors, and the one shown.
  std::map<int32_t, Cursor> m_cursors;
  Cursor m_cursor = None;
  // The clipboard: a window of our own owns the selection.
  Window m_clipboardWindow = 0;
  std::optional<std::string> m_clipboard;
  bool m_lost = false;
  bool m_sessionEnded = false;
};

// The X11 backend in use; nullptr when the display is headless.
X11Backend* CurrentX11();

// The answer to a request for a selection that refuses it; setting its
// property grants it.
XEvent SelectionRefusal(const XSelectionRequestEvent& request);

// The pixels of an image read from the server, as opaque ARGB, row by row.
std::vector<uint32_t> OpaquePixels(XImage* image);

// The virtual-key code of a key symbol (0 when it has none).
uint32_t VirtualKeyOf(unsigned long keysym);

}  // namespace win::detail
