#include <gtest/gtest.h>

#include "TestWindow.h"
#include "win/Input.h"

using namespace win;
using wintest::Log;
using wintest::Received;

TEST(InputTest, FocusAndCaptureChangesNotifyBothWindows) {
  HWND a = wintest::Create();
  HWND b = wintest::Create();
  SetFocus(a);
  Log().clear();
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_EQ(GetFocus(), b);
  EXPECT_EQ(SetCapture(a), kNoWindow);
  EXPECT_EQ(SetCapture(b), a);
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(wintest::Only({WM_KILLFOCUS, WM_SETFOCUS, WM_CAPTURECHANGED}),
            (std::vector<Received>{{a, WM_KILLFOCUS, static_cast<WPARAM>(ToInt(b)), 0},
                                   {b, WM_SETFOCUS, static_cast<WPARAM>(ToInt(a)), 0},
                                   {a, WM_CAPTURECHANGED, 0, ToInt(b)},
                                   {b, WM_CAPTURECHANGED, 0, 0}}));
  DestroyWindow(b);
  EXPECT_EQ(GetFocus(), kNoWindow);
  DestroyWindow(a);
}

TEST(InputTest, WindowFromPointFindsTheDeepestVisibleWindow) {
  HWND top = CreateWindowExA(0, "STATIC", "", WS_VISIBLE, 1000, 1000, 100, 100, kNoWindow);
  HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, top);
  HWND hidden = CreateWindowExA(0, "STATIC", "", WS_CHILD, 50, 50, 20, 20, top);
  EXPECT_EQ(WindowFromPoint(POINT{1015, 1015}), child);
  EXPECT_EQ(WindowFromPoint(POINT{1055, 1055}), top);
  EXPECT_EQ(WindowFromPoint(POINT{1100, 1100}), kNoWindow);
  ShowWindow(hidden, SW_SHOW);
  EXPECT_EQ(WindowFromPoint(POINT{1055, 1055}), hidden);
  DestroyWindow(top);
}
