// The backend without a display: nothing is shown, the clipboard lives in
// the process, and waiting for messages means waiting for the next timer.
#pragma once

#include <memory>

#include "win/DisplayBackend.h"

namespace win::detail {

std::unique_ptr<DisplayBackend> CreateHeadlessBackend();

}  // namespace win::detail
