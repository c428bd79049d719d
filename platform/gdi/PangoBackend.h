// The font backend on pango and cairo with the repository's pinned
// fontconfig file; one instance per process, made on first use.
#pragma once

#include "gdi/FontBackend.h"

namespace gdi::detail {

FontBackend& PangoBackendInstance();

}  // namespace gdi::detail
