// Thread hooks of the user-interface thread. A mouse hook (WH_MOUSE) sees
// every mouse message that routed input is about to deliver, before the
// target window does: the hook procedure gets HC_ACTION, the message
// number as wParam and a MOUSEHOOKSTRUCT (screen point, target window,
// hit-test code) as lParam. A non-zero answer swallows the message; a hook
// passes a message on with CallNextHookEx, which calls the next hook of
// the chain (the hook installed before it) and answers 0 after the last.
// Hooks run newest first. Only thread hooks of the calling thread exist.
#pragma once

#include <cstdint>

#include "win/Modules.h"
#include "win/Types.h"

namespace win {

// A hook handle; 0 = none.
enum class HHOOK : int32_t {};
inline constexpr HHOOK kNoHook = HHOOK{0};

using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);

inline constexpr int WH_MOUSE = 7;
inline constexpr int HC_ACTION = 0;

// The mouse hook data.
struct MOUSEHOOKSTRUCT {
  POINT pt;  // screen coordinates
  HWND hwnd = kNoWindow;
  uint32_t wHitTestCode = 0;
  uintptr_t dwExtraInfo = 0;
};

// Installs a hook at the head of the chain of its type. Only WH_MOUSE
// hooks of the calling thread (threadId = GetCurrentThreadId()) are
// offered; any other type, another thread, a global hook (threadId 0) or
// a null procedure answers 0. `module` is accepted and not needed.
HHOOK SetWindowsHookExA(int idHook, HOOKPROC proc, HINSTANCE module, uint32_t threadId);
// Calls the hook after `hook` in its chain; 0 when it is the last one or
// not installed.
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
// Removes a hook; FALSE when it is not installed. A hook removed while
// the chain runs is not called any more.
BOOL UnhookWindowsHookEx(HHOOK hook);

// For routed input: runs the mouse hook chain for `msg` about to go to
// `target`; true when a hook swallowed the message.
bool MouseHookSwallows(uint32_t msg, HWND target, POINT screen, uint32_t hitTestCode);

// Owns an installed hook and removes it when it goes.
class OwnedHook {
 public:
  OwnedHook() = default;
  explicit OwnedHook(HHOOK hook) : m_hook(hook) {}
  ~OwnedHook() { Reset(); }
  OwnedHook(const OwnedHook&) = delete;
  OwnedHook& operator=(const OwnedHook&) = delete;
  HHOOK Get() const { return m_hook; }
  explicit operator bool() const { return m_hook != kNoHook; }
  // Removes the hook held and holds `hook` instead.
  void Reset(HHOOK hook = kNoHook) {
    if (m_hook != kNoHook) UnhookWindowsHookEx(m_hook);
    m_hook = hook;
  }

 private:
  HHOOK m_hook = kNoHook;
};

}  // namespace win
