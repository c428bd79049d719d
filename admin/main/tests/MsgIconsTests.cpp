// The main window's message icons are drawn smooth: their round and slanted
// edges pass through shades between the shape's colours and the face.
#include <gtest/gtest.h>

#include <set>

#include "gdi/Bitmaps.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "gdi/Owned.h"
#include "gdi/Shapes.h"
#include "main/MsgIcons.h"

namespace qvadmin {
namespace {

TEST(MsgIcons, EdgesAreSmooth) {
  for (const com::StdPicturePtr& icon : {DrawMsgErrorPicture(), DrawMsgDeletePicture()}) {
    ASSERT_TRUE(icon);
    EXPECT_EQ(gdi::GetBitmapSize(icon->Bitmap()).cx, 32);
    gdi::OwnedDC dc(gdi::CreateCompatibleDC());
    gdi::ScopedSelect<gdi::HBITMAP> selected(dc.Get(), icon->Bitmap());
    std::set<gdi::COLORREF> colours;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) colours.insert(gdi::GetPixel(dc.Get(), x, y));
    EXPECT_GE(colours.size(), 8u);  // drawn without smoothing they have four or five
  }
}

}  // namespace
}  // namespace qvadmin
