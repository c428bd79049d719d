#include "win/Timer.h"

#include <algorithm>

#include "runtime/Clock.h"
#include "win/WindowState.h"

namespace win {

using detail::GetState;

UINT_PTR SetTimer(HWND hWnd, UINT_PTR id, uint32_t elapseMs, TIMERPROC proc) {
  if (hWnd != kNoWindow && !detail::Find(hWnd)) return 0;
  auto& timers = GetState().timers;
  auto it = std::find_if(timers.begin(), timers.end(), [&](const auto& t) {
    return t.hwnd == hWnd && t.id == id;
  });
  if (hWnd == kNoWindow && (id == 0 || it == timers.end())) {
    id = GetState().nextThreadTimerId++;
    it = timers.end();
  }
  if (it == timers.end()) it = timers.insert(timers.end(), detail::TimerData{hWnd, id, 0, 0, nullptr});
  it->elapseMs = std::max<uint32_t>(elapseMs, 10);
  it->dueMs = rt::CurrentClock().TickMs() + it->elapseMs;
  it->proc = proc;
  return id != 0 ? id : 1;
}

BOOL KillTimer(HWND hWnd, UINT_PTR id) {
  return std::erase_if(GetState().timers, [&](const auto& t) { return t.hwnd == hWnd && t.id == id; }) ? TRUE
                                                                                                      : FALSE;
}

}  // namespace win
