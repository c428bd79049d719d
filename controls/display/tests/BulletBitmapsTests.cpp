#include <gtest/gtest.h>

#include "display/BulletBitmaps.h"
#include "gdi/Gdi.h"

namespace kvctl2 {
namespace {

// Each bullet as rows of characters: '#' black, '.' white, 'o' a grey.
std::vector<std::string> Rows(std::string_view name) {
  gdi::OwnedBitmap bitmap = LoadBulletBitmap(name);
  gdi::OwnedDC dc(gdi::CreateCompatibleDC());
  gdi::ScopedSelect<gdi::HBITMAP> select(dc.Get(), bitmap.Get());
  std::vector<std::string> rows;
  for (int y = 0; y < 9; ++y) {
    std::string row;
    for (int x = 0; x < 9; ++x) {
      const gdi::COLORREF c = gdi::GetPixel(dc.Get(), x, y);
      row += c == 0 ? '#' : c == gdi::RGB(255, 255, 255) ? '.' : 'o';
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(BulletBitmaps, MinusPlusAndPointInAShadedSquare) {
  EXPECT_EQ(Rows("BPLUS"), (std::vector<std::string>{"#########", "#...oooo#", "#..o#ooo#", "#.oo#ooo#", "#o#####o#",
                                                     "#ooo#ooo#", "#ooo#ooo#", "#ooooooo#", "#########"}));
  EXPECT_EQ(Rows("bminus")[4], "#o#####o#");
  EXPECT_EQ(Rows("BMINUS")[7], "#ooooo..#");  // white at the bottom right: pressed
  EXPECT_EQ(Rows("BPoint")[4], "#ooo#ooo#");
  EXPECT_EQ(Rows("BPoint")[3], "#.oooooo#");
  EXPECT_FALSE(LoadBulletBitmap("BOTHER"));
}

}  // namespace
}  // namespace kvctl2
