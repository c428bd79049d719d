#include "forms/ControlPainter.h"

#include <algorithm>

#include "forms/PainterDetail.h"
#include "gdi/Gdi.h"

namespace forms::painter {

using detail::Edge;
using detail::Fill;
using detail::Frame;
using detail::Line;
using detail::Sys;

namespace {

// The drawing layer's font for a font object. Fonts are made once for
// each face, size and style and kept, as lists draw thousands of texts.
gdi::HFONT FontFor(const com::StdFontPtr& font) {
  struct Entry {
    gdi::LOGFONT logFont;
    gdi::HFONT handle;
  };
  static auto* cache = new std::vector<Entry>();
  const gdi::LOGFONT wanted = com::ToLogFont(font);
  for (const Entry& e : *cache) {
    const gdi::LOGFONT& f = e.logFont;
    if (f.lfHeight == wanted.lfHeight && f.lfWeight == wanted.lfWeight && f.lfItalic == wanted.lfItalic &&
        f.lfUnderline == wanted.lfUnderline && f.lfStrikeOut == wanted.lfStrikeOut &&
        f.lfCharSet == wanted.lfCharSet && f.lfFaceName == wanted.lfFaceName) {
      return e.handle;
    }
  }
  cache->push_back(Entry{wanted, gdi::CreateFontIndirect(wanted)});
  return cache->back().handle;
}

constexpr int kCheckBoxSize = 13;
constexpr int kCheckBoxTextGap = 4;

void HLine(gdi::HDC hdc, int x1, int x2, int y, gdi::COLORREF color) { Line(hdc, x1, y, x2, y, color); }

}  // namespace

void DrawText(gdi::HDC hdc, std::string_view text, const gdi::RECT& rect, uint32_t format, const com::StdFontPtr& font,
              uint32_t oleColor, bool enabled) {
  gdi::ScopedSelect<gdi::HFONT> select(hdc, FontFor(font));
  const int oldMode = gdi::SetBkMode(hdc, gdi::TRANSPARENT);
  gdi::RECT r = rect;
  if (!enabled) {
    gdi::RECT shadow = r;
    gdi::OffsetRect(&shadow, 1, 1);
    const gdi::COLORREF old = gdi::SetTextColor(hdc, Sys(gdi::COLOR_BTNHIGHLIGHT));
    gdi::DrawTextA(hdc, text, -1, &shadow, format);
    gdi::SetTextColor(hdc, Sys(gdi::COLOR_GRAYTEXT));
    gdi::DrawTextA(hdc, text, -1, &r, format);
    gdi::SetTextColor(hdc, old);
  } else {
    const gdi::COLORREF old = gdi::SetTextColor(hdc, gdi::OleTranslateColor(oleColor));
    gdi::DrawTextA(hdc, text, -1, &r, format);
    gdi::SetTextColor(hdc, old);
  }
  gdi::SetBkMode(hdc, oldMode);
}

gdi::SIZE MeasureText(std::string_view text, const com::StdFontPtr& font, int wrapWidth, bool prefix) {
  gdi::OwnedDC dc(gdi::CreateCompatibleDC());
  gdi::ScopedSelect<gdi::HFONT> select(dc.Get(), FontFor(font));
  gdi::RECT r{0, 0, std::max(wrapWidth, 0), 0};
  uint32_t format = gdi::DT_CALCRECT | (prefix ? 0u : gdi::DT_NOPREFIX);
  if (wrapWidth > 0) format |= gdi::DT_WORDBREAK;
  if (text.empty()) {
    gdi::TEXTMETRIC tm;
    gdi::GetTextMetrics(dc.Get(), &tm);
    return gdi::SIZE{wrapWidth > 0 ? wrapWidth : 0, tm.tmHeight};
  }
  gdi::DrawTextA(dc.Get(), text, -1, &r, format);
  return gdi::SIZE{r.right - r.left, r.bottom - r.top};
}

std::vector<int> CharOffsets(std::string_view text, const com::StdFontPtr& font) {
  gdi::OwnedDC dc(gdi::CreateCompatibleDC());
  gdi::ScopedSelect<gdi::HFONT> select(dc.Get(), FontFor(font));
  std::vector<int> offsets{0};
  for (size_t i = 1; i <= text.size(); ++i) {
    if (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    gdi::SIZE size;
    gdi::GetTextExtentPoint32A(dc.Get(), text, static_cast<int>(i), &size);
    offsets.push_back(size.cx);
  }
  return offsets;
}

int LineHeight(const com::StdFontPtr& font) { return MeasureText("", font, 0, false).cy; }

void DrawButton(gdi::HDC hdc, const gdi::RECT& rect, std::string_view caption, const com::StdFontPtr& font,
                uint32_t foreColor, uint32_t backColor, bool enabled, bool isDefault, bool pressed, bool focused) {
  gdi::RECT r = rect;
  Fill(hdc, r, gdi::OleTranslateColor(backColor));
  if (isDefault) {
    gdi::OwnedBrush black(gdi::CreateSolidBrush(Sys(gdi::COLOR_3DDKSHADOW)));
    gdi::FrameRect(hdc, r, black.Get());
    gdi::InflateRect(&r, -1, -1);
  }
  if (pressed) {
    gdi::OwnedBrush shadow(gdi::CreateSolidBrush(Sys(gdi::COLOR_BTNSHADOW)));
    gdi::FrameRect(hdc, r, shadow.Get());
  } else {
    gdi::RECT edge = r;
    gdi::DrawEdge(hdc, &edge, gdi::EDGE_RAISED, gdi::BF_RECT);
  }
  gdi::RECT text = r;
  gdi::InflateRect(&text, -3, -3);
  if (pressed) gdi::OffsetRect(&text, 1, 1);
  DrawText(hdc, caption, text, gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_SINGLELINE, font, foreColor, enabled);
  if (focused) {
    DrawFocusRect(hdc, ButtonFocusRect(rect, isDefault));
  }
}

// One pixel inside the raised edge (and the default button's black frame):
// the dotted frame then leaves the whole line of a dialog font, access-key
// underline and descenders included, free on a button of 23 pixels or more.
gdi::RECT ButtonFocusRect(const gdi::RECT& rect, bool) {
  gdi::RECT focus = rect;
  gdi::InflateRect(&focus, -4, -4);
  return focus;
}

gdi::RECT CheckBoxTextRect(const gdi::RECT& rect) {
  return gdi::RECT{rect.left + kCheckBoxSize + kCheckBoxTextGap, rect.top, rect.right, rect.bottom};
}

void DrawFocusRect(gdi::HDC hdc, const gdi::RECT& rect) {
  // Every other pixel, starting at the corner, as the platform draws it.
  const gdi::COLORREF color = Sys(gdi::COLOR_BTNTEXT);
  for (int x = rect.left; x < rect.right; x += 2) {
    gdi::SetPixel(hdc, x, rect.top, color);
    gdi::SetPixel(hdc, x, rect.bottom - 1, color);
  }
  for (int y = rect.top; y < rect.bottom; y += 2) {
    gdi::SetPixel(hdc, rect.left, y, color);
    gdi::SetPixel(hdc, rect.right - 1, y, color);
  }
}

void FillSolid(gdi::HDC hdc, const gdi::RECT& rect, uint32_t oleColor) {
  Fill(hdc, rect, gdi::OleTranslateColor(oleColor));
}

gdi::RECT DrawField(gdi::HDC hdc, const gdi::RECT& rect, uint32_t backColor, bool enabled) {
  Fill(hdc, rect, enabled ? gdi::OleTranslateColor(backColor) : Sys(gdi::COLOR_BTNFACE));
  DrawSunkenBorder(hdc, rect);
  gdi::RECT inner = rect;
  gdi::InflateRect(&inner, -2, -2);
  return inner;
}

void DrawOptionButton(gdi::HDC hdc, int x, int y, bool value, bool enabled, bool pressed) {
  // The 12 x 12 circle: an outer and an inner ring, shadowed on the upper
  // left half and lit on the lower right one, around the field.
  static constexpr const char* kRings[12] = {
      "....oooo....", "..ooiiiioo..", ".oiiffffiio.", ".oiffffffio.", "oiffffffffio", "oiffffffffio",
      "oiffffffffio", "oiffffffffio", ".oiffffffio.", ".oiiffffiio.", "..ooiiiioo..", "....oooo....",
  };
  const gdi::COLORREF field = enabled && !pressed ? Sys(gdi::COLOR_WINDOW) : Sys(gdi::COLOR_BTNFACE);
  for (int row = 0; row < 12; ++row) {
    for (int col = 0; col < 12; ++col) {
      const char c = kRings[row][col];
      if (c == '.') continue;
      const bool upperLeft = row + col < 11;
      gdi::COLORREF color = field;
      if (c == 'o') color = upperLeft ? Sys(gdi::COLOR_BTNSHADOW) : Sys(gdi::COLOR_BTNHIGHLIGHT);
      if (c == 'i') color = upperLeft ? Sys(gdi::COLOR_3DDKSHADOW) : Sys(gdi::COLOR_3DLIGHT);
      gdi::SetPixel(hdc, x + col, y + row, color);
    }
  }
  if (!value) return;
  const gdi::COLORREF dot = enabled ? Sys(gdi::COLOR_WINDOWTEXT) : Sys(gdi::COLOR_GRAYTEXT);
  Fill(hdc, gdi::RECT{x + 5, y + 4, x + 7, y + 8}, dot);
  Fill(hdc, gdi::RECT{x + 4, y + 5, x + 8, y + 7}, dot);
}

void DrawGroupBox(gdi::HDC hdc, const gdi::RECT& rect, std::string_view caption, const com::StdFontPtr& font,
                  uint32_t foreColor, uint32_t backColor, bool enabled) {
  const gdi::SIZE text = MeasureText(caption.empty() ? std::string_view("X") : caption, font, 0, true);
  const int lineY = rect.top + text.cy / 2;
  Edge(hdc, gdi::RECT{rect.left, lineY, rect.right, rect.bottom}, gdi::EDGE_ETCHED);
  if (caption.empty()) return;
  const gdi::RECT label{rect.left + 6, rect.top, std::min<int>(rect.right - 6, rect.left + 10 + text.cx),
                        rect.top + text.cy};
  Fill(hdc, label, gdi::OleTranslateColor(backColor));
  DrawText(hdc, caption, gdi::RECT{label.left + 2, label.top, label.right, label.bottom},
           gdi::DT_LEFT | gdi::DT_SINGLELINE | gdi::DT_END_ELLIPSIS, font, foreColor, enabled);
}

void DrawArrow(gdi::HDC hdc, const gdi::RECT& rect, ArrowDirection direction, bool enabled, int size, uint32_t color) {
  // A square twice the triangle's base, so the glyph has `size` rows.
  const int side = 2 * (2 * size - 1) + 1;
  const int cx = (rect.left + rect.right) / 2;
  const int cy = (rect.top + rect.bottom) / 2;
  gdi::RECT glyph{cx - side / 2, cy - side / 2, cx - side / 2 + side, cy - side / 2 + side};
  if (!enabled) {
    gdi::RECT highlight = glyph;
    gdi::OffsetRect(&highlight, 1, 1);
    detail::FillArrowGlyph(hdc, highlight, direction, Sys(gdi::COLOR_BTNHIGHLIGHT));
  }
  detail::FillArrowGlyph(hdc, glyph, direction, enabled ? gdi::OleTranslateColor(color) : Sys(gdi::COLOR_GRAYTEXT));
}

void DrawDropButton(gdi::HDC hdc, const gdi::RECT& rect, bool pressed, bool enabled) {
  Fill(hdc, rect, Sys(gdi::COLOR_BTNFACE));
  if (pressed) {
    Frame(hdc, rect, Sys(gdi::COLOR_BTNSHADOW));
  } else {
    Edge(hdc, rect, gdi::EDGE_RAISED);
  }
  gdi::RECT arrow = rect;
  if (pressed) gdi::OffsetRect(&arrow, 1, 1);
  DrawArrow(hdc, arrow, ArrowDirection::Down, enabled);
}

void DrawPicture(gdi::HDC hdc, const gdi::RECT& rect, const com::StdPicturePtr& picture, bool enabled) {
  if (!picture || picture->IsEmpty()) return;
  const int w = picture->PixelWidth();
  const int h = picture->PixelHeight();
  const int x = rect.left + (rect.right - rect.left - w) / 2;
  const int y = rect.top + (rect.bottom - rect.top - h) / 2;
  if (enabled) {
    picture->Render(hdc, x, y);
  } else if (picture->Type() == com::vbPicTypeIcon) {
    gdi::DrawStateA(hdc, gdi::HBRUSH{}, picture->Icon(), x, y, w, h, gdi::DST_ICON | gdi::DSS_DISABLED);
  } else {
    gdi::DrawStateA(hdc, gdi::HBRUSH{}, picture->Bitmap(), x, y, w, h, gdi::DST_BITMAP | gdi::DSS_DISABLED);
  }
}

com::StdFontPtr DefaultFont() { return com::StdFont::Create("Tahoma", 8); }

void DrawCheckBox(gdi::HDC hdc, int x, int y, int16_t value, bool enabled, bool pressed) {
  gdi::RECT box{x, y, x + kCheckBoxSize, y + kCheckBoxSize};
  Fill(hdc, box, enabled && !pressed ? Sys(gdi::COLOR_WINDOW) : Sys(gdi::COLOR_BTNFACE));
  gdi::RECT edge = box;
  gdi::DrawEdge(hdc, &edge, gdi::EDGE_SUNKEN, gdi::BF_RECT);
  if (value == 0) return;
  const gdi::COLORREF mark = (value == 2 || !enabled) ? Sys(gdi::COLOR_GRAYTEXT) : Sys(gdi::COLOR_WINDOWTEXT);
  // The classic check mark: three pixels thick, from (3,5) down to (5,7)
  // and up to (9,3) inside the box.
  gdi::OwnedPen pen(gdi::CreatePen(gdi::PS_SOLID, 1, mark));
  gdi::ScopedSelect<gdi::HPEN> select(hdc, pen.Get());
  for (int d = 0; d < 3; ++d) {
    gdi::MoveToEx(hdc, x + 3, y + 5 + d);
    gdi::LineTo(hdc, x + 5, y + 7 + d);
    gdi::LineTo(hdc, x + 10, y + 2 + d);
  }
}

void DrawBoxCaption(gdi::HDC hdc, int textLeft, const gdi::RECT& rect, std::string_view caption,
                    const com::StdFontPtr& font, uint32_t foreColor, bool enabled, bool focused) {
  const int width = std::max(1, static_cast<int>(rect.right - textLeft));
  const gdi::SIZE text = MeasureText(caption, font, width, true);
  const int top = rect.top + std::max(0, static_cast<int>(rect.bottom - rect.top - text.cy) / 2);
  DrawText(hdc, caption, gdi::RECT{textLeft, top, rect.right, top + text.cy}, gdi::DT_LEFT | gdi::DT_WORDBREAK, font,
           foreColor, enabled);
  if (focused && !caption.empty()) {
    DrawFocusRect(hdc, gdi::RECT{textLeft - 1, top, std::min<int>(rect.right, textLeft + text.cx + 2), top + text.cy + 1});
  }
}

void DrawSunkenBorder(gdi::HDC hdc, const gdi::RECT& rect) {
  gdi::RECT edge = rect;
  gdi::DrawEdge(hdc, &edge, gdi::EDGE_SUNKEN, gdi::BF_RECT);
}

void DrawWindowFrame(gdi::HDC hdc, int width, int height, int border, int caption, std::string_view text,
                     const com::StdPicturePtr& icon, bool controlBox, bool minButton, bool maxButton, bool active,
                     bool closeEnabled) {
  if (border <= 0 && caption <= 0) return;
  gdi::RECT all{0, 0, width, height};
  // Face colour between the edge and the client area.
  Fill(hdc, gdi::RECT{0, 0, width, border + caption}, Sys(gdi::COLOR_BTNFACE));
  Fill(hdc, gdi::RECT{0, 0, border, height}, Sys(gdi::COLOR_BTNFACE));
  Fill(hdc, gdi::RECT{width - border, 0, width, height}, Sys(gdi::COLOR_BTNFACE));
  Fill(hdc, gdi::RECT{0, height - border, width, height}, Sys(gdi::COLOR_BTNFACE));
  gdi::RECT edge = all;
  gdi::DrawEdge(hdc, &edge, gdi::EDGE_RAISED, gdi::BF_RECT);
  if (caption <= 0) return;
  gdi::RECT bar{border, border, width - border, border + caption - 1};
  gdi::GradientFillRect(hdc, bar, Sys(active ? gdi::COLOR_ACTIVECAPTION : gdi::COLOR_INACTIVECAPTION),
                        Sys(active ? gdi::COLOR_GRADIENTACTIVECAPTION : gdi::COLOR_GRADIENTINACTIVECAPTION),
                        gdi::GRADIENT_FILL_RECT_H);
  HLine(hdc, border, width - border, border + caption - 1, Sys(gdi::COLOR_BTNFACE));
  int textLeft = bar.left + 4;
  if (icon && !icon->IsEmpty() && controlBox) {
    const int size = std::min(16, caption - 4);
    icon->Render(hdc, bar.left + 2, bar.top + (caption - 1 - size) / 2, size, size);
    textLeft += size + 2;
  }
  // Control-box buttons: close, and maximise / minimise when enabled.
  const int buttonHeight = caption - 5;
  const int buttonWidth = buttonHeight + 2;
  int right = bar.right - 2;
  auto button = [&](std::string_view glyph, bool enabled = true) {
    gdi::RECT r{right - buttonWidth, bar.top + 2, right, bar.top + 2 + buttonHeight};
    Fill(hdc, r, Sys(gdi::COLOR_BTNFACE));
    gdi::RECT e = r;
    gdi::DrawEdge(hdc, &e, gdi::EDGE_RAISED, gdi::BF_RECT);
    auto font = com::StdFont::Create("Tahoma", 7, true);
    DrawText(hdc, glyph, r, gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_SINGLELINE | gdi::DT_NOPREFIX, font,
             gdi::SysColor(gdi::COLOR_BTNTEXT), enabled);
    right -= buttonWidth;
  };
  if (controlBox) {
    button("x", closeEnabled);
    right -= 2;
    if (maxButton || minButton) {
      button("\xE2\x96\xA1");  // a square
      button("_");
    }
  }
  auto font = com::StdFont::Create("Tahoma", 8, true);
  gdi::RECT textRect{textLeft, bar.top, right - 4, bar.bottom};
  DrawText(hdc, text, textRect,
           gdi::DT_LEFT | gdi::DT_VCENTER | gdi::DT_SINGLELINE | gdi::DT_NOPREFIX | gdi::DT_END_ELLIPSIS, font,
           gdi::SysColor(active ? gdi::COLOR_CAPTIONTEXT : gdi::COLOR_INACTIVECAPTIONTEXT));
}


void DrawScrollArrow(gdi::HDC hdc, const gdi::RECT& rect, ArrowDirection direction, bool pressed, bool enabled) {
  if (gdi::IsRectEmpty(rect)) return;
  gdi::RECT glyph = rect;
  if (pressed) {
    Fill(hdc, rect, Sys(gdi::COLOR_BTNFACE));
    gdi::OwnedBrush shadow(gdi::CreateSolidBrush(Sys(gdi::COLOR_BTNSHADOW)));
    gdi::FrameRect(hdc, rect, shadow.Get());
    gdi::OffsetRect(&glyph, 1, 1);
  } else {
    gdi::RECT face = rect;
    gdi::DrawEdge(hdc, &face, gdi::EDGE_RAISED, gdi::BF_RECT | gdi::BF_MIDDLE);
  }
  if (!enabled) {
    gdi::RECT highlight = glyph;
    gdi::OffsetRect(&highlight, 1, 1);
    detail::FillArrowGlyph(hdc, highlight, direction, Sys(gdi::COLOR_BTNHIGHLIGHT));
    detail::FillArrowGlyph(hdc, glyph, direction, Sys(gdi::COLOR_BTNSHADOW));
    return;
  }
  detail::FillArrowGlyph(hdc, glyph, direction, Sys(gdi::COLOR_BTNTEXT));
}

void DrawScrollTrack(gdi::HDC hdc, const gdi::RECT& rect, bool pressed) {
  if (gdi::IsRectEmpty(rect)) return;
  if (pressed)
    Fill(hdc, rect, Sys(gdi::COLOR_3DDKSHADOW));
  else
    detail::FillDither(hdc, rect, Sys(gdi::COLOR_SCROLLBAR), Sys(gdi::COLOR_BTNHIGHLIGHT));
}

void DrawScrollThumb(gdi::HDC hdc, const gdi::RECT& rect, bool focused) {
  if (gdi::IsRectEmpty(rect)) return;
  gdi::RECT face = rect;
  gdi::DrawEdge(hdc, &face, gdi::EDGE_RAISED, gdi::BF_RECT | gdi::BF_MIDDLE | gdi::BF_ADJUST);
  if (!focused) return;
  gdi::InflateRect(&face, -1, -1);
  if (gdi::IsRectEmpty(face)) return;
  gdi::OwnedPen pen(gdi::CreatePen(gdi::PS_DOT, 1, Sys(gdi::COLOR_BTNTEXT)));
  gdi::ScopedSelect<gdi::HPEN> selectPen(hdc, pen.Get());
  gdi::ScopedSelect<gdi::HBRUSH> selectBrush(hdc, gdi::HBRUSH(gdi::GetStockObject(gdi::NULL_BRUSH)));
  gdi::Rectangle(hdc, face.left, face.top, face.right, face.bottom);
}

}  // namespace forms::painter
