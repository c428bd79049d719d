#include "win/Input.h"

#include "win/Window.h"
#include "win/WindowState.h"

namespace win {

using detail::Find;
using detail::GetState;

HWND SetFocus(HWND hWnd) {
  if (hWnd != kNoWindow && !Find(hWnd)) return kNoWindow;
  HWND old = GetState().focus;
  if (old == hWnd) return old;
  GetState().focus = hWnd;
  if (Find(old)) SendMessageA(old, WM_KILLFOCUS, static_cast<WPARAM>(ToInt(hWnd)), 0);
  if (Find(hWnd)) SendMessageA(hWnd, WM_SETFOCUS, static_cast<WPARAM>(ToInt(old)), 0);
  return old;
}

HWND GetFocus() { return GetState().focus; }

HWND SetCapture(HWND hWnd) {
  if (!Find(hWnd)) return kNoWindow;
  HWND old = GetState().capture;
  GetState().capture = hWnd;
  if (old != hWnd && Find(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(ToInt(hWnd)));
  return old;
}

HWND GetCapture() { return GetState().capture; }

BOOL ReleaseCapture() {
  HWND old = GetState().capture;
  GetState().capture = kNoWindow;
  if (Find(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

BOOL GetCursorPos(POINT* pt) {
  if (!pt) return FALSE;
  *pt = GetState().cursor;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  GetState().cursor = POINT{x, y};
  return TRUE;
}

namespace {

bool Contains(HWND hWnd, POINT screen) {
  RECT r;
  return IsWindowVisible(hWnd) && GetWindowRect(hWnd, &r) && screen.x >= r.left && screen.x < r.right &&
         screen.y >= r.top && screen.y < r.bottom;
}

}  // namespace

namespace {

// Descends from `candidates` to the deepest window containing the point.
HWND Descend(const std::vector<HWND>& start, POINT pt) {
  HWND found = kNoWindow;
  const std::vector<HWND>* candidates = &start;
  for (bool descended = true; descended;) {
    descended = false;
    for (HWND candidate : *candidates) {
      if (Contains(candidate, pt) && (found == kNoWindow || IsWindowEnabled(candidate))) {
        found = candidate;
        candidates = &Find(candidate)->children;
        descended = true;
        break;
      }
    }
  }
  return found;
}

}  // namespace

HWND WindowFromPoint(POINT pt) { return Descend(GetState().topLevel, pt); }

namespace detail {
HWND WindowFromPointWithin(HWND topLevel, POINT pt) { return Descend({topLevel}, pt); }
}  // namespace detail

}  // namespace win
