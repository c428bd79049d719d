// KVXFrame: painting (drawControl and its helpers). Coordinates are pixels
// of the surface: W and H its size, P the caption band's height.
#include <algorithm>
#include <cmath>

#include "com/MousePointer.h"
#include "display/BulletBitmaps.h"
#include "display/KVXFrame.h"
#include "gdi/Gdi.h"
#include "runtime/Strings.h"

namespace kvctl2 {

namespace {

void Fill(gdi::HDC hdc, const gdi::RECT& rect, gdi::COLORREF color) {
  gdi::OwnedBrush brush(gdi::CreateSolidBrush(color));
  gdi::FillRect(hdc, rect, brush.Get());
}

// Rounds to the nearest whole number, halves to even.
int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

// Widths of the round corner's rows, from the top.
constexpr int kCornerRows[] = {5, 3, 2, 1, 1};

}  // namespace

// The caption is hovered while the surface shows the hover pointer.
bool KVXFrame::Hovered() const { return MousePointer() == com::vbCustom; }

void KVXFrame::FillGradient(uint32_t startColor, uint32_t endColor, gdi::RECT& rect, int size, int direction) {
  const gdi::COLORREF start = gdi::OleTranslateColor(startColor);
  const gdi::COLORREF end = gdi::OleTranslateColor(endColor);
  const int strip = std::max(1, size / 255);
  const int dr = gdi::GetRValue(start) - gdi::GetRValue(end);
  const int dg = gdi::GetGValue(start) - gdi::GetGValue(end);
  const int db = gdi::GetBValue(start) - gdi::GetBValue(end);
  gdi::COLORREF color = end;
  const gdi::HDC hdc = hDC();
  // Strips from the bottom (right) edge towards the top (left), the first
  // two in the end colour; a size of 0 paints one strip.
  for (int i = size; i >= 0; i -= strip) {
    if (direction == 1) {
      rect.left = rect.right - strip;
      Fill(hdc, rect, color);
      rect.right = rect.left;
    } else {
      rect.top = rect.bottom - strip;
      Fill(hdc, rect, color);
      rect.bottom = rect.top;
    }
    if (size == 0) break;
    const double done = static_cast<double>(size - i) / size;
    color = gdi::RGB(static_cast<uint8_t>(RoundEven(gdi::GetRValue(end) + done * dr)),
                     static_cast<uint8_t>(RoundEven(gdi::GetGValue(end) + done * dg)),
                     static_cast<uint8_t>(RoundEven(gdi::GetBValue(end) + done * db)));
  }
}

std::string KVXFrame::CompactCaption(std::string text, int width) {
  rt::ResumeNext([&] { gdi::PathCompactPathA(hDC(), text, width); });
  return text;
}

void KVXFrame::TileBitmap(gdi::HDC target, const com::StdPicturePtr& picture, int tileWidth, int tileHeight, int left,
                          int top, int width, int height) {
  // Only bitmaps are tiled; a picture without size would never end.
  if (!picture || picture->Type() != com::vbPicTypeBitmap || tileWidth <= 0 || tileHeight <= 0) return;
  gdi::OwnedDC memory(gdi::CreateCompatibleDC(target));
  gdi::ScopedSelect<gdi::HBITMAP> select(memory.Get(), picture->Bitmap());
  for (int x = left; x < left + width; x += tileWidth) {
    for (int y = top; y < top + height; y += tileHeight) {
      const int w = std::min(tileWidth, left + width - x);
      const int h = std::min(tileHeight, top + height - y);
      gdi::BitBlt(target, x, y, w, h, memory.Get(), 0, 0, gdi::SRCCOPY);
    }
  }
}

void KVXFrame::DrawCaptionIcon(bool shadow, bool pressed) {
  if (!m_captionIcon) return;
  rt::ResumeNext([&] {
    // A collapsed frame shows its CollapseIcon (the caption icon when that
    // is Nothing) and always the plus bullet.
    const bool expandedLook = !m_collapseIcon || m_expandiert;
    const com::StdPicturePtr& picture = expandedLook ? m_captionIcon : m_collapseIcon;
    std::string bullet = m_expandiert ? "BMINUS" : "BPLUS";
    const int reference = m_iconLeft != 0 ? m_iconLeft : WidthPixels();
    const int size = picture ? com::HimetricToPixels(picture->Width()) : 0;
    const gdi::HDC hdc = hDC();
    auto icon = [&](int x, int y, gdi::HBRUSH brush, uint32_t state) {
      DrawPictureState(hdc, picture, x, y, size, size, state, brush);
    };
    auto silhouette = [&](int x, int y) {
      gdi::OwnedBrush brush(gdi::CreateSolidBrush(m_captionIconShadow & 0xFFFFFF));
      icon(x, y, brush.Get(), gdi::DSS_MONO);
    };
    if (shadow && pressed) {
      drawControl();
      if (m_shadowWide != 0) silhouette(reference - size - 4 + m_shadowWide, m_iconTop + m_shadowWide);
      icon(reference - size - 3, m_iconTop + 1, gdi::HBRUSH{}, gdi::DSS_NORMAL);
    } else if (shadow) {
      silhouette(reference - size - 4 + m_shadowWide, m_iconTop + m_shadowWide);
      icon(reference - size - 4, m_iconTop, gdi::HBRUSH{}, gdi::DSS_NORMAL);
    } else {
      icon(reference - size - 4, m_iconTop, gdi::HBRUSH{}, gdi::DSS_NORMAL);
    }
    if (m_showBullet && reference >= 36) {
      if (!(m_enabled && m_expandierbar)) bullet = "BPoint";
      gdi::OwnedBitmap bitmap = LoadBulletBitmap(bullet);
      gdi::DrawStateA(hdc, gdi::HBRUSH{}, bitmap.Get(), 6, 6, 9, 9, gdi::DST_BITMAP);
    }
  });
  Invalidate();
}

void KVXFrame::drawControl() {
  gdi::DrawingSurface& s = Surface();
  const int P = m_captionPixels;
  // 1. The text's left margin (a byte: an IconLeft beyond 0..255 leaves 0).
  int left = 4;
  if (m_showBullet)
    left = 19;
  else if (m_iconLeft != 0)
    left = (m_iconLeft >= 0 && m_iconLeft <= 255) ? m_iconLeft : 0;
  // 2. The whole surface, persistently.
  const int W = s.PixelWidth();
  const int H = s.PixelHeight();
  s.SetAutoRedraw(true);
  s.Cls();
  const gdi::HDC hdc = hDC();
  // 3. The caption band.
  rt::ResumeNext([&] {
    switch (m_captionStyle) {
      case pbHozLines: {
        // Two rows of the A gradient and one of the B gradient per step, two
        // of A to end. A rectangle starting below the surface would show
        // nothing, nor would any after it: the stripes stop there.
        const int32_t steps = m_captionHeight + 1;
        for (int32_t i = 0; i <= steps + 1 && m_captionY + 3 * i < H; ++i) {
          gdi::RECT a{0, m_captionY + 3 * i, W, 3 * i + (i <= steps ? 3 : 2)};
          FillGradient(m_topLeftAColor, m_topRightAColor, a, W, 1);
          if (i > steps) break;
          gdi::RECT b{0, m_captionY + 3 * i + 2, W, 3 * i + 3};
          FillGradient(m_topLeftBColor, m_topRightBColor, b, W, 1);
        }
        break;
      }
      case pbHozSolid: {
        gdi::RECT r{0, m_captionY, W, P};
        FillGradient(m_topLeftAColor, m_topRightAColor, r, P, 2);
        break;
      }
      case pbVerSolid: {
        gdi::RECT r{0, m_captionY, W, P};
        FillGradient(m_topLeftAColor, m_topRightBColor, r, W, 1);
        break;
      }
      case pbSolid:
        Fill(hdc, gdi::RECT{0, m_captionY, W, P}, gdi::OleTranslateColor(m_topLeftAColor));
        break;
      default:
        break;
    }
  });
  // 4. The caption border.
  auto edge = [&](gdi::RECT r, int32_t style) {
    switch (style) {
      case pbLine: {
        gdi::OwnedBrush brush(gdi::CreateSolidBrush(gdi::OleTranslateColor(m_borderColor)));
        gdi::FrameRect(hdc, r, brush.Get());
        break;
      }
      case pbSunken:
        gdi::DrawEdge(hdc, &r, gdi::BDR_SUNKENOUTER, gdi::BF_RECT);
        break;
      case pbThinRaised:
        gdi::DrawEdge(hdc, &r, gdi::BDR_RAISEDINNER, gdi::BF_RECT);
        break;
      case pbRaised:
        gdi::DrawEdge(hdc, &r, gdi::EDGE_RAISED, gdi::BF_RECT);
        break;
      default:
        break;
    }
  };
  rt::ResumeNext([&] { edge(gdi::RECT{1, 1, W - 1, P}, m_captionBorder); });
  // 5. The text colour and font.
  const bool hoverColor = Hovered() && (m_captionHoverMode == OnlyColor || m_captionHoverMode == ColorUnderline);
  rt::ResumeNext([&] { s.SetFont(com::ToSurfaceFont(m_captionFont)); });
  // 6. The text's right edge leaves room for the caption icon.
  int right = W;
  if (m_captionIcon) right = W - com::HimetricToPixels(m_captionIcon->Width());
  // 7. Ampersands show as themselves; the text is shortened to fit.
  const std::string text = CompactCaption(rt::Replace(m_caption, "&", "&&"), right - left - 6);
  // 8. The text, embossed when disabled.
  rt::ResumeNext([&] {
    const uint32_t format = static_cast<uint32_t>(m_captionAlign) | gdi::DT_VCENTER | gdi::DT_SINGLELINE;
    const gdi::COLORREF previous = gdi::GetTextColor(hdc);
    if (m_enabled) {
      gdi::RECT r{left, m_captionTop, right - 4, P};
      gdi::SetTextColor(hdc, gdi::OleTranslateColor(hoverColor ? m_captionFontHoverColor : m_captionFontColor));
      gdi::DrawTextA(hdc, text, -1, &r, format);
    } else {
      gdi::RECT light{left + 1, m_captionTop + 1, right - 3, P + 1};
      gdi::SetTextColor(hdc, gdi::RGB(255, 255, 255));
      gdi::DrawTextA(hdc, text, -1, &light, format);
      gdi::RECT r{left, m_captionTop, right - 4, P};
      gdi::SetTextColor(hdc, gdi::OleTranslateColor(0x80000010));
      gdi::DrawTextA(hdc, text, -1, &r, format);
    }
    gdi::SetTextColor(hdc, previous);
  });
  // 9. The background bitmap, tiled over the body.
  rt::ResumeNext([&] {
    if (!m_backgroundImage || m_backgroundImage->IsEmpty()) return;
    const int tileWidth =
        RoundEven(s.ScaleX(m_backgroundImage->Width(), gdi::vbHimetric, gdi::vbTwips) / gdi::TwipsPerPixelX());
    const int tileHeight =
        RoundEven(s.ScaleY(m_backgroundImage->Height(), gdi::vbHimetric, gdi::vbTwips) / gdi::TwipsPerPixelY());
    TileBitmap(hdc, m_backgroundImage, tileWidth, tileHeight, 0, P, W, H);
  });
  // 10. Round corners in the container's colour.
  gdi::RECT border{0, 0, W, H};
  if (m_captionBorder == pbRound) {
    rt::ResumeNext([&] {
      const int C = WidthPixels();
      gdi::OwnedBrush brush(gdi::CreateSolidBrush(gdi::OleTranslateColor(m_borderRoundColor)));
      for (int i = 0; i < 5; ++i) {
        gdi::FillRect(hdc, gdi::RECT{0, i, kCornerRows[i], i + 1}, brush.Get());
        gdi::FillRect(hdc, gdi::RECT{C - kCornerRows[i], i, C, i + 1}, brush.Get());
      }
    });
    border = gdi::RECT{0, P, W, H};
  }
  // 11. The frame's border.
  rt::ResumeNext([&] {
    if (m_borderStyle == pbLine || m_borderStyle == pbRound) {
      edge(border, pbLine);
      if (m_borderStyle == pbRound) Fill(hdc, gdi::RECT{1, P, W - 1, P + 1}, gdi::OleTranslateColor(BackColor()));
    } else {
      edge(border, m_borderStyle);
    }
  });
  // 12. The plain icon, and the image becomes the background; the hover
  // logic draws the icon itself and keeps drawing persistent.
  if (!Hovered()) {
    DrawCaptionIcon(false, false);
    s.SetAutoRedraw(false);
  }
  Invalidate();
}

}  // namespace kvctl2
