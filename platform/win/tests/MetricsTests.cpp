#include <gtest/gtest.h>

#include "win/Metrics.h"

using namespace win;

TEST(Metrics, OneMonitorWithAWorkArea) {
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
  struct Case {
    RECT rect;
    uint32_t flags;
    bool found;
  };
  for (const Case& c : {Case{{100, 100, 400, 300}, MONITOR_DEFAULTTONULL, true},
                        Case{{-500, -500, -100, -100}, MONITOR_DEFAULTTONULL, false},
                        Case{{-500, -500, -100, -100}, MONITOR_DEFAULTTONEAREST, true},
                        Case{{5000, 100, 5400, 300}, MONITOR_DEFAULTTOPRIMARY, true}}) {
    const HMONITOR monitor = MonitorFromRect(&c.rect, c.flags);
    MONITORINFO info;
    EXPECT_EQ(GetMonitorInfoA(monitor, &info) != FALSE, c.found) << c.rect.left << " " << c.flags;
    if (!c.found) continue;
    EXPECT_EQ(info.rcMonitor.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(info.rcMonitor.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_LE(info.rcWork.bottom, info.rcMonitor.bottom);
    EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);
  }
}
