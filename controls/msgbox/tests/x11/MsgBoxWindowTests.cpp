// The message window in a real window on a private X server, answered as a
// user would: with the mouse and the keyboard through XTest.
#include <gtest/gtest.h>

#include <functional>

#include <X11/keysym.h>

#include "forms/App.h"
#include "forms/TextBox.h"
#include "forms/tests/x11/RealWindowChecks.h"
#include "gdi/FontBackend.h"
#include "gdi/Twips.h"
#include "msgbox/MsgIcons.h"
#include "msgbox/MsgProperties.h"
#include "msgbox/MsgState.h"
#include "tests/MsgTestHost.h"
#include "win/Input.h"
#include "win/Menu.h"
#include "win/Window.h"
#include "win/X11Testing.h"

namespace kvctl2 {
namespace {

namespace x11 = win::x11test;

class MsgBoxWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi::UsePangoMetrics();
    host = std::make_shared<test::HostForm>();
    host->Show();
    msg = host->msg();
    UseStandardMsgIcons(*msg);
    auto& p = msg->Props();
    p.strOk = "OK";
    p.strCancel = "Cancel";
    p.strYes = "&Yes";
    p.strNo = "&No";
    forms::App().Title = "QVAdmin";
  }
  void TearDown() override {
    forms::Responders::Clear();
    for (const auto& f : forms::Form::Forms()) {
      MessageState().Result = 1;
      f->Unload();
    }
  }
  // Shows a modal message; `act` plays the user once the window is shown.
  int32_t Show(const std::string& prompt, int32_t buttons, std::function<void(frmMsgBoxIe&)> act) {
    test::Answer([act](frmMsgBoxIe& window) {
      EXPECT_TRUE(x11::SettleUntil([&] { return x11::FocusWindow() == window.hWnd(); }));
      act(window);
    });
    return msg->MsgBoxEx(prompt, buttons, "Quorvelle");
  }

  std::shared_ptr<test::HostForm> host;
  std::shared_ptr<Msg> msg;
};

TEST_F(MsgBoxWindow, ShowsItsRenderAndReturnsTheButtonClicked) {
  const int32_t result = Show("Do you want to save the changes to the user \"Administrator\"?",
                              forms::vbYesNoCancel + forms::vbQuestion, [this](frmMsgBoxIe& window) {
                                const int difference =
                                    forms::test::CompareShownWithRender(window, "msgbox-real-window");
                                EXPECT_GE(difference, 0) << "the window shows nothing, or another size";
                                EXPECT_LE(difference, 2);
                                // The box stays above its owner, which takes no input meanwhile.
                                EXPECT_EQ(win::GetWindow(window.hWnd(), win::GW_OWNER), host->hWnd());
                                EXPECT_FALSE(win::IsWindowEnabled(host->hWnd()));
                                x11::Click(window.hWnd(), forms::test::CentreOf(*window.cmdSys(1)));
                              });
  EXPECT_EQ(result, forms::vbNo);
  EXPECT_TRUE(win::IsWindowEnabled(host->hWnd()));
}

TEST_F(MsgBoxWindow, KeysAnswerTheBox) {
  // Tab moves to the second button, Space presses it.
  EXPECT_EQ(Show("Delete the group?", forms::vbOKCancel, [](frmMsgBoxIe&) { x11::TypeText("\t "); }), forms::vbCancel);
  // Enter presses the default button.
  EXPECT_EQ(
      Show("Delete the group?", forms::vbOKCancel + forms::vbDefaultButton2, [](frmMsgBoxIe&) { x11::TypeText("\r"); }),
      forms::vbCancel);
  // Escape gives the box's escape result.
  EXPECT_EQ(Show("Connected.", forms::vbOKOnly, [](frmMsgBoxIe&) { x11::TypeText("\x1b"); }), forms::vbOK);
}

// A modal dialog of the program, as the login dialog: two boxes to type
// into and a button with an access key.
const char* kDialogDesign = R"(Begin Form frmDialog
   Caption = "Login"
   BorderStyle = 3
   Left = 3000
   Top = 2000
   ClientWidth = 4200
   ClientHeight = 1800
   Font = Font("Tahoma", 8.25)
   Begin VB.TextBox txtUser
      Left = 120
      Top = 120
      Width = 3960
      Height = 315
      TabIndex = 0
   End
   Begin VB.TextBox txtPassword
      Left = 120
      Top = 600
      Width = 3960
      Height = 315
      TabIndex = 1
   End
   Begin VB.CommandButton cmdLogin
      Caption = "&Login"
      Left = 2880
      Top = 1200
      Width = 1200
      Height = 360
      TabIndex = 2
   End
End
)";

TEST_F(MsgBoxWindow, ABoxRaisedInADialogIsModalToItAndGivesTheFocusBack) {
  x11::WindowManager manager;
  ASSERT_TRUE(manager.Started());
  auto dialog = std::make_shared<forms::Form>("frmDialog");
  dialog->SetDesignText(kDialogDesign);
  int logins = 0;
  dialog->OnControlEvent("cmdLogin", "Click", [&](int16_t, com::Args&) { ++logins; });
  std::string typed;
  forms::Responders::Push([&](const forms::ModalRequest&) {
    EXPECT_TRUE(x11::SettleUntil([&] { return x11::FocusWindow() == dialog->hWnd(); }));
    auto password = dialog->Get<forms::TextBox>("txtPassword");
    x11::TypeText("\tab");
    x11::Settle();
    const int32_t result = Show("Login failed.", forms::vbOKOnly, [&](frmMsgBoxIe& window) {
      // The box belongs to the dialog; neither the dialog nor the main
      // window beneath takes keys while it is up.
      EXPECT_EQ(win::GetWindow(window.hWnd(), win::GW_OWNER), dialog->hWnd());
      EXPECT_FALSE(win::IsWindowEnabled(dialog->hWnd()));
      x11::TapKeyWith(XK_Alt_L, XK_l);
      x11::TypeText("x");
      x11::Settle();
      EXPECT_EQ(logins, 0);
      EXPECT_EQ(password->Text(), "ab");
      x11::TypeText("\r");
    });
    EXPECT_EQ(result, forms::vbOK);
    // The focus is back in the box it was in: typing goes on there.
    EXPECT_TRUE(x11::SettleUntil([&] { return x11::FocusWindow() == dialog->hWnd(); }));
    EXPECT_EQ(forms::Form::ActiveForm(), dialog.get());
    x11::TypeText("cd");
    x11::Settle();
    typed = password->Text();
    dialog->Unload();
    return 0;
  });
  dialog->Show(forms::vbModal, host.get());
  EXPECT_EQ(typed, "abcd");
}

TEST_F(MsgBoxWindow, EveryBoxTakesEnterEscapeAndTab) {
  x11::WindowManager manager;
  ASSERT_TRUE(manager.Started());
  struct Case {
    const char* what;
    int32_t buttons;
    bool details;  // an error report: details and an icon of its own
    const char* keys;
    int32_t expected;
  };
  const Case cases[] = {
      {"an error report, Enter", forms::vbCritical, true, "\r", forms::vbOK},
      {"an error report, Escape", forms::vbCritical, true, "\x1b", forms::vbOK},
      {"an error report, Tab to Details and back, Enter", forms::vbCritical, true, "\t\t\r", forms::vbOK},
      {"OK and Cancel, Escape", forms::vbOKCancel, true, "\x1b", forms::vbCancel},
      {"OK and Cancel, Tab, Enter", forms::vbOKCancel, false, "\t\r", forms::vbCancel},
      {"Yes and No, Tab, Enter", forms::vbYesNo + forms::vbQuestion, false, "\t\r", forms::vbNo},
  };
  for (const Case& c : cases) {
    test::Answer([&](frmMsgBoxIe& window) {
      EXPECT_TRUE(x11::SettleUntil([&] { return x11::FocusWindow() == window.hWnd(); })) << c.what;
      x11::TypeText(c.keys);
      if (!x11::SettleUntil([&] { return !window.IsLoaded(); }, 2000)) {
        ADD_FAILURE() << c.what << ": the box is still open";
        MessageState().Result = 0;
        window.Unload();
      }
    });
    const std::string details = c.details ? "<b>Reporting system for maintenance purposes:</b><br><br>Error 3704" : "";
    EXPECT_EQ(msg->MsgBoxEx("Operation is not allowed when the object is closed.", c.buttons, "QVAdmin", "", 0, 0,
                            details, false, c.details ? msg->Props().pictures[kSlotCritical] : nullptr),
              c.expected)
        << c.what;
  }
}

TEST_F(MsgBoxWindow, CloseRequestOfABoxWithoutCloseDoesNothing) {
  const int32_t result = Show("Keep the archive?", forms::vbYesNo, [](frmMsgBoxIe& window) {
    EXPECT_FALSE(win::OffersClose(window.hWnd()));
    // Its frame, where one is drawn, shows the close button disabled.
    window.RenderToPng(forms::test::BuildPath("msgbox-without-close.png"));
    x11::RequestClose(window.hWnd());
    x11::TypeText("\x1b");
    x11::Settle();
    EXPECT_TRUE(window.Visible());
    x11::Click(window.hWnd(), forms::test::CentreOf(*window.cmdSys(0)));
  });
  EXPECT_EQ(result, forms::vbYes);
}

}  // namespace
}  // namespace kvctl2
