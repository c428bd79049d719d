// Window classes and the default window procedure.
#include <cstring>

#include "win/DisplayBackend.h"
#include "win/Menu.h"
#include "win/MessageQueue.h"
#include "win/Window.h"
#include "win/WindowState.h"

namespace win {

using detail::GetState;
using detail::LowerName;

namespace {

void RegisterSystemClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  for (const char* name : {"STATIC", "BUTTON", "EDIT", "LISTBOX", "COMBOBOX", "SCROLLBAR"}) {
    GetState().classes[LowerName(name)] = {GetState().nextAtom++, &DefWindowProcA, 0};
  }
}

}  // namespace

namespace detail {
// The procedure that new windows of the class start with; nullptr when the
// class is not registered.
WNDPROC ClassProcedure(std::string_view className) {
  RegisterSystemClasses();
  auto it = GetState().classes.find(LowerName(className));
  return it == GetState().classes.end() ? nullptr : it->second.proc;
}

uint32_t ClassStyle(std::string_view className) {
  RegisterSystemClasses();
  auto it = GetState().classes.find(LowerName(className));
  return it == GetState().classes.end() ? 0 : it->second.style;
}
}  // namespace detail

ATOM RegisterClassA(const WNDCLASSA& wc) {
  RegisterSystemClasses();
  if (wc.lpszClassName.empty() || wc.lpfnWndProc == nullptr) return 0;
  auto [it, inserted] = GetState().classes.try_emplace(LowerName(wc.lpszClassName),
                                                       detail::State::ClassData{0, wc.lpfnWndProc, wc.style});
  if (!inserted) return 0;
  it->second.atom = GetState().nextAtom++;
  return it->second.atom;
}

BOOL UnregisterClassA(std::string_view className) {
  RegisterSystemClasses();
  return GetState().classes.erase(LowerName(className)) ? TRUE : FALSE;
}

LRESULT DefWindowProcA(HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCREATE:
      return TRUE;
    case WM_SETTEXT:
      if (detail::WindowData* w = detail::Find(hWnd)) {
        const char* text = reinterpret_cast<const char*>(lParam);
        w->text = text ? text : "";
        if ((w->style & WS_CHILD) == 0) Display().WindowRestyled(hWnd);
        return TRUE;
      }
      return FALSE;
    case WM_GETTEXTLENGTH:
      if (detail::WindowData* w = detail::Find(hWnd)) return static_cast<LRESULT>(w->text.size());
      return 0;
    case WM_GETTEXT:
      // wParam: buffer size in bytes, lParam: the buffer.
      if (detail::WindowData* w = detail::Find(hWnd); w && wParam > 0 && lParam != 0) {
        size_t n = std::min<size_t>(w->text.size(), wParam - 1);
        char* buffer = reinterpret_cast<char*>(lParam);
        std::memcpy(buffer, w->text.data(), n);
        buffer[n] = '\0';
        return static_cast<LRESULT>(n);
      }
      return 0;
    case WM_CLOSE:
      DestroyWindow(hWnd);
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) return SendMessageA(hWnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_NCLBUTTONDOWN:
      // A press on the caption moves the top-level window with the pointer.
      if (static_cast<int32_t>(wParam) == HTCAPTION) {
        HWND top = hWnd;
        while (detail::WindowData* t = detail::Find(top)) {
          if ((t->style & WS_CHILD) == 0 || t->parent == kNoWindow) break;
          top = t->parent;
        }
        Display().BeginMoveDrag(top);
      }
      return 0;
    case WM_PAINT:
      if (detail::WindowData* w = detail::Find(hWnd)) w->needsPaint = false;
      return 0;
    case WM_ERASEBKGND:
      return TRUE;
    case WM_SETCURSOR:
    case WM_MOUSEWHEEL:
      // A child leaves the cursor and the wheel to its parent first.
      if (detail::WindowData* w = detail::Find(hWnd); w && (w->style & WS_CHILD) && w->parent != kNoWindow) {
        return SendMessageA(w->parent, msg, wParam, lParam);
      }
      return FALSE;
    default:
      return 0;
  }
}

}  // namespace win
