// Conversions between twips and pixels. The screen has 96 dots per inch,
// so one pixel is 15 twips in each direction.
#pragma once

#include <cmath>

namespace gdi {

inline constexpr int kTwipsPerPixelX = 15;
inline constexpr int kTwipsPerPixelY = 15;

constexpr int TwipsPerPixelX() noexcept { return kTwipsPerPixelX; }
constexpr int TwipsPerPixelY() noexcept { return kTwipsPerPixelY; }

// Twips to whole pixels, rounded to the nearest pixel.
inline int TwipsToPixelsX(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixelX)); }
inline int TwipsToPixelsY(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixelY)); }
constexpr int PixelsToTwipsX(int pixels) noexcept { return pixels * kTwipsPerPixelX; }
constexpr int PixelsToTwipsY(int pixels) noexcept { return pixels * kTwipsPerPixelY; }

// A font size in points as a character height in pixels (the negative
// LOGFONT height that CreateFont takes is the negated result).
inline int PointsToPixels(double points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

}  // namespace gdi
