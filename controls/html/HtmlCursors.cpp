#include "html/HtmlCursors.h"

#include <array>

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
const std::array<Resource, 3> kCursors{{
    {"HAND", 12, 2,  // a hand pointing up; the hot spot is the fingertip
     {
      "                                ",
      "            ##                  ",
      "           #..#                 ",
      "           #..#                 ",
      "           #..#                 ",
      "           #..#                 ",
      "           #..###               ",
      "           #..#..##             ",
      "           #..#..#.##           ",
      "           #..#..#..#.#         ",
      "       ##  #..#..#..#..#        ",
      "      #..# #..........#.#       ",
      "      #...##............#       ",
      "       #..#.............#       ",
      "        #...............#       ",
      "        #..............#        ",
      "         #.............#        ",
      "         #............#         ",
      "          #...........#         ",
      "          #...........#         ",
      "          #############         ",
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

}  // namespace

std::optional<CursorImage> LoadCursorResource(std::string_view name) {
  for (const Resource& r : kCursors) {
    if (r.name != name) continue;
    CursorImage image;
    image.HotSpot = win::POINT{r.hotX, r.hotY};
    image.Argb.reserve(32 * 32);
    for (const char* row : r.rows) {
      for (int x = 0; x < 32; ++x) {
        const char c = row[x];
        image.Argb.push_back(c == '#' ? 0xFF000000u : c == '.' ? 0xFFFFFFFFu : 0u);
      }
    }
    return image;
  }
  return std::nullopt;
}

}  // namespace kvctl2::html
