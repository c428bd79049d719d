// A window for the subclassing tests: its own procedure records what it
// receives and answers with a fixed result.
#pragma once

#include <cstdint>
#include <vector>

#include "win/Window.h"

namespace subclasstest {

inline constexpr win::LRESULT kWindowResult = 77;

struct Seen {
  uint32_t msg;
  win::WPARAM wParam;
  bool operator==(const Seen&) const = default;
};

inline std::vector<Seen>& WindowLog() {
  static std::vector<Seen> log;
  return log;
}

inline win::LRESULT OwnProc(win::HWND h, uint32_t msg, win::WPARAM w, win::LPARAM l) {
  if (msg >= win::WM_USER) {
    WindowLog().push_back({msg, w});
    return kWindowResult;
  }
  return win::DefWindowProcA(h, msg, w, l);
}

// A window of this process with OwnProc as its procedure.
class TestWindow {
 public:
  TestWindow() {
    static const bool registered = [] {
      win::WNDCLASSA wc;
      wc.lpfnWndProc = &OwnProc;
      wc.lpszClassName = "SubclassTestWindow";
      return win::RegisterClassA(wc) != 0;
    }();
    (void)registered;
    m_hwnd = win::CreateWindowExA(0, "SubclassTestWindow", "", 0, 0, 0, 10, 10, win::kNoWindow);
    WindowLog().clear();
  }
  ~TestWindow() { win::DestroyWindow(m_hwnd); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  win::HWND Handle() const { return m_hwnd; }
  int32_t Id() const { return win::ToInt(m_hwnd); }
  win::LRESULT Send(uint32_t msg, win::WPARAM w = 0) const { return win::SendMessageA(m_hwnd, msg, w, 0); }
  win::LONG_PTR Proc() const { return win::GetWindowLongA(m_hwnd, win::GWL_WNDPROC); }

 private:
  win::HWND m_hwnd;
};

inline const win::LONG_PTR kOwnProc = win::ProcToLong(&OwnProc);

}  // namespace subclasstest
