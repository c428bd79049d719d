#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/UserControl.h"
#include "gdi/Gdi.h"
#include "runtime/Clock.h"
#include "runtime/ErrorNumberOf.h"
#include "win/Cursor.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/Window.h"

namespace {

using rt::ErrorNumberOf;

// A top-level window at (100, 100) that hosts controls.
class Host : public com::ControlContainer {
 public:
  Host() { m_window = win::CreateWindowExA(0, "STATIC", "", win::WS_VISIBLE, 100, 100, 400, 300, win::kNoWindow); }
  ~Host() override { win::DestroyWindow(m_window); }
  win::HWND ContainerWindow() const override { return m_window; }
  com::AmbientProperties Ambient() const override { return {}; }
  com::DispatchPtr ContainerObject() override { return nullptr; }

 private:
  win::HWND m_window;
};

// A user control that writes its mouse handlers' calls into a log.
class Probe : public com::UserControl {
 public:
  Probe() {
    DeclareEvents({"Click", "DblClick", "Resize"});
    // Its own id for an inherited member.
    DefineProperty(
        "BackColor", [this] { return rt::Variant(static_cast<int32_t>(BackColor())); },
        [this](const rt::Variant& v) { SetBackColor(static_cast<uint32_t>(v.ToLong())); }, 0x6803001B);
  }
  std::string ClassName() const override { return "Probe"; }
  bool AcceptsContainedControls() const override { return true; }
  std::vector<std::string> log;

 protected:
  void UserControl_MouseDown(int16_t b, int16_t s, float x, float y) override { Note("Down", b, s, x, y); }
  void UserControl_MouseMove(int16_t b, int16_t s, float x, float y) override { Note("Move", b, s, x, y); }
  void UserControl_MouseUp(int16_t b, int16_t s, float x, float y) override { Note("Up", b, s, x, y); }
  void UserControl_Click() override { log.push_back("Click"); }
  void UserControl_DblClick() override { log.push_back("DblClick"); }

 private:
  void Note(const char* what, int16_t b, int16_t s, float x, float y) {
    log.push_back(std::string(what) + " " + std::to_string(b) + " " + std::to_string(s) + " " +
                  std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)));
  }
};

class UserControls : public ::testing::Test {
 protected:
  void SetUp() override {
    probe = std::make_shared<Probe>();
    probe->Site(host, "probe", -1);
    probe->Move(150, 150, 1500, 750);  // (10, 10) to (110, 60) on the host
    probe->Surface().SetScaleMode(gdi::vbPixels);
  }
  void TearDown() override {
    win::ReleaseCapture();
    probe->Unsite();
  }
  // Screen point of pixel (x, y) of the probe.
  win::POINT At(int x, int y) const {
    win::POINT p{x, y};
    win::ClientToScreen(probe->hWnd(), &p);
    return p;
  }
  void Button(int x, int y, win::MouseButton b, bool down) { win::RouteMouseButton(At(x, y), b, down); }

  rt::ManualClock clock;
  rt::ScopedClock useClock{clock};
  Host host;
  std::shared_ptr<Probe> probe;
};

TEST_F(UserControls, ClicksAndDoubleClicksRaiseTheirEventsInThePlatformsOrder) {
  Button(5, 6, win::MouseButton::Left, true);
  Button(5, 6, win::MouseButton::Left, false);
  clock.Advance(100);
  Button(5, 6, win::MouseButton::Left, true);
  Button(5, 6, win::MouseButton::Left, false);
  EXPECT_EQ(probe->log, (std::vector<std::string>{"Down 1 0 5,6", "Up 1 0 5,6", "Click", "DblClick", "Up 1 0 5,6"}));
}

TEST_F(UserControls, ButtonShiftAndPositionInTheSurfacesScale) {
  win::RouteKey(win::VK_SHIFT, true);
  Button(20, 30, win::MouseButton::Right, true);
  win::RouteMouseMove(At(21, 31));
  Button(21, 31, win::MouseButton::Right, false);
  win::RouteKey(win::VK_SHIFT, false);
  probe->Surface().SetScaleMode(gdi::vbTwips);
  win::RouteMouseMove(At(2, 3));
  EXPECT_EQ(probe->log,
            (std::vector<std::string>{"Down 2 1 20,30", "Move 2 1 21,31", "Up 2 1 21,31", "Move 0 0 30,45"}));
}

TEST_F(UserControls, APressCapturesTheMouseUntilItsRelease) {
  Button(5, 5, win::MouseButton::Left, true);
  EXPECT_EQ(win::GetCapture(), probe->hWnd());
  win::RouteMouseMove(At(150, 5));  // outside, still reported
  Button(150, 5, win::MouseButton::Left, false);
  EXPECT_EQ(win::GetCapture(), win::kNoWindow);
  // Released outside: no Click.
  EXPECT_EQ(probe->log, (std::vector<std::string>{"Down 1 0 5,5", "Move 1 0 150,5", "Up 1 0 150,5"}));
}

TEST_F(UserControls, MousePointerChoosesTheCursorOverTheSurface) {
  gdi::OwnedBitmap image(gdi::CreateFilledBitmap(32, 32, gdi::RGB(0, 0, 255)));
  auto icon = com::StdPicture::FromBitmap(std::move(image));
  win::RouteMouseMove(At(5, 5));
  struct Case {
    int16_t pointer;
    win::HCURSOR expected;
  } cases[] = {
      {com::vbDefault, win::LoadCursorA(win::IDC_ARROW)},
      {com::vbHourglass, win::LoadCursorA(win::IDC_WAIT)},
      {com::vbSizeWE, win::LoadCursorA(win::IDC_SIZEWE)},
  };
  for (const Case& c : cases) {
    probe->SetMousePointer(c.pointer);  // shows at once: the pointer is over the control
    EXPECT_EQ(win::GetCursor(), c.expected) << c.pointer;
    win::SetCursor(win::kNoCursor);
    win::RouteMouseMove(At(6, 6));
    EXPECT_EQ(win::GetCursor(), c.expected) << c.pointer;
  }
  probe->SetMouseIcon(icon, win::POINT{12, 2});
  probe->SetMousePointer(com::vbCustom);
  const win::CursorShape* shape = win::GetCursorShape(win::GetCursor());
  ASSERT_NE(shape, nullptr);
  EXPECT_EQ(shape->standardId, 0);
  EXPECT_EQ(shape->hotSpot.x, 12);
  EXPECT_EQ(shape->argb.size(), 32u * 32u);
  EXPECT_EQ(ErrorNumberOf([&] { probe->SetMousePointer(50); }), 380);
  EXPECT_EQ(probe->MousePointer(), com::vbCustom);
}

TEST_F(UserControls, ContainedControlsAreSitedOnTheControlAndDrawnOverIt) {
  auto child = std::make_shared<Probe>();
  child->Site(host, "child", 3);
  child->Move(300, 150, 300, 300);
  child->SetBackColor(gdi::RGB(255, 0, 0));
  probe->SetBackColor(gdi::RGB(0, 255, 0));
  probe->AddContainedControl(child);
  EXPECT_EQ(child->Container(), probe.get());
  EXPECT_EQ(child->Index(), 3);
  EXPECT_EQ(win::GetParent(child->hWnd()), probe->hWnd());
  EXPECT_EQ(probe->ContainedControls().size(), 1u);
  // A child's press goes to the child's window.
  win::POINT p{25, 15};
  win::ClientToScreen(probe->hWnd(), &p);
  win::RouteMouseButton(p, win::MouseButton::Left, true);
  win::RouteMouseButton(p, win::MouseButton::Left, false);
  EXPECT_EQ(child->log.front(), "Down 1 0 75,75");  // twips, the child's scale
  // Drawn at (20, 10) of the control, and clipped to it.
  child->Move(1400, 150, 300, 300);
  gdi::OwnedDC dc(gdi::CreateSurfaceDC(200, 100));
  probe->Draw(dc.Get(), 0, 0);
  EXPECT_EQ(gdi::GetPixel(dc.Get(), 95, 15), gdi::RGB(255, 0, 0));
  EXPECT_EQ(gdi::GetPixel(dc.Get(), 101, 15), gdi::RGB(255, 255, 255));
  child->Unsite();
}

TEST_F(UserControls, EventsAreNumberedAndMembersKeepTheIdsTheControlGives) {
  EXPECT_EQ(probe->EventDispId("dblclick"), 2);
  EXPECT_EQ(probe->EventName(3), "Resize");
  EXPECT_EQ(probe->EventDispId("Nope"), 0);
  EXPECT_EQ(probe->GetIDOfName("BackColor"), 0x6803001B);
  com::Args value{static_cast<int32_t>(gdi::RGB(1, 2, 3))};
  probe->Invoke(0x6803001B, com::CallKind::PropertyLet, value);
  EXPECT_EQ(probe->BackColor(), gdi::RGB(1, 2, 3));
}

}  // namespace
