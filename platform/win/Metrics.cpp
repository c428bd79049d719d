#include "win/Metrics.h"

#include "win/DisplayBackend.h"

namespace win {

namespace {
constexpr HMONITOR kPrimaryMonitor = HMONITOR{1};
}

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
      return Display().ScreenSize().cx;
    case SM_CYSCREEN:
      return Display().ScreenSize().cy;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
      return 17;
    case SM_CYCAPTION:
      return 23;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_CMONITORS:
      return 1;
    default:
      return 0;
  }
}

HMONITOR MonitorFromRect(const RECT* rect, uint32_t flags) {
  if (!rect) return HMONITOR{};
  const SIZE screen = Display().ScreenSize();
  const bool overlaps = rect->left < screen.cx && rect->right > 0 && rect->top < screen.cy && rect->bottom > 0;
  return overlaps || flags != MONITOR_DEFAULTTONULL ? kPrimaryMonitor : HMONITOR{};
}

BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) {
  if (monitor != kPrimaryMonitor || !info) return FALSE;
  const SIZE screen = Display().ScreenSize();
  info->rcMonitor = RECT{0, 0, screen.cx, screen.cy};
  info->rcWork = Display().WorkArea();
  info->dwFlags = MONITORINFOF_PRIMARY;
  return TRUE;
}

}  // namespace win
