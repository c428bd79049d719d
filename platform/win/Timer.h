// Timers of the user-interface thread on the replaceable clock: a timer
// comes due `elapseMs` after it was set or last fired, and the pump then
// delivers WM_TIMER (wParam = id, lParam = the timer procedure) to the
// window or calls the timer procedure. A timer fires at most once per due
// time however far the clock has moved on.
#pragma once

#include <cstdint>

#include "win/Types.h"

namespace win {

// Sets or resets timer `id` of `hWnd`; returns the id (a new one when
// `hWnd` is 0), 0 for an invalid window. Intervals below 10 ms count as 10.
UINT_PTR SetTimer(HWND hWnd, UINT_PTR id, uint32_t elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND hWnd, UINT_PTR id);

}  // namespace win
