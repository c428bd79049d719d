#include "com/StdPicture.h"

#include <cmath>
#include <filesystem>
#include <vector>

#include "gdi/Bitmaps.h"
#include "gdi/ImageFile.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace com {

int32_t PixelsToHimetric(int pixels) { return static_cast<int32_t>(std::lround(pixels * 2540.0 / 96.0)); }
int HimetricToPixels(int32_t himetric) { return static_cast<int>(std::lround(himetric * 96.0 / 2540.0)); }

StdPicture::StdPicture() {
  DefineReadOnly(
      "Handle", [this] { return rt::Variant(Handle()); }, 0);
  DefineReadOnly("Type", [this] { return rt::Variant(m_type); });
  DefineReadOnly("Width", [this] { return rt::Variant(Width()); });
  DefineReadOnly("Height", [this] { return rt::Variant(Height()); });
}

StdPicturePtr StdPicture::CreateEmpty() { return std::make_shared<StdPicture>(); }

StdPicturePtr StdPicture::FromBitmap(gdi::OwnedBitmap bitmap, std::string sourcePath) {
  auto p = std::make_shared<StdPicture>();
  if (!bitmap) return p;
  p->m_pixelSize = gdi::GetBitmapSize(bitmap.Get());
  p->m_bitmap = std::move(bitmap);
  p->m_type = vbPicTypeBitmap;
  p->m_sourcePath = std::move(sourcePath);
  return p;
}

StdPicturePtr StdPicture::FromIcon(gdi::OwnedIcon icon, std::string sourcePath) {
  auto p = std::make_shared<StdPicture>();
  if (!icon) return p;
  p->m_pixelSize = gdi::GetIconSize(icon.Get());
  p->m_icon = std::move(icon);
  p->m_type = vbPicTypeIcon;
  p->m_sourcePath = std::move(sourcePath);
  return p;
}

StdPicturePtr StdPicture::FromPngData(const std::string& bytes) {
  std::vector<uint8_t> data(bytes.begin(), bytes.end());
  gdi::OwnedBitmap bitmap(gdi::LoadBitmapFromPngBytes(data));
  if (!bitmap) rt::Raise(errInvalidPicture, "LoadPicture", "Invalid picture");
  return FromBitmap(std::move(bitmap));
}

int32_t StdPicture::Handle() const {
  if (m_type == vbPicTypeBitmap) return gdi::ToInt(m_bitmap.Get());
  if (m_type == vbPicTypeIcon) return gdi::ToInt(m_icon.Get());
  return 0;
}

int32_t StdPicture::Width() const { return PixelsToHimetric(m_pixelSize.cx); }
int32_t StdPicture::Height() const { return PixelsToHimetric(m_pixelSize.cy); }

std::string StdPicture::PngData() const {
  std::vector<uint8_t> bytes;
  if (m_type == vbPicTypeBitmap) {
    bytes = gdi::EncodePng(m_bitmap.Get());
  } else if (m_type == vbPicTypeIcon) {
    gdi::OwnedBitmap copy(gdi::IconToBitmap(m_icon.Get()));
    bytes = gdi::EncodePng(copy.Get());
  }
  return std::string(bytes.begin(), bytes.end());
}

void StdPicture::Render(gdi::HDC hdc, int x, int y, int cx, int cy) const {
  if (cx <= 0) cx = m_pixelSize.cx;
  if (cy <= 0) cy = m_pixelSize.cy;
  if (m_type == vbPicTypeBitmap) {
    gdi::AlphaBlendPicture(hdc, x, y, cx, cy, m_bitmap.Get(), 0, 0, m_pixelSize.cx, m_pixelSize.cy);
  } else if (m_type == vbPicTypeIcon) {
    gdi::DrawIconEx(hdc, x, y, m_icon.Get(), cx, cy, 0, gdi::HBRUSH{}, gdi::DI_NORMAL);
  }
}

void SetSurfacePicture(gdi::DrawingSurface& surface, const StdPicturePtr& picture) {
  if (picture && picture->Type() == vbPicTypeBitmap) {
    surface.SetPicture(picture->Bitmap());
  } else if (picture && picture->Type() == vbPicTypeIcon) {
    gdi::OwnedBitmap copy(gdi::IconToBitmap(picture->Icon()));
    surface.SetPicture(copy.Get());
  } else {
    surface.SetPicture(gdi::HBITMAP{});
  }
}

StdPicturePtr LoadPicture(const std::string& path) {
  if (path.empty()) return StdPicture::CreateEmpty();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) rt::Raise(53, path);
  // An icon file gives an icon; other image files a bitmap.
  const std::string extension = rt::LCase(std::filesystem::path(path).extension().string());
  if (extension == ".ico" || extension == ".cur") {
    gdi::OwnedIcon icon(gdi::LoadIconFromImageFile(path));
    if (!icon) rt::Raise(errInvalidPicture, path, "Invalid picture");
    return StdPicture::FromIcon(std::move(icon), path);
  }
  gdi::OwnedBitmap bitmap(gdi::LoadBitmapFromPngFile(path));
  if (!bitmap) bitmap = gdi::OwnedBitmap(gdi::LoadBitmapFromImageFile(path));
  if (!bitmap) rt::Raise(errInvalidPicture, path, "Invalid picture");
  return StdPicture::FromBitmap(std::move(bitmap), path);
}

}  // namespace com
