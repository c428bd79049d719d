// Top-level windows of the layer on a private X server: pop-ups bypass the
// window manager, topmost windows ask to stay above, the foreground window
// has the keyboard focus, and a window closes and opens again.
#include <gtest/gtest.h>

#include <algorithm>

#include "win/InputRouting.h"
#include "win/Menu.h"
#include "win/Metrics.h"
#include "win/Window.h"
#include "win/X11Testing.h"

namespace {

using namespace win;
namespace x11 = win::x11test;

HWND TopLevel(uint32_t style, uint32_t exStyle = 0) {
  return CreateWindowExA(exStyle, "STATIC", "Top", style, 100, 100, 200, 120, kNoWindow);
}

bool Has(const std::vector<std::string>& states, const std::string& state) {
  return std::find(states.begin(), states.end(), state) != states.end();
}

TEST(X11Windows, PopupsBypassTheWindowManagerAndTopmostAsksToStayAbove) {
  HWND popup = TopLevel(WS_POPUP, WS_EX_TOOLWINDOW);
  HWND framed = TopLevel(WS_CAPTION | WS_SYSMENU, WS_EX_TOPMOST);
  ShowWindow(popup, SW_SHOWNA);
  ShowWindow(framed, SW_SHOW);
  x11::Settle();
  EXPECT_TRUE(x11::IsShown(popup));
  EXPECT_TRUE(x11::IsOverrideRedirect(popup));
  EXPECT_FALSE(x11::IsOverrideRedirect(framed));
  EXPECT_TRUE(Has(x11::WindowStates(framed), "_NET_WM_STATE_ABOVE"));
  DestroyWindow(popup);
  DestroyWindow(framed);
}

TEST(X11Windows, ForegroundWindowHasTheKeyboardFocus) {
  HWND first = TopLevel(WS_CAPTION);
  HWND second = TopLevel(WS_CAPTION);
  ShowWindow(first, SW_SHOW);
  ShowWindow(second, SW_SHOW);
  x11::Settle();
  EXPECT_EQ(x11::FocusWindow(), second);
  SetForegroundWindow(first);
  x11::Settle();
  EXPECT_EQ(x11::FocusWindow(), first);
  EXPECT_EQ(GetForegroundWindow(), first);
  // Hidden and shown again, it is back on the screen.
  ShowWindow(first, SW_HIDE);
  x11::Settle();
  EXPECT_FALSE(x11::IsShown(first));
  ShowWindow(first, SW_SHOW);
  x11::Settle();
  EXPECT_TRUE(x11::IsShown(first));
  DestroyWindow(first);
  DestroyWindow(second);
}

TEST(X11Windows, KeysReleasedWhileAnotherProgramHadTheFocusAreUpAgain) {
  HWND window = TopLevel(WS_CAPTION);
  ShowWindow(window, SW_SHOW);
  x11::Settle();
  // Alt went down here; the focus went elsewhere before it went up.
  RouteKey(VK_MENU, true);
  x11::FocusElsewhere();
  x11::Settle();
  SetForegroundWindow(window);
  x11::Settle();
  ASSERT_EQ(x11::FocusWindow(), window);
  EXPECT_EQ(GetKeyState(static_cast<int>(VK_MENU)) & 0x8000, 0);
  DestroyWindow(window);
}

TEST(X11Windows, MonitorsOfTheScreen) {
  // Two monitors side by side, the primary one on the left.
  x11::SetMonitors({RECT{0, 0, 800, 600}, RECT{800, 0, 1280, 1024}});
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
  struct Case {
    RECT rect;
    uint32_t flags;
    int32_t left;  // of the monitor found, -1 for none
  };
  for (const Case& c : {Case{{700, 100, 1000, 300}, MONITOR_DEFAULTTONULL, 800},  // mostly on the second
                        Case{{100, 700, 300, 800}, MONITOR_DEFAULTTONULL, -1},    // below the first
                        Case{{100, 700, 300, 800}, MONITOR_DEFAULTTONEAREST, 0},
                        Case{{2000, 100, 2100, 200}, MONITOR_DEFAULTTONEAREST, 800},
                        Case{{2000, 100, 2100, 200}, MONITOR_DEFAULTTOPRIMARY, 0}}) {
    MONITORINFO info;
    const bool found = GetMonitorInfoA(MonitorFromRect(&c.rect, c.flags), &info) != FALSE;
    EXPECT_EQ(found ? info.rcMonitor.left : -1, c.left) << c.rect.left << "," << c.rect.top << " " << c.flags;
  }
  x11::SetMonitors({RECT{0, 0, 1280, 1024}});
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
}

}  // namespace
