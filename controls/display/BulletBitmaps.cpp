#include "display/BulletBitmaps.h"

#include <array>
#include <cstdint>
#include <vector>

#include "gdi/BitmapBits.h"
#include "runtime/Strings.h"

namespace kvctl2 {

namespace {

constexpr int kSize = 9;
// The interior's greys from light to dark.
constexpr std::array<uint32_t, 6> kGreys = {0xFFFFFFFF, 0xFFF7F7F7, 0xFFEFEFEF, 0xFFE7E7E7, 0xFFDEDEDE, 0xFFD6D6D6};
constexpr uint32_t kBlack = 0xFF000000;

enum class Mark { Minus, Plus, Point };

gdi::OwnedBitmap Make(Mark mark, bool lightAtTopLeft) {
  std::vector<uint32_t> pixels(kSize * kSize, kBlack);
  for (int y = 1; y < kSize - 1; ++y) {
    for (int x = 1; x < kSize - 1; ++x) {
      // The 13 diagonals of the interior, spread over the six greys.
      const int diagonal = (x - 1) + (y - 1);
      const int shade = diagonal * static_cast<int>(kGreys.size()) / 13;
      pixels[y * kSize + x] = kGreys[lightAtTopLeft ? shade : kGreys.size() - 1 - shade];
    }
  }
  const int centre = kSize / 2;
  auto set = [&](int x, int y) { pixels[y * kSize + x] = kBlack; };
  if (mark == Mark::Point) {
    set(centre, centre);
  } else {
    for (int i = 2; i <= 6; ++i) set(i, centre);
    if (mark == Mark::Plus) {
      for (int i = 2; i <= 6; ++i) set(centre, i);
    }
  }
  return gdi::OwnedBitmap(gdi::CreateBitmapFromArgb(kSize, kSize, pixels));
}

}  // namespace

gdi::OwnedBitmap LoadBulletBitmap(std::string_view name) {
  const std::string key = rt::UCase(name);
  if (key == "BMINUS") return Make(Mark::Minus, false);
  if (key == "BPLUS") return Make(Mark::Plus, true);
  if (key == "BPOINT") return Make(Mark::Point, true);
  return {};
}

}  // namespace kvctl2
