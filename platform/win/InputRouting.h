// Mouse and keyboard input as a display delivers it, turned into window
// messages the way the platform does. A display backend (or a test that
// plays a user) calls these with screen coordinates and virtual-key codes;
// the layer finds the target window and sends the messages:
//
// - Mouse messages go to the capture window when there is one, else to the
//   deepest visible, enabled window under the point (a disabled child
//   passes the mouse to its parent; a disabled top-level window, such as
//   the owner of a modal form, gets nothing). Coordinates are the target's
//   client coordinates, wParam carries the MK_ key state.
// - Before a move or a button message the target gets WM_SETCURSOR
//   (wParam = target, lParam = HTCLIENT | message << 16); when it answers
//   FALSE (no window of its parent chain chose a cursor) the arrow is
//   shown (Cursor.h).
// - A button press in another top-level window makes it the foreground
//   window first.
// - A second press of the same button on the same window within the
//   double-click time and distance becomes WM_xBUTTONDBLCLK when the
//   window's class has CS_DBLCLKS, a plain press otherwise; the platform's
//   order is down, up, double-click, up.
// - Leave tracking (_TrackMouseEvent with TME_LEAVE) is one-shot: when the
//   mouse moves onto another window, or out of all windows, the tracked
//   window gets WM_MOUSELEAVE and the tracking ends.
// - The wheel goes to the window under the point (its default procedure
//   passes it on to the parent); wParam's high word is the signed delta.
// - Keys go to the focus window, else to the foreground window: WM_KEYDOWN
//   and WM_KEYUP, or WM_SYSKEYDOWN and WM_SYSKEYUP while Alt is held (and
//   for Alt itself, F10 too). Typed text arrives as WM_CHAR (WM_SYSCHAR with
//   Alt), one message per character with the Unicode code point in wParam.
//
// All of it runs synchronously on the user-interface thread, as if the
// message loop had just taken the input from the queue.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "win/Types.h"

namespace win {

enum class MouseButton { Left, Right, Middle };

// A display that knows which top-level window the pointer is over (its
// stacking may differ from the layer's) names it as `topLevel`; the window
// under the point is then looked for in that window only.
//
// The pointer moved to `screen` (also where GetCursorPos reports it).
void RouteMouseMove(POINT screen, HWND topLevel = kNoWindow);
// A button went down or up at `screen`.
void RouteMouseButton(POINT screen, MouseButton button, bool down, HWND topLevel = kNoWindow);
// The wheel turned at `screen` by `delta` (WHEEL_DELTA per notch, positive
// away from the user).
void RouteMouseWheel(POINT screen, int delta, HWND topLevel = kNoWindow);
// The pointer left every window of the program (the display's leave
// notification): ends leave tracking with WM_MOUSELEAVE.
void RouteMouseLeftDisplay();

// A key went down or up; `vk` is a virtual-key code (VK_ values).
void RouteKey(uint32_t vk, bool down);
// The keyboard as the display knows it now (`down[vk]` for each key held):
// the key state takes it over without messages, so a key released while
// another program had the focus is up again. Mouse buttons are left alone.
void SyncKeyboardState(const std::array<bool, 256>& down);
// Text typed: one WM_CHAR (or WM_SYSCHAR with Alt) per character of the
// UTF-8 text.
void RouteText(std::string_view utf8);

// Virtual-key codes the layer itself looks at.
inline constexpr uint32_t VK_LBUTTON = 0x01;
inline constexpr uint32_t VK_RBUTTON = 0x02;
inline constexpr uint32_t VK_MBUTTON = 0x04;
inline constexpr uint32_t VK_BACK = 0x08;
inline constexpr uint32_t VK_TAB = 0x09;
inline constexpr uint32_t VK_RETURN = 0x0D;
inline constexpr uint32_t VK_SHIFT = 0x10;
inline constexpr uint32_t VK_CONTROL = 0x11;
inline constexpr uint32_t VK_MENU = 0x12;
inline constexpr uint32_t VK_ESCAPE = 0x1B;
inline constexpr uint32_t VK_SPACE = 0x20;
inline constexpr uint32_t VK_PRIOR = 0x21;
inline constexpr uint32_t VK_NEXT = 0x22;
inline constexpr uint32_t VK_END = 0x23;
inline constexpr uint32_t VK_HOME = 0x24;
inline constexpr uint32_t VK_LEFT = 0x25;
inline constexpr uint32_t VK_UP = 0x26;
inline constexpr uint32_t VK_RIGHT = 0x27;
inline constexpr uint32_t VK_DOWN = 0x28;
inline constexpr uint32_t VK_INSERT = 0x2D;
inline constexpr uint32_t VK_DELETE = 0x2E;
inline constexpr uint32_t VK_F1 = 0x70;
inline constexpr uint32_t VK_F10 = 0x79;

// The state of a key or mouse button: the high bit (0x8000, a negative
// value) while it is down. GetKeyState also keeps the toggle bit (1) that
// flips with each press. Both read the state the routed input left.
int16_t GetKeyState(int vk);
int16_t GetAsyncKeyState(int vk);

// Double-click time in milliseconds (on the replaceable clock) and the
// largest distance in pixels between the two presses.
uint32_t GetDoubleClickTime();
inline constexpr int kDoubleClickDistance = 4;

// Leave and hover tracking of the mouse.
inline constexpr uint32_t TME_HOVER = 0x00000001;
inline constexpr uint32_t TME_LEAVE = 0x00000002;
inline constexpr uint32_t TME_CANCEL = 0x80000000;
struct TRACKMOUSEEVENT {
  uint32_t cbSize = sizeof(TRACKMOUSEEVENT);
  uint32_t dwFlags = 0;
  HWND hwndTrack = kNoWindow;
  uint32_t dwHoverTime = 0;
};
// Starts (or with TME_CANCEL ends) leave tracking for a window; FALSE for
// an invalid window or a request without TME_LEAVE. TME_HOVER is accepted
// and ignored: no hover messages are generated.
BOOL _TrackMouseEvent(TRACKMOUSEEVENT* track);

}  // namespace win
