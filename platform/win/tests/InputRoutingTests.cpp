#include <gtest/gtest.h>

#include "TestWindow.h"
#include "runtime/Clock.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/Menu.h"

using namespace win;
using wintest::Log;
using wintest::Received;

namespace {

constexpr const char* kDoubleClickClass = "RoutingDoubleClickWindow";

// A top-level window at (500, 400) with a child at (10, 10) of 40 x 30,
// and a second child at (60, 10) that can be disabled.
struct Scene {
  HWND top;
  HWND child;
  HWND other;
  explicit Scene(const char* childClass = wintest::kClass) {
    wintest::Create();  // registers the recording class
    top = CreateWindowExA(0, wintest::kClass, "", WS_VISIBLE, 500, 400, 200, 100, kNoWindow);
    child = CreateWindowExA(0, childClass, "", WS_CHILD | WS_VISIBLE, 10, 10, 40, 30, top);
    other = CreateWindowExA(0, wintest::kClass, "", WS_CHILD | WS_VISIBLE, 60, 10, 40, 30, top);
    SetForegroundWindow(top);
    Log().clear();
  }
  ~Scene() {
    ReleaseCapture();
    DestroyWindow(top);
  }
};

void RegisterDoubleClickClass() {
  static const bool registered = [] {
    WNDCLASSA wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &wintest::RecordingProc;
    wc.lpszClassName = kDoubleClickClass;
    return RegisterClassA(wc) != 0;
  }();
  (void)registered;
}

void Click(POINT pt) {
  RouteMouseButton(pt, MouseButton::Left, true);
  RouteMouseButton(pt, MouseButton::Left, false);
}

std::vector<uint32_t> MessagesOf(HWND hWnd, std::initializer_list<uint32_t> of) {
  std::vector<uint32_t> result;
  for (const Received& r : wintest::Only(of)) {
    if (r.hwnd == hWnd) result.push_back(r.msg);
  }
  return result;
}

}  // namespace

TEST(InputRoutingTest, ButtonsReachTheWindowUnderThePointInClientCoordinates) {
  Scene s;
  RouteMouseButton(POINT{515, 420}, MouseButton::Left, true);
  RouteMouseButton(POINT{515, 420}, MouseButton::Left, false);
  auto got = wintest::Only({WM_LBUTTONDOWN, WM_LBUTTONUP});
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0], (Received{s.child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 10)}));
  EXPECT_EQ(got[1], (Received{s.child, WM_LBUTTONUP, 0, MAKELPARAM(5, 10)}));
  // The cursor went through WM_SETCURSOR first.
  EXPECT_EQ(MessagesOf(s.child, {WM_SETCURSOR, WM_LBUTTONDOWN}),
            (std::vector<uint32_t>{WM_SETCURSOR, WM_LBUTTONDOWN}));
  POINT pt;
  GetCursorPos(&pt);
  EXPECT_EQ(pt.x, 515);
}

TEST(InputRoutingTest, DisabledWindowsPassTheMouseOnOrSwallowIt) {
  Scene s;
  EnableWindow(s.other, FALSE);
  Click(POINT{565, 420});
  EXPECT_EQ(MessagesOf(s.top, {WM_LBUTTONDOWN}).size(), 1u) << "a disabled child passes the click to its parent";
  EXPECT_TRUE(MessagesOf(s.other, {WM_LBUTTONDOWN}).empty());
  Log().clear();
  EnableWindow(s.top, FALSE);
  Click(POINT{515, 420});
  RouteMouseMove(POINT{516, 420});
  EXPECT_TRUE(wintest::Only({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE}).empty())
      << "a disabled top-level window (a modal form's owner) gets nothing";
}

TEST(InputRoutingTest, CaptureTakesTheMouseWhereverItIs) {
  Scene s;
  SetCapture(s.child);
  RouteMouseMove(POINT{400, 300});
  auto got = wintest::Only({WM_MOUSEMOVE});
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0], (Received{s.child, WM_MOUSEMOVE, 0, MAKELPARAM(-110, -110)}));
}

TEST(InputRoutingTest, DoubleClicksNeedTheClassStyleTheTimeAndTheDistance) {
  RegisterDoubleClickClass();
  rt::ManualClock clock;
  rt::ScopedClock useClock(clock);
  struct Case {
    const char* name;
    const char* childClass;
    int64_t pause;
    int dx;
    std::vector<uint32_t> expected;
  };
  const std::vector<Case> cases = {
      {"double click", kDoubleClickClass, 200, 2,
       {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
      {"class without CS_DBLCLKS", wintest::kClass, 200, 0,
       {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}},
      {"too slow", kDoubleClickClass, 501, 0, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}},
      {"too far", kDoubleClickClass, 100, 5, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}},
  };
  for (const Case& c : cases) {
    Scene s(c.childClass);
    clock.Advance(10000);  // no earlier press counts
    Click(POINT{515, 420});
    clock.Advance(c.pause);
    Click(POINT{515 + c.dx, 420});
    EXPECT_EQ(MessagesOf(s.child, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}), c.expected) << c.name;
  }
  // A third quick press starts a new pair instead of a second double click.
  Scene s(kDoubleClickClass);
  clock.Advance(10000);
  for (int i = 0; i < 3; ++i) {
    Click(POINT{515, 420});
    clock.Advance(50);
  }
  EXPECT_EQ(MessagesOf(s.child, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
            (std::vector<uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}));
}

TEST(InputRoutingTest, LeaveTrackingIsOneShot) {
  Scene s;
  RouteMouseMove(POINT{515, 420});
  TRACKMOUSEEVENT track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = s.child;
  ASSERT_TRUE(_TrackMouseEvent(&track));
  RouteMouseMove(POINT{520, 425});
  EXPECT_TRUE(MessagesOf(s.child, {WM_MOUSELEAVE}).empty()) << "still over the window";
  RouteMouseMove(POINT{565, 420});
  RouteMouseMove(POINT{515, 420});
  RouteMouseMove(POINT{565, 420});
  EXPECT_EQ(MessagesOf(s.child, {WM_MOUSELEAVE}).size(), 1u);
  // Tracking asked for while the pointer is elsewhere ends at once.
  track.hwndTrack = s.child;
  _TrackMouseEvent(&track);
  EXPECT_EQ(MessagesOf(s.child, {WM_MOUSELEAVE}).size(), 2u);
  // Leaving the display ends it too.
  RouteMouseMove(POINT{565, 420});
  track.hwndTrack = s.other;
  _TrackMouseEvent(&track);
  RouteMouseLeftDisplay();
  EXPECT_EQ(MessagesOf(s.other, {WM_MOUSELEAVE}).size(), 1u);
}

TEST(InputRoutingTest, KeysAndTextGoToTheFocusWindow) {
  Scene s;
  SetFocus(s.child);
  Log().clear();
  RouteKey(0x41, true);
  RouteText("a\xC3\xA4\xE2\x82\xAC");  // a, ä, €
  RouteKey(0x41, false);
  RouteKey(VK_MENU, true);
  RouteKey(0x46, true);
  RouteKey(0x46, false);
  RouteKey(VK_MENU, false);
  auto got = wintest::Only({WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP});
  std::vector<std::pair<uint32_t, WPARAM>> seen;
  for (const Received& r : got) {
    EXPECT_EQ(r.hwnd, s.child);
    seen.emplace_back(r.msg, r.wParam);
  }
  EXPECT_EQ(seen, (std::vector<std::pair<uint32_t, WPARAM>>{{WM_KEYDOWN, 0x41},
                                                            {WM_CHAR, 'a'},
                                                            {WM_CHAR, 0xE4},
                                                            {WM_CHAR, 0x20AC},
                                                            {WM_KEYUP, 0x41},
                                                            {WM_SYSKEYDOWN, VK_MENU},
                                                            {WM_SYSKEYDOWN, 0x46},
                                                            {WM_SYSKEYUP, 0x46},
                                                            {WM_SYSKEYUP, VK_MENU}}));
  SetFocus(kNoWindow);
}

TEST(InputRoutingTest, KeyStateFollowsTheRoutedKeys) {
  Scene s;
  RouteKey(VK_SHIFT, true);
  EXPECT_LT(GetKeyState(VK_SHIFT), 0);
  EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 0);
  RouteMouseButton(POINT{515, 420}, MouseButton::Right, true);
  EXPECT_EQ(wintest::Only({WM_RBUTTONDOWN}).at(0).wParam, MK_RBUTTON | MK_SHIFT);
  RouteMouseButton(POINT{515, 420}, MouseButton::Right, false);
  RouteKey(VK_SHIFT, false);
  EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), 0);
  const int16_t toggle = GetKeyState(VK_INSERT) & 1;
  RouteKey(VK_INSERT, true);
  RouteKey(VK_INSERT, false);
  EXPECT_EQ(GetKeyState(VK_INSERT) & 1, toggle ^ 1);
}

TEST(InputRoutingTest, TheWheelBubblesFromTheChildToItsParent) {
  Scene s;
  RouteMouseWheel(POINT{515, 420}, -WHEEL_DELTA);
  auto got = wintest::Only({WM_MOUSEWHEEL});
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].hwnd, s.child);
  EXPECT_EQ(got[1].hwnd, s.top);
  EXPECT_EQ(static_cast<int16_t>(HIWORD(got[1].wParam)), -WHEEL_DELTA);
  EXPECT_EQ(got[1].lParam, MAKELPARAM(515, 420));
}
