#include <gtest/gtest.h>

#include "display/KVXColorLabel.h"
#include "gdi/FontBackend.h"
#include "tests/DisplayTestHost.h"

namespace kvctl2 {
namespace {

// On fixed metrics the label's font (MS Sans Serif 8.25) is 11 pixels
// high: 165 twips a line, 90 twips a character.
const char* kDesign = R"(Begin Form frmHost
   ClientWidth = 6000
   ClientHeight = 3000
   BackColor = &HFFFFFF
   Begin Kvctl2.KVXColorLabel lbl
      Left = 120
      Top = 120
      Width = 1500
      Height = 600
      BackColor = &HFFFFFF
      Caption = "  Hello  "
   End
End
)";

class ColorLabels : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_shared<test::HostForm>(kDesign);
    host->Show();
    lbl = host->Get<KVXColorLabel>("lbl");
  }
  void TearDown() override { host->Unload(); }
  // The texts the paint pass prints with their colours.
  std::vector<std::string> Printed() {
    gdi::DrawingSurface& s = lbl->Surface();
    s.SetAutoRedraw(true);
    const gdi::HDC dc = s.hDC();
    gdi::StartRecording(dc);
    lbl->PaintCaption();
    std::vector<std::string> texts;
    for (const auto& c : gdi::RecordedCalls(dc))
      if (c.rfind("TextOut", 0) == 0) texts.push_back(c.substr(8, c.find(" font=") - 8));
    gdi::StopRecording(dc);
    return texts;
  }
  gdi::ScopedFixedMetrics metrics;
  std::shared_ptr<test::HostForm> host;
  std::shared_ptr<KVXColorLabel> lbl;
};

TEST_F(ColorLabels, RunsPrintOneAfterTheOtherInTheirColours) {
  EXPECT_EQ(lbl->Caption(), "  Hello  ");  // read from design data: untouched
  lbl->Let("Caption", "  <c255>red</c> <b>bold</b><br>next  ");
  EXPECT_EQ(lbl->Caption(), "<c255>red</c> <b>bold</b><br>next");
  // The blank before <b> goes to the run before it; <br> leaves an empty run.
  EXPECT_EQ(Printed(), (std::vector<std::string>{"'red ' 0,0 #FF0000", "'bold' 24,0 #000000", "'' 48,0 #000000",
                                                 "'next' 0,11 #000000"}));
  lbl->Let("ForeColor", 0xFF0000);  // every run outside colour tags
  EXPECT_EQ(Printed().back(), "'next' 0,11 #0000FF");
  EXPECT_EQ(lbl->Height(), 600);  // neither flag: the size stays
}

TEST_F(ColorLabels, AutosizeGrowsTheWidthAndSetsTheHeight) {
  lbl->SetWidth(300);
  lbl->SetCaption("A<b>B</b>C");
  lbl->SetAutosize(true);
  EXPECT_EQ(lbl->Width(), 3 * 90 + 3 * 90);
  EXPECT_EQ(lbl->Height(), 165);
  lbl->SetCaption("A");  // never shrinks
  EXPECT_EQ(lbl->Width(), 540);
  lbl->SetCaption("");
  EXPECT_EQ(lbl->Height(), 165);
  EXPECT_TRUE(Printed().size() <= 1);
}

TEST_F(ColorLabels, WordWrapBreaksToTheWidthAndCountsTheLines) {
  lbl->SetWidth(900);  // 10 characters
  lbl->SetCaption("one two three four five");
  lbl->SetWordWrap(true);
  EXPECT_EQ(Printed(),
            (std::vector<std::string>{"'one two' 0,0 #000000", "'three four' 0,11 #000000", "'five' 0,22 #000000"}));
  EXPECT_EQ(lbl->Height(), 3 * 165);
  EXPECT_EQ(lbl->Width(), 900);
}

TEST_F(ColorLabels, AColourBeyond32BitsPrintsTheRestAsItStands) {
  lbl->SetCaption("A <c99999999999>B<b>C");
  EXPECT_EQ(Printed(), (std::vector<std::string>{"'A ' 0,0 #000000", "'B<b>C' 12,0 #000000"}));
}

TEST_F(ColorLabels, DisablingChangesNoPixelAndMembersHaveTheirIds) {
  const test::Rendered before(*lbl);
  com::Args off{false};
  lbl->Invoke(0x68030002, com::CallKind::PropertyLet, off);
  const test::Rendered after(*lbl);
  for (int y = 0; y < 40; y += 3)
    for (int x = 0; x < 100; x += 3) ASSERT_EQ(before.Pixel(x, y), after.Pixel(x, y));
  EXPECT_FALSE(win::IsWindowEnabled(lbl->hWnd()));
  EXPECT_EQ(lbl->GetIDOfName("Caption"), 0x68030006);
  EXPECT_EQ(lbl->GetIDOfName("MousePointer"), 0x68030000);
  EXPECT_EQ(lbl->EventDispId("MouseUp"), 6);
}

TEST_F(ColorLabels, PassesTheMouseInTwips) {
  host->Record("lbl");
  test::Click(*lbl, 2, 3);
  EXPECT_EQ(host->events, (std::vector<std::string>{"MouseDown(1, 0, 30, 45)", "MouseUp(1, 0, 30, 45)", "Click()"}));
}

TEST_F(ColorLabels, PersistsItsNineKeys) {
  com::PropertyBag bag;
  lbl->SetWordWrap(true);
  lbl->WriteProperties(bag);
  EXPECT_EQ(bag.Names(), (std::vector<std::string>{"BackColor", "Caption", "WordWrap"}));
  KVXColorLabel copy;
  copy.ReadProperties(bag);
  EXPECT_EQ(copy.Caption(), "  Hello  ");
  EXPECT_TRUE(copy.WordWrap());
}

}  // namespace
}  // namespace kvctl2
