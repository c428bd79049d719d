#include "gdi/FontBackend.h"

#include <atomic>
#include <cstdlib>

#include "gdi/Canvas.h"
#include "gdi/PangoBackend.h"
#include "runtime/DataFolder.h"

namespace gdi {

namespace {

std::atomic<FontBackend*> g_backend{nullptr};  // nullptr: pango

FixedMetricsBackend& FixedInstance() {
  static FixedMetricsBackend fixed;
  return fixed;
}

int Advance(const LOGFONT& font) { return (FontPixelHeight(font) + 1) / 2; }

// Number of characters (code points) of UTF-8 text.
int CodePoints(std::string_view text) {
  int n = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

}  // namespace

int FontPixelHeight(const LOGFONT& font) {
  if (font.lfHeight == 0) return 13;
  return font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
}

TEXTMETRIC FixedMetricsBackend::Metrics(const LOGFONT& font) {
  int h = FontPixelHeight(font);
  TEXTMETRIC tm;
  tm.tmHeight = h;
  tm.tmDescent = h / 4;
  tm.tmAscent = h - tm.tmDescent;
  tm.tmAveCharWidth = Advance(font);
  tm.tmMaxCharWidth = Advance(font);
  tm.tmWeight = font.lfWeight;
  tm.tmItalic = font.lfItalic;
  tm.tmUnderlined = font.lfUnderline;
  tm.tmStruckOut = font.lfStrikeOut;
  return tm;
}

int FixedMetricsBackend::TextWidth(const LOGFONT& font, std::string_view text) {
  return CodePoints(text) * Advance(font);
}

void FixedMetricsBackend::DrawString(Canvas& canvas, const LOGFONT& font, int x, int top, std::string_view text,
                                     COLORREF color) {
  int advance = Advance(font);
  int ascent = Metrics(font).tmAscent;
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    if (c != ' ' && c != '\t') canvas.FillRect(RECT{x, top, x + advance - 1, top + ascent}, color);
    x += advance;
    i += len;
  }
}

FontBackend& CurrentFontBackend() {
  FontBackend* b = g_backend.load();
  return b != nullptr ? *b : detail::PangoBackendInstance();
}

void UseFixedMetrics() { g_backend = &FixedInstance(); }
void UsePangoMetrics() { g_backend = nullptr; }
bool UsingFixedMetrics() { return g_backend.load() == &FixedInstance(); }
void UseFontBackend(FontBackend* backend) { g_backend = backend; }

ScopedFixedMetrics::ScopedFixedMetrics() : m_previous(g_backend.load()) { UseFixedMetrics(); }
ScopedFixedMetrics::~ScopedFixedMetrics() { g_backend = m_previous; }

std::string PinnedFontsConfPath() {
  if (const char* env = std::getenv("QV_FONTS_CONF"); env != nullptr && *env != '\0') return env;
  return rt::DataFile("fonts/fonts.conf");
}

}  // namespace gdi
