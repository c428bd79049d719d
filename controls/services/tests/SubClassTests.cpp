#include <gtest/gtest.h>

#include <memory>

#include "SubclassTestWindow.h"
#include "clsSubClass.h"
#include "win/TestHooks.h"

using namespace kvctl2;
using subclasstest::kOwnProc;
using subclasstest::kWindowResult;
using subclasstest::Seen;
using subclasstest::TestWindow;
using subclasstest::WindowLog;

namespace {

win::LONG_PTR OldProcProp(const TestWindow& w) { return win::GetPropA(w.Handle(), "SSC_OLDPROC"); }
win::LONG_PTR ObjAddrProp(const TestWindow& w) { return win::GetPropA(w.Handle(), "SSC_OBJADDR"); }

}  // namespace

TEST(SubClassTest, EventSeesMessagesFirstAndMayChangeOrCancelThem) {
  TestWindow w;
  clsSubClass sc;
  std::vector<int32_t> seen;
  sc.NewMessage = [&](int32_t hWnd, int32_t& uMsg, win::WPARAM& wParam, win::LPARAM&, bool& cancel) {
    EXPECT_EQ(hWnd, w.Id());
    seen.push_back(uMsg);
    if (uMsg == static_cast<int32_t>(win::WM_USER + 1)) cancel = true;
    if (uMsg == static_cast<int32_t>(win::WM_USER + 2)) {
      uMsg = win::WM_USER + 3;
      wParam = 9;
    }
  };
  ASSERT_TRUE(sc.SubClassHwnd(w.Id(), true));
  EXPECT_EQ(OldProcProp(w), kOwnProc);
  EXPECT_EQ(ObjAddrProp(w), reinterpret_cast<win::LONG_PTR>(&sc));
  EXPECT_EQ(w.Proc(), win::ProcToLong(&bSubClass));

  EXPECT_EQ(w.Send(win::WM_USER), kWindowResult);
  EXPECT_EQ(w.Send(win::WM_USER + 1), 0);
  EXPECT_EQ(w.Send(win::WM_USER + 2), kWindowResult);
  EXPECT_EQ(seen, (std::vector<int32_t>{win::WM_USER, win::WM_USER + 1, win::WM_USER + 2}));
  EXPECT_EQ(WindowLog(), (std::vector<Seen>{{win::WM_USER, 0}, {win::WM_USER + 3, 9}}));
}

TEST(SubClassTest, SecondSubclassIsRefusedAndFirstKeepsWorking) {
  TestWindow w;
  clsSubClass first;
  clsSubClass second;
  int firstCalls = 0;
  first.NewMessage = [&](int32_t, int32_t&, win::WPARAM&, win::LPARAM&, bool&) { ++firstCalls; };
  ASSERT_TRUE(first.SubClassHwnd(w.Id(), true));
  EXPECT_FALSE(first.SubClassHwnd(w.Id(), true));
  EXPECT_FALSE(second.SubClassHwnd(w.Id(), true));
  EXPECT_EQ(ObjAddrProp(w), reinterpret_cast<win::LONG_PTR>(&first));
  EXPECT_EQ(first.HandleList().size(), 2u);
  EXPECT_EQ(second.HandleList().size(), 1u);
  w.Send(win::WM_USER);
  EXPECT_EQ(firstCalls, 1);
  EXPECT_EQ(WindowLog().size(), 1u);
}

TEST(SubClassTest, RefusedAndMeaninglessRequestsReturnFalse) {
  TestWindow w;
  clsSubClass sc;
  // Never subclassed: nothing to restore, the window stays as it was.
  EXPECT_FALSE(sc.SubClassHwnd(w.Id(), false));
  EXPECT_EQ(w.Proc(), kOwnProc);
  // Not a window.
  EXPECT_FALSE(sc.SubClassHwnd(999999, true));
  EXPECT_FALSE(sc.SubClassHwnd(999999, false));
  // A window of another process refuses the replacement.
  win::SetWindowProcessIdForTesting(w.Handle(), win::GetCurrentProcessId() + 1);
  EXPECT_FALSE(sc.SubClassHwnd(w.Id(), true));
  EXPECT_EQ(OldProcProp(w), 0);
  EXPECT_EQ(sc.HandleList(), std::vector<int32_t>{0});
}

TEST(SubClassTest, FailedBookkeepingLeavesTheWindowUnsubclassed) {
  TestWindow w;
  clsSubClass sc;
  for (const char* refused : {"SSC_OLDPROC", "SSC_OBJADDR"}) {
    win::ScopedFailureHooks hooks;
    win::FailSetPropWhen([&](win::HWND, std::string_view name, win::LONG_PTR) { return name == refused; });
    EXPECT_FALSE(sc.SubClassHwnd(w.Id(), true)) << refused;
    EXPECT_EQ(w.Proc(), kOwnProc) << refused;
    EXPECT_EQ(OldProcProp(w), 0) << refused;
    EXPECT_EQ(ObjAddrProp(w), 0) << refused;
    EXPECT_EQ(sc.HandleList(), std::vector<int32_t>{0}) << refused;
  }
}

TEST(SubClassTest, HandleListReusesFreeEntriesAndShrinksAtTheEnd) {
  TestWindow a, b, c, d;
  clsSubClass sc;
  for (const TestWindow* w : {&a, &b, &c}) ASSERT_TRUE(sc.SubClassHwnd(w->Id(), true));
  EXPECT_EQ(sc.HandleList(), (std::vector<int32_t>{0, a.Id(), b.Id(), c.Id()}));

  EXPECT_TRUE(sc.SubClassHwnd(b.Id(), false));
  EXPECT_EQ(sc.HandleList(), (std::vector<int32_t>{0, a.Id(), -1, c.Id()}));
  EXPECT_EQ(b.Proc(), kOwnProc);
  EXPECT_EQ(OldProcProp(b), 0);

  ASSERT_TRUE(sc.SubClassHwnd(d.Id(), true));
  EXPECT_EQ(sc.HandleList(), (std::vector<int32_t>{0, a.Id(), d.Id(), c.Id()}));

  EXPECT_TRUE(sc.SubClassHwnd(c.Id(), false));
  EXPECT_EQ(sc.HandleList(), (std::vector<int32_t>{0, a.Id(), d.Id()}));
  // Only the last entry goes; a free entry before it stays.
  EXPECT_TRUE(sc.SubClassHwnd(a.Id(), false));
  EXPECT_TRUE(sc.SubClassHwnd(d.Id(), false));
  EXPECT_EQ(sc.HandleList(), (std::vector<int32_t>{0, -1}));
}

TEST(SubClassTest, DestroyingTheObjectRestoresEveryWindow) {
  TestWindow a, b;
  auto gone = std::make_unique<TestWindow>();
  {
    clsSubClass sc;
    for (const TestWindow* w : {&a, &b, gone.get()}) ASSERT_TRUE(sc.SubClassHwnd(w->Id(), true));
    gone.reset();  // destroyed while subclassed: its entry stays until the end
    EXPECT_EQ(sc.HandleList().size(), 4u);
  }
  for (const TestWindow* w : {&a, &b}) {
    EXPECT_EQ(w->Proc(), kOwnProc);
    EXPECT_EQ(OldProcProp(*w), 0);
    EXPECT_EQ(ObjAddrProp(*w), 0);
  }
}

TEST(SubClassTest, WindowWithoutLiveOwnerForwardsToItsPreviousProcedure) {
  TestWindow w;
  clsSubClass sc;
  int calls = 0;
  sc.NewMessage = [&](int32_t, int32_t&, win::WPARAM&, win::LPARAM&, bool& cancel) {
    ++calls;
    cancel = true;
  };
  ASSERT_TRUE(sc.SubClassHwnd(w.Id(), true));

  // An owner address that names no living object, and no address at all.
  win::LONG_PTR deadAddress = 0;
  {
    auto dead = std::make_unique<clsSubClass>();
    deadAddress = reinterpret_cast<win::LONG_PTR>(dead.get());
  }
  for (win::LONG_PTR address : {deadAddress, win::LONG_PTR{0}}) {
    win::SetPropA(w.Handle(), "SSC_OBJADDR", address);
    EXPECT_EQ(w.Send(win::WM_USER, 1), kWindowResult);
  }
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(WindowLog(), (std::vector<Seen>{{win::WM_USER, 1}, {win::WM_USER, 1}}));

  // With no saved procedure either, the message ends there.
  win::RemovePropA(w.Handle(), "SSC_OLDPROC");
  EXPECT_EQ(w.Send(win::WM_USER, 2), 0);
  EXPECT_EQ(WindowLog().size(), 2u);
  win::SetWindowLongA(w.Handle(), win::GWL_WNDPROC, kOwnProc);
}

TEST(SubClassTest, HandlerMayDestroyTheObject) {
  TestWindow w;
  auto sc = std::make_unique<clsSubClass>();
  sc->NewMessage = [&](int32_t, int32_t&, win::WPARAM&, win::LPARAM&, bool&) { sc.reset(); };
  ASSERT_TRUE(sc->SubClassHwnd(w.Id(), true));
  w.Send(win::WM_USER);
  EXPECT_EQ(sc, nullptr);
  EXPECT_EQ(w.Proc(), kOwnProc);
  EXPECT_EQ(w.Send(win::WM_USER), kWindowResult);
}
