// The two-tone 3-D frame of tables, cells and pictures, filled boxes, and
// the page's tiled background picture.
#include <algorithm>

#include "gdi/Bitmaps.h"
#include "gdi/Types.h"
#include "html/PagePass.h"

namespace kvctl2::html {

namespace {

constexpr uint32_t kButtonShadow = 0x80000010;
constexpr uint32_t kButtonFace = 0x8000000F;
constexpr uint32_t kWhite = 0xFFFFFF;
// Small tiles are first put together into a block about this wide and
// high, so that a tiny picture does not cost one paint per tile.
constexpr Long kTileBlock = 256;

}  // namespace

void PagePass::FillBox(Long left, Long top, Long right, Long bottom, uint32_t color) {
  if (!m_draw) return;
  m_page.Line(static_cast<double>(left), static_cast<double>(top), static_cast<double>(right),
              static_cast<double>(bottom), color, gdi::LineBox::BoxFilled);
}

void PagePass::Draw3DBorder(bool sunken, Long left, Long top, Long right, Long bottom) {
  const uint32_t dark = kButtonShadow;
  const uint32_t light = m_page.BackColor() == kWhite ? kButtonFace : kWhite;
  const uint32_t topLeft = sunken ? dark : light;
  const uint32_t bottomRight = sunken ? light : dark;
  auto line = [this](uint32_t color, Long x1, Long y1, Long x2, Long y2) { DrawLine(x1, y1, x2, y2, color); };
  line(topLeft, left, top, right, top);
  line(topLeft, left, top, left, bottom);
  line(bottomRight, right, top, right, bottom);
  line(bottomRight, left, bottom, right + 1, bottom);
}

void PagePass::DrawBackgroundTiles(Long offset) {
  std::string source = m_doc.BackgroundSource;
  com::StdPicturePtr picture = com::StdPicture::CreateEmpty();
  m_host.LoadImage(source, picture);
  if (!picture || picture->IsEmpty() || !m_draw) return;
  const Long tileWidth = RoundLong(m_page.ScaleX(picture->Width(), gdi::vbHimetric, gdi::vbPixels));
  const Long tileHeight = RoundLong(m_page.ScaleY(picture->Height(), gdi::vbHimetric, gdi::vbPixels));
  if (tileWidth <= 0 || tileHeight <= 0) return;  // a picture without size cannot be tiled
  const Long rows = RoundLong(m_page.ScaleHeight() / static_cast<double>(tileHeight) + 1);
  const Long columns = RoundLong(m_page.ScaleWidth() / static_cast<double>(tileWidth));
  const Long shift = offset % tileHeight;

  // An opaque picture tiles the same when painted as a block of tiles.
  const bool opaque = picture->Type() == com::vbPicTypeBitmap && !gdi::BitmapHasAlpha(picture->Bitmap());
  const Long across = opaque ? std::max<Long>(1, kTileBlock / tileWidth) : 1;
  const Long down = opaque ? std::max<Long>(1, kTileBlock / tileHeight) : 1;
  auto paint = [this](const com::StdPicture& p, Long x, Long y, Long w, Long h) {
    if (p.Type() == com::vbPicTypeIcon)
      m_page.PaintPicture(p.Icon(), static_cast<double>(x), static_cast<double>(y), static_cast<double>(w),
                          static_cast<double>(h));
    else
      m_page.PaintPicture(p.Bitmap(), static_cast<double>(x), static_cast<double>(y), static_cast<double>(w),
                          static_cast<double>(h));
  };
  if (across == 1 && down == 1) {
    for (Long r = 0; r <= rows; ++r) {
      for (Long c = 0; c <= columns; ++c) paint(*picture, c * tileWidth, r * tileHeight - shift, tileWidth, tileHeight);
    }
    return;
  }
  // The block: one tile painted, then what is done copied beside and below
  // itself until the block is full.
  const int blockWidth = static_cast<int>(across * tileWidth), blockHeight = static_cast<int>(down * tileHeight);
  gdi::DrawingSurface block(blockWidth, blockHeight);
  block.SetScaleMode(gdi::vbPixels);
  block.SetAutoRedraw(true);
  block.PaintPicture(picture->Bitmap(), 0, 0, static_cast<double>(tileWidth), static_cast<double>(tileHeight));
  for (int done = static_cast<int>(tileWidth); done < blockWidth; done *= 2)
    gdi::BitBlt(block.hDC(), done, 0, std::min(done, blockWidth - done), static_cast<int>(tileHeight), block.hDC(), 0,
                0, gdi::SRCCOPY);
  for (int done = static_cast<int>(tileHeight); done < blockHeight; done *= 2)
    gdi::BitBlt(block.hDC(), 0, done, blockWidth, std::min(done, blockHeight - done), block.hDC(), 0, 0, gdi::SRCCOPY);
  // Tiles past the last row and column lie outside the page. The block is
  // opaque: copied, not blended.
  for (Long r = 0; r <= rows; r += down) {
    for (Long c = 0; c <= columns; c += across) {
      gdi::BitBlt(m_page.hDC(), static_cast<int>(c * tileWidth), static_cast<int>(r * tileHeight - shift), blockWidth,
                  blockHeight, block.hDC(), 0, 0, gdi::SRCCOPY);
    }
  }
}

}  // namespace kvctl2::html
