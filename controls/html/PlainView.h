// The HTML view's plain presentation until the full layout exists: the
// document's words drawn word-wrapped on the control's surface, tags left
// out, line breaks at BR and at block tags, links in the link colour.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gdi/DrawingSurface.h"
#include "html/HTMLElement.h"

namespace kvctl2::html {

struct PlainViewStyle {
  std::string FontName;
  float FontSize = 10;
  uint32_t PageColor = 0;
  uint32_t TextColor = 0;
  uint32_t LinkColor = 0;
  bool UnderlineLinks = true;
  int Padding = 4;
};

// Draws the elements on `surface` (pixel scale) and writes the drawn box
// of each link (A element) into its Box fields; links not drawn keep -1.
void DrawPlainView(gdi::DrawingSurface& surface, std::vector<HTMLElement>& elements, const PlainViewStyle& style);

}  // namespace kvctl2::html
