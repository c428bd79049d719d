#include <gtest/gtest.h>

#include "display/KVXInfoPanel.h"
#include "forms/Label.h"
#include "forms/PictureBox.h"
#include "forms/TextBox.h"
#include "gdi/FontBackend.h"
#include "runtime/ErrorNumberOf.h"
#include "tests/DisplayTestHost.h"

namespace kvctl2 {
namespace {

// A panel 200 x 65 pixels with a caption: the body starts at 26 and has
// 65 - 26 - 6 = 33 pixels, three lines of 11 pixels on fixed metrics.
const char* kDesign = R"(Begin Form frmHost
   ClientWidth = 4500
   ClientHeight = 2000
   Begin Kvctl2.KVXInfoPanel pnlInf(0)
      Left = 150
      Top = 150
      Width = 3000
      Height = 975
      Caption = "Notice"
      Text = "one"
   End
End
)";

com::StdPicturePtr Square(int size) {
  return com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CreateFilledBitmap(size, size, gdi::RGB(0, 0, 200))));
}

class InfoPanels : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_shared<test::HostForm>(kDesign);
    host->Show();
    pnl = host->Get<KVXInfoPanel>("pnlInf", 0);
    host->Record("pnlInf");
  }
  void TearDown() override { host->Unload(); }
  int LeftOf(const com::Control& c) { return gdi::TwipsToPixelsX(c.Left()); }

  gdi::ScopedFixedMetrics metrics;
  std::shared_ptr<test::HostForm> host;
  std::shared_ptr<KVXInfoPanel> pnl;
};

TEST_F(InfoPanels, TheLineBreakMarkerInAnyCase) {
  pnl->Let("Text", "first<br>second");
  EXPECT_EQ(pnl->lblTip().Caption(), "first\rsecond");
  EXPECT_EQ(pnl->txtTip().Text(), "first\r\nsecond");
  EXPECT_EQ(pnl->Get("Text").ToString(), "first<br>second");
  EXPECT_EQ(pnl->GetIDOfName("Text"), -517);
}

TEST_F(InfoPanels, TheBodyStartsUnderTheCaptionAndBesideThePicture) {
  EXPECT_EQ(pnl->BodyTop(), 26);
  pnl->SetCaption("");
  EXPECT_EQ(pnl->BodyTop(), 6);
  EXPECT_EQ(LeftOf(pnl->lblTip()), 8);
  pnl->SetPictureProperty(Square(32));
  pnl->SetRightMargin(10);
  EXPECT_EQ(LeftOf(pnl->lblTip()), 48);
  EXPECT_EQ(pnl->lblTip().PixelWidth(), 200 - 48 - 8 - 10);
  EXPECT_TRUE(pnl->imgPicture().Visible());
}

TEST_F(InfoPanels, ALongBodyMovesIntoTheScrollingTextBoxAndBack) {
  pnl->SetText("a<br>b<br>c");  // 33 pixels: exactly the room
  EXPECT_TRUE(pnl->lblTip().Visible());
  EXPECT_FALSE(pnl->txtTip().Visible());
  pnl->SetText("a<br>b<br>c<br>d");
  EXPECT_FALSE(pnl->lblTip().Visible());
  EXPECT_TRUE(pnl->txtTip().Visible());
  pnl->SetText("a");
  EXPECT_TRUE(pnl->lblTip().Visible());
}

TEST_F(InfoPanels, ATooNarrowPanelShowsOnlyPictureAndBorder) {
  pnl->SetPictureProperty(Square(16));
  pnl->Move(150, 150, 35 * 15, 975);  // 35 - (16 + 16) - 8 < 2
  EXPECT_EQ(pnl->lblHead().Width(), 0);
  EXPECT_FALSE(pnl->lblTip().Visible());
  EXPECT_FALSE(pnl->txtTip().Visible());
  EXPECT_TRUE(pnl->imgPicture().Visible());
}

TEST_F(InfoPanels, MouseEventsTellThePartThatWasHit) {
  pnl->SetPictureProperty(Square(16));
  host->events.clear();
  test::Press(*pnl, 1, 40);  // the border
  test::Release(*pnl, 1, 40);
  test::Press(pnl->imgPicture(), 3, 4);
  test::Release(pnl->imgPicture(), 3, 4);
  EXPECT_EQ(host->events, (std::vector<std::string>{"MouseDown(4, 1, 0, 1, 40)", "MouseUp(4, 1, 0, 1, 40)", "Click()",
                                                    "MouseDown(4, 1, 0, 3, 4)", "MouseDown(1, 1, 0, 3, 4)",
                                                    "MouseUp(4, 1, 0, 3, 4)", "MouseUp(1, 1, 0, 3, 4)", "Click()"}));
  host->events.clear();
  const int left = LeftOf(pnl->lblTip());
  test::Press(*pnl, left + 2, 28);
  test::Release(*pnl, left + 2, 28);
  EXPECT_EQ(host->events, (std::vector<std::string>{"MouseDown(4, 1, 0, 2, 2)", "MouseDown(3, 1, 0, 2, 2)",
                                                    "MouseUp(4, 1, 0, 2, 2)", "MouseUp(3, 1, 0, 2, 2)", "Click()"}));
}

TEST_F(InfoPanels, TheFontAndItsChanges) {
  EXPECT_EQ(rt::ErrorNumberOf([&] { pnl->Set("Font", com::Nothing()); }), 380);
  auto font = com::StdFont::Create("Tahoma", 10);
  pnl->SetFontProperty(font);
  EXPECT_EQ(pnl->lblHead().Font()->Name(), "Tahoma");
  EXPECT_TRUE(pnl->lblHead().Font()->Bold());
  host->changed.clear();
  font->SetItalic(true);  // applied anew
  EXPECT_TRUE(pnl->lblHead().Font()->Italic());
  EXPECT_EQ(host->changed, (std::vector<std::string>{"Font"}));
  font->SetBold(false);
  EXPECT_TRUE(pnl->lblHead().Font()->Bold());
}

TEST_F(InfoPanels, PaintsItsRoundedBorderOnPaleYellow) {
  test::Rendered look(*pnl);
  EXPECT_EQ(look.Pixel(100, 0), gdi::RGB(0x80, 0x80, 0x80));
  EXPECT_EQ(look.Pixel(1, 1), look.Pixel(0, 0));  // the rounded corner leaves the back colour
  EXPECT_EQ(look.Pixel(100, 45), gdi::RGB(255, 255, 226));
}

}  // namespace
}  // namespace kvctl2
