// How the standard controls and the window frame look: the drawing of a
// classic Windows dialog (3-D buttons with centred captions, check boxes
// with a sunken box and a check mark, sunken text boxes, a title bar with
// caption and close box), and text measured and drawn in a font object.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "com/StdFont.h"
#include "com/StdPicture.h"
#include "gdi/Types.h"

namespace forms::painter {

// Text in a rectangle with DrawTextA formats, in the font and OLE colour;
// disabled text is drawn embossed in grey.
void DrawText(gdi::HDC hdc, std::string_view text, const gdi::RECT& rect, uint32_t format, const com::StdFontPtr& font,
              uint32_t oleColor, bool enabled = true);
// The size in pixels of text in the font: with wrapWidth > 0 broken into
// lines at blanks within that width (a longer word widens it), otherwise
// one line per line break of the text. An empty text is one line high.
gdi::SIZE MeasureText(std::string_view text, const com::StdFontPtr& font, int wrapWidth, bool prefix);

// A push button: face, raised 3-D edge (sunken when pressed), the black
// frame of the default button, the caption centred and, when focused, the
// dotted focus rectangle, which the caption's line (access-key underline
// included) stays inside where the button is tall enough.
void DrawButton(gdi::HDC hdc, const gdi::RECT& rect, std::string_view caption, const com::StdFontPtr& font,
                uint32_t foreColor, uint32_t backColor, bool enabled, bool isDefault, bool pressed, bool focused);
// Where a push button's focus rectangle lies in the button's rectangle.
gdi::RECT ButtonFocusRect(const gdi::RECT& rect, bool isDefault);
// Where a check box's caption lies: right of the box and its gap.
gdi::RECT CheckBoxTextRect(const gdi::RECT& rect);

// The 13 x 13 box of a check box at (x, y) with its mark for value 1
// (value 2: greyed mark).
void DrawCheckBox(gdi::HDC hdc, int x, int y, int16_t value, bool enabled);
// A sunken 3-D border (2 pixels) around the rectangle's inside.
void DrawSunkenBorder(gdi::HDC hdc, const gdi::RECT& rect);
// The frame of a window around a client area at (border, border + caption):
// outer 3-D edge, title bar with icon, caption and the control-box buttons
// (the close button greyed when the window offers no Close).
void DrawWindowFrame(gdi::HDC hdc, int width, int height, int border, int caption, std::string_view text,
                     const com::StdPicturePtr& icon, bool controlBox, bool minButton, bool maxButton, bool active,
                     bool closeEnabled = true);

// Scroll bar parts: an arrow button with its triangle pointing in
// `direction` (raised; flat with the triangle moved one pixel when
// pressed; the triangle embossed when disabled), the track between the
// arrows (the dithered face and highlight; dark where it is held down) and
// the thumb (a raised button, with a dotted focus mark inside when the bar
// has the focus).
enum class ArrowDirection { Up, Down, Left, Right };
void DrawScrollArrow(gdi::HDC hdc, const gdi::RECT& rect, ArrowDirection direction, bool pressed, bool enabled);
void DrawScrollTrack(gdi::HDC hdc, const gdi::RECT& rect, bool pressed);
void DrawScrollThumb(gdi::HDC hdc, const gdi::RECT& rect, bool focused);

}  // namespace forms::painter
