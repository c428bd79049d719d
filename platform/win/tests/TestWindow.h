// A window class for the layer's tests that records the messages its
// windows receive.
#pragma once

#include <cstdint>
#include <vector>

#include "win/Window.h"

namespace wintest {

struct Received {
  win::HWND hwnd;
  uint32_t msg;
  win::WPARAM wParam;
  win::LPARAM lParam;
  bool operator==(const Received&) const = default;
};

inline std::vector<Received>& Log() {
  static std::vector<Received> log;
  return log;
}

inline win::LRESULT RecordingProc(win::HWND h, uint32_t msg, win::WPARAM w, win::LPARAM l) {
  Log().push_back({h, msg, w, l});
  return win::DefWindowProcA(h, msg, w, l);
}

inline constexpr const char* kClass = "LayerTestWindow";

inline win::HWND Create(win::HWND parent = win::kNoWindow, uint32_t style = 0) {
  static const bool registered = [] {
    win::WNDCLASSA wc;
    wc.lpfnWndProc = &RecordingProc;
    wc.lpszClassName = kClass;
    return win::RegisterClassA(wc) != 0;
  }();
  (void)registered;
  if (parent != win::kNoWindow) style |= win::WS_CHILD;
  return win::CreateWindowExA(0, kClass, "", style, 0, 0, 100, 50, parent);
}

// Only the messages in `of`, in order.
inline std::vector<Received> Only(std::initializer_list<uint32_t> of) {
  std::vector<Received> result;
  for (const Received& r : Log()) {
    for (uint32_t m : of) {
      if (r.msg == m) result.push_back(r);
    }
  }
  return result;
}

}  // namespace wintest
