#include <gtest/gtest.h>

#include "display/KVXInfoPanelLight.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "runtime/ErrorNumberOf.h"
#include "tests/DisplayTestHost.h"
#include "win/InputRouting.h"

namespace kvctl2 {
namespace {

// A panel of 200 x 60 pixels.
const char* kDesign = R"(Begin Form frmHost
   ClientWidth = 4500
   ClientHeight = 2000
   Begin Kvctl2.KVXInfoPanelLight panProfTxt
      Left = 150
      Top = 150
      Width = 3000
      Height = 900
      Text = "Profile <BR> settings"
   End
End
)";

class LightPanels : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_shared<test::HostForm>(kDesign);
    host->Show();
    pan = host->Get<KVXInfoPanelLight>("panProfTxt");
    gdi::OwnedBitmap square(gdi::CreateFilledBitmap(16, 16, gdi::RGB(0, 0, 200)));
    pan->SetPictureProperty(com::StdPicture::FromBitmap(std::move(square)));
    host->Record("panProfTxt");
    host->changed.clear();
  }
  void TearDown() override {
    win::RouteMouseLeftDisplay();
    host->Unload();
  }
  std::vector<int> Pixels(const com::Control& c) {
    return {gdi::TwipsToPixelsX(c.Left()), gdi::TwipsToPixelsY(c.Top()), c.PixelWidth(), c.PixelHeight()};
  }
  bool Underlined() { return pan->lblHead().Font()->Underline(); }
  void Leave() { win::RouteMouseMove(win::POINT{5000, 5000}); }
  std::shared_ptr<test::HostForm> host;
  std::shared_ptr<KVXInfoPanelLight> pan;
};

TEST_F(LightPanels, PictureAndTextHaveFixedPlaces) {
  EXPECT_EQ(Pixels(pan->imgPicture()), (std::vector<int>{6, 5, 16, 16}));
  EXPECT_EQ(Pixels(pan->lblHead()), (std::vector<int>{26, 6, 200 - 31, 60 - 11}));
  EXPECT_EQ(pan->lblHead().Caption(), "Profile <BR> settings");  // no markup
  pan->Let("RightMargin", 20);                                   // takes effect at the next layout
  EXPECT_EQ(pan->lblHead().PixelWidth(), 169);
  pan->Move(150, 150, 3000, 900 + 15);
  EXPECT_EQ(pan->lblHead().PixelWidth(), 149);
}

TEST_F(LightPanels, TheHotLinkUnderlinesWhileThePointerIsOverTheBox) {
  pan->SetHotLink(true);
  test::MoveTo(*pan, 10, 10);  // over the picture: nothing
  EXPECT_FALSE(Underlined());
  EXPECT_TRUE(host->events.empty());
  test::MoveTo(*pan, 100, 30);
  EXPECT_TRUE(Underlined());
  Leave();
  EXPECT_FALSE(Underlined());
  EXPECT_EQ(host->events, (std::vector<std::string>{"MouseMove(0, 0)", "MouseOut()"}));
}

TEST_F(LightPanels, AnUnderlinedFontStaysUnlessTheHotLinkTakesItAway) {
  auto font = com::StdFont::Create();
  font->SetUnderline(true);
  pan->SetFontProperty(font);
  test::MoveTo(*pan, 100, 30);
  Leave();
  EXPECT_TRUE(Underlined());
  EXPECT_EQ(host->events.back(), "MouseOut()");  // also without the hot link
  pan->SetHotLink(true);
  test::MoveTo(*pan, 100, 30);
  Leave();
  EXPECT_FALSE(Underlined());
  test::MoveTo(*pan, 100, 30);
  EXPECT_TRUE(Underlined());
}

TEST_F(LightPanels, ClicksAndTheSameBackColour) {
  test::Click(*pan, 100, 30);
  EXPECT_EQ(host->events, (std::vector<std::string>{"MouseDown(1, 0)", "MouseUp(1, 0)", "Click()"}));
  pan->Let("BackColor", 0xE2FFFF);
  EXPECT_TRUE(host->changed.empty());
  pan->Let("BackColor", 0xFFFFFF);
  EXPECT_EQ(host->changed, (std::vector<std::string>{"BackColor"}));
  EXPECT_EQ(rt::ErrorNumberOf([&] { pan->Set("Font", com::Nothing()); }), 380);
}

}  // namespace
}  // namespace kvctl2
