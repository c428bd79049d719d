#include <gtest/gtest.h>

#include "display/KVXLineHover.h"
#include "gdi/FontBackend.h"
#include "runtime/Clock.h"
#include "tests/DisplayTestHost.h"
#include "win/Cursor.h"
#include "win/Input.h"

namespace kvctl2 {
namespace {

// A link 3300 x 300 twips (220 x 20 pixels) and, beside it, room to leave
// it. On fixed metrics a character of its font is 6 pixels wide.
const char* kDesign = R"(Begin Form frmHost
   ClientWidth = 6000
   ClientHeight = 1500
   Begin Kvctl2.KVXLineHover hov(0)
      Left = 120
      Top = 120
      Width = 3300
      Height = 300
      Caption = "Check for updates"
   End
End
)";

com::StdPicturePtr BlueIcon() {
  gdi::OwnedBitmap bitmap(gdi::CreateFilledBitmap(16, 16, gdi::RGB(0, 0, 255)));
  return com::StdPicture::FromIcon(gdi::OwnedIcon(gdi::CreateIconFromBitmap(bitmap.Get())));
}

class Links : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_shared<test::HostForm>(kDesign);
    host->Show();
    hov = host->Get<KVXLineHover>("hov", 0);
    host->Record("hov");
  }
  void TearDown() override {
    win::RouteMouseLeftDisplay();
    host->Unload();
  }
  // The captions the last repaint drew, with their rectangles and colours.
  std::vector<std::string> Drawn(const std::function<void()>& step) {
    const gdi::HDC dc = hov->hDC();
    gdi::StartRecording(dc);
    step();
    std::vector<std::string> texts;
    for (const auto& c : gdi::RecordedCalls(dc))
      if (c.rfind("DrawText", 0) == 0) texts.push_back(c.substr(9, c.find(" font=") - 9));
    gdi::StopRecording(dc);
    return texts;
  }
  void Leave() { win::RouteMouseMove(win::POINT{5000, 5000}); }

  gdi::ScopedFixedMetrics metrics;
  rt::ManualClock clock;
  rt::ScopedClock useClock{clock};
  std::shared_ptr<test::HostForm> host;
  std::shared_ptr<KVXLineHover> hov;
};

TEST_F(Links, HoverPressAndLeaveChangeTheLook) {
  EXPECT_EQ(Drawn([&] { test::MoveTo(*hov, 10, 5); }),
            (std::vector<std::string>{"'Check for updates' 0,1,220,20 flags=0x20 #800080"}));
  EXPECT_TRUE(hov->Font()->Underline());
  EXPECT_EQ(win::GetCursorShape(win::GetCursor())->hotSpot.y, 2);  // the hand
  EXPECT_EQ(Drawn([&] { test::Press(*hov, 10, 5); }),
            (std::vector<std::string>{"'Check for updates' 0,1,220,20 flags=0x20 #FF0000"}));
  EXPECT_EQ(Drawn([&] { test::Release(*hov, 10, 5); }),
            (std::vector<std::string>{"'Check for updates' 0,1,220,20 flags=0x20 #0000FF"}));
  EXPECT_FALSE(hov->Font()->Underline());
  test::MoveTo(*hov, 11, 5);
  Leave();
  EXPECT_EQ(host->events,
            (std::vector<std::string>{"MouseMove(0, 0, 10, 5)", "MouseDown(1, 0, 10, 5)", "MouseUp(1, 0, 10, 5)",
                                      "Click()", "MouseMove(0, 0, 11, 5)", "MouseOut()"}));
}

TEST_F(Links, ADoubleClickIsTwoClicksWithDblClickBetween) {
  test::MoveTo(*hov, 10, 5);
  host->events.clear();
  test::Click(*hov, 10, 5);
  clock.Advance(100);
  test::Click(*hov, 10, 5);
  EXPECT_EQ(host->events,
            (std::vector<std::string>{"MouseDown(1, 0, 10, 5)", "MouseUp(1, 0, 10, 5)", "Click()", "DblClick()",
                                      "MouseDown(1, 0, 10, 5)", "MouseUp(1, 0, 10, 5)", "Click()"}));
  // A right double click: its second press is a left one.
  host->events.clear();
  clock.Advance(1000);
  test::Click(*hov, 10, 5, win::MouseButton::Right);
  clock.Advance(100);
  test::Press(*hov, 10, 5, win::MouseButton::Right);
  EXPECT_EQ(host->events, (std::vector<std::string>{"MouseDown(2, 0, 10, 5)", "MouseUp(2, 0, 10, 5)", "DblClick()",
                                                    "MouseDown(1, 0, 10, 5)"}));
  test::Release(*hov, 10, 5, win::MouseButton::Right);
}

TEST_F(Links, ADeactivatedLinkOnlyReportsTheMouse) {
  hov->Let("HoverStyle", CapDeactivate);
  EXPECT_EQ(hov->MousePointer(), 0);
  const auto moved = Drawn([&] { test::MoveTo(*hov, 10, 5); });
  EXPECT_NE(moved.at(0).find("#0000FF"), std::string::npos);  // ForeColor: no visible change
  EXPECT_TRUE(Drawn([&] { test::Press(*hov, 10, 5); }).empty());
  test::Release(*hov, 10, 5);
  clock.Advance(100);
  test::Click(*hov, 10, 5);
  for (const auto& e : host->events) EXPECT_TRUE(e != "Click()" && e != "DblClick()") << e;
}

TEST_F(Links, ADisabledLinkIsEmbossedAndItsIconStaysInColour) {
  hov->SetIcon(BlueIcon());
  EXPECT_EQ(Drawn([&] { hov->Let("Enabled", false); }),
            (std::vector<std::string>{"'Check for updates' 21,2,221,21 flags=0x20 #FFFFFF",
                                      "'Check for updates' 20,1,220,20 flags=0x20 #808080"}));
  EXPECT_EQ(test::Rendered(*hov).Pixel(8, 8), gdi::RGB(0, 0, 255));
}

TEST_F(Links, CaptionsAreCompactedAndAmpersandsShown) {
  hov->SetIcon(BlueIcon());
  hov->SetCaption("C:\\Quorvelle\\Updates\\Archive\\2024\\QVUpdate.exe & ver.txt");
  // 3300 - 300 twips leave 200 pixels: 33 characters.
  const std::string compact = hov->CompactString(hov->Caption());
  EXPECT_LE(compact.size() * 6, 200u);
  EXPECT_NE(compact.find("..."), std::string::npos);
  EXPECT_EQ(compact.find("&&"), std::string::npos);
  const auto drawn = Drawn([&] { hov->PaintLink(false); });
  EXPECT_NE(drawn.at(0).find("&& ver.txt"), std::string::npos) << drawn.at(0);
}

TEST_F(Links, AutoWidthFitsTheCaptionUpToItsLimit) {
  hov->SetCaption("");
  hov->SetIcon(BlueIcon());
  hov->SetAutoWidth(true);
  EXPECT_EQ(hov->Width(), 23 * 15);
  hov->SetIcon(nullptr);
  hov->SetCaption(std::string(40, 'x'));  // 240 pixels
  EXPECT_EQ(hov->Width(), (3 + 240) * 15);
  hov->SetMaxAutoWidth(1500);
  EXPECT_EQ(hov->Width(), 1500);
  hov->SetMaxAutoWidth(0);
  EXPECT_EQ(hov->Width(), (3 + 240) * 15);
}

TEST_F(Links, InADesignerNothingReactsToThePointer) {
  host->designMode = true;
  hov->Show();
  test::MoveTo(*hov, 10, 5);
  Leave();
  for (const auto& e : host->events) EXPECT_NE(e, "MouseOut()");
}

TEST_F(Links, PersistsWithTheLoadDefaults) {
  com::PropertyBag bag;
  hov->WriteProperties(bag);
  // Loaded without a stored back colour it is black, the load default.
  EXPECT_EQ(bag.Names(), (std::vector<std::string>{"Caption"}));
  EXPECT_EQ(hov->GetIDOfName("Caption"), 0x68030007);
  EXPECT_EQ(hov->GetIDOfName("Font"), -512);
  EXPECT_EQ(hov->EventDispId("MouseOut"), 9);
}

}  // namespace
}  // namespace kvctl2
