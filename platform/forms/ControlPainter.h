// How the standard controls and the window frame look: the drawing of a
// classic Windows dialog (3-D buttons with centred captions, check boxes
// with a sunken box and a check mark, sunken text boxes, a title bar with
// caption and close box), and text measured and drawn in a font object.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "com/StdFont.h"
#include "com/StdPicture.h"
#include "gdi/SysColors.h"
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

// The x offset in pixels of each character boundary of one line of text in
// the font: element i is the width of the first i characters (code points).
std::vector<int> CharOffsets(std::string_view text, const com::StdFontPtr& font);
// The height of one line of text in the font.
int LineHeight(const com::StdFontPtr& font);

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
// A pressed box shows the button face inside.
void DrawCheckBox(gdi::HDC hdc, int x, int y, int16_t value, bool enabled, bool pressed = false);
// The caption of a check box or option button right of its box, starting
// at `textLeft`, wrapped and centred in `rect`'s height, with the focus
// rectangle around it when focused.
void DrawBoxCaption(gdi::HDC hdc, int textLeft, const gdi::RECT& rect, std::string_view caption,
                    const com::StdFontPtr& font, uint32_t foreColor, bool enabled, bool focused);
// A sunken 3-D border (2 pixels) around the rectangle's inside.
void DrawSunkenBorder(gdi::HDC hdc, const gdi::RECT& rect);
// An option button's round 12 x 12 box at (x, y), with its dot when set.
void DrawOptionButton(gdi::HDC hdc, int x, int y, bool value, bool enabled, bool pressed = false);
// The dotted focus rectangle just inside `rect`.
void DrawFocusRect(gdi::HDC hdc, const gdi::RECT& rect);
// A field (edit, list, tree, combo box): its back colour (the button face
// when disabled) inside a sunken 3-D border; returns the inner rectangle.
gdi::RECT DrawField(gdi::HDC hdc, const gdi::RECT& rect, uint32_t backColor, bool enabled);
// A filled rectangle in an OLE colour.
void FillSolid(gdi::HDC hdc, const gdi::RECT& rect, uint32_t oleColor);
// The group box: an etched frame whose top line leaves room for the
// caption at its left, and the caption.
void DrawGroupBox(gdi::HDC hdc, const gdi::RECT& rect, std::string_view caption, const com::StdFontPtr& font,
                  uint32_t foreColor, uint32_t backColor, bool enabled);

// A small filled triangle of `size` rows pointing in a direction, centred
// in `rect`.
enum class ArrowDirection { Up, Down, Left, Right };
// An enabled arrow is drawn in the button text colour unless `color` names
// another (an OLE colour).
void DrawArrow(gdi::HDC hdc, const gdi::RECT& rect, ArrowDirection direction, bool enabled, int size = 4,
               uint32_t color = gdi::SysColor(gdi::COLOR_BTNTEXT));
// The drop-down button of a combo box.
void DrawDropButton(gdi::HDC hdc, const gdi::RECT& rect, bool pressed, bool enabled);

// Selection: the highlight of a selected item, in the focused control's
// colours or, without the focus, in the button face.
struct ItemColors {
  gdi::COLORREF back;
  gdi::COLORREF text;
};
ItemColors SelectionColors(bool focused);
void DrawSelection(gdi::HDC hdc, const gdi::RECT& rect, bool focused);

// A column header section: raised face, caption with ellipsis and, for
// the sort column, a triangle pointing up (ascending) or down.
enum class SortMark { None, Ascending, Descending };
void DrawHeader(gdi::HDC hdc, const gdi::RECT& rect, std::string_view caption, const com::StdFontPtr& font,
                bool pressed, SortMark sort);
// The plus / minus box of a tree node centred at (cx, cy), and the dotted
// lines between nodes.
void DrawExpander(gdi::HDC hdc, int cx, int cy, bool expanded);
void DrawDottedLine(gdi::HDC hdc, int x1, int y1, int x2, int y2);
// The faint line under a row of a report list, from x1 to x2 at y.
void DrawGridLine(gdi::HDC hdc, int x1, int x2, int y);

// Tabs: a tab header (the selected one raised and joined to the page) with
// its icon and caption, and the page frame below the headers.
void DrawTab(gdi::HDC hdc, const gdi::RECT& rect, std::string_view caption, const com::StdPicturePtr& icon,
             const com::StdFontPtr& font, bool selected, bool enabled, bool focused);
void DrawTabPage(gdi::HDC hdc, const gdi::RECT& rect);

// Command bars: a flat tool button (raised when the pointer is over it,
// sunken when pressed or checked), its icon grey and embossed when
// disabled; a vertical separator between groups; a tool bar's raised edge
// with its grip at the left.
void DrawToolButton(gdi::HDC hdc, const gdi::RECT& rect, const com::StdPicturePtr& icon, std::string_view caption,
                    const com::StdFontPtr& font, bool enabled, bool hot, bool pressed, bool checked);
void DrawToolSeparator(gdi::HDC hdc, const gdi::RECT& rect);
void DrawBarGrip(gdi::HDC hdc, const gdi::RECT& rect);
// A menu bar entry (highlighted while its menu is open or the pointer is
// over it) and a menu item: icon or check mark, caption, shortcut text and
// the sub-menu arrow; a separator line; the raised frame of a pop-up.
void DrawMenuBarItem(gdi::HDC hdc, const gdi::RECT& rect, std::string_view caption, const com::StdFontPtr& font,
                     bool enabled, bool highlighted, bool showAccessKeys);
void DrawMenuItem(gdi::HDC hdc, const gdi::RECT& rect, std::string_view caption, std::string_view shortcut,
                  const com::StdPicturePtr& icon, const com::StdFontPtr& font, bool enabled, bool highlighted,
                  bool checked, bool subMenu);
void DrawMenuSeparator(gdi::HDC hdc, const gdi::RECT& rect);
void DrawPopupFrame(gdi::HDC hdc, const gdi::RECT& rect);
// The open list of a combo box: the window colour in a thin dark frame.
void DrawDropDownFrame(gdi::HDC hdc, const gdi::RECT& rect);
// A status bar panel (thin sunken border and text) and the size grip.
void DrawStatusPanel(gdi::HDC hdc, const gdi::RECT& rect, std::string_view text, const com::StdFontPtr& font);
void DrawSizeGrip(gdi::HDC hdc, const gdi::RECT& rect);
// A tooltip: info colours, a thin black frame, the text.
void DrawToolTip(gdi::HDC hdc, const gdi::RECT& rect, std::string_view text, const com::StdFontPtr& font);
// The size a tooltip needs for its text.
gdi::SIZE MeasureToolTip(std::string_view text, const com::StdFontPtr& font);
// A splitter bar between two panes.
void DrawSplitterBar(gdi::HDC hdc, const gdi::RECT& rect, bool vertical);
// A picture centred in `rect`, embossed grey when disabled.
void DrawPicture(gdi::HDC hdc, const gdi::RECT& rect, const com::StdPicturePtr& picture, bool enabled);

// The font controls use when the container gives none (Tahoma 8).
com::StdFontPtr DefaultFont();

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
void DrawScrollArrow(gdi::HDC hdc, const gdi::RECT& rect, ArrowDirection direction, bool pressed, bool enabled);
void DrawScrollTrack(gdi::HDC hdc, const gdi::RECT& rect, bool pressed);
void DrawScrollThumb(gdi::HDC hdc, const gdi::RECT& rect, bool focused);

}  // namespace forms::painter
