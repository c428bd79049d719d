// System colours: the one table of display-element colours (a standard
// Windows "classic" palette) and the translation of OLE colours, in which
// 0x800000xx names system colour xx and anything else is an RGB value.
#pragma once

#include <cstdint>

#include "gdi/Types.h"

namespace gdi {

inline constexpr int COLOR_SCROLLBAR = 0;
inline constexpr int COLOR_BACKGROUND = 1;
inline constexpr int COLOR_ACTIVECAPTION = 2;
inline constexpr int COLOR_INACTIVECAPTION = 3;
inline constexpr int COLOR_MENU = 4;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWFRAME = 6;
inline constexpr int COLOR_MENUTEXT = 7;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_CAPTIONTEXT = 9;
inline constexpr int COLOR_ACTIVEBORDER = 10;
inline constexpr int COLOR_INACTIVEBORDER = 11;
inline constexpr int COLOR_APPWORKSPACE = 12;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;
inline constexpr int COLOR_INFOTEXT = 23;
inline constexpr int COLOR_INFOBK = 24;
inline constexpr int COLOR_HOTLIGHT = 26;
inline constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
inline constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
inline constexpr int COLOR_MENUHILIGHT = 29;
inline constexpr int COLOR_MENUBAR = 30;

// An OLE colour: an RGB value 0x00BBGGRR or a system colour 0x800000xx.
using OLE_COLOR = uint32_t;

// The OLE colour of system colour `index` (vbButtonFace = SysColor(15)).
constexpr OLE_COLOR SysColor(int index) noexcept { return 0x80000000u | static_cast<uint32_t>(index); }

// The colour of a display element; 0 for an unknown index.
COLORREF GetSysColor(int index);

// An OLE colour as RGB: system colours through the table, RGB values with
// their high byte cleared.
COLORREF OleTranslateColor(OLE_COLOR color);

}  // namespace gdi
