// The font backend on pango and cairo with the repository's pinned
// fontconfig file; one instance per process, made on first use.
#pragma once

#include <string_view>

#include "gdi/FontBackend.h"

namespace gdi::detail {

FontBackend& PangoBackendInstance();

// How many characters of `text` no pinned font has a glyph for (drawn as
// boxes with their code).
int PangoMissingGlyphs(const LOGFONT& font, std::string_view text);

}  // namespace gdi::detail
