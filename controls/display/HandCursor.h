// The pointing hand that the library's link-like controls show as their
// mouse pointer: a 32 x 32 picture (a white hand with a black outline on a
// transparent ground) whose hot spot is the tip of the index finger.
#pragma once

#include "com/StdPicture.h"
#include "win/Types.h"

namespace kvctl2 {

com::StdPicturePtr HandCursorPicture();
inline constexpr win::POINT kHandHotSpot{12, 2};

}  // namespace kvctl2
