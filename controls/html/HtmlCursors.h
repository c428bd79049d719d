// The HTML view's three cursors, resources of the control library loaded
// by name: "HAND" over a link (hot spot at the fingertip, 12, 2),
// "ZHANDU" while the page can be dragged and "ZHANDD" while it is dragged
// (hot spots at 15, 15). Each is 32 x 32 pixels, ARGB premultiplied.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "win/Types.h"

namespace kvctl2::html {

struct CursorImage {
  int Width = 32;
  int Height = 32;
  win::POINT HotSpot;
  std::vector<uint32_t> Argb;  // rows top to bottom
};

// Nothing for an unknown name.
std::optional<CursorImage> LoadCursorResource(std::string_view name);

}  // namespace kvctl2::html
