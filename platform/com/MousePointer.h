// The MousePointer values of controls and the cursors they stand for, and
// custom cursors made from a picture (MousePointer 99 with a MouseIcon).
#pragma once

#include <cstdint>
#include <optional>

#include "com/StdPicture.h"
#include "win/Cursor.h"

namespace com {

inline constexpr int16_t vbDefault = 0;
inline constexpr int16_t vbArrow = 1;
inline constexpr int16_t vbCrosshair = 2;
inline constexpr int16_t vbIbeam = 3;
inline constexpr int16_t vbIconPointer = 4;
inline constexpr int16_t vbSizePointer = 5;
inline constexpr int16_t vbSizeNESW = 6;
inline constexpr int16_t vbSizeNS = 7;
inline constexpr int16_t vbSizeNWSE = 8;
inline constexpr int16_t vbSizeWE = 9;
inline constexpr int16_t vbUpArrow = 10;
inline constexpr int16_t vbHourglass = 11;
inline constexpr int16_t vbNoDrop = 12;
inline constexpr int16_t vbArrowHourglass = 13;
inline constexpr int16_t vbArrowQuestion = 14;
inline constexpr int16_t vbSizeAll = 15;
inline constexpr int16_t vbCustom = 99;

// 0..15 and 99.
bool IsValidMousePointer(int16_t pointer);
// The standard cursor of a pointer value 1..15; none for 0 (the container
// decides) and for 99 (the control's MouseIcon).
win::HCURSOR StandardCursorFor(int16_t pointer);

// A cursor made from a picture and destroyed with it. The hot spot is the
// given pixel, else the picture's centre (as for an icon used as a cursor).
class CustomCursor {
 public:
  CustomCursor() = default;
  CustomCursor(const StdPicturePtr& picture, std::optional<win::POINT> hotSpot);
  ~CustomCursor();
  CustomCursor(CustomCursor&& other) noexcept;
  CustomCursor& operator=(CustomCursor&& other) noexcept;
  CustomCursor(const CustomCursor&) = delete;
  CustomCursor& operator=(const CustomCursor&) = delete;
  // None for an empty picture or none.
  win::HCURSOR Handle() const { return m_cursor; }

 private:
  win::HCURSOR m_cursor = win::kNoCursor;
};

}  // namespace com
