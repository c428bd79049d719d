// Where each glyph of a line of text stands. Text is laid out and measured
// at the fonts' own unrounded advances, so a word keeps the shape its
// designer gave it, but each glyph is drawn hinted fully on a whole pixel,
// so its stems stay crisp: near the spot that centres its hinted ink on
// where the unhinted outline's ink would be, choosing the pixel that keeps
// the gap to the glyph before closest to the font's own.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <map>
#include <unordered_map>
#include <vector>

#include "gdi/PangoOwners.h"

namespace gdi::detail {

class GlyphPlacement {
 public:
  // `drawing` loads the fonts that draw: the laid-out fonts' outlines with
  // their metrics on whole pixels, which cairo needs to find every pixel a
  // glyph covers.
  explicit GlyphPlacement(PangoContext* drawing) : m_drawing(drawing) {}

  // Draws `line` with its left end at x and its base line at y.
  void Show(cairo_t* cr, PangoLayoutLine* line, int x, int y);

 private:
  // The horizontal ink of a glyph, in pixels from its origin.
  struct Ink {
    bool inked = false;
    double idealLeft = 0;  // the unhinted outline's extent
    double idealRight = 0;
    int left = 0;  // the first and last inked pixel column of the hinted glyph
    int right = 0;
  };
  // A laid-out font, the font that draws it, and its glyphs' ink.
  struct Face {
    explicit Face(PangoFont* font, PangoFont* drawingFont) : laidOut(font), drawing(drawingFont) {}
    FontOwner laidOut;
    FontOwner drawing;
    std::unordered_map<PangoGlyph, Ink> glyphs;
  };
  Face& FaceOf(PangoFont* font);
  const Ink& InkOf(Face& face, PangoGlyph glyph);

  // A glyph of a line: its ink, its origin at the unrounded advances, and
  // the whole pixel it is drawn at.
  struct Spot {
    const Ink* ink;
    double origin;
    double placed;
  };
  static void ChooseSpots(std::vector<Spot>& spots);

  PangoContext* m_drawing;
  std::map<PangoFont*, Face> m_faces;
};

}  // namespace gdi::detail
