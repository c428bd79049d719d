// The window layer's bookkeeping, shared by the layer's sources and not
// meant for its users: the window table, the classes, the posted messages,
// the timers, focus and capture, and the test hooks.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "win/TestHooks.h"
#include "win/Types.h"

namespace win::detail {

struct WindowData {
  HWND handle = kNoWindow;
  std::string className;
  std::string text;
  uint32_t style = 0;
  uint32_t exStyle = 0;
  LONG_PTR userData = 0;
  LONG_PTR id = 0;
  WNDPROC proc = nullptr;
  HWND parent = kNoWindow;
  std::vector<HWND> children;  // z-order, top first
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  std::vector<std::pair<std::string, LONG_PTR>> props;
  uint32_t processId = 0;
  uint32_t threadId = 0;
  int frameChanges = 0;
  bool destroying = false;
  bool needsPaint = false;
  int painting = 0;  // WM_PAINT being handled (nested sends count)
};

struct TimerData {
  HWND hwnd = kNoWindow;
  UINT_PTR id = 0;
  uint32_t elapseMs = 0;
  int64_t dueMs = 0;
  TIMERPROC proc = nullptr;
};

// A posted message with its place in the posting order.
struct PostedMessage {
  MSG msg;
  uint64_t serial = 0;
};

struct State {
  std::map<int32_t, std::unique_ptr<WindowData>> windows;
  std::vector<HWND> topLevel;  // z-order, top first
  int32_t nextHandle = 0x10;   // handles grow and are never reused
  struct ClassData {
    ATOM atom = 0;
    WNDPROC proc = nullptr;
    uint32_t style = 0;
  };
  std::map<std::string, ClassData> classes;  // key: lower-case name
  ATOM nextAtom = 0xC000;
  std::deque<PostedMessage> queue;
  uint64_t lastPostSerial = 0;  // serial of the message posted last
  bool quitPosted = false;
  int quitCode = 0;
  std::vector<TimerData> timers;
  UINT_PTR nextThreadTimerId = 1;
  HWND focus = kNoWindow;
  HWND capture = kNoWindow;
  POINT cursor;
  SetPropFailurePredicate setPropFailure;
  SetWindowLongFailurePredicate setWindowLongFailure;
};

State& GetState();
// The window's data, nullptr for a handle that is not (or no longer) a window.
WindowData* Find(HWND hWnd);
// The class style of a registered class; 0 when unknown.
uint32_t ClassStyle(std::string_view className);
// Case-insensitive (ASCII) comparison of class and property names.
bool NamesEqual(std::string_view a, std::string_view b);
std::string LowerName(std::string_view name);
// The z-order list that holds the window: its parent's children or the
// top-level list.
std::vector<HWND>& SiblingList(const WindowData& w);
// Removes everything the queue, the timers, focus and capture hold for a
// window that is going away.
void ForgetWindow(HWND hWnd);
// Posts an internal message without the validity check of PostMessageA.
void Post(const MSG& msg);
// WindowFromPoint within one top-level window: 0 when the point lies
// outside it.
HWND WindowFromPointWithin(HWND topLevel, POINT pt);

}  // namespace win::detail
