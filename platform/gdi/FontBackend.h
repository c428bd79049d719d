// Fonts are measured and drawn through one interface with two backends:
// - pango with the repository's pinned fontconfig file (fonts/fonts.conf:
//   only the DejaVu and Liberation fonts and the fallbacks for other
//   scripts, Windows face names mapped to the closest), so metrics do not
//   depend on the machine's own configuration;
// - fixed metrics for unit tests, whose results are exact and do not
//   depend on any font (rule below).
// A process-wide switch selects the backend; pango is the default.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "gdi/Types.h"

namespace gdi {

// Where a backend draws; defined inside the layer.
class Canvas;

class FontBackend {
 public:
  virtual ~FontBackend() = default;
  virtual TEXTMETRIC Metrics(const LOGFONT& font) = 0;
  // Advance width in pixels of one line of text (no line breaks in it).
  virtual int TextWidth(const LOGFONT& font, std::string_view text) = 0;
  // Draws one line of text with the top of its cell at `top`.
  virtual void DrawString(Canvas& canvas, const LOGFONT& font, int x, int top, std::string_view text,
                          COLORREF color) = 0;
  // The family that actually draws a face name.
  virtual std::string ResolveFamily(std::string_view face) = 0;
};

// The character height in pixels that a LOGFONT height asks for (a
// negative height is the em height, a positive one the cell height, 0 a
// default of 13 pixels = MS Sans Serif 8 at 96 dpi; cell heights count as em
// heights in the fixed backend).
int FontPixelHeight(const LOGFONT& font);

// Fixed metrics, for a character height h = FontPixelHeight(font):
//   every character (code point) advances ceil(h / 2) pixels, a tab too;
//   ascent = h - h / 4 (integer division), descent = h / 4, height = h,
//   no leading; average and maximum character width = ceil(h / 2).
// Characters are drawn as filled boxes of the text colour, one pixel
// narrower than their advance, from the ascent line down to the base
// line; blanks draw nothing.
class FixedMetricsBackend final : public FontBackend {
 public:
  TEXTMETRIC Metrics(const LOGFONT& font) override;
  int TextWidth(const LOGFONT& font, std::string_view text) override;
  void DrawString(Canvas& canvas, const LOGFONT& font, int x, int top, std::string_view text, COLORREF color) override;
  std::string ResolveFamily(std::string_view face) override { return std::string(face); }
};

// The backend in use.
FontBackend& CurrentFontBackend();
void UseFixedMetrics();
void UsePangoMetrics();
bool UsingFixedMetrics();
// Installs a backend of the caller's (nullptr: back to pango). The caller
// keeps it alive while it is installed.
void UseFontBackend(FontBackend* backend);

// Fixed metrics for the lifetime of a scope; restores the previous backend.
class ScopedFixedMetrics {
 public:
  ScopedFixedMetrics();
  ~ScopedFixedMetrics();
  ScopedFixedMetrics(const ScopedFixedMetrics&) = delete;
  ScopedFixedMetrics& operator=(const ScopedFixedMetrics&) = delete;

 private:
  FontBackend* m_previous;
};

// The pinned fontconfig file in use: fonts/fonts.conf in the program's
// data folder (runtime/DataFolder.h); QV_FONTS_CONF overrides it.
std::string PinnedFontsConfPath();

}  // namespace gdi
