// The update window with its controls and its browser, played as a user
// would in the interactive modes: the welcome page, the check, the offer
// page, the download and the close; pages and error pages in the browser.
#include <functional>

#include "VerscoutFixture.h"
#include "forms/Label.h"
#include "forms/controls/WebBrowser.h"
#include "frmUpdates.h"
#include "gdi/FontBackend.h"
#include "mMain.h"
#include "runtime/Date.h"
#include "runtime/Strings.h"
#include "runtime/TestRenders.h"
#include "services/cRegSettings.h"
#include "win/MessageQueue.h"
#include "win/Window.h"

namespace verscout {
namespace {

constexpr const char* kData = "/v4/data/";
constexpr const char* kPages = "/v4/pages/";

// The window, with a say for the test at each progress step.
class TestUpdates : public frmUpdates {
 public:
  void ProgressUpdateTo(int32_t percent) override {
    frmUpdates::ProgressUpdateTo(percent);
    if (onProgress) onProgress(percent);
  }
  std::function<void(int32_t)> onProgress;
};

class frmUpdatesTest : public VerscoutFixture {
 protected:
  frmUpdatesTest() {
    // Message boxes of the system and of the window's message box control.
    forms::Responders::SetStanding([this](const forms::ModalRequest& r) {
      if (r.kind == forms::ModalRequest::Kind::Form) {
        messages.push_back(rt::Trim(r.form->Caption()));
        r.form->Hide();
      } else {
        messages.push_back(r.title);
      }
      return 1;
    });
    for (const char* page : {"updwelcome", "updErr", "updOK", "updOKPro", "updGetErr", "livupd"}) {
      std::filesystem::copy_file(std::string(QV_SOURCE_DIR) + "/updater/res/" + page, ProgramDir() + "/res/" + page);
    }
    WriteFile(ProgramDir() + "/ver.txt", "1|Quorvelle|1234|QV");
    server.Serve(std::string(kData) + "ver.txt", "1|Quorvelle|1235|QV|");
    server.Serve(std::string(kData) + "QVUpdate.exe", update);
    server.Serve(std::string(kPages) + "UpdateYes.htm", "<HTML><BODY><P>Version 1235 is ready.</P></BODY></HTML>");
    server.Serve(std::string(kPages) + "UpdateNo.htm", "<HTML><BODY><P>No update.</P></BODY></HTML>");
  }
  ~frmUpdatesTest() override {
    if (form && form->IsLoaded()) form->Unload();
  }

  void Start(const std::string& mode) {
    SetUpdateFolder();
    ASSERT_TRUE(Main(mode));
    form = std::make_shared<TestUpdates>();
    form->Show();
    win::DoEvents();
  }
  std::string Location() const { return form->brw()->LocationURL(); }
  bool Shown(const char* name) const { return form->Control(name)->Visible(); }
  std::string Log() const { return ReadFile(world.Path("srv/UpdLog.001")); }

  const std::string update = inet::PatternBytes(3000);
  std::shared_ptr<TestUpdates> form;
  std::vector<std::string> messages;
};

TEST_F(frmUpdatesTest, ACheckOffersTheUpdateWhichLandsInTheUpdateFolderAndIsHandedOverAtClose) {
  Start("UpdStd");
  ASSERT_TRUE(form->IsLoaded());
  EXPECT_EQ(Location(), "file://" + ProgramDir() + "/res/updwelcome");
  EXPECT_NE(form->brw()->DocumentHTML().find("Willkommen"), std::string::npos);
  // The window is as wide as its header and as high as the left panel
  // reaches, less one pixel.
  EXPECT_EQ(form->Width(), 9360);
  EXPECT_EQ(form->Height(), 6300 - 15);
  EXPECT_FALSE(Shown("cmdDoUpdate"));

  form->hovAktion_Click(2);
  EXPECT_FALSE(form->Control("hovAktion", 2)->Enabled());
  win::DoEvents();
  EXPECT_EQ(Location(), "http://update.quorvelle.de/v4/pages/UpdateYes.htm");
  EXPECT_TRUE(Shown("brw"));
  EXPECT_TRUE(Shown("cmdDoUpdate"));
  EXPECT_EQ(form->ActiveControl(), form->Control("cmdDoUpdate"));

  form->cmdDoUpdate_Click();
  EXPECT_EQ(form->Control("lstStat")->Get("ListCount").ToLong(), 4);
  EXPECT_EQ(form->Get<forms::Label>("lblDatei")->Caption(), "Datei 1 von 1");
  EXPECT_EQ(ReadFile(UpdateDir() + "/QVUpdate.exe"), update);
  EXPECT_EQ(ReadFile(UpdateDir() + "/ver.txt"), "1|Quorvelle|1235|QV|");
  EXPECT_FALSE(Shown("cmdDoUpdate"));
  win::DoEvents();
  EXPECT_EQ(Location(), "file://" + ProgramDir() + "/res/updOK");

  form->cmdClose_Click();
  EXPECT_FALSE(form->IsLoaded());
  WaitForChildren();
  EXPECT_EQ(UpdateProgramRuns().substr(0, 4), "run\n");
  EXPECT_NE(UpdateProgramRuns().find("argument:Update0" + UpdateDir() + "\n"), std::string::npos);
  EXPECT_NE(Log().find(";ENDE;\r\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(world.Path("tmp/QVVerscout")));
}

TEST_F(frmUpdatesTest, EnglishCaptionsAndTheLinkMenu) {
  for (const auto& page : std::filesystem::directory_iterator(std::string(QV_SOURCE_DIR) + "/updater/res")) {
    if (page.path().filename().string().starts_with("z")) {
      std::filesystem::copy_file(page.path(), ProgramDir() + "/res/" + page.path().filename().string());
    }
  }
  Start("UpdPro");
  EXPECT_EQ(form->Control("hovAktion", 2)->Get("Caption").ToString(), "Available Updates");
  EXPECT_EQ(form->Control("fraHead")->Get("Caption").ToString(), "Online Update Assistant     ");
  EXPECT_TRUE(Shown("picLogoUS"));
  EXPECT_FALSE(Shown("picLogo"));

  // A link stays disabled until its page has loaded; "FAQs" loads none.
  form->hovAktion_Click(4);
  EXPECT_FALSE(form->Control("hovAktion", 4)->Enabled());
  win::DoEvents();
  EXPECT_EQ(Location(), "file://" + ProgramDir() + "/res/zupdbeachten");
  EXPECT_TRUE(form->Control("hovAktion", 4)->Enabled());
  form->hovAktion_Click(3);
  win::DoEvents();
  EXPECT_FALSE(form->Control("hovAktion", 3)->Enabled());
  form->cmdClose_Click();
}

TEST_F(frmUpdatesTest, AnErrorPageIsReplacedByTheLocalOneOrEndsTheAssistant) {
  Start("UpdStd");
  // The news page is missing on the server: the local error page shows
  // and the link is usable again.
  form->hovAktion_Click(1);
  win::DoEvents();
  win::DoEvents();
  EXPECT_EQ(Location(), "file://" + ProgramDir() + "/res/updGetErr");
  EXPECT_TRUE(form->Control("hovAktion", 1)->Enabled());

  // Without the local error page the assistant tells the user and ends.
  std::filesystem::remove(ProgramDir() + "/res/updGetErr");
  form->hovAktion_Click(6);
  win::DoEvents();
  EXPECT_FALSE(form->IsLoaded());
  EXPECT_EQ(messages, std::vector<std::string>{"Ausnahmefehler!"});
}

TEST_F(frmUpdatesTest, TheCheckLinkIsIgnoredWhileADownloadRuns) {
  server.Serve(std::string(kData) + "QVUpdate.exe", inet::PatternBytes(8 * 1024));
  Start("UpdStd");
  form->hovAktion_Click(2);
  win::DoEvents();
  form->onProgress = [this](int32_t) { form->hovAktion_Click(2); };
  form->cmdDoUpdate_Click();
  EXPECT_EQ(server.CountRequests("GET", std::string(kData) + "ver.txt"), 1u);
  EXPECT_EQ(form->Control("lstStat")->Get("ListCount").ToLong(), 4);
  EXPECT_EQ(ReadFile(UpdateDir() + "/QVUpdate.exe"), inet::PatternBytes(8 * 1024));
}

// The window in its characteristic states, drawn with the pinned fonts
// into the build folder's renders/ (verscout-*.png) to be looked at.
TEST_F(frmUpdatesTest, TheWindowInItsStatesToLookAt) {
  gdi::UsePangoMetrics();
  const std::string prefix = rt::TestRenderPath("verscout-");
  server.Serve(std::string(kData) + "QVUpdate.exe", inet::PatternBytes(20 * 1024));
  Start("UpdStd");
  EXPECT_TRUE(form->RenderToPng(prefix + "welcome.png", false));
  form->hovAktion_Click(2);
  win::DoEvents();
  EXPECT_TRUE(form->RenderToPng(prefix + "offer.png", false));
  form->onProgress = [&](int32_t percent) {
    if (percent >= 50 && !std::filesystem::exists(prefix + "progress.png")) {
      EXPECT_TRUE(form->RenderToPng(prefix + "progress.png", false));
    }
  };
  std::filesystem::remove(prefix + "progress.png");
  form->cmdDoUpdate_Click();
  win::DoEvents();
  EXPECT_TRUE(form->RenderToPng(prefix + "success.png", false));
  form->Unload();

  server.On("GET", std::string(kData) + "QVUpdate.exe",
            {inet::steps::Bytes(inet::ResponseHead(200, 3000) + update.substr(0, 1500)), inet::steps::Close()});
  ResetGlobals();
  Start("UpdStd");
  form->hovAktion_Click(2);
  win::DoEvents();
  form->cmdDoUpdate_Click();
  win::DoEvents();
  EXPECT_TRUE(form->RenderToPng(prefix + "error.png", false));
  gdi::UseFixedMetrics();
}

}  // namespace
}  // namespace verscout
