// The HTML view's three cursors, resources of the control library loaded
// by name: "HAND" over a link (the library's pointing hand, hot spot at the
// fingertip), "ZHANDU" while the page can be dragged and "ZHANDD" while it
// is dragged (32 x 32 monochrome hands, hot spots at 15, 15).
#pragma once

#include <string_view>

#include "com/StdPicture.h"
#include "win/Types.h"

namespace kvctl2::html {

struct CursorResource {
  com::StdPicturePtr Picture;
  win::POINT HotSpot;
};

// The cursor of that name; an empty picture for an unknown name. Each is
// made once.
const CursorResource& LoadCursorResource(std::string_view name);

}  // namespace kvctl2::html
