// Conversions between twips and pixels at the resolution of the display:
// 1440 twips an inch, so 15 twips a pixel at 96 dots per inch (the
// headless screen), 12 at 120 and 10 at 144 (a display whose Xft.dpi says
// so). The resolution is read once, when first needed.
#pragma once

#include <cmath>

namespace gdi {

// The twips of a pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixelX = 15;
inline constexpr int kTwipsPerPixelY = 15;

// The display's dots per inch (96 without a display).
int ScreenDpi();
// 1440 / ScreenDpi(), rounded.
int TwipsPerPixelX();
inline int TwipsPerPixelY() { return TwipsPerPixelX(); }

// Twips to whole pixels, rounded to the nearest pixel.
inline int TwipsToPixelsX(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixelX())); }
inline int TwipsToPixelsY(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixelY())); }
inline int PixelsToTwipsX(int pixels) { return pixels * TwipsPerPixelX(); }
inline int PixelsToTwipsY(int pixels) { return pixels * TwipsPerPixelY(); }

// A font size in points as a character height in pixels (the negative
// LOGFONT height that CreateFont takes is the negated result).
inline int PointsToPixels(double points) { return static_cast<int>(std::lround(points * ScreenDpi() / 72.0)); }

}  // namespace gdi
