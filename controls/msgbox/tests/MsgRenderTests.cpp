// The message window drawn with the pinned fonts, written to PNG files in
// the build folder (msgbox-*.png) to be looked at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "forms/App.h"
#include "gdi/Bitmaps.h"
#include "gdi/FontBackend.h"
#include "msgbox/MsgIcons.h"
#include "msgbox/MsgState.h"
#include "tests/MsgTestHost.h"

namespace kvctl2 {
namespace {

std::string OutputPath(const std::string& name) {
  const char* buildDir = std::getenv("QV_BUILD_DIR");
  const std::string folder = buildDir ? buildDir : std::filesystem::temp_directory_path().string();
  return folder + "/msgbox-" + name + ".png";
}

class MsgRender : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi::UsePangoMetrics();
    host = std::make_shared<test::HostForm>();
    host->Show();
    msg = host->msg();
    UseStandardMsgIcons(*msg);
    // The English look that the main window sets.
    auto& p = msg->Props();
    p.strOk = "OK";
    p.strCancel = "Cancel";
    p.strYes = "&Yes";
    p.strNo = "&No";
    p.strMoreOpen = "&Details >>";
    p.strMoreClose = "<< &Details";
    p.strCopy = "Copy message to clipboard";
    p.strCheck = "Don't show this message again";
    forms::App().Title = "QVAdmin";
  }
  void TearDown() override {
    for (const auto& f : forms::Form::Forms()) {
      MessageState().Result = 1;
      f->Unload();
    }
  }
  // Shows the message modeless, lets `prepare` act, renders and checks that
  // every visible control lies inside the client area and that the buttons
  // do not overlap.
  void Render(const std::string& name, const std::string& prompt, int32_t buttons, int32_t options,
              const std::string& details = "", const std::function<void(frmMsgBoxIe&)>& prepare = {}) {
    msg->MsgBoxEx(prompt, buttons, "Quorvelle", "", 0, options | exNoModal, details, !details.empty());
    auto w = MessageState().window;
    if (prepare) prepare(*w);
    for (const auto& c : w->Controls()) {
      // The copy button waits below the closed details pane.
      const bool belowClosedPane = c->Name() == "cmdCopier" && w->cmdDetail()->Caption() == msg->Props().strMoreOpen;
      if (!c->Visible() || c->ClassName() == "Timer" || belowClosedPane) continue;
      EXPECT_GE(c->Left(), 0) << name << " " << c->Name();
      EXPECT_GE(c->Top(), 0) << name << " " << c->Name();
      EXPECT_LE(c->Left() + c->Width(), w->ScaleWidth()) << name << " " << c->Name();
      EXPECT_LE(c->Top() + c->Height(), w->ScaleHeight()) << name << " " << c->Name();
    }
    for (int16_t i = 0; i < 3; ++i) {
      auto a = w->cmdSys(i);
      auto b = w->cmdSys(static_cast<int16_t>(i + 1));
      if (a->Visible() && b->Visible()) {
        EXPECT_LE(a->Left() + a->Width(), b->Left()) << name;
      }
    }
    // The text ends above the buttons.
    EXPECT_LE(w->lblMsg()->Top() + w->lblMsg()->Height(), w->cmdSys(0)->Top()) << name;
    const std::string path = OutputPath(name);
    ASSERT_TRUE(w->RenderToPng(path)) << path;
    gdi::OwnedBitmap png(gdi::LoadBitmapFromPngFile(path));
    EXPECT_GT(gdi::GetBitmapSize(png.Get()).cx, w->ScaleWidth() / 15);
    window = w;
  }

  std::shared_ptr<test::HostForm> host;
  std::shared_ptr<Msg> msg;
  std::shared_ptr<frmMsgBoxIe> window;
};

TEST_F(MsgRender, IconAndThreeButtons) {
  Render("icon-buttons", "Do you want to save the changes to the user \"Administrator\"?",
         forms::vbYesNoCancel + forms::vbQuestion, 0);
  EXPECT_TRUE(window->ImIco()->Visible());
  EXPECT_EQ(window->ImIco()->Left(), 165);
  EXPECT_EQ(window->lblMsg()->Left(), 165 + window->ImIco()->Width() + 240);
  EXPECT_EQ(window->cmdSys(2)->Left() + window->cmdSys(2)->Width(), window->ScaleWidth() - 165);
}

TEST_F(MsgRender, LongTextThatWraps) {
  Render("wrap",
         "The data could not be updated successfully, due to previous failing action. Please close the "
         "editing window and try it again. If the problem persists, ask your administrator to check the "
         "connection to the server and the rights of your account on the master database.",
         forms::vbExclamation, 0);
  const std::string caption = window->lblMsg()->Caption();
  EXPECT_NE(caption.find("\r\n"), std::string::npos);
  EXPECT_LE(window->lblMsg()->Width(), msg->Props().formMaxWidth);
}

TEST_F(MsgRender, DetailsPaneOpen) {
  const int32_t closed = [&] {
    Render("details-closed-probe", "Processing errors, for more information please see 'Details'",
           forms::vbCritical, 0,
           "<b><u>Reporting system for maintenance purposes:</u></b><br><br>Error -2147217900, Procedure: "
           "\"frmUser.Save\"., v4.0.12");
    const int32_t h = window->Height();
    window->cmdSys(0)->Click();
    return h;
  }();
  std::filesystem::remove(OutputPath("details-closed-probe"));
  Render("details", "Processing errors, for more information please see 'Details'", forms::vbCritical, 0,
         "<b><u>Reporting system for maintenance purposes:</u></b><br><br>Error -2147217900, Procedure: "
         "\"frmUser.Save\"., v4.0.12",
         [](frmMsgBoxIe& w) { w.cmdDetail()->Click(); });
  EXPECT_EQ(window->Height(), closed + 2070 + 360 + 180);
  EXPECT_TRUE(window->txtDetail()->Visible());
  EXPECT_EQ(window->cmdDetail()->Caption(), "<< &Details");
}

TEST_F(MsgRender, CheckBoxShown) {
  Render("check", "The new Memo database was created. You can now assign user groups to it.",
         forms::vbInformation, exShowCheck);
  auto check = window->chkMsg();
  EXPECT_TRUE(check->Visible());
  EXPECT_EQ(check->Left(), 90);
  EXPECT_EQ(check->Top() + check->Height() + 90, window->ScaleHeight());
}

}  // namespace
}  // namespace kvctl2
