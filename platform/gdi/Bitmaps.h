// Bitmaps and icons. A bitmap is 32-bit RGB with alpha (opaque unless it
// came from a picture with transparency); an icon is such a picture drawn
// through its alpha. PNG is the file format for reading and writing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gdi/Types.h"

namespace gdi {

// A new opaque bitmap cleared to black (CreateCompatibleBitmap) or to `fill`.
HBITMAP CreateCompatibleBitmap(HDC like, int width, int height);
HBITMAP CreateFilledBitmap(int width, int height, COLORREF fill);
// A copy of a bitmap's pixels (alpha kept).
HBITMAP CopyBitmap(HBITMAP bitmap);
SIZE GetBitmapSize(HBITMAP bitmap);  // {0, 0} for a null or unknown handle
bool BitmapHasAlpha(HBITMAP bitmap);

// PNG in and out. Loading returns a null handle when the data is not a
// readable PNG; saving returns false when the file cannot be written.
HBITMAP LoadBitmapFromPngFile(const std::string& path);
HBITMAP LoadBitmapFromPngBytes(const std::vector<uint8_t>& bytes);
bool SaveBitmapToPng(HBITMAP bitmap, const std::string& path);
bool SaveDCToPng(HDC hdc, const std::string& path);  // the DC's selected bitmap
std::vector<uint8_t> EncodePng(HBITMAP bitmap);      // empty on failure

// Block transfers between DCs. BitBlt copies pixels (SRCCOPY) or combines
// them by the raster operations of Types.h; StretchBlt scales with the
// nearest pixel; TransparentBlt skips the source pixels of one colour;
// AlphaBlendPicture draws the source over the target through its alpha.
bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, uint32_t rop);
bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth, int srcHeight,
                uint32_t rop);
// How StretchBlt scales into a DC: COLORONCOLOR (the default) takes the
// nearest pixel; HALFTONE averages the source pixels each target pixel
// covers, so that a picture drawn large and shrunk has smooth edges.
// Returns the previous mode, 0 for an unknown DC or mode.
inline constexpr int COLORONCOLOR = 3;
inline constexpr int HALFTONE = 4;
int SetStretchBltMode(HDC hdc, int mode);
bool TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                    int srcHeight, COLORREF transparent);
bool AlphaBlendPicture(HDC dst, int x, int y, int width, int height, HBITMAP picture, int srcX, int srcY, int srcWidth,
                       int srcHeight);

// Icons: pictures with alpha.
HICON CreateIconFromBitmap(HBITMAP bitmap);  // copies the pixels
HICON LoadIconFromPngFile(const std::string& path);
HICON LoadIconFromPngBytes(const std::vector<uint8_t>& bytes);
HBITMAP IconToBitmap(HICON icon);  // a copy of the icon's pixels
SIZE GetIconSize(HICON icon);
bool DestroyIcon(HICON icon);
// Draws the icon at (x, y), scaled to cx x cy (0: its own size); a brush
// other than null fills the cell first.
bool DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, uint32_t step, HBRUSH background, uint32_t flags);
// Draws an icon, a bitmap or a text in a state: DSS_NORMAL as it is,
// DSS_MONO as a silhouette in `brush` (its opaque pixels filled with the
// brush colour), DSS_DISABLED embossed (highlight offset by one pixel,
// shadow on top). cx/cy 0 take the picture's own size.
bool DrawStateA(HDC hdc, HBRUSH brush, HICON icon, int x, int y, int cx, int cy, uint32_t flags);
bool DrawStateA(HDC hdc, HBRUSH brush, HBITMAP bitmap, int x, int y, int cx, int cy, uint32_t flags);
bool DrawStateA(HDC hdc, HBRUSH brush, std::string_view text, int x, int y, int cx, int cy, uint32_t flags);

}  // namespace gdi
