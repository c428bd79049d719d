#include "LitehtmlFontHost.h"

#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "gdi/Shapes.h"
#include "gdi/Text.h"

namespace qvbench {

namespace {

gdi::HDC Dc(litehtml::uint_ptr hdc) { return gdi::HDC{static_cast<int32_t>(hdc)}; }
gdi::COLORREF Color(const litehtml::web_color& c) { return gdi::RGB(c.red, c.green, c.blue); }

void Fill(gdi::HDC hdc, int left, int top, int right, int bottom, gdi::COLORREF color) {
  if (right <= left || bottom <= top) return;
  gdi::OwnedBrush brush(gdi::CreateSolidBrush(color));
  gdi::FillRect(hdc, gdi::RECT{left, top, right, bottom}, brush.Get());
}

}  // namespace

LitehtmlFontHost::LitehtmlFontHost(int width) : LitehtmlHost(width), m_measure(gdi::CreateCompatibleDC()) {}

gdi::HFONT LitehtmlFontHost::Font(litehtml::uint_ptr font) const {
  return font >= 1 && font <= m_fonts.size() ? m_fonts[font - 1].Get() : gdi::HFONT{};
}

litehtml::uint_ptr LitehtmlFontHost::create_font(const litehtml::tchar_t* faceName, int size, int weight,
                                                 litehtml::font_style italic, unsigned int decoration,
                                                 litehtml::font_metrics* fm) {
  gdi::LOGFONT lf;
  lf.lfHeight = -size;
  lf.lfWeight = weight;
  lf.lfItalic = italic == litehtml::fontStyleItalic ? 1 : 0;
  lf.lfUnderline = (decoration & litehtml::font_decoration_underline) ? 1 : 0;
  lf.lfStrikeOut = (decoration & litehtml::font_decoration_linethrough) ? 1 : 0;
  // The first family of the list.
  std::string face = faceName ? faceName : "Arial";
  face = face.substr(0, face.find(','));
  face.erase(0, face.find_first_not_of(" \"'"));
  face.erase(face.find_last_not_of(" \"'") + 1);
  lf.lfFaceName = face.empty() ? "Arial" : face;
  m_fonts.emplace_back(gdi::CreateFontIndirect(lf));
  if (fm) {
    gdi::SelectObject(m_measure.Get(), m_fonts.back().Get());
    gdi::TEXTMETRIC tm;
    gdi::GetTextMetrics(m_measure.Get(), &tm);
    fm->height = tm.tmHeight;
    fm->ascent = tm.tmAscent;
    fm->descent = tm.tmDescent;
    fm->x_height = tm.tmAscent / 2;
    fm->draw_spaces = lf.lfItalic || decoration != 0;
  }
  return m_fonts.size();
}

void LitehtmlFontHost::delete_font(litehtml::uint_ptr font) {
  if (font >= 1 && font <= m_fonts.size()) m_fonts[font - 1].Reset();
}

int LitehtmlFontHost::text_width(const litehtml::tchar_t* text, litehtml::uint_ptr font) {
  gdi::SelectObject(m_measure.Get(), Font(font));
  gdi::SIZE size{};
  gdi::GetTextExtentPoint32A(m_measure.Get(), text, -1, &size);
  return size.cx;
}

void LitehtmlFontHost::draw_text(litehtml::uint_ptr hdc, const litehtml::tchar_t* text, litehtml::uint_ptr font,
                                 litehtml::web_color color, const litehtml::position& pos) {
  const gdi::HDC dc = Dc(hdc);
  gdi::SelectObject(dc, Font(font));
  gdi::SetTextColor(dc, Color(color));
  gdi::SetBkMode(dc, gdi::TRANSPARENT);
  gdi::TextOutA(dc, pos.x, pos.y, text);
}

void LitehtmlFontHost::draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) {
  const litehtml::position& p = marker.pos;
  Fill(Dc(hdc), p.x, p.y, p.x + p.width, p.y + p.height, Color(marker.color));
}

void LitehtmlFontHost::draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) {
  if (bg.color.alpha == 0) return;
  const litehtml::position& b = bg.clip_box;
  Fill(Dc(hdc), b.x, b.y, b.x + b.width, b.y + b.height, Color(bg.color));
}

void LitehtmlFontHost::draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders,
                                    const litehtml::position& p, bool) {
  const gdi::HDC dc = Dc(hdc);
  Fill(dc, p.x, p.y, p.x + p.width, p.y + borders.top.width, Color(borders.top.color));
  Fill(dc, p.x, p.y + p.height - borders.bottom.width, p.x + p.width, p.y + p.height, Color(borders.bottom.color));
  Fill(dc, p.x, p.y, p.x + borders.left.width, p.y + p.height, Color(borders.left.color));
  Fill(dc, p.x + p.width - borders.right.width, p.y, p.x + p.width, p.y + p.height, Color(borders.right.color));
}

}  // namespace qvbench
