#include "html/PageDisplayList.h"

#include <algorithm>

#include "gdi/Bitmaps.h"
#include "gdi/DeviceContext.h"
#include "gdi/Owned.h"
#include "services/CGradient.h"

namespace kvctl2::html {

namespace {

// Coordinates handed to the drawing layer stay well inside its int range;
// beyond the target a clamped box or line draws the same pixels.
constexpr int64_t kFar = int64_t{1} << 29;
// Small pictures are tiled as a block of tiles about this large, so that a
// tiny picture does not cost one paint per tile.
constexpr int64_t kTileBlock = 256;

double Near(int64_t value) { return static_cast<double>(std::clamp(value, -kFar, kFar)); }

// Italic and bold glyphs may reach a little beyond their advance.
int64_t Overhang(int64_t height) { return height / 2 + 1; }

void PaintPictureAt(gdi::DrawingSurface& target, const com::StdPicture& picture, double x, double y, double width,
                    double height) {
  if (picture.Type() == com::vbPicTypeIcon)
    target.PaintPicture(picture.Icon(), x, y, width, height);
  else
    target.PaintPicture(picture.Bitmap(), x, y, width, height);
}

}  // namespace

void PageDisplayList::Add(Op op, int64_t inkRight, int64_t inkBottom) {
  m_inkRight = std::max(m_inkRight, inkRight);
  m_inkBottom = std::max(m_inkBottom, inkBottom);
  m_ops.push_back(std::move(op));
}

int32_t PageDisplayList::FontIndex(const gdi::SurfaceFont& font) {
  const auto it = std::find(m_fonts.begin(), m_fonts.end(), font);
  if (it != m_fonts.end()) return static_cast<int32_t>(it - m_fonts.begin());
  m_fonts.push_back(font);
  return static_cast<int32_t>(m_fonts.size() - 1);
}

void PageDisplayList::Text(int64_t x, int64_t y, int64_t width, int64_t height, std::string text, int32_t font,
                           uint32_t color, int32_t link, int64_t clipLeft, int64_t clipRight) {
  Op op;
  op.What = Kind::Text;
  op.Font = font;
  op.Link = link;
  op.Data = static_cast<int32_t>(m_texts.size());
  op.Color = color;
  op.X1 = x;
  op.Y1 = y;
  op.X2 = x + width;
  op.Y2 = y + height;
  op.ClipLeft = clipLeft;
  op.ClipRight = clipRight;
  const int64_t overhang = Overhang(height);
  op.Bounds = {std::max(x - overhang, clipLeft), y, std::min(x + width + overhang, clipRight), y + height};
  if (op.Bounds.Right <= op.Bounds.Left) return;  // nothing of it shows
  m_texts.push_back(std::move(text));
  Add(std::move(op), std::min(x + width, clipRight), y + height);
}

void PageDisplayList::AddBox(Kind what, int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint32_t color) {
  Op op;
  op.What = what;
  op.Color = color;
  op.X1 = x1;
  op.Y1 = y1;
  op.X2 = x2;
  op.Y2 = y2;
  op.Bounds = {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
  Add(op, op.Bounds.Right, op.Bounds.Bottom);
}

void PageDisplayList::Line(int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint32_t color) {
  AddBox(Kind::Line, x1, y1, x2, y2, color);
}

void PageDisplayList::Fill(int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t color) {
  AddBox(Kind::Fill, left, top, right, bottom, color);
}

void PageDisplayList::Picture(const com::StdPicturePtr& picture, int64_t x, int64_t y, int64_t width,
                              int64_t height) {
  if (!picture || picture->IsEmpty() || width <= 0 || height <= 0) return;
  Op op;
  op.What = Kind::Picture;
  op.Data = static_cast<int32_t>(m_pictures.size());
  op.X1 = x;
  op.Y1 = y;
  op.X2 = width;
  op.Y2 = height;
  op.Bounds = {x, y, x + width, y + height};
  m_pictures.push_back(picture);
  Add(op, op.Bounds.Right, op.Bounds.Bottom);
}

std::vector<PageBox> PageDisplayList::Recolour(int32_t link, uint32_t color) {
  std::vector<PageBox> boxes;
  if (link == kNoLink) return boxes;
  for (Op& op : m_ops) {
    if (op.What != Kind::Text || op.Link != link || op.Color == color) continue;
    op.Color = color;
    boxes.push_back(op.Bounds);
  }
  return boxes;
}

void PageDisplayList::DrawBackground(gdi::DrawingSurface& target, int64_t left, int64_t top, int64_t pageWidth,
                                     int64_t pageHeight) const {
  const PageBackground& b = Background;
  target.SetBackColor(b.Color);  // clears the whole target
  const gdi::HDC hdc = target.hDC();
  if (b.Picture && !b.Picture->IsEmpty())
    PaintPictureAt(target, *b.Picture, Near(-left), Near(-top), b.Picture->PixelWidth(), b.Picture->PixelHeight());
  const int64_t width = target.PixelWidth(), height = target.PixelHeight();
  if (b.Gradient) {
    CGradient gradient;
    gradient.SetAngle(b.GradientAngle);
    gradient.SetColor1(b.GradientColor1);
    gradient.SetColor2(b.GradientColor2);
    const gdi::RECT page{static_cast<int>(Near(-left)), static_cast<int>(Near(-top)),
                         static_cast<int>(Near(pageWidth - left)), static_cast<int>(Near(pageHeight - top))};
    gradient.Paint(hdc, page, gdi::RECT{0, 0, static_cast<int>(width), static_cast<int>(height)});
  }
  if (!b.Tiles || b.Tiles->IsEmpty() || b.TileWidth <= 0 || b.TileHeight <= 0) return;
  // An opaque picture tiles the same when painted as a block of tiles,
  // copied rather than blended.
  const int64_t tileWidth = b.TileWidth, tileHeight = b.TileHeight;
  const bool opaque = b.Tiles->Type() == com::vbPicTypeBitmap && !gdi::BitmapHasAlpha(b.Tiles->Bitmap());
  const int64_t across = opaque ? std::max<int64_t>(1, kTileBlock / tileWidth) : 1;
  const int64_t down = opaque ? std::max<int64_t>(1, kTileBlock / tileHeight) : 1;
  const int64_t stepX = across * tileWidth, stepY = down * tileHeight;
  const int64_t firstX = left / stepX * stepX, firstY = top / stepY * stepY;
  if (across == 1 && down == 1) {
    for (int64_t y = firstY; y < top + height; y += stepY) {
      for (int64_t x = firstX; x < left + width; x += stepX)
        PaintPictureAt(target, *b.Tiles, Near(x - left), Near(y - top), static_cast<double>(tileWidth),
                       static_cast<double>(tileHeight));
    }
    return;
  }
  // The block: one tile painted, then what is done copied beside and below
  // itself until the block is full.
  const int blockWidth = static_cast<int>(stepX), blockHeight = static_cast<int>(stepY);
  gdi::DrawingSurface block(blockWidth, blockHeight);
  block.SetScaleMode(gdi::vbPixels);
  block.SetAutoRedraw(true);
  block.PaintPicture(b.Tiles->Bitmap(), 0, 0, static_cast<double>(tileWidth), static_cast<double>(tileHeight));
  for (int done = static_cast<int>(tileWidth); done < blockWidth; done *= 2)
    gdi::BitBlt(block.hDC(), done, 0, std::min(done, blockWidth - done), static_cast<int>(tileHeight), block.hDC(), 0,
                0, gdi::SRCCOPY);
  for (int done = static_cast<int>(tileHeight); done < blockHeight; done *= 2)
    gdi::BitBlt(block.hDC(), 0, done, blockWidth, std::min(done, blockHeight - done), block.hDC(), 0, 0, gdi::SRCCOPY);
  for (int64_t y = firstY; y < top + height; y += stepY) {
    for (int64_t x = firstX; x < left + width; x += stepX)
      gdi::BitBlt(hdc, static_cast<int>(x - left), static_cast<int>(y - top), blockWidth, blockHeight, block.hDC(), 0,
                  0, gdi::SRCCOPY);
  }
}

void PageDisplayList::DrawOp(gdi::DrawingSurface& target, const Op& op, int64_t left, int64_t top) const {
  switch (op.What) {
    case Kind::Text: {
      const gdi::SurfaceFont& font = m_fonts[static_cast<size_t>(op.Font)];
      if (!(target.Font() == font)) target.SetFont(font);
      target.SetForeColor(op.Color);
      target.SetCurrentX(static_cast<double>(op.X1 - left));
      target.SetCurrentY(static_cast<double>(op.Y1 - top));
      if (op.ClipLeft == kNoClipLeft && op.ClipRight == kNoClipRight) {
        target.Print(m_texts[static_cast<size_t>(op.Data)], false);
        break;
      }
      const gdi::HDC hdc = target.hDC();
      const int saved = gdi::SaveDC(hdc);
      gdi::IntersectClipRect(hdc, static_cast<int>(Near(op.ClipLeft - left)), 0,
                             static_cast<int>(Near(op.ClipRight - left)), target.PixelHeight());
      target.Print(m_texts[static_cast<size_t>(op.Data)], false);
      gdi::RestoreDC(hdc, saved);
      break;
    }
    case Kind::Line:
      target.Line(Near(op.X1 - left), Near(op.Y1 - top), Near(op.X2 - left), Near(op.Y2 - top), op.Color);
      break;
    case Kind::Fill:
      target.Line(Near(op.X1 - left), Near(op.Y1 - top), Near(op.X2 - left), Near(op.Y2 - top), op.Color,
                  gdi::LineBox::BoxFilled);
      break;
    case Kind::Picture:
      PaintPictureAt(target, *m_pictures[static_cast<size_t>(op.Data)], Near(op.X1 - left), Near(op.Y1 - top),
                     Near(op.X2), Near(op.Y2));
      break;
  }
}

void PageDisplayList::Draw(gdi::DrawingSurface& target, int64_t left, int64_t top, int64_t pageWidth,
                           int64_t pageHeight) const {
  DrawBackground(target, left, top, pageWidth, pageHeight);
  const PageBox shown{left, top, left + target.PixelWidth(), top + target.PixelHeight()};
  // Fills first, then everything else, each in the order it was drawn.
  for (const bool fills : {true, false}) {
    for (const Op& op : m_ops) {
      if ((op.What == Kind::Fill) == fills && op.Bounds.Intersects(shown)) DrawOp(target, op, left, top);
    }
  }
}

std::vector<PageDisplayList::Item> PageDisplayList::Items() const {
  std::vector<Item> items;
  items.reserve(m_ops.size());
  for (const bool fills : {true, false}) {
    for (const Op& op : m_ops) {
      if ((op.What == Kind::Fill) != fills) continue;
      Item item{op.What, op.Bounds, op.ClipLeft, op.ClipRight, {}, op.Color};
      if (op.What == Kind::Text) {
        item.Box = {op.X1, op.Y1, op.X2, op.Y2};
        item.Text = m_texts[static_cast<size_t>(op.Data)];
      }
      items.push_back(item);
    }
  }
  return items;
}

size_t PageDisplayList::MemoryBytes() const {
  size_t bytes = sizeof(*this) + m_ops.capacity() * sizeof(Op) + m_texts.capacity() * sizeof(std::string) +
                 m_fonts.capacity() * sizeof(gdi::SurfaceFont) + m_pictures.capacity() * sizeof(com::StdPicturePtr);
  for (const std::string& text : m_texts) {
    if (text.capacity() > sizeof(std::string)) bytes += text.capacity();
  }
  return bytes;
}

}  // namespace kvctl2::html
