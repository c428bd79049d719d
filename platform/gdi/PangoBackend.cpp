// Text through pango on cairo, with a font map bound to the pinned
// fontconfig file rather than the machine's configuration.
#include "gdi/PangoBackend.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>

#include "gdi/Canvas.h"
#include "gdi/GlyphPlacement.h"
#include "gdi/PangoOwners.h"

namespace gdi::detail {

namespace {

void UnrefObject(void* p) { g_object_unref(p); }
using PatternOwner = Owner<FcPattern, FcPatternDestroy>;

class PangoBackend final : public FontBackend {
 public:
  PangoBackend() {
    std::string path = PinnedFontsConfPath();
    // pango also initialises fontconfig's default configuration; let that
    // be the pinned file too, so nothing reads the machine's own settings.
    setenv("FONTCONFIG_FILE", path.c_str(), 0);
    // FreeType's classic TrueType interpreter hints stems across as well as
    // down; its default one snaps only vertically, which leaves narrow stems
    // of small text straddling two pixel columns. FreeType reads this once,
    // when cairo first creates its library below.
    setenv("FREETYPE_PROPERTIES", "truetype:interpreter-version=35", 1);
    m_config = FcConfigCreate();
    if (!FcConfigParseAndLoad(m_config, reinterpret_cast<const FcChar8*>(path.c_str()), FcTrue) ||
        !FcConfigBuildFonts(m_config)) {
      // Without the pinned file the machine's configuration is the only way to draw text at all.
      FcConfigDestroy(m_config);
      m_config = FcInitLoadConfigAndFonts();
    }
    m_fontMap = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
    pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(m_fontMap), m_config);
    pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(m_fontMap), 96.0);
    // Text is laid out and measured at the fonts' own advances, unrounded,
    // and drawn with the same outlines hinted fully, each glyph on a whole
    // pixel (GlyphPlacement).
    m_context = CreateContext(CAIRO_HINT_METRICS_OFF);
    pango_context_set_round_glyph_positions(m_context, FALSE);
    m_drawingContext = CreateContext(CAIRO_HINT_METRICS_ON);
    m_placement = std::make_unique<GlyphPlacement>(m_drawingContext);
    m_layout = pango_layout_new(m_context);
  }

  ~PangoBackend() override {
    UnrefObject(m_layout);
    m_placement.reset();  // its fonts before the contexts and the font map
    UnrefObject(m_drawingContext);
    UnrefObject(m_context);
    UnrefObject(m_fontMap);
    FcConfigDestroy(m_config);
  }
  PangoBackend(const PangoBackend&) = delete;
  PangoBackend& operator=(const PangoBackend&) = delete;

  TEXTMETRIC Metrics(const LOGFONT& font) override {
    std::lock_guard lock(m_mutex);
    return MetricsLocked(font);
  }

  int TextWidth(const LOGFONT& font, std::string_view text) override {
    std::lock_guard lock(m_mutex);
    SetLayout(font, text);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(m_layout, nullptr, &logical);
    return logical.width;
  }

  void DrawString(Canvas& canvas, const LOGFONT& font, int x, int top, std::string_view text, COLORREF color) override {
    std::lock_guard lock(m_mutex);
    PixelBuffer& target = canvas.Target();
    if (target.pixels.empty()) return;
    TEXTMETRIC tm = MetricsLocked(font);
    SetLayout(font, text);
    SurfaceOwner surface(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(target.pixels.data()),
                                                             CAIRO_FORMAT_ARGB32, target.width, target.height,
                                                             target.width * 4));
    {
      ContextOwner cr(cairo_create(surface.ptr));
      const RECT& clip = canvas.Clip();
      cairo_rectangle(cr.ptr, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
      cairo_clip(cr.ptr);
      cairo_set_source_rgb(cr.ptr, GetRValue(color) / 255.0, GetGValue(color) / 255.0, GetBValue(color) / 255.0);
      m_placement->Show(cr.ptr, pango_layout_get_line(m_layout, 0), x, top + tm.tmAscent);
    }
    cairo_surface_flush(surface.ptr);
  }

  std::string ResolveFamily(std::string_view face) override {
    std::lock_guard lock(m_mutex);
    PatternOwner pattern(FcPatternCreate());
    std::string name(face);
    FcPatternAddString(pattern.ptr, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcConfigSubstitute(m_config, pattern.ptr, FcMatchPattern);
    FcDefaultSubstitute(pattern.ptr);
    FcResult result = FcResultNoMatch;
    PatternOwner match(FcFontMatch(m_config, pattern.ptr, &result));
    // A face lists its family first and, where it is one width or weight
    // of a larger family, its own name last ("DejaVu Sans Condensed").
    std::string resolved;
    FcChar8* family = nullptr;
    for (int i = 0; match.ptr != nullptr && FcPatternGetString(match.ptr, FC_FAMILY, i, &family) == FcResultMatch;
         ++i) {
      resolved = reinterpret_cast<const char*>(family);
    }
    return resolved;
  }

  int MissingGlyphs(const LOGFONT& font, std::string_view text) {
    std::lock_guard lock(m_mutex);
    SetLayout(font, text);
    return pango_layout_get_unknown_glyphs_count(m_layout);
  }

 private:
  PangoContext* CreateContext(cairo_hint_metrics_t metrics) {
    PangoContext* context = pango_font_map_create_context(m_fontMap);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(options, metrics);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    return context;
  }

  // The em size in pixels for a LOGFONT height: negative heights are em
  // heights; positive ones cell heights, scaled by the face's proportions.
  double EmPixels(const LOGFONT& font) {
    if (font.lfHeight < 0) return -font.lfHeight;
    double cell = font.lfHeight == 0 ? 13 : font.lfHeight;
    if (font.lfHeight == 0) return cell;
    FontDescriptionOwner desc(Describe(font, cell));
    FontMetricsOwner m(pango_context_get_metrics(m_context, desc.ptr, nullptr));
    double h = (pango_font_metrics_get_ascent(m.ptr) + pango_font_metrics_get_descent(m.ptr)) / double(PANGO_SCALE);
    return h > 0 ? cell * cell / h : cell;
  }

  PangoFontDescription* Describe(const LOGFONT& font, double em) {
    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, font.lfFaceName.empty() ? "MS Sans Serif" : font.lfFaceName.c_str());
    pango_font_description_set_weight(desc, static_cast<PangoWeight>(font.lfWeight <= 0 ? 400 : font.lfWeight));
    pango_font_description_set_style(desc, font.lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_font_description_set_absolute_size(desc, em * PANGO_SCALE);
    return desc;
  }

  TEXTMETRIC MetricsLocked(const LOGFONT& font) {
    auto key = std::make_tuple(font.lfFaceName, font.lfHeight, font.lfWeight, font.lfItalic);
    auto it = m_metrics.find(key);
    TEXTMETRIC tm;
    if (it != m_metrics.end()) {
      tm = it->second;
    } else {
      double em = EmPixels(font);
      FontDescriptionOwner desc(Describe(font, em));
      FontMetricsOwner m(pango_context_get_metrics(m_context, desc.ptr, nullptr));
      tm.tmAscent = PANGO_PIXELS_CEIL(pango_font_metrics_get_ascent(m.ptr));
      tm.tmDescent = PANGO_PIXELS_CEIL(pango_font_metrics_get_descent(m.ptr));
      tm.tmHeight = tm.tmAscent + tm.tmDescent;
      tm.tmInternalLeading = std::max(0, tm.tmHeight - static_cast<int>(std::lround(em)));
      tm.tmAveCharWidth = PANGO_PIXELS(pango_font_metrics_get_approximate_char_width(m.ptr));
      tm.tmMaxCharWidth = static_cast<int>(std::lround(em));
      m_metrics.emplace(key, tm);
    }
    tm.tmWeight = font.lfWeight;
    tm.tmItalic = font.lfItalic;
    tm.tmUnderlined = font.lfUnderline;
    tm.tmStruckOut = font.lfStrikeOut;
    return tm;
  }

  void SetLayout(const LOGFONT& font, std::string_view text) {
    FontDescriptionOwner desc(Describe(font, EmPixels(font)));
    pango_layout_set_font_description(m_layout, desc.ptr);
    if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
      pango_layout_set_text(m_layout, text.data(), static_cast<int>(text.size()));
      return;
    }
    // Text that is not valid UTF-8 is shown with replacement characters.
    gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
    pango_layout_set_text(m_layout, valid, -1);
    g_free(valid);
  }

  std::mutex m_mutex;
  FcConfig* m_config = nullptr;
  PangoFontMap* m_fontMap = nullptr;
  PangoContext* m_context = nullptr;
  PangoLayout* m_layout = nullptr;
  PangoContext* m_drawingContext = nullptr;
  std::unique_ptr<GlyphPlacement> m_placement;
  std::map<std::tuple<std::string, int32_t, int32_t, uint8_t>, TEXTMETRIC> m_metrics;
};

PangoBackend& Instance() {
  static PangoBackend backend;
  return backend;
}

}  // namespace

FontBackend& PangoBackendInstance() { return Instance(); }

int PangoMissingGlyphs(const LOGFONT& font, std::string_view text) { return Instance().MissingGlyphs(font, text); }

}  // namespace gdi::detail
