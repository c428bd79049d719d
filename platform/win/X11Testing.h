// Helpers for tests and measurements that use real windows: a private X
// server for the process, input through the XTest extension, and another
// client of the same server for the clipboard. Production code never uses
// them.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win/Types.h"

namespace win::x11test {

// Xvfb on a free display (-displayfd), with -noreset so that it outlives
// its last client, stopped by its pid; `dpi` other than 96 is announced as
// the desktop's Xft.dpi. The process's display is this
// server while the object lives: the constructor selects the X11 backend
// on it, the destructor closes that connection and goes back to headless.
class PrivateServer {
 public:
  explicit PrivateServer(int width = 1280, int height = 1024, int dpi = 96);
  ~PrivateServer();
  PrivateServer(const PrivateServer&) = delete;
  PrivateServer& operator=(const PrivateServer&) = delete;

  // Whether the server runs and the backend uses it.
  bool Started() const { return m_started; }
  const std::string& Name() const { return m_name; }
  const std::string& Error() const { return m_error; }

 private:
  pid_t m_pid = -1;
  bool m_started = false;
  std::string m_name;
  std::string m_error;
};

// An X server of its own for a program that a test starts in another
// process (DISPLAY=Name()); the test can take it away (Kill) as the end of
// a session does. Stopped by its pid at the latest with the object.
class ServerForProgram {
 public:
  explicit ServerForProgram(int width = 1280, int height = 1024);
  ~ServerForProgram();
  ServerForProgram(const ServerForProgram&) = delete;
  ServerForProgram& operator=(const ServerForProgram&) = delete;

  bool Started() const { return m_pid > 0; }
  const std::string& Name() const { return m_name; }
  const std::string& Error() const { return m_error; }
  // Kills the server at once (SIGKILL): its clients lose their connection.
  void Kill();

 private:
  pid_t m_pid = -1;
  std::string m_name;
  std::string m_error;
};

// A window manager (openbox with its default configuration) on this
// process's display while the object lives: frames, focus and stacking as
// on a user's desktop. Stopped by its pid. Started() is false when it is not
// installed or did not take the display within 20 s.
class WindowManager {
 public:
  WindowManager();
  ~WindowManager();
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

  bool Started() const { return m_started; }

 private:
  pid_t m_pid = -1;
  bool m_started = false;
};

// The pointer to a point of a top-level window's client area.
void MovePointer(HWND hWnd, POINT client);
// Presses (and releases) a mouse button where the pointer is (1 left).
void PressButton(int button, bool down);
// Moves the pointer there and clicks the left button.
void Click(HWND hWnd, POINT client);
// Types the text into the window with the keyboard focus: each character
// through the key that the keyboard map gives it (with Shift where
// needed), a key of its own where the map has none. "\r", "\t", "\b" and
// "\x1b" are Enter, Tab, Backspace and Escape.
void TypeText(std::string_view utf8);

// Asks the window to close as a window manager's close button does
// (WM_DELETE_WINDOW).
void RequestClose(HWND hWnd);

// Presses and releases the key of an X key symbol (with Shift where the
// keyboard map needs it; a key of its own where the map has none).
void TapKeySymbol(unsigned long keysym);
// Holds a modifier key (XK_Alt_L, XK_Control_L, ...) while it taps the
// key, as a quick typist does: the four events reach the server at once,
// before the program has handled any of them.
void TapKeyWith(unsigned long modifier, unsigned long keysym);

// Lets the server handle everything sent so far, then the layer handle the
// events that follow and its pending messages (paint included), with what
// their handlers post, round by round (a bounded number of rounds).
void Settle();
// Settles again and again until `done` answers true or `ms` of wall time
// have passed: a window manager maps, frames and focuses windows in its own
// time, later on a loaded machine. Whether `done` answered true.
bool SettleUntil(const std::function<bool()>& done, int ms = 20000);
// Another client destroys the window's X window, as a window manager or
// another program can.
void DestroyFromOutside(HWND hWnd);
// Another client takes the keyboard focus away from the program's windows.
void FocusElsewhere();
// Whether the server shows the window.
bool IsShown(HWND hWnd);
// The top-left corner of the window's client area on the server's screen.
POINT ServerOrigin(HWND hWnd);
// Divides the screen into monitors (RandR), the first the primary one; a
// single rectangle gives the server's own monitor back.
void SetMonitors(const std::vector<RECT>& monitors);
// Whether the window bypasses the window manager (a pop-up).
bool IsOverrideRedirect(HWND hWnd);
// The names of the window's _NET_WM_STATE atoms ("_NET_WM_STATE_ABOVE", ...).
std::vector<std::string> WindowStates(HWND hWnd);
// The names of the atoms in a property of the window's X window
// ("_NET_WM_WINDOW_TYPE", "_NET_WM_ALLOWED_ACTIONS", ...).
std::vector<std::string> AtomsOf(HWND hWnd, const std::string& property);
// The top-level window that has the server's keyboard focus; 0 when none
// of the program's.
HWND FocusWindow();

// The name of the display this process uses (":5"); "" without one.
std::string DisplayName();

// Programs of other processes:
// the top-level window of the process that the server shows (the topmost
// one when there are several), found by its process id (_NET_WM_PID) on
// the named display ("": this process's display); 0 while none.
unsigned long ShownWindowOfProcess(pid_t pid, const std::string& display = "");
// The X window that has the server's keyboard focus, whoever's it is.
unsigned long FocusedXWindow();
// The top-left corner of an X window on the screen (of this process's
// display, as the functions below).
POINT ScreenOriginOf(unsigned long xid);
// The title of an X window (its UTF-8 _NET_WM_NAME); "" when it has none.
std::string TitleOf(unsigned long xid);
// Moves the pointer to a point of the screen and clicks the left button.
void ClickAtScreen(POINT screen);
// What the screen shows in the rectangle, as opaque ARGB pixels, row by row.
std::vector<uint32_t> ScreenPixels(RECT rect);

// Another client of the server: reads the CLIPBOARD selection as UTF-8
// text while this program answers its request.
std::optional<std::string> OtherClientReadsClipboard();
// Another client owns the CLIPBOARD selection with `text` while the object
// lives and answers requests for it.
class OtherClipboardOwner {
 public:
  explicit OtherClipboardOwner(std::string text);
  ~OtherClipboardOwner();
  OtherClipboardOwner(const OtherClipboardOwner&) = delete;
  OtherClipboardOwner& operator=(const OtherClipboardOwner&) = delete;

 private:
  struct Worker;
  std::unique_ptr<Worker> m_worker;
};

}  // namespace win::x11test
