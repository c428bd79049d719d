// The window layer's basic types: distinct handle types, the pointer-sized
// message parameters, the window procedure and the small structures that
// messages carry.
#pragma once

#include <cstdint>
#include <string>

namespace win {

// A window handle: a small positive integer, 0 = no window. A handle is
// never reused while its window lives.
enum class HWND : int32_t {};
inline constexpr HWND kNoWindow = HWND{0};

// Dispatch interfaces pass window handles as 32-bit integers.
constexpr int32_t ToInt(HWND h) noexcept { return static_cast<int32_t>(h); }
constexpr HWND ToHwnd(int32_t value) noexcept { return static_cast<HWND>(value); }

using LRESULT = intptr_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LONG_PTR = intptr_t;
using UINT_PTR = uintptr_t;
using BOOL = int32_t;
using COLORREF = uint32_t;
using ATOM = uint16_t;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

using WNDPROC = LRESULT (*)(HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam);
using TIMERPROC = void (*)(HWND hWnd, uint32_t msg, UINT_PTR idEvent, uint32_t time);

// A procedure travels through the procedure slot of a window as a
// pointer-sized integer.
inline LONG_PTR ProcToLong(WNDPROC proc) noexcept { return reinterpret_cast<LONG_PTR>(proc); }
inline WNDPROC LongToProc(LONG_PTR value) noexcept { return reinterpret_cast<WNDPROC>(value); }

struct POINT {
  int32_t x = 0;
  int32_t y = 0;
};

struct RECT {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

struct SIZE {
  int32_t cx = 0;
  int32_t cy = 0;
};

// A queued message.
struct MSG {
  HWND hwnd = kNoWindow;
  uint32_t message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  uint32_t time = 0;
  POINT pt;
};

// lParam of WM_NCCREATE and WM_CREATE.
struct CREATESTRUCTA {
  void* lpCreateParams = nullptr;
  HWND hwndParent = kNoWindow;
  int32_t cy = 0;
  int32_t cx = 0;
  int32_t y = 0;
  int32_t x = 0;
  uint32_t style = 0;
  const char* lpszName = nullptr;
  const char* lpszClass = nullptr;
  uint32_t dwExStyle = 0;
};

// lParam of WM_GETMINMAXINFO.
struct MINMAXINFO {
  POINT ptReserved;
  POINT ptMaxSize;
  POINT ptMaxPosition;
  POINT ptMinTrackSize;
  POINT ptMaxTrackSize;
};

// lParam of WM_WINDOWPOSCHANGING and WM_WINDOWPOSCHANGED.
struct WINDOWPOS {
  HWND hwnd = kNoWindow;
  HWND hwndInsertAfter = kNoWindow;
  int32_t x = 0;
  int32_t y = 0;
  int32_t cx = 0;
  int32_t cy = 0;
  uint32_t flags = 0;
};

// lParam of WM_NCCALCSIZE with wParam FALSE: the proposed window rectangle.
// The headless windows have no non-client area, so it stays as it is.

// Packs and unpacks the coordinate and size words of mouse and size messages.
constexpr LPARAM MAKELPARAM(int32_t low, int32_t high) noexcept {
  return static_cast<LPARAM>(static_cast<uint32_t>(static_cast<uint16_t>(low)) |
                             (static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16));
}
constexpr uint16_t LOWORD(uintptr_t v) noexcept { return static_cast<uint16_t>(v & 0xFFFF); }
constexpr uint16_t HIWORD(uintptr_t v) noexcept { return static_cast<uint16_t>((v >> 16) & 0xFFFF); }
constexpr int32_t GET_X_LPARAM(LPARAM v) noexcept { return static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(v))); }
constexpr int32_t GET_Y_LPARAM(LPARAM v) noexcept { return static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(v))); }

constexpr COLORREF RGB(uint8_t r, uint8_t g, uint8_t b) noexcept {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}

}  // namespace win
