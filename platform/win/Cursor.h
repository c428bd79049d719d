// The mouse cursor the layer keeps: the standard cursors (arrow, hourglass,
// hand, ...), custom cursors made from an image with a hot spot, and the
// cursor shown now (SetCursor). A display backend shows the current
// cursor's shape; without a display the layer only keeps it, so tests can
// ask which cursor a window chose.
//
// Which cursor is shown: before every mouse message the window under the
// pointer gets WM_SETCURSOR (see InputRouting.h); a window that sets a
// cursor answers TRUE, and when no window in its parent chain did, the
// router shows the arrow.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "win/Types.h"

namespace win {

// A cursor handle; 0 = none (no cursor shown).
enum class HCURSOR : int32_t {};
inline constexpr HCURSOR kNoCursor = HCURSOR{0};

// Identifiers of the standard cursors (LoadCursorA with no module).
inline constexpr int32_t IDC_ARROW = 32512;
inline constexpr int32_t IDC_IBEAM = 32513;
inline constexpr int32_t IDC_WAIT = 32514;
inline constexpr int32_t IDC_CROSS = 32515;
inline constexpr int32_t IDC_UPARROW = 32516;
inline constexpr int32_t IDC_SIZENWSE = 32642;
inline constexpr int32_t IDC_SIZENESW = 32643;
inline constexpr int32_t IDC_SIZEWE = 32644;
inline constexpr int32_t IDC_SIZENS = 32645;
inline constexpr int32_t IDC_SIZEALL = 32646;
inline constexpr int32_t IDC_NO = 32648;
inline constexpr int32_t IDC_HAND = 32649;
inline constexpr int32_t IDC_APPSTARTING = 32650;
inline constexpr int32_t IDC_HELP = 32651;

// What a cursor looks like. A standard cursor names its identifier (the
// display draws its own image of that kind); a custom one carries its
// image: width x height pixels, 32-bit ARGB with the colour premultiplied
// by alpha, rows top to bottom. The hot spot is the pixel that points.
struct CursorShape {
  int32_t standardId = 0;  // IDC_ value, 0 for a custom cursor
  int width = 32;
  int height = 32;
  POINT hotSpot;
  std::vector<uint32_t> argb;  // empty for a standard cursor
};

// A standard cursor; every call returns the same handle for an identifier,
// 0 for an unknown identifier. Standard cursors are never destroyed.
HCURSOR LoadCursorA(int32_t standardId);
// A custom cursor from an image; 0 when the size does not match the pixels
// or the hot spot lies outside the image.
HCURSOR CreateCursor(int width, int height, POINT hotSpot, std::vector<uint32_t> argb);
// Destroys a custom cursor (the arrow takes its place if it is shown);
// FALSE for a standard or unknown cursor.
BOOL DestroyCursor(HCURSOR cursor);
// The shape of a cursor; nullptr for an unknown handle.
const CursorShape* GetCursorShape(HCURSOR cursor);

// Shows a cursor (0: none) and returns the one shown before.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

// Called with the new cursor whenever the shown cursor changes (the display
// backend maps it to its own cursor); an empty function removes it.
void SetCursorChangedHandler(std::function<void(HCURSOR)> handler);

}  // namespace win
