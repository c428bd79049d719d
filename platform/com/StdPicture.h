// The picture object: a bitmap or an icon of the drawing layer, or no image
// at all. An empty picture (a picture object whose Type is none) differs
// from Nothing (no picture object): a property can hold either. Width and
// Height are in HIMETRIC (hundredths of a millimetre), as the picture
// object reports them: pixels * 2540 / 96, rounded.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "com/Dispatch.h"
#include "gdi/DrawingSurface.h"
#include "gdi/Owned.h"

namespace com {

inline constexpr int16_t vbPicTypeNone = 0;
inline constexpr int16_t vbPicTypeBitmap = 1;
inline constexpr int16_t vbPicTypeIcon = 3;

// Error raised for data that is no readable picture.
inline constexpr int32_t errInvalidPicture = 481;

class StdPicture;
using StdPicturePtr = std::shared_ptr<StdPicture>;

class StdPicture : public Dispatch {
 public:
  StdPicture();
  std::string TypeName() const override { return "Picture"; }

  static StdPicturePtr CreateEmpty();
  // Takes ownership of the handle.
  static StdPicturePtr FromBitmap(gdi::OwnedBitmap bitmap, std::string sourcePath = {});
  static StdPicturePtr FromIcon(gdi::OwnedIcon icon, std::string sourcePath = {});
  // A picture from PNG bytes; raises 481 when they are not a readable PNG.
  static StdPicturePtr FromPngData(const std::string& bytes);

  int16_t Type() const { return m_type; }
  bool IsEmpty() const { return m_type == vbPicTypeNone; }
  // The drawing layer's handle as a 32-bit integer (0 for an empty picture).
  int32_t Handle() const;
  gdi::HBITMAP Bitmap() const { return m_bitmap.Get(); }
  gdi::HICON Icon() const { return m_icon.Get(); }
  // Size in HIMETRIC and in pixels.
  int32_t Width() const;
  int32_t Height() const;
  int PixelWidth() const { return m_pixelSize.cx; }
  int PixelHeight() const { return m_pixelSize.cy; }
  // The file the picture was loaded from, empty for one made in memory.
  const std::string& SourcePath() const { return m_sourcePath; }
  // The image as PNG bytes (empty for an empty picture).
  std::string PngData() const;

  // Draws the picture into `hdc` at (x, y) scaled to cx x cy pixels (0
  // takes the picture's own size), through its alpha. Nothing for an
  // empty picture.
  void Render(gdi::HDC hdc, int x, int y, int cx = 0, int cy = 0) const;

 private:
  int16_t m_type = vbPicTypeNone;
  gdi::OwnedBitmap m_bitmap;
  gdi::OwnedIcon m_icon;
  gdi::SIZE m_pixelSize;
  std::string m_sourcePath;
};

// Loads a picture from an image file (the runtime's LoadPicture): PNG,
// BMP, GIF, JPEG as a bitmap, ICO as an icon; an empty path gives an empty
// picture. Raises 53 for a missing file and 481 for a file that is no
// readable picture.
StdPicturePtr LoadPicture(const std::string& path);

// Makes the picture the background picture of a drawing surface (null or
// empty: none).
void SetSurfacePicture(gdi::DrawingSurface& surface, const StdPicturePtr& picture);

// HIMETRIC from pixels at 96 dpi, and back.
int32_t PixelsToHimetric(int pixels);
int HimetricToPixels(int32_t himetric);

}  // namespace com
