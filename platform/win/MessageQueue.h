// The message queue of the user-interface thread and its pump: posting,
// peeking and getting messages, dispatching them, "process pending
// messages" (DoEvents) and the message loop that runs until PostQuitMessage.
//
// Retrieval order: posted messages first (in posting order), then WM_QUIT
// once PostQuitMessage was called, then WM_PAINT for windows marked by
// InvalidateRect, then WM_TIMER for timers whose due time the clock has
// reached. Time comes from rt::CurrentClock(), so a test advances a
// rt::ManualClock and pumps.
#pragma once

#include <cstdint>
#include <functional>

#include "win/Types.h"

namespace win {

inline constexpr uint32_t PM_NOREMOVE = 0x0000;
inline constexpr uint32_t PM_REMOVE = 0x0001;

// Posts a message for the window (0: a message of the thread, dispatched to
// nobody). FALSE for an invalid window. Messages of a window that is
// destroyed before they are retrieved are dropped.
BOOL PostMessageA(HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam);
// Asks the message loop to end with `exitCode` once the queue is empty.
void PostQuitMessage(int exitCode);

// Retrieves the next message for `filter` (0: any window or the thread)
// with a number in minMsg..maxMsg (both 0: any). FALSE when there is none.
BOOL PeekMessageA(MSG* msg, HWND filter, uint32_t minMsg, uint32_t maxMsg, uint32_t removeMsg);
// Waits for the next message: returns 0 for WM_QUIT, else TRUE. Input from
// a display (DisplayBackend.h) is handled as it arrives. Without a display,
// when nothing can arrive (empty queue, no timer that can come due on the
// current clock) it calls the idle handler; without one, or when the
// handler answers false, it returns 0 as if the loop had been told to quit.
// With a display the idle handler is called whenever the queue is empty,
// and GetMessageA returns WM_NULL (for nobody) after it handled input that
// queued nothing, so a loop can see what the input changed.
BOOL GetMessageA(MSG* msg, HWND filter, uint32_t minMsg, uint32_t maxMsg);
// Keyboard translation has nothing to do here; returns FALSE.
BOOL TranslateMessage(const MSG* msg);
// Hands the message to the window's procedure, or a WM_TIMER with a timer
// procedure in lParam to that procedure. Returns the procedure's result.
LRESULT DispatchMessageA(const MSG* msg);

// Processes pending messages: dispatches what was pending when it was
// called (the messages posted so far, one WM_PAINT for each window marked
// for painting, the timers due now) and returns. What the handlers post or
// invalidate meanwhile is left for the next pump. The display's input is
// read before and after every message and handled as it arrives. A
// pending WM_QUIT stays for the message loop. Returns the number of
// messages dispatched.
int DoEvents();

// Runs the message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

// Called by GetMessageA when nothing can arrive; answers whether to keep
// waiting (after it has posted something, advanced the clock, ...).
// An empty function removes the handler.
void SetIdleHandler(std::function<bool()> handler);

// Milliseconds of the current clock, as the platform's tick count.
uint32_t GetTickCount();

}  // namespace win
