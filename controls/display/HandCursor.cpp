#include "display/HandCursor.h"

#include <vector>

#include "gdi/BitmapBits.h"
#include "gdi/Bitmaps.h"

namespace kvctl2 {

namespace {

constexpr int kSize = 32;

// The hand's inside as rectangles (left, top, right, bottom; inclusive):
// the raised index finger, three bent fingers, the thumb, palm and wrist.
struct Part {
  int left, top, right, bottom;
};
constexpr Part kHand[] = {
    {12, 3, 13, 15},   // index finger, its tip under the hot spot
    {15, 8, 16, 15},   // middle finger
    {18, 9, 19, 15},   // ring finger
    {21, 10, 22, 16},  // little finger
    {7, 13, 8, 15},    // thumb
    {8, 14, 10, 18},   //
    {11, 15, 22, 22},  // palm
    {12, 16, 14, 16},  // (between the fingers' roots)
    {13, 23, 21, 26},  // wrist
};

bool Inside(int x, int y) {
  for (const Part& p : kHand) {
    if (x >= p.left && x <= p.right && y >= p.top && y <= p.bottom) return true;
  }
  return false;
}

}  // namespace

com::StdPicturePtr HandCursorPicture() {
  // White inside, black where an outside pixel touches the inside (left,
  // right, above or below), transparent elsewhere.
  std::vector<uint32_t> pixels(kSize * kSize, 0u);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (Inside(x, y)) {
        pixels[y * kSize + x] = 0xFFFFFFFF;
      } else if (Inside(x - 1, y) || Inside(x + 1, y) || Inside(x, y - 1) || Inside(x, y + 1)) {
        pixels[y * kSize + x] = 0xFF000000;
      }
    }
  }
  gdi::OwnedBitmap bitmap(gdi::CreateBitmapFromArgb(kSize, kSize, pixels));
  return com::StdPicture::FromIcon(gdi::OwnedIcon(gdi::CreateIconFromBitmap(bitmap.Get())));
}

}  // namespace kvctl2
