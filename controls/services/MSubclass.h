// MSubclass: lets several clients hook single messages of a window of this
// process. All bookkeeping lives in window properties of the hooked window
// (h = window handle, m = message number, i = 1-based client index, all
// written in decimal):
//   "C" & h       number of (message, client) hooks on the window
//   h             the window procedure in force before the module's one
//   h#m C         number of clients of message m
//   h#m#i         address of client i of message m (does not keep it alive)
// A property written with 0 is removed, so a missing one reads 0.
#pragma once

#include <cstdint>
#include <string>

#include "ISubclass.h"
#include "win/Types.h"

namespace kvctl2::MSubclass {

// Registers `client` for message iMsg of hWnd. Errors: 13083 not a window,
// 13084 window of another process, 13082 client already hooked for the
// message, 13081 window procedure could not be replaced, 5 a property write
// failed; every failing step undoes what was written before.
void HookMessage(ISubclass& client, int32_t hWnd, int32_t iMsg);
// Removes the client's hook; raises nothing.
void UnhookMessage(ISubclass& client, int32_t hWnd, int32_t iMsg);

// Raises the module's error n: above 1000 as n Or vbObjectError with the
// source "Kvctl2.WindowProc" and the module's text, otherwise as the plain
// number with an empty source.
[[noreturn]] void RaiseSubclassError(int32_t number);

// Whether the window belongs to this process.
bool IsOwnProcessWindow(int32_t hWnd);

// The module window procedure of every hooked window.
win::LRESULT WindowProc(win::HWND hWnd, uint32_t iMsg, win::WPARAM wParam, win::LPARAM lParam);

// Library-internal: the property names.
std::string HookCountName(int32_t hWnd);
std::string OldProcName(int32_t hWnd);
std::string ClientCountName(int32_t hWnd, int32_t iMsg);
std::string ClientName(int32_t hWnd, int32_t iMsg, int32_t index);

}  // namespace kvctl2::MSubclass
