// The posted-message queue, WM_QUIT, WM_PAINT and WM_TIMER retrieval and the
// pump.
#include "win/MessageQueue.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/Clock.h"
#include "win/DisplayBackend.h"
#include "win/Messages.h"
#include "win/Window.h"
#include "win/WindowState.h"

namespace win {

using detail::Find;
using detail::GetState;
using detail::State;

namespace {

std::function<bool()>& IdleHandler() {
  static std::function<bool()> handler;
  return handler;
}

bool InRange(uint32_t message, uint32_t minMsg, uint32_t maxMsg) {
  return (minMsg == 0 && maxMsg == 0) || (message >= minMsg && message <= maxMsg);
}

bool ForWindow(HWND target, HWND filter) { return filter == kNoWindow || target == filter; }

MSG Stamp(MSG m) {
  m.time = GetTickCount();
  m.pt = GetState().cursor;
  return m;
}

// What a retrieval may take. The message loop takes whatever is there;
// DoEvents only what was pending when it was called.
struct Scope {
  uint64_t lastSerial = UINT64_MAX;   // posted messages up to this one
  std::vector<HWND>* paint = nullptr;  // windows that may be painted (nullptr: any); a painted one leaves
  int64_t timerLimit = INT64_MAX;      // timers due at or before this time
  bool withQuit = true;
};

// Takes the next message in retrieval order. Timers count as due when the
// clock has reached their due time and that time is within the scope.
bool Retrieve(MSG* out, HWND filter, uint32_t minMsg, uint32_t maxMsg, bool remove, const Scope& scope) {
  State& s = GetState();
  auto posted = std::find_if(s.queue.begin(), s.queue.end(), [&](const detail::PostedMessage& p) {
    return p.serial <= scope.lastSerial && ForWindow(p.msg.hwnd, filter) && InRange(p.msg.message, minMsg, maxMsg);
  });
  if (posted != s.queue.end()) {
    *out = posted->msg;
    if (remove) s.queue.erase(posted);
    return true;
  }
  if (scope.withQuit && s.quitPosted) {
    *out = Stamp(MSG{kNoWindow, WM_QUIT, static_cast<WPARAM>(s.quitCode), 0, 0, {}});
    if (remove) {
      s.quitPosted = false;
      s.quitCode = 0;
    }
    return true;
  }
  if (InRange(WM_PAINT, minMsg, maxMsg)) {
    for (auto& [handle, w] : s.windows) {
      if (!w->needsPaint || !ForWindow(w->handle, filter)) continue;
      if (scope.paint && std::ranges::find(*scope.paint, w->handle) == scope.paint->end()) continue;
      *out = Stamp(MSG{w->handle, WM_PAINT, 0, 0, 0, {}});
      if (remove) {
        w->needsPaint = false;
        if (scope.paint) std::erase(*scope.paint, w->handle);
      }
      return true;
    }
  }
  if (InRange(WM_TIMER, minMsg, maxMsg)) {
    int64_t now = rt::CurrentClock().TickMs();
    int64_t limit = std::min(now, scope.timerLimit);
    detail::TimerData* due = nullptr;
    for (auto& t : s.timers) {
      if (t.dueMs <= limit && ForWindow(t.hwnd, filter) && (!due || t.dueMs < due->dueMs)) due = &t;
    }
    if (due) {
      *out = Stamp(MSG{due->hwnd, WM_TIMER, due->id, reinterpret_cast<LPARAM>(due->proc), 0, {}});
      if (remove) due->dueMs = now + due->elapseMs;
      return true;
    }
  }
  return false;
}

// When the next timer comes due on the current clock; nullopt without
// timers.
std::optional<int64_t> NextTimerDue() {
  State& s = GetState();
  if (s.timers.empty()) return std::nullopt;
  return std::min_element(s.timers.begin(), s.timers.end(),
                          [](const auto& a, const auto& b) { return a.dueMs < b.dueMs; })
      ->dueMs;
}

}  // namespace

BOOL PostMessageA(HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
  if (hWnd != kNoWindow && !Find(hWnd)) return FALSE;
  detail::Post(Stamp(MSG{hWnd, msg, wParam, lParam, 0, {}}));
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  GetState().quitPosted = true;
  GetState().quitCode = exitCode;
}

BOOL PeekMessageA(MSG* msg, HWND filter, uint32_t minMsg, uint32_t maxMsg, uint32_t removeMsg) {
  if (!msg) return FALSE;
  Display().ProcessPending();
  return Retrieve(msg, filter, minMsg, maxMsg, (removeMsg & PM_REMOVE) != 0, Scope{}) ? TRUE : FALSE;
}

BOOL GetMessageA(MSG* msg, HWND filter, uint32_t minMsg, uint32_t maxMsg) {
  if (!msg) return FALSE;
  for (;;) {
    const bool input = Display().ProcessPending();
    if (Retrieve(msg, filter, minMsg, maxMsg, true, Scope{})) return msg->message == WM_QUIT ? FALSE : TRUE;
    // Input was handled as it arrived (a click may have closed a modal
    // form): the loop gets a chance to look.
    if (input) {
      *msg = Stamp(MSG{kNoWindow, WM_NULL, 0, 0, 0, {}});
      return TRUE;
    }
    if (Display().Wait(NextTimerDue(), IdleHandler())) continue;
    *msg = Stamp(MSG{kNoWindow, WM_QUIT, 0, 0, 0, {}});
    return FALSE;
  }
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam != 0) {
    reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
    return 0;
  }
  return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

int DoEvents() {
  Display().ProcessPending();
  // What is pending now: the messages posted so far, the windows marked
  // for painting, the timers due. What the handlers post or invalidate
  // meanwhile waits for the next pump, so a window that keeps posting to
  // itself or invalidating itself slows the pump but cannot hold it.
  State& s = GetState();
  std::vector<HWND> paint;
  for (const auto& [handle, w] : s.windows) {
    if (w->needsPaint) paint.push_back(w->handle);
  }
  const Scope scope{s.lastPostSerial, &paint, rt::CurrentClock().TickMs(), false};
  int dispatched = 0;
  MSG msg;
  while (Retrieve(&msg, kNoWindow, 0, 0, true, scope)) {
    DispatchMessageA(&msg);
    ++dispatched;
    // Input that arrives meanwhile is handled as it comes: a click during
    // a long pump is not lost.
    Display().ProcessPending();
  }
  return dispatched;
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessageA(&msg, kNoWindow, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void SetIdleHandler(std::function<bool()> handler) { IdleHandler() = std::move(handler); }

uint32_t GetTickCount() { return static_cast<uint32_t>(rt::CurrentClock().TickMs()); }

}  // namespace win
