// The update window with its controls and its browser, played as a user
// would in the interactive modes: the welcome page, the check, the offer
// page, the download and the close; pages and error pages in the browser.
#include <functional>

#include "VerscoutFixture.h"
#include "forms/ControlPainter.h"
#include "forms/Label.h"
#include "forms/MsgBox.h"
#include "forms/TextFit.h"
#include "forms/controls/WebBrowser.h"
#include "forms/lists/ListBox.h"
#include "frmUpdates.h"
#include "gdi/Bitmaps.h"
#include "gdi/DeviceContext.h"
#include "gdi/FontBackend.h"
#include "gdi/Objects.h"
#include "gdi/Owned.h"
#include "gdi/Shapes.h"
#include "mMain.h"
#include "msgbox/MsgIcons.h"
#include "msgbox/MsgProperties.h"
#include "msgbox/frmMsgBoxIe.h"
#include "runtime/Date.h"
#include "runtime/Strings.h"
#include "runtime/TestRenders.h"
#include "services/cRegSettings.h"
#include "shell/FileOperation.h"
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

TEST_F(frmUpdatesTest, EveryStatusTextShowsWholeAboveTheList) {
  gdi::UsePangoMetrics();
  Start("UpdStd");
  const char* texts[] = {"Bitte warten, es wird nach Updates gesucht...",
                         "Please wait, searching for updates...",
                         "Wartungsarbeiten, bitte versuchen Sie es später noch einmal.",
                         "Maintenance work, please try again later.",
                         "Überprüfen Sie Ihre Internetverbindung und versuchen Sie es noch einmal.",
                         "Please check your Internet connection and try again.",
                         "Update wird ausgeführt...",
                         "Update is performing...",
                         "Es existieren keine Daten!",
                         "No data exists!",
                         "Das Update konnte nicht heruntergeladen werden.",
                         "The update could not be downloaded.",
                         "Im temporären Ordner können keine Dateien gespeichert werden.",
                         "Files cannot be saved in the temporary folder.",
                         "Das Update kann nicht in den Update-Ordner kopiert werden.",
                         "The update cannot be copied into the update folder."};
  // The places of the check, of the download and of a failed download's
  // reasons below the error page; bold, as after a download.
  const std::pair<const char*, std::function<void()>> layouts[] = {
      {"check", [&] { form->Assistant()->FetchServerFile("ver.txt"); }},
      {"download",
       [&] {
         form->SetStatusTop(1200);
         form->MoveStatusList(4080, 1680, 4965, 2010);
       }},
      {"failure", [&] { form->ShowPageAboveStatus(); }}};
  form->SetStatusBold(true);
  const auto label = form->Control("lblStatus");
  const auto list = form->Control("lstStat");
  for (const auto& [name, place] : layouts) {
    SCOPED_TRACE(name);
    place();
    EXPECT_LE(label->Top() + label->Height(), list->Top());
    for (const char* text : texts) {
      form->SetStatusText(text);
      for (const forms::TextMisfit& misfit : forms::FindTextMisfits(*form)) {
        if (misfit.control == "lblStatus") ADD_FAILURE() << misfit.Describe();
      }
    }
  }
  gdi::UseFixedMetrics();
}

TEST_F(frmUpdatesTest, AStatusLineWiderThanTheListContinuesOnTheNextLines) {
  gdi::UsePangoMetrics();
  Start("UpdStd");
  const auto list = form->Get<forms::ListBox>("lstStat");
  const std::string line =
      "Kopierfehler: " + UpdateDir() + "/a folder with a long name/QVUpdate.exe: No space left on device";
  form->AddStatusLine("UpdateCheck...");
  form->AddStatusLine(line);
  ASSERT_GE(list->ListCount(), 3);
  std::string joined;
  for (int32_t i = 1; i < list->ListCount(); ++i) {
    const std::string& item = list->List(i);
    EXPECT_LE(forms::painter::MeasureText(item, list->Font(), 0, false).cx, list->PixelWidth() - 4 - 5 - 17) << item;
    joined += i == 1 ? item : (item.starts_with("  ") ? item.substr(2) : "?" + item);
  }
  EXPECT_EQ(rt::Replace(joined, " ", ""), rt::Replace(line, " ", ""));
  EXPECT_EQ(list->ListIndex(), list->ListCount() - 1);
  // The whole line is highlighted, every row of it, and only that line.
  EXPECT_FALSE(list->Selected(0));
  for (int32_t i = 1; i < list->ListCount(); ++i) EXPECT_TRUE(list->Selected(i)) << i;
  form->ShowBrowser(false);
  EXPECT_TRUE(form->RenderToPng(rt::TestRenderPath("verscout-wrapped-status-line.png"), false));
  form->AddStatusLine("Logout...");
  for (int32_t i = 0; i + 1 < list->ListCount(); ++i) EXPECT_FALSE(list->Selected(i)) << i;
  gdi::UseFixedMetrics();
}

TEST_F(frmUpdatesTest, EveryMessageBoxShowsTheIconItsStyleNames) {
  Start("UpdStd");
  for (const auto& [buttons, slot] :
       {std::pair{4112, kvctl2::kSlotCritical}, std::pair{4160, kvctl2::kSlotInformation}}) {
    SCOPED_TRACE(buttons);
    // The icon as the message window shows it, against the standard one.
    size_t differing = 0;
    forms::Responders::Push([&, slot = slot](const forms::ModalRequest& r) {
      auto* box = dynamic_cast<kvctl2::frmMsgBoxIe*>(r.form);
      if (!box) return 0;
      const auto icon = box->ImIco();
      gdi::OwnedBitmap window = box->RenderToBitmap(false);
      const com::StdPicturePtr expected = kvctl2::StandardMsgIcon(slot);
      gdi::OwnedDC shown(gdi::CreateCompatibleDC());
      gdi::ScopedSelect<gdi::HBITMAP> selectedShown(shown.Get(), window.Get());
      gdi::OwnedDC standard(gdi::CreateCompatibleDC());
      gdi::ScopedSelect<gdi::HBITMAP> selectedStandard(standard.Get(), expected->Bitmap());
      const int left = icon->Left() / 15;
      const int top = icon->Top() / 15;
      for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
          differing += gdi::GetPixel(shown.Get(), left + x, top + y) != gdi::GetPixel(standard.Get(), x, y);
        }
      }
      box->Hide();
      return 1;
    });
    ShowMsgEx("Der Online-Update-Assistent findet keine Leitseite.", buttons, "Ausnahmefehler!");
    EXPECT_EQ(differing, 0u);
  }
}

TEST_F(frmUpdatesTest, FileOperationDoesWhatTheShellDoesAndTellsAnError) {
  ::setenv("XDG_DATA_HOME", world.Path("data").c_str(), 1);
  Start("UpdStd");
  const std::string source = world.Path("tmp/source.txt");
  const std::string target = UpdateDir() + "/source.txt";
  WriteFile(source, "new");
  // Copied without a question; copied again only when the user says yes.
  EXPECT_TRUE(form->FileOperation(shell::FO_COPY, source, UpdateDir(), false, false));
  WriteFile(target, "old");
  forms::Responders::Push([](const forms::ModalRequest&) { return forms::vbNo; });
  EXPECT_FALSE(form->FileOperation(shell::FO_COPY, source, UpdateDir(), true, true));
  EXPECT_EQ(ReadFile(target), "old");
  forms::Responders::Push([](const forms::ModalRequest&) { return forms::vbYes; });
  EXPECT_TRUE(form->FileOperation(shell::FO_COPY, source, UpdateDir(), true, true));
  EXPECT_EQ(ReadFile(target), "new");
  // A delete can be undone: the file goes to the trash.
  EXPECT_TRUE(form->FileOperation(shell::FO_DELETE, target, "", false, false));
  EXPECT_EQ(ReadFile(world.Path("data/Trash/files/source.txt")), "new");
  EXPECT_TRUE(messages.empty());
  // A failed operation is told, as the platform's shell tells it.
  EXPECT_FALSE(form->FileOperation(shell::FO_COPY, world.Path("tmp/none.txt"), UpdateDir(), false, false));
  EXPECT_EQ(messages, std::vector<std::string>{"Kopierfehler 2 bei Update."});
  messages.clear();

  // A question that nobody can answer is an error, told in a message.
  forms::Responders::Push([](const forms::ModalRequest&) -> int32_t {
    rt::Raise(forms::errNoResponder, "MsgBox", "A message box has no responder to answer it");
  });
  WriteFile(target, "old");
  EXPECT_FALSE(form->FileOperation(shell::FO_COPY, source, UpdateDir(), true, false));
  EXPECT_EQ(messages,
            std::vector<std::string>{"Kopierfehler " + std::to_string(forms::errNoResponder) + " bei Update."});
  EXPECT_EQ(ReadFile(target), "old");
  ::unsetenv("XDG_DATA_HOME");
}

// The questions of a file operation speak the assistant's language under
// its title.
TEST_F(frmUpdatesTest, FileOperationAsksInTheAssistantsLanguageUnderItsTitle) {
  ::setenv("XDG_DATA_HOME", world.Path("data").c_str(), 1);
  const std::string source = world.Path("tmp/source.txt");
  const std::string target = UpdateDir() + "/source.txt";
  for (const bool english : {false, true}) {
    SCOPED_TRACE(english ? "English" : "German");
    if (english) {
      form->Unload();
      ResetGlobals();
      UseEnglish();
    }
    Start("UpdStd");
    WriteFile(source, "new");
    WriteFile(target, "old");
    WriteFile(UpdateDir() + "/second.txt", "old");
    std::vector<std::string> asked;
    const auto no = [&](const forms::ModalRequest& r) {
      asked.push_back(r.title + " | " + r.prompt);
      return forms::vbNo;
    };
    forms::Responders::Push(no);
    EXPECT_FALSE(form->FileOperation(shell::FO_COPY, source, UpdateDir(), true, true));
    forms::Responders::Push(no);
    EXPECT_FALSE(form->FileOperation(shell::FO_DELETE, target, "", true, true));
    forms::Responders::Push(no);
    EXPECT_FALSE(form->FileOperation(shell::FO_DELETE, UpdateDir() + "/s*.txt", "", true, true));
    EXPECT_EQ(ReadFile(target), "old");
    const std::vector<std::string> expected =
        english
            ? std::vector<std::string>{"Online Update Assistant | Do you want to replace the file '" + target + "'?",
                                       "Online Update Assistant | Do you want to move '" + target + "' to the trash?",
                                       "Online Update Assistant | Do you want to move these 2 items to the trash?"}
            : std::vector<std::string>{
                  "Automatisches Online-Update | Möchten Sie die Datei '" + target + "' ersetzen?",
                  "Automatisches Online-Update | Möchten Sie '" + target + "' in den Papierkorb verschieben?",
                  "Automatisches Online-Update | Möchten Sie diese 2 Elemente in den Papierkorb "
                  "verschieben?"};
    EXPECT_EQ(asked, expected);
  }
  ::unsetenv("XDG_DATA_HOME");
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

  // A new run, checked and updated, drawn as it ends.
  const auto updateAndRender = [&](const std::string& name) {
    ResetGlobals();
    Start("UpdStd");
    form->hovAktion_Click(2);
    win::DoEvents();
    form->cmdDoUpdate_Click();
    win::DoEvents();
    EXPECT_TRUE(form->RenderToPng(prefix + name, false));
  };
  server.On("GET", std::string(kData) + "QVUpdate.exe",
            {inet::steps::Bytes(inet::ResponseHead(200, 3000) + update.substr(0, 1500)), inet::steps::Close()});
  updateAndRender("error.png");
  form->Unload();

  // In English, a copy the update folder refuses: the reason's line is
  // longer than the list is wide.
  for (const auto& page : std::filesystem::directory_iterator(std::string(QV_SOURCE_DIR) + "/updater/res")) {
    if (page.path().filename().string().starts_with("z")) {
      std::filesystem::copy_file(page.path(), ProgramDir() + "/res/" + page.path().filename().string(),
                                 std::filesystem::copy_options::overwrite_existing);
    }
  }
  server.Serve(std::string(kData) + "QVUpdate.exe", update);
  std::filesystem::remove(UpdateDir() + "/ver.txt");
  WriteFile(UpdateDir() + "/ver.txt/old", "x");
  updateAndRender("copy-error.png");
  form->Unload();

  // No server, in German: the connection text, over two lines.
  std::filesystem::remove(ProgramDir() + "/res/zupdOK");
  server.Stop();
  ResetGlobals();
  Start("UpdStd");
  form->hovAktion_Click(2);
  win::DoEvents();
  EXPECT_TRUE(form->RenderToPng(prefix + "no-connection.png", false));
  gdi::UseFixedMetrics();
}

}  // namespace
}  // namespace verscout
