// The X server's events turned into the layer's messages: exposure and
// placement, the mouse and the keyboard (through InputRouting.h), focus
// and activation, close requests and the window manager's states.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <array>
#include <cstring>
#include <string>

#include "runtime/Strings.h"
#include "win/InputRouting.h"
#include "win/Menu.h"
#include "win/Messages.h"
#include "win/Window.h"
#include "win/WindowState.h"
#include "win/X11Display.h"

namespace win::detail {

namespace {

// Follows what the server did without sending it back.
class Following {
 public:
  explicit Following(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
  ~Following() { m_flag = m_old; }
  Following(const Following&) = delete;
  Following& operator=(const Following&) = delete;

 private:
  bool& m_flag;
  bool m_old;
};

// The character of a key symbol where the input method gave none: Latin-1
// symbols are their code points, Unicode symbols carry theirs.
uint32_t CodePointOf(KeySym sym) {
  if ((sym >= 0x20 && sym <= 0x7E) || (sym >= 0xA0 && sym <= 0xFF)) return static_cast<uint32_t>(sym);
  if (sym >= 0x1000100 && sym <= 0x110FFFF) return static_cast<uint32_t>(sym - 0x1000000);
  if (sym == XK_EuroSign) return 0x20AC;
  return 0;
}

// The characters a key press types, as the platform sends them: control
// characters only for Backspace, Tab, Enter, Escape and Ctrl with a letter.
std::string TypedText(const char* bytes, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c == 0x7F || (c < 0x20 && c != '\b' && c != '\t' && c != '\r' && c != 0x1B && (c == 0 || c > 0x1A))) continue;
    text += static_cast<char>(c);
  }
  return text;
}

}  // namespace

void X11Backend::HandleEvent(XEvent& event) {
  if (event.type == KeyPress || event.type == KeyRelease) m_lastEventTime = event.xkey.time;
  if (event.type == ButtonPress || event.type == ButtonRelease) m_lastEventTime = event.xbutton.time;
  // The input method sees every event first and may keep some.
  if (XFilterEvent(&event, None)) return;
  if (event.type == MappingNotify) {
    XRefreshKeyboardMapping(&event.xmapping);
    return;
  }
  if (FollowDrag(event)) return;
  if (event.type == SelectionRequest) {
    HandleSelectionRequest(event.xselectionrequest);
    return;
  }
  if (event.type == SelectionClear) {
    if (event.xselectionclear.selection == m_atoms.clipboard) m_clipboard.reset();
    return;
  }
  const HWND hWnd = WindowOfX(event.xany.window);
  if (hWnd == kNoWindow || !IsWindow(hWnd)) {
    // A key of a window that is gone (an Alt+letter closed it before the
    // server saw Alt go up) still belongs to the keyboard: its release must
    // reach the key state, or Alt would stay down for the program. Like the
    // platform's input queue, the key goes to the window with the focus now.
    if (event.type == KeyPress || event.type == KeyRelease) HandleKey(kNoWindow, event.xkey);
    return;
  }
  switch (event.type) {
    case Expose:
      if (event.xexpose.count == 0) InvalidateRect(hWnd, nullptr, FALSE);
      break;
    case ConfigureNotify:
      HandleConfigure(hWnd, event.xconfigure);
      break;
    case MapNotify:
      if (X11Window* w = Find(hWnd)) {
        w->mapped = true;
        if (w->focusOnMap) Activate(*w);
      }
      break;
    case UnmapNotify:
      if (X11Window* w = Find(hWnd)) w->mapped = false;
      break;
    case DestroyNotify:
      HandleDestroyed(hWnd);
      break;
    case ButtonPress:
    case ButtonRelease:
      HandleButton(hWnd, event.xbutton);
      break;
    case MotionNotify: {
      // Only the latest position of a burst matters.
      XEvent latest = event;
      while (XCheckTypedWindowEvent(m_display, event.xany.window, MotionNotify, &latest)) {
      }
      RouteMouseMove(ScreenPoint(hWnd, latest.xmotion.x, latest.xmotion.y), hWnd);
      break;
    }
    case LeaveNotify:
      if (event.xcrossing.mode == NotifyNormal && event.xcrossing.detail != NotifyInferior) RouteMouseLeftDisplay();
      break;
    case KeyPress:
    case KeyRelease:
      HandleKey(hWnd, event.xkey);
      break;
    case FocusIn:
    case FocusOut:
      HandleFocus(hWnd, event.xfocus);
      break;
    case ClientMessage:
      HandleClientMessage(hWnd, event.xclient);
      break;
    case PropertyNotify:
      HandleProperty(hWnd, event.xproperty);
      break;
    default:
      break;
  }
}

void X11Backend::HandleConfigure(HWND hWnd, const XConfigureEvent& event) {
  X11Window* w = Find(hWnd);
  if (!w) return;
  int x = event.x;
  int y = event.y;
  // A window manager's own notice gives root coordinates; the server's
  // gives them relative to the frame the window sits in.
  if (!event.send_event) {
    Window child = 0;
    XTranslateCoordinates(m_display, w->xid, m_root, 0, 0, &x, &y, &child);
  }
  w->placed = RECT{x, y, x + event.width, y + event.height};
  RECT current;
  GetWindowRect(hWnd, &current);
  if (current.left == x && current.top == y && current.right - current.left == event.width &&
      current.bottom - current.top == event.height) {
    return;
  }
  Following following(m_following);
  SetWindowPos(hWnd, kNoWindow, x, y, event.width, event.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void X11Backend::HandleButton(HWND hWnd, const XButtonEvent& event) {
  const POINT screen = ScreenPoint(hWnd, event.x, event.y);
  switch (event.button) {
    case Button1:
      RouteMouseButton(screen, MouseButton::Left, event.type == ButtonPress, hWnd);
      break;
    case Button2:
      RouteMouseButton(screen, MouseButton::Middle, event.type == ButtonPress, hWnd);
      break;
    case Button3:
      RouteMouseButton(screen, MouseButton::Right, event.type == ButtonPress, hWnd);
      break;
    case Button4:
    case Button5:
      // The wheel: one press a notch.
      if (event.type == ButtonPress)
        RouteMouseWheel(screen, event.button == Button4 ? WHEEL_DELTA : -WHEEL_DELTA, hWnd);
      break;
    default:
      break;
  }
}

void X11Backend::HandleKey(HWND hWnd, XKeyEvent& event) {
  const bool press = event.type == KeyPress;
  X11Window* w = Find(hWnd);
  char buffer[64];
  KeySym sym = NoSymbol;
  int count = 0;
  std::string text;
  if (press && w && w->ic) {
    Status status = 0;
    count = Xutf8LookupString(w->ic, &event, buffer, sizeof(buffer), &sym, &status);
    if (status == XBufferOverflow) {
      std::string big(static_cast<size_t>(count), '\0');
      count = Xutf8LookupString(w->ic, &event, big.data(), count, &sym, &status);
      text = TypedText(big.data(), count);
    } else if (status == XLookupChars || status == XLookupBoth) {
      text = TypedText(buffer, count);
    }
  } else {
    count = XLookupString(&event, buffer, sizeof(buffer), &sym, nullptr);
    // Without an input method the bytes are Latin-1.
    if (press) {
      for (char c : TypedText(buffer, count)) text += rt::ChrW(static_cast<unsigned char>(c));
    }
  }
  if (press && text.empty()) {
    if (uint32_t cp = CodePointOf(sym); cp != 0 && (event.state & ControlMask) == 0) text += rt::ChrW(cp);
  }
  uint32_t vk = VirtualKeyOf(sym);
  if (vk == 0) vk = VirtualKeyOf(XLookupKeysym(&event, 0));
  if (vk != 0) RouteKey(vk, press);
  if (press && !text.empty()) RouteText(text);
}

void X11Backend::HandleFocus(HWND hWnd, const XFocusChangeEvent& event) {
  if (event.mode != NotifyNormal && event.mode != NotifyWhileGrabbed) return;
  if (event.detail == NotifyPointer || event.detail == NotifyInferior) return;
  X11Window* w = Find(hWnd);
  if (event.type == FocusIn) {
    if (w && w->ic) XSetICFocus(w->ic);
    ReadKeyboardState();
    {
      Following following(m_following);
      SetForegroundWindow(hWnd);
    }
    SendMessageA(hWnd, WM_ACTIVATE, WA_ACTIVE, 0);
  } else {
    if (w && w->ic) XUnsetICFocus(w->ic);
    SendMessageA(hWnd, WM_ACTIVATE, WA_INACTIVE, 0);
  }
}

// Keys pressed or released while another program had the focus never
// reached this one: the server's own record of the keyboard says which are
// down now.
void X11Backend::ReadKeyboardState() {
  char keys[32] = {};
  XQueryKeymap(m_display, keys);
  std::array<bool, 256> down{};
  for (int code = 8; code < 256; ++code) {
    if ((keys[code / 8] & (1 << (code % 8))) == 0) continue;
    const uint32_t vk = VirtualKeyOf(XkbKeycodeToKeysym(m_display, static_cast<KeyCode>(code), 0, 0));
    if (vk != 0 && vk < down.size()) down[vk] = true;
  }
  SyncKeyboardState(down);
}

void X11Backend::HandleClientMessage(HWND hWnd, const XClientMessageEvent& event) {
  if (event.message_type != m_atoms.wmProtocols || static_cast<Atom>(event.data.l[0]) != m_atoms.wmDeleteWindow) {
    return;
  }
  // The frame's close button: like the platform's, it does nothing for a
  // disabled window or one whose system menu offers no Close.
  if (!IsWindowEnabled(hWnd) || !OffersClose(hWnd)) return;
  SendMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void X11Backend::HandleProperty(HWND hWnd, const XPropertyEvent& event) {
  X11Window* w = Find(hWnd);
  if (!w || (event.atom != m_atoms.netWmState && event.atom != m_atoms.wmState)) return;
  bool minimized = false;
  bool maximizedVert = false;
  bool maximizedHorz = false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(m_display, w->xid, m_atoms.netWmState, 0, 32, False, XA_ATOM, &type, &format, &count, &after,
                         &data) == Success &&
      data && format == 32) {
    const Atom* states = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count; ++i) {
      minimized = minimized || states[i] == m_atoms.netWmStateHidden;
      maximizedVert = maximizedVert || states[i] == m_atoms.netWmStateMaximizedVert;
      maximizedHorz = maximizedHorz || states[i] == m_atoms.netWmStateMaximizedHorz;
    }
  }
  if (data) XFree(data);
  data = nullptr;
  if (XGetWindowProperty(m_display, w->xid, m_atoms.wmState, 0, 2, False, m_atoms.wmState, &type, &format, &count,
                         &after, &data) == Success &&
      data && format == 32 && count >= 1) {
    minimized = minimized || reinterpret_cast<const long*>(data)[0] == IconicState;
  }
  if (data) XFree(data);
  const bool maximized = maximizedVert && maximizedHorz;
  if (minimized == (IsIconic(hWnd) != FALSE) && maximized == (IsZoomed(hWnd) != FALSE)) return;
  {
    Following following(m_following);
    ShowWindow(hWnd, minimized ? SW_SHOWMINIMIZED : maximized ? SW_SHOWMAXIMIZED : SW_RESTORE);
  }
  RECT client;
  GetClientRect(hWnd, &client);
  SendMessageA(hWnd, WM_SIZE,
               minimized   ? SIZE_MINIMIZED
               : maximized ? SIZE_MAXIMIZED
                           : SIZE_RESTORED,
               MAKELPARAM(client.right, client.bottom));
}

}  // namespace win::detail
