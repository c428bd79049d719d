#include "html/PageCanvas.h"

#include <cmath>

namespace kvctl2::html {

namespace {

// A line break inside a text (a lone CR in a word) is drawn as a blank:
// printing never leaves the line.
std::string_view OneLine(std::string_view text, std::string& buffer) {
  if (text.find_first_of("\r\n") == std::string_view::npos) return text;
  buffer.assign(text);
  for (char& c : buffer) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return buffer;
}

bool Invisible(std::string_view text, const gdi::SurfaceFont& font) {
  return text.find_first_not_of(' ') == std::string_view::npos && !font.Underline && !font.Strikethrough;
}

}  // namespace

TextMeasures::FontMeasures& TextMeasures::For(const gdi::DrawingSurface& surface) {
  const gdi::FontBackend* backend = &gdi::CurrentFontBackend();
  if (backend != m_backend) {
    m_fonts.clear();
    m_backend = backend;
  }
  const gdi::SurfaceFont& font = surface.Font();
  if (m_last < m_fonts.size() && m_fonts[m_last].Font == font) return m_fonts[m_last];
  for (m_last = 0; m_last < m_fonts.size(); ++m_last) {
    if (m_fonts[m_last].Font == font) return m_fonts[m_last];
  }
  m_fonts.push_back(FontMeasures{font, {}, -1});
  return m_fonts.back();
}

double TextMeasures::Width(gdi::DrawingSurface& surface, std::string_view text) {
  FontMeasures& measures = For(surface);
  const auto found = measures.Widths.find(text);
  if (found != measures.Widths.end()) return found->second;
  const double width = surface.TextWidth(text);
  measures.Widths.emplace(std::string(text), width);
  return width;
}

double TextMeasures::LineHeight(gdi::DrawingSurface& surface) {
  FontMeasures& measures = For(surface);
  if (measures.LineHeight < 0) measures.LineHeight = surface.TextHeight("X");
  return measures.LineHeight;
}

void TextMeasures::Clear() {
  m_fonts.clear();
  m_last = 0;
}

PageCanvas::PageCanvas(gdi::DrawingSurface& metrics, TextMeasures& measures, PageDisplayList* record)
    : m_metrics(metrics), m_measures(measures), m_record(record) {}

void PageCanvas::Cls() {
  m_currentX = 0;
  m_currentY = 0;
}

double PageCanvas::TextWidth(std::string_view text) {
  std::string buffer;
  return m_measures.Width(m_metrics, OneLine(text, buffer));
}

double PageCanvas::TextHeight() { return m_measures.LineHeight(m_metrics); }

void PageCanvas::Print(std::string_view text) {
  std::string buffer;
  const std::string_view line = OneLine(text, buffer);
  const double width = m_measures.Width(m_metrics, line);
  if (m_record && !Invisible(line, Font())) {
    const int64_t x = std::lround(m_currentX), y = std::lround(m_currentY);
    m_record->Text(x, y, std::lround(width), std::lround(TextHeight()), std::string(line),
                   m_record->FontIndex(Font()), m_foreColor, m_colorLink,
                   PageDisplayList::kNoClipLeft, PageDisplayList::kNoClipRight);
  }
  m_currentX += width;
}

void PageCanvas::Line(int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint32_t color) {
  if (m_record) m_record->Line(x1, y1, x2, y2, color);
  m_currentX = static_cast<double>(x2);
  m_currentY = static_cast<double>(y2);
}

void PageCanvas::Fill(int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t color) {
  if (m_record) m_record->Fill(left, top, right, bottom, color);
  m_currentX = static_cast<double>(right);
  m_currentY = static_cast<double>(bottom);
}

void PageCanvas::PaintPicture(const com::StdPicturePtr& picture, int64_t x, int64_t y, int64_t width, int64_t height) {
  if (m_record) m_record->Picture(picture, x, y, width, height);
}

}  // namespace kvctl2::html
