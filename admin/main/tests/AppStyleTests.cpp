// The colour schemes on the lists and tab controls of the forms, and the
// icons of tab controls from the main window's image list.
#include <gtest/gtest.h>

#include "../../core/tests/CoreTestSupport.h"
#include "core/AppStyle.h"
#include "core/RegistrySettings.h"
#include "forms/containers/TabControl.h"
#include "forms/lists/ListBox.h"
#include "gdi/FontBackend.h"
#include "main/frmMDI.h"
#include "main/tests/FakeMsg.h"

namespace qvadmin {
namespace {

const char* kDialog = R"(Begin Form frmDialog
   ClientWidth = 4800
   ClientHeight = 3600
   Begin VB.ListBox lstItems
      Left = 120
      Top = 120
      Width = 1800
      Height = 1200
   End
   Begin XtremeSuiteControls.TabControl tabEdit
      Left = 2040
      Top = 120
      Width = 2600
      Height = 3000
      Begin XtremeSuiteControls.TabControlPage page(0)
         Caption = "General"
      End
      Begin XtremeSuiteControls.TabControlPage page(1)
         Caption = "Assigned Users"
      End
   End
End
)";

class Styles : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UsePrivateRegistry();
    LoadSettings();
    frmMDI::Default()->Show();
    dialog = std::make_shared<forms::Form>("frmDialog");
    dialog->SetDesignText(kDialog);
    dialog->Load();
    tabs = dialog->Get<forms::TabControl>("tabEdit");
  }
  void TearDown() override {
    ApplyStyle(nullptr, kSystemScheme);
    dialog->Unload();
    frmMDI::Default()->Unload();
  }
  gdi::ScopedFixedMetrics metrics;
  test::ScopedFakeMsg fakeMsg;
  std::shared_ptr<forms::Form> dialog;
  std::shared_ptr<forms::TabControl> tabs;
};

TEST_F(Styles, RegisterTabsTakesTheIconsByKeyAndSelectsTheFirstPage) {
  tabs->SetSelectedItem(1);
  tabs->SetBackColor(0x00FF00);
  RegisterTabs(*tabs, "UserGrp|UserCard");
  EXPECT_EQ(tabs->SelectedItem(), 0);
  EXPECT_EQ(tabs->BackColor(), 0x8000000Fu);
  ASSERT_EQ(tabs->Icons().Count(), 2);
  EXPECT_EQ(tabs->Icons().Icon(0)->PngData(), frmMDI::Default()->ListPicture("UserGrp")->PngData());
  EXPECT_EQ(tabs->Icons().Icon(1)->PngData(), frmMDI::Default()->ListPicture("UserCard")->PngData());
  // No keys: no icons, the page still chosen.
  tabs->Icons().RemoveAll();
  tabs->SetSelectedItem(1);
  RegisterTabs(*tabs, "");
  EXPECT_EQ(tabs->Icons().Count(), 0);
  EXPECT_EQ(tabs->SelectedItem(), 0);
  EXPECT_TRUE(test::FakeMsg::Last()->calls.empty());
}

TEST_F(Styles, RegisterTabsReportsAnUnknownKey) {
  RegisterTabs(*tabs, "UserGrp|NoSuchPicture");
  ASSERT_EQ(test::FakeMsg::Last()->calls.size(), 1u);
  EXPECT_NE(test::FakeMsg::Last()->calls[0][6].ToString().find("\"Tabregist error\""), std::string::npos);
}

TEST_F(Styles, ASchemeColoursTheListsAndTabsOfEveryForm) {
  auto list = dialog->Get<forms::ListBox>("lstItems");
  for (uint8_t scheme : {1, 2, 3, 0}) {
    ApplyStyle(nullptr, scheme);
    EXPECT_EQ(CurrentScheme(), scheme);
    EXPECT_EQ(list->BackColor(), SchemeColours(scheme).listBack) << int(scheme);
    EXPECT_EQ(tabs->BackColor(), SchemeColours(scheme).tabBack) << int(scheme);
  }
  // A form styles itself with the current scheme; the number passed is not used.
  ApplyStyle(nullptr, 2);
  list->SetBackColor(0x123456);
  ApplyStyle(dialog.get(), 0);
  EXPECT_EQ(list->BackColor(), SchemeColours(2).listBack);
  EXPECT_NE(SchemeColours(2).tabBack, SchemeColours(3).tabBack);
}

}  // namespace
}  // namespace qvadmin
