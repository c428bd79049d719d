// The two-tone 3-D frame of tables, cells and pictures, filled boxes, and
// the page's tiled background picture.
#include "html/PagePass.h"

namespace kvctl2::html {

namespace {

constexpr uint32_t kButtonShadow = 0x80000010;
constexpr uint32_t kButtonFace = 0x8000000F;
constexpr uint32_t kWhite = 0xFFFFFF;

}  // namespace

void PagePass::FillBox(Long left, Long top, Long right, Long bottom, uint32_t color) {
  if (m_draw) m_page.Fill(left, top, right, bottom, color);
}

void PagePass::Draw3DBorder(bool sunken, Long left, Long top, Long right, Long bottom) {
  const uint32_t dark = kButtonShadow;
  const uint32_t light = m_page.BackColor() == kWhite ? kButtonFace : kWhite;
  const uint32_t topLeft = sunken ? dark : light;
  const uint32_t bottomRight = sunken ? light : dark;
  m_page.Line(left, top, right, top, topLeft);
  m_page.Line(left, top, left, bottom, topLeft);
  m_page.Line(right, top, right, bottom, bottomRight);
  m_page.Line(left, bottom, right + 1, bottom, bottomRight);
}

void PagePass::DrawBackgroundTiles() {
  // The host is asked on every pass; the picture is tiled over the whole
  // page from its top left wherever the page is drawn.
  std::string source = m_doc.BackgroundSource;
  com::StdPicturePtr picture = com::StdPicture::CreateEmpty();
  m_host.LoadImage(source, picture);
  PageDisplayList* record = m_page.Record();
  if (!picture || picture->IsEmpty() || !record) return;
  const Long tileWidth = RoundLong(m_page.ScaleX(picture->Width(), gdi::vbHimetric, gdi::vbPixels));
  const Long tileHeight = RoundLong(m_page.ScaleY(picture->Height(), gdi::vbHimetric, gdi::vbPixels));
  if (tileWidth <= 0 || tileHeight <= 0) return;  // a picture without size cannot be tiled
  record->Background.Tiles = picture;
  record->Background.TileWidth = static_cast<int32_t>(tileWidth);
  record->Background.TileHeight = static_cast<int32_t>(tileHeight);
}

}  // namespace kvctl2::html
