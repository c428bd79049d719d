// The mouse on the HTML view's viewport: hover and tooltips, in-page
// jumps, the deferred link click, page dragging, and the window messages
// the viewport's subclass sees first.
#include <gtest/gtest.h>

#include "TestView.h"
#include "forms/Form.h"
#include "forms/PictureBox.h"
#include "forms/controls/ScrollBar.h"
#include "gdi/FontBackend.h"
#include "html/KVXHTML.h"
#include "runtime/Clock.h"
#include "win/Cursor.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/MessageQueue.h"
#include "win/Window.h"

namespace kvctl2 {
namespace {

class ViewportMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_shared<forms::Form>("frmMouse");
    form->Load();
    html = std::dynamic_pointer_cast<KVXHTML>(form->AddControl("Kvctl2.KVXHTML", "html"));
    html->Move(0, 0, 4500, 3000);  // 300 x 200 pixels
    html->SetVisible(true);
    html->SetEnabled(true);
    html->SetEnableAnchors(true);
    html->SetEnableTooltips(true);
    html->Events().Connect("MouseMove", [this](com::Args& a) { moves.push_back(a.at(1).ToString()); });
    html->Events().Connect("MouseUp", [this](com::Args& a) { ups.push_back(a.at(1).ToString()); });
    html->Events().Connect("HyperlinkClick", [this](com::Args& a) { clicks.push_back(a.at(1).ToString()); });
    html->Events().Connect("DblClick", [this](com::Args&) { ++doubleClicks; });
  }
  void TearDown() override { form->Unload(); }

  void Event(const char* name, int16_t button, float x, float y) {
    com::Args args{button, int16_t{0}, static_cast<double>(x), static_cast<double>(y)};
    html->ViewPort()->Events().Raise(name, args);
  }
  void Move(float x, float y, int16_t button = 0) { Event("MouseMove", button, x, y); }
  void Release(float x, float y) { Event("MouseUp", 1, x, y); }
  void Tick() {
    clock.Advance(100);
    win::DoEvents();
  }
  const HTMLElement& Link(int anchor) const { return html->Element(html->Anchors()[static_cast<size_t>(anchor)]); }
  forms::ScrollBar& V() { return static_cast<forms::ScrollBar&>(*html->VerticalScrollBar()); }

  gdi::ScopedFixedMetrics metrics;
  rt::ManualClock clock{0};
  rt::ScopedClock useClock{clock};
  std::shared_ptr<forms::Form> form;
  std::shared_ptr<KVXHTML> html;
  std::vector<std::string> moves, ups, clicks;
  int doubleClicks = 0;
};

TEST_F(ViewportMouse, HoverHighlightsTheLinkAndSetsTheTooltip) {
  html->SetText("<a href=\"h1\" title=\"First\">one</a> and <a href=\"h2\">two</a> <a name=\"n\">named</a>");
  int x = 0, y = 0;
  ASSERT_TRUE(html->LinkPoint(0, x, y));
  Move(x, y);
  EXPECT_EQ(html->HoverAnchor(), html->Anchors()[0]);
  EXPECT_EQ(html->ViewPort()->ToolTipText(), "First");
  ASSERT_TRUE(html->LinkPoint(1, x, y));
  Move(x, y);
  EXPECT_EQ(html->ViewPort()->ToolTipText(), "h2");  // no title: the target
  ASSERT_TRUE(html->LinkPoint(2, x, y));
  Move(x, y);  // a named anchor is no link
  EXPECT_EQ(html->HoverAnchor(), 0);
  EXPECT_EQ(html->ViewPort()->ToolTipText(), "");
  EXPECT_EQ(moves, (std::vector<std::string>{"h1", "h2", "-1"}));
  // Exactly on the box's edge: no hover, but a release there clicks.
  Move(static_cast<float>(Link(0).BoxLeft), static_cast<float>(Link(0).BoxTop + 2));
  EXPECT_EQ(html->HoverAnchor(), 0);
  Release(static_cast<float>(Link(0).BoxLeft), static_cast<float>(Link(0).BoxTop + 2));
  EXPECT_EQ(ups.back(), "h1");
}

TEST_F(ViewportMouse, HoverEndsWithTheFocusAndWhenThePointerLeaves) {
  html->SetText("<a href=\"h\">link</a>");
  for (uint32_t message : {win::WM_KILLFOCUS, win::WM_MOUSELEAVE}) {
    int x = 0, y = 0;
    ASSERT_TRUE(html->LinkPoint(0, x, y));
    Move(x, y);
    ASSERT_NE(html->HoverAnchor(), 0);
    win::SendMessageA(html->ViewPort()->hWnd(), message, 0, 0);
    EXPECT_EQ(html->HoverAnchor(), 0) << message;
  }
}

TEST_F(ViewportMouse, WithoutAnchorsOrWhileDisabledNothingIsHit) {
  html->SetText("<a href=\"h\">link</a>");
  int x = 0, y = 0;
  ASSERT_TRUE(html->LinkPoint(0, x, y));
  html->SetEnabled(false);
  Move(x, y);
  EXPECT_TRUE(moves.empty());  // no event at all
  html->SetEnabled(true);
  html->SetEnableAnchors(false);
  html->SetText("<a href=\"h\">link</a>");
  Move(x, y);
  Release(x, y);
  Tick();
  EXPECT_EQ(moves, std::vector<std::string>{"-1"});
  EXPECT_EQ(ups, std::vector<std::string>{"-1"});
  EXPECT_TRUE(clicks.empty());
}

TEST_F(ViewportMouse, HashLinksJumpWithinThePage) {
  html->SetEnableScroll(htmScrollBars::Beide);
  std::string text = "<a href=\"#end\">down</a> <a href=\"#End\">case</a> <a href=\"#mid\">mid</a>";
  text += testing::LongPage(40);
  text += "<p><a name=\"mid\">first mid</a></p><p><a name=\"mid\">second mid</a></p>";
  for (int i = 0; i < 20; ++i) text += "<p>more " + std::to_string(i) + "</p>";
  text += "<a name=\"end\">the end</a>";
  html->SetText(text);
  int x = 0, y = 0;
  ASSERT_TRUE(html->LinkPoint(2, x, y));
  Release(x, y);
  // The later of the two targets wins; its top goes to the viewport's top.
  EXPECT_EQ(V().Value(), html->Element(html->Anchors()[4]).BoxTop);
  EXPECT_EQ(ups.back(), "-1");
  V().SetValue(0);
  ASSERT_TRUE(html->LinkPoint(1, x, y));
  Release(x, y);
  EXPECT_EQ(V().Value(), 0);  // "#End" names no element
  ASSERT_TRUE(html->LinkPoint(0, x, y));
  Release(x, y);
  EXPECT_EQ(V().Value(), V().Max());  // the target lies within the last viewport
  Tick();
  EXPECT_TRUE(clicks.empty());
  // Without a vertical bar a "#" link goes to the host.
  html->SetEnableScroll(htmScrollBars::Keine);
  ASSERT_TRUE(html->LinkPoint(0, x, y));
  Release(x, y);
  Tick();
  EXPECT_EQ(clicks, std::vector<std::string>{"#end"});
}

TEST_F(ViewportMouse, TwoClicksWithinTheDelayMakeOneActionForTheSecond) {
  html->SetText("<a href=\"a\">first</a> <a href=\"b\">second</a>");
  int x = 0, y = 0;
  ASSERT_TRUE(html->LinkPoint(0, x, y));
  Release(x, y);
  clock.Advance(50);
  win::DoEvents();
  ASSERT_TRUE(html->LinkPoint(1, x, y));
  Release(x, y);
  Tick();
  Tick();
  EXPECT_EQ(clicks, std::vector<std::string>{"b"});
}

TEST_F(ViewportMouse, DraggingMovesThePageWithThePointer) {
  html->SetEnableScroll(htmScrollBars::Beide);
  html->SetPageMover(true);
  html->SetText(testing::LongPage(40));
  Event("MouseDown", 1, 100, 150);
  Move(100, 110, 1);  // up by 40: the page scrolls down by 40
  EXPECT_EQ(V().Value(), 40);
  Move(100, 130, 1);
  EXPECT_EQ(V().Value(), 20);
  Move(100, 200, 1);  // beyond the top: this step is not applied
  EXPECT_EQ(V().Value(), 20);
  Move(100, 150, 1);  // the drag point moved on all the same
  EXPECT_EQ(V().Value(), 70);
}

TEST_F(ViewportMouse, ADoubleClickReachesTheViewportAsAPress) {
  html->SetText("text");
  int leftPresses = 0;
  html->Events().Connect("MouseDown", [&](com::Args& a) { leftPresses += a.at(0).ToInteger() == 1 ? 1 : 0; });
  win::SendMessageA(html->ViewPort()->hWnd(), win::WM_RBUTTONDBLCLK, win::MK_RBUTTON, win::MAKELPARAM(5, 5));
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(leftPresses, 1);  // a right double click too
}

// The same through the window layer, as a user plays it.
class RoutedMouse : public ViewportMouse {
 protected:
  void SetUp() override {
    ViewportMouse::SetUp();
    form->SetClientSize(6000, 4000);
    form->Show();
  }
  win::POINT Screen(int x, int y) const {
    win::POINT p{x, y};
    win::ClientToScreen(html->ViewPort()->hWnd(), &p);
    return p;
  }
  const win::CursorShape* Shown() const { return win::GetCursorShape(win::GetCursor()); }
};

TEST_F(RoutedMouse, HandOverALinkAndTheHoverEndsWhenThePointerLeaves) {
  html->SetText("<a href=\"h\">link</a> and more text");
  int x = 0, y = 0;
  ASSERT_TRUE(html->LinkPoint(0, x, y));
  win::RouteMouseMove(Screen(x, y));
  ASSERT_NE(Shown(), nullptr);
  EXPECT_EQ(Shown()->hotSpot.x, 12);  // the pointing hand's fingertip
  EXPECT_EQ(Shown()->hotSpot.y, 2);
  EXPECT_NE(html->HoverAnchor(), 0);
  win::RouteMouseMove(Screen(250, 150));
  EXPECT_EQ(html->HoverAnchor(), 0);
  EXPECT_EQ(Shown()->standardId, win::IDC_ARROW);
  win::RouteMouseMove(Screen(x, y));
  ASSERT_NE(html->HoverAnchor(), 0);
  win::RouteMouseLeftDisplay();
  EXPECT_EQ(html->HoverAnchor(), 0);
}

TEST_F(RoutedMouse, ClickAndDoubleClick) {
  html->SetText("<a href=\"h\">link</a>");
  int presses = 0, plainClicks = 0;
  html->Events().Connect("MouseDown", [&](com::Args& a) {
    if (a.at(0).ToInteger() == 1) ++presses;
  });
  html->Events().Connect("Click", [&](com::Args&) { ++plainClicks; });
  int x = 0, y = 0;
  ASSERT_TRUE(html->LinkPoint(0, x, y));
  for (int i = 0; i < 2; ++i) {
    win::RouteMouseButton(Screen(x, y), win::MouseButton::Left, true);
    win::RouteMouseButton(Screen(x, y), win::MouseButton::Left, false);
  }
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(presses, 2);  // the second press of the double click arrives as a press
  EXPECT_GE(plainClicks, 1);
  Tick();
  EXPECT_EQ(clicks, std::vector<std::string>{"h"});
}

TEST_F(RoutedMouse, GrabbingHandsWhileThePageCanBeDragged) {
  html->SetEnableScroll(htmScrollBars::Beide);
  html->SetPageMover(true);
  html->SetText(testing::LongPage(40));
  win::RouteMouseMove(Screen(100, 150));
  ASSERT_NE(Shown(), nullptr);
  EXPECT_EQ(Shown()->hotSpot.x, 15);  // the open hand
  const win::HCURSOR open = win::GetCursor();
  win::RouteMouseButton(Screen(100, 150), win::MouseButton::Left, true);
  win::RouteMouseMove(Screen(100, 120));
  EXPECT_EQ(V().Value(), 30);
  EXPECT_EQ(Shown()->hotSpot.x, 15);  // the closed hand
  EXPECT_NE(win::GetCursor(), open);
  win::RouteMouseButton(Screen(100, 120), win::MouseButton::Left, false);
}

}  // namespace
}  // namespace kvctl2
