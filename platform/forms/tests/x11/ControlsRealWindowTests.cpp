// The controls in a real window on the private X server, played through
// XTest as a user would: a tree node chosen with the arrow keys, a report
// list sorted by a click on its header, typing into a masked edit box, and
// a combo box's list dropping down as a pop-up of its own.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "forms/Form.h"
#include "forms/controls/ComboBox.h"
#include "forms/controls/FlatEdit.h"
#include "forms/lists/ReportControl.h"
#include "forms/lists/TreeView.h"
#include "gdi/FontBackend.h"
#include "win/Input.h"
#include "win/Window.h"
#include "win/X11Testing.h"
#include "x11/RealWindowChecks.h"

namespace {

namespace x11 = win::x11test;

const char* kDialog = R"FRM(Begin Form frmControls
   Caption = "Controls"
   BorderStyle = 3
   Left = 1500
   Top = 1500
   ClientWidth = 7200
   ClientHeight = 3600
   Font = Font("Tahoma", 8.25)
   Begin SSActiveTreeView.SSTree treDB
      Left = 120
      Top = 120
      Width = 2400
      Height = 2000
      TabIndex = 0
   End
   Begin XtremeReportControl.ReportControl rctUser
      Left = 2640
      Top = 120
      Width = 4440
      Height = 2000
      TabIndex = 1
   End
   Begin XtremeSuiteControls.FlatEdit txtPWD
      PasswordChar = "*"
      Left = 120
      Top = 2280
      Width = 2400
      Height = 315
      TabIndex = 2
   End
   Begin XtremeSuiteControls.ComboBox cboDomains
      Style = 2
      Left = 2640
      Top = 2280
      Width = 2400
      Height = 315
      TabIndex = 3
   End
End
)FRM";

class RealControls : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi::UsePangoMetrics();
    form = std::make_shared<forms::Form>("frmControls");
    form->SetDesignText(kDialog);
    form->Load();
    tree = form->Get<forms::TreeView>("treDB");
    tree->Add({}, forms::tvwLast, "base", "Configuration");
    for (const char* n : {"Clients", "SQL Server Access", "Document Archive"}) {
      tree->Add("base", forms::tvwChild, n, n);
    }
    tree->Node("base")->SetExpanded(true);
    form->OnControlEvent("treDB", "NodeClick", [this](int16_t, com::Args& a) {
      clicked.push_back(com::AsObject<forms::TreeNode>(a[0])->Text());
    });
    list = form->Get<forms::ReportControl>("rctUser");
    list->AddColumn(0, "Windows Login", 200, true);
    for (const char* login : {"carl", "anna", "bert"}) list->AddRecord()->AddItem(login);
    list->Populate();
    form->Show();
    x11::Settle();
  }
  void TearDown() override { form->Unload(); }
  std::shared_ptr<forms::Form> form;
  std::shared_ptr<forms::TreeView> tree;
  std::shared_ptr<forms::ReportControl> list;
  std::vector<std::string> clicked;
};

// A pixel of a control in the form's client area.
win::POINT At(const com::Control& c, int x, int y) {
  return win::POINT{gdi::TwipsToPixelsX(c.Left()) + x, gdi::TwipsToPixelsY(c.Top()) + y};
}

TEST_F(RealControls, TheArrowKeysChooseATreeNode) {
  const gdi::RECT text = tree->TextRect(tree->Node("base").get());
  x11::Click(form->hWnd(), At(*tree, text.left + 4, text.top + 4));
  x11::TapKeySymbol(XK_Down);
  x11::TapKeySymbol(XK_Down);
  x11::Settle();
  EXPECT_EQ(clicked, (std::vector<std::string>{"Configuration", "Clients", "SQL Server Access"}));
  EXPECT_EQ(tree->SelectedItem()->Text(), "SQL Server Access");
  EXPECT_LE(forms::test::CompareShownWithRender(*form, "forms-real-tree"), 2);
}

TEST_F(RealControls, AHeaderClickSortsTheReportList) {
  const gdi::RECT header = list->HeaderRect(*list->Column(0));
  x11::Click(form->hWnd(), At(*list, header.left + 10, header.top + 5));
  x11::Settle();
  ASSERT_EQ(list->RowCount(), 3);
  EXPECT_EQ(list->RowRecord(0)->Item(0).Caption(), "anna");
  EXPECT_EQ(list->RowRecord(2)->Item(0).Caption(), "carl");
  EXPECT_LE(forms::test::CompareShownWithRender(*form, "forms-real-report"), 2);
}

TEST_F(RealControls, TypingIntoAMaskedEditShowsStars) {
  auto pwd = form->Get<forms::FlatEdit>("txtPWD");
  x11::Click(form->hWnd(), forms::test::CentreOf(*pwd));
  x11::TypeText("s3cr€t");
  x11::Settle();
  EXPECT_EQ(pwd->Text(), "s3cr€t");
  EXPECT_LE(forms::test::CompareShownWithRender(*form, "forms-real-password"), 2);
}

TEST_F(RealControls, TheComboListDropsDownAsAPopup) {
  auto combo = form->Get<forms::ComboBox>("cboDomains");
  for (const char* d : {"WORKGROUP", "SALES", "HEADQUARTERS"}) combo->AddItem(d);
  x11::Click(form->hWnd(), forms::test::CentreOf(*combo));
  x11::Settle();
  ASSERT_TRUE(combo->DroppedDown());
  // The list is a window of its own, above the form, past the window manager.
  win::RECT rect;
  win::GetWindowRect(combo->hWnd(), &rect);
  const win::HWND popup = win::WindowFromPoint(win::POINT{rect.left + 5, rect.bottom + 5});
  ASSERT_NE(popup, win::kNoWindow);
  EXPECT_TRUE(x11::IsOverrideRedirect(popup));
  const int row = forms::ItemList::RowHeight(combo->Font());
  win::POINT third{5, 1 + 2 * row + row / 2};
  x11::Click(popup, third);
  x11::Settle();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->Text(), "HEADQUARTERS");
}

}  // namespace
