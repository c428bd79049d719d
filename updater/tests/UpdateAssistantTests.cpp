#include <algorithm>
#include <cerrno>
#include <functional>
#include <optional>

#include "FileSizeLimit.h"
#include "UpdateAssistant.h"
#include "VerscoutFixture.h"
#include "inet/Waiting.h"
#include "mMain.h"
#include "runtime/Date.h"
#include "runtime/Strings.h"
#include "services/cRegSettings.h"
#include "shell/InstanceLock.h"
#include "win/InputRouting.h"
#include "win/MessageQueue.h"
#include "win/Window.h"

namespace verscout {
namespace {

using inet::ResponseHead;
using inet::steps::Bytes;
using inet::steps::Close;

constexpr const char* kData = "/v4/data/";
constexpr const char* kPages = "update.quorvelle.de/v4/pages/";

// The right-button messages that reached test windows, by their class.
std::vector<std::string> received;

// Records what the routines do to the window; unloading runs QueryUnload.
struct RecordingWindow : UpdateWindow {
  std::weak_ptr<UpdateAssistant> assistant;
  std::vector<std::string> lines, pages, calls;
  std::string status, fileLabel;
  bool unloaded = false;
  std::function<void(int32_t)> onProgress;
  // Told of some calls before they act: "SetStatusTop" (a server file is
  // fetched), "ShowProgressBar" (the download begins), "DisableClose" (the
  // download is over, the copies follow).
  std::function<void(const std::string&)> onCall;

  void Told(const std::string& call) {
    if (onCall) onCall(call);
  }
  void SetStatusText(const std::string& t) override { status = t; }
  void SetStatusColor(uint32_t) override {}
  void SetStatusBold(bool) override {}
  void SetStatusTop(int32_t) override { Told("SetStatusTop"); }
  void AddStatusLine(const std::string& t) override { lines.push_back(t); }
  void ClearStatusList() override { lines.clear(); }
  void SetStatusListColor(uint32_t) override {}
  void MoveStatusList(int32_t, int32_t, int32_t, int32_t) override {}
  void ShowProgressBar(bool visible) override {
    if (visible) Told("ShowProgressBar");
  }
  void ProgressUpdateTo(int32_t percent) override {
    if (onProgress) onProgress(percent);
  }
  void ProgressReset() override {}
  void ShowFileLabel(bool) override {}
  void SetFileLabel(const std::string& t) override { fileLabel = t; }
  void Navigate(const std::string& address) override { pages.push_back(address); }
  void ShowBrowser(bool) override {}
  void ShowPageAboveStatus() override { calls.push_back("ShowPageAboveStatus"); }
  void ShowFileAnimation(bool) override {}
  void EnableLink(int index) override { calls.push_back("EnableLink " + std::to_string(index)); }
  void EnableDoUpdate(bool) override {}
  void ShowDoUpdate(bool) override {}
  void EnableClose(bool enabled) override {
    if (!enabled) Told("DisableClose");
  }
  void Beep() override { calls.push_back("Beep"); }
  int32_t MsgBoxEx(const std::string& prompt, int32_t, const std::string&) override {
    calls.push_back("MsgBoxEx " + prompt);
    return 1;
  }
  bool SetTopMost(int16_t, bool) override { return true; }
  void Unload() override {
    unloaded = true;
    if (auto a = assistant.lock()) a->QueryUnload();
  }
};

// A click that arrives while the routines let pending messages through.
class PendingClick {
 public:
  explicit PendingClick(std::function<void()> click) : m_click(std::move(click)) {
    win::WNDCLASSA wc;
    wc.lpfnWndProc = &Proc;
    wc.lpszClassName = "TestPendingClick";
    win::RegisterClassA(wc);
    m_window = win::CreateWindowExA(0, "TestPendingClick", "", 0, 0, 0, 1, 1, win::kNoWindow);
    win::SetWindowLongA(m_window, win::GWL_USERDATA, reinterpret_cast<win::LONG_PTR>(this));
    win::PostMessageA(m_window, win::WM_USER, 0, 0);
  }
  ~PendingClick() { win::DestroyWindow(m_window); }

 private:
  static win::LRESULT Proc(win::HWND h, uint32_t msg, win::WPARAM w, win::LPARAM l) {
    if (msg == win::WM_USER) {
      reinterpret_cast<PendingClick*>(win::GetWindowLongA(h, win::GWL_USERDATA))->m_click();
      return 0;
    }
    return win::DefWindowProcA(h, msg, w, l);
  }
  std::function<void()> m_click;
  win::HWND m_window;
};

class UpdateAssistantTest : public VerscoutFixture {
 protected:
  UpdateAssistantTest() {
    forms::Responders::SetStanding([this](const forms::ModalRequest& r) {
      messages.push_back(r.title);
      return 1;
    });
    WriteFile(ProgramDir() + "/ver.txt", "1|Quorvelle|1234|QV");
    server.Serve(std::string(kData) + "ver.txt", "1|Quorvelle|1235|QV|");
    server.Serve(std::string(kData) + "QVUpdate.exe", update);
  }

  // Starts like Main in `mode` and loads the window's working part.
  void Start(const std::string& mode, const std::string& updateFolder = {}) {
    SetUpdateFolder(updateFolder);
    ASSERT_TRUE(Main(mode));
    assistant = std::make_shared<UpdateAssistant>(window);
    window.assistant = assistant;
    loaded = assistant->Load();
  }
  std::string Log() const { return ReadFile(world.Path("srv/UpdLog.001")); }
  size_t Gets(const std::string& file) const { return server.CountRequests("GET", kData + file); }

  const std::string update = inet::PatternBytes(2500);
  RecordingWindow window;
  std::shared_ptr<UpdateAssistant> assistant;
  std::vector<std::string> messages;
  bool loaded = false;
};

TEST_F(UpdateAssistantTest, CheckComparesTheServerVersionWithTheLocalOne) {
  struct Case {
    const char* server;
    const char* local;
    const char* page;
    bool unreadable;
  };
  for (const Case& c :
       {Case{"1|Q|1235|QV", "1|Q|1234|QV", "UpdateYes.htm", false},
        Case{"1|Q|1233|QV", "1|Q|1234|QV", "UpdateYes.htm", false},
        Case{"1|Q|1234|QV", "1|Q|1234", "UpdateNo.htm", false},
        Case{"1|Q|40000|QV", "1|Q|40000|QV", "UpdateNo.htm", false}, Case{"1|Q|5|QV", "", "UpdateYes.htm", false},
        Case{"1|Q|0|QV", "1|Q|1234|QV", "UpdateNo.htm", true},
        Case{"1|Q|1235|XX", "1|Q|1234|QV", "UpdateNo.htm", true}}) {
    SCOPED_TRACE(std::string(c.server) + " against " + c.local);
    ResetGlobals();
    window = RecordingWindow();
    messages.clear();
    server.Serve(std::string(kData) + "ver.txt", c.server);
    WriteFile(ProgramDir() + "/ver.txt", c.local);
    Start("UpdStd");
    ASSERT_TRUE(loaded);
    assistant->UpdateSuche();
    EXPECT_EQ(window.pages, std::vector<std::string>{kPages + std::string(c.page)});
    EXPECT_EQ(window.lines, (std::vector<std::string>{"UpdateCheck...", "Logout..."}));
    EXPECT_EQ(messages.size(), c.unreadable ? 1u : 0u);
    EXPECT_FALSE(window.unloaded);
  }
  kvctl2::cRegSettings settings;
  settings.DefaultPath("SOFTWARE\\Kelvaro\\Quorvelle4");
  EXPECT_EQ(settings.GetSetting("", "LastUpdateCheck").ToString(), std::to_string(TodayDayNumber()));
  EXPECT_NE(Log().find(";START;\r\n"), std::string::npos);
  EXPECT_NE(Log().find(";IsUpdate: AppUpdate from 1234 to 1233;\r\n"), std::string::npos);
}

TEST_F(UpdateAssistantTest, MaintenanceAndNoConnection) {
  server.On("GET", std::string(kData) + "ver.txt", inet::Response(404, ""));
  server.Serve(std::string(kData) + "_FlagIsConnect", "up");
  Start("UpdStd");
  assistant->UpdateSuche();
  EXPECT_EQ(window.pages, std::vector<std::string>{kPages + std::string("WartungMsg.htm")});
  EXPECT_EQ(window.status, "Wartungsarbeiten, bitte versuchen Sie es später noch einmal.");

  server.Stop();
  window.lines.clear();
  assistant->UpdateSuche();
  EXPECT_EQ(window.lines, (std::vector<std::string>{"UpdateCheck...", "#40502 Daten nicht abrufbar",
                                                    "#40555 Keine Verbindung zum Webserver"}));
  EXPECT_EQ(window.calls.back(), "EnableLink 2");
}

TEST_F(UpdateAssistantTest, AVersionFileCutShortOrTooLongIsAFailedConnectionNeverMaintenance) {
  const std::string path = std::string(kData) + "ver.txt";
  const std::string version = "1|Quorvelle|1235|QV|";
  server.Serve(std::string(kData) + "_FlagIsConnect", "up");
  struct Case {
    const char* what;
    inet::Script head;
    inet::Script get;
    const char* reason;
  };
  for (const Case& c : {Case{"cut short",
                             {Bytes(ResponseHead(200, 20))},
                             {Bytes(ResponseHead(200, 20) + version.substr(0, 8)), Close()},
                             "the transfer ended after 8 of 20 bytes"},
                        Case{"too long",
                             {Bytes(ResponseHead(200, 12))},
                             inet::Response(200, version),
                             "the server sends more than the 12 bytes it announced"}}) {
    SCOPED_TRACE(c.what);
    ResetGlobals();
    window = RecordingWindow();
    server.On("HEAD", path, c.head);
    server.On("GET", path, c.get);
    Start("UpdStd");
    assistant->UpdateSuche();
    EXPECT_EQ(window.status, "Überprüfen Sie Ihre Internetverbindung und versuchen Sie es noch einmal.");
    EXPECT_TRUE(window.pages.empty());
    EXPECT_EQ(window.lines,
              (std::vector<std::string>{"UpdateCheck...", "#40503 Es konnten nicht alle Daten geladen werden"}));
    EXPECT_EQ(window.calls.back(), "EnableLink 2");
    EXPECT_NE(Log().find(";Download update.quorvelle.de/v4/data/ver.txt: " + std::string(c.reason) + ";\r\n"),
              std::string::npos);
    assistant->cmdClose_Click();
  }
  EXPECT_EQ(Gets("_FlagIsConnect"), 0u);
}

TEST_F(UpdateAssistantTest, ACheckWithoutVersionFileLogsWhy) {
  const std::string path = std::string(kData) + "ver.txt";
  std::vector<std::string> manyHeaders;
  for (int i = 0; i < 100; ++i) manyHeaders.push_back("X-H" + std::to_string(i) + ": " + std::string(1000, 'h'));
  // A floor of 1 KB/s over 2 s, so a silent server is given up in seconds.
  inet::ScopedSpeedFloor floor({1024, 2});
  struct Case {
    const char* what;
    inet::Script answer;
    const char* reason;
  };
  for (const Case& c :
       {Case{"a huge header", {Bytes(ResponseHead(200, 5, manyHeaders) + "1|Q|5")}, "the server's header is too large"},
        Case{"a redirect loop",
             {Bytes(ResponseHead(302, 0, {"Location: /v4/data/ver.txt"}))},
             "the server redirects in a loop"},
        Case{"a body without length",
             {Bytes(ResponseHead(200, std::nullopt) + "1|Q|5|QV"), Close()},
             "the server announces no length"},
        Case{"a server silent after the head",
             {Bytes(ResponseHead(200, 5)), inet::steps::Pause(30000)},
             "the transfer stays below 1024 bytes per second over 2 seconds"}}) {
    SCOPED_TRACE(c.what);
    ResetGlobals();
    window = RecordingWindow();
    server.On("HEAD", path, c.answer);
    server.On("GET", path, c.answer);
    Start("UpdSilent");
    assistant->UpdateSuche();
    EXPECT_TRUE(window.unloaded);
    EXPECT_NE(Log().find(";Download update.quorvelle.de/v4/data/ver.txt: " + std::string(c.reason) + ";\r\n"),
              std::string::npos);
  }
}

TEST_F(UpdateAssistantTest, AFileThatCannotBeWrittenOrCopiedIsToldAndTheUpdateFolderStaysAsItWas) {
  struct Case {
    const char* what;
    size_t size;       // of the update
    const char* when;  // the call of the window at which the disk is full
    rlim_t limit;
    std::string line;
    const char* status;
    int32_t lastProgress;  // the progress bar's last value before 100 at most
  };
  const std::string temp = world.Path("tmp/QVVerscout/");
  const char* tempFull = "Im temporären Ordner können keine Dateien gespeichert werden.";
  const char* folderRefuses = "Das Update kann nicht in den Update-Ordner kopiert werden.";
  // An update below 1 KB reaches the disk only when its file is closed; a
  // large one stops downloading as soon as a write fails.
  for (const Case& c : {Case{"temporary folder full, small update", 800, "ShowProgressBar", 500,
                             "Schreibfehler: " + temp + "QVUpdate.exe: Datei zu groß", tempFull, 0},
                        Case{"temporary folder full, large update", 8 << 20, "ShowProgressBar", 512 << 10,
                             "Schreibfehler: " + temp + "QVUpdate.exe: Datei zu groß", tempFull, 30},
                        Case{"update folder full", 64 << 10, "DisableClose", 32 << 10,
                             "Kopierfehler: " + UpdateDir() + "/QVUpdate.exe: Datei zu groß", folderRefuses, 100},
                        Case{"version file refused", 800, "", 0,
                             "Kopierfehler: " + UpdateDir() + "/ver.txt: Ist ein Verzeichnis", folderRefuses, 0}}) {
    SCOPED_TRACE(c.what);
    ResetGlobals();
    window = RecordingWindow();
    server.Serve(std::string(kData) + "QVUpdate.exe", inet::PatternBytes(c.size));
    std::filesystem::remove_all(UpdateDir());
    std::filesystem::create_directories(UpdateDir());
    if (c.limit == 0) WriteFile(UpdateDir() + "/ver.txt/old", "x");
    std::optional<FileSizeLimit> full;
    window.onCall = [&](const std::string& call) {
      if (call == c.when) full.emplace(c.limit);
    };
    int32_t lastProgress = 0;
    window.onProgress = [&](int32_t percent) {
      if (percent < 100) lastProgress = percent;
    };
    Start("UpdStd");
    assistant->UpdateSuche();
    assistant->cmdDoUpdate_Click();
    full.reset();
    EXPECT_EQ(window.lines.back(), c.line);
    EXPECT_EQ(window.status, c.status);
    EXPECT_EQ(window.pages.back(), PagePrefix + "updErr");
    EXPECT_EQ(window.calls.back(), "ShowPageAboveStatus");
    EXPECT_NE(rt::FromAnsi(Log()).find(";" + c.line + ";\r\n"), std::string::npos);
    EXPECT_LE(lastProgress, c.lastProgress);
    EXPECT_FALSE(UpdateLoaded);
    // Nothing of the update reached the update folder, not even in part,
    // and the temporary folder keeps no part of it either.
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(UpdateDir())) {
      left.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(left, c.limit == 0 ? std::vector<std::string>{"ver.txt"} : std::vector<std::string>{});
    EXPECT_EQ(std::filesystem::exists(temp + "QVUpdate.exe"), c.when == std::string("DisableClose") || c.limit == 0);
    assistant->cmdClose_Click();
  }
}

TEST_F(UpdateAssistantTest, AVersionFileThatCannotBeWrittenEndsTheCheckWithItsReason) {
  std::optional<FileSizeLimit> full;
  window.onCall = [&](const std::string& call) {
    if (call == "SetStatusTop" && !full) full.emplace(10);
  };
  server.Serve(std::string(kData) + "_FlagIsConnect", "up");
  Start("UpdStd");
  assistant->UpdateSuche();
  full.reset();
  EXPECT_EQ(window.lines,
            (std::vector<std::string>{"UpdateCheck...",
                                      "Schreibfehler: " + world.Path("tmp/QVVerscout/") + "ver.txt: Datei zu groß"}));
  EXPECT_EQ(window.status, "Im temporären Ordner können keine Dateien gespeichert werden.");
  EXPECT_TRUE(window.pages.empty());
  EXPECT_EQ(window.calls.back(), "EnableLink 2");
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(Gets("_FlagIsConnect"), 0u);
}

TEST_F(UpdateAssistantTest, TheLogLiesBesideTheUpdateFolderWhateverItsName) {
  for (const char* name : {"upd", "updates", "u", "Updates 2024/"}) {
    SCOPED_TRACE(name);
    ResetGlobals();
    window = RecordingWindow();
    std::filesystem::create_directories(world.Path("srv/") + name);
    Start("UpdPro", world.Path("srv/") + name);
    ASSERT_TRUE(loaded);
    assistant->cmdClose_Click();
  }
  std::vector<std::string> logs;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(world.Path())) {
    if (entry.path().filename().string().find("UpdLog") != std::string::npos) logs.push_back(entry.path().string());
  }
  EXPECT_EQ(logs, std::vector<std::string>{world.Path("srv/UpdLog.001")});
  size_t starts = 0;
  const std::string log = Log();
  for (size_t at = log.find(";START;"); at != std::string::npos; at = log.find(";START;", at + 1)) ++starts;
  EXPECT_EQ(starts, 4u);
}

TEST_F(UpdateAssistantTest, SilentCheckEndsQuietlyWithoutDownloading) {
  Start("UpdSilent");
  assistant->UpdateSuche();
  EXPECT_TRUE(window.unloaded);
  EXPECT_EQ(Gets("QVUpdate.exe"), 0u);
  EXPECT_TRUE(messages.empty());
  EXPECT_NE(Log().find(";ENDE;\r\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(world.Path("tmp/QVVerscout")));
}

TEST_F(UpdateAssistantTest, DownloadCopiesIntoTheUpdateFolderAndHandsOverAtExit) {
  for (const char* mode : {"UpdPro", "UpdStd"}) {
    SCOPED_TRACE(mode);
    ResetGlobals();
    window = RecordingWindow();
    std::filesystem::remove(UpdateDir() + "/ver.txt");
    Start(mode);
    UseEnglish();
    IsEnglish = true;
    assistant->UpdateSuche();
    assistant->cmdDoUpdate_Click();
    EXPECT_EQ(window.lines, (std::vector<std::string>{"Initialization...", "Check 1 of 1",
                                                      "1 files are being loaded...", "Download file 1 of 1"}));
    EXPECT_EQ(window.fileLabel, "File 1 of 1");
    EXPECT_EQ(ReadFile(UpdateDir() + "/QVUpdate.exe"), update);
    EXPECT_EQ(ReadFile(UpdateDir() + "/ver.txt"), "1|Quorvelle|1235|QV|");
    EXPECT_TRUE(UpdateLoaded);
    EXPECT_EQ(window.pages.back(), PagePrefix + (IsAdminMode ? "updOKPro" : "updOK"));
    assistant->cmdClose_Click();
    EXPECT_TRUE(window.unloaded);
    WaitForChildren();
  }
  // Only the client run hands over, once.
  EXPECT_EQ(UpdateProgramRuns().substr(0, 4), "run\n");
  EXPECT_EQ(UpdateProgramRuns().find("run\n", 1), std::string::npos);
  EXPECT_NE(UpdateProgramRuns().find("argument:Update0" + UpdateDir() + "\n"), std::string::npos);
}

// The update file and the version file change together. When the version
// file cannot be renamed into place, the update file gets its old copy
// back; when that fails too, the next run completes the copy.
TEST_F(UpdateAssistantTest, TheTwoCopiesChangeTheUpdateFolderTogether) {
  const std::string program = UpdateDir() + "/QVUpdate.exe", version = UpdateDir() + "/ver.txt";
  const auto folder = [&] {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(UpdateDir())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  };
  for (const bool putBackFails : {false, true}) {
    SCOPED_TRACE(putBackFails ? "the old update file cannot be put back" : "the old update file is put back");
    ResetGlobals();
    window = RecordingWindow();
    WriteFile(program, "old program");
    WriteFile(version, "1|Quorvelle|1234|QV|");
    Start("UpdStd");
    assistant->RenameFileWith([&](const std::string& from, const std::string& to) {
      if (to == version || (putBackFails && from == program + ".prev")) return EACCES;
      return SystemRename(from, to);
    });
    assistant->UpdateSuche();
    assistant->cmdDoUpdate_Click();
    EXPECT_FALSE(UpdateLoaded);
    EXPECT_EQ(ReadFile(version), "1|Quorvelle|1234|QV|");
    if (!putBackFails) {
      EXPECT_EQ(window.lines.back(), "Kopierfehler: " + version + ": Zugriff verweigert");
      EXPECT_EQ(window.pages.back(), PagePrefix + "updErr");
      EXPECT_EQ(ReadFile(program), "old program");
      EXPECT_EQ(folder(), (std::vector<std::string>{"QVUpdate.exe", "ver.txt"}));
    } else {
      // Something was copied: no page saying that nothing was.
      EXPECT_EQ(window.lines.back(),
                "Nur ein Teil des Updates ist im Update-Ordner; der nächste Start des "
                "Update-Assistenten vervollständigt die Kopie.");
      EXPECT_TRUE(window.pages.empty() || window.pages.back() != PagePrefix + "updErr");
      EXPECT_EQ(ReadFile(program), update);
    }
    assistant->cmdClose_Click();
  }
  // The next run finishes the copy before it reads the local version.
  ResetGlobals();
  window = RecordingWindow();
  Start("UpdPro");
  EXPECT_EQ(ReadFile(program), update);
  EXPECT_EQ(ReadFile(version), "1|Quorvelle|1235|QV|");
  EXPECT_EQ(folder(), (std::vector<std::string>{"QVUpdate.exe", "ver.txt"}));
  EXPECT_EQ(assistant->LocalVersion, 1235);
  EXPECT_NE(Log().find(";Interrupted copy into the update folder finished;\r\n"), std::string::npos);
  assistant->cmdClose_Click();
}

// An update file announced beyond the download's 32-bit sizes is told as
// too big, in the status list and the log, not as a box "6" "Overflow".
TEST_F(UpdateAssistantTest, AnUpdateAnnouncedBeyondTheSizesIsToldTooBig) {
  server.On("HEAD", std::string(kData) + "QVUpdate.exe", {Bytes(ResponseHead(200, size_t{3000000000}))});
  Start("UpdStd");
  assistant->UpdateSuche();
  assistant->cmdDoUpdate_Click();
  const std::string line = "Die Update-Datei ist zu groß: mehr als 2.147.483.647 Bytes.";
  EXPECT_EQ(window.lines.back(), line);
  EXPECT_EQ(window.status, line);
  EXPECT_TRUE(messages.empty()) << messages.front();
  EXPECT_NE(rt::FromAnsi(Log()).find(";" + line + ";\r\n"), std::string::npos);
  EXPECT_EQ(window.pages.back(), PagePrefix + "updErr");
  EXPECT_FALSE(std::filesystem::exists(UpdateDir() + "/QVUpdate.exe"));
  assistant->cmdClose_Click();
}

TEST_F(UpdateAssistantTest, FailedTransfersAndCopiesShowTheErrorPageAndCopyNothing) {
  const std::string path = std::string(kData) + "QVUpdate.exe";
  struct Case {
    const char* what;
    std::function<void()> arrange;
  };
  for (const Case& c :
       {Case{"short body",
             [&] {
               server.On("GET", path, {Bytes(ResponseHead(200, 2500) + update.substr(0, 900)), Close()});
             }},
        Case{"long body", [&] { server.On("HEAD", path, {Bytes(ResponseHead(200, 2000))}); }},
        Case{"no size", [&] { server.On("HEAD", path, {Bytes(ResponseHead(500, 2500))}); }},
        Case{"copy fails", [&] { std::filesystem::create_directories(UpdateDir() + "/QVUpdate.exe/x"); }}}) {
    SCOPED_TRACE(c.what);
    ResetGlobals();
    window = RecordingWindow();
    server.Serve(path, update);
    c.arrange();
    Start("UpdStd");
    assistant->UpdateSuche();
    assistant->cmdDoUpdate_Click();
    EXPECT_EQ(window.pages.back(), PagePrefix + "updErr");
    EXPECT_FALSE(UpdateLoaded);
    EXPECT_FALSE(std::filesystem::exists(UpdateDir() + "/ver.txt"));
    assistant->cmdClose_Click();
    std::filesystem::remove_all(UpdateDir() + "/QVUpdate.exe");
  }
  EXPECT_FALSE(std::filesystem::exists(ProgramDir() + "/update-program-runs.txt"));
}

TEST_F(UpdateAssistantTest, CloseDuringATransferCancelsAndLeavesNothingBehind) {
  server.Serve(std::string(kData) + "QVUpdate.exe", inet::PatternBytes(50 * 1024));
  Start("UpdStd");
  assistant->UpdateSuche();
  window.onProgress = [this](int32_t percent) {
    if (percent > 0) {
      assistant->cmdClose_Click();
      assistant.reset();  // the window lets go of its working part as it unloads
    }
  };
  std::shared_ptr<UpdateAssistant>(assistant)->cmdDoUpdate_Click();
  EXPECT_TRUE(window.unloaded);
  EXPECT_FALSE(UpdateLoaded);
  EXPECT_FALSE(std::filesystem::exists(UpdateDir() + "/QVUpdate.exe"));
}

TEST_F(UpdateAssistantTest, CloseDuringTheCheckOrTheSizePassEndsTheRunAtOnce) {
  Start("UpdStd");
  {
    PendingClick click([this] { assistant->cmdClose_Click(); });
    assistant->UpdateSuche();
  }
  EXPECT_TRUE(window.unloaded);
  EXPECT_TRUE(window.pages.empty());

  ResetGlobals();
  window = RecordingWindow();
  Start("UpdStd");
  assistant->UpdateSuche();
  {
    PendingClick click([this] { assistant->cmdClose_Click(); });
    assistant->cmdDoUpdate_Click();
  }
  EXPECT_TRUE(window.unloaded);
  EXPECT_EQ(window.lines, (std::vector<std::string>{"Initialisierung...", "Prüfe 1 von 1"}));
  EXPECT_FALSE(std::filesystem::exists(UpdateDir() + "/QVUpdate.exe"));
  EXPECT_FALSE(assistant->CancelRequested);
}

TEST_F(UpdateAssistantTest, TheCheckIsIgnoredWhileADownloadRuns) {
  server.Serve(std::string(kData) + "QVUpdate.exe", inet::PatternBytes(5 * 1024));
  Start("UpdStd");
  assistant->UpdateSuche();
  window.onProgress = [this](int32_t) { assistant->UpdateSuche(); };
  assistant->cmdDoUpdate_Click();
  EXPECT_EQ(Gets("ver.txt"), 1u);
  EXPECT_EQ(ReadFile(UpdateDir() + "/QVUpdate.exe"), inet::PatternBytes(5 * 1024));
}

TEST_F(UpdateAssistantTest, ALogThatCannotStartEndsTheSilentRunBeforeAnyCheck) {
  std::filesystem::create_directories(world.Path("srv/UpdLog.001/blocked"));
  Start("UpdSilent");
  EXPECT_FALSE(loaded);
  EXPECT_EQ(messages, std::vector<std::string>{"Abbruch!"});
  EXPECT_TRUE(window.unloaded);
  assistant->UpdateSuche();
  EXPECT_EQ(Gets("ver.txt"), 0u);
}

// Another assistant (another user's, with the same update folder) writes
// the log: this run says that one runs, not that it lacks permissions.
TEST_F(UpdateAssistantTest, ALogHeldByAnotherAssistantIsToldAsSuch) {
  WriteFile(world.Path("srv/UpdLog.001"), "");
  shell::InstanceLock other(world.Path("srv/UpdLog.001"));
  ASSERT_TRUE(other.Held());
  Start("UpdStd");
  EXPECT_FALSE(loaded);
  EXPECT_EQ(messages, std::vector<std::string>{"Automatisches Online-Update"});
  EXPECT_TRUE(window.unloaded);
}

TEST_F(UpdateAssistantTest, WhileLoadedARightButtonReleaseNeverReachesTheBrowserPage) {
  received.clear();
  win::WNDCLASSA wc;
  wc.lpfnWndProc = [](win::HWND h, uint32_t msg, win::WPARAM w, win::LPARAM l) -> win::LRESULT {
    if (msg == win::WM_RBUTTONDOWN || msg == win::WM_RBUTTONUP) {
      received.push_back(win::GetClassNameA(h) + (msg == win::WM_RBUTTONUP ? " up" : " down"));
    }
    return win::DefWindowProcA(h, msg, w, l);
  };
  // The page class of this test stands in for the browser's own, which
  // comes back afterwards.
  for (const char* name : {kBrowserPageClass, "TestOtherPane"}) {
    win::UnregisterClassA(name);
    wc.lpszClassName = name;
    win::RegisterClassA(wc);
  }
  const win::HWND top = win::CreateWindowExA(0, "TestOtherPane", "", win::WS_VISIBLE, 0, 0, 300, 100, win::kNoWindow);
  win::CreateWindowExA(0, kBrowserPageClass, "", win::WS_CHILD | win::WS_VISIBLE, 0, 0, 100, 100, top);
  const auto click = [](int x) {
    win::RouteMouseButton({x, 50}, win::MouseButton::Right, true);
    win::RouteMouseButton({x, 50}, win::MouseButton::Right, false);
  };

  Start("UpdStd");
  ASSERT_TRUE(assistant->HookInstalled);
  click(50);
  click(200);
  EXPECT_EQ(received,
            (std::vector<std::string>{"Internet Explorer_Server down", "TestOtherPane down", "TestOtherPane up"}));
  assistant->cmdClose_Click();
  received.clear();
  click(50);
  EXPECT_EQ(received, (std::vector<std::string>{"Internet Explorer_Server down", "Internet Explorer_Server up"}));
  win::DestroyWindow(top);
  win::UnregisterClassA(kBrowserPageClass);
}

}  // namespace
}  // namespace verscout
