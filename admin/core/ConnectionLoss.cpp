#include "core/ConnectionLoss.h"

#include "core/SessionState.h"
#include "win/MessageQueue.h"
#include "win/Messages.h"
#include "win/Window.h"

namespace qvadmin {
namespace {

// Posted when the loss has been told; the message loop delivers it once the
// action that met the loss has returned to it.
constexpr uint32_t kActionOver = win::WM_USER + 1;
constexpr const char* kWindowClass = "QVAdminActionOver";

bool& ToldInThisAction() {
  static bool told = false;
  return told;
}

win::LRESULT ActionOverProc(win::HWND hWnd, uint32_t msg, win::WPARAM wParam, win::LPARAM lParam) {
  if (msg != kActionOver) return win::DefWindowProcA(hWnd, msg, wParam, lParam);
  ToldInThisAction() = false;
  if (cnMain) cnMain->ReconnectOnNextUse();
  return 0;
}

// A hidden window of the program's own that receives kActionOver; made
// when first needed (and again when it was destroyed).
win::HWND ActionOverWindow() {
  static win::HWND window = win::kNoWindow;
  if (window != win::kNoWindow && win::IsWindow(window)) return window;
  win::WNDCLASSA windowClass;
  windowClass.lpfnWndProc = ActionOverProc;
  windowClass.lpszClassName = kWindowClass;
  win::RegisterClassA(windowClass);  // 0 when registered before
  window = win::CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, win::kNoWindow);
  return window;
}

}  // namespace

bool SessionConnectionLost() { return cnMain && cnMain->Lost(); }

void ReportConnectionLoss(const std::function<void()>& tell) {
  if (ToldInThisAction()) return;
  ToldInThisAction() = true;
  tell();
  // Posted only now: the message box's own loop must not end the action.
  win::PostMessageA(ActionOverWindow(), kActionOver, 0, 0);
}

}  // namespace qvadmin
