// Tab controls with their pages and the splitter, played with the mouse
// and the keys.
#include <gtest/gtest.h>

#include "com/StdPicture.h"
#include "forms/Form.h"
#include "forms/containers/Splitter.h"
#include "forms/containers/TabControl.h"
#include "forms/containers/TabPage.h"
#include "forms/controls/FlatEdit.h"
#include "forms/lists/ListBox.h"
#include "gdi/Gdi.h"
#include "runtime/ErrorNumberOf.h"
#include "tests/PlayUser.h"

namespace forms {
namespace {

const char* kView = R"(Begin Form frmView
   ClientWidth = 9000
   ClientHeight = 4995
   Begin SSSplitter.SSSplitter splTap
      Left = 0
      Top = 0
      Width = 9000
      Height = 4995
      SplitterPosition = 3000
      Pane1Name = "Tree"
      Pane1Control = "lstTree"
      Pane2Name = "Details"
      Pane2Control = "tabTab"
      Begin VB.ListBox lstTree
         TabIndex = 0
      End
      Begin ActiveTabs.SSActiveTabs tabTab
         TabIndex = 1
         Begin ActiveTabs.SSActiveTabPanel pnl(0)
            Caption = "Empty"
         End
         Begin ActiveTabs.SSActiveTabPanel pnl(1)
            Caption = "&Users"
            Begin XtremeSuiteControls.FlatEdit txtUser
               Left = 120
               Top = 120
               Width = 2000
               Height = 300
               TabIndex = 2
            End
         End
         Begin ActiveTabs.SSActiveTabPanel pnl(2)
            Caption = "&Groups"
            Begin XtremeSuiteControls.FlatEdit txtGroup
               Left = 120
               Top = 120
               Width = 2000
               Height = 300
               TabIndex = 3
            End
         End
      End
   End
End
)";

class Containers : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_shared<Form>("frmView");
    form->SetDesignText(kView);
    form->OnControlEvent("tabTab", "SelectedChanged",
                         [this](int16_t, com::Args& a) { log.push_back("changed " + a[0].ToString()); });
    form->OnControlEvent("tabTab", "TabClick", [this](int16_t, com::Args& a) { log.push_back("click " + a[0].ToString()); });
    form->OnControlEvent("splTap", "Resized", [this](int16_t, com::Args&) { log.push_back("resized"); });
    form->Show();
    tabs = form->Get<TabControl>("tabTab");
    splitter = form->Get<Splitter>("splTap");
    log.clear();
  }
  void TearDown() override { form->Unload(); }
  rt::ManualClock clock;
  rt::ScopedClock scopedClock{clock};
  std::shared_ptr<Form> form;
  std::shared_ptr<TabControl> tabs;
  std::shared_ptr<Splitter> splitter;
  std::vector<std::string> log;
};

TEST_F(Containers, PagesShowTheirControlsOneAtATime) {
  auto user = form->Get<FlatEdit>("txtUser");
  auto group = form->Get<FlatEdit>("txtGroup");
  ASSERT_EQ(tabs->ItemCount(), 3);
  EXPECT_EQ(tabs->SelectedItem(), 0);
  EXPECT_FALSE(form->IsShown(*user));
  tabs->SetSelectedItem(1);
  EXPECT_TRUE(form->IsShown(*user));
  EXPECT_FALSE(form->IsShown(*group));
  EXPECT_EQ(log, (std::vector<std::string>{"changed 1"}));
  // The page's controls sit inside the page area, below the tabs.
  int32_t left, top, width, height;
  tabs->PageArea(left, top, width, height);
  EXPECT_EQ(user->Left(), left + 120);
  EXPECT_EQ(user->Top(), top + 120);
  EXPECT_EQ(rt::ErrorNumberOf([&] { tabs->SetSelectedItem(3); }), 380);

  // A click on a tab chooses its page; a disabled page is not chosen.
  log.clear();
  const gdi::RECT third = tabs->TabRect(2);
  test::Click(*tabs, (third.left + third.right) / 2, (third.top + third.bottom) / 2);
  EXPECT_EQ(tabs->SelectedItem(), 2);
  EXPECT_EQ(log, (std::vector<std::string>{"changed 2", "click 2"}));
  tabs->Item(1)->SetEnabled(false);
  const gdi::RECT second = tabs->TabRect(1);
  test::Click(*tabs, (second.left + second.right) / 2, (second.top + second.bottom) / 2);
  EXPECT_EQ(tabs->SelectedItem(), 2);

  // Ctrl+Tab from a control on a page turns the pages, passing the disabled one.
  form->SetFocusTo(*group);
  test::Key(win::VK_TAB, test::kCtrl);
  EXPECT_EQ(tabs->SelectedItem(), 0);
  EXPECT_NE(form->ActiveControl(), group);  // its page is hidden now
  tabs->Item(1)->SetEnabled(true);
  test::Key('U', test::kAlt);
  EXPECT_EQ(tabs->SelectedItem(), 1);
}

TEST_F(Containers, TabsShowIconsByNumberAndCanHideTheirRow) {
  gdi::OwnedBitmap bitmap(gdi::CreateFilledBitmap(16, 16, gdi::RGB(200, 0, 0)));
  tabs->Icons().AddIcon(gdi::ToInt(bitmap.Get()), 1);
  EXPECT_NE(tabs->Icons().Icon(1), nullptr);
  EXPECT_EQ(rt::ErrorNumberOf([&] { tabs->Icons().AddIcon(999999, 2); }), com::errInvalidPicture);
  // Page 1 takes icon 1 by its position: its tab is wider by the icon.
  const int withIcon = tabs->TabRect(1).right - tabs->TabRect(1).left;
  tabs->Item(1)->SetImage(5);
  EXPECT_EQ(tabs->TabRect(1).right - tabs->TabRect(1).left, withIcon - 20);
  tabs->SetShowTabs(false);
  int32_t left, top, width, height;
  tabs->PageArea(left, top, width, height);
  EXPECT_EQ(top, tabs->Top() + gdi::PixelsToTwipsY(2));
  EXPECT_EQ(tabs->Item(0)->Top(), top);
}

TEST_F(Containers, TheSplitterFillsItsPanesAndFollowsTheBar) {
  auto tree = form->Get<ListBox>("lstTree");
  EXPECT_EQ(tree->Width(), 3000);
  EXPECT_EQ(tree->Height(), 4995);
  EXPECT_EQ(tabs->Left(), 3000 + 4 * 15);
  EXPECT_EQ(tabs->Width(), 9000 - 3000 - 4 * 15);
  EXPECT_EQ(splitter->Pane("details")->Control(), tabs);
  // Dragging the bar 50 pixels to the right.
  const gdi::RECT bar = splitter->BarRect();
  test::Drag(*splitter, bar.left + 1, 100, bar.left + 51, 100);
  EXPECT_EQ(splitter->SplitterPosition(), 3000 + 50 * 15);
  EXPECT_EQ(tree->Width(), 3750);
  EXPECT_EQ(tabs->Left(), 3750 + 60);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "resized");
  // The tab control's pages and their controls moved along.
  int32_t left, top, width, height;
  tabs->PageArea(left, top, width, height);
  EXPECT_EQ(form->Get<FlatEdit>("txtUser")->Left(), left + 120);
  // The bar keeps both panes in sight.
  splitter->SetSplitterPosition(-500);
  EXPECT_EQ(splitter->SplitterPosition(), 20 * 15);
}

}  // namespace
}  // namespace forms
