#include <gtest/gtest.h>

#include "TestWindow.h"
#include "win/Menu.h"
#include "win/TestHooks.h"
#include "win/Window.h"

using namespace win;
using wintest::Create;
using wintest::Log;
using wintest::Received;

namespace {

// Procedures of a subclass chain: each records its tag and passes the
// message on to the procedure it replaced.
std::vector<char> g_trail;
LONG_PTR g_outerPrevious = 0;
LONG_PTR g_innerPrevious = 0;

LRESULT Outer(HWND h, uint32_t m, WPARAM w, LPARAM l) {
  g_trail.push_back('o');
  return CallWindowProcA(g_outerPrevious, h, m, w + 1, l);
}

LRESULT Inner(HWND h, uint32_t m, WPARAM w, LPARAM l) {
  g_trail.push_back('i');
  return CallWindowProcA(g_innerPrevious, h, m, w + 10, l) + 100;
}

LRESULT Answer7(HWND, uint32_t, WPARAM, LPARAM) { return 7; }

}  // namespace

TEST(WindowTest, ProcedureReplacementChainsThroughCallWindowProc) {
  HWND h = Create();
  Log().clear();
  g_trail.clear();
  g_innerPrevious = SetWindowLongA(h, GWL_WNDPROC, ProcToLong(&Inner));
  g_outerPrevious = SetWindowLongA(h, GWL_WNDPROC, ProcToLong(&Outer));
  EXPECT_EQ(g_innerPrevious, ProcToLong(&wintest::RecordingProc));
  EXPECT_EQ(g_outerPrevious, ProcToLong(&Inner));
  EXPECT_EQ(GetWindowLongA(h, GWL_WNDPROC), ProcToLong(&Outer));

  EXPECT_EQ(SendMessageA(h, WM_USER, 0, 5), 100);
  EXPECT_EQ(g_trail, (std::vector<char>{'o', 'i'}));
  EXPECT_EQ(Log(), (std::vector<Received>{{h, WM_USER, 11, 5}}));

  // Putting the original back takes both layers off.
  SetWindowLongA(h, GWL_WNDPROC, g_innerPrevious);
  g_trail.clear();
  SendMessageA(h, WM_USER, 0, 0);
  EXPECT_TRUE(g_trail.empty());
  DestroyWindow(h);
}

TEST(WindowTest, SlotsOfInvalidAndForeignWindows) {
  HWND h = Create();
  EXPECT_EQ(SetWindowLongA(h, GWL_EXSTYLE, 0x20004), 0);
  EXPECT_EQ(SetWindowLongA(h, GWL_EXSTYLE, WS_EX_CLIENTEDGE), 0x20004);
  EXPECT_EQ(GetWindowLongA(h, GWL_EXSTYLE), static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));

  // A window of another process keeps its procedure.
  SetWindowProcessIdForTesting(h, GetCurrentProcessId() + 1);
  uint32_t pid = 0;
  EXPECT_NE(GetWindowThreadProcessId(h, &pid), 0u);
  EXPECT_EQ(pid, GetCurrentProcessId() + 1);
  EXPECT_EQ(SetWindowLongA(h, GWL_WNDPROC, ProcToLong(&Answer7)), 0);
  EXPECT_EQ(GetWindowLongA(h, GWL_WNDPROC), ProcToLong(&wintest::RecordingProc));

  DestroyWindow(h);
  EXPECT_EQ(SetWindowLongA(h, GWL_EXSTYLE, 1), 0);
  EXPECT_EQ(GetWindowLongA(h, GWL_EXSTYLE), 0);
  EXPECT_EQ(SendMessageA(h, WM_USER, 0, 0), 0);
  EXPECT_EQ(GetWindowThreadProcessId(h, &pid), 0u);
}

TEST(WindowTest, CreationFailsForUnknownClassOrMissingParent) {
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClassHere", "", 0, 0, 0, 1, 1, kNoWindow), kNoWindow);
  HWND h = Create();
  DestroyWindow(h);
  EXPECT_EQ(Create(h), kNoWindow);
  // A system class exists from the start and class names ignore case.
  HWND s = CreateWindowExA(0, "static", "text", 0, 0, 0, 1, 1, kNoWindow);
  EXPECT_EQ(GetClassNameA(s), "static");
  EXPECT_EQ(GetWindowTextA(s), "text");
  DestroyWindow(s);
}

TEST(WindowTest, PropertiesStoreReadAndRemove) {
  HWND h = Create();
  EXPECT_EQ(GetPropA(h, "Missing"), 0);
  EXPECT_TRUE(SetPropA(h, "Value", 42));
  EXPECT_TRUE(SetPropA(h, "VALUE", 43));  // names ignore case
  EXPECT_EQ(GetPropA(h, "value"), 43);
  EXPECT_EQ(RemovePropA(h, "Value"), 43);
  EXPECT_EQ(GetPropA(h, "Value"), 0);
  EXPECT_EQ(RemovePropA(h, "Value"), 0);

  {
    ScopedFailureHooks hooks;
    FailSetPropWhen([](HWND, std::string_view name, LONG_PTR) { return name == "Refused"; });
    EXPECT_FALSE(SetPropA(h, "Refused", 1));
    EXPECT_EQ(GetPropA(h, "Refused"), 0);
    EXPECT_TRUE(SetPropA(h, "Other", 1));
  }
  EXPECT_TRUE(SetPropA(h, "Refused", 1));

  DestroyWindow(h);
  EXPECT_FALSE(SetPropA(h, "Value", 1));
  EXPECT_EQ(GetPropA(h, "Other"), 0);
}

namespace {
std::vector<std::pair<uint32_t, LONG_PTR>> g_seenProps;
LRESULT PropReader(HWND h, uint32_t m, WPARAM w, LPARAM l) {
  if (m == WM_DESTROY || m == WM_NCDESTROY) g_seenProps.emplace_back(m, GetPropA(h, "Data"));
  return wintest::RecordingProc(h, m, w, l);
}
}  // namespace

TEST(WindowTest, DestroyOrderAndPropertiesDuringDestroy) {
  HWND parent = Create();
  HWND child = Create(parent);
  HWND grandChild = Create(child);
  SetPropA(parent, "Data", 1);
  SetWindowLongA(parent, GWL_WNDPROC, ProcToLong(&PropReader));
  Log().clear();
  g_seenProps.clear();

  EXPECT_TRUE(DestroyWindow(parent));
  EXPECT_EQ(wintest::Only({WM_DESTROY, WM_NCDESTROY}), (std::vector<Received>{{parent, WM_DESTROY, 0, 0},
                                                                              {child, WM_DESTROY, 0, 0},
                                                                              {grandChild, WM_DESTROY, 0, 0},
                                                                              {grandChild, WM_NCDESTROY, 0, 0},
                                                                              {child, WM_NCDESTROY, 0, 0},
                                                                              {parent, WM_NCDESTROY, 0, 0}}));
  EXPECT_EQ(g_seenProps, (std::vector<std::pair<uint32_t, LONG_PTR>>{{WM_DESTROY, 1}, {WM_NCDESTROY, 1}}));
  for (HWND h : {parent, child, grandChild}) EXPECT_FALSE(IsWindow(h));
  EXPECT_FALSE(DestroyWindow(parent));

  // Handles are not handed out again.
  HWND next = Create();
  EXPECT_GT(ToInt(next), ToInt(grandChild));
  DestroyWindow(next);
}

TEST(WindowTest, SetWindowPosHonoursFlags) {
  HWND parent = Create();
  HWND h = CreateWindowExA(0, wintest::kClass, "", WS_CHILD, 10, 20, 30, 40, parent);
  Log().clear();

  EXPECT_TRUE(SetWindowPos(h, kNoWindow, 0, 0, 0, 0, 0x227));
  RECT r;
  GetClientRect(h, &r);
  EXPECT_EQ(r.right, 30);
  EXPECT_EQ(r.bottom, 40);
  EXPECT_EQ(FrameChangeCount(h), 1);
  EXPECT_EQ(wintest::Only({WM_NCCALCSIZE}).size(), 1u);
  EXPECT_TRUE(wintest::Only({WM_SIZE, WM_MOVE}).empty());

  EXPECT_TRUE(SetWindowPos(h, kNoWindow, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
  MoveWindow(parent, 100, 200, 300, 300);
  GetWindowRect(h, &r);
  EXPECT_EQ(r.left, 105);
  EXPECT_EQ(r.top, 206);
  EXPECT_EQ(r.right, 135);
  EXPECT_EQ(FrameChangeCount(h), 1);
  EXPECT_FALSE(SetWindowPos(ToHwnd(999999), kNoWindow, 0, 0, 0, 0, 0));
  DestroyWindow(parent);
}

TEST(WindowTest, TopLevelStatesOwnerAndCloseCommand) {
  HWND owner = Create();
  HWND h = Create();
  HWND child = Create(h);
  // Minimised, maximised and normal are exclusive states.
  ShowWindow(h, SW_SHOWMAXIMIZED);
  EXPECT_TRUE(IsZoomed(h));
  ShowWindow(h, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(h));
  EXPECT_FALSE(IsZoomed(h));
  ShowWindow(h, SW_RESTORE);
  EXPECT_FALSE(IsIconic(h) || IsZoomed(h));
  // The topmost band is an extended style.
  SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_FALSE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  // A top-level window's owner is set through its GWL_HWNDPARENT slot; a
  // child has a parent instead.
  EXPECT_EQ(SetWindowLongA(h, GWL_HWNDPARENT, ToInt(owner)), 0);
  EXPECT_EQ(GetWindow(h, GW_OWNER), owner);
  EXPECT_EQ(SetWindowLongA(child, GWL_HWNDPARENT, ToInt(owner)), 0);
  EXPECT_EQ(GetParent(child), h);
  // The system menu's Close command closes the window.
  Log().clear();
  SendMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(wintest::Only({WM_CLOSE}).size(), 1u);
  EXPECT_FALSE(IsWindow(h));
  DestroyWindow(owner);
}
