// Device contexts. A DC draws into the bitmap selected into it; the DCs of
// this layer are off-screen: a memory DC (CreateCompatibleDC, which starts
// with a 1 x 1 bitmap as on Windows) or a surface DC that owns a bitmap of
// a given pixel size. A DC also keeps the drawing state: selected pen,
// brush, font and bitmap, text and background colours, background mode,
// current position and clip rectangle.
#pragma once

#include <cstdint>

#include "gdi/Types.h"

namespace gdi {

// A memory DC; `like` is ignored (there is one kind of surface).
HDC CreateCompatibleDC(HDC like = HDC{});
// A DC drawing into a new bitmap of width x height pixels, cleared to
// white. The DC owns that bitmap: DeleteDC deletes it.
HDC CreateSurfaceDC(int width, int height);
// Deletes a DC; objects selected into it stay alive until deleted.
bool DeleteDC(HDC hdc);

// The size in pixels of the bitmap selected into the DC.
SIZE GetSurfaceSize(HDC hdc);

// Selecting returns the previous object of the same kind (null on error).
HPEN SelectObject(HDC hdc, HPEN pen);
HBRUSH SelectObject(HDC hdc, HBRUSH brush);
HFONT SelectObject(HDC hdc, HFONT font);
HBITMAP SelectObject(HDC hdc, HBITMAP bitmap);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC hdc, int kind);  // OBJ_PEN 1, OBJ_BRUSH 2, OBJ_FONT 6, OBJ_BITMAP 7
inline constexpr int OBJ_PEN = 1;
inline constexpr int OBJ_BRUSH = 2;
inline constexpr int OBJ_FONT = 6;
inline constexpr int OBJ_BITMAP = 7;

// Colours and modes; each returns the previous value.
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);  // TRANSPARENT or OPAQUE
int GetBkMode(HDC hdc);

// Current position for LineTo.
bool MoveToEx(HDC hdc, int x, int y, POINT* previous = nullptr);
POINT GetCurrentPosition(HDC hdc);

// Clipping: a rectangle region, or none (null region).
int SelectClipRgn(HDC hdc, HRGN region);
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);

// Saves and restores the drawing state (objects, colours, modes, clip).
int SaveDC(HDC hdc);
bool RestoreDC(HDC hdc, int saved);  // saved < 0: relative to the latest

}  // namespace gdi
