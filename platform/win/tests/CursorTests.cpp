#include <gtest/gtest.h>

#include "TestWindow.h"
#include "win/Cursor.h"
#include "win/InputRouting.h"

using namespace win;

namespace {

constexpr const char* kHandClass = "CursorTestHandWindow";

// A window that shows the hand cursor for the whole of its client area.
LRESULT HandProc(HWND h, uint32_t msg, WPARAM w, LPARAM l) {
  if (msg == WM_SETCURSOR) {
    SetCursor(LoadCursorA(IDC_HAND));
    return TRUE;
  }
  return DefWindowProcA(h, msg, w, l);
}

TEST(Cursor, StandardCursorsAreSharedAndCustomOnesCarryTheirImage) {
  const HCURSOR hand = LoadCursorA(IDC_HAND);
  ASSERT_NE(hand, kNoCursor);
  EXPECT_EQ(LoadCursorA(IDC_HAND), hand);
  EXPECT_EQ(GetCursorShape(hand)->standardId, IDC_HAND);
  EXPECT_EQ(LoadCursorA(12345), kNoCursor);
  EXPECT_FALSE(DestroyCursor(hand));

  struct Case {
    int width, height;
    POINT hotSpot;
    size_t pixels;
    bool made;
  } cases[] = {
      {32, 32, {12, 2}, 1024, true},
      {32, 32, {12, 2}, 1000, false},  // too few pixels
      {32, 32, {32, 0}, 1024, false},  // the hot spot outside the image
      {0, 32, {0, 0}, 0, false},
  };
  for (const Case& c : cases) {
    const HCURSOR custom = CreateCursor(c.width, c.height, c.hotSpot, std::vector<uint32_t>(c.pixels, 0xFF000000u));
    EXPECT_EQ(custom != kNoCursor, c.made) << c.width << "x" << c.height << " " << c.pixels;
    if (custom == kNoCursor) continue;
    EXPECT_EQ(GetCursorShape(custom)->hotSpot.x, 12);
    EXPECT_EQ(GetCursorShape(custom)->standardId, 0);
    // Destroying the shown custom cursor puts the arrow in its place.
    SetCursor(custom);
    EXPECT_TRUE(DestroyCursor(custom));
    EXPECT_EQ(GetCursorShape(custom), nullptr);
    EXPECT_EQ(GetCursor(), LoadCursorA(IDC_ARROW));
  }
}

TEST(Cursor, TheDisplayHearsOfEachChange) {
  std::vector<HCURSOR> heard;
  SetCursorChangedHandler([&](HCURSOR c) { heard.push_back(c); });
  SetCursor(LoadCursorA(IDC_ARROW));
  heard.clear();
  EXPECT_EQ(SetCursor(LoadCursorA(IDC_WAIT)), LoadCursorA(IDC_ARROW));
  SetCursor(LoadCursorA(IDC_WAIT));  // no change, nothing heard
  SetCursor(kNoCursor);
  SetCursorChangedHandler({});
  EXPECT_EQ(heard, (std::vector<HCURSOR>{LoadCursorA(IDC_WAIT), kNoCursor}));
}

TEST(Cursor, TheWindowUnderThePointerOrItsParentChoosesElseTheArrowShows) {
  static const bool registered = [] {
    WNDCLASSA wc;
    wc.lpfnWndProc = &HandProc;
    wc.lpszClassName = kHandClass;
    return RegisterClassA(wc) != 0;
  }();
  ASSERT_TRUE(registered);
  wintest::Create();  // registers the recording class
  // A hand window at (300, 300) holding a recording child at (0, 0), and a
  // recording window beside it.
  const HWND hand = CreateWindowExA(0, kHandClass, "", WS_VISIBLE, 300, 300, 100, 100, kNoWindow);
  const HWND child = CreateWindowExA(0, wintest::kClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, hand);
  const HWND plain = CreateWindowExA(0, wintest::kClass, "", WS_VISIBLE, 500, 300, 100, 100, kNoWindow);
  ASSERT_NE(child, kNoWindow);
  SetCursor(kNoCursor);
  RouteMouseMove(POINT{350, 350});
  EXPECT_EQ(GetCursor(), LoadCursorA(IDC_HAND));
  RouteMouseMove(POINT{550, 350});
  EXPECT_EQ(GetCursor(), LoadCursorA(IDC_ARROW));
  RouteMouseMove(POINT{305, 305});  // the child leaves the choice to its parent
  EXPECT_EQ(GetCursor(), LoadCursorA(IDC_HAND));
  DestroyWindow(hand);
  DestroyWindow(plain);
}

}  // namespace
