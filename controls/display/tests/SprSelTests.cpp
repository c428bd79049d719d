#include <gtest/gtest.h>

#include <limits>

#include "display/SprSel.h"
#include "forms/Timer.h"
#include "forms/controls/Shape.h"
#include "runtime/Clock.h"
#include "runtime/ErrorNumberOf.h"
#include "tests/DisplayTestHost.h"
#include "win/MessageQueue.h"

namespace kvctl2 {
namespace {

const char* kDesign = R"(Begin Form frmHost
   ClientWidth = 6000
   ClientHeight = 3000
   Begin Kvctl2.SprSel sel
      Left = 600
      Top = 600
      Width = 3000
      Height = 1500
   End
End
)";

// Left, top, width and height of an outline.
std::vector<int32_t> Box(const forms::Shape& s) { return {s.Left(), s.Top(), s.Width(), s.Height()}; }

class Selection : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_shared<test::HostForm>(kDesign);
    host->Show();
    sel = host->Get<SprSel>("sel");
  }
  void TearDown() override { host->Unload(); }
  rt::ManualClock clock;
  rt::ScopedClock useClock{clock};
  std::shared_ptr<test::HostForm> host;
  std::shared_ptr<SprSel> sel;
};

TEST_F(Selection, TicksSwapTheHorizontalExtentsOfTheTwoOutlines) {
  SprSel fresh;  // never read from design data: a tick puts both at 0 with width 0
  fresh.Blink();
  EXPECT_EQ(Box(fresh.Shp(0))[0], 0);
  EXPECT_EQ(Box(fresh.Shp(1))[2], 0);

  sel->NixShow = true;
  com::Args args{0, 0, 100, 100, false};
  sel->Invoke(0x60030003, com::CallKind::Method, args);
  EXPECT_FALSE(sel->Get("NixShow").ToBool());
  EXPECT_EQ(Box(sel->Shp(0)), (std::vector<int32_t>{0, 0, 130, 130}));
  EXPECT_EQ(Box(sel->Shp(1)), (std::vector<int32_t>{-15, -15, 160, 160}));
  sel->Timer(true);
  clock.Advance(200);
  win::DoEvents();
  EXPECT_EQ(Box(sel->Shp(1)), (std::vector<int32_t>{0, -15, 130, 160}));
  EXPECT_EQ(Box(sel->Shp(0)), (std::vector<int32_t>{-15, 0, 160, 130}));
  clock.Advance(200);
  win::DoEvents();
  EXPECT_EQ(Box(sel->Shp(0)), (std::vector<int32_t>{0, 0, 130, 130}));
  sel->Timer(false);
  EXPECT_FALSE(sel->Shp(1).Visible());
  clock.Advance(400);
  win::DoEvents();
  EXPECT_EQ(Box(sel->Shp(0)), (std::vector<int32_t>{0, 0, 130, 130}));
}

TEST_F(Selection, AFullSelectionFollowsTheControlsSize) {
  sel->SetPosition(0, 0, 100, 100, false);
  sel->Move(600, 600, 4000, 2000);
  EXPECT_EQ(Box(sel->Shp(0)), (std::vector<int32_t>{0, 0, 130, 130}));
  sel->Let("Col", -1);
  sel->SetPosition(0, 0, 100, 100, true);
  sel->Move(600, 600, 3000, 2000);
  EXPECT_EQ(Box(sel->Shp(0)), (std::vector<int32_t>{0, 0, 3030, 130}));
  EXPECT_EQ(Box(sel->Shp(1))[2], 3060);
  sel->Let("Row", -1);
  sel->Move(600, 600, 3000, 1500);
  EXPECT_EQ(Box(sel->Shp(0))[3], 1530);
  EXPECT_EQ(Box(sel->Shp(1))[3], 1560);
}

TEST_F(Selection, ColoursActOnTheShapesAndSizesBeyond32BitsOverflow) {
  sel->Let("BackColor", 0x00FF00);
  EXPECT_EQ(sel->Shp(0).FillStyle(), 0);
  sel->Let("Color", 0xFF0000);  // the inner fill is transparent again
  EXPECT_EQ(sel->Shp(0).FillStyle(), 1);
  EXPECT_EQ(sel->Shp(1).BorderColor(), 0xFF0000u);
  sel->Let("BackColor", -1);  // keeps the fill colour for later
  EXPECT_EQ(sel->Get("BackColor").ToLong(), 0x00FF00);
  EXPECT_EQ(sel->Get("Color").ToLong(), 0xFF0000);
  const int32_t big = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(rt::ErrorNumberOf([&] { sel->SetPosition(0, 0, big, 10, false); }), 6);
  EXPECT_EQ(rt::ErrorNumberOf([&] { sel->SetPosition(std::numeric_limits<int32_t>::min(), 0, 1, 1, false); }), 6);
  EXPECT_EQ(sel->GetIDOfName("iSheet"), 0x40030005);
  com::PropertyBag bag;
  sel->WriteProperties(bag);
  EXPECT_EQ(bag.Count(), 0u);
}

}  // namespace
}  // namespace kvctl2
