#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestWindow.h"
#include "win/Hooks.h"
#include "win/InputRouting.h"

using namespace win;
using wintest::Log;

namespace {

// What the hooks of a test saw, and what the first hook answers.
struct Seen {
  std::string hook;
  uint32_t msg;
  MOUSEHOOKSTRUCT data;
};
std::vector<Seen>& SeenLog() {
  static std::vector<Seen> log;
  return log;
}
HHOOK g_first = kNoHook;
HHOOK g_second = kNoHook;
uint32_t g_swallow = 0;  // the message the newest hook swallows

LRESULT FirstHook(int code, WPARAM wParam, LPARAM lParam) {
  SeenLog().push_back({"first", static_cast<uint32_t>(wParam), *reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam)});
  return CallNextHookEx(g_first, code, wParam, lParam);
}

LRESULT SecondHook(int code, WPARAM wParam, LPARAM lParam) {
  SeenLog().push_back({"second", static_cast<uint32_t>(wParam), *reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam)});
  if (wParam == g_swallow) return 1;
  return CallNextHookEx(g_second, code, wParam, lParam);
}

LRESULT UnhookingHook(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT next = CallNextHookEx(g_second, code, wParam, lParam);
  UnhookWindowsHookEx(g_second);
  return next;
}

class HooksTest : public ::testing::Test {
 protected:
  HooksTest() {
    SeenLog().clear();
    wintest::Create();
    top = CreateWindowExA(0, wintest::kClass, "", WS_VISIBLE, 500, 400, 200, 100, kNoWindow);
    child = CreateWindowExA(0, wintest::kClass, "", WS_CHILD | WS_VISIBLE, 10, 10, 40, 30, top);
    Log().clear();
  }
  ~HooksTest() override {
    UnhookWindowsHookEx(g_first);
    UnhookWindowsHookEx(g_second);
    g_first = g_second = kNoHook;
    g_swallow = 0;
    DestroyWindow(top);
  }
  std::vector<uint32_t> ChildMouseMessages() const {
    std::vector<uint32_t> result;
    for (const auto& r : wintest::Only({WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEWHEEL})) {
      if (r.hwnd == child) result.push_back(r.msg);
    }
    return result;
  }
  HWND top;
  HWND child;
};

TEST_F(HooksTest, OnlyMouseHooksOfTheCurrentThreadAreInstalled) {
  EXPECT_EQ(SetWindowsHookExA(WH_MOUSE, &FirstHook, kNoModule, 0), kNoHook);
  EXPECT_EQ(SetWindowsHookExA(WH_MOUSE, &FirstHook, kNoModule, GetCurrentThreadId() + 1), kNoHook);
  EXPECT_EQ(SetWindowsHookExA(2, &FirstHook, kNoModule, GetCurrentThreadId()), kNoHook);
  EXPECT_EQ(SetWindowsHookExA(WH_MOUSE, nullptr, kNoModule, GetCurrentThreadId()), kNoHook);
  g_first = SetWindowsHookExA(WH_MOUSE, &FirstHook, GetModuleHandleA(), GetCurrentThreadId());
  EXPECT_NE(g_first, kNoHook);
  EXPECT_EQ(UnhookWindowsHookEx(g_first), TRUE);
  EXPECT_EQ(UnhookWindowsHookEx(g_first), FALSE);
}

TEST_F(HooksTest, HooksSeeEachMouseMessageNewestFirstWithItsData) {
  g_first = SetWindowsHookExA(WH_MOUSE, &FirstHook, kNoModule, GetCurrentThreadId());
  g_second = SetWindowsHookExA(WH_MOUSE, &SecondHook, kNoModule, GetCurrentThreadId());
  RouteMouseButton({520, 425}, MouseButton::Right, true);

  ASSERT_EQ(SeenLog().size(), 2u);
  EXPECT_EQ(SeenLog()[0].hook, "second");
  EXPECT_EQ(SeenLog()[1].hook, "first");
  const MOUSEHOOKSTRUCT& data = SeenLog()[1].data;
  EXPECT_EQ(SeenLog()[1].msg, WM_RBUTTONDOWN);
  EXPECT_EQ(data.hwnd, child);
  EXPECT_EQ(data.pt.x, 520);
  EXPECT_EQ(data.pt.y, 425);
  EXPECT_EQ(data.wHitTestCode, static_cast<uint32_t>(HTCLIENT));
  EXPECT_EQ(ChildMouseMessages(), (std::vector<uint32_t>{WM_RBUTTONDOWN}));
}

TEST_F(HooksTest, ANonZeroAnswerSwallowsTheMessageAndEndsTheChain) {
  g_first = SetWindowsHookExA(WH_MOUSE, &FirstHook, kNoModule, GetCurrentThreadId());
  g_second = SetWindowsHookExA(WH_MOUSE, &SecondHook, kNoModule, GetCurrentThreadId());
  g_swallow = WM_RBUTTONUP;
  RouteMouseMove({520, 425});
  RouteMouseButton({520, 425}, MouseButton::Right, true);
  RouteMouseButton({520, 425}, MouseButton::Right, false);
  RouteMouseWheel({520, 425}, WHEEL_DELTA);

  EXPECT_EQ(ChildMouseMessages(), (std::vector<uint32_t>{WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_MOUSEWHEEL}));
  // The first hook never saw the swallowed release.
  for (const Seen& s : SeenLog()) EXPECT_FALSE(s.hook == "first" && s.msg == WM_RBUTTONUP);
}

TEST_F(HooksTest, AnUnhookedHookIsNotCalledAndTheChainMayChangeWhileItRuns) {
  g_first = SetWindowsHookExA(WH_MOUSE, &FirstHook, kNoModule, GetCurrentThreadId());
  g_second = SetWindowsHookExA(WH_MOUSE, &UnhookingHook, kNoModule, GetCurrentThreadId());
  RouteMouseMove({520, 425});  // the second hook passes the move on, then removes itself
  RouteMouseMove({521, 425});
  ASSERT_EQ(SeenLog().size(), 2u);
  EXPECT_EQ(ChildMouseMessages(), (std::vector<uint32_t>{WM_MOUSEMOVE, WM_MOUSEMOVE}));

  UnhookWindowsHookEx(g_first);
  RouteMouseMove({522, 425});
  EXPECT_EQ(SeenLog().size(), 2u);
  EXPECT_EQ(CallNextHookEx(g_first, HC_ACTION, WM_MOUSEMOVE, 0), 0);
}

}  // namespace
