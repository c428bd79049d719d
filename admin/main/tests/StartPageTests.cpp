// The start page: its links dock the views and show the dialogs they name,
// it is switched off until a connect, and its frame of links keeps to its
// place when the window changes size.
#include <gtest/gtest.h>

#include "../../core/tests/CoreTestSupport.h"
#include "core/AdminForms.h"
#include "core/DockedViews.h"
#include "core/RegistrySettings.h"
#include "core/SessionState.h"
#include "display/KVXInfoPanelLight.h"
#include "display/tests/DisplayTestHost.h"
#include "forms/docking/DockStudio.h"
#include "forms/tests/PlayUser.h"
#include "gdi/FontBackend.h"
#include "main/frmMDI.h"
#include "main/tests/MainWindowLoad.h"
#include "main/frmStart.h"
#include "main/tests/FakeMsg.h"
#include "main/tests/ViewStandIn.h"
#include "shell/ShellExecute.h"

namespace qvadmin {
namespace {

class StartPage : public ::testing::Test {
 protected:
  void SetUp() override {
    main = test::LoadMainWindow();
    start = frmStart::Default();
    for (const char* name : {"frmUser", "frmDBPflege", "frmKonfig", "wizNewDB", "frmAddWinUsr"}) {
      auto form = std::make_shared<test::ViewStandIn>(name, std::string(name) + " caption");
      standIns[name] = form;
      RegisterAdminForm(name, [form] { return form; });
    }
    // Connected: the current user is known, so nothing is read.
    CurrentUserID = "{00000001-0000-0000-0000-000000000000}";
    bool enable = true;
    start->IsEnabled(enable);
  }
  void TearDown() override {
    for (const auto& form : forms::Form::Forms()) form->Unload();
    for (const auto& [name, form] : standIns) RegisterAdminForm(name, nullptr);
    forms::Responders::Clear();
    CurrentUserID.clear();
  }
  void ClickLink(const char* name, int16_t index = -1) { forms::test::Click(*start->Control(name, index)); }

  rt::ManualClock clock;
  rt::ScopedClock scopedClock{clock};
  gdi::ScopedFixedMetrics metrics;
  test::ScopedFakeMsg fakeMsg;
  std::shared_ptr<frmMDI> main;
  std::shared_ptr<frmStart> start;
  std::map<std::string, std::shared_ptr<test::ViewStandIn>> standIns;
};

TEST_F(StartPage, LinksDockTheViewsAndShowTheDialogs) {
  struct Case {
    const char* link;
    int16_t index;
    const char* form;
    bool docked;
  };
  const Case cases[] = {
      {"hovDB", 0, "wizNewDB", false},          {"hovDB", 1, "frmDBPflege", true},
      {"hovVerwalt", 0, "frmAddWinUsr", false}, {"hovVerwalt", 1, "frmUser", true},
      {"hovVerwalt", 2, "frmKonfig", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.form);
    ShowDockedForm(start);
    std::string shownModally;
    forms::Responders::Push([&](const forms::ModalRequest& r) {
      shownModally = r.form->Name();
      EXPECT_EQ(r.form->Owner(), main.get());
      r.form->Unload();
      return 0;
    });
    ClickLink(c.link, c.index);
    if (c.docked) {
      EXPECT_EQ(ActiveDockedForm(), standIns[c.form]);
      forms::Responders::Clear();
    } else {
      EXPECT_EQ(shownModally, c.form);
      EXPECT_EQ(ActiveDockedForm(), start);
    }
  }
  shell::RecordingLauncher launcher;
  shell::ScopedLauncher scoped(launcher);
  ShowDockedForm(start);
  ClickLink("hovRessource");
  ASSERT_EQ(launcher.requests.size(), 1u);
  EXPECT_EQ(launcher.requests[0].file.rfind("https://", 0), 0u);
  EXPECT_TRUE(test::FakeMsg::Last()->calls.empty());
}

// Connected, the page's welcome asks for no connect; it says what the
// administration is for, which holds in either state.
TEST_F(StartPage, TheWelcomeFitsTheConnectedPage) {
  const std::string welcome = start->Get<kvctl2::KVXInfoPanelLight>("panProfTxt")->Text();
  EXPECT_EQ(welcome.find("Connect"), std::string::npos) << welcome;
  EXPECT_NE(welcome.find("users, user groups and Memo databases"), std::string::npos) << welcome;
}

TEST_F(StartPage, AViewThatIsNotPartOfTheProgramIsTold) {
  RegisterAdminForm("frmUser", nullptr);
  ClickLink("hovVerwalt", 1);
  ASSERT_EQ(test::FakeMsg::Last()->calls.size(), 1u);
  EXPECT_EQ(test::FakeMsg::Last()->calls[0][2].ToString(), "frmUser");
  EXPECT_EQ(ActiveDockedForm(), start);
}

TEST_F(StartPage, SwitchedOffTheLinksDoNothing) {
  bool enable = false;
  start->IsEnabled(enable);
  EXPECT_FALSE(start->LinksEnabled());
  for (const com::ControlPtr& control : start->Controls()) EXPECT_FALSE(control->Enabled()) << control->Name();
  EXPECT_TRUE(main->Dock()->Tool("DBConnect")->Enabled());
  EXPECT_FALSE(main->Dock()->Tool("DBDisconnect")->Enabled());
  ClickLink("hovVerwalt", 1);
  EXPECT_EQ(ActiveDockedForm(), start);
}

// Switched on after being off (as at the first login, which creates the
// master database), every link draws again in its own colour, not in the
// grey of a switched-off link.
TEST_F(StartPage, SwitchedOnAgainTheLinksDrawInTheirColour) {
  for (bool enable : {false, true}) start->IsEnabled(enable);
  for (const com::ControlPtr& control : start->Controls()) {
    if (control->TypeName() != "KVXLineHover") continue;
    SCOPED_TRACE(control->Name() + "(" + std::to_string(control->Index()) + ")");
    const kvctl2::test::Rendered drawn(*control);
    const auto linkColour = static_cast<gdi::COLORREF>(control->Get("ForeColor").ToLong());
    int linkPixels = 0;
    int greyPixels = 0;
    for (int y = 0; y < control->PixelHeight(); ++y) {
      for (int x = 0; x < control->PixelWidth(); ++x) {
        const gdi::COLORREF pixel = drawn.Pixel(x, y);
        linkPixels += pixel == linkColour;
        greyPixels += pixel == gdi::RGB(0x80, 0x80, 0x80);
      }
    }
    EXPECT_GT(linkPixels, 0);
    EXPECT_EQ(greyPixels, 0);
  }
}

TEST_F(StartPage, TheFrameOfLinksKeepsToItsPlace) {
  const com::ControlPtr frame = start->Control("fraStart");
  struct Case {
    int32_t width, height;
    int32_t left, top;
  };
  // Left = inner width less the frame's, within 180..4620; top likewise
  // within 1290..1860.
  const Case cases[] = {
      {20000, 12000, 4620, 1860},
      {frame->Width() + 1000, frame->Height() + 1500, 1000, 1500},
      {frame->Width(), frame->Height(), 180, 1290},
  };
  for (const Case& c : cases) {
    start->Move(start->Left(), start->Top(), c.width, c.height);
    EXPECT_EQ(frame->Left(), c.left) << c.width;
    EXPECT_EQ(frame->Top(), c.top) << c.height;
  }
}

}  // namespace
}  // namespace qvadmin
