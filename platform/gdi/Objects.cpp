#include "gdi/Objects.h"

#include "gdi/ObjectTable.h"
#include "gdi/Twips.h"

namespace gdi {

using namespace detail;

HPEN CreatePen(int style, int width, COLORREF color) {
  if (style < PS_SOLID || style > PS_INSIDEFRAME) style = PS_SOLID;
  return HPEN{AddObject(std::make_shared<PenObj>(PenObj{style, width < 1 ? 1 : width, color & 0xFFFFFFu}))};
}

HBRUSH CreateSolidBrush(COLORREF color) {
  return HBRUSH{AddObject(std::make_shared<BrushObj>(BrushObj{false, color & 0xFFFFFFu}))};
}

HGDIOBJ GetStockObject(int object) {
  int32_t h = StockHandle(object);
  return h != 0 && FindObject(h) ? HGDIOBJ{h} : HGDIOBJ{};
}

HFONT CreateFontIndirect(const LOGFONT& font) { return HFONT{AddObject(std::make_shared<FontObj>(FontObj{font}))}; }

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, bool italic, bool underline,
                  bool strikeOut, std::string_view faceName) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight == 0 ? FW_NORMAL : weight;
  lf.lfItalic = italic ? 1 : 0;
  lf.lfUnderline = underline ? 1 : 0;
  lf.lfStrikeOut = strikeOut ? 1 : 0;
  lf.lfFaceName = std::string(faceName);
  return CreateFontIndirect(lf);
}

HFONT CreatePointFont(std::string_view faceName, double points, bool bold, bool italic, bool underline,
                      bool strikeOut) {
  return CreateFontA(-PointsToPixels(points), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline, strikeOut,
                     faceName);
}

bool GetObjectFont(HFONT font, LOGFONT& out) {
  auto f = Find<FontObj>(ToInt(font));
  if (!f) return false;
  out = f->font;
  return true;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return HRGN{AddObject(std::make_shared<RegionObj>(RegionObj{Normalized(RECT{left, top, right, bottom})}))};
}

HRGN CreateRectRgnIndirect(const RECT& rect) { return CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom); }

int GetRgnBox(HRGN region, RECT& out) {
  auto r = Find<RegionObj>(ToInt(region));
  if (!r) return 0;
  out = IsEmptyRect(r->box) ? RECT{} : r->box;
  return IsEmptyRect(r->box) ? NULLREGION : SIMPLEREGION;
}

bool PtInRegion(HRGN region, int x, int y) {
  auto r = Find<RegionObj>(ToInt(region));
  return r && x >= r->box.left && x < r->box.right && y >= r->box.top && y < r->box.bottom;
}

bool DeleteObject(HGDIOBJ object) {
  auto found = FindObject(object.Value());
  if (!found || std::holds_alternative<std::shared_ptr<DcObj>>(*found) ||
      std::holds_alternative<std::shared_ptr<IconObj>>(*found))
    return false;
  return RemoveObject(object.Value());
}

}  // namespace gdi
