#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "forms/Form.h"
#include "forms/controls/ScrollBar.h"
#include "gdi/Gdi.h"
#include "runtime/Clock.h"
#include "runtime/ErrorNumberOf.h"
#include "runtime/TestRenders.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/MessageQueue.h"
#include "win/Window.h"

namespace {

using forms::ScrollBar;
using rt::ErrorNumberOf;

// A vertical bar 17 x 200 pixels and a horizontal one 200 x 17, each with
// a range of 0..100, small change 5 and large change 20.
const char* kDesign = R"(Begin Form frmBars
   BorderStyle = 3
   ClientWidth = 4500
   ClientHeight = 3600
   Begin VB.VScrollBar vsb
      Left = 150
      Top = 150
      Width = 255
      Height = 3000
      Max = 100
      SmallChange = 5
      LargeChange = 20
      TabIndex = 0
   End
   Begin VB.HScrollBar hsb
      Left = 600
      Top = 150
      Width = 3000
      Height = 255
      Max = 100
      SmallChange = 5
      LargeChange = 20
      TabIndex = 1
   End
End
)";

class BarForm : public forms::Form {
 public:
  BarForm() : Form("frmBars") {
    SetDesignText(kDesign);
    for (const char* bar : {"vsb", "hsb"}) {
      for (const char* event : {"Change", "Scroll", "GotFocus"}) {
        OnControlEvent(bar, event, [this, bar, event](int16_t, com::Args&) {
          log.push_back(std::string(bar) + "_" + event + " " + std::to_string(Get<ScrollBar>(bar)->Value()));
        });
      }
    }
  }
  std::vector<std::string> log;
};

class ScrollBars : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_shared<BarForm>();
    form->Show();
    vsb = form->Get<ScrollBar>("vsb");
    hsb = form->Get<ScrollBar>("hsb");
    form->log.clear();
  }
  void TearDown() override {
    for (const auto& f : forms::Form::Forms()) f->Unload();
  }
  // Plays the user on a bar, at pixel (x, y) of the bar.
  static win::POINT Screen(const ScrollBar& bar, int x, int y) {
    win::POINT p{x, y};
    win::ClientToScreen(bar.hWnd(), &p);
    return p;
  }
  static void Press(const ScrollBar& bar, int x, int y) {
    win::RouteMouseButton(Screen(bar, x, y), win::MouseButton::Left, true);
  }
  static void Release(const ScrollBar& bar, int x, int y) {
    win::RouteMouseButton(Screen(bar, x, y), win::MouseButton::Left, false);
  }
  static void MoveTo(const ScrollBar& bar, int x, int y) { win::RouteMouseMove(Screen(bar, x, y)); }
  void Advance(int ms) {
    clock.Advance(ms);
    win::DoEvents();
  }

  rt::ManualClock clock;
  rt::ScopedClock useClock{clock};
  std::shared_ptr<BarForm> form;
  std::shared_ptr<ScrollBar> vsb, hsb;
};

TEST_F(ScrollBars, ValueStaysInTheRangeAndChangesRaiseChange) {
  EXPECT_EQ(ErrorNumberOf([&] { vsb->Let("Value", 101); }), 380);
  EXPECT_EQ(ErrorNumberOf([&] { vsb->Let("Value", -1); }), 380);
  EXPECT_EQ(ErrorNumberOf([&] { vsb->Let("Value", 40000); }), 6);
  EXPECT_EQ(ErrorNumberOf([&] { vsb->Let("SmallChange", 0); }), 380);
  EXPECT_EQ(ErrorNumberOf([&] { vsb->Let("LargeChange", -3); }), 380);
  EXPECT_TRUE(form->log.empty());

  vsb->Let("Value", 60);
  vsb->Let("Value", 60);  // the same value raises nothing
  vsb->Let("Max", 50);    // pulls Value into the range
  vsb->Let("Min", 70);    // a reversed range: 70 at the top, 50 at the bottom
  EXPECT_EQ(form->log, (std::vector<std::string>{"vsb_Change 60", "vsb_Change 50"}));
  EXPECT_EQ(ErrorNumberOf([&] { vsb->Let("Value", 71); }), 380);
  vsb->SetValue(60);
  int16_t down = win::VK_DOWN;
  vsb->KeyDown(down, 0);  // towards Max
  EXPECT_EQ(vsb->Get("Value").ToInteger(), 55);
}

TEST_F(ScrollBars, ArrowsAndTrackStepTheValueOncePerPress) {
  // Pixel positions along each bar: arrows 0..16 and 183..199, thumb at
  // the top of the track at Value 0, track below it.
  struct Case {
    int along;
    int16_t start;
    int16_t expected;
  } cases[] = {
      {8, 0, 0},       // the up arrow at Min stays there (no Change)
      {8, 50, 45},     // up arrow: - SmallChange
      {190, 50, 55},   // down arrow: + SmallChange
      {190, 98, 100},  // clamped at Max
      {170, 0, 20},    // track below the thumb: + LargeChange
      {20, 50, 30},    // track above the thumb: - LargeChange
  };
  for (const Case& c : cases) {
    for (ScrollBar* bar : {vsb.get(), hsb.get()}) {
      bar->SetValue(c.start);
      form->log.clear();
      const bool vertical = bar == vsb.get();
      const int x = vertical ? 8 : c.along;
      const int y = vertical ? c.along : 8;
      Press(*bar, x, y);
      Release(*bar, x, y);
      EXPECT_EQ(bar->Value(), c.expected) << bar->ClassName() << " at " << c.along;
      const size_t changes = std::count_if(form->log.begin(), form->log.end(),
                                           [](const std::string& s) { return s.find("_Change") != std::string::npos; });
      EXPECT_EQ(changes, c.start == c.expected ? 0u : 1u) << bar->ClassName() << " at " << c.along;
    }
  }
}

TEST_F(ScrollBars, AHeldArrowRepeatsOnTheClockUntilReleasedOrLeft) {
  Press(*vsb, 8, 190);
  EXPECT_EQ(vsb->Value(), 5);
  Advance(299);
  EXPECT_EQ(vsb->Value(), 5);
  Advance(1);  // the first repeat after 300 ms
  EXPECT_EQ(vsb->Value(), 10);
  Advance(50);
  Advance(50);
  EXPECT_EQ(vsb->Value(), 20);
  // Off the arrow the repeat pauses; back on it, it goes on.
  MoveTo(*vsb, 8, 100);
  Advance(50);
  EXPECT_EQ(vsb->Value(), 20);
  MoveTo(*vsb, 8, 190);
  Advance(50);
  EXPECT_EQ(vsb->Value(), 25);
  Release(*vsb, 8, 190);
  Advance(500);
  EXPECT_EQ(vsb->Value(), 25);
  EXPECT_EQ(win::GetCapture(), win::kNoWindow);
}

TEST_F(ScrollBars, AHeldTrackPageStopsWhereTheThumbReachesThePointer) {
  // The thumb (17 pixels) moves over 149 pixels of track for 0..100.
  Press(*vsb, 8, 120);
  for (int i = 0; i < 20; ++i) Advance(300);
  Release(*vsb, 8, 120);
  const ScrollBar::Layout layout = vsb->ComputeLayout();
  EXPECT_LE(layout.thumb.top, 120);
  EXPECT_GT(layout.thumb.bottom, 120);
  EXPECT_EQ(vsb->Value(), 60);
}

TEST_F(ScrollBars, DraggingTheThumbScrollsAndChangesOnceOnRelease) {
  const win::RECT thumb = hsb->ComputeLayout().thumb;
  ASSERT_EQ(thumb.left, 17);
  Press(*hsb, 20, 8);
  MoveTo(*hsb, 20 + 75, 8);    // half of the 149 pixels of room
  MoveTo(*hsb, 20 + 75, 12);   // across the bar: nothing changes
  MoveTo(*hsb, 20 + 500, 30);  // past the end: Max
  Release(*hsb, 20 + 500, 30);
  EXPECT_EQ(form->log,
            (std::vector<std::string>{"hsb_GotFocus 0", "hsb_Scroll 50", "hsb_Scroll 100", "hsb_Change 100"}));
  EXPECT_EQ(hsb->ComputeLayout().thumb.right, 183);
  // A drag that ends where it started raises no Change.
  form->log.clear();
  Press(*hsb, 175, 8);
  MoveTo(*hsb, 100, 8);
  MoveTo(*hsb, 175, 8);
  Release(*hsb, 175, 8);
  EXPECT_EQ(form->log.back(), "hsb_Scroll 100");
}

TEST_F(ScrollBars, KeysMoveTheFocusedBar) {
  Press(*vsb, 8, 190);
  Release(*vsb, 8, 190);
  ASSERT_EQ(form->ActiveControl(), vsb);
  struct Case {
    int16_t key;
    int16_t expected;
  } cases[] = {{win::VK_DOWN, 10},  {win::VK_RIGHT, 15}, {win::VK_NEXT, 35}, {win::VK_UP, 30},
               {win::VK_PRIOR, 10}, {win::VK_END, 100},  {win::VK_HOME, 0},  {win::VK_LEFT, 0}};
  for (const Case& c : cases) {
    form->KeyDown(c.key);
    EXPECT_EQ(vsb->Value(), c.expected) << c.key;
  }
}

TEST_F(ScrollBars, ADisabledBarHasNoThumbAndIgnoresTheMouse) {
  vsb->SetEnabled(false);
  EXPECT_TRUE(gdi::IsRectEmpty(vsb->ComputeLayout().thumb));
  Press(*vsb, 8, 190);
  Release(*vsb, 8, 190);
  EXPECT_EQ(vsb->Value(), 0);
  EXPECT_TRUE(form->log.empty());
}

TEST_F(ScrollBars, ShortBarsHalveTheirArrowsAndDropTheThumb) {
  vsb->SetHeight(20 * 15);  // 20 pixels: two arrows of 10
  const ScrollBar::Layout layout = vsb->ComputeLayout();
  EXPECT_EQ(layout.lineUp.bottom, 10);
  EXPECT_EQ(layout.lineDown.top, 10);
  EXPECT_TRUE(gdi::IsRectEmpty(layout.thumb));
  vsb->SetHeight(0);
  EXPECT_EQ(vsb->HitTest(win::POINT{0, 0}), ScrollBar::Part::None);
}

TEST_F(ScrollBars, PersistOnlyWhatDiffersFromTheDefaults) {
  com::PropertyBag bag;
  forms::VScrollBar fresh;
  fresh.WriteProperties(bag);
  EXPECT_EQ(bag.Count(), 0u);
  vsb->SetValue(42);
  vsb->WriteProperties(bag);
  EXPECT_EQ(bag.ToText(), "Max = 100\nValue = 42\nSmallChange = 5\nLargeChange = 20\n");
  fresh.ReadProperties(bag);
  EXPECT_EQ(fresh.Value(), 42);
  EXPECT_EQ(fresh.LargeChange(), 20);
}

TEST_F(ScrollBars, RenderTheirLooks) {
  hsb->SetValue(50);
  Press(*vsb, 8, 190);  // the down arrow held, the bar focused
  const std::string prefix = rt::TestRenderPath("gallery-");
  gdi::OwnedBitmap enabled = form->RenderToBitmap(false);
  EXPECT_TRUE(gdi::SaveBitmapToPng(enabled.Get(), prefix + "scrollbars.png"));
  Release(*vsb, 8, 190);
  vsb->SetEnabled(false);
  hsb->SetEnabled(false);
  EXPECT_TRUE(form->RenderToPng(prefix + "scrollbars-disabled.png", false));
  // The arrows of the disabled bar draw their triangles embossed: the
  // tip of the down arrow is grey, not black.
  gdi::OwnedDC dc(gdi::CreateCompatibleDC());
  gdi::OwnedBitmap disabled = form->RenderToBitmap(false);
  gdi::ScopedSelect<gdi::HBITMAP> select(dc.Get(), disabled.Get());
  EXPECT_EQ(gdi::GetPixel(dc.Get(), 10 + 8, 10 + 192), gdi::GetSysColor(gdi::COLOR_BTNSHADOW));
}

}  // namespace
