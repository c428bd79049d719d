#include "html/PageImage.h"

#include <algorithm>

#include "gdi/Bitmaps.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "gdi/Shapes.h"
#include "gdi/SysColors.h"

namespace kvctl2::html {

namespace {

int64_t FloorDiv(int64_t value, int64_t by) { return value >= 0 ? value / by : -((-value + by - 1) / by); }

}  // namespace

PageImage::PageImage() : m_renderer(kTile, kTile), m_tileDc(gdi::CreateCompatibleDC()) {
  m_renderer.SetScaleMode(gdi::vbPixels);
  m_renderer.SetAutoRedraw(true);
}

PageImage::~PageImage() = default;

void PageImage::SetPage(std::unique_ptr<PageDisplayList> list, int32_t width, int32_t height) {
  m_list = std::move(list);
  m_width = std::max(1, width);
  m_height = std::max(1, height);
  if (m_list) m_color = m_list->Background.Color;
  m_tiles.clear();
}

void PageImage::SetColor(uint32_t color) {
  m_color = color;
  if (!m_list) m_tiles.clear();
}

void PageImage::SetShownSize(int width, int height) {
  const size_t columns = static_cast<size_t>(std::max(1, width) + kTile - 1) / kTile + 2;
  const size_t rows = static_cast<size_t>(std::max(1, height) + kTile - 1) / kTile + 2;
  m_budget = columns * rows;
  Evict();
}

void PageImage::Evict() const {
  while (m_tiles.size() > m_budget) {
    const auto oldest = std::min_element(m_tiles.begin(), m_tiles.end(),
                                         [](const Tile& a, const Tile& b) { return a.LastUse < b.LastUse; });
    m_tiles.erase(oldest);
  }
}

const PageImage::Tile& PageImage::TileAt(int64_t column, int64_t row) const {
  ++m_uses;
  for (Tile& tile : m_tiles) {
    if (tile.Column == column && tile.Row == row) {
      tile.LastUse = m_uses;
      return tile;
    }
  }
  if (m_list) {
    m_list->Draw(m_renderer, column * kTile, row * kTile, m_width, m_height);
  } else {
    m_renderer.SetBackColor(m_color);
  }
  m_tiles.push_back(Tile{column, row, m_uses, gdi::OwnedBitmap(gdi::CopyBitmap(m_renderer.Image()))});
  Evict();
  return *std::find_if(m_tiles.begin(), m_tiles.end(),
                       [&](const Tile& tile) { return tile.Column == column && tile.Row == row; });
}

void PageImage::CopyTo(gdi::HDC dst, int x, int y, int width, int height, int64_t pageX, int64_t pageY) const {
  if (width <= 0 || height <= 0) return;
  // Beyond the page: its colour.
  if (pageX < 0 || pageY < 0 || pageX + width > m_width || pageY + height > m_height) {
    gdi::OwnedBrush brush(gdi::CreateSolidBrush(gdi::OleTranslateColor(m_color)));
    gdi::FillRect(dst, gdi::RECT{x, y, x + width, y + height}, brush.Get());
  }
  const int64_t left = std::max<int64_t>(pageX, 0), top = std::max<int64_t>(pageY, 0);
  const int64_t right = std::min<int64_t>(pageX + width, m_width), bottom = std::min<int64_t>(pageY + height, m_height);
  if (left >= right || top >= bottom) return;
  for (int64_t row = FloorDiv(top, kTile); row * kTile < bottom; ++row) {
    for (int64_t column = FloorDiv(left, kTile); column * kTile < right; ++column) {
      const Tile& tile = TileAt(column, row);
      const int64_t fromX = std::max(left, column * kTile), toX = std::min(right, (column + 1) * kTile);
      const int64_t fromY = std::max(top, row * kTile), toY = std::min(bottom, (row + 1) * kTile);
      gdi::ScopedSelect<gdi::HBITMAP> select(m_tileDc.Get(), tile.Bitmap.Get());
      gdi::BitBlt(dst, x + static_cast<int>(fromX - pageX), y + static_cast<int>(fromY - pageY),
                  static_cast<int>(toX - fromX), static_cast<int>(toY - fromY), m_tileDc.Get(),
                  static_cast<int>(fromX - column * kTile), static_cast<int>(fromY - row * kTile), gdi::SRCCOPY);
    }
  }
}

int64_t PageImage::Point(int64_t x, int64_t y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return -1;
  const Tile& tile = TileAt(x / kTile, y / kTile);
  gdi::ScopedSelect<gdi::HBITMAP> select(m_tileDc.Get(), tile.Bitmap.Get());
  return gdi::GetPixel(m_tileDc.Get(), static_cast<int>(x % kTile), static_cast<int>(y % kTile));
}

void PageImage::Recolour(int32_t link, uint32_t color) {
  if (!m_list) return;
  const std::vector<PageBox> boxes = m_list->Recolour(link, color);
  if (boxes.empty()) return;
  std::erase_if(m_tiles, [&](const Tile& tile) {
    const PageBox area{tile.Column * kTile, tile.Row * kTile, (tile.Column + 1) * kTile, (tile.Row + 1) * kTile};
    return std::any_of(boxes.begin(), boxes.end(), [&](const PageBox& box) { return box.Intersects(area); });
  });
}

size_t PageImage::MemoryBytes() const {
  const size_t tileBytes = size_t{kTile} * kTile * 4;
  // The renderer keeps a persistent and a shown picture of one tile.
  return sizeof(*this) + (m_list ? m_list->MemoryBytes() : 0) + (m_tiles.size() + 2) * tileBytes;
}

}  // namespace kvctl2::html
