// The real Verscout program on an X server, played through XTest as a user
// would, against the local update server: the welcome page, the check, the
// offer page, "Update now", the download and the hand-over at close. The
// program waits without using the processor on its pages, and ends when
// its X server goes away.
#include <filesystem>
#include <string>
#include <vector>

#include "VerscoutFixture.h"
#include "forms/Constants.h"
#include "forms/FormDesign.h"
#include "frmUpdates.h"
#include "gdi/Bitmaps.h"
#include "gdi/Dib.h"
#include "gdi/Owned.h"
#include "gdi/Twips.h"
#include "mMain.h"
#include "runtime/TestRenders.h"
#include "shell/FileOperation.h"
#include "win/Timer.h"
#include "win/X11Testing.h"
#include "win/tests/x11/ProgramOnDisplay.h"

namespace verscout {
namespace {

namespace x11 = win::x11test;
using inet::ResponseHead;

constexpr const char* kData = "/v4/data/";
constexpr const char* kPages = "/v4/pages/";
// Processor time an idle program may use over the measured stretch.
constexpr int kIdleStretchMs = 2000;
constexpr int64_t kIdleCpuMs = 100;

// Where a control of the update window lies, in pixels of its client area,
// as its design places it.
win::RECT DesignRect(const std::string& name, int16_t index = -1) {
  static const forms::DesignNode design =
      forms::ReadDesignFile(std::string(QV_SOURCE_DIR) + "/updater/frmUpdates.frm");
  for (const forms::DesignNode& c : design.children) {
    if (c.name != name || c.index != index) continue;
    const auto twips = [&c](const char* property) { return c.properties.ReadProperty(property, 0).ToLong(); };
    const int left = gdi::TwipsToPixelsX(twips("Left"));
    const int top = gdi::TwipsToPixelsY(twips("Top"));
    return win::RECT{left, top, left + gdi::TwipsToPixelsX(twips("Width")), top + gdi::TwipsToPixelsY(twips("Height"))};
  }
  ADD_FAILURE() << "no control " << name << " in the design";
  return {};
}

// Writes what the screen shows of the rectangle to verscout-<name>.png in
// the renders folder, to be looked at.
void SaveScreen(const win::RECT& rect, const std::string& name) {
  const std::vector<uint32_t> pixels = x11::ScreenPixels(rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  gdi::BITMAPINFO info;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biBitCount = 32;
  std::vector<uint8_t> bits(pixels.size() * 4);
  for (size_t i = 0; i < pixels.size(); ++i) {
    for (int b = 0; b < 4; ++b) bits[i * 4 + static_cast<size_t>(b)] = static_cast<uint8_t>(pixels[i] >> (8 * b));
  }
  gdi::OwnedBitmap bitmap(gdi::CreateCompatibleBitmap(gdi::HDC{}, width, height));
  gdi::SetDIBits(gdi::HDC{}, bitmap.Get(), 0, static_cast<uint32_t>(height), bits, info);
  gdi::SaveBitmapToPng(bitmap.Get(), rt::TestRenderPath("verscout-" + name + ".png"));
}

// Waits until the screen shows the same in the rectangle twice, 200 ms
// apart: what the program draws has settled.
bool WaitForStillScreen(const win::RECT& rect) {
  std::vector<uint32_t> last = x11::ScreenPixels(rect);
  return x11::WaitUntil(20000, [&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    std::vector<uint32_t> now = x11::ScreenPixels(rect);
    const bool still = now == last;
    last = std::move(now);
    return still;
  });
}

class VerscoutOnDisplay : public VerscoutFixture {
 protected:
  VerscoutOnDisplay() {
    InstallProgramCopy();
    server.Serve(std::string(kData) + "ver.txt", "1|Quorvelle|1235|QV|");
    server.Serve(std::string(kData) + "QVUpdate.exe", update);
    server.Serve(std::string(kPages) + "UpdateYes.htm",
                 "<HTML><BODY><H2>Version 1235</H2><P>A new version is ready for you.</P></BODY></HTML>");
    SetUpdateFolder();
  }

  // Starts the program in client mode on the display.
  std::unique_ptr<x11::ProgramOnDisplay> Start(const std::string& display) const {
    return std::make_unique<x11::ProgramOnDisplay>(
        ProgramDir() + "/Verscout", std::vector<std::string>{"UpdStd"}, display,
        std::vector<std::string>{"QV_INET_CONNECT_TO=" + server.ConnectToEntry("update.quorvelle.de"),
                                 // The copy finds the build's libraries.
                                 "LD_LIBRARY_PATH=" + Build() + "/lib"});
  }
  std::string Log() const { return ReadFile(world.Path("srv/UpdLog.001")); }
  bool TempFolderLeft() const { return std::filesystem::exists(world.Path("tmp/QVVerscout")); }

  const std::string update = inet::PatternBytes(256 * 1024);
};

TEST_F(VerscoutOnDisplay, TheWholeUpdateCheckOfferDownloadAndHandOver) {
  auto program = Start(x11::DisplayName());
  ASSERT_TRUE(program->Started());
  unsigned long window = 0;
  ASSERT_TRUE(x11::WaitUntil(20000, [&] { return (window = x11::ShownWindowOfProcess(program->Pid())) != 0; }));
  const win::POINT origin = x11::ScreenOriginOf(window);
  const auto onScreen = [&origin](win::RECT r) {
    return win::RECT{r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
  };
  const auto centre = [&onScreen](win::RECT r) {
    const win::RECT s = onScreen(r);
    return win::POINT{(s.left + s.right) / 2, (s.top + s.bottom) / 2};
  };
  const win::RECT whole = onScreen(win::RECT{0, 0, 624, 419});
  const win::RECT button = onScreen(DesignRect("cmdDoUpdate"));
  ASSERT_TRUE(WaitForStillScreen(whole));
  const std::vector<uint32_t> withoutButton = x11::ScreenPixels(button);

  // "Verfügbare Updates": the check, then the offer page with its button.
  x11::ClickAtScreen(centre(DesignRect("hovAktion", 2)));
  ASSERT_TRUE(x11::WaitUntil(20000, [&] { return x11::ScreenPixels(button) != withoutButton; }))
      << "\"Update now\" never appeared";
  ASSERT_TRUE(WaitForStillScreen(whole));
  SaveScreen(whole, "offer-page");
  EXPECT_NE(Log().find(";IsUpdate: AppUpdate from 1234 to 1235;\r\n"), std::string::npos);
  // On the offer page the program waits for the user.
  EXPECT_LT(program->CpuMsOver(kIdleStretchMs), kIdleCpuMs);

  // "Update now": the download lands in the update folder.
  x11::ClickAtScreen(centre(DesignRect("cmdDoUpdate")));
  ASSERT_TRUE(x11::WaitUntil(30000, [&] {
    return ReadFile(UpdateDir() + "/QVUpdate.exe") == update &&
           ReadFile(UpdateDir() + "/ver.txt") == "1|Quorvelle|1235|QV|";
  })) << "the update never landed in the update folder";
  // The success page waits for the user too.
  ASSERT_TRUE(WaitForStillScreen(whole));
  SaveScreen(whole, "success-page");
  EXPECT_LT(program->CpuMsOver(kIdleStretchMs), kIdleCpuMs);

  // Close, once the button takes clicks again after the copy.
  ASSERT_TRUE(x11::WaitUntil(20000, [&] {
    x11::ClickAtScreen(centre(DesignRect("cmdClose")));
    return program->WaitForEnd(1000).has_value();
  })) << "the window never closed";
  EXPECT_EQ(program->WaitForEnd(0), 0);

  // The hand-over to the product's update program, with the new files.
  ASSERT_TRUE(x11::WaitUntil(10000, [&] { return !UpdateProgramRuns().empty(); }));
  const std::string runs = UpdateProgramRuns();
  EXPECT_EQ(runs.substr(0, 4), "run\n");
  EXPECT_NE(runs.find("argument:Update0" + UpdateDir() + "\n"), std::string::npos) << runs;
  EXPECT_NE(runs.find("found:QVUpdate.exe:"), std::string::npos) << runs;
  EXPECT_NE(runs.find("found:ver.txt:"), std::string::npos) << runs;
  EXPECT_EQ(ReadFile(UpdateDir() + "/QVUpdate.exe"), update);
  const std::string log = Log();
  EXPECT_NE(log.find("  *Online-Update;START;\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find(";ENDE;\r\n"), std::string::npos) << log;
  EXPECT_FALSE(TempFolderLeft());
}

// A second start while the first shows its window: the second says that
// the assistant runs, brings the first's window to the front and ends; the
// first's files stay, and its check still works.
TEST_F(VerscoutOnDisplay, ASecondStartBringsTheFirstForwardAndLeavesItsFiles) {
  auto first = Start(x11::DisplayName());
  unsigned long window = 0;
  ASSERT_TRUE(x11::WaitUntil(20000, [&] { return (window = x11::ShownWindowOfProcess(first->Pid())) != 0; }));
  ASSERT_TRUE(x11::WaitUntil(10000, [&] { return Log().find(";START;") != std::string::npos; }));
  const std::string kept = world.Path("tmp/QVVerscout/QVUpdate.exe");
  WriteFile(kept, "the first run's download");

  auto second = Start(x11::DisplayName());
  unsigned long box = 0;
  ASSERT_TRUE(x11::WaitUntil(20000, [&] { return (box = x11::ShownWindowOfProcess(second->Pid())) != 0; }));
  EXPECT_EQ(x11::TitleOf(box), "Automatisches Online-Update");
  const win::POINT at = x11::ScreenOriginOf(box);
  SaveScreen(win::RECT{at.x - 10, at.y - 10, at.x + 460, at.y + 200}, "already-running");
  ASSERT_TRUE(x11::WaitUntil(10000, [&] { return x11::FocusedXWindow() == box; }));
  x11::TypeText("\r");
  EXPECT_EQ(second->WaitForEnd(10000), 1);
  EXPECT_TRUE(x11::WaitUntil(5000, [&] { return x11::FocusedXWindow() == window; }))
      << "the first's window did not come forward";
  EXPECT_EQ(ReadFile(kept), "the first run's download");

  // The first goes on: its check, then its end clears its folder.
  const win::POINT origin = x11::ScreenOriginOf(window);
  const win::RECT link = DesignRect("hovAktion", 2);
  x11::ClickAtScreen(win::POINT{origin.x + (link.left + link.right) / 2, origin.y + (link.top + link.bottom) / 2});
  ASSERT_TRUE(x11::WaitUntil(20000, [&] { return Log().find(";IsUpdate: AppUpdate from") != std::string::npos; }));
  const win::RECT close = DesignRect("cmdClose");
  ASSERT_TRUE(x11::WaitUntil(20000, [&] {
    x11::ClickAtScreen(
        win::POINT{origin.x + (close.left + close.right) / 2, origin.y + (close.top + close.bottom) / 2});
    return first->WaitForEnd(1000).has_value();
  }));
  EXPECT_EQ(first->WaitForEnd(0), 0);
  EXPECT_FALSE(TempFolderLeft());
}

// What the question box of the window's file operation showed.
struct AskedOnScreen {
  std::string title;
  bool shown = false;
};
AskedOnScreen asked;

// Run by a timer inside the question box's modal loop: reads the box's
// title from the server, keeps a picture of it and answers it with Enter
// (its default button, "Yes").
void AnswerQuestionBox(win::HWND, uint32_t, win::UINT_PTR id, uint32_t) {
  win::KillTimer(win::kNoWindow, id);
  x11::Settle();
  const unsigned long box = x11::ShownWindowOfProcess(::getpid());
  asked.shown = box != 0;
  asked.title = x11::TitleOf(box);
  const win::POINT at = x11::ScreenOriginOf(box);
  SaveScreen(win::RECT{at.x, at.y, at.x + 640, at.y + 130}, "file-question");
  x11::TypeText("\r");
}

// The window's file operation asks on the display in a box under the
// assistant's title, in its language.
TEST_F(VerscoutOnDisplay, TheFileOperationsQuestionCarriesTheAssistantsTitle) {
  ASSERT_TRUE(Main("UpdStd"));
  const std::shared_ptr<frmUpdates> form = frmUpdates::Default();
  form->Show(forms::vbModeless);
  x11::Settle();
  const std::string source = world.Path("tmp/source.txt"), target = UpdateDir() + "/source.txt";
  WriteFile(source, "new");
  WriteFile(target, "old");
  asked = {};
  const win::UINT_PTR timer = win::SetTimer(win::kNoWindow, 0, 300, &AnswerQuestionBox);
  EXPECT_TRUE(form->FileOperation(shell::FO_COPY, source, UpdateDir(), true, true));
  win::KillTimer(win::kNoWindow, timer);
  EXPECT_TRUE(asked.shown);
  EXPECT_EQ(asked.title, "Automatisches Online-Update");
  EXPECT_EQ(ReadFile(target), "new");
  form->Unload();
}

// The update window of a started program on the test's display, with its
// controls' places on the screen.
struct ShownWindow {
  win::POINT origin{};
  win::RECT OnScreen(win::RECT r) const {
    return win::RECT{r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
  }
  win::POINT Centre(win::RECT r) const {
    const win::RECT s = OnScreen(r);
    return win::POINT{(s.left + s.right) / 2, (s.top + s.bottom) / 2};
  }
  win::RECT Whole() const { return OnScreen(win::RECT{0, 0, 624, 419}); }
};

// Waits until the screen shows something else in the rectangle than it
// shows now: the program is drawing.
bool ScreenMoves(const win::RECT& rect, int ms) {
  const std::vector<uint32_t> before = x11::ScreenPixels(rect);
  return x11::WaitUntil(ms, [&] { return x11::ScreenPixels(rect) != before; });
}

class VerscoutOnSlowServer : public VerscoutOnDisplay {
 protected:
  // Starts the program and waits for its window to settle.
  bool Show(std::unique_ptr<x11::ProgramOnDisplay>& program, ShownWindow& shown) {
    program = Start(x11::DisplayName());
    unsigned long window = 0;
    if (!program->Started() ||
        !x11::WaitUntil(20000, [&] { return (window = x11::ShownWindowOfProcess(program->Pid())) != 0; })) {
      return false;
    }
    shown.origin = x11::ScreenOriginOf(window);
    return WaitForStillScreen(shown.Whole());
  }
  bool RequestSeen(const char* method, const std::string& path) const {
    return x11::WaitUntil(20000, [&] { return server.CountRequests(method, path) > 0; });
  }
  // Clicks "Schließen"; the program ends soon after, as after any close:
  // the log ends, the temporary folder is gone.
  void CloseEndsTheProgramAtOnce(x11::ProgramOnDisplay& program, const ShownWindow& shown) {
    x11::ClickAtScreen(shown.Centre(DesignRect("cmdClose")));
    const std::optional<int> end = program.WaitForEnd(8000);
    ASSERT_TRUE(end.has_value()) << "Close did not end the program";
    EXPECT_EQ(*end, 0);
    EXPECT_NE(Log().find(";ENDE;\r\n"), std::string::npos) << Log();
    EXPECT_FALSE(TempFolderLeft());
  }
};

TEST_F(VerscoutOnSlowServer, TheWindowAnswersWhileTheCheckWaitsAndCloseEndsIt) {
  // The server takes 20 s over every answer.
  for (const char* method : {"HEAD", "GET"}) {
    server.On(method, std::string(kData) + "ver.txt",
              {inet::steps::Pause(20000), inet::steps::Bytes(ResponseHead(200, 20) + "1|Quorvelle|1235|QV|")});
  }
  std::unique_ptr<x11::ProgramOnDisplay> program;
  ShownWindow shown;
  ASSERT_TRUE(Show(program, shown));
  x11::ClickAtScreen(shown.Centre(DesignRect("hovAktion", 2)));
  ASSERT_TRUE(RequestSeen("HEAD", std::string(kData) + "ver.txt"));
  // The file animation plays while the check waits.
  EXPECT_TRUE(ScreenMoves(shown.Whole(), 5000)) << "the window stands still while the check waits";
  CloseEndsTheProgramAtOnce(*program, shown);
}

TEST_F(VerscoutOnSlowServer, TheWindowAnswersDuringADownloadAtTwoBytesASecondAndCloseEndsIt) {
  inet::Script slow{inet::steps::Bytes(ResponseHead(200, update.size()))};
  for (int i = 0; i < 300; ++i) {
    slow.push_back(inet::steps::Bytes(update.substr(2 * static_cast<size_t>(i), 2)));
    slow.push_back(inet::steps::Pause(1000));
  }
  server.On("GET", std::string(kData) + "QVUpdate.exe", slow);
  std::unique_ptr<x11::ProgramOnDisplay> program;
  ShownWindow shown;
  ASSERT_TRUE(Show(program, shown));
  const win::RECT button = shown.OnScreen(DesignRect("cmdDoUpdate"));
  const std::vector<uint32_t> withoutButton = x11::ScreenPixels(button);
  x11::ClickAtScreen(shown.Centre(DesignRect("hovAktion", 2)));
  ASSERT_TRUE(x11::WaitUntil(20000, [&] { return x11::ScreenPixels(button) != withoutButton; }))
      << "\"Update now\" never appeared";
  ASSERT_TRUE(WaitForStillScreen(shown.Whole()));
  x11::ClickAtScreen(shown.Centre(DesignRect("cmdDoUpdate")));
  ASSERT_TRUE(RequestSeen("GET", std::string(kData) + "QVUpdate.exe"));
  // The animation and the status go on while the bytes trickle in.
  EXPECT_TRUE(ScreenMoves(shown.Whole(), 5000)) << "the window stands still during the download";
  SaveScreen(shown.Whole(), "slow-download");
  CloseEndsTheProgramAtOnce(*program, shown);
}

TEST_F(VerscoutOnDisplay, IdleOnTheWelcomePageAndEndsWhenTheServerGoesAway) {
  x11::ServerForProgram display;
  ASSERT_TRUE(display.Started()) << display.Error();
  auto program = Start(display.Name());
  ASSERT_TRUE(x11::WaitUntil(20000, [&] { return x11::ShownWindowOfProcess(program->Pid(), display.Name()) != 0; }));
  // The welcome page has loaded when the log has begun; then nothing moves.
  ASSERT_TRUE(x11::WaitUntil(10000, [&] { return Log().find(";START;") != std::string::npos; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_LT(program->CpuMsOver(kIdleStretchMs), kIdleCpuMs);

  display.Kill();
  const std::optional<int> end = program->WaitForEnd(5000);
  ASSERT_TRUE(end.has_value()) << "still running " << program->CpuMsOver(500) << " ms of 500 on the processor";
  EXPECT_EQ(*end, 0);
  EXPECT_NE(Log().find(";ENDE;\r\n"), std::string::npos);
  EXPECT_FALSE(TempFolderLeft());
}

}  // namespace
}  // namespace verscout
