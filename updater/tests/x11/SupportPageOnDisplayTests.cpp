// Verscout's support page in a real window: a click on its e-mail link
// opens the desktop's mail program with the address (xdg-email, found on
// PATH), and says so plainly when there is none.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "VerscoutFixture.h"
#include "forms/controls/WebBrowser.h"
#include "frmUpdates.h"
#include "gdi/Bitmaps.h"
#include "gdi/Owned.h"
#include "gdi/WindowSurface.h"
#include "html/KVXHTML.h"
#include "html/tests/LinkOnScreen.h"
#include "mMain.h"
#include "runtime/TestRenders.h"
#include "win/Window.h"
#include "win/X11Testing.h"
#include "win/tests/x11/ProgramOnDisplay.h"

namespace verscout {
namespace {

namespace fs = std::filesystem;
namespace x11 = win::x11test;

constexpr const char* kMailLink = "mailto:support@kelvaro.de";

class SupportPageOnDisplay : public VerscoutFixture {
 protected:
  SupportPageOnDisplay() {
    forms::Responders::SetStanding([this](const forms::ModalRequest& r) {
      if (r.kind == forms::ModalRequest::Kind::Form) {
        r.form->Hide();
      } else {
        boxes.push_back(r.prompt);
      }
      return 1;
    });
    for (const char* page : {"updwelcome", "updkontakt"}) {
      fs::copy_file(std::string(QV_SOURCE_DIR) + "/updater/res/" + page, ProgramDir() + "/res/" + page);
    }
    WriteFile(ProgramDir() + "/ver.txt", "1|Quorvelle|1234|QV");
    fs::create_directories(world.Path("bin"));
    const char* path = std::getenv("PATH");
    savedPath = path ? path : "";
    ::setenv("PATH", world.Path("bin").c_str(), 1);
  }
  ~SupportPageOnDisplay() override {
    if (form && form->IsLoaded()) form->Unload();
    ::setenv("PATH", savedPath.c_str(), 1);
  }

  // A mail program that writes what it was given.
  void FakeMailProgram() const {
    const std::string program = world.Path("bin/xdg-email");
    std::ofstream(program) << "#!/bin/sh\nprintf '%s' \"$*\" > \"" << world.Path("mail-args") << "\"\n";
    fs::permissions(program, fs::perms::owner_all);
  }
  std::string MailArgs() const { return ReadFile(world.Path("mail-args")); }

  // The centre of the page's link to `href`, in the window's client area.
  bool LinkCentre(const std::string& href, win::POINT& point) const {
    const auto view = std::dynamic_pointer_cast<kvctl2::KVXHTML>(form->brw()->View());
    return view && kvctl2::testing::LinkCentreIn(*view, form->hWnd(), href, point);
  }

  std::shared_ptr<frmUpdates> form;
  std::vector<std::string> boxes;
  std::string savedPath;
};

TEST_F(SupportPageOnDisplay, TheMailLinkOpensTheMailProgramOrSaysThereIsNone) {
  SetUpdateFolder();
  ASSERT_TRUE(Main("UpdStd"));
  form = std::make_shared<frmUpdates>();
  form->Show();
  x11::Settle();
  form->hovAktion_Click(5);
  ASSERT_TRUE(x11::WaitUntil(5000, [&] {
    x11::Settle();
    return form->brw()->LocationURL().ends_with("/updkontakt") && !form->brw()->Busy();
  })) << form->brw()->LocationURL();
  x11::Settle();
  const std::string page = form->brw()->LocationURL();
  gdi::OwnedBitmap shown(gdi::CaptureWindow(form->hWnd()));
  EXPECT_TRUE(gdi::SaveBitmapToPng(shown.Get(), rt::TestRenderPath("verscout-support-page.png")));

  struct Case {
    const char* what;
    bool mailProgram;  // xdg-email on PATH
  };
  for (const Case& c : {Case{"with a mail program", true}, Case{"without one", false}}) {
    SCOPED_TRACE(c.what);
    fs::remove(world.Path("bin/xdg-email"));
    fs::remove(world.Path("mail-args"));
    boxes.clear();
    if (c.mailProgram) FakeMailProgram();
    win::POINT link{};
    ASSERT_TRUE(LinkCentre(kMailLink, link)) << "the support page has no mail link";
    x11::Click(form->hWnd(), link);
    if (c.mailProgram) {
      EXPECT_TRUE(x11::WaitUntil(5000, [&] {
        x11::Settle();
        return !MailArgs().empty();
      })) << "the mail program never ran";
      EXPECT_EQ(MailArgs(), kMailLink);
      EXPECT_TRUE(boxes.empty());
    } else {
      EXPECT_TRUE(x11::WaitUntil(3000, [&] {
        x11::Settle();
        return !boxes.empty();
      })) << "nothing said that there is no mail program";
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_NE(boxes[0].find("no mail program"), std::string::npos) << boxes[0];
      EXPECT_NE(boxes[0].find("support@kelvaro.de"), std::string::npos) << boxes[0];
    }
    // The page stays; nothing was fetched for the link.
    EXPECT_EQ(form->brw()->LocationURL(), page);
  }
}

}  // namespace
}  // namespace verscout
