// Renders of the program's windows with the pinned fonts, written to
// the build folder's renders/ (qvadmin-*.png) to be looked at: the main window with the start page, the
// login dialog, the about box and the message of a lost connection. (The configuration view's pages are
// rendered with the server's data in KonfigTests.cpp.)
#include <gtest/gtest.h>

#include "core/ConnectionLoss.h"
#include "core/SessionState.h"
#include "core/ShowMsgEx.h"
#include "forms/Constants.h"
#include "core/frmLogin.h"
#include "gdi/FontBackend.h"
#include "main/frmAbout.h"
#include "main/frmMDI.h"
#include "main/tests/MainWindowLoad.h"
#include "main/tests/Renders.h"

namespace qvadmin {
namespace {

class Renders : public ::testing::Test {
 protected:
  void SetUp() override { gdi::UsePangoMetrics(); }
  void TearDown() override {
    for (const auto& form : forms::Form::Forms()) form->Unload();
    forms::Responders::Clear();
    gdi::UseFixedMetrics();
  }
  // Shows `form` modally over the main window and renders it there.
  void RenderModal(forms::Form& form, const std::string& name) {
    bool rendered = false;
    forms::Responders::Push([&](const forms::ModalRequest& r) {
      rendered = test::RenderForm(*r.form, name);
      r.form->Unload();
      return 0;
    });
    form.Show(forms::vbModal, frmMDI::Default().get());
    EXPECT_TRUE(rendered) << name;
  }
};

TEST_F(Renders, MainWindowWithTheStartPage) {
  auto main = test::LoadMainWindow();
  EXPECT_TRUE(test::RenderForm(*main, "main-window"));
}

TEST_F(Renders, LoginDialog) {
  test::LoadMainWindow();
  SqlServer = "DBHOST\\SQLEXPRESS";
  SqlUser = "qvadmin";
  RenderModal(*frmLogin::Default(), "login-dialog");
  SqlServer.clear();
  SqlUser.clear();
}

TEST_F(Renders, AboutBox) {
  test::LoadMainWindow();
  RenderModal(*frmAbout::Default(), "about-box");
}

// The message of a lost connection, as ErrorReport shows it, with its
// icon and its details open.
TEST_F(Renders, TheLostConnectionMessage) {
  test::LoadMainWindow();
  bool rendered = false;
  forms::Responders::Push([&](const forms::ModalRequest& r) {
    if (r.kind != forms::ModalRequest::Kind::Form || !r.form) return 1;
    rendered = test::RenderForm(*r.form, "message-connection-lost");
    r.form->Hide();
    return 1;
  });
  ShowMsgEx(kConnectionLostText, forms::vbCritical, "Quorvelle Administration", "", 0, 0,
            "<b><u>Reporting system for maintenance purposes:</u></b><br><br>The connection to the server was "
            "lost. server closed the connection unexpectedly<br><br>Error -2147467259, Procedure: \"FillRepUser\".");
  EXPECT_TRUE(rendered);
}

}  // namespace
}  // namespace qvadmin
