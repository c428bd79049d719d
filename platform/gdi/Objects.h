// Drawing objects: pens, brushes, fonts and rectangle regions, and the
// stock objects, which are never deleted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "gdi/Types.h"

namespace gdi {

HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
HGDIOBJ GetStockObject(int object);

HFONT CreateFontIndirect(const LOGFONT& font);
// The usual arguments of CreateFontA; the rest of the Windows signature
// (width, escapement, charset, precision, quality, pitch) has no effect here.
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, bool italic, bool underline,
                  bool strikeOut, std::string_view faceName);
// A font from a VB-style description: size in points, face, bold ...
HFONT CreatePointFont(std::string_view faceName, double points, bool bold = false, bool italic = false,
                      bool underline = false, bool strikeOut = false);
bool GetObjectFont(HFONT font, LOGFONT& out);

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT& rect);
// The rectangle a region covers (empty rectangle for an empty region).
int GetRgnBox(HRGN region, RECT& out);
bool PtInRegion(HRGN region, int x, int y);

// Deletes a pen, brush, font, bitmap or region. Stock objects are left as
// they are (returns true). An object still selected into a DC stays usable
// by that DC until it is replaced there.
bool DeleteObject(HGDIOBJ object);

}  // namespace gdi
