#include <gtest/gtest.h>

#include "display/KVXProgress.h"
#include "forms/Label.h"
#include "forms/PictureBox.h"
#include "forms/controls/Shape.h"
#include "tests/DisplayTestHost.h"

namespace kvctl2 {
namespace {

// A bar 3000 twips wide: 2890 twips of bar between the caps.
const char* kDesign = R"(Begin Form frmHost
   ClientWidth = 4000
   ClientHeight = 1000
   Begin Kvctl2.KVXProgress PBar
      Left = 120
      Top = 120
      Width = 3000
      Height = 500
   End
End
)";

class Progress : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_shared<test::HostForm>(kDesign);
    host->Show();
    bar = host->Get<KVXProgress>("PBar");
  }
  void TearDown() override { host->Unload(); }
  // Calls UpdateTo late-bound by its dispatch id, as the update assistant does.
  void UpdateTo(int32_t value) {
    com::Args args{value};
    bar->Invoke(0x6003000B, com::CallKind::Method, args);
  }
  void Reset() {
    com::Args none;
    bar->Invoke(0x60030004, com::CallKind::Method, none);
  }
  std::string Caption() const { return bar->Percent().Caption(); }
  int32_t FillWidth() const { return bar->Fill().Width(); }
  int32_t EdgeLeft() const { return bar->Edge().Left(); }

  std::shared_ptr<test::HostForm> host;
  std::shared_ptr<KVXProgress> bar;
};

TEST_F(Progress, TheLayoutKeepsTheHeightAndPlacesTheBarBetweenTheCaps) {
  EXPECT_EQ(bar->Height(), 360);
  EXPECT_EQ(bar->Bar().Width(), 2890);
  EXPECT_EQ(bar->RightCap().Left(), 2900);
  EXPECT_EQ(FillWidth(), 0);
}

TEST_F(Progress, UpdateToFillsItsShareAndWritesThePercentage) {
  Reset();
  UpdateTo(37);
  EXPECT_EQ(Caption(), "37%");
  EXPECT_EQ(FillWidth(), 1069);  // 0.37 x 2890 = 1069.3
  EXPECT_EQ(EdgeLeft(), 1069 - 45);
  EXPECT_EQ(bar->Percent().Width(), 0 + 25);  // centred on the fill before the step
  UpdateTo(37);
  EXPECT_EQ(bar->Percent().Width(), 0 + 25);

  UpdateTo(100);
  EXPECT_EQ(Caption(), "100%");
  EXPECT_EQ(FillWidth(), 2890);
  EXPECT_EQ(bar->Percent().Width(), 2890);
  EXPECT_EQ(EdgeLeft(), 2890 - 60);
  EXPECT_EQ(bar->RightCap().FillColor(), bar->Edge().Surface().FillColor());
  UpdateTo(100);
  EXPECT_EQ(FillWidth(), 2890);
}

TEST_F(Progress, HalvesRoundToEvenAndFaultyValuesLeaveWhatTheyCannotCompute) {
  bar->SetMaxValue(200);
  UpdateTo(1);  // 0.5 % rounds to 0
  EXPECT_EQ(Caption(), "0%");
  UpdateTo(3);  // 1.5 % rounds to 2
  EXPECT_EQ(Caption(), "2%");
  UpdateTo(600);  // 300 %: the caption stays, the fill grows
  EXPECT_EQ(Caption(), "2%");
  EXPECT_EQ(FillWidth(), 8670);
  bar->Let("MaxValue", 0);  // a new layout empties the fill
  UpdateTo(50);
  EXPECT_EQ(FillWidth(), 0);
  EXPECT_EQ(Caption(), "2%");
}

TEST_F(Progress, ALoadedBarTakesTheFinalLayoutOnlyAfterAReset) {
  UpdateTo(100);  // loaded from design data: only the caption
  EXPECT_EQ(Caption(), "100%");
  EXPECT_EQ(FillWidth(), 0);
  UpdateTo(50);
  Reset();  // passes through 0 %
  UpdateTo(100);
  EXPECT_EQ(FillWidth(), 2890);
}

TEST_F(Progress, AColourChangeRepaintsTheShadingAndEmptiesTheFill) {
  UpdateTo(50);
  bar->Let("ForeColor", 0x00FF00);
  EXPECT_EQ(FillWidth(), 0);
  EXPECT_EQ(host->changed.back(), "ForeColor");
  EXPECT_EQ(KVXProgress::WinColor(0x8000000F), gdi::GetSysColor(gdi::COLOR_BTNFACE));
  EXPECT_EQ(KVXProgress::WinColor(0x123456), 0x123456u);
  // The fill's shading darkens from its top row: green at 255 at the top.
  UpdateTo(50);
  test::Rendered look(bar->Fill());
  EXPECT_GE(gdi::GetGValue(look.Pixel(40, 0)), 250);
  EXPECT_LT(gdi::GetGValue(look.Pixel(40, 14)), 240);
}

}  // namespace
}  // namespace kvctl2
