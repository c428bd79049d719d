// A form's window as a display sees it: its styles, its owner, and the
// form following what the user or a window manager does with the window.
#include <gtest/gtest.h>

#include "forms/Constants.h"
#include "forms/Form.h"
#include "gdi/Twips.h"
#include "win/Window.h"

namespace {

class FormWindow : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const auto& f : forms::Form::Forms()) f->Unload();
  }
};

TEST_F(FormWindow, StylesFollowTheBorderStyle) {
  struct Case {
    int16_t border;
    uint32_t style;
  };
  for (const Case& c : {Case{forms::vbBSNone, win::WS_POPUP},
                        Case{forms::vbSizable, win::WS_CAPTION | win::WS_THICKFRAME | win::WS_SYSMENU |
                                                   win::WS_MINIMIZEBOX | win::WS_MAXIMIZEBOX},
                        Case{forms::vbFixedDialog, win::WS_CAPTION | win::WS_SYSMENU}}) {
    auto form = std::make_shared<forms::Form>("frmStyled");
    form->SetBorderStyle(c.border);
    form->Show();
    const auto style = static_cast<uint32_t>(win::GetWindowLongA(form->hWnd(), win::GWL_STYLE));
    EXPECT_EQ(style & ~(win::WS_VISIBLE | win::WS_MINIMIZE | win::WS_MAXIMIZE), c.style) << c.border;
    form->Unload();
  }
}

TEST_F(FormWindow, FormFollowsItsWindowAndOutlivesItsOwner) {
  auto owner = std::make_shared<forms::Form>("frmOwner");
  auto form = std::make_shared<forms::Form>("frmOwned");
  form->SetBorderStyle(forms::vbBSNone);
  owner->Show();
  form->Move(1500, 1500, 3000, 2000);
  form->Show(forms::vbModeless, owner.get());
  EXPECT_EQ(win::GetWindow(form->hWnd(), win::GW_OWNER), owner->hWnd());

  // Moved and sized by the user: Left, Top, Width and Height follow.
  win::SetWindowPos(form->hWnd(), win::kNoWindow, 300, 200, 250, 150, win::SWP_NOZORDER);
  EXPECT_EQ(form->Left(), 300 * gdi::TwipsPerPixelX());
  EXPECT_EQ(form->Top(), 200 * gdi::TwipsPerPixelY());
  EXPECT_EQ(form->ScaleWidth(), 250 * gdi::TwipsPerPixelX());
  EXPECT_EQ(form->ScaleHeight(), 150 * gdi::TwipsPerPixelY());
  // Maximised by the window manager.
  win::ShowWindow(form->hWnd(), win::SW_SHOWMAXIMIZED);
  win::SendMessageA(form->hWnd(), win::WM_SIZE, win::SIZE_MAXIMIZED, win::MAKELPARAM(250, 150));
  EXPECT_EQ(form->WindowState(), forms::vbMaximized);

  owner->Unload();
  EXPECT_TRUE(win::IsWindow(form->hWnd()));
  EXPECT_TRUE(form->IsLoaded());
}

}  // namespace
