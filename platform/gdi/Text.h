// Text output and measuring with the font selected into the DC. Text is
// UTF-8 (the "A" functions take the program's own strings). Widths come
// from the current font backend (FontBackend.h), so the same calls measure
// with the pinned fonts or with fixed metrics in tests.
#pragma once

#include <cstdint>
#include <string_view>

#include "gdi/Types.h"

namespace gdi {

// Formats and draws text in a rectangle; `count` -1 means the whole string.
// Returns the height of the text drawn (0 on error). With DT_CALCRECT
// nothing is drawn: the rectangle's right and bottom are set to bound the
// text (a word wider than the rectangle widens it).
// Line breaks: CR LF, CR and LF end lines unless DT_SINGLELINE. With
// DT_WORDBREAK lines break only between words (at blanks); a word wider
// than the line stays whole and is clipped, unless DT_EDITCONTROL is also
// given, which breaks it between characters. DT_VCENTER and DT_BOTTOM act
// only with DT_SINGLELINE. Without DT_NOPREFIX "&x" underlines x and "&&"
// shows "&". DT_END_ELLIPSIS / DT_PATH_ELLIPSIS shorten a line that does
// not fit with "..." at its end / in the middle of a path.
int DrawTextA(HDC hdc, std::string_view text, int count, RECT* rect, uint32_t format);

// Draws text with its top-left corner at (x, y).
bool TextOutA(HDC hdc, int x, int y, std::string_view text, int count = -1);

// Width and height of a single line of text (no prefix or tab handling).
bool GetTextExtentPoint32A(HDC hdc, std::string_view text, int count, SIZE* size);
bool GetTextMetrics(HDC hdc, TEXTMETRIC* metrics);

// Shortens a path with "..." to fit `width` pixels in the DC's font, by one
// rule:
// - a text that fits stays as it is;
// - a text with a separator ("\" or "/") after its first character keeps
//   its last part (the separator and the file name) and loses characters
//   from the end of the part before it, one at a time, until
//   "<start>...<separator><file name>" fits ("C:\Quorvelle\...\ver.txt");
// - a text without such a separator loses its end and "..." follows what
//   is left ("QVUpda..."), down to "..." alone; so does the form
//   "...<separator><file name>" when even it is too wide ("...\QVUp...").
// Returns whether the result fits (false when not even "..." does).
bool PathCompactPathA(HDC hdc, std::string& path, int width);

}  // namespace gdi
