// Refresh, the scroll bars, the block copy into the viewport and keyboard
// scrolling.
#include <gtest/gtest.h>

#include "TestView.h"
#include "forms/Form.h"
#include "forms/PictureBox.h"
#include "forms/controls/ScrollBar.h"
#include "gdi/Twips.h"
#include "html/KVXHTML.h"
#include "runtime/Clock.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/Window.h"

namespace kvctl2 {
namespace {

using testing::LongPage;
using testing::TestView;

forms::ScrollBar& Bar(const com::ControlPtr& bar) { return static_cast<forms::ScrollBar&>(*bar); }

class Viewport : public ::testing::Test {
 protected:
  Viewport() { html.SetEnableScroll(htmScrollBars::Beide); }
  forms::ScrollBar& V() { return Bar(html.VerticalScrollBar()); }
  forms::ScrollBar& H() { return Bar(html.HorizontalScrollBar()); }
  int ViewWidth() { return static_cast<int>(html.ViewPort()->ScaleWidth()); }
  int ViewHeight() { return static_cast<int>(html.ViewPort()->ScaleHeight()); }
  void Key(int16_t key, int16_t shift = 0) {
    com::Args args{key, shift};
    html.ViewPort()->Events().Raise("KeyDown", args);
  }

  TestView view;
  KVXHTML& html = view.html;
};

TEST_F(Viewport, BarsAppearAsThePageNeedsThem) {
  struct Case {
    std::string source;
    bool vertical, horizontal;
  };
  const Case cases[] = {
      {"short", false, false},
      {LongPage(30), true, false},
      {"<table width=600><tr><td>wide</td></tr></table>", false, true},
      {LongPage(30, "<table width=600><tr><td>wide</td></tr></table>"), true, true},
  };
  for (const Case& c : cases) {
    html.SetText(c.source);
    EXPECT_EQ(html.VerticalScrollBar()->Container() != nullptr, true);
    EXPECT_EQ(html.Constituent("panV")->Visible(), c.vertical) << c.source;
    EXPECT_EQ(html.Constituent("panH")->Visible(), c.horizontal) << c.source;
    EXPECT_EQ(html.Constituent("panV")->Tag(), c.vertical ? "255" : "0");
    EXPECT_EQ(html.Constituent("panH")->Tag(), c.horizontal ? "255" : "0");
    EXPECT_EQ(ViewWidth(), 300 - (c.vertical ? 17 : 0)) << c.source;
    EXPECT_EQ(ViewHeight(), 200 - (c.horizontal ? 17 : 0)) << c.source;
    EXPECT_EQ(V().Max(), c.vertical ? html.PageHeight() - ViewHeight() : 0) << c.source;
    EXPECT_EQ(H().Max(), c.horizontal ? html.PageWidth() - ViewWidth() : 0) << c.source;
    EXPECT_EQ(V().LargeChange(), ViewHeight());
    // The page picture is the page, at least the viewport.
    EXPECT_EQ(html.Page().PixelHeight(), std::max(html.PageHeight(), ViewHeight())) << c.source;
  }
}

TEST_F(Viewport, SwitchedOffBarsStayHidden) {
  html.SetEnableScroll(htmScrollBars::Vertikal);
  html.SetText(LongPage(30, "<table width=600><tr><td>wide</td></tr></table>"));
  EXPECT_TRUE(html.Constituent("panV")->Visible());
  EXPECT_FALSE(html.Constituent("panH")->Visible());
  EXPECT_EQ(html.Constituent("panH")->Tag(), "-1");
  EXPECT_GT(H().Max(), 0);  // the excess width is still there for a page drag
  html.SetEnableScroll(htmScrollBars::Keine);
  EXPECT_FALSE(html.Constituent("panV")->Visible());
  EXPECT_EQ(ViewWidth(), 300);
  EXPECT_EQ(html.Page().PixelWidth(), 300);
}

TEST_F(Viewport, KeysScrollWithinTheRange) {
  html.SetText(LongPage(40, "<table width=600><tr><td>wide</td></tr></table>"));
  const int max = V().Max();
  ASSERT_GT(max, 2 * ViewHeight());
  struct Step {
    int16_t start, key, shift, expected;
  };
  const Step steps[] = {
      {static_cast<int16_t>(max - 3), 40, 0, static_cast<int16_t>(max)},  // Down stops at Max
      {5, 38, 0, 0},                                                      // Up stops at Min
      {0, 34, 0, static_cast<int16_t>(ViewHeight())},                     // Page Down: one viewport
      {static_cast<int16_t>(max - 1), 34, 0, static_cast<int16_t>(max)},
      {static_cast<int16_t>(ViewHeight() + 1), 33, 0, 1},  // Page Up
      {50, 35, 2, static_cast<int16_t>(max)},              // Ctrl+End
      {50, 36, 2, 0},                                      // Ctrl+Home
      {50, 36, 0, 50},                                     // Home alone does nothing
  };
  for (const Step& s : steps) {
    V().SetValue(s.start);
    Key(s.key, s.shift);
    EXPECT_EQ(V().Value(), s.expected) << s.key << " from " << s.start;
  }
  Key(39);
  EXPECT_EQ(H().Value(), 10);  // the small change
  Key(37);
  EXPECT_EQ(H().Value(), 0);
}

TEST_F(Viewport, ShowsTheScrolledWindowOfThePage) {
  html.SetText(LongPage(40));
  V().SetValue(40);
  const html::PageImage& page = html.Page();
  const gdi::DrawingSurface& shown = html.ViewPort()->Surface();
  int differing = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; x += 3) differing += shown.Point(x, y) != page.Point(x, y + 40) ? 1 : 0;
  }
  EXPECT_EQ(differing, 0);
  html.Refresh();  // a repaint shows the top again
  EXPECT_EQ(V().Value(), 0);
}

TEST_F(Viewport, FrozenUpdatesLeaveThePageAlone) {
  html.SetText(LongPage(30));
  const int32_t height = html.PageHeight();
  html.SetFreezeUpdates(true);
  html.SetText("short");
  html.SetDefaultPadding(20);
  EXPECT_EQ(html.PageHeight(), height);
  EXPECT_TRUE(html.Constituent("panV")->Visible());
  html.SetFreezeUpdates(false);
  EXPECT_LT(html.PageHeight(), height);
  EXPECT_FALSE(html.Constituent("panV")->Visible());
}

TEST_F(Viewport, EveryPartOfAPageBeyondTheBarsRangeCanBeScrolledTo) {
  struct Case {
    std::string source;
    bool vertical;
  };
  const Case cases[] = {
      {"<table height=40000><tr><td>tall</td></tr></table>end", true},
      {"<img src=x width=10 height=99999><br>end", true},
      {"<table width=70000 cellspacing=0><tr><td width=69950>wide</td><td>end</td></tr></table>", false},
  };
  for (const Case& c : cases) {
    html.SetText(c.source);
    const testing::DrawnText end = TestView::Find(view.Texts(), "end");
    forms::ScrollBar& bar = c.vertical ? V() : H();
    const int64_t range = c.vertical ? html.PageHeight() - ViewHeight() : html.PageWidth() - ViewWidth();
    ASSERT_GT(range, 32767) << c.source;
    // The bar's units are scaled to hold the range; its end is the page's end.
    EXPECT_GT(bar.Max(), 0);
    bar.SetValue(bar.Max());
    EXPECT_EQ(c.vertical ? html.ScrollY() : html.ScrollX(), range) << c.source;
    // The last word shows, as the page has it.
    const int x = end.x - html.ScrollX(), y = end.y - html.ScrollY();
    ASSERT_GE(x, 0) << c.source;
    ASSERT_LE(end.Right() - html.ScrollX(), ViewWidth()) << c.source;
    ASSERT_GE(y, 0) << c.source;
    ASSERT_LE(end.Bottom() - html.ScrollY(), ViewHeight()) << c.source;
    const gdi::DrawingSurface& shown = html.ViewPort()->Surface();
    int ink = 0;
    for (int py = y; py < y + 13; ++py) {
      for (int px = x; px < x + 21; ++px) {
        ink += shown.Point(px, py) == 0 ? 1 : 0;
        EXPECT_EQ(shown.Point(px, py), html.Page().Point(px + html.ScrollX(), py + html.ScrollY()));
      }
    }
    EXPECT_GT(ink, 0) << c.source;
    // Keys move by pixels whatever the bar's unit.
    if (c.vertical) {
      Key(38);
      EXPECT_EQ(html.ScrollY(), range - 10);
      Key(36, 2);
      EXPECT_EQ(html.ScrollY(), 0);
      Key(35, 2);
      EXPECT_EQ(html.ScrollY(), range);
    } else {
      Key(37);
      EXPECT_EQ(html.ScrollX(), range - 10);
    }
  }
}

TEST(ViewportEmpty, AControlWithoutDocumentHidesItsBars) {
  TestView view;
  view.html.SetEnableScroll(htmScrollBars::Beide);
  EXPECT_FALSE(view.html.Constituent("panV")->Visible());
  EXPECT_EQ(Bar(view.html.VerticalScrollBar()).Max(), 0);
  EXPECT_EQ(Bar(view.html.HorizontalScrollBar()).Max(), 0);
}

TEST(ViewportOnAForm, ClickingABarScrollsAndGivesTheFocusAway) {
  gdi::ScopedFixedMetrics metrics;
  rt::ManualClock clock{0};
  rt::ScopedClock useClock{clock};
  auto form = std::make_shared<forms::Form>("frmBars");
  form->SetClientSize(6000, 4000);
  form->Show();
  auto html = std::dynamic_pointer_cast<KVXHTML>(form->AddControl("Kvctl2.KVXHTML", "html"));
  html->Move(0, 0, 4500, 3000);
  html->SetVisible(true);
  html->SetEnabled(true);
  html->SetEnableScroll(htmScrollBars::Beide);
  html->SetText(LongPage(40));
  forms::ScrollBar& bar = Bar(html->VerticalScrollBar());
  ASSERT_TRUE(bar.Visible());
  // The down arrow at the bar's foot.
  win::POINT arrow{8, gdi::TwipsToPixelsY(bar.Height()) - 8};
  win::ClientToScreen(bar.hWnd(), &arrow);
  win::RouteMouseButton(arrow, win::MouseButton::Left, true);
  win::RouteMouseButton(arrow, win::MouseButton::Left, false);
  EXPECT_EQ(bar.Value(), 10);
  EXPECT_EQ(win::GetFocus(), html->Constituent("FocusWeg")->hWnd());
  // The viewport shows the page from row 10 on.
  EXPECT_EQ(html->ViewPort()->Surface().Point(20, 0), html->Page().Point(20, 10));

  // The focus given to the control goes on to its viewport, which takes
  // the keys that scroll.
  ASSERT_TRUE(form->SetFocusTo(*html));
  EXPECT_EQ(win::GetFocus(), html->ViewPort()->hWnd());
  win::RouteKey(win::VK_NEXT, true);
  win::RouteKey(win::VK_NEXT, false);
  EXPECT_EQ(bar.Value(), 10 + bar.LargeChange());
  form->Unload();
}

}  // namespace
}  // namespace kvctl2
