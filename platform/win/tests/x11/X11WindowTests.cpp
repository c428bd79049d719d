// Top-level windows of the layer on a private X server: pop-ups bypass the
// window manager, topmost windows ask to stay above, the foreground window
// has the keyboard focus, and a window closes and opens again.
#include <gtest/gtest.h>

#include <algorithm>

#include "win/Menu.h"
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

}  // namespace
