// System metrics of the headless screen.
//
// Windows facilities of the window layer that have no meaning here answer
// as a current Windows with visual styles would: the screen is 1920 x 1080
// pixels at 96 dpi, and the frame and scroll-bar sizes are that desktop's.
// System colours and twips per pixel belong to the drawing layer
// (gdi/SysColors.h, gdi/Twips.h).
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

// A system metric in pixels; 0 for an unknown index.
int GetSystemMetrics(int index);

}  // namespace win
