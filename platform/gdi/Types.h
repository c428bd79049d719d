// The drawing layer's basic types: distinct handle types for device
// contexts and drawing objects, and the flag values of the drawing calls.
// Geometry (RECT, POINT, SIZE) and colours (COLORREF 0x00BBGGRR, RGB) are
// the window layer's, so a rectangle means the same thing in both layers.
#pragma once

#include <cstdint>
#include <string>

#include "win/Types.h"

namespace gdi {

using win::COLORREF;
using win::POINT;
using win::RECT;
using win::RGB;
using win::SIZE;

constexpr uint8_t GetRValue(COLORREF c) noexcept { return static_cast<uint8_t>(c & 0xFF); }
constexpr uint8_t GetGValue(COLORREF c) noexcept { return static_cast<uint8_t>((c >> 8) & 0xFF); }
constexpr uint8_t GetBValue(COLORREF c) noexcept { return static_cast<uint8_t>((c >> 16) & 0xFF); }

// Handles are small positive integers, 0 = none. Each kind is its own type,
// so a font cannot be passed where a brush is expected.
enum class HDC : int32_t {};
enum class HPEN : int32_t {};
enum class HBRUSH : int32_t {};
enum class HFONT : int32_t {};
enum class HBITMAP : int32_t {};
enum class HICON : int32_t {};
enum class HRGN : int32_t {};

// Any drawing object, as SelectObject, DeleteObject and GetStockObject
// take or return it. Converts from every object handle; converting back
// is explicit (HBRUSH(GetStockObject(WHITE_BRUSH)).
class HGDIOBJ {
 public:
  constexpr HGDIOBJ() = default;
  constexpr explicit HGDIOBJ(int32_t value) : m_value(value) {}
  constexpr HGDIOBJ(HPEN h) : m_value(static_cast<int32_t>(h)) {}     // NOLINT(google-explicit-constructor)
  constexpr HGDIOBJ(HBRUSH h) : m_value(static_cast<int32_t>(h)) {}   // NOLINT(google-explicit-constructor)
  constexpr HGDIOBJ(HFONT h) : m_value(static_cast<int32_t>(h)) {}    // NOLINT(google-explicit-constructor)
  constexpr HGDIOBJ(HBITMAP h) : m_value(static_cast<int32_t>(h)) {}  // NOLINT(google-explicit-constructor)
  constexpr HGDIOBJ(HRGN h) : m_value(static_cast<int32_t>(h)) {}     // NOLINT(google-explicit-constructor)
  constexpr int32_t Value() const noexcept { return m_value; }
  constexpr explicit operator HPEN() const noexcept { return HPEN{m_value}; }
  constexpr explicit operator HBRUSH() const noexcept { return HBRUSH{m_value}; }
  constexpr explicit operator HFONT() const noexcept { return HFONT{m_value}; }
  constexpr explicit operator HBITMAP() const noexcept { return HBITMAP{m_value}; }
  constexpr explicit operator HRGN() const noexcept { return HRGN{m_value}; }
  constexpr explicit operator bool() const noexcept { return m_value != 0; }
  friend constexpr bool operator==(HGDIOBJ, HGDIOBJ) = default;

 private:
  int32_t m_value = 0;
};

// Dispatch interfaces pass handles as 32-bit integers.
template <class H>
constexpr int32_t ToInt(H h) noexcept {
  return static_cast<int32_t>(h);
}
template <class H>
constexpr bool IsNull(H h) noexcept {
  return static_cast<int32_t>(h) == 0;
}
constexpr int32_t ToInt(HGDIOBJ h) noexcept { return h.Value(); }
constexpr bool IsNull(HGDIOBJ h) noexcept { return h.Value() == 0; }

// Text metrics of the font selected into a DC, in pixels.
struct TEXTMETRIC {
  int32_t tmHeight = 0;  // ascent + descent
  int32_t tmAscent = 0;
  int32_t tmDescent = 0;
  int32_t tmInternalLeading = 0;
  int32_t tmExternalLeading = 0;
  int32_t tmAveCharWidth = 0;
  int32_t tmMaxCharWidth = 0;
  int32_t tmWeight = 0;
  uint8_t tmItalic = 0;
  uint8_t tmUnderlined = 0;
  uint8_t tmStruckOut = 0;
};

// A logical font. lfHeight < 0: the character (em) height in pixels;
// lfHeight > 0: the cell height (ascent + descent); 0: a default height.
struct LOGFONT {
  int32_t lfHeight = 0;
  int32_t lfWidth = 0;
  int32_t lfEscapement = 0;
  int32_t lfOrientation = 0;
  int32_t lfWeight = 400;
  uint8_t lfItalic = 0;
  uint8_t lfUnderline = 0;
  uint8_t lfStrikeOut = 0;
  uint8_t lfCharSet = 0;
  std::string lfFaceName = "MS Sans Serif";
};

inline constexpr int32_t FW_NORMAL = 400;
inline constexpr int32_t FW_BOLD = 700;

// Gradient vertices: colour channels are 16 bits (0x0000..0xFF00).
struct TRIVERTEX {
  int32_t x = 0;
  int32_t y = 0;
  uint16_t Red = 0;
  uint16_t Green = 0;
  uint16_t Blue = 0;
  uint16_t Alpha = 0;
};
struct GRADIENT_RECT {
  uint32_t UpperLeft = 0;
  uint32_t LowerRight = 1;
};
inline constexpr uint32_t GRADIENT_FILL_RECT_H = 0;
inline constexpr uint32_t GRADIENT_FILL_RECT_V = 1;

// Background modes.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// Pen styles.
inline constexpr int PS_SOLID = 0;
inline constexpr int PS_DASH = 1;
inline constexpr int PS_DOT = 2;
inline constexpr int PS_DASHDOT = 3;
inline constexpr int PS_DASHDOTDOT = 4;
inline constexpr int PS_NULL = 5;
inline constexpr int PS_INSIDEFRAME = 6;

// Brush styles (LOGBRUSH lbStyle).
inline constexpr int BS_SOLID = 0;
inline constexpr int BS_NULL = 1;
inline constexpr int BS_HOLLOW = BS_NULL;

// Stock objects.
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int HOLLOW_BRUSH = NULL_BRUSH;
inline constexpr int WHITE_PEN = 6;
inline constexpr int BLACK_PEN = 7;
inline constexpr int NULL_PEN = 8;
inline constexpr int ANSI_VAR_FONT = 12;
inline constexpr int SYSTEM_FONT = 13;
inline constexpr int DEFAULT_GUI_FONT = 17;

// DrawTextA formats.
inline constexpr uint32_t DT_TOP = 0x0;
inline constexpr uint32_t DT_LEFT = 0x0;
inline constexpr uint32_t DT_CENTER = 0x1;
inline constexpr uint32_t DT_RIGHT = 0x2;
inline constexpr uint32_t DT_VCENTER = 0x4;
inline constexpr uint32_t DT_BOTTOM = 0x8;
inline constexpr uint32_t DT_WORDBREAK = 0x10;
inline constexpr uint32_t DT_SINGLELINE = 0x20;
inline constexpr uint32_t DT_EXPANDTABS = 0x40;
inline constexpr uint32_t DT_TABSTOP = 0x80;
inline constexpr uint32_t DT_NOCLIP = 0x100;
inline constexpr uint32_t DT_EXTERNALLEADING = 0x200;
inline constexpr uint32_t DT_CALCRECT = 0x400;
inline constexpr uint32_t DT_NOPREFIX = 0x800;
inline constexpr uint32_t DT_INTERNAL = 0x1000;
inline constexpr uint32_t DT_EDITCONTROL = 0x2000;
inline constexpr uint32_t DT_PATH_ELLIPSIS = 0x4000;
inline constexpr uint32_t DT_END_ELLIPSIS = 0x8000;
inline constexpr uint32_t DT_MODIFYSTRING = 0x10000;
inline constexpr uint32_t DT_RTLREADING = 0x20000;
inline constexpr uint32_t DT_WORD_ELLIPSIS = 0x40000;
inline constexpr uint32_t DT_HIDEPREFIX = 0x100000;

// DrawEdge edges and borders.
inline constexpr uint32_t BDR_RAISEDOUTER = 0x1;
inline constexpr uint32_t BDR_SUNKENOUTER = 0x2;
inline constexpr uint32_t BDR_RAISEDINNER = 0x4;
inline constexpr uint32_t BDR_SUNKENINNER = 0x8;
inline constexpr uint32_t EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr uint32_t EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr uint32_t EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr uint32_t EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
inline constexpr uint32_t BF_LEFT = 0x1;
inline constexpr uint32_t BF_TOP = 0x2;
inline constexpr uint32_t BF_RIGHT = 0x4;
inline constexpr uint32_t BF_BOTTOM = 0x8;
inline constexpr uint32_t BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr uint32_t BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr uint32_t BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr uint32_t BF_MIDDLE = 0x800;
inline constexpr uint32_t BF_SOFT = 0x1000;
inline constexpr uint32_t BF_ADJUST = 0x2000;
inline constexpr uint32_t BF_FLAT = 0x4000;
inline constexpr uint32_t BF_MONO = 0x8000;

// Raster operations of BitBlt and StretchBlt.
inline constexpr uint32_t SRCCOPY = 0x00CC0020;
inline constexpr uint32_t SRCPAINT = 0x00EE0086;
inline constexpr uint32_t SRCAND = 0x008800C6;
inline constexpr uint32_t SRCINVERT = 0x00660046;
inline constexpr uint32_t NOTSRCCOPY = 0x00330008;
inline constexpr uint32_t PATCOPY = 0x00F00021;
inline constexpr uint32_t BLACKNESS = 0x00000042;
inline constexpr uint32_t WHITENESS = 0x00FF0062;

// DrawStateA kinds and states.
inline constexpr uint32_t DST_TEXT = 0x1;
inline constexpr uint32_t DST_PREFIXTEXT = 0x2;
inline constexpr uint32_t DST_ICON = 0x3;
inline constexpr uint32_t DST_BITMAP = 0x4;
inline constexpr uint32_t DSS_NORMAL = 0x0;
inline constexpr uint32_t DSS_DISABLED = 0x20;
inline constexpr uint32_t DSS_MONO = 0x80;

// DrawIconEx flags.
inline constexpr uint32_t DI_MASK = 0x1;
inline constexpr uint32_t DI_IMAGE = 0x2;
inline constexpr uint32_t DI_NORMAL = 0x3;

// Region combination results.
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
inline constexpr int COMPLEXREGION = 3;

}  // namespace gdi
