#include <gtest/gtest.h>

#include "forms/Form.h"
#include "forms/TextBox.h"
#include "forms/controls/ScrollBar.h"
#include "gdi/FontBackend.h"
#include "gdi/Gdi.h"
#include "win/InputRouting.h"
#include "win/Window.h"

namespace {

// A multi-line box of 100 x 50 pixels with a vertical bar; on fixed
// metrics a line is 11 pixels, so 4 lines fit its 44 pixels of text.
const char* kDesign = R"(Begin Form frmText
   ClientWidth = 3000
   ClientHeight = 1500
   Begin VB.TextBox txt
      Left = 0
      Top = 0
      Width = 1500
      Height = 750
      MultiLine = True
      ScrollBars = 2
   End
End
)";

class MultiLineTextBox : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_shared<forms::Form>("frmText");
    form->SetDesignText(kDesign);
    form->Show();
    txt = form->Get<forms::TextBox>("txt");
  }
  void TearDown() override { form->Unload(); }
  gdi::ScopedFixedMetrics metrics;
  std::shared_ptr<forms::Form> form;
  std::shared_ptr<forms::TextBox> txt;
};

TEST_F(MultiLineTextBox, TheBarScrollsByLinesWhileTheTextIsLongerThanTheBox) {
  forms::ScrollBar* bar = txt->VerticalBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->Enabled());  // nothing to scroll yet
  EXPECT_EQ(win::GetParent(bar->hWnd()), txt->hWnd());
  std::string text;
  for (int i = 1; i <= 10; ++i) text += "line " + std::to_string(i) + "\r\n";
  txt->SetText(text + "end");
  EXPECT_EQ(txt->LineCount(), 11);
  EXPECT_EQ(txt->VisibleLines(), 4);
  EXPECT_TRUE(bar->Enabled());
  EXPECT_EQ(bar->Max(), 7);
  // The user presses the bar's down arrow: the text moves up one line.
  win::POINT arrow{8, 40};
  win::ClientToScreen(bar->hWnd(), &arrow);
  win::RouteMouseButton(arrow, win::MouseButton::Left, true);
  win::RouteMouseButton(arrow, win::MouseButton::Left, false);
  EXPECT_EQ(bar->Value(), 1);
  gdi::OwnedDC dc(gdi::CreateSurfaceDC(100, 50));
  gdi::StartRecording(dc.Get());
  txt->Draw(dc.Get(), 0, 0);
  bool shifted = false;
  for (const auto& c : gdi::RecordedCalls(dc.Get())) shifted = shifted || c.find(" 3,-8,") != std::string::npos;
  EXPECT_TRUE(shifted);
}

TEST_F(MultiLineTextBox, EnterBreaksTheLine) {
  int16_t key = 'a';
  txt->KeyPress(key);
  key = 13;
  txt->KeyPress(key);
  key = 10;
  txt->KeyPress(key);
  EXPECT_EQ(txt->Text(), "a\r\n\n");
}

}  // namespace
