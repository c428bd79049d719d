#include <gtest/gtest.h>

#include "forms/Constants.h"
#include "forms/Form.h"
#include "forms/Screen.h"
#include "win/Cursor.h"
#include "win/InputRouting.h"
#include "win/Window.h"

namespace {

TEST(Screen, MousePointerIsShownOverTheFormsUntilReset) {
  auto form = std::make_shared<forms::Form>("frmPlain");
  form->Show();
  win::RECT rect;
  win::GetWindowRect(form->hWnd(), &rect);
  const win::POINT inside{rect.left + 5, rect.top + 5};

  forms::Screen::SetMousePointer(forms::vbHourglass);
  EXPECT_EQ(win::GetCursor(), win::LoadCursorA(win::IDC_WAIT));
  win::RouteMouseMove(inside);
  EXPECT_EQ(win::GetCursor(), win::LoadCursorA(win::IDC_WAIT));

  forms::Screen::SetMousePointer(forms::vbDefault);
  EXPECT_EQ(win::GetCursor(), win::LoadCursorA(win::IDC_ARROW));
  win::RouteMouseMove(inside);
  EXPECT_EQ(win::GetCursor(), win::LoadCursorA(win::IDC_ARROW));
  EXPECT_EQ(forms::Screen::CursorOfMousePointer(99), win::LoadCursorA(win::IDC_ARROW));
  form->Unload();
}

}  // namespace
