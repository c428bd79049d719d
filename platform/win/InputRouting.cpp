#include "win/InputRouting.h"

#include <array>
#include <cstdlib>

#include "runtime/Clock.h"
#include "win/Cursor.h"
#include "win/Hooks.h"
#include "win/Input.h"
#include "win/Menu.h"
#include "win/Window.h"
#include "win/WindowState.h"

namespace win {

namespace {

constexpr uint32_t kDoubleClickTimeMs = 500;

struct ButtonMessages {
  uint32_t down, up, doubleClick;
  uint32_t vk;
};

ButtonMessages MessagesOf(MouseButton button) {
  switch (button) {
    case MouseButton::Right:
      return {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, VK_RBUTTON};
    case MouseButton::Middle:
      return {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK, VK_MBUTTON};
    case MouseButton::Left:
      break;
  }
  return {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, VK_LBUTTON};
}

// What routed input remembers between calls.
struct InputState {
  std::array<bool, 256> down{};
  std::array<bool, 256> toggled{};
  HWND underPointer = kNoWindow;  // the window the last move was over
  HWND leaveTracked = kNoWindow;
  // The last press, for double clicks.
  HWND lastPressWindow = kNoWindow;
  uint32_t lastPressMessage = 0;
  int64_t lastPressTime = 0;
  POINT lastPressPoint;
  bool lastPressWasDouble = false;
};

InputState& State() {
  static InputState state;
  return state;
}

bool IsDown(uint32_t vk) { return vk < 256 && State().down[vk]; }

WPARAM MouseKeyState() {
  WPARAM keys = 0;
  if (IsDown(VK_LBUTTON)) keys |= MK_LBUTTON;
  if (IsDown(VK_RBUTTON)) keys |= MK_RBUTTON;
  if (IsDown(VK_MBUTTON)) keys |= MK_MBUTTON;
  if (IsDown(VK_SHIFT)) keys |= MK_SHIFT;
  if (IsDown(VK_CONTROL)) keys |= MK_CONTROL;
  return keys;
}

HWND TopLevelOf(HWND hWnd) {
  const HWND root = GetAncestor(hWnd, GA_ROOT);
  return root != kNoWindow ? root : hWnd;
}

// The window mouse input at `screen` goes to: the capture window, else the
// window under the point unless its top-level window is disabled.
HWND Hit(POINT screen, HWND topLevel) {
  return topLevel != kNoWindow ? detail::WindowFromPointWithin(topLevel, screen) : WindowFromPoint(screen);
}

HWND MouseTarget(POINT screen, HWND topLevel) {
  if (HWND capture = GetCapture(); IsWindow(capture)) return capture;
  HWND hit = Hit(screen, topLevel);
  if (hit == kNoWindow || !IsWindowEnabled(TopLevelOf(hit))) return kNoWindow;
  return hit;
}

LPARAM ClientPoint(HWND hWnd, POINT screen) {
  POINT pt = screen;
  ScreenToClient(hWnd, &pt);
  return MAKELPARAM(pt.x, pt.y);
}

void EndLeaveTracking() {
  HWND tracked = State().leaveTracked;
  State().leaveTracked = kNoWindow;
  if (IsWindow(tracked)) SendMessageA(tracked, WM_MOUSELEAVE, 0, 0);
}

// Moves the pointer: ends leave tracking when the pointer is over another
// window now.
void PointerOver(POINT screen, HWND topLevel) {
  SetCursorPos(screen.x, screen.y);
  HWND over = Hit(screen, topLevel);
  State().underPointer = over;
  if (State().leaveTracked != kNoWindow && State().leaveTracked != over) EndLeaveTracking();
}

// Lets the window (and through its default procedure its parents) choose
// the cursor; when none of them did, the arrow is shown.
void SendSetCursor(HWND target, uint32_t mouseMessage) {
  const LRESULT chosen = SendMessageA(target, WM_SETCURSOR, static_cast<WPARAM>(ToInt(target)),
                                      MAKELPARAM(HTCLIENT, static_cast<int32_t>(mouseMessage)));
  if (!chosen) SetCursor(LoadCursorA(IDC_ARROW));
}

// Delivers a mouse message unless a mouse hook swallows it.
void DeliverMouse(HWND target, uint32_t msg, WPARAM wParam, LPARAM lParam, POINT screen) {
  if (!MouseHookSwallows(msg, target, screen, HTCLIENT)) SendMessageA(target, msg, wParam, lParam);
}

bool IsDoubleClick(HWND target, uint32_t downMessage, POINT screen, int64_t now) {
  const InputState& s = State();
  if (s.lastPressWasDouble || s.lastPressWindow != target || s.lastPressMessage != downMessage) return false;
  if (now - s.lastPressTime > static_cast<int64_t>(kDoubleClickTimeMs)) return false;
  if (std::abs(screen.x - s.lastPressPoint.x) > kDoubleClickDistance ||
      std::abs(screen.y - s.lastPressPoint.y) > kDoubleClickDistance) {
    return false;
  }
  const detail::WindowData* w = detail::Find(target);
  return w && (detail::ClassStyle(w->className) & CS_DBLCLKS) != 0;
}

// Characters of UTF-8 text as code points; a malformed byte stands for
// itself.
template <class Fn>
void ForEachCodePoint(std::string_view text, Fn fn) {
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 3 ? (b & 0x07) : extra == 2 ? (b & 0x0F) : extra == 1 ? (b & 0x1F) : b;
    bool valid = extra == 0 || i + static_cast<size_t>(extra) < text.size();
    for (int k = 1; valid && k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
      if ((c & 0xC0) != 0x80) valid = false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!valid) {
      fn(static_cast<char32_t>(b));
      ++i;
    } else {
      fn(cp);
      i += static_cast<size_t>(extra) + 1;
    }
  }
}

// The focus window, else the foreground window; none while its top-level
// window is disabled (the owner of a modal window takes no keys).
HWND KeyTarget() {
  HWND target = GetFocus();
  if (!IsWindow(target)) target = GetForegroundWindow();
  if (target != kNoWindow && !IsWindowEnabled(TopLevelOf(target))) return kNoWindow;
  return target;
}

}  // namespace

void RouteMouseMove(POINT screen, HWND topLevel) {
  PointerOver(screen, topLevel);
  HWND target = MouseTarget(screen, topLevel);
  if (target == kNoWindow) return;
  SendSetCursor(target, WM_MOUSEMOVE);
  if (IsWindow(target)) DeliverMouse(target, WM_MOUSEMOVE, MouseKeyState(), ClientPoint(target, screen), screen);
}

void RouteMouseButton(POINT screen, MouseButton button, bool down, HWND topLevel) {
  PointerOver(screen, topLevel);
  const ButtonMessages m = MessagesOf(button);
  State().down[m.vk] = down;
  HWND target = MouseTarget(screen, topLevel);
  if (target == kNoWindow) return;
  if (!down) {
    DeliverMouse(target, m.up, MouseKeyState(), ClientPoint(target, screen), screen);
    return;
  }
  if (HWND top = TopLevelOf(target); GetForegroundWindow() != top) SetForegroundWindow(top);
  const int64_t now = rt::CurrentClock().TickMs();
  const bool doubleClick = IsDoubleClick(target, m.down, screen, now);
  InputState& s = State();
  s.lastPressWindow = target;
  s.lastPressMessage = m.down;
  s.lastPressTime = now;
  s.lastPressPoint = screen;
  s.lastPressWasDouble = doubleClick;
  SendSetCursor(target, m.down);
  if (IsWindow(target)) {
    DeliverMouse(target, doubleClick ? m.doubleClick : m.down, MouseKeyState(), ClientPoint(target, screen), screen);
  }
}

void RouteMouseWheel(POINT screen, int delta, HWND topLevel) {
  PointerOver(screen, topLevel);
  HWND target = MouseTarget(screen, topLevel);
  if (target == kNoWindow) return;
  const WPARAM wParam = (static_cast<WPARAM>(static_cast<uint16_t>(delta)) << 16) | MouseKeyState();
  DeliverMouse(target, WM_MOUSEWHEEL, wParam, MAKELPARAM(screen.x, screen.y), screen);
}

void RouteMouseLeftDisplay() {
  State().underPointer = kNoWindow;
  EndLeaveTracking();
}

void RouteKey(uint32_t vk, bool down) {
  if (vk >= 256) return;
  InputState& s = State();
  const bool wasDown = s.down[vk];
  if (down && !wasDown) s.toggled[vk] = !s.toggled[vk];
  s.down[vk] = down;
  HWND target = KeyTarget();
  if (target == kNoWindow) return;
  const bool system = IsDown(VK_MENU) || vk == VK_MENU || vk == VK_F10;
  const uint32_t msg = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  // lParam: repeat count 1, bit 29 with Alt, bit 30 for a key that was
  // down, bit 31 for a release.
  uint32_t flags = 1;
  if (IsDown(VK_MENU)) flags |= 1u << 29;
  if (wasDown || !down) flags |= 1u << 30;
  if (!down) flags |= 1u << 31;
  SendMessageA(target, msg, vk, static_cast<LPARAM>(static_cast<int32_t>(flags)));
}

void SyncKeyboardState(const std::array<bool, 256>& down) {
  InputState& s = State();
  for (size_t vk = 0; vk < down.size(); ++vk) {
    if (vk == VK_LBUTTON || vk == VK_RBUTTON || vk == VK_MBUTTON) continue;
    s.down[vk] = down[vk];
  }
}

void RouteText(std::string_view utf8) {
  ForEachCodePoint(utf8, [](char32_t cp) {
    HWND target = KeyTarget();
    if (target == kNoWindow) return;
    SendMessageA(target, IsDown(VK_MENU) ? WM_SYSCHAR : WM_CHAR, static_cast<WPARAM>(cp), 1);
  });
}

int16_t GetKeyState(int vk) {
  if (vk < 0 || vk >= 256) return 0;
  int16_t state = State().down[static_cast<size_t>(vk)] ? static_cast<int16_t>(0x8000) : 0;
  if (State().toggled[static_cast<size_t>(vk)]) state = static_cast<int16_t>(state | 1);
  return state;
}

int16_t GetAsyncKeyState(int vk) {
  if (vk < 0 || vk >= 256) return 0;
  return State().down[static_cast<size_t>(vk)] ? static_cast<int16_t>(0x8000) : 0;
}

uint32_t GetDoubleClickTime() { return kDoubleClickTimeMs; }

BOOL _TrackMouseEvent(TRACKMOUSEEVENT* track) {
  if (!track || (track->dwFlags & TME_LEAVE) == 0 || !IsWindow(track->hwndTrack)) return FALSE;
  InputState& s = State();
  if (track->dwFlags & TME_CANCEL) {
    if (s.leaveTracked == track->hwndTrack) s.leaveTracked = kNoWindow;
    return TRUE;
  }
  s.leaveTracked = track->hwndTrack;
  // Asked for a window the pointer is not over: it has left already.
  if (s.underPointer != track->hwndTrack) EndLeaveTracking();
  return TRUE;
}

}  // namespace win
