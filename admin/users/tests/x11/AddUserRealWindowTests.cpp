// The user administration in real windows on a private X server: a user
// added through the user dialog with the mouse and the keyboard (XTest),
// then read back from the master database with a direct query.
#include <gtest/gtest.h>

#include "UsersTestSupport.h"
#include "core/DockedViews.h"
#include "forms/containers/TabControl.h"
#include "forms/controls/FlatEdit.h"
#include "forms/docking/DockStudio.h"
#include "gdi/FontBackend.h"
#include "main/frmMDI.h"
#include "users/frmUser.h"
#include "users/frmUserEdit.h"
#include "win/Window.h"
#include "win/X11Testing.h"

namespace qvadmin {
namespace {

namespace x11 = win::x11test;

// The centre of a control (also one on a tab page) in the client area of
// its form's window.
win::POINT CentreInForm(const forms::Form& form, const com::Control& control) {
  win::POINT point{control.PixelWidth() / 2, control.PixelHeight() / 2};
  win::ClientToScreen(control.hWnd(), &point);
  win::ScreenToClient(form.hWnd(), &point);
  return point;
}

class AddUserInRealWindows : public test::UsersTest {
 protected:
  void SetUp() override {
    gdi::UsePangoMetrics();
    test::UsersTest::SetUp();
  }
};

TEST_F(AddUserInRealWindows, TheDialogStoresWhatWasTyped) {
  QV_REQUIRE_SERVER();
  auto view = frmUser::Default();
  ShowDockedForm(view);
  x11::Settle();
  ASSERT_TRUE(x11::IsShown(frmMDI::Default()->hWnd()));

  OnDialog<frmUserEdit>([](frmUserEdit& dialog) {
    x11::Settle();
    ASSERT_TRUE(x11::IsShown(dialog.hWnd()));
    // The page "General" is chosen by its tab first: until the tab control
    // has the focus, a click on a field of its page only gives it the focus.
    auto tabs = dialog.Get<forms::TabControl>("tabEdit");
    const win::POINT centre = CentreInForm(dialog, *tabs);
    const gdi::RECT general = tabs->TabRect(0);
    x11::Click(dialog.hWnd(), win::POINT{centre.x - tabs->PixelWidth() / 2 + (general.left + general.right) / 2,
                                         centre.y - tabs->PixelHeight() / 2 + (general.top + general.bottom) / 2});
    x11::Settle();
    const auto typeInto = [&](const char* field, const char* text) {
      x11::Click(dialog.hWnd(), CentreInForm(dialog, *dialog.Control(field)));
      x11::Settle();
      x11::TypeText(text);
      x11::Settle();
    };
    typeInto("txtWinUsr", "e2e user");  // the blank goes
    typeInto("txtFullname", "Émile O'Connor; Ωμέγα");
    typeInto("txtBInf", "Typed in a real window");
    EXPECT_EQ(dialog.Get<forms::FlatEdit>("txtWinUsr")->Text(), "e2euser");
    x11::Click(dialog.hWnd(), CentreInForm(dialog, *dialog.Control("cmdSaveClose")));
    x11::Settle();
    if (dialog.IsLoaded()) {
      ADD_FAILURE() << "the OK button did not close the dialog";
      dialog.Unload();
    }
  });
  // The main window's tool, clicked by the mouse, opens the dialog.
  auto dock = frmMDI::Default()->Dock();
  const gdi::RECT tool = dock->ToolRect("User", "AddUser");
  x11::Click(frmMDI::Default()->hWnd(), win::POINT{(tool.left + tool.right) / 2, (tool.top + tool.bottom) / 2});
  x11::Settle();

  ado::Recordset rs =
      MainConnection().Execute("SELECT ID, Fullname, BInf, Aktiv, PLT, Setting FROM Benutzer WHERE WinUsr = 'e2euser'");
  ASSERT_FALSE(rs.Eof()) << "no row for the login typed";
  EXPECT_EQ(rs.Fields(1).Value().ToString(), "Émile O'Connor; Ωμέγα");
  EXPECT_EQ(rs.Fields(2).Value().ToString(), "Typed in a real window");
  EXPECT_TRUE(rs.Fields(3).Value().ToBool());
  EXPECT_EQ(rs.Fields(4).Value().ToLong(), 0);
  EXPECT_EQ(rs.Fields(5).Value().ToString(), "3345");
  const rt::Variant id = rs.Fields(0).Value();
  rs.Close();
  EXPECT_EQ(test::Count("SELECT count(*) FROM Benutzer_Gruppen WHERE UserID=?", {id}),
            test::Count("SELECT count(*) FROM Benutzer_Gruppen WHERE UserID=?", {rt::Variant(kDefaultUserID)}));
}

}  // namespace
}  // namespace qvadmin
