#include "forms/ControlPainter.h"

#include <algorithm>

#include "gdi/Gdi.h"

namespace forms::painter {

namespace {

constexpr int kCheckBoxSize = 13;
constexpr int kCheckBoxTextGap = 4;

gdi::COLORREF Sys(int index) { return gdi::GetSysColor(index); }

void Fill(gdi::HDC hdc, const gdi::RECT& rect, gdi::COLORREF color) {
  gdi::OwnedBrush brush(gdi::CreateSolidBrush(color));
  gdi::FillRect(hdc, rect, brush.Get());
}

void HLine(gdi::HDC hdc, int x1, int x2, int y, gdi::COLORREF color) {
  gdi::OwnedPen pen(gdi::CreatePen(gdi::PS_SOLID, 1, color));
  gdi::ScopedSelect<gdi::HPEN> select(hdc, pen.Get());
  gdi::MoveToEx(hdc, x1, y);
  gdi::LineTo(hdc, x2, y);
}

}  // namespace

void DrawText(gdi::HDC hdc, std::string_view text, const gdi::RECT& rect, uint32_t format, const com::StdFontPtr& font,
              uint32_t oleColor, bool enabled) {
  gdi::OwnedFont hfont(gdi::CreateFontIndirect(com::ToLogFont(font)));
  gdi::ScopedSelect<gdi::HFONT> select(hdc, hfont.Get());
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
  gdi::OwnedFont hfont(gdi::CreateFontIndirect(com::ToLogFont(font)));
  gdi::ScopedSelect<gdi::HFONT> select(dc.Get(), hfont.Get());
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
    gdi::RECT focus = ButtonFocusRect(rect, isDefault);
    gdi::OwnedPen pen(gdi::CreatePen(gdi::PS_DOT, 1, Sys(gdi::COLOR_BTNTEXT)));
    gdi::ScopedSelect<gdi::HPEN> selectPen(hdc, pen.Get());
    gdi::ScopedSelect<gdi::HBRUSH> selectBrush(hdc, gdi::HBRUSH(gdi::GetStockObject(gdi::NULL_BRUSH)));
    gdi::Rectangle(hdc, focus.left, focus.top, focus.right, focus.bottom);
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

void DrawCheckBox(gdi::HDC hdc, int x, int y, int16_t value, bool enabled) {
  gdi::RECT box{x, y, x + kCheckBoxSize, y + kCheckBoxSize};
  Fill(hdc, box, enabled ? Sys(gdi::COLOR_WINDOW) : Sys(gdi::COLOR_BTNFACE));
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

namespace {

// The classic pattern of scroll bar tracks: alternate pixels in two colours.
void FillDither(gdi::HDC hdc, const gdi::RECT& rect, gdi::COLORREF even, gdi::COLORREF odd) {
  Fill(hdc, rect, even);
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left + ((rect.left + y + 1) & 1); x < rect.right; x += 2) gdi::SetPixel(hdc, x, y, odd);
  }
}

// A filled triangle pointing in `direction`, centred in `rect`: its base is
// about half the button's smaller side (odd, so the tip is one pixel).
void FillArrowGlyph(gdi::HDC hdc, const gdi::RECT& rect, ArrowDirection direction, gdi::COLORREF color) {
  const int w = rect.right - rect.left;
  const int h = rect.bottom - rect.top;
  int base = std::max(1, std::min(w, h) / 2);
  if (base % 2 == 0) --base;
  const int depth = (base + 1) / 2;
  const bool vertical = direction == ArrowDirection::Up || direction == ArrowDirection::Down;
  const int cx = rect.left + (w - (vertical ? base : depth)) / 2;
  const int cy = rect.top + (h - (vertical ? depth : base)) / 2;
  gdi::OwnedBrush brush(gdi::CreateSolidBrush(color));
  for (int i = 0; i < depth; ++i) {
    // Row i of the triangle counted from its tip.
    const int length = 2 * i + 1;
    const int from = (base - length) / 2;
    gdi::RECT row{};
    switch (direction) {
      case ArrowDirection::Up:
        row = {cx + from, cy + i, cx + from + length, cy + i + 1};
        break;
      case ArrowDirection::Down:
        row = {cx + from, cy + depth - 1 - i, cx + from + length, cy + depth - i};
        break;
      case ArrowDirection::Left:
        row = {cx + i, cy + from, cx + i + 1, cy + from + length};
        break;
      case ArrowDirection::Right:
        row = {cx + depth - 1 - i, cy + from, cx + depth - i, cy + from + length};
        break;
    }
    gdi::FillRect(hdc, row, brush.Get());
  }
}

}  // namespace

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
    FillArrowGlyph(hdc, highlight, direction, Sys(gdi::COLOR_BTNHIGHLIGHT));
    FillArrowGlyph(hdc, glyph, direction, Sys(gdi::COLOR_BTNSHADOW));
    return;
  }
  FillArrowGlyph(hdc, glyph, direction, Sys(gdi::COLOR_BTNTEXT));
}

void DrawScrollTrack(gdi::HDC hdc, const gdi::RECT& rect, bool pressed) {
  if (gdi::IsRectEmpty(rect)) return;
  if (pressed)
    Fill(hdc, rect, Sys(gdi::COLOR_3DDKSHADOW));
  else
    FillDither(hdc, rect, Sys(gdi::COLOR_SCROLLBAR), Sys(gdi::COLOR_BTNHIGHLIGHT));
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
