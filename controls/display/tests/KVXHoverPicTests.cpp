#include <gtest/gtest.h>

#include "display/KVXHoverPic.h"
#include "gdi/BitmapBits.h"
#include "runtime/Clock.h"
#include "tests/DisplayTestHost.h"
#include "win/InputRouting.h"

namespace kvctl2 {
namespace {

const char* kDesign = R"(Begin Form frmHost
   ClientWidth = 3000
   ClientHeight = 1500
   Begin Kvctl2.KVXHoverPic pic
      Left = 120
      Top = 120
      Width = 600
      Height = 600
   End
End
)";

const gdi::COLORREF kGreen = gdi::RGB(0, 160, 0);
const gdi::COLORREF kWhite = gdi::RGB(255, 255, 255);

com::StdPicturePtr GreenIcon(int size) {
  gdi::OwnedBitmap bitmap(gdi::CreateFilledBitmap(size, size, kGreen));
  return com::StdPicture::FromIcon(gdi::OwnedIcon(gdi::CreateIconFromBitmap(bitmap.Get())));
}

class PictureButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_shared<test::HostForm>(kDesign);
    host->Show();
    pic = host->Get<KVXHoverPic>("pic");
    host->Record("pic");
  }
  void TearDown() override {
    win::RouteMouseLeftDisplay();
    host->Unload();
  }
  gdi::COLORREF At(int x, int y) { return test::Rendered(*pic).Pixel(x, y); }
  rt::ManualClock clock;
  rt::ScopedClock useClock{clock};
  std::shared_ptr<test::HostForm> host;
  std::shared_ptr<KVXHoverPic> pic;
};

TEST_F(PictureButtons, AnIconAloneMakesTheHotPressedAndDisabledLooks) {
  pic->SetImageUp(GreenIcon(32));
  EXPECT_EQ(pic->Width(), 510);  // 32 + 2 pixels for the shadow
  EXPECT_EQ(pic->Height(), 510);
  test::MoveTo(*pic, 5, 5);  // hot: the icon over its grey silhouette
  EXPECT_EQ(At(0, 0), kGreen);
  EXPECT_EQ(At(33, 33), gdi::RGB(0xC0, 0xC0, 0xC0));
  test::Press(*pic, 5, 5);  // down: moved one pixel
  EXPECT_EQ(At(0, 0), kWhite);
  EXPECT_EQ(At(32, 32), kGreen);
  test::Release(*pic, 5, 5);
  pic->Let("Enabled", false);  // embossed
  EXPECT_NE(At(10, 10), kGreen);
  EXPECT_NE(At(10, 10), kWhite);
}

TEST_F(PictureButtons, ABitmapSizesTheButtonAndStaysInPlaceWhenPressed) {
  pic->SetImageUp(com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CreateFilledBitmap(40, 20, kGreen))));
  EXPECT_EQ(pic->Width(), 600);
  EXPECT_EQ(pic->Height(), 300);
  test::MoveTo(*pic, 5, 5);
  test::Press(*pic, 5, 5);
  EXPECT_EQ(At(0, 0), kGreen);
  test::Release(*pic, 5, 5);
}

TEST_F(PictureButtons, ADisabledBitmapStaysRecognisableAndKeepsItsShape) {
  // Green on the left, blue on the right, the mask colour (red) in a corner.
  const gdi::COLORREF mask = gdi::RGB(255, 0, 0);
  std::vector<uint32_t> pixels(40 * 20);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 40; ++x) pixels[y * 40 + x] = x < 4 && y < 4 ? 0xFFFF0000u : x < 20 ? 0xFF00A000u : 0xFF0000C8u;
  }
  pic->SetImageUp(com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CreateBitmapFromArgb(40, 20, pixels))));
  pic->Let("Enabled", false);
  const gdi::COLORREF left = At(10, 10);
  const gdi::COLORREF right = At(30, 10);
  for (gdi::COLORREF c : {left, right}) {  // grey, and lighter than the colour
    EXPECT_EQ(gdi::GetRValue(c), gdi::GetGValue(c));
    EXPECT_EQ(gdi::GetGValue(c), gdi::GetBValue(c));
  }
  EXPECT_GT(gdi::GetRValue(left), 0xA0 / 2);
  EXPECT_NE(left, right);     // the picture, not one flat square
  EXPECT_EQ(At(1, 1), mask);  // the shape's colour stays for the mask
  gdi::SIZE size{};
  EXPECT_EQ(gdi::GetBitmapArgb(pic->MaskPicture()->Bitmap(), &size)[0], 0xFFFF0000u);
  pic->Let("Enabled", true);
  EXPECT_EQ(At(10, 10), gdi::RGB(0, 0xA0, 0));
}

TEST_F(PictureButtons, ACheckButtonTogglesAndKeepsItsDownLook) {
  pic->SetImageUp(GreenIcon(16));
  pic->Let("Style", abCheckButton);
  test::MoveTo(*pic, 5, 5);
  test::Click(*pic, 5, 5);
  EXPECT_EQ(pic->Value(), abPressed);
  test::MoveTo(*pic, 6, 6);  // no hot look over a pressed check button
  EXPECT_EQ(At(0, 0), kWhite);
  win::RouteMouseMove(win::POINT{2000, 2000});  // leaving shows the look of the value
  EXPECT_EQ(At(1, 1), kGreen);
  EXPECT_EQ(At(0, 0), kWhite);
  clock.Advance(1000);
  test::MoveTo(*pic, 5, 5);
  test::Click(*pic, 5, 5);
  EXPECT_EQ(pic->Value(), abUnPressed);
  pic->SetValue(abPressed);
  pic->SetStyle(abStandardButton);  // back to 0 and the up look
  EXPECT_EQ(pic->Value(), abUnPressed);
  EXPECT_EQ(At(0, 0), kGreen);
}

TEST_F(PictureButtons, ADoubleClickSwallowsItsSecondPress) {
  pic->Let("Style", abCheckButton);
  test::MoveTo(*pic, 5, 5);
  host->events.clear();
  test::Click(*pic, 5, 5);
  clock.Advance(100);
  test::Click(*pic, 5, 5);
  EXPECT_EQ(host->events, (std::vector<std::string>{"MouseDown(1, 0, 5, 5)", "MouseUp(1, 0, 5, 5)", "Click()",
                                                    "DblClick()", "MouseUp(1, 0, 5, 5)", "Click()"}));
  EXPECT_EQ(pic->Value(), abUnPressed);  // toggled twice
}

TEST_F(PictureButtons, ARightPressHasNoDownLookAndKeysNeverReachTheHost) {
  pic->SetImageUp(GreenIcon(16));
  test::MoveTo(*pic, 5, 5);
  host->events.clear();
  test::Press(*pic, 5, 5, win::MouseButton::Right);
  EXPECT_EQ(host->events, (std::vector<std::string>{"MouseDown(2, 0, 5, 5)"}));
  EXPECT_EQ(At(0, 0), kGreen);
  test::Release(*pic, 5, 5, win::MouseButton::Right);
  int16_t key = 65;
  pic->KeyDown(key, 0);
  pic->KeyPress(key);
  EXPECT_EQ(host->events.size(), 2u);
}

TEST_F(PictureButtons, PersistsUnderItsOwnKeys) {
  pic->SetAutosize(false);
  pic->SetStyle(abCheckButton);
  com::PropertyBag bag;
  pic->WriteProperties(bag);
  // Loaded from design data without an image: its ImageUp is an empty picture.
  EXPECT_EQ(bag.Names(), (std::vector<std::string>{"ImageUp", "Style", "AutoSize"}));
  EXPECT_EQ(pic->GetIDOfName("Autosize"), 0x68030001);
}

}  // namespace
}  // namespace kvctl2
