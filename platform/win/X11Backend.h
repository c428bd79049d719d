// The X11 backend of the display (see DisplayBackend.h).
#pragma once

#include <memory>
#include <string>

#include "win/DisplayBackend.h"

namespace win::detail {

// Opens the named display ("": DISPLAY); nullptr with `error` set when it
// cannot be opened.
std::unique_ptr<DisplayBackend> CreateX11Backend(const std::string& name, std::string* error);

}  // namespace win::detail
