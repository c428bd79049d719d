// The login dialog in a real window, played with the mouse and the keyboard
// (XTest): choosing SQL Server authentication moves on to the user box with
// its text selected, and the access keys of the box labels reach the boxes.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "core/SessionState.h"
#include "core/frmLogin.h"
#include "forms/Responder.h"
#include "forms/controls/FlatEdit.h"
#include "forms/controls/OptionButton.h"
#include "forms/tests/x11/RealWindowChecks.h"
#include "gdi/FontBackend.h"
#include "main/tests/MainWindowLoad.h"
#include "main/tests/x11/RealWindowSession.h"
#include "win/X11Testing.h"

namespace qvadmin {
namespace {

namespace x11 = win::x11test;

class LoginKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi::UsePangoMetrics();
    SqlServer.clear();
    SqlUser.clear();
    // The main window as at the program's start, its login dialog cancelled.
    test::LoadMainWindow();
    test::RecordUnplayedModals(unexpected);
  }
  void TearDown() override {
    for (const auto& form : forms::Form::Forms()) form->Unload();
    forms::Responders::Clear();
  }
  std::string unexpected;
};

TEST_F(LoginKeys, SqlServerAuthenticationAndTheAccessKeysLandOnTheBoxes) {
  bool played = false;
  forms::Responders::Push([&](const forms::ModalRequest& r) {
    auto* dialog = dynamic_cast<frmLogin*>(r.form);
    if (!dialog) return 0;
    played = true;
    EXPECT_TRUE(x11::SettleUntil([&] { return x11::FocusWindow() == dialog->hWnd(); }));
    auto user = dialog->Get<forms::FlatEdit>("txtUID");
    auto password = dialog->Get<forms::FlatEdit>("txtPWD");
    user->SetText("sa");
    x11::Click(dialog->hWnd(), forms::test::CentreOf(*dialog->Control("optAuth", 1)));
    x11::Settle();
    EXPECT_TRUE(dialog->Get<forms::OptionButton>("optAuth", 1)->Value());
    const auto focused = [&] {
      const com::ControlPtr active = dialog->ActiveControl();
      return active ? active->Name() : std::string();
    };
    EXPECT_EQ(focused(), "txtUID");
    EXPECT_EQ(user->SelLength(), 2);
    struct Case {
      unsigned long key;
      const char* box;
    };
    for (const Case& c : {Case{XK_p, "txtPWD"}, Case{XK_u, "txtUID"}, Case{XK_p, "txtPWD"}}) {
      x11::TapKeyWith(XK_Alt_L, c.key);
      x11::Settle();
      EXPECT_EQ(focused(), c.box) << "Alt+" << static_cast<char>(c.key);
    }
    // What is typed now goes into the password box.
    x11::TypeText("pw");
    x11::Settle();
    EXPECT_EQ(password->Text(), "pw");
    dialog->Unload();
    return 0;
  });
  frmLogin::Default()->Show(forms::vbModal);
  EXPECT_TRUE(played);
  EXPECT_EQ(unexpected, "");
}

}  // namespace
}  // namespace qvadmin
