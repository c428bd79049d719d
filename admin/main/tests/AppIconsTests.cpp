// The program's small pictures: each has a transparent background and
// smooth edges, at both sizes the lists use.
#include <gtest/gtest.h>

#include "gdi/BitmapBits.h"
#include "main/AppIcons.h"
#include "runtime/ErrorNumberOf.h"

namespace qvadmin {
namespace {

TEST(AppIcons, TransparentAroundAndSmoothAtTheEdges) {
  for (const std::string& key : AppIconKeys()) {
    for (int size : {16, 24}) {
      const com::StdPicturePtr picture = DrawAppIcon(key, size);
      gdi::SIZE got{};
      const std::vector<uint32_t> argb = gdi::GetBitmapArgb(picture->Bitmap(), &got);
      ASSERT_EQ(got.cx, size) << key;
      int opaque = 0;
      int partial = 0;
      for (uint32_t pixel : argb) {
        const uint32_t alpha = pixel >> 24;
        opaque += alpha == 255;
        partial += alpha > 0 && alpha < 255;
      }
      EXPECT_EQ(argb[0] >> 24, 0u) << key << " " << size;  // the corner shows what lies behind
      EXPECT_GE(opaque, size * size / 8) << key << " " << size;
      EXPECT_GT(partial, 0) << key << " " << size;  // edges pass through shades
    }
  }
  EXPECT_EQ(rt::ErrorNumberOf([] { DrawAppIcon("NoSuchPicture"); }), 35601);
}

}  // namespace
}  // namespace qvadmin
