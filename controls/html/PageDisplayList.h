// The drawn page of the HTML view as a list of drawing operations in page
// pixels, made by the drawing pass. Any part of the page can be drawn
// from it at any time, as often as needed, without laying the page out
// again: the view draws only the parts of the page that it shows, so a
// page of any size costs memory for its operations and for what is on
// screen, not for a picture of the whole page.
//
// Backgrounds of tables and cells lie under everything else, so a fill
// never covers text that lies on it. The text of a link remembers the
// link whose colour it took, so that a hover can recolour that link alone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "com/StdPicture.h"
#include "gdi/DrawingSurface.h"
#include "gdi/Types.h"

namespace kvctl2::html {

// What lies under the page's content.
struct PageBackground {
  uint32_t Color = 0;           // the page colour (OLE colour)
  com::StdPicturePtr Picture;   // the control's picture, at the page's top left
  bool Gradient = false;        // from GradientColor1 to GradientColor2 over the whole page
  float GradientAngle = 0;
  uint32_t GradientColor1 = 0;
  uint32_t GradientColor2 = 0;
  com::StdPicturePtr Tiles;     // tiled over the page from its top left
  int32_t TileWidth = 0;        // the tile's size in pixels
  int32_t TileHeight = 0;
};

// A rectangle of page pixels, right and bottom exclusive.
struct PageBox {
  int64_t Left = 0;
  int64_t Top = 0;
  int64_t Right = 0;
  int64_t Bottom = 0;
  bool Intersects(const PageBox& other) const {
    return Left < other.Right && other.Left < Right && Top < other.Bottom && other.Top < Bottom;
  }
};

class PageDisplayList {
 public:
  static constexpr int32_t kNoLink = -1;
  // A text that may run anywhere across the page.
  static constexpr int64_t kNoClipLeft = INT64_MIN / 4;
  static constexpr int64_t kNoClipRight = INT64_MAX / 4;

  PageBackground Background;

  // Recording, in page pixels. A text stands with the top left of its
  // cell at (x, y), `width` x `height` being its cell; it shows only
  // between clipLeft and clipRight. `link` is the element index of the
  // link whose colour the text has (kNoLink for any other colour).
  void Text(int64_t x, int64_t y, int64_t width, int64_t height, std::string text, int32_t font, uint32_t color,
            int32_t link, int64_t clipLeft, int64_t clipRight);
  // A line of one pixel, both ends included.
  void Line(int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint32_t color);
  // A filled box, both corners included; lies under all but other fills.
  void Fill(int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t color);
  // A picture drawn scaled to width x height at (x, y).
  void Picture(const com::StdPicturePtr& picture, int64_t x, int64_t y, int64_t width, int64_t height);
  // The fonts that texts name by their index.
  int32_t FontIndex(const gdi::SurfaceFont& font);

  // Where anything was drawn: right and bottom (exclusive) of all drawing,
  // text counted only as far as its clip lets it show; 0 without drawing.
  int64_t InkRight() const { return m_inkRight; }
  int64_t InkBottom() const { return m_inkBottom; }

  // Draws the page (of pageWidth x pageHeight) into the target, the
  // page's point (left, top) at the target's top left; the target is in
  // pixels and drawn over whole (beyond the page: the page colour).
  void Draw(gdi::DrawingSurface& target, int64_t left, int64_t top, int64_t pageWidth, int64_t pageHeight) const;

  // Gives the texts of a link the colour and returns the boxes where they lie.
  std::vector<PageBox> Recolour(int32_t link, uint32_t color);

  // The memory the list takes, in bytes (the pictures it draws belong to
  // the control's picture list and are not counted).
  size_t MemoryBytes() const;

  enum class Kind : uint8_t { Text, Line, Fill, Picture };
  // One drawing operation as recorded, for checks of a laid-out page. Box:
  // a text's cell, a line's or fill's pixels, a picture's rectangle.
  struct Item {
    Kind What = Kind::Text;
    PageBox Box;
    int64_t ClipLeft = kNoClipLeft;
    int64_t ClipRight = kNoClipRight;
    std::string_view Text;
    uint32_t Color = 0;
  };
  // Every operation in the order the list draws them (fills first).
  std::vector<Item> Items() const;

 private:
  struct Op {
    Kind What = Kind::Text;
    int32_t Font = 0;   // text: index into m_fonts
    int32_t Link = kNoLink;
    int32_t Data = 0;   // text: index into m_texts; picture: index into m_pictures
    uint32_t Color = 0;
    int64_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;  // text: cell; line: ends; fill: corners; picture: x, y, width, height
    int64_t ClipLeft = kNoClipLeft, ClipRight = kNoClipRight;
    PageBox Bounds;  // where the operation may change pixels
  };
  void Add(Op op, int64_t inkRight, int64_t inkBottom);
  // A line or a fill: both points inside it.
  void AddBox(Kind what, int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint32_t color);
  void DrawBackground(gdi::DrawingSurface& target, int64_t left, int64_t top, int64_t pageWidth,
                      int64_t pageHeight) const;
  void DrawOp(gdi::DrawingSurface& target, const Op& op, int64_t left, int64_t top) const;

  std::vector<Op> m_ops;
  std::vector<std::string> m_texts;
  std::vector<gdi::SurfaceFont> m_fonts;
  std::vector<com::StdPicturePtr> m_pictures;
  int64_t m_inkRight = 0;
  int64_t m_inkBottom = 0;
};

}  // namespace kvctl2::html
