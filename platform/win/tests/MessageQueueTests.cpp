#include <gtest/gtest.h>

#include "TestWindow.h"
#include "runtime/Clock.h"
#include "win/MessageQueue.h"
#include "win/Timer.h"

using namespace win;
using wintest::Create;
using wintest::Log;
using wintest::Received;

namespace {

class MessageQueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DoEvents();
    Log().clear();
  }
  void TearDown() override {
    SetIdleHandler(nullptr);
    MSG msg;
    while (PeekMessageA(&msg, kNoWindow, 0, 0, PM_REMOVE)) {
    }
  }
  rt::ManualClock m_clock;
  rt::ScopedClock m_scoped{m_clock};
};

std::vector<UINT_PTR> g_timerCalls;
void TimerCallback(HWND, uint32_t msg, UINT_PTR id, uint32_t) {
  if (msg == WM_TIMER) g_timerCalls.push_back(id);
}

}  // namespace

TEST_F(MessageQueueTest, DoEventsDispatchesPostedMessagesInOrder) {
  HWND a = Create();
  HWND b = Create();
  EXPECT_TRUE(PostMessageA(a, WM_USER, 1, 0));
  EXPECT_TRUE(PostMessageA(b, WM_USER, 2, 0));
  EXPECT_TRUE(PostMessageA(a, WM_USER + 1, 3, 0));
  EXPECT_TRUE(wintest::Only({WM_USER}).empty());  // posting does not deliver

  EXPECT_EQ(DoEvents(), 3);
  EXPECT_EQ(wintest::Only({WM_USER, WM_USER + 1}),
            (std::vector<Received>{{a, WM_USER, 1, 0}, {b, WM_USER, 2, 0}, {a, WM_USER + 1, 3, 0}}));

  // Messages of a window destroyed before the pump are dropped.
  PostMessageA(a, WM_USER, 4, 0);
  DestroyWindow(a);
  EXPECT_FALSE(PostMessageA(a, WM_USER, 5, 0));
  EXPECT_EQ(DoEvents(), 0);
  DestroyWindow(b);
}

// A window that never rests: every message it gets posts it the next one
// and invalidates it, and it invalidates itself while it paints. The bounds
// only keep a broken pump from running for ever.
LRESULT RestlessProc(HWND h, uint32_t msg, WPARAM w, LPARAM l) {
  if (msg == WM_USER && w < 1000) {
    PostMessageA(h, WM_USER, w + 1, 0);
    InvalidateRect(h, nullptr, FALSE);
  }
  if (msg == WM_PAINT) {
    // It paints itself (so the default handling does not validate it).
    Log().push_back({h, msg, w, l});
    if (wintest::Only({WM_PAINT}).size() < 1000) InvalidateRect(h, nullptr, FALSE);
    return 0;
  }
  return wintest::RecordingProc(h, msg, w, l);
}

TEST_F(MessageQueueTest, DoEventsHandlesWhatWasPendingAndReturns) {
  HWND h = Create();
  SetWindowLongA(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&RestlessProc));
  SetTimer(h, 3, 10, nullptr);
  m_clock.Advance(10);
  PostMessageA(h, WM_USER, 1, 0);
  // The message posted before and the timer due; what the handler posts
  // and invalidates waits for the next pump.
  EXPECT_EQ(DoEvents(), 2);
  EXPECT_EQ(wintest::Only({WM_USER, WM_PAINT, WM_TIMER}),
            (std::vector<Received>{{h, WM_USER, 1, 0}, {h, WM_TIMER, 3, 0}}));
  Log().clear();
  EXPECT_EQ(DoEvents(), 2);
  EXPECT_EQ(wintest::Only({WM_USER, WM_PAINT, WM_TIMER}),
            (std::vector<Received>{{h, WM_USER, 2, 0}, {h, WM_PAINT, 0, 0}}));
  DestroyWindow(h);
}

TEST_F(MessageQueueTest, AWindowThatInvalidatesItselfWhilePaintingLetsTheLoopWait) {
  HWND h = Create();
  SetWindowLongA(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&RestlessProc));
  InvalidateRect(h, nullptr, FALSE);
  // The loop paints the window once and then waits: it reaches the idle
  // handler, which ends it.
  int idleCalls = 0;
  SetIdleHandler([&] {
    ++idleCalls;
    PostQuitMessage(0);
    return true;
  });
  MSG msg;
  int messages = 0;
  while (GetMessageA(&msg, kNoWindow, 0, 0) > 0 && ++messages < 100) DispatchMessageA(&msg);
  EXPECT_EQ(idleCalls, 1);
  EXPECT_EQ(wintest::Only({WM_PAINT}).size(), 1u);
  // Invalidated by someone else, it paints again.
  InvalidateRect(h, nullptr, FALSE);
  EXPECT_TRUE(UpdateWindow(h));
  EXPECT_EQ(wintest::Only({WM_PAINT}).size(), 2u);
  DestroyWindow(h);
}

TEST_F(MessageQueueTest, MessageLoopRunsUntilQuit) {
  HWND h = Create();
  PostMessageA(h, WM_USER, 0, 0);
  PostQuitMessage(3);
  PostMessageA(h, WM_USER, 1, 0);  // still ahead of the quit
  EXPECT_EQ(DoEvents(), 2);        // the pump leaves WM_QUIT for the loop
  EXPECT_EQ(RunMessageLoop(), 3);
  EXPECT_EQ(wintest::Only({WM_USER}).size(), 2u);

  // With nothing that can ever arrive the loop ends instead of hanging;
  // the idle handler may feed it first.
  int idleCalls = 0;
  SetIdleHandler([&] {
    if (++idleCalls == 1) PostMessageA(h, WM_USER, 9, 0);
    return idleCalls == 1;
  });
  EXPECT_EQ(RunMessageLoop(), 0);
  EXPECT_EQ(idleCalls, 2);
  EXPECT_EQ(wintest::Only({WM_USER}).back(), (Received{h, WM_USER, 9, 0}));
  DestroyWindow(h);
}

TEST_F(MessageQueueTest, TimersFireOnTheManualClock) {
  HWND h = Create();
  EXPECT_EQ(SetTimer(h, 7, 100, nullptr), 7u);
  m_clock.Advance(99);
  DoEvents();
  EXPECT_TRUE(wintest::Only({WM_TIMER}).empty());

  m_clock.Advance(1);
  DoEvents();
  EXPECT_EQ(wintest::Only({WM_TIMER}), (std::vector<Received>{{h, WM_TIMER, 7, 0}}));

  // A long gap fires the timer once, and the next due time counts from then.
  m_clock.Advance(1000);
  DoEvents();
  EXPECT_EQ(wintest::Only({WM_TIMER}).size(), 2u);
  m_clock.Advance(99);
  DoEvents();
  EXPECT_EQ(wintest::Only({WM_TIMER}).size(), 2u);

  EXPECT_TRUE(KillTimer(h, 7));
  EXPECT_FALSE(KillTimer(h, 7));
  m_clock.Advance(500);
  DoEvents();
  EXPECT_EQ(wintest::Only({WM_TIMER}).size(), 2u);

  // A timer procedure is called instead of the window; destroying the
  // window ends its timers.
  g_timerCalls.clear();
  SetTimer(h, 8, 10, &TimerCallback);
  m_clock.Advance(10);
  DoEvents();
  EXPECT_EQ(g_timerCalls, (std::vector<UINT_PTR>{8}));
  EXPECT_EQ(wintest::Only({WM_TIMER}).size(), 2u);
  DestroyWindow(h);
  m_clock.Advance(10);
  DoEvents();
  EXPECT_EQ(g_timerCalls.size(), 1u);
}

TEST_F(MessageQueueTest, PeekMessageFiltersAndKeeps) {
  HWND a = Create();
  HWND b = Create();
  PostMessageA(a, WM_USER, 0, 0);
  PostMessageA(b, WM_USER + 5, 0, 0);
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.hwnd, b);
  EXPECT_TRUE(PeekMessageA(&msg, kNoWindow, WM_USER + 1, WM_USER + 9, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_USER + 5);
  EXPECT_FALSE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
  EXPECT_EQ(DoEvents(), 1);
  DestroyWindow(a);
  DestroyWindow(b);
}
