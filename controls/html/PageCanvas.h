// The page as the render pass sees it: the page picture's font, colour
// and pen, its text measures, and drawing onto it. Text is measured on a
// surface of the page's width, each text in each font once per document
// (TextMeasures, kept by the control across its passes); the drawing pass
// records what it draws into a display list, the measuring pass draws
// nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "com/StdPicture.h"
#include "gdi/DrawingSurface.h"
#include "gdi/FontBackend.h"
#include "html/PageDisplayList.h"

namespace kvctl2::html {

// Widths and line heights of texts, by font. Valid for one font backend;
// the control empties it with each new document.
class TextMeasures {
 public:
  double Width(gdi::DrawingSurface& surface, std::string_view text);
  double LineHeight(gdi::DrawingSurface& surface);
  void Clear();

 private:
  // Looked up by the text as it stands, without a copy.
  struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  struct FontMeasures {
    gdi::SurfaceFont Font;
    std::unordered_map<std::string, double, TextHash, std::equal_to<>> Widths;
    double LineHeight = -1;
  };
  FontMeasures& For(const gdi::DrawingSurface& surface);

  std::vector<FontMeasures> m_fonts;
  size_t m_last = 0;
  const gdi::FontBackend* m_backend = nullptr;
};

class PageCanvas {
 public:
  // `metrics` is a surface of the page's width in pixels; `record` the
  // display list of a drawing pass (null for a measuring pass).
  PageCanvas(gdi::DrawingSurface& metrics, TextMeasures& measures, PageDisplayList* record);

  bool Drawing() const { return m_record != nullptr; }
  PageDisplayList* Record() { return m_record; }

  // The page.
  double ScaleWidth() const { return m_metrics.ScaleWidth(); }
  double ScaleX(double value, int fromMode, int toMode) const { return m_metrics.ScaleX(value, fromMode, toMode); }
  double ScaleY(double value, int fromMode, int toMode) const { return m_metrics.ScaleY(value, fromMode, toMode); }
  uint32_t BackColor() const { return m_backColor; }
  void SetBackColor(uint32_t color) { m_backColor = color; }
  void Cls();

  // Font and colour. A font size the platform refuses raises 380 and
  // leaves the font as it was. The colour of a link's text remembers the
  // link (its element index).
  const gdi::SurfaceFont& Font() const { return m_metrics.Font(); }
  void SetFont(const gdi::SurfaceFont& font) { m_metrics.SetFont(font); }
  void SetFontName(std::string_view name) { m_metrics.SetFontName(name); }
  void SetFontSize(double points) { m_metrics.SetFontSize(points); }
  void SetFontBold(bool value) { m_metrics.SetFontBold(value); }
  void SetFontItalic(bool value) { m_metrics.SetFontItalic(value); }
  void SetFontUnderline(bool value) { m_metrics.SetFontUnderline(value); }
  uint32_t ForeColor() const { return m_foreColor; }
  int32_t ColorLink() const { return m_colorLink; }
  void SetForeColor(uint32_t color, int32_t link = PageDisplayList::kNoLink) {
    m_foreColor = color;
    m_colorLink = link;
  }

  // Text in the current font: one line (line breaks count as blanks).
  double TextWidth(std::string_view text);
  double TextHeight();

  // The pen.
  double CurrentX() const { return m_currentX; }
  double CurrentY() const { return m_currentY; }
  void SetCurrentX(double x) { m_currentX = x; }
  void SetCurrentY(double y) { m_currentY = y; }

  // Drawing. Print draws one line at the pen in the current font and
  // colour over the page and moves the pen on by its width; the pen's y
  // stays. Line and Fill draw in the given colour, both ends included,
  // and move the pen to the second point.
  void Print(std::string_view text);
  void Line(int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint32_t color);
  void Fill(int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t color);
  void PaintPicture(const com::StdPicturePtr& picture, int64_t x, int64_t y, int64_t width, int64_t height);

 private:
  gdi::DrawingSurface& m_metrics;
  TextMeasures& m_measures;
  PageDisplayList* m_record;
  uint32_t m_backColor = 0;
  uint32_t m_foreColor = 0;
  int32_t m_colorLink = PageDisplayList::kNoLink;
  double m_currentX = 0;
  double m_currentY = 0;
};

}  // namespace kvctl2::html
