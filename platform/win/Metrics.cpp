#include "win/Metrics.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "win/DisplayBackend.h"

namespace win {

namespace {

using Monitor = DisplayBackend::Monitor;

// Monitor handles are positions in the display's list, counted from 1; the
// primary monitor is the first.
HMONITOR HandleOf(size_t index) { return HMONITOR{static_cast<int32_t>(index + 1)}; }

int64_t Overlap(const RECT& a, const RECT& b) {
  const int64_t w = std::min(a.right, b.right) - std::max(a.left, b.left);
  const int64_t h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// The squared distance between two rectangles (0 when they touch).
int64_t Distance(const RECT& a, const RECT& b) {
  const int64_t dx = std::max<int64_t>({0, b.left - a.right, a.left - b.right});
  const int64_t dy = std::max<int64_t>({0, b.top - a.bottom, a.top - b.bottom});
  return dx * dx + dy * dy;
}

}  // namespace

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN: {
      const RECT primary = Display().Monitors().front().area;
      return primary.right - primary.left;
    }
    case SM_CYSCREEN: {
      const RECT primary = Display().Monitors().front().area;
      return primary.bottom - primary.top;
    }
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
      return static_cast<int>(Display().Monitors().size());
    default:
      return 0;
  }
}

HMONITOR MonitorFromRect(const RECT* rect, uint32_t flags) {
  if (!rect) return HMONITOR{};
  const std::vector<Monitor> monitors = Display().Monitors();
  size_t best = 0;
  int64_t bestOverlap = 0;
  for (size_t i = 0; i < monitors.size(); ++i) {
    if (const int64_t overlap = Overlap(*rect, monitors[i].area); overlap > bestOverlap) {
      best = i;
      bestOverlap = overlap;
    }
  }
  if (bestOverlap > 0) return HandleOf(best);
  if (flags == MONITOR_DEFAULTTONULL) return HMONITOR{};
  if (flags == MONITOR_DEFAULTTONEAREST) {
    for (size_t i = 1; i < monitors.size(); ++i) {
      if (Distance(*rect, monitors[i].area) < Distance(*rect, monitors[best].area)) best = i;
    }
  }
  return HandleOf(best);
}

BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) {
  const std::vector<Monitor> monitors = Display().Monitors();
  const auto index = static_cast<size_t>(static_cast<int32_t>(monitor) - 1);
  if (!info || static_cast<int32_t>(monitor) < 1 || index >= monitors.size()) return FALSE;
  info->rcMonitor = monitors[index].area;
  info->rcWork = monitors[index].work;
  info->dwFlags = index == 0 ? MONITORINFOF_PRIMARY : 0;
  return TRUE;
}

}  // namespace win
