#include "win/Hooks.h"

#include <algorithm>
#include <vector>

#include "win/Window.h"

namespace win {

namespace {

struct Hook {
  HHOOK handle;
  HOOKPROC proc;
};

struct Hooks {
  std::vector<Hook> mouse;  // newest first
  int32_t next = 1;
};

// At namespace scope, so the table is made when the layer loads and outlives
// the program's own objects (an owner of a hook may unhook at exit).
Hooks g_hooks;

Hooks& Table() { return g_hooks; }

}  // namespace

HHOOK SetWindowsHookExA(int idHook, HOOKPROC proc, HINSTANCE /*module*/, uint32_t threadId) {
  if (idHook != WH_MOUSE || !proc || threadId != GetCurrentThreadId()) return kNoHook;
  Hooks& t = Table();
  const HHOOK handle{t.next++};
  t.mouse.insert(t.mouse.begin(), Hook{handle, proc});
  return handle;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  const std::vector<Hook>& chain = Table().mouse;
  auto it = std::find_if(chain.begin(), chain.end(), [hook](const Hook& h) { return h.handle == hook; });
  if (it == chain.end() || ++it == chain.end()) return 0;
  // The next procedure may unhook itself or others: call it through a copy.
  const HOOKPROC next = it->proc;
  return next(code, wParam, lParam);
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  std::vector<Hook>& chain = Table().mouse;
  const auto removed = std::erase_if(chain, [hook](const Hook& h) { return h.handle == hook; });
  return removed > 0 ? TRUE : FALSE;
}

bool MouseHookSwallows(uint32_t msg, HWND target, POINT screen, uint32_t hitTestCode) {
  const std::vector<Hook>& chain = Table().mouse;
  if (chain.empty()) return false;
  MOUSEHOOKSTRUCT data;
  data.pt = screen;
  data.hwnd = target;
  data.wHitTestCode = hitTestCode;
  const HOOKPROC head = chain.front().proc;
  return head(HC_ACTION, static_cast<WPARAM>(msg), reinterpret_cast<LPARAM>(&data)) != 0;
}

}  // namespace win
