// The X11 backend: the connection, the X windows of top-level windows,
// presenting their pixels, and waiting for the server's events.
#include "win/X11Backend.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xresource.h>
#include <X11/extensions/Xrandr.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/Clock.h"
#include "win/Menu.h"
#include "win/Window.h"
#include "win/WindowState.h"
#include "win/X11Display.h"

namespace win::detail {

namespace {

X11Backend*& CurrentPointer() {
  static X11Backend* current = nullptr;
  return current;
}

// Requests that fail (focus on a window the server has not mapped yet, a
// window another client destroyed) are expected now and then; the default
// handler would end the program.
int IgnoreErrors(::Display*, XErrorEvent*) { return 0; }

// The server went away: Xlib reports it from whichever call noticed and
// would end the process there, in the middle of a request. The backend's
// connection is marked lost instead (X11Backend::MarkLost), and the
// program ends its own way.
int ConnectionBroken(::Display* display) {
  if (X11Backend* backend = CurrentPointer(); backend && backend->Connection() == display) backend->MarkLost();
  return 0;
}

// In place of Xlib's exit for the backend's connection: every further
// request on it fails at once, and the backend sends none.
void StayAfterConnectionBroken(::Display*, void*) {}

// The window manager's hints of a frame (_MOTIF_WM_HINTS).
struct MotifHints {
  unsigned long flags = 0;
  unsigned long functions = 0;
  unsigned long decorations = 0;
  long inputMode = 0;
  unsigned long status = 0;
};
constexpr unsigned long kMwmHintsFunctions = 1;
constexpr unsigned long kMwmHintsDecorations = 2;
constexpr unsigned long kMwmFuncResize = 2;
constexpr unsigned long kMwmFuncMove = 4;
constexpr unsigned long kMwmFuncMinimize = 8;
constexpr unsigned long kMwmFuncMaximize = 16;
constexpr unsigned long kMwmFuncClose = 32;
constexpr unsigned long kMwmDecorBorder = 2;
constexpr unsigned long kMwmDecorResizeHandle = 4;
constexpr unsigned long kMwmDecorTitle = 8;
constexpr unsigned long kMwmDecorMenu = 16;
constexpr unsigned long kMwmDecorMinimize = 32;
constexpr unsigned long kMwmDecorMaximize = 64;

constexpr long kNetWmStateRemove = 0;
constexpr long kNetWmStateAdd = 1;
constexpr long kNetWmMoveResizeMove = 8;

// A pop-up (menu, drop-down, tooltip) is not managed by the window manager.
bool IsPopup(const WindowData& w) { return (w.style & WS_POPUP) != 0 && (w.exStyle & WS_EX_TOOLWINDOW) != 0; }

bool HasFrame(uint32_t style) { return (style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME)) != 0; }

HWND TopLevelOf(HWND hWnd) {
  HWND top = hWnd;
  while (WindowData* w = Find(top)) {
    if ((w->style & WS_CHILD) == 0 || w->parent == kNoWindow) break;
    top = w->parent;
  }
  return top;
}

int ReadDpi(::Display* display) {
  const char* resources = XResourceManagerString(display);
  if (!resources) return 96;
  XrmInitialize();
  XrmDatabase db = XrmGetStringDatabase(resources);
  if (!db) return 96;
  char* type = nullptr;
  XrmValue value{};
  int dpi = 96;
  if (XrmGetResource(db, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
    const double read = std::atof(value.addr);
    if (read >= 48 && read <= 480) dpi = static_cast<int>(read + 0.5);
  }
  XrmDestroyDatabase(db);
  return dpi;
}

// Text input through the input method, so dead keys and composed
// characters arrive as text. The input method takes the character set of
// the locale it is opened in: a program that never chose a locale (the "C"
// locale) opens it in the user's locale, or else in C.UTF-8, and keeps its
// own locale.
XIM OpenInputMethod(::Display* display) {
  const char* current = setlocale(LC_CTYPE, nullptr);
  const std::string saved = current ? current : "C";
  const bool plain = saved == "C" || saved == "POSIX";
  if (plain) {
    const char* user = setlocale(LC_CTYPE, "");
    if (!user || !std::strstr(user, "UTF-8")) setlocale(LC_CTYPE, "C.UTF-8");
  }
  XIM im = nullptr;
  if (XSupportsLocale()) {
    XSetLocaleModifiers("");
    im = XOpenIM(display, nullptr, nullptr, nullptr);
  }
  if (plain) setlocale(LC_CTYPE, saved.c_str());
  return im;
}

}  // namespace

X11Backend* CurrentX11() { return CurrentPointer(); }

std::vector<uint32_t> OpaquePixels(XImage* image) {
  const auto channel = [](unsigned long pixel, unsigned long mask) -> uint32_t {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) ++shift;
    const unsigned long max = mask >> shift;
    return static_cast<uint32_t>(((pixel & mask) >> shift) * 255 / max);
  };
  std::vector<uint32_t> pixels(static_cast<size_t>(image->width) * static_cast<size_t>(image->height), 0);
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      pixels[static_cast<size_t>(y) * static_cast<size_t>(image->width) + static_cast<size_t>(x)] =
          0xFF000000u | (channel(p, image->red_mask) << 16) | (channel(p, image->green_mask) << 8) |
          channel(p, image->blue_mask);
    }
  }
  return pixels;
}

std::unique_ptr<DisplayBackend> CreateX11Backend(const std::string& name, std::string* error) {
  // The clipboard tests talk to the server from a second thread; Xlib
  // must know before the first connection.
  static const bool threads = XInitThreads() != 0;
  (void)threads;
  ::Display* display = XOpenDisplay(name.empty() ? nullptr : name.c_str());
  if (!display) {
    if (error) *error = "the X server does not answer";
    return nullptr;
  }
  return std::make_unique<X11Backend>(display);
}

X11Backend::X11Backend(::Display* display)
    : m_display(display), m_screen(DefaultScreen(display)), m_root(RootWindow(display, m_screen)) {
  XSetErrorHandler(&IgnoreErrors);
  XSetIOErrorHandler(&ConnectionBroken);
  XSetIOErrorExitHandler(display, &StayAfterConnectionBroken, nullptr);
  m_dpi = ReadDpi(display);
  static const char* names[] = {"WM_PROTOCOLS",
                                "WM_DELETE_WINDOW",
                                "WM_STATE",
                                "_NET_WM_NAME",
                                "UTF8_STRING",
                                "_NET_WM_STATE",
                                "_NET_WM_STATE_ABOVE",
                                "_NET_WM_STATE_MAXIMIZED_VERT",
                                "_NET_WM_STATE_MAXIMIZED_HORZ",
                                "_NET_WM_STATE_HIDDEN",
                                "_NET_WM_STATE_MODAL",
                                "_NET_ACTIVE_WINDOW",
                                "_NET_WM_MOVERESIZE",
                                "_NET_WM_WINDOW_TYPE",
                                "_NET_WM_WINDOW_TYPE_NORMAL",
                                "_NET_WM_WINDOW_TYPE_DIALOG",
                                "_NET_WM_PID",
                                "_NET_WORKAREA",
                                "_NET_SUPPORTING_WM_CHECK",
                                "_MOTIF_WM_HINTS",
                                "CLIPBOARD",
                                "TARGETS",
                                "TEXT",
                                "QV_CLIPBOARD"};
  static_assert(sizeof(names) / sizeof(names[0]) == sizeof(Atoms) / sizeof(Atom));
  XInternAtoms(display, const_cast<char**>(names), static_cast<int>(sizeof(names) / sizeof(names[0])), False,
               reinterpret_cast<Atom*>(&m_atoms));
  // Held keys repeat as presses only, as on the platform.
  XkbSetDetectableAutoRepeat(display, True, nullptr);
  m_im = OpenInputMethod(display);
  m_clipboardWindow = XCreateSimpleWindow(display, m_root, -10, -10, 1, 1, 0, 0, 0);
  XSelectInput(display, m_clipboardWindow, PropertyChangeMask);
  CurrentPointer() = this;
  SetCursorChangedHandler([this](HCURSOR cursor) { ShowCursor(cursor); });
}

X11Backend::~X11Backend() {
  if (CurrentPointer() == this) CurrentPointer() = nullptr;
  SetCursorChangedHandler(nullptr);
  // Without a server the windows, surfaces and cursors are gone with it;
  // releasing them would only send requests on a dead connection.
  if (m_lost) return;
  for (const auto& [handle, cursor] : m_cursors) XFreeCursor(m_display, cursor);
  for (auto& [handle, w] : m_windows) {
    if (w.surface) cairo_surface_destroy(w.surface);
    if (w.ic) XDestroyIC(w.ic);
    XDestroyWindow(m_display, w.xid);
  }
  if (m_im) XCloseIM(m_im);
  XDestroyWindow(m_display, m_clipboardWindow);
  XCloseDisplay(m_display);
}

X11Window* X11Backend::Find(HWND hWnd) {
  auto it = m_windows.find(ToInt(hWnd));
  return it == m_windows.end() ? nullptr : &it->second;
}

Window X11Backend::XWindowOf(HWND hWnd) const {
  auto it = m_windows.find(ToInt(hWnd));
  return it == m_windows.end() ? 0 : it->second.xid;
}

HWND X11Backend::WindowOfX(Window xid) const {
  auto it = m_byXid.find(xid);
  return it == m_byXid.end() ? kNoWindow : it->second;
}

bool X11Backend::HasWindowManager() {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool found = XGetWindowProperty(m_display, m_root, m_atoms.netSupportingWmCheck, 0, 1, False, XA_WINDOW, &type,
                                  &format, &count, &after, &data) == Success &&
               data && count == 1;
  if (data) XFree(data);
  return found;
}

X11Window* X11Backend::Ensure(HWND hWnd) {
  if (X11Window* existing = Find(hWnd)) return existing;
  WindowData* data = detail::Find(hWnd);
  if (!data) return nullptr;
  X11Window w;
  w.overrideRedirect = IsPopup(*data);
  XSetWindowAttributes attributes{};
  Visual* visual = DefaultVisual(m_display, m_screen);
  // The face colour of dialogs shows until the first paint.
  attributes.background_pixel = visual->c_class == TrueColor && DefaultDepth(m_display, m_screen) >= 24
                                    ? 0xF0F0F0
                                    : WhitePixel(m_display, m_screen);
  attributes.bit_gravity = NorthWestGravity;
  attributes.override_redirect = w.overrideRedirect ? True : False;
  attributes.event_mask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                          ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask | FocusChangeMask |
                          PropertyChangeMask;
  w.placed = RECT{data->x, data->y, data->x + std::max(1, data->width), data->y + std::max(1, data->height)};
  w.xid = XCreateWindow(m_display, m_root, data->x, data->y, static_cast<unsigned>(std::max(1, data->width)),
                        static_cast<unsigned>(std::max(1, data->height)), 0, CopyFromParent, InputOutput,
                        CopyFromParent, CWBackPixel | CWBitGravity | CWOverrideRedirect | CWEventMask, &attributes);
  Atom protocols[] = {m_atoms.wmDeleteWindow};
  XSetWMProtocols(m_display, w.xid, protocols, 1);
  const char* program = program_invocation_short_name;
  XClassHint classHint{const_cast<char*>(program), const_cast<char*>(program)};
  XSetClassHint(m_display, w.xid, &classHint);
  const long pid = static_cast<long>(getpid());
  XChangeProperty(m_display, w.xid, m_atoms.netWmPid, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pid), 1);
  if (m_im) {
    w.ic = XCreateIC(m_im, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, w.xid, XNFocusWindow,
                     w.xid, nullptr);
    long filterEvents = 0;
    if (w.ic && !XGetICValues(w.ic, XNFilterEvents, &filterEvents, nullptr)) {
      XSelectInput(m_display, w.xid, attributes.event_mask | filterEvents);
    }
  }
  if (m_cursor != None) XDefineCursor(m_display, w.xid, m_cursor);
  m_byXid[w.xid] = hWnd;
  X11Window& stored = m_windows[ToInt(hWnd)] = w;
  ApplyStyle(hWnd, stored);
  return &stored;
}

void X11Backend::ApplyStyle(HWND hWnd, X11Window& w) {
  WindowData* data = detail::Find(hWnd);
  if (!data || w.overrideRedirect) return;
  // Title, as UTF-8 for current window managers and as text for old ones.
  const std::string& title = data->text;
  XChangeProperty(m_display, w.xid, m_atoms.netWmName, m_atoms.utf8String, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
  XStoreName(m_display, w.xid, title.c_str());
  // An owned window stays above its owner.
  // Owned windows and dialog frames (message boxes, dialogs) are dialogs
  // to the window manager: no minimise and maximise, kept above their owner.
  // A dialog without an owner is transient for the program's windows as a
  // whole (the root window), which window managers read so.
  const Window owner = data->parent != kNoWindow ? XWindowOf(data->parent) : 0;
  const bool dialog = owner || (data->exStyle & WS_EX_DLGMODALFRAME) != 0;
  if (owner || dialog) {
    XSetTransientForHint(m_display, w.xid, owner ? owner : m_root);
  } else {
    XDeleteProperty(m_display, w.xid, XA_WM_TRANSIENT_FOR);
  }
  const Atom type = dialog ? m_atoms.netWmWindowTypeDialog : m_atoms.netWmWindowTypeNormal;
  XChangeProperty(m_display, w.xid, m_atoms.netWmWindowType, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&type), 1);
  // The frame: decorations where the window has a border; what the user
  // may do with it follows the styles and the system menu.
  const bool sizable = (data->style & WS_THICKFRAME) != 0;
  MotifHints hints;
  hints.flags = kMwmHintsFunctions | kMwmHintsDecorations;
  // The frame's buttons as well as the functions: some window managers
  // keep a minimise button that only the decorations take away.
  const bool minimizable = (data->style & WS_MINIMIZEBOX) != 0;
  const bool maximizable = sizable && (data->style & WS_MAXIMIZEBOX) != 0;
  hints.decorations = 0;
  if (HasFrame(data->style)) {
    hints.decorations = kMwmDecorBorder | kMwmDecorTitle | kMwmDecorMenu;
    if (sizable) hints.decorations |= kMwmDecorResizeHandle;
    if (minimizable) hints.decorations |= kMwmDecorMinimize;
    if (maximizable) hints.decorations |= kMwmDecorMaximize;
  }
  hints.functions = kMwmFuncMove;
  if (sizable) hints.functions |= kMwmFuncResize;
  if (minimizable) hints.functions |= kMwmFuncMinimize;
  if (maximizable) hints.functions |= kMwmFuncMaximize;
  if (OffersClose(hWnd)) hints.functions |= kMwmFuncClose;
  XChangeProperty(m_display, w.xid, m_atoms.motifWmHints, m_atoms.motifWmHints, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&hints), 5);
  // The window stands where the program put it (the client area's corner,
  // the frame around it); a fixed frame keeps its size.
  XSizeHints* size = XAllocSizeHints();
  size->flags = USPosition | PPosition | PWinGravity;
  size->win_gravity = StaticGravity;
  if (!sizable) {
    size->flags |= PMinSize | PMaxSize;
    size->min_width = size->max_width = std::max(1, data->width);
    size->min_height = size->max_height = std::max(1, data->height);
  }
  XSetWMNormalHints(m_display, w.xid, size);
  XFree(size);
}

// The states a window manager keeps (_NET_WM_STATE), set before the window
// is mapped; a mapped window's states change through SendState.
void X11Backend::ApplyState(HWND hWnd, X11Window& w) {
  WindowData* data = detail::Find(hWnd);
  if (!data || w.overrideRedirect || w.mapped) return;
  std::vector<Atom> states;
  if (data->exStyle & WS_EX_TOPMOST) states.push_back(m_atoms.netWmStateAbove);
  if (data->style & WS_MAXIMIZE) {
    states.push_back(m_atoms.netWmStateMaximizedVert);
    states.push_back(m_atoms.netWmStateMaximizedHorz);
  }
  if (data->parent != kNoWindow && !IsWindowEnabled(data->parent)) states.push_back(m_atoms.netWmStateModal);
  XChangeProperty(m_display, w.xid, m_atoms.netWmState, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(states.data()), static_cast<int>(states.size()));
  XWMHints* hints = XAllocWMHints();
  hints->flags = InputHint | StateHint;
  hints->input = True;
  hints->initial_state = (data->style & WS_MINIMIZE) ? IconicState : NormalState;
  XSetWMHints(m_display, w.xid, hints);
  XFree(hints);
}

void X11Backend::SendState(X11Window& w, bool add, Atom first, Atom second) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = w.xid;
  event.xclient.message_type = m_atoms.netWmState;
  event.xclient.format = 32;
  event.xclient.data.l[0] = add ? kNetWmStateAdd : kNetWmStateRemove;
  event.xclient.data.l[1] = static_cast<long>(first);
  event.xclient.data.l[2] = static_cast<long>(second);
  event.xclient.data.l[3] = 1;
  XSendEvent(m_display, m_root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

void X11Backend::Activate(X11Window& w) {
  if (!w.mapped) {
    w.focusOnMap = true;
    return;
  }
  w.focusOnMap = false;
  XRaiseWindow(m_display, w.xid);
  if (HasWindowManager()) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = w.xid;
    event.xclient.message_type = m_atoms.netActiveWindow;
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1;  // from an application
    event.xclient.data.l[1] = static_cast<long>(m_lastEventTime);
    XSendEvent(m_display, m_root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  } else {
    XSetInputFocus(m_display, w.xid, RevertToParent, CurrentTime);
  }
  XFlush(m_display);
}

void X11Backend::WindowShown(HWND hWnd, int showCommand) {
  if (m_lost) return;
  if (m_following) return;
  WindowData* data = detail::Find(hWnd);
  if (!data) return;
  if (showCommand == SW_HIDE) {
    PassActivationToOwner(hWnd);
    if (X11Window* w = Find(hWnd); w && w->mapped) {
      if (w->overrideRedirect) {
        XUnmapWindow(m_display, w->xid);
      } else {
        XWithdrawWindow(m_display, w->xid, m_screen);
      }
      w->mapped = false;
      XFlush(m_display);
    }
    return;
  }
  X11Window* w = Ensure(hWnd);
  if (!w) return;
  const bool activate = showCommand != SW_SHOWNA && showCommand != SW_SHOWNOACTIVATE && showCommand != SW_MINIMIZE &&
                        showCommand != SW_SHOWMINIMIZED && !w->overrideRedirect;
  if (!w->mapped) {
    ApplyState(hWnd, *w);
    XMapRaised(m_display, w->xid);
    // Mapped now as far as the layer is concerned; the server confirms it
    // with MapNotify, where the focus follows.
    w->mapped = true;
    w->focusOnMap = activate;
  } else if (showCommand == SW_MINIMIZE || showCommand == SW_SHOWMINIMIZED) {
    XIconifyWindow(m_display, w->xid, m_screen);
  } else {
    const bool maximize = (data->style & WS_MAXIMIZE) != 0;
    SendState(*w, maximize, m_atoms.netWmStateMaximizedVert, m_atoms.netWmStateMaximizedHorz);
    if (showCommand == SW_RESTORE || showCommand == SW_SHOWNORMAL || showCommand == SW_SHOWMAXIMIZED) {
      XMapRaised(m_display, w->xid);
    }
    if (activate) Activate(*w);
  }
  XFlush(m_display);
}

void X11Backend::WindowDestroyed(HWND hWnd) {
  if (!Find(hWnd)) return;
  if (!m_lost) PassActivationToOwner(hWnd);
  if (Forget(hWnd, true) && !m_lost) XFlush(m_display);
}

bool X11Backend::Forget(HWND hWnd, bool destroy) {
  auto it = m_windows.find(ToInt(hWnd));
  if (it == m_windows.end()) return false;
  X11Window& w = it->second;
  if (!m_lost) {
    if (w.surface) cairo_surface_destroy(w.surface);
    if (w.ic) XDestroyIC(w.ic);
    if (destroy) XDestroyWindow(m_display, w.xid);
  }
  m_byXid.erase(w.xid);
  m_windows.erase(it);
  return true;
}

// The window left the display although the program did not destroy it
// (another client or the window manager did): it is closed as by the
// platform's WM_CLOSE. A window that stays open (its program refused, or
// a pop-up) gets a new X window and shows again.
void X11Backend::HandleDestroyed(HWND hWnd) {
  X11Window* w = Find(hWnd);
  if (!w) return;
  const bool popup = w->overrideRedirect;
  Forget(hWnd, false);
  if (!popup) SendMessageA(hWnd, WM_CLOSE, 0, 0);
  if (IsWindow(hWnd) && IsWindowVisible(hWnd)) {
    WindowShown(hWnd, SW_SHOWNA);
    InvalidateRect(hWnd, nullptr, FALSE);
  }
}

// The display is gone, as at the end of the user's session: every
// top-level window is told so once (WM_ENDSESSION), so that the program
// closes its windows and ends as it does when the platform's session ends.
void X11Backend::EndSession() {
  if (m_sessionEnded) return;
  m_sessionEnded = true;
  std::fprintf(stderr, "%s: the connection to the display is lost; the program ends.\n",
               program_invocation_short_name);
  for (HWND hWnd : std::vector<HWND>(GetState().topLevel)) {
    if (IsWindow(hWnd)) SendMessageA(hWnd, WM_ENDSESSION, TRUE, 0);
  }
}

// As on the platform, the active window's owner becomes active when the
// window is hidden or destroyed, so the keyboard goes back to it.
void X11Backend::PassActivationToOwner(HWND hWnd) {
  if (GetForegroundWindow() != hWnd) return;
  WindowData* data = detail::Find(hWnd);
  const HWND owner = data ? data->parent : kNoWindow;
  if (owner != kNoWindow && IsWindowVisible(owner) && Find(owner)) SetForegroundWindow(owner);
}

void X11Backend::WindowPlaced(HWND hWnd) {
  if (m_lost) return;
  if (m_following) return;
  X11Window* w = Find(hWnd);
  WindowData* data = detail::Find(hWnd);
  if (!w || !data) return;
  const RECT rect{data->x, data->y, data->x + std::max(1, data->width), data->y + std::max(1, data->height)};
  const bool sized = rect.right - rect.left != w->placed.right - w->placed.left ||
                     rect.bottom - rect.top != w->placed.bottom - w->placed.top;
  w->placed = rect;
  if (sized) ApplyStyle(hWnd, *w);  // a fixed frame's size hints
  XMoveResizeWindow(m_display, w->xid, rect.left, rect.top, static_cast<unsigned>(rect.right - rect.left),
                    static_cast<unsigned>(rect.bottom - rect.top));
  XFlush(m_display);
}

void X11Backend::WindowRestyled(HWND hWnd) {
  if (m_lost) return;
  if (X11Window* w = Find(TopLevelOf(hWnd))) {
    ApplyStyle(TopLevelOf(hWnd), *w);
    XFlush(m_display);
  }
}

void X11Backend::WindowStacked(HWND hWnd, HWND insertAfter) {
  if (m_lost) return;
  X11Window* w = Find(hWnd);
  if (!w) return;
  if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
    const bool above = insertAfter == HWND_TOPMOST;
    if (w->mapped && !w->overrideRedirect) {
      SendState(*w, above, m_atoms.netWmStateAbove);
    } else {
      ApplyState(hWnd, *w);
    }
    // Without a window manager nobody keeps the band: raise it now.
    if (above) XRaiseWindow(m_display, w->xid);
  } else if (insertAfter == HWND_TOP) {
    XRaiseWindow(m_display, w->xid);
  } else if (insertAfter == HWND_BOTTOM) {
    XLowerWindow(m_display, w->xid);
  }
  XFlush(m_display);
}

void X11Backend::WindowActivated(HWND hWnd) {
  if (m_lost) return;
  if (m_following) return;
  const HWND top = TopLevelOf(hWnd);
  X11Window* w = Find(top);
  if (!w || w->overrideRedirect) return;
  Activate(*w);
  // Like the platform, the program's own window is active at once; the
  // server's focus follows (FocusIn repeats it, which changes nothing).
  SendMessageA(top, WM_ACTIVATE, WA_ACTIVE, 0);
}

void X11Backend::BeginMoveDrag(HWND hWnd) {
  if (m_lost) return;
  X11Window* w = Find(hWnd);
  if (!w || !w->mapped) return;
  Window rootReturn = 0, child = 0;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned int mask = 0;
  XQueryPointer(m_display, w->xid, &rootReturn, &child, &rootX, &rootY, &x, &y, &mask);
  if ((mask & Button1Mask) == 0) return;
  if (!HasWindowManager()) {
    DragWithoutWindowManager(hWnd);
    return;
  }
  // The window manager moves the window until the button is released.
  XUngrabPointer(m_display, CurrentTime);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = w->xid;
  event.xclient.message_type = m_atoms.netWmMoveResize;
  event.xclient.format = 32;
  event.xclient.data.l[0] = rootX;
  event.xclient.data.l[1] = rootY;
  event.xclient.data.l[2] = kNetWmMoveResizeMove;
  event.xclient.data.l[3] = Button1;
  event.xclient.data.l[4] = 1;
  XSendEvent(m_display, m_root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(m_display);
}

// Without a window manager the window follows the pointer itself, as the
// platform's move loop does, until the left button is released: the
// pointer is grabbed and its events move the window (X11Events.cpp).
void X11Backend::DragWithoutWindowManager(HWND hWnd) {
  X11Window* w = Find(hWnd);
  Window rootReturn = 0, child = 0;
  int x = 0, y = 0;
  unsigned int mask = 0;
  m_drag = Drag{hWnd, {}, {}};
  XQueryPointer(m_display, w->xid, &rootReturn, &child, &m_drag.start.x, &m_drag.start.y, &x, &y, &mask);
  RECT origin;
  GetWindowRect(hWnd, &origin);
  m_drag.origin = POINT{origin.left, origin.top};
  XGrabPointer(m_display, w->xid, False, ButtonReleaseMask | PointerMotionMask, GrabModeAsync, GrabModeAsync, None,
               None, CurrentTime);
  XFlush(m_display);
}

bool X11Backend::FollowDrag(const XEvent& event) {
  if (m_drag.window == kNoWindow || (event.type != MotionNotify && event.type != ButtonRelease)) return false;
  const Drag drag = m_drag;
  const HWND hWnd = drag.window;
  const int rootX = event.type == MotionNotify ? event.xmotion.x_root : event.xbutton.x_root;
  const int rootY = event.type == MotionNotify ? event.xmotion.y_root : event.xbutton.y_root;
  if (event.type == ButtonRelease) {
    m_drag = Drag{};
    XUngrabPointer(m_display, CurrentTime);
  }
  if (IsWindow(hWnd)) {
    SetWindowPos(hWnd, kNoWindow, drag.origin.x + rootX - drag.start.x, drag.origin.y + rootY - drag.start.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}

void X11Backend::Present(HWND hWnd, const uint32_t* pixels, int width, int height) {
  if (m_lost) return;
  X11Window* w = Find(hWnd);
  if (!w || !pixels || width <= 0 || height <= 0) return;
  if (!w->surface) {
    w->surface = cairo_xlib_surface_create(m_display, w->xid, DefaultVisual(m_display, m_screen), width, height);
  } else {
    cairo_xlib_surface_set_size(w->surface, width, height);
  }
  cairo_surface_t* image = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(pixels)), CAIRO_FORMAT_ARGB32, width, height, width * 4);
  cairo_t* cr = cairo_create(w->surface);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, image, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(image);
  cairo_surface_flush(w->surface);
  XFlush(m_display);
}

bool X11Backend::ReadBack(HWND hWnd, std::vector<uint32_t>& pixels, int& width, int& height) {
  if (m_lost) return false;
  X11Window* w = Find(hWnd);
  if (!w || !w->mapped) return false;
  XSync(m_display, False);
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(m_display, w->xid, &attributes) || attributes.map_state != IsViewable) return false;
  XImage* image = XGetImage(m_display, w->xid, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (!image) return false;
  width = attributes.width;
  height = attributes.height;
  pixels = OpaquePixels(image);
  XDestroyImage(image);
  return true;
}

bool X11Backend::ProcessPending() {
  bool handled = false;
  while (!m_lost && XPending(m_display) > 0) {
    XEvent event;
    XNextEvent(m_display, &event);
    HandleEvent(event);
    handled = true;
  }
  if (m_lost && !m_sessionEnded) {
    EndSession();
    handled = true;
  }
  return handled;
}

bool X11Backend::WaitReadable(int timeoutMs) {
  pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
  for (;;) {
    const int ready = poll(&fd, 1, timeoutMs);
    if (ready >= 0 || errno != EINTR) return ready > 0;
  }
}

bool X11Backend::Wait(std::optional<int64_t> timerDueMs, const std::function<bool()>& idle) {
  // Without its display the program waits for nothing any more.
  if (m_lost) return false;
  if (XPending(m_display) > 0) return true;
  if (idle && idle()) return true;
  // Only the system clock moves by itself; on another clock a timer comes
  // due when the program moves it, which input makes it do.
  int timeout = -1;
  if (timerDueMs && dynamic_cast<rt::SystemClock*>(&rt::CurrentClock())) {
    timeout = static_cast<int>(std::clamp<int64_t>(*timerDueMs - rt::CurrentClock().TickMs(), 0, INT_MAX));
  }
  // The idle work and the flush may have read events into Xlib's queue;
  // the socket is then quiet although input waits.
  XFlush(m_display);
  if (XEventsQueued(m_display, QueuedAlready) == 0) WaitReadable(timeout);
  return true;
}

// The monitors RandR knows (the primary first), else the screen as one;
// each one's work area is its part of the desktop's (_NET_WORKAREA).
std::vector<DisplayBackend::Monitor> X11Backend::Monitors() {
  std::vector<Monitor> monitors;
  if (m_lost) {
    // The screen the connection last described.
    const RECT screen{0, 0, DisplayWidth(m_display, m_screen), DisplayHeight(m_display, m_screen)};
    return {Monitor{screen, screen}};
  }
  int count = 0;
  if (XRRMonitorInfo* info = XRRGetMonitors(m_display, m_root, True, &count)) {
    for (int i = 0; i < count; ++i) {
      const RECT area{info[i].x, info[i].y, info[i].x + info[i].width, info[i].y + info[i].height};
      monitors.insert(info[i].primary ? monitors.begin() : monitors.end(), Monitor{area, area});
    }
    XRRFreeMonitors(info);
  }
  if (monitors.empty()) {
    const RECT screen{0, 0, DisplayWidth(m_display, m_screen), DisplayHeight(m_display, m_screen)};
    monitors.push_back(Monitor{screen, screen});
  }
  Atom type = None;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(m_display, m_root, m_atoms.netWorkArea, 0, 4, False, XA_CARDINAL, &type, &format, &items,
                         &after, &data) == Success &&
      data && items >= 4 && format == 32) {
    const long* v = reinterpret_cast<const long*>(data);
    const RECT desktop{static_cast<int32_t>(v[0]), static_cast<int32_t>(v[1]), static_cast<int32_t>(v[0] + v[2]),
                       static_cast<int32_t>(v[1] + v[3])};
    for (Monitor& m : monitors) {
      const RECT work{std::max(m.area.left, desktop.left), std::max(m.area.top, desktop.top),
                      std::min(m.area.right, desktop.right), std::min(m.area.bottom, desktop.bottom)};
      if (work.left < work.right && work.top < work.bottom) m.work = work;
    }
  }
  if (data) XFree(data);
  return monitors;
}

POINT X11Backend::ScreenPoint(HWND hWnd, int x, int y) const {
  POINT pt{x, y};
  ClientToScreen(hWnd, &pt);
  return pt;
}

}  // namespace win::detail
