#include "gdi/Text.h"

#include <algorithm>

#include "gdi/Canvas.h"
#include "gdi/FontBackend.h"
#include "gdi/ObjectTable.h"
#include "gdi/TextLayout.h"

namespace gdi {

using namespace detail;

namespace {

std::string_view Cut(std::string_view text, int count) {
  return count >= 0 && static_cast<size_t>(count) < text.size() ? text.substr(0, static_cast<size_t>(count)) : text;
}

std::string FontText(const LOGFONT& f) {
  return "font='" + f.lfFaceName + "' h=" + std::to_string(f.lfHeight) + (f.lfWeight >= FW_BOLD ? " bold" : "") +
         (f.lfItalic ? " italic" : "") + (f.lfUnderline ? " underline" : "");
}

// Draws one line of text at (x, top): background when the DC is opaque,
// the glyphs, the font's underline and strike-out, and the access-key
// underline at [ulX, ulX + ulWidth).
void PaintLine(DcObj& dc, const RECT& clip, const LineMeasure& measure, const TEXTMETRIC& tm, int lineHeight, int x,
               int top, const std::string& text, int width, int ulX, int ulWidth) {
  const LOGFONT& font = dc.state.font->font;
  COLORREF color = dc.state.textColor;
  Canvas canvas(dc.Target(), clip);
  if (dc.state.bkMode == OPAQUE) canvas.FillRect(RECT{x, top, x + width, top + lineHeight}, dc.state.bkColor);
  FontBackend& backend = CurrentFontBackend();
  for (auto& [offset, piece] : measure.Pieces(text))
    if (!piece.empty()) backend.DrawString(canvas, font, x + offset, top, piece, color);
  int thickness = std::max(1, tm.tmHeight / 16);
  int underlineY = std::min(top + tm.tmAscent + 1, top + tm.tmHeight - thickness);
  if (font.lfUnderline) canvas.FillRect(RECT{x, underlineY, x + width, underlineY + thickness}, color);
  if (ulWidth > 0) canvas.FillRect(RECT{x + ulX, underlineY, x + ulX + ulWidth, underlineY + thickness}, color);
  if (font.lfStrikeOut) {
    int y = top + tm.tmAscent * 2 / 3;
    canvas.FillRect(RECT{x, y, x + width, y + thickness}, color);
  }
}

}  // namespace

int DrawTextA(HDC hdc, std::string_view text, int count, RECT* rect, uint32_t format) {
  auto dc = FindDc(hdc);
  if (!dc || rect == nullptr) return 0;
  text = Cut(text, count);
  const LOGFONT& font = dc->state.font->font;
  FontBackend& backend = CurrentFontBackend();
  TEXTMETRIC tm = backend.Metrics(font);
  int lineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
  int tabWidth = (format & DT_EXPANDTABS) ? 8 * std::max(1, tm.tmAveCharWidth) : 0;
  LineMeasure measure(backend, font, tabWidth);
  int width = rect->right - rect->left;
  std::vector<TextLine> lines = LayoutText(measure, text, width, format);
  int textHeight = static_cast<int>(lines.size()) * lineHeight;

  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const TextLine& line : lines) widest = std::max(widest, line.width);
    rect->right = rect->left + widest;
    rect->bottom = rect->top + textHeight;
    return textHeight;
  }

  dc->Record("DrawText '" + std::string(text) + "' " + RectText(*rect) + " flags=" + HexText(format) + " " +
             ColorText(dc->state.textColor) + " " + FontText(font));
  int y = rect->top;
  bool single = (format & DT_SINGLELINE) != 0;
  if (single && (format & DT_VCENTER))
    y = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
  else if (single && (format & DT_BOTTOM))
    y = rect->bottom - lineHeight;
  RECT clip = (format & DT_NOCLIP) ? dc->ClipRect() : Intersect(dc->ClipRect(), Normalized(*rect));
  for (const TextLine& line : lines) {
    int x = rect->left;
    if (format & DT_CENTER)
      x = rect->left + (width - line.width) / 2;
    else if (format & DT_RIGHT)
      x = rect->right - line.width;
    PaintLine(*dc, clip, measure, tm, lineHeight, x, y, line.text, line.width, line.underlineX, line.underlineWidth);
    y += lineHeight;
  }
  if (single && (format & (DT_VCENTER | DT_BOTTOM))) return y - rect->top;
  return textHeight;
}

bool TextOutA(HDC hdc, int x, int y, std::string_view text, int count) {
  auto dc = FindDc(hdc);
  if (!dc) return false;
  text = Cut(text, count);
  const LOGFONT& font = dc->state.font->font;
  FontBackend& backend = CurrentFontBackend();
  TEXTMETRIC tm = backend.Metrics(font);
  LineMeasure measure(backend, font, 0);
  if (dc->recording)
    dc->Record("TextOut '" + std::string(text) + "' " + std::to_string(x) + "," + std::to_string(y) + " " +
               ColorText(dc->state.textColor) + " " + FontText(font));
  std::string line(text);
  PaintLine(*dc, dc->ClipRect(), measure, tm, tm.tmHeight, x, y, line, measure.Width(line), 0, 0);
  return true;
}

bool GetTextExtentPoint32A(HDC hdc, std::string_view text, int count, SIZE* size) {
  auto dc = FindDc(hdc);
  if (!dc || size == nullptr) return false;
  const LOGFONT& font = dc->state.font->font;
  FontBackend& backend = CurrentFontBackend();
  *size = SIZE{backend.TextWidth(font, Cut(text, count)), backend.Metrics(font).tmHeight};
  return true;
}

bool GetTextMetrics(HDC hdc, TEXTMETRIC* metrics) {
  auto dc = FindDc(hdc);
  if (!dc || metrics == nullptr) return false;
  *metrics = CurrentFontBackend().Metrics(dc->state.font->font);
  return true;
}

bool PathCompactPathA(HDC hdc, std::string& path, int width) {
  auto dc = FindDc(hdc);
  if (!dc) return false;
  LineMeasure measure(CurrentFontBackend(), dc->state.font->font, 0);
  bool fits = false;
  path = PathEllipsis(measure, path, width, &fits);
  return fits;
}

}  // namespace gdi
