// The pump and the message loop on a private X server: DoEvents handles a
// click that arrives while it runs, a window that invalidates itself while
// it paints lets the loop wait, and a window that another client destroys
// counts as closed.
#include <gtest/gtest.h>

#include <vector>

#include "win/DisplayBackend.h"
#include "win/MessageQueue.h"
#include "win/Timer.h"
#include "win/Window.h"
#include "win/X11Testing.h"

namespace {

using namespace win;
namespace x11 = win::x11test;

constexpr int kWidth = 200;
constexpr int kHeight = 120;

std::vector<uint32_t>& Received() {
  static std::vector<uint32_t> received;
  return received;
}

// Shows itself in one colour and invalidates itself while doing so. The
// bound only keeps a broken pump from painting it for ever.
LRESULT RestlessPainterProc(HWND h, uint32_t msg, WPARAM w, LPARAM l) {
  if (msg == WM_PAINT) {
    Received().push_back(msg);
    const std::vector<uint32_t> pixels(kWidth * kHeight, 0xFF3060A0);
    Display().Present(h, pixels.data(), kWidth, kHeight);
    if (Received().size() < 1000) InvalidateRect(h, nullptr, FALSE);
    return 0;
  }
  return DefWindowProcA(h, msg, w, l);
}

// Records the mouse buttons and close requests it gets; refuses to close
// while `g_refuseClose` is set.
bool g_refuseClose = false;
LRESULT RecordingProc(HWND h, uint32_t msg, WPARAM w, LPARAM l) {
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_CLOSE) Received().push_back(msg);
  if (msg == WM_CLOSE && g_refuseClose) return 0;
  return DefWindowProcA(h, msg, w, l);
}

HWND Shown(const char* className, WNDPROC proc, int x) {
  WNDCLASSA wc;
  wc.lpfnWndProc = proc;
  wc.lpszClassName = className;
  RegisterClassA(wc);
  HWND h = CreateWindowExA(0, className, className, WS_CAPTION, x, 100, kWidth, kHeight, kNoWindow);
  ShowWindow(h, SW_SHOW);
  x11::Settle();
  return h;
}

void QuitLoop(HWND, uint32_t, UINT_PTR, uint32_t) { PostQuitMessage(0); }

// Runs the message loop for `ms` of wall time; how often it reached its
// wait (the idle handler), and whether it ended in time. The message
// bound only keeps a broken loop from running for ever.
struct LoopRun {
  int waits = 0;
  bool ended = false;
};
LoopRun RunLoopFor(uint32_t ms) {
  LoopRun run;
  SetIdleHandler([&run] {
    ++run.waits;
    return false;
  });
  const UINT_PTR timer = SetTimer(kNoWindow, 0, ms, &QuitLoop);
  MSG msg;
  for (int messages = 0; messages < 100000; ++messages) {
    if (GetMessageA(&msg, kNoWindow, 0, 0) <= 0) {
      run.ended = true;
      break;
    }
    DispatchMessageA(&msg);
  }
  KillTimer(kNoWindow, timer);
  SetIdleHandler(nullptr);
  return run;
}

TEST(X11Pump, AWindowThatInvalidatesItselfWhilePaintingLetsTheLoopWait) {
  HWND h = Shown("RestlessPainter", &RestlessPainterProc, 100);
  ASSERT_TRUE(x11::IsShown(h));
  Received().clear();
  // Over an idle stretch nothing is painted and the loop waits.
  const LoopRun idle = RunLoopFor(300);
  EXPECT_TRUE(idle.ended);
  EXPECT_GE(idle.waits, 1);
  EXPECT_EQ(Received().size(), 0u);
  // Invalidated from outside its paint, it paints once, and DoEvents
  // returns after that one paint.
  InvalidateRect(h, nullptr, FALSE);
  EXPECT_EQ(DoEvents(), 1);
  EXPECT_EQ(Received().size(), 1u);
  EXPECT_EQ(DoEvents(), 0);
  DestroyWindow(h);
}

TEST(X11Pump, DoEventsHandlesAClickThatArrivesWhileItRuns) {
  HWND target = Shown("ClickTarget", &RecordingProc, 400);
  Received().clear();
  // A posted message whose handling takes long: the user clicks meanwhile.
  struct Clicking {
    static LRESULT Proc(HWND h, uint32_t msg, WPARAM w, LPARAM l) {
      if (msg == WM_USER) {
        const POINT origin = x11::ServerOrigin(ToHwnd(static_cast<int32_t>(w)));
        x11::ClickAtScreen(POINT{origin.x + 20, origin.y + 20});
        return 0;
      }
      return DefWindowProcA(h, msg, w, l);
    }
  };
  HWND busy = Shown("BusyWindow", &Clicking::Proc, 700);
  PostMessageA(busy, WM_USER, static_cast<WPARAM>(ToInt(target)), 0);
  DoEvents();
  EXPECT_EQ(Received(), (std::vector<uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
  DestroyWindow(busy);
  DestroyWindow(target);
}

TEST(X11Pump, AWindowThatAnotherClientDestroysIsClosed) {
  for (bool refuse : {false, true}) {
    SCOPED_TRACE(refuse ? "refuses to close" : "closes");
    g_refuseClose = refuse;
    HWND h = Shown("Closable", &RecordingProc, 100);
    ASSERT_TRUE(x11::IsShown(h));
    Received().clear();
    x11::DestroyFromOutside(h);
    x11::Settle();
    EXPECT_EQ(Received(), std::vector<uint32_t>{WM_CLOSE});
    // A window that stays open shows again.
    EXPECT_EQ(IsWindow(h) != FALSE, refuse);
    EXPECT_EQ(x11::IsShown(h), refuse);
    // Either way the loop waits afterwards.
    EXPECT_GE(RunLoopFor(200).waits, 1);
    g_refuseClose = false;
    DestroyWindow(h);
  }
}

}  // namespace
