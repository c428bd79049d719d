#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "com/ControlFactory.h"
#include "display/KVXFrame.h"
#include "gdi/FontBackend.h"
#include "runtime/Clock.h"
#include "runtime/ErrorNumberOf.h"
#include "tests/DisplayTestHost.h"
#include "win/Cursor.h"
#include "win/Input.h"

namespace kvctl2 {
namespace {

// A frame of 3000 x 3000 twips (200 x 200 pixels) on a grey form.
const char* kDesign = R"(Begin Form frmHost
   ClientWidth = 6000
   ClientHeight = 4000
   BackColor = &HC0C0C0
   Begin Kvctl2.KVXFrame fra
      Left = 300
      Top = 300
      Width = 3000
      Height = 3000
      Caption = "Frame"
   End
End
)";

// An icon picture of 16 x 16 pixels in one colour.
com::StdPicturePtr Icon(gdi::COLORREF color) {
  gdi::OwnedBitmap bitmap(gdi::CreateFilledBitmap(16, 16, color));
  return com::StdPicture::FromIcon(gdi::OwnedIcon(gdi::CreateIconFromBitmap(bitmap.Get())));
}

class Frames : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_shared<test::HostForm>(kDesign);
    host->Show();
    fra = host->Get<KVXFrame>("fra");
    host->Record("fra");
    host->changed.clear();
  }
  void TearDown() override {
    win::ReleaseCapture();
    host->Unload();
  }
  // What a step draws, on the persistent and on the shown picture.
  std::vector<std::string> Recorded(const std::function<void()>& step) {
    gdi::DrawingSurface& s = fra->Surface();
    const bool autoRedraw = s.AutoRedraw();
    s.SetAutoRedraw(true);
    const gdi::HDC image = s.hDC();
    s.SetAutoRedraw(false);
    const gdi::HDC shown = s.hDC();
    s.SetAutoRedraw(autoRedraw);
    for (gdi::HDC dc : {image, shown}) gdi::StartRecording(dc);
    step();
    std::vector<std::string> calls;
    for (gdi::HDC dc : {image, shown}) {
      for (auto& c : gdi::RecordedCalls(dc)) calls.push_back(c);
      gdi::StopRecording(dc);
    }
    return calls;
  }
  std::vector<std::string> Calls() {
    return Recorded([&] { fra->drawControl(); });
  }
  std::vector<std::string> TextCalls() {
    std::vector<std::string> texts;
    for (const auto& c : Calls())
      if (c.rfind("DrawText", 0) == 0) texts.push_back(c);
    return texts;
  }
  void ClickCaption() {
    test::MoveTo(*fra, 50, 10);
    test::Click(*fra, 50, 10);
  }

  gdi::ScopedFixedMetrics metrics;
  rt::ManualClock clock;
  rt::ScopedClock useClock{clock};
  std::shared_ptr<test::HostForm> host;
  std::shared_ptr<KVXFrame> fra;
};

TEST_F(Frames, ANewFrameHasItsDefaults) {
  auto fresh = std::dynamic_pointer_cast<KVXFrame>(host->AddControl("Kvctl2.KVXFrame", "fraNew"));
  ASSERT_TRUE(fresh);
  EXPECT_EQ(fresh->CaptionPixels(), 20);
  EXPECT_TRUE(fresh->Expandiert());
  EXPECT_FALSE(fresh->Expandierbar());
  EXPECT_EQ(fresh->Get("BorderRoundColor").ToLong(), 0xC0C0C0);
  com::PropertyBag bag;
  fresh->WriteProperties(bag);
  // Its empty pictures differ from the bag's default, Nothing.
  EXPECT_EQ(bag.Names(), (std::vector<std::string>{"CollapseIcon", "BorderRoundColor", "BackgroundImage"}));
}

TEST_F(Frames, CaptionHeightSetsTheBandAndRefusesWhatDoesNotFit) {
  com::Args twelve{int16_t{12}};
  fra->Invoke(0x68030012, com::CallKind::PropertyLet, twelve);
  EXPECT_EQ(fra->CaptionPixels(), 52);
  // The Let and the property bag take and refuse the same values: a band
  // of CaptionHeight x 4 + 4 pixels that fits 16 bits; a refused value
  // leaves the band as it was.
  struct Case {
    int32_t height;
    bool fits;
    int32_t pixels;
  };
  const Case cases[] = {{8190, true, 32764},   {8191, false, 0},  {-1, true, 0},      {-2, true, -4},
                        {-8193, true, -32768}, {-8194, false, 0}, {-10000, false, 0}, {100000, false, 0}};
  for (const Case& c : cases) {
    fra->SetCaptionHeight(12);
    const int error = rt::ErrorNumberOf([&] { fra->Let("CaptionHeight", c.height); });
    com::PropertyBag bag;
    bag.WriteProperty("CaptionHeight", c.height, int16_t{4});
    auto loaded = std::make_shared<KVXFrame>();
    loaded->ReadProperties(bag);
    if (c.fits) {
      EXPECT_EQ(error, 0) << c.height;
      EXPECT_EQ(fra->CaptionPixels(), c.pixels) << c.height;
      EXPECT_EQ(loaded->CaptionPixels(), c.pixels) << c.height;
    } else {
      EXPECT_EQ(error, 6) << c.height;
      EXPECT_EQ(fra->CaptionPixels(), 52) << c.height;
      EXPECT_EQ(loaded->CaptionPixels(), 20) << c.height;
    }
  }
}

TEST_F(Frames, BorderRoundColorAndItsAutomaticColour) {
  fra->Let("BorderRoundColor", 0x0000FF);
  EXPECT_FALSE(fra->Get("AutoColorRoundBorder").ToBool());
  EXPECT_EQ(host->changed, (std::vector<std::string>{"BorderRoundColor"}));
  fra->Let("AutoColorRoundBorder", false);
  EXPECT_EQ(fra->Get("BorderRoundColor").ToLong(), 0x0000FF);
  fra->Let("AutoColorRoundBorder", true);
  EXPECT_EQ(fra->Get("BorderRoundColor").ToLong(), 0xC0C0C0);
}

TEST_F(Frames, SomeSettingsChangeNothingVisibleUntilTheNextRepaint) {
  for (const char* name :
       {"PlaySound", "ShadowWide", "CaptionIconShadow", "CaptionHoverMode", "CaptionFontHoverColor"}) {
    EXPECT_TRUE(Recorded([&] { fra->Let(name, 3); }).empty()) << name;
  }
  EXPECT_EQ(host->changed.size(), 5u);
}

TEST_F(Frames, TheCaptionTextShowsAmpersandsAndIsShortenedToFit) {
  fra->SetCaption("Save & Load");
  EXPECT_EQ(TextCalls(), (std::vector<std::string>{"DrawText 'Save && Load' 4,0,196,20 flags=0x24 #000000 "
                                                   "font='MS Sans Serif' h=-11"}));
  // 6 pixels a character: 200 - 4 - 6 pixels hold 31 of them.
  fra->SetCaption("C:\\Program Files\\Quorvelle\\Admin\\Settings\\QVAdmin.ini");
  const std::string call = TextCalls().at(0);
  const std::string text = call.substr(10, call.find('\'', 10) - 10);
  EXPECT_NE(text.find("..."), std::string::npos);
  EXPECT_LE(text.size() * 6, 190u);
  EXPECT_EQ(text.substr(text.size() - 12), "\\QVAdmin.ini");
}

TEST_F(Frames, ADisabledCaptionIsEmbossed) {
  fra->Let("Enabled", false);
  const auto texts = TextCalls();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_NE(texts[0].find("5,1,197,21 flags=0x24 #FFFFFF"), std::string::npos) << texts[0];
  EXPECT_NE(texts[1].find("4,0,196,20 flags=0x24 #808080"), std::string::npos) << texts[1];
  EXPECT_FALSE(win::IsWindowEnabled(fra->hWnd()));
}

TEST_F(Frames, StripesRoundCornersAndBorders) {
  fra->SetCaption("");
  {
    test::Rendered look(*fra);
    // The A gradient from &HD9DFE3 to grey, its last strip one step short
    // of the start colour; the B gradient from button face to white.
    auto near = [](gdi::COLORREF a, gdi::COLORREF b) {
      return std::abs(gdi::GetRValue(a) - gdi::GetRValue(b)) <= 1 &&
             std::abs(gdi::GetGValue(a) - gdi::GetGValue(b)) <= 1 &&
             std::abs(gdi::GetBValue(a) - gdi::GetBValue(b)) <= 1;
    };
    EXPECT_TRUE(near(look.Pixel(0, 0), gdi::RGB(0xE3, 0xDF, 0xD9)));
    EXPECT_EQ(look.Pixel(199, 0), gdi::RGB(0x80, 0x80, 0x80));
    EXPECT_TRUE(near(look.Pixel(0, 2), gdi::GetSysColor(gdi::COLOR_BTNFACE)));
    EXPECT_EQ(look.Pixel(199, 2), gdi::RGB(255, 255, 255));
    EXPECT_EQ(look.Pixel(100, 19), look.Pixel(100, 18));  // the band ends with two A rows
    EXPECT_EQ(look.Pixel(100, 20), gdi::RGB(255, 255, 255));
  }
  fra->Let("CaptionBorder", pbRound);
  fra->Let("BorderStyle", pbRound);
  fra->Let("BorderRoundColor", 0x0000FF);
  test::Rendered look(*fra);
  const gdi::COLORREF red = gdi::RGB(255, 0, 0), grey = gdi::RGB(0x80, 0x80, 0x80);
  const int widths[] = {5, 3, 2, 1, 1};
  for (int row = 0; row < 5; ++row) {
    EXPECT_EQ(look.Pixel(widths[row] - 1, row), red) << row;
    EXPECT_NE(look.Pixel(widths[row], row), red) << row;
    EXPECT_EQ(look.Pixel(200 - widths[row], row), red) << row;
  }
  EXPECT_EQ(look.Pixel(0, 20), grey);                     // the border starts under the band,
  EXPECT_EQ(look.Pixel(1, 20), gdi::RGB(255, 255, 255));  // open between its ends
  EXPECT_EQ(look.Pixel(0, 199), grey);
}

TEST_F(Frames, OnlyBitmapsAreTiledOverTheBody) {
  gdi::OwnedBitmap tile(gdi::CreateFilledBitmap(30, 30, gdi::RGB(0, 128, 0)));
  fra->Set("BackgroundImage", com::ToVariant(com::StdPicture::FromBitmap(std::move(tile))));
  EXPECT_EQ(test::Rendered(*fra).Pixel(150, 150), gdi::RGB(0, 128, 0));
  EXPECT_NE(test::Rendered(*fra).Pixel(150, 10), gdi::RGB(0, 128, 0));
  fra->Set("BackgroundImage", com::ToVariant(Icon(gdi::RGB(0, 128, 0))));
  EXPECT_EQ(test::Rendered(*fra).Pixel(150, 150), gdi::RGB(255, 255, 255));
}

TEST_F(Frames, TheBulletNeedsACaptionIconAndRoomForIt) {
  fra->Let("ShowBullet", true);
  auto bullets = [&] {
    int n = 0;
    for (const auto& c : Calls())
      if (c.rfind("DrawState bitmap 6,6 9x9", 0) == 0) ++n;
    return n;
  };
  EXPECT_EQ(bullets(), 0);
  fra->Set("CaptionIcon", com::ToVariant(Icon(gdi::RGB(0, 0, 255))));
  EXPECT_EQ(bullets(), 1);
  fra->Let("IconLeft", 35);
  EXPECT_EQ(bullets(), 0);
  // The icon ends 4 pixels before the reference x.
  fra->Let("IconLeft", 0);
  EXPECT_EQ(test::Rendered(*fra).Pixel(200 - 4 - 16, 2), gdi::RGB(0, 0, 255));
  EXPECT_NE(test::Rendered(*fra).Pixel(200 - 4, 2), gdi::RGB(0, 0, 255));
}

TEST_F(Frames, ACaptionClickCollapsesAndExpandsAgain) {
  fra->Let("Expandierbar", true);
  host->events.clear();
  ClickCaption();
  EXPECT_EQ(fra->Height(), 300);
  EXPECT_FALSE(fra->Expandiert());
  const std::vector<std::string> expected{"MouseDown(1, 0, 50, 10)", "MouseUp(1, 0, 50, 10)", "Collapse()",
                                          "IconClick()"};
  std::vector<std::string> clickEvents;
  for (const auto& e : host->events)
    if (e.rfind("Caption", 0) != 0 && e.rfind("MouseMove", 0) != 0 && e != "Resize()") clickEvents.push_back(e);
  EXPECT_EQ(clickEvents, expected);
  EXPECT_EQ(host->changed.back(), "Expandiert");
  clock.Advance(1000);
  ClickCaption();
  EXPECT_EQ(fra->Height(), 3000);
  // A HeightExpanded larger than the remembered height wins.
  fra->SetExpandiert(false);
  fra->Let("HeightExpanded", 3600);
  fra->SetExpandiert(true);
  EXPECT_EQ(fra->Height(), 3600);
}

TEST_F(Frames, DisabledOrFixedFramesIgnoreCaptionClicks) {
  ClickCaption();  // not expandable
  EXPECT_EQ(fra->Height(), 3000);
  for (const auto& e : host->events) EXPECT_TRUE(e.rfind("Mouse", 0) != 0 || e.rfind("MouseMove", 0) == 0) << e;
  clock.Advance(100);
  test::Click(*fra, 50, 10);  // the second click of a double click
  EXPECT_EQ(host->events.back(), "DblClick()");

  fra->Let("Expandierbar", true);
  fra->Let("Enabled", false);
  host->events.clear();
  clock.Advance(1000);
  ClickCaption();
  EXPECT_EQ(fra->Height(), 3000);
  EXPECT_TRUE(host->events.empty());
}

TEST_F(Frames, HoveringTheCaption) {
  fra->Let("Expandierbar", true);
  fra->Let("CaptionHoverMode", ColorUnderline);
  fra->Let("CaptionFontHoverColor", 0x0000FF);
  host->events.clear();
  test::MoveTo(*fra, 50, 10);
  test::MoveTo(*fra, 60, 10);
  EXPECT_EQ(win::GetCapture(), fra->hWnd());
  EXPECT_TRUE(fra->CaptionHot());
  EXPECT_TRUE(fra->CaptionFont()->Underline());
  EXPECT_EQ(fra->MousePointer(), 99);
  EXPECT_EQ(win::GetCursorShape(win::GetCursor())->hotSpot.x, 12);
  EXPECT_NE(TextCalls().at(0).find("#FF0000"), std::string::npos);
  test::MoveTo(*fra, 60, 100);  // out of the caption: leave once
  test::MoveTo(*fra, 60, 120);
  EXPECT_EQ(host->events, (std::vector<std::string>{"MouseMove(0, 0, 50, 10)", "CaptionOver()",
                                                    "MouseMove(0, 0, 60, 10)", "CaptionOver()", "CaptionOut()"}));
  EXPECT_EQ(win::GetCapture(), win::kNoWindow);
  EXPECT_FALSE(fra->CaptionFont()->Underline());
  EXPECT_EQ(fra->MousePointer(), 0);

  // Deactivate: capture, pointer and icon shadow, but the text unchanged.
  fra->Let("CaptionHoverMode", Deactivate);
  test::MoveTo(*fra, 50, 10);
  EXPECT_EQ(fra->MousePointer(), 99);
  EXPECT_FALSE(fra->CaptionFont()->Underline());
  EXPECT_NE(TextCalls().at(0).find("#000000"), std::string::npos);
}

// A stand-in for the frame box: records CtrlRefresh and when it came.
class FakeBox : public com::UserControl {
 public:
  FakeBox() {
    DefineMethod("CtrlRefresh", [this](com::Args& args) {
      calls.push_back(com::RequiredArg(args, 0).ToLong());
      return rt::Variant();
    });
  }
  std::string ClassName() const override { return "KVXFrameBox"; }
  bool AcceptsContainedControls() const override { return true; }
  std::vector<int32_t> calls;
};

TEST_F(Frames, AFrameInAFrameBoxAsksItToRestackAfterEachToggle) {
  auto box = std::make_shared<FakeBox>();
  box->Site(*host, "box", -1);
  box->Move(0, 0, 4000, 4000);
  box->AddContainedControl(fra);
  fra->SetExpandiert(false);
  fra->SetExpandiert(true);
  EXPECT_EQ(box->calls, (std::vector<int32_t>{win::ToInt(fra->hWnd()), win::ToInt(fra->hWnd())}));
  box->Unsite();
}

}  // namespace
}  // namespace kvctl2
