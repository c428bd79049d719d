// Line layout of DrawTextA: access-key prefixes, line ends, word breaks,
// tab expansion and ellipses, measured through the current font backend.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gdi/FontBackend.h"
#include "gdi/Types.h"

namespace gdi::detail {

// Measures one line of text, with tabs expanded to stops every
// `tabWidth` pixels when tabWidth > 0.
class LineMeasure {
 public:
  LineMeasure(FontBackend& backend, const LOGFONT& font, int tabWidth)
      : m_backend(backend), m_font(font), m_tabWidth(tabWidth) {}
  int Width(std::string_view text) const;
  // The pieces of a line between tabs with the x offset of each.
  std::vector<std::pair<int, std::string_view>> Pieces(std::string_view text) const;

 private:
  FontBackend& m_backend;
  const LOGFONT& m_font;
  int m_tabWidth;
};

struct TextLine {
  std::string text;
  int width = 0;
  // Access-key underline: x offset and width in pixels, width 0 for none.
  int underlineX = 0;
  int underlineWidth = 0;
};

std::vector<TextLine> LayoutText(const LineMeasure& measure, std::string_view text, int width, uint32_t format);

// "..." at the end of text that is wider than `width`.
std::string EndEllipsis(const LineMeasure& measure, std::string_view text, int width);
// "..." in place of the end of the folder part of a path ("C:\a\...\file.txt");
// `fits` tells whether the result fits.
std::string PathEllipsis(const LineMeasure& measure, std::string_view path, int width, bool* fits = nullptr);

}  // namespace gdi::detail
