// QVAdmin played with the keyboard in real windows under a window manager,
// against the private database cluster: the login dialog is filled in and
// left with Alt+L, Add User is opened, a login that exists already is
// stored with Alt+O, the box that says so inside the dialog is dismissed
// with Enter, and typing goes on in the dialog until a new user is stored.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "core/DockedViews.h"
#include "core/SessionState.h"
#include "core/StartUp.h"
#include "core/TextHelpers.h"
#include "core/frmLogin.h"
#include "forms/Responder.h"
#include "forms/controls/ComboBox.h"
#include "forms/controls/FlatEdit.h"
#include "forms/docking/DockStudio.h"
#include "main/frmMDI.h"
#include "main/tests/x11/RealWindowSession.h"
#include "runtime/Strings.h"
#include "shell/System.h"
#include "users/frmUser.h"
#include "users/frmUserEdit.h"
#include "win/Window.h"
#include "win/X11Testing.h"

namespace qvadmin {
namespace {

namespace x11 = win::x11test;

constexpr unsigned long kEndKey = 0xFF57;

class KeyboardJourney : public test::RealWindowSession {
 protected:
  // Waits until the window has the keyboard focus of the server.
  static bool Focused(const forms::Form& form) {
    return x11::SettleUntil([&] { return x11::FocusWindow() == form.hWnd(); });
  }
};

TEST_F(KeyboardJourney, LogInAddAUserAndGoOnTypingAfterAnErrorBoxInTheDialog) {
  x11::WindowManager manager;
  ASSERT_TRUE(manager.Started());
  const std::string computer = rt::RTrim(CutAtNull(shell::GetComputerNameA()));
  const std::string taken = "journey-taken";
  sqltest::Exec(db(), "INSERT INTO Benutzer (WinUsr, Fullname, PLT) VALUES ('" + taken + "', 'Taken', 0)");

  // The login dialog: the server typed over the one offered, Windows
  // authentication kept, Alt+L.
  forms::Responders::Push([&](const forms::ModalRequest& r) {
    auto* dialog = dynamic_cast<frmLogin*>(r.form);
    if (!dialog) return 0;
    EXPECT_TRUE(Focused(*dialog));
    auto server = dialog->Get<forms::ComboBox>("cboServer");
    x11::TapKeySymbol(kEndKey);
    x11::TypeText(std::string(server->Text().size(), '\b'));
    x11::TypeText(computer);
    x11::Settle();
    EXPECT_EQ(server->Text(), computer);
    x11::TapKeyWith(XK_Alt_L, XK_l);
    x11::SettleUntil([&] { return !dialog->IsLoaded(); });
    return 0;
  });
  Main();
  const std::shared_ptr<frmMDI> main = frmMDI::Default();
  ASSERT_TRUE(x11::SettleUntil([&] { return x11::IsShown(main->hWnd()); }));
  ASSERT_FALSE(CurrentUserID.empty()) << unexpected;

  std::string login;
  forms::Responders::Push([&](const forms::ModalRequest& r) {
    auto* dialog = dynamic_cast<frmUserEdit*>(r.form);
    if (!dialog) return 0;
    EXPECT_TRUE(Focused(*dialog));
    auto winUser = dialog->Get<forms::FlatEdit>("txtWinUsr");
    // From the tabs to the login box: a login that exists and a name,
    // stored with Alt+O: a box inside the dialog says so and takes Enter.
    x11::TypeText("\t" + taken + "\tJourney");
    x11::Settle();
    EXPECT_EQ(winUser->Text(), taken);
    bool boxShown = false;
    forms::Responders::Push([&](const forms::ModalRequest& box) {
      if (!box.form) return 0;
      boxShown = true;
      EXPECT_TRUE(Focused(*box.form));
      EXPECT_EQ(win::GetWindow(box.form->hWnd(), win::GW_OWNER), dialog->hWnd());
      x11::TypeText("\r");
      EXPECT_TRUE(x11::SettleUntil([&] { return !box.form->IsLoaded(); }));
      return 0;
    });
    x11::TapKeyWith(XK_Alt_L, XK_o);
    x11::Settle();
    EXPECT_TRUE(boxShown);
    // The dialog has the keyboard again: round the tab order to the login
    // box, a new login typed over the old one, Alt+O.
    EXPECT_TRUE(Focused(*dialog));
    EXPECT_TRUE(dialog->IsLoaded());
    x11::TypeText("\t\t\tjourney-new");
    x11::Settle();
    login = winUser->Text();
    x11::TapKeyWith(XK_Alt_L, XK_o);
    if (!x11::SettleUntil([&] { return !dialog->IsLoaded(); })) {
      ADD_FAILURE() << "Alt+O did not close the dialog";
      dialog->Unload();
    }
    return 0;
  });
  ShowDockedForm(frmUser::Default());
  x11::Settle();
  const gdi::RECT tool = main->Dock()->ToolRect("User", "AddUser");
  x11::Click(main->hWnd(), win::POINT{(tool.left + tool.right) / 2, (tool.top + tool.bottom) / 2});
  x11::Settle();

  EXPECT_EQ(login, "journey-new");
  EXPECT_EQ(sqltest::Scalar(db(), "SELECT count(*) FROM Benutzer WHERE WinUsr = 'journey-new'"), "1");
  EXPECT_EQ(unexpected, "");
}

}  // namespace
}  // namespace qvadmin
