// The bitmap resources of the frame's caption bullet, 9 x 9 pixels each:
// "BMINUS" (an expanded frame), "BPLUS" (a collapsed one) and "BPOINT"
// (a frame that cannot toggle). A black square outline round a 7 x 7
// interior shaded diagonally in light greys (white at the top left for
// BPLUS and BPOINT, the reverse, a pressed look, for BMINUS), with a
// black minus, plus or centre point.
#pragma once

#include <string_view>

#include "gdi/Owned.h"

namespace kvctl2 {

// The bitmap of that name (compared without regard to case); null for an
// unknown name.
gdi::OwnedBitmap LoadBulletBitmap(std::string_view name);

}  // namespace kvctl2
