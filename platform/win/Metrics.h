// System metrics: the screen (the primary monitor) and the monitors come
// from the display (DisplayBackend.h; without one a single 1920 x 1080
// monitor at 96 dpi). Windows
// facilities of the window layer that have no meaning here answer as a
// current Windows with visual styles would: the frame and scroll-bar sizes
// are that desktop's. System colours and twips per pixel belong to the
// drawing layer (gdi/SysColors.h, gdi/Twips.h).
#pragma once

#include <cstdint>

#include "win/Types.h"

namespace win {

inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CXVSCROLL = 2;
inline constexpr int SM_CYHSCROLL = 3;
inline constexpr int SM_CYCAPTION = 4;
inline constexpr int SM_CXBORDER = 5;
inline constexpr int SM_CYBORDER = 6;
inline constexpr int SM_CXEDGE = 45;
inline constexpr int SM_CYEDGE = 46;
inline constexpr int SM_CMONITORS = 80;

// A system metric in pixels (a count for SM_CMONITORS); 0 for an unknown
// index.
int GetSystemMetrics(int index);

// Monitors: each with its rectangle and the work area that the desktop
// leaves to windows.
enum class HMONITOR : int32_t {};
inline constexpr uint32_t MONITOR_DEFAULTTONULL = 0;
inline constexpr uint32_t MONITOR_DEFAULTTOPRIMARY = 1;
inline constexpr uint32_t MONITOR_DEFAULTTONEAREST = 2;
inline constexpr uint32_t MONITORINFOF_PRIMARY = 1;
struct MONITORINFO {
  uint32_t cbSize = sizeof(MONITORINFO);
  RECT rcMonitor;
  RECT rcWork;
  uint32_t dwFlags = 0;
};
// The monitor that the rectangle overlaps most; without overlap the
// nearest (MONITOR_DEFAULTTONEAREST), the primary one
// (MONITOR_DEFAULTTOPRIMARY) or none (MONITOR_DEFAULTTONULL).
HMONITOR MonitorFromRect(const RECT* rect, uint32_t flags);
BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info);

}  // namespace win
