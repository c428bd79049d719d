#include <gtest/gtest.h>

#include "display/KVXPane.h"
#include "tests/DisplayTestHost.h"

namespace kvctl2 {
namespace {

// A flat pane 7770 x 465 twips (518 x 31 pixels) and a pane 3000 x 1500
// twips (200 x 100 pixels) without a border.
const char* kDesign = R"(Begin Form frmHost
   ClientWidth = 9000
   ClientHeight = 3000
   Begin Kvctl2.KVXPane panBar
      Left = 0
      Top = 0
      Width = 7770
      Height = 465
      BorderStyle = 1
      BackColor = &HE0E0E0
   End
   Begin Kvctl2.KVXPane pan
      Left = 0
      Top = 600
      Width = 3000
      Height = 1500
      BackColor = &HFFFFFF
   End
End
)";

class Panes : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_shared<test::HostForm>(kDesign);
    host->Show();
    bar = host->Get<KVXPane>("panBar");
    pan = host->Get<KVXPane>("pan");
    host->changed.clear();
  }
  void TearDown() override { host->Unload(); }
  std::shared_ptr<test::HostForm> host;
  std::shared_ptr<KVXPane> bar, pan;
};

TEST_F(Panes, AFlatPaneFramesItselfAndMakesItsInnerFrameTheScale) {
  test::Rendered look(*bar);
  const gdi::COLORREF grey = gdi::RGB(0x80, 0x80, 0x80);
  for (auto [x, y] : {std::pair{0, 0}, {517, 0}, {0, 30}, {517, 30}, {250, 0}, {250, 30}, {0, 15}, {517, 15}}) {
    EXPECT_EQ(look.Pixel(x, y), grey) << x << "," << y;
  }
  EXPECT_EQ(look.Pixel(250, 15), gdi::RGB(0xE0, 0xE0, 0xE0));
  com::PropertyBag bag;
  bar->WriteProperties(bag);
  EXPECT_EQ(bag.ReadProperty("ScaleLeft").ToDouble(), 8);
  EXPECT_EQ(bag.ReadProperty("ScaleTop").ToDouble(), 8);
  EXPECT_EQ(bag.ReadProperty("ScaleWidth").ToDouble(), 7758);
  EXPECT_EQ(bag.ReadProperty("ScaleHeight").ToDouble(), 453);
}

TEST_F(Panes, EachBorderStyleDrawsItsLines) {
  const gdi::COLORREF back = gdi::RGB(255, 255, 255), grey = gdi::RGB(0x80, 0x80, 0x80),
                      white = gdi::RGB(255, 255, 255), black = 0, red = gdi::RGB(255, 0, 0);
  pan->SetCrossColor2(red);  // the light lines in red, to tell them from the background
  struct Probe {
    int x, y;
    gdi::COLORREF color;
  };
  struct Case {
    int32_t style;
    int32_t headLineDiff;
    std::vector<Probe> probes;
  } cases[] = {
      {2, 0, {{0, 0, grey}, {1, 1, white}, {199, 50, white}, {198, 50, grey}, {100, 50, back}}},  // Frame
      {3, 0, {{0, 0, grey}, {199, 50, white}, {1, 1, back}}},                                     // Inset
      {4, 0, {{0, 50, white}, {100, 0, white}, {199, 50, grey}, {100, 99, grey}}},                // Raised
      {7, 0, {{17, 49, grey}, {17, 50, red}, {16, 49, back}, {198, 49, grey}}},                   // HeadLines
      {7, 2, {{17, 51, grey}, {17, 52, red}}},                                                    // two pixels lower
      {8, 0, {{0, 40, grey}, {1, 40, red}}},                                                      // HeadLinesVert
      {5, 0, {{20, 10, grey}, {20, 13, red}, {10, 20, red}, {13, 20, grey}, {190, 95, back}}},    // CrossSingle
      {9, 0, {{20, 10, grey}, {190, 95, back}}},                                                  // beyond the enum
      {6, 0, {{190, 89, grey}, {150, 86, red}, {189, 80, red}, {186, 80, grey}}},                 // CrossFull
      {-1, 0, {{0, 0, black}, {199, 50, black}, {100, 50, back}}},                                // negative: black
  };
  for (const Case& c : cases) {
    pan->SetHeadLineDiff(c.headLineDiff);
    pan->SetBorderStyle(c.style);
    test::Rendered look(*pan);
    for (const Probe& p : c.probes) {
      EXPECT_EQ(look.Pixel(p.x, p.y), p.color) << "style " << c.style << " at " << p.x << "," << p.y;
    }
  }
}

TEST_F(Panes, WithoutABorderTheHostsScaleStays) {
  pan->Let("ScaleWidth", 100);
  pan->Move(0, 600, 4500, 1500);
  EXPECT_EQ(pan->Get("ScaleWidth").ToDouble(), 100);
  pan->SetBorderStyle(1);
  pan->Move(0, 600, 3000, 1500);
  EXPECT_EQ(pan->Get("ScaleWidth").ToDouble(), 3000 - 12);
}

TEST_F(Panes, TheGradientRunsFromBackColorToBackColor2) {
  pan->SetGradientAngle(0);
  pan->ChangeColors(0xFFFFFF, 0xC5D6E0);
  pan->SetGradient(true);
  test::Rendered look(*pan);
  EXPECT_EQ(look.Pixel(0, 50), gdi::RGB(255, 255, 255));
  EXPECT_NEAR(gdi::GetRValue(look.Pixel(199, 50)), 0xE0, 2);
  EXPECT_NEAR(gdi::GetBValue(look.Pixel(199, 50)), 0xC5, 2);
  // A system colour as BackColor is resolved by the painter.
  pan->SetBackColorProperty(0x8000000F);
  test::Rendered system(*pan);
  EXPECT_EQ(system.Pixel(0, 50), gdi::GetSysColor(gdi::COLOR_BTNFACE));
}

TEST_F(Panes, MembersByIdAndNameMarkTheirKeys) {
  com::Args style{3};
  pan->Invoke(0x6803000B, com::CallKind::PropertyLet, style);
  com::Args colors{0x123456, 0x654321};
  pan->Invoke(0x6003001A, com::CallKind::Method, colors);
  pan->Let("HeadLineDiff", 1);
  EXPECT_EQ(host->changed, (std::vector<std::string>{"BorderStyle", "BackColor", "BackColor2", "HeadLineDiff"}));
  EXPECT_EQ(pan->Get("BackColor2").ToLong(), 0x654321);
  EXPECT_EQ(pan->GetIDOfName("hWnd"), 0x68030009);
  EXPECT_EQ(pan->Get("hWnd").ToLong(), win::ToInt(pan->hWnd()));
  EXPECT_EQ(pan->EventDispId("Resize"), 7);
}

TEST_F(Panes, ReadingTheBorderStyleRepaints) {
  pan->SetBorderStyle(1);
  gdi::DrawingSurface& s = pan->Surface();
  s.Cls();
  EXPECT_NE(test::Rendered(*pan).Pixel(0, 0), gdi::RGB(0x80, 0x80, 0x80));
  EXPECT_EQ(pan->Get("BorderStyle").ToLong(), 1);
  EXPECT_EQ(test::Rendered(*pan).Pixel(0, 0), gdi::RGB(0x80, 0x80, 0x80));
}

TEST_F(Panes, PassesMouseEventsInItsScaleAndRaisesResizeAfterTheRepaint) {
  host->Record("pan");
  pan->SetBorderStyle(7);  // twips scale
  test::MoveTo(*pan, 10, 20);
  pan->Move(0, 600, 3000, 1200);
  EXPECT_EQ(host->events, (std::vector<std::string>{"MouseMove(0, 0, 150, 300)", "Resize()"}));
}

TEST_F(Panes, PersistsWhatDiffersFromTheBagDefaults) {
  com::PropertyBag bag;
  pan->SetBorderStyle(6);
  pan->SetGradient(true);
  pan->SetGradientAngle(45);
  pan->WriteProperties(bag);
  EXPECT_FALSE(bag.Contains("CrossColor1"));
  EXPECT_FALSE(bag.Contains("BackColor2"));
  KVXPane copy;
  copy.ReadProperties(bag);
  EXPECT_EQ(copy.Get("BorderStyle").ToLong(), 6);
  EXPECT_TRUE(copy.Gradient());
  EXPECT_EQ(copy.GradientAngle(), 45);
  EXPECT_EQ(copy.BackColor(), 0xFFFFFFu);
}

}  // namespace
}  // namespace kvctl2
