#include <gtest/gtest.h>

#include "display/KVXFrame.h"
#include "display/KVXFrameBox.h"
#include "forms/controls/ScrollBar.h"
#include "gdi/BitmapBits.h"
#include "tests/DisplayTestHost.h"
#include "win/Input.h"

namespace kvctl2 {
namespace {

// A box of 4000 x 3000 twips holding three frames 500 twips high, placed
// at Tops 2000, 0 and 1000.
const char* kDesign = R"(Begin Form frmHost
   ClientWidth = 6000
   ClientHeight = 4000
   Begin Kvctl2.KVXFrameBox box
      Left = 0
      Top = 0
      Width = 4000
      Height = 3000
      Begin Kvctl2.KVXFrame fra(0)
         Left = 100
         Top = 2000
         Width = 3000
         Height = 500
      End
      Begin Kvctl2.KVXFrame fra(1)
         Left = 120
         Top = 0
         Width = 3000
         Height = 500
      End
      Begin Kvctl2.KVXFrame fra(2)
         Left = 300
         Top = 1000
         Width = 3000
         Height = 500
      End
   End
End
)";

class FrameBoxes : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_shared<test::HostForm>(kDesign);
    host->Show();
    box = host->Get<KVXFrameBox>("box");
    host->Record("box");
  }
  void TearDown() override { host->Unload(); }
  std::shared_ptr<KVXFrame> Frame(int16_t i) { return host->Get<KVXFrame>("fra", i); }
  std::vector<int32_t> Tops() {
    std::vector<int32_t> tops;
    for (int16_t i = 0; i < 3; ++i) tops.push_back(Frame(i)->Top());
    return tops;
  }
  std::shared_ptr<test::HostForm> host;
  std::shared_ptr<KVXFrameBox> box;
};

TEST_F(FrameBoxes, TheFirstPaintStacksTheColumnByTop) {
  EXPECT_EQ(box->ContainedControls().size(), 3u);
  EXPECT_EQ(Frame(0)->Container(), box.get());
  EXPECT_EQ(box->Order(), (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(Tops(), (std::vector<int32_t>{1510, 0, 755}));
  for (int16_t i = 0; i < 3; ++i) EXPECT_EQ(Frame(i)->Left(), 120) << i;
  EXPECT_FALSE(box->ScrollVisible());
  EXPECT_FALSE(box->XPScroll().Visible());
}

TEST_F(FrameBoxes, ATallerFrameShowsTheBarNarrowsTheColumnAndScrollsItIntoView) {
  host->events.clear();
  Frame(2)->SetHeight(3000);
  box->CtrlRefresh(win::ToInt(Frame(2)->hWnd()));
  EXPECT_TRUE(box->ScrollVisible());
  EXPECT_EQ(box->XPScroll().Max(), 1590);
  EXPECT_EQ(box->ScrollOffset(), 835);
  EXPECT_EQ(Tops(), (std::vector<int32_t>{4010 - 835, -835, 755 - 835}));
  EXPECT_EQ(Frame(1)->Width(), 2900);
  EXPECT_EQ(host->events, (std::vector<std::string>{"ScrollVisible(True)"}));
  EXPECT_EQ(box->XPScroll().Left(), 4000 - 240);

  // The topmost control or none: re-stacked, never scrolled.
  for (int32_t handle : {win::ToInt(Frame(1)->hWnd()), -1}) {
    box->CtrlRefresh(handle);
    EXPECT_EQ(box->ScrollOffset(), 835);
  }
  // The bar scrolls the column; ScrollValue is clamped.
  box->Let("ScrollValue", -5);
  EXPECT_EQ(box->ScrollValue(), 0);
  EXPECT_EQ(Tops(), (std::vector<int32_t>{4010, 0, 755}));
  box->SetScrollValue(1590);
  EXPECT_EQ(Frame(1)->Top(), -1590);
}

TEST_F(FrameBoxes, AFrameThatCollapsesClosesTheColumnUp) {
  Frame(2)->SetExpandiert(false);  // the middle frame: 300 twips
  EXPECT_EQ(Tops(), (std::vector<int32_t>{0 + 500 + 255 + 300 + 255, 0, 755}));
  Frame(2)->SetExpandiert(true);
  EXPECT_EQ(Tops(), (std::vector<int32_t>{1510, 0, 755}));
}

TEST_F(FrameBoxes, AlwaysShownBarOnlyTurnsDisabled) {
  box->SetScrollBarAlways(true);
  host->events.clear();
  box->SetScrollVisible(false);
  EXPECT_TRUE(box->XPScroll().Visible());
  EXPECT_FALSE(box->XPScroll().Enabled());
  EXPECT_EQ(host->events, (std::vector<std::string>{"ScrollVisible(True)"}));
  EXPECT_EQ(Frame(0)->Width(), 3000);  // a column that fits keeps its width
  // A handler's answer becomes the stored flag.
  host->OnControlEvent("box", "ScrollVisible", [](int16_t, com::Args& args) { args[0] = false; });
  box->SetScrollVisible(true);
  EXPECT_FALSE(box->ScrollVisible());
}

TEST_F(FrameBoxes, EqualTopsKeepTheOrderOfTheSortAndAControlAtTheOriginMovesToTheBottom) {
  for (int16_t i = 0; i < 3; ++i) Frame(i)->SetTop(0);
  Frame(0)->SetLeft(0);
  box->SetAutoFrameAlign(true);  // a full rebuild
  // Frame 0 stood at 0,0: it first went to 3000 - 500 - 80 = 2420.
  EXPECT_EQ(box->Order(), (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(Tops(), (std::vector<int32_t>{1510, 755, 0}));
}

TEST_F(FrameBoxes, ADesignerWithoutAutoFrameAlignOnlyCounts) {
  host->designMode = true;
  com::PropertyBag bag;
  bag.WriteProperty("AutoFrameAlign", false, true);
  auto designed = std::make_shared<KVXFrameBox>();
  designed->ReadProperties(bag);
  designed->Site(*host, "designed", -1);
  designed->Move(0, 0, 3000, 3000);
  for (int32_t top : {5000, 100}) {
    auto frame = std::make_shared<KVXFrame>();
    frame->Site(*host, "fraLoose", -1);
    frame->Move(0, top, 1000, 500);
    designed->AddContainedControl(frame);
  }
  designed->Refresh();  // a repaint in the designer
  EXPECT_EQ(designed->ContainedControls()[0]->Top(), 5000);
  EXPECT_EQ(designed->ContainedControls()[1]->Top(), 100);
  EXPECT_TRUE(designed->ScrollVisible());
  for (const auto& c : designed->ContainedControls()) c->Unsite();
  designed->Unsite();
}

// A contained control whose Top cannot be read.
class Odd : public com::UserControl {
 public:
  Odd() {
    DefineProperty(
        "Top", [] { return rt::Raise(rt::errNoSuchMember), rt::Variant(); }, nullptr);
  }
  std::string ClassName() const override { return "Odd"; }
};

TEST_F(FrameBoxes, TallColumnsAndOddChildrenKeepWorking) {
  auto odd = std::make_shared<Odd>();
  odd->Site(*host, "odd", -1);
  box->AddContainedControl(odd);
  for (int16_t i = 0; i < 3; ++i) Frame(i)->SetHeight(20000);
  box->SetAutoFrameAlign(true);  // rebuild: the odd one stays out of the column
  EXPECT_EQ(box->Order().size(), 3u);
  EXPECT_EQ(Frame(0)->Top(), 40510);  // tops beyond 16 bits
  box->CtrlRefresh(win::ToInt(Frame(0)->hWnd()));
  // 60510 + 80 - 3000 twips of range in 16-bit steps of 2 twips, scrolled
  // to show the lowest frame.
  EXPECT_EQ(box->XPScroll().Max(), (60510 + 80 - 3000 + 1) / 2);
  EXPECT_EQ(box->ScrollOffset(), 57590);
  EXPECT_EQ(Frame(0)->Top() + Frame(0)->Height(), 3000 - 80);
  box->RemoveContainedControl(odd);
  odd->Unsite();
}

TEST_F(FrameBoxes, ARangeThatOutgrowsTheBarKeepsTheOffsetAndScrollValueKeepsTwips) {
  for (int16_t i = 0; i < 3; ++i) Frame(i)->SetHeight(10000);
  box->CtrlRefresh(-1);  // bottom 30510: a range of 27590 twips, one twip a unit
  box->SetScrollValue(20000);
  EXPECT_EQ(Frame(1)->Top(), -20000);
  // The lowest frame grows: the range passes 32767 twips while scrolled.
  Frame(0)->SetHeight(20000);
  box->CtrlRefresh(win::ToInt(Frame(0)->hWnd()));
  EXPECT_EQ(box->XPScroll().Max(), (40510 + 80 - 3000 + 1) / 2);
  // Scrolled just so far that the grown frame's bottom shows.
  EXPECT_EQ(box->ScrollOffset(), 40510 + 80 - 3000);
  EXPECT_EQ(Frame(0)->Top() + Frame(0)->Height(), 3000 - 80);
  EXPECT_EQ(Frame(1)->Top(), -box->ScrollOffset());
  box->CtrlRefresh(-1);
  EXPECT_EQ(Frame(0)->Top() + Frame(0)->Height(), 3000 - 80);

  // ScrollValue means twips at any unit, also in the property bag.
  box->SetScrollValue(0);
  EXPECT_EQ(Frame(1)->Top(), 0);
  box->SetScrollValue(20000);
  EXPECT_EQ(box->ScrollValue(), 20000);
  EXPECT_EQ(Frame(1)->Top(), -20000);
  com::PropertyBag bag;
  box->WriteProperties(bag);
  EXPECT_EQ(bag.ReadProperty("ScrollValue").ToInteger(), 20000);
  KVXFrameBox loaded;
  loaded.ReadProperties(bag);
  EXPECT_EQ(loaded.ScrollOffset(), 20000);

  // Shrinking back below 32767 twips keeps the offset too.
  Frame(0)->SetHeight(10000);
  box->CtrlRefresh(-1);
  EXPECT_EQ(box->XPScroll().Max(), 30510 + 80 - 3000);
  EXPECT_EQ(box->ScrollOffset(), 20000);
  EXPECT_EQ(Frame(1)->Top(), -20000);
}

TEST_F(FrameBoxes, TilesTheBackgroundFromOneTwip) {
  gdi::OwnedBitmap tile(gdi::CreateFilledBitmap(32, 32, gdi::RGB(200, 220, 240)));  // 480 twips
  box->Move(0, 0, 1000, 1000);
  box->SetBackgroundImageStyle(kvTiled);
  gdi::StartRecording(box->hDC());
  box->SetBackgroundImage(com::StdPicture::FromBitmap(std::move(tile)));
  std::vector<std::string> tiles;
  for (const auto& c : gdi::RecordedCalls(box->hDC()))
    if (c.rfind("AlphaBlend", 0) == 0) tiles.push_back(c.substr(11, c.find(' ', 11) - 11));
  EXPECT_EQ(tiles,
            (std::vector<std::string>{"0,0", "0,32", "0,64", "32,0", "32,32", "32,64", "64,0", "64,32", "64,64"}));
  com::PropertyBag bag;
  box->WriteProperties(bag);
  EXPECT_EQ(bag.ReadProperty("BackgroundImageStyle").ToInteger(), kvTiled);
}

}  // namespace
}  // namespace kvctl2
