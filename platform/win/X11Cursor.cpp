// The layer's cursors as X cursors: the standard ones from the cursor
// font, custom ones from their image through Xcursor; "no cursor" is an
// empty one.
#include <X11/Xcursor/Xcursor.h>
#include <X11/cursorfont.h>

#include <algorithm>

#include "win/X11Display.h"

namespace win::detail {

namespace {

unsigned int FontShapeOf(int32_t standardId) {
  switch (standardId) {
    case IDC_IBEAM:
      return XC_xterm;
    case IDC_WAIT:
      return XC_watch;
    case IDC_CROSS:
      return XC_crosshair;
    case IDC_UPARROW:
      return XC_sb_up_arrow;
    case IDC_SIZENWSE:
      return XC_bottom_right_corner;
    case IDC_SIZENESW:
      return XC_bottom_left_corner;
    case IDC_SIZEWE:
      return XC_sb_h_double_arrow;
    case IDC_SIZENS:
      return XC_sb_v_double_arrow;
    case IDC_SIZEALL:
      return XC_fleur;
    case IDC_NO:
      return XC_circle;
    case IDC_HAND:
      return XC_hand2;
    case IDC_APPSTARTING:
      return XC_watch;
    case IDC_HELP:
      return XC_question_arrow;
    default:
      return XC_left_ptr;
  }
}

Cursor MakeCursor(::Display* display, const CursorShape* shape) {
  if (!shape) {
    // No cursor: an empty image.
    XcursorImage* image = XcursorImageCreate(1, 1);
    image->pixels[0] = 0;
    Cursor blank = XcursorImageLoadCursor(display, image);
    XcursorImageDestroy(image);
    return blank;
  }
  if (shape->standardId != 0 || shape->argb.empty()) return XCreateFontCursor(display, FontShapeOf(shape->standardId));
  XcursorImage* image = XcursorImageCreate(shape->width, shape->height);
  image->xhot = static_cast<XcursorDim>(std::max(0, shape->hotSpot.x));
  image->yhot = static_cast<XcursorDim>(std::max(0, shape->hotSpot.y));
  std::copy(shape->argb.begin(), shape->argb.end(), image->pixels);
  Cursor cursor = XcursorImageLoadCursor(display, image);
  XcursorImageDestroy(image);
  return cursor;
}

}  // namespace

void X11Backend::ShowCursor(HCURSOR cursor) {
  if (m_lost) return;
  const int32_t key = static_cast<int32_t>(cursor);
  auto it = m_cursors.find(key);
  if (it == m_cursors.end()) {
    it = m_cursors.emplace(key, MakeCursor(m_display, cursor == kNoCursor ? nullptr : GetCursorShape(cursor))).first;
  }
  if (it->second == m_cursor) return;
  m_cursor = it->second;
  for (const auto& [handle, w] : m_windows) XDefineCursor(m_display, w.xid, m_cursor);
  XFlush(m_display);
}

}  // namespace win::detail
