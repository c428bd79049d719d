// Renders of the program's windows with the pinned fonts, written to
// the build folder's renders/ (qvadmin-*.png) to be looked at: the main window with the start page, the
// login dialog and the about box. (The configuration view's pages are
// rendered with the server's data in KonfigTests.cpp.)
#include <gtest/gtest.h>

#include "core/SessionState.h"
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

}  // namespace
}  // namespace qvadmin
