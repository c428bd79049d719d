#include "html/HtmlCursors.h"

#include <array>
#include <map>
#include <string>
#include <vector>

#include "display/HandCursor.h"
#include "gdi/BitmapBits.h"
#include "gdi/Bitmaps.h"
#include "gdi/Owned.h"

namespace kvctl2::html {

namespace {

// 32 x 32 pictures: '#' black, '.' white, ' ' transparent.
using Picture = std::array<const char*, 32>;

struct Resource {
  std::string_view name;
  int hotX, hotY;
  Picture rows;
};

// clang-format off
const std::array<Resource, 2> kHands{{
    {"ZHANDU", 15, 15,  // an open hand: the page can be dragged
     {
      "                                ",
      "                                ",
      "                                ",
      "              ##                ",
      "          ## #..# ##            ",
      "         #..##..##..#           ",
      "         #..##..##..# ##        ",
      "         #..##..##..##..#       ",
      "         #..##..##..##..#       ",
      "     ##  #..##..##..##..#       ",
      "    #..# #..##..##..##..#       ",
      "    #...##..............#       ",
      "     #..#...............#       ",
      "      #.................#       ",
      "      #................#        ",
      "       #...............#        ",
      "       #..............#         ",
      "        #.............#         ",
      "        #............#          ",
      "         #...........#          ",
      "         #...........#          ",
      "         #############          ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
     }},
    {"ZHANDD", 15, 15,  // a closed, grabbing hand: the page is being dragged
     {
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "          ## ## ##              ",
      "         #..#..#..##            ",
      "         #..#..#..#.#           ",
      "       ###..#..#..#..#          ",
      "      #..#...........#          ",
      "      #...............#         ",
      "       #..............#         ",
      "        #.............#         ",
      "        #............#          ",
      "         #...........#          ",
      "         #...........#          ",
      "         #############          ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
      "                                ",
     }},
}};
// clang-format on

com::StdPicturePtr PictureOf(const Picture& rows) {
  std::vector<uint32_t> argb;
  argb.reserve(32 * 32);
  for (const char* row : rows) {
    for (int x = 0; x < 32; ++x) argb.push_back(row[x] == '#' ? 0xFF000000u : row[x] == '.' ? 0xFFFFFFFFu : 0u);
  }
  gdi::OwnedBitmap bitmap(gdi::CreateBitmapFromArgb(32, 32, argb));
  return com::StdPicture::FromIcon(gdi::OwnedIcon(gdi::CreateIconFromBitmap(bitmap.Get())));
}

}  // namespace

const CursorResource& LoadCursorResource(std::string_view name) {
  // Kept for the whole run, as resources are (never destroyed at exit).
  static auto* loaded = new std::map<std::string, CursorResource, std::less<>>();
  if (auto it = loaded->find(name); it != loaded->end()) return it->second;
  CursorResource cursor{com::StdPicture::CreateEmpty(), win::POINT{}};
  if (name == "HAND") cursor = {HandCursorPicture(), kHandHotSpot};
  for (const Resource& r : kHands) {
    if (r.name == name) cursor = {PictureOf(r.rows), win::POINT{r.hotX, r.hotY}};
  }
  return loaded->emplace(std::string(name), std::move(cursor)).first->second;
}

}  // namespace kvctl2::html
