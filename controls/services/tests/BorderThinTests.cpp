#include <gtest/gtest.h>

#include "cMyTools.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "gdi/Gdi.h"
#include "win/Window.h"

namespace {

TEST(ControlBorderThin, TheWindowGetsAThinSunkenEdgeThatIsDrawn) {
  auto form = std::make_shared<forms::Form>("frmBorder");
  form->SetDesignText(R"(Begin Form frmBorder
   BackColor = &HFFFFFF
   ClientWidth = 1500
   ClientHeight = 1500
   Begin VB.CommandButton cmd
      Left = 150
      Top = 150
      Width = 600
      Height = 600
   End
End
)");
  form->Show();
  auto cmd = form->Get<forms::CommandButton>("cmd");
  kvctl2::cMyTools tools;
  tools.ControlBorderThin(win::ToInt(cmd->hWnd()));
  EXPECT_EQ(static_cast<uint32_t>(win::GetWindowLongA(cmd->hWnd(), win::GWL_EXSTYLE)),
            win::WS_EX_STATICEDGE | win::WS_EX_NOPARENTNOTIFY);
  EXPECT_EQ(win::FrameChangeCount(cmd->hWnd()), 1);
  gdi::OwnedBitmap look = form->RenderToBitmap(false);
  gdi::OwnedDC dc(gdi::CreateCompatibleDC());
  gdi::ScopedSelect<gdi::HBITMAP> select(dc.Get(), look.Get());
  // The button covers pixels 10..49: shadow at the top left, highlight at
  // the bottom right.
  EXPECT_EQ(gdi::GetPixel(dc.Get(), 10, 30), gdi::GetSysColor(gdi::COLOR_BTNSHADOW));
  EXPECT_EQ(gdi::GetPixel(dc.Get(), 30, 10), gdi::GetSysColor(gdi::COLOR_BTNSHADOW));
  EXPECT_EQ(gdi::GetPixel(dc.Get(), 49, 30), gdi::GetSysColor(gdi::COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(gdi::GetPixel(dc.Get(), 30, 49), gdi::GetSysColor(gdi::COLOR_BTNHIGHLIGHT));
  form->Unload();
}

}  // namespace
