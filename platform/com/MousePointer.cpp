#include "com/MousePointer.h"

#include <utility>

#include "gdi/BitmapBits.h"
#include "gdi/Owned.h"

namespace com {

bool IsValidMousePointer(int16_t pointer) {
  return (pointer >= vbDefault && pointer <= vbSizeAll) || pointer == vbCustom;
}

win::HCURSOR StandardCursorFor(int16_t pointer) {
  switch (pointer) {
    case vbArrow:
    case vbIconPointer:
      return win::LoadCursorA(win::IDC_ARROW);
    case vbCrosshair:
      return win::LoadCursorA(win::IDC_CROSS);
    case vbIbeam:
      return win::LoadCursorA(win::IDC_IBEAM);
    case vbSizePointer:
    case vbSizeAll:
      return win::LoadCursorA(win::IDC_SIZEALL);
    case vbSizeNESW:
      return win::LoadCursorA(win::IDC_SIZENESW);
    case vbSizeNS:
      return win::LoadCursorA(win::IDC_SIZENS);
    case vbSizeNWSE:
      return win::LoadCursorA(win::IDC_SIZENWSE);
    case vbSizeWE:
      return win::LoadCursorA(win::IDC_SIZEWE);
    case vbUpArrow:
      return win::LoadCursorA(win::IDC_UPARROW);
    case vbHourglass:
      return win::LoadCursorA(win::IDC_WAIT);
    case vbNoDrop:
      return win::LoadCursorA(win::IDC_NO);
    case vbArrowHourglass:
      return win::LoadCursorA(win::IDC_APPSTARTING);
    case vbArrowQuestion:
      return win::LoadCursorA(win::IDC_HELP);
    default:
      return win::kNoCursor;
  }
}

CustomCursor::CustomCursor(const StdPicturePtr& picture, std::optional<win::POINT> hotSpot) {
  if (!picture || picture->IsEmpty()) return;
  gdi::OwnedBitmap copy;
  gdi::HBITMAP bitmap = picture->Bitmap();
  if (picture->Type() == vbPicTypeIcon) {
    copy.Reset(gdi::IconToBitmap(picture->Icon()));
    bitmap = copy.Get();
  }
  gdi::SIZE size{};
  std::vector<uint32_t> argb = gdi::GetBitmapArgb(bitmap, &size);
  const win::POINT spot = hotSpot.value_or(win::POINT{size.cx / 2, size.cy / 2});
  m_cursor = win::CreateCursor(size.cx, size.cy, spot, std::move(argb));
}

CustomCursor::~CustomCursor() {
  if (m_cursor != win::kNoCursor) win::DestroyCursor(m_cursor);
}

CustomCursor::CustomCursor(CustomCursor&& other) noexcept : m_cursor(std::exchange(other.m_cursor, win::kNoCursor)) {}

CustomCursor& CustomCursor::operator=(CustomCursor&& other) noexcept {
  if (this != &other) {
    if (m_cursor != win::kNoCursor) win::DestroyCursor(m_cursor);
    m_cursor = std::exchange(other.m_cursor, win::kNoCursor);
  }
  return *this;
}

}  // namespace com
