#include <gtest/gtest.h>

#include "win/Menu.h"
#include "win/Window.h"

using namespace win;

TEST(Menu, RemovingTheLastTwoItemsTakesAwayCloseAndItsSeparator) {
  HWND w = CreateWindowExA(0, "STATIC", "x", WS_CAPTION | WS_SYSMENU, 0, 0, 10, 10, kNoWindow);
  HMENU menu = GetSystemMenu(w, FALSE);
  int count = GetMenuItemCount(menu);
  ASSERT_EQ(count, 7);
  EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<int32_t>(SC_CLOSE));
  EXPECT_TRUE(OffersClose(w));
  EXPECT_TRUE(RemoveMenu(menu, static_cast<uint32_t>(count - 1), MF_BYPOSITION));
  EXPECT_TRUE(RemoveMenu(menu, static_cast<uint32_t>(count - 2), MF_BYPOSITION));
  EXPECT_EQ(GetMenuItemCount(GetSystemMenu(w, FALSE)), 5);
  EXPECT_EQ(GetMenuItemID(menu, 4), static_cast<int32_t>(SC_MAXIMIZE));
  EXPECT_FALSE(RemoveMenu(menu, SC_CLOSE, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), -1);
  EXPECT_FALSE(OffersClose(w));
  GetSystemMenu(w, TRUE);
  EXPECT_EQ(GetMenuItemCount(menu), 7);
  EXPECT_TRUE(OffersClose(w));
  DestroyWindow(w);
  EXPECT_EQ(GetMenuItemCount(menu), -1);
}

TEST(Menu, ForegroundWindowIsForgottenWithTheWindow) {
  HWND w = CreateWindowExA(0, "STATIC", "x", WS_CAPTION | WS_SYSMENU, 0, 0, 10, 10, kNoWindow);
  EXPECT_TRUE(SetForegroundWindow(w));
  EXPECT_EQ(GetForegroundWindow(), w);
  DestroyWindow(w);
  EXPECT_EQ(GetForegroundWindow(), kNoWindow);
}
