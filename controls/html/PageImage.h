// The page picture of the HTML view: the drawn page of any size, held as
// its display list and drawn in square tiles only where it is shown. The
// tiles drawn last are kept, as many as cover the shown part of the page
// and a row and a column more, so scrolling copies from them and draws
// only the tiles that come into view; a page of any height or width costs
// its display list and those tiles.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gdi/DrawingSurface.h"
#include "gdi/Owned.h"
#include "html/PageDisplayList.h"

namespace kvctl2::html {

class PageImage {
 public:
  static constexpr int kTile = 256;  // pixels on a side

  PageImage();
  ~PageImage();
  PageImage(const PageImage&) = delete;
  PageImage& operator=(const PageImage&) = delete;

  // A new page: its display list and size in pixels. Drops every tile.
  void SetPage(std::unique_ptr<PageDisplayList> list, int32_t width, int32_t height);
  // The page's colour without any page (before the first one).
  void SetColor(uint32_t color);
  int32_t PixelWidth() const { return m_width; }
  int32_t PixelHeight() const { return m_height; }
  const PageDisplayList* DisplayList() const { return m_list.get(); }

  // How much of the page is shown at once, in pixels: sets how many tiles
  // are kept.
  void SetShownSize(int width, int height);

  // Copies the page's rectangle of width x height at (pageX, pageY) to
  // (x, y) of the device context; beyond the page: the page colour.
  void CopyTo(gdi::HDC dst, int x, int y, int width, int height, int64_t pageX, int64_t pageY) const;
  // The RGB colour of a page pixel; -1 outside the page.
  int64_t Point(int64_t x, int64_t y) const;

  // Gives the texts of a link the colour; the tiles they lie on are drawn
  // again when next shown.
  void Recolour(int32_t link, uint32_t color);

  // The memory the page picture takes: its display list and its tiles.
  size_t MemoryBytes() const;

 private:
  struct Tile {
    int64_t Column = 0;
    int64_t Row = 0;
    uint64_t LastUse = 0;
    gdi::OwnedBitmap Bitmap;
  };
  const Tile& TileAt(int64_t column, int64_t row) const;
  void Evict() const;

  std::unique_ptr<PageDisplayList> m_list;
  int32_t m_width = 1;
  int32_t m_height = 1;
  uint32_t m_color = 0;
  size_t m_budget = 16;  // tiles kept
  // The tiles drawn so far and what draws them (kept across calls).
  mutable std::vector<Tile> m_tiles;
  mutable uint64_t m_uses = 0;
  mutable gdi::DrawingSurface m_renderer;
  mutable gdi::OwnedDC m_tileDc;
};

}  // namespace kvctl2::html
