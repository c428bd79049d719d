#include "gdi/Twips.h"

#include <algorithm>

#include "win/DisplayBackend.h"

namespace gdi {

int ScreenDpi() {
  static const int dpi = std::clamp(win::Display().Dpi(), 48, 480);
  return dpi;
}

int TwipsPerPixelX() {
  static const int twips = static_cast<int>(std::lround(1440.0 / ScreenDpi()));
  return twips;
}

}  // namespace gdi
