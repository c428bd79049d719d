// The message window drawn with the pinned fonts, in the English look that
// the main window sets and in the control's own German look, with every
// button set, the check box and the open details pane: each picture is
// written to the build folder (msgbox-*.png) to be looked at, and every
// text must fit its control at the default sizes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "forms/App.h"
#include "forms/TextFit.h"
#include "gdi/Bitmaps.h"
#include "gdi/DeviceContext.h"
#include "gdi/FontBackend.h"
#include "gdi/Objects.h"
#include "gdi/Owned.h"
#include "gdi/Shapes.h"
#include "html/KVXHTML.h"
#include "msgbox/MsgIcons.h"
#include "msgbox/MsgState.h"
#include "runtime/TestRenders.h"
#include "tests/MsgTestHost.h"

namespace kvctl2 {
namespace {

std::string OutputPath(const std::string& name) { return rt::TestRenderPath("msgbox-" + name + ".png"); }

// The captions that the main window gives its message box.
void UseEnglishLook(MsgProperties& p) {
  p.strAbord = "&Abord";
  p.strCancel = "Cancel";
  p.strCheck = "Don't show this message again";
  p.strCopy = "Copy this message to clipboard";
  p.strDelText = ".";
  p.strHelp = "Help";
  p.strIgnore = "&Ignore";
  p.strNo = "&No";
  p.strRetry = "&Retry";
  p.strSend = ".";
  p.strYes = "&Yes";
}

constexpr const char* kDetails =
    "<b><u>Reporting system for maintenance purposes:</u></b><br><br>Error -2147217900, Procedure: "
    "\"frmUser.Save\"., v4.0.12";

class MsgRender : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    gdi::UsePangoMetrics();
    host = std::make_shared<test::HostForm>();
    host->Show();
    msg = host->msg();
    UseStandardMsgIcons(*msg);
    if (English()) UseEnglishLook(msg->Props());
    forms::App().Title = "QVAdmin";
  }
  void TearDown() override {
    for (const auto& f : forms::Form::Forms()) {
      MessageState().Result = 1;
      f->Unload();
    }
  }
  bool English() const { return GetParam(); }

  // Shows the message modeless, lets `prepare` act, renders and checks that
  // every text fits its control inside the window and that the buttons do
  // not overlap.
  void Render(const std::string& name, const std::string& prompt, int32_t buttons, int32_t options,
              const std::string& details = "", const std::function<void(frmMsgBoxIe&)>& prepare = {}) {
    const std::string file = (English() ? "en-" : "de-") + name;
    msg->MsgBoxEx(prompt, buttons, "Quorvelle", "", 0, options | exNoModal, details, !details.empty());
    auto w = MessageState().window;
    if (prepare) prepare(*w);
    for (const auto& misfit : forms::FindTextMisfits(*w)) {
      // The copy button waits below the closed details pane.
      if (misfit.control == "cmdCopier" && w->cmdDetail()->Caption() == msg->Props().strMoreOpen) continue;
      ADD_FAILURE() << file << ": " << misfit.Describe();
    }
    for (int16_t i = 0; i < 3; ++i) {
      auto a = w->cmdSys(i);
      auto b = w->cmdSys(static_cast<int16_t>(i + 1));
      if (a->Visible() && b->Visible()) {
        EXPECT_LE(a->Left() + a->Width(), b->Left()) << file;
      }
    }
    // The text ends above the buttons.
    EXPECT_LE(w->lblMsg()->Top() + w->lblMsg()->Height(), w->cmdSys(0)->Top()) << file;
    const std::string path = OutputPath(file);
    ASSERT_TRUE(w->RenderToPng(path)) << path;
    gdi::OwnedBitmap png(gdi::LoadBitmapFromPngFile(path));
    EXPECT_GT(gdi::GetBitmapSize(png.Get()).cx, w->ScaleWidth() / 15);
    window = w;
  }

  std::shared_ptr<test::HostForm> host;
  std::shared_ptr<Msg> msg;
  std::shared_ptr<frmMsgBoxIe> window;
};

TEST_P(MsgRender, EveryButtonSet) {
  const struct {
    const char* name;
    int32_t buttons;
  } sets[] = {
      {"ok", forms::vbOKOnly + forms::vbInformation},
      {"ok-cancel", forms::vbOKCancel + forms::vbQuestion},
      {"abort-retry-ignore", forms::vbAbortRetryIgnore + forms::vbCritical},
      {"yes-no-cancel", forms::vbYesNoCancel + forms::vbQuestion},
      {"yes-no", forms::vbYesNo + forms::vbExclamation + forms::vbDefaultButton2},
      {"retry-cancel-help", forms::vbRetryCancel + forms::vbExclamation + forms::vbMsgBoxHelpButton},
  };
  for (const auto& set : sets) {
    Render(set.name, "Do you want to save the changes to the user \"Administrator\"?", set.buttons, 0);
    window->cmdSys(0)->Click();
  }
}

TEST_P(MsgRender, IconAndThreeButtons) {
  Render("icon-buttons", "Do you want to save the changes to the user \"Administrator\"?",
         forms::vbYesNoCancel + forms::vbQuestion, 0);
  EXPECT_TRUE(window->ImIco()->Visible());
  EXPECT_EQ(window->ImIco()->Left(), 165);
  EXPECT_EQ(window->lblMsg()->Left(), 165 + window->ImIco()->Width() + 240);
  EXPECT_EQ(window->cmdSys(2)->Left() + window->cmdSys(2)->Width(), window->ScaleWidth() - 165);
}

TEST_P(MsgRender, LongTextThatWraps) {
  Render("wrap",
         "The data could not be updated successfully, due to previous failing action. Please close the "
         "editing window and try it again.\r\nIf the problem persists, ask your administrator to check the "
         "connection to the server and the rights of your account on the master database.",
         forms::vbExclamation, 0);
  const std::string caption = window->lblMsg()->Caption();
  EXPECT_NE(caption.find("\r\n"), std::string::npos);
  EXPECT_LE(window->lblMsg()->Width(), msg->Props().formMaxWidth);
}

TEST_P(MsgRender, DetailsPaneOpen) {
  const int32_t closed = [&] {
    Render("details-closed", "Processing errors, for more information please see 'Details'", forms::vbCritical, 0,
           kDetails);
    const int32_t h = window->Height();
    window->cmdSys(0)->Click();
    return h;
  }();
  Render("details", "Processing errors, for more information please see 'Details'", forms::vbCritical, 0, kDetails,
         [](frmMsgBoxIe& w) { w.cmdDetail()->Click(); });
  EXPECT_EQ(window->Height(), closed + 2070 + 360 + 180);
  EXPECT_TRUE(window->txtDetail()->Visible());
  EXPECT_EQ(window->cmdDetail()->Caption(), "<< &Details");
}

TEST_P(MsgRender, LongReportScrollsInTheDetailsPane) {
  std::string report = kDetails;
  for (int i = 1; i <= 20; ++i) report += "<br>Step " + std::to_string(i) + ": statement executed";
  report += "<br>See <a href=\"https://example.org/help\">the help page</a> for more.";
  Render("details-long", "Processing errors, for more information please see 'Details'", forms::vbCritical, 0, report,
         [](frmMsgBoxIe& w) { w.cmdDetail()->Click(); });
  auto pane = std::dynamic_pointer_cast<KVXHTML>(window->txtDetail());
  ASSERT_TRUE(pane);
  EXPECT_TRUE(pane->VerticalScrollBar()->Visible());
}

TEST_P(MsgRender, CheckBoxShown) {
  Render("check", "The new Memo database was created. You can now assign user groups to it.",
         forms::vbInformation, exShowCheck);
  auto check = window->chkMsg();
  EXPECT_TRUE(check->Visible());
  EXPECT_EQ(check->Left(), 90);
  EXPECT_EQ(check->Top() + check->Height() + 90, window->ScaleHeight());
}

INSTANTIATE_TEST_SUITE_P(Looks, MsgRender, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "English" : "German"; });

// The check that the pictures rely on finds text that does not fit.
TEST(MsgRenderCheck, FindsTextThatDoesNotFitItsControl) {
  gdi::UsePangoMetrics();
  auto host = std::make_shared<test::HostForm>();
  host->Show();
  auto msg = host->msg();
  msg->Props().CheckWidth = 1500;
  msg->Props().ButtonsWidth = 500;
  msg->MsgBoxEx("Text", forms::vbRetryCancel, "Quorvelle", "", 0, exShowCheck | exNoModal);
  auto w = MessageState().window;
  std::vector<std::string> names;
  for (const auto& misfit : forms::FindTextMisfits(*w)) names.push_back(misfit.control);
  EXPECT_EQ(names, (std::vector<std::string>{"cmdSys(0)", "cmdSys(1)", "chkMsg"}));
  w->chkMsg()->Move(w->chkMsg()->Left(), w->ScaleHeight() - 100);
  names.clear();
  for (const auto& misfit : forms::FindTextMisfits(*w)) names.push_back(misfit.control);
  EXPECT_EQ(names.back(), "chkMsg");
  MessageState().Result = 1;
  w->Unload();
}

// The standard icons are drawn smooth: their round and slanted edges pass
// through shades between the shape's colours and the face colour.
TEST(MsgIconsLook, EdgesAreSmooth) {
  for (int slot = kSlotCritical; slot <= kSlotDelete; ++slot) {
    const com::StdPicturePtr icon = StandardMsgIcon(slot);
    ASSERT_TRUE(icon);
    gdi::OwnedDC dc(gdi::CreateCompatibleDC());
    gdi::ScopedSelect<gdi::HBITMAP> selected(dc.Get(), icon->Bitmap());
    std::set<gdi::COLORREF> colours;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) colours.insert(gdi::GetPixel(dc.Get(), x, y));
    EXPECT_GE(colours.size(), 12u) << slot;  // shapes drawn without smoothing have four or five
  }
}

}  // namespace
}  // namespace kvctl2
