// A litehtml document container with the real fonts, through the drawing
// layer: the same font backend (pango with the pinned fonts) that the HTML
// view measures and draws with. It measures every text when litehtml asks,
// as litehtml's own containers do, and draws text, backgrounds, borders and
// list markers into the device context that draw() gets.
#pragma once

#include <vector>

#include "LitehtmlHost.h"
#include "gdi/Owned.h"
#include "gdi/Types.h"

namespace qvbench {

class LitehtmlFontHost final : public LitehtmlHost {
 public:
  explicit LitehtmlFontHost(int width);

  litehtml::uint_ptr create_font(const litehtml::tchar_t* faceName, int size, int weight, litehtml::font_style italic,
                                 unsigned int decoration, litehtml::font_metrics* fm) override;
  void delete_font(litehtml::uint_ptr font) override;
  int text_width(const litehtml::tchar_t* text, litehtml::uint_ptr font) override;
  void draw_text(litehtml::uint_ptr hdc, const litehtml::tchar_t* text, litehtml::uint_ptr font,
                 litehtml::web_color color, const litehtml::position& pos) override;
  void draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) override;
  void draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) override;
  void draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders, const litehtml::position& draw_pos,
                    bool root) override;

 private:
  gdi::HFONT Font(litehtml::uint_ptr font) const;
  gdi::OwnedDC m_measure;                 // a DC to measure on
  std::vector<gdi::OwnedFont> m_fonts;    // created fonts; litehtml's handle is the index + 1
};

}  // namespace qvbench
