#include "gdi/DeviceContext.h"

#include "gdi/Bitmaps.h"
#include "gdi/ObjectTable.h"

namespace gdi {

using namespace detail;

namespace {

std::shared_ptr<DcObj> NewDc() {
  auto dc = std::make_shared<DcObj>();
  DcState& s = dc->state;
  s.penHandle = HPEN{StockHandle(BLACK_PEN)};
  s.pen = Find<PenObj>(ToInt(s.penHandle));
  s.brushHandle = HBRUSH{StockHandle(WHITE_BRUSH)};
  s.brush = Find<BrushObj>(ToInt(s.brushHandle));
  s.fontHandle = HFONT{StockHandle(SYSTEM_FONT)};
  s.font = Find<FontObj>(ToInt(s.fontHandle));
  s.bitmapHandle = HBITMAP{StockHandle(kDefaultBitmapStock)};
  s.bitmap = Find<PixelBuffer>(ToInt(s.bitmapHandle));
  return dc;
}

template <class H, class T>
H Swap(HDC hdc, H handle, H DcState::*slot, std::shared_ptr<T> DcState::*object) {
  auto dc = FindDc(hdc);
  auto obj = Find<T>(ToInt(handle));
  if (!dc || !obj) return H{};
  H previous = dc->state.*slot;
  dc->state.*slot = handle;
  dc->state.*object = std::move(obj);
  return previous;
}

}  // namespace

HDC CreateCompatibleDC(HDC /*like*/) { return HDC{AddObject(NewDc())}; }

HDC CreateSurfaceDC(int width, int height) {
  HBITMAP bitmap = CreateFilledBitmap(width, height, RGB(255, 255, 255));
  if (IsNull(bitmap)) return HDC{};
  auto dc = NewDc();
  dc->state.bitmapHandle = bitmap;
  dc->state.bitmap = Find<PixelBuffer>(ToInt(bitmap));
  dc->ownedBitmap = bitmap;
  return HDC{AddObject(dc)};
}

bool DeleteDC(HDC hdc) {
  auto dc = Find<DcObj>(ToInt(hdc));
  if (!dc) return false;
  if (!IsNull(dc->ownedBitmap)) RemoveObject(ToInt(dc->ownedBitmap));
  return RemoveObject(ToInt(hdc));
}

SIZE GetSurfaceSize(HDC hdc) {
  auto dc = FindDc(hdc);
  if (!dc) return SIZE{};
  return SIZE{dc->state.bitmap->width, dc->state.bitmap->height};
}

HPEN SelectObject(HDC hdc, HPEN pen) { return Swap(hdc, pen, &DcState::penHandle, &DcState::pen); }
HBRUSH SelectObject(HDC hdc, HBRUSH brush) { return Swap(hdc, brush, &DcState::brushHandle, &DcState::brush); }
HFONT SelectObject(HDC hdc, HFONT font) { return Swap(hdc, font, &DcState::fontHandle, &DcState::font); }
HBITMAP SelectObject(HDC hdc, HBITMAP bitmap) { return Swap(hdc, bitmap, &DcState::bitmapHandle, &DcState::bitmap); }

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
  auto found = FindObject(object.Value());
  if (!found) return HGDIOBJ{};
  if (std::holds_alternative<std::shared_ptr<PenObj>>(*found)) return SelectObject(hdc, HPEN(object));
  if (std::holds_alternative<std::shared_ptr<BrushObj>>(*found)) return SelectObject(hdc, HBRUSH(object));
  if (std::holds_alternative<std::shared_ptr<FontObj>>(*found)) return SelectObject(hdc, HFONT(object));
  if (std::holds_alternative<std::shared_ptr<PixelBuffer>>(*found)) return SelectObject(hdc, HBITMAP(object));
  if (std::holds_alternative<std::shared_ptr<RegionObj>>(*found)) {
    SelectClipRgn(hdc, HRGN(object));
    return HGDIOBJ{};
  }
  return HGDIOBJ{};
}

HGDIOBJ GetCurrentObject(HDC hdc, int kind) {
  auto dc = FindDc(hdc);
  if (!dc) return HGDIOBJ{};
  switch (kind) {
    case OBJ_PEN:
      return dc->state.penHandle;
    case OBJ_BRUSH:
      return dc->state.brushHandle;
    case OBJ_FONT:
      return dc->state.fontHandle;
    case OBJ_BITMAP:
      return dc->state.bitmapHandle;
    default:
      return HGDIOBJ{};
  }
}

namespace {
template <class V>
V SetField(HDC hdc, V DcState::*field, V value, V failed) {
  auto dc = FindDc(hdc);
  if (!dc) return failed;
  V previous = dc->state.*field;
  dc->state.*field = value;
  return previous;
}
template <class V>
V GetField(HDC hdc, V DcState::*field, V failed) {
  auto dc = FindDc(hdc);
  return dc ? dc->state.*field : failed;
}
constexpr COLORREF kInvalidColor = 0xFFFFFFFFu;
}  // namespace

COLORREF SetTextColor(HDC hdc, COLORREF color) { return SetField(hdc, &DcState::textColor, color, kInvalidColor); }
COLORREF GetTextColor(HDC hdc) { return GetField(hdc, &DcState::textColor, kInvalidColor); }
COLORREF SetBkColor(HDC hdc, COLORREF color) { return SetField(hdc, &DcState::bkColor, color, kInvalidColor); }
COLORREF GetBkColor(HDC hdc) { return GetField(hdc, &DcState::bkColor, kInvalidColor); }
int SetBkMode(HDC hdc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return SetField(hdc, &DcState::bkMode, mode, 0);
}
int GetBkMode(HDC hdc) { return GetField(hdc, &DcState::bkMode, 0); }

bool MoveToEx(HDC hdc, int x, int y, POINT* previous) {
  auto dc = FindDc(hdc);
  if (!dc) return false;
  if (previous != nullptr) *previous = dc->state.position;
  dc->state.position = POINT{x, y};
  return true;
}

POINT GetCurrentPosition(HDC hdc) { return GetField(hdc, &DcState::position, POINT{}); }

int SelectClipRgn(HDC hdc, HRGN region) {
  auto dc = FindDc(hdc);
  if (!dc) return 0;
  if (IsNull(region)) {
    dc->state.clip.reset();
    return SIMPLEREGION;
  }
  auto rgn = Find<RegionObj>(ToInt(region));
  if (!rgn) return 0;
  dc->state.clip = rgn->box;
  return IsEmptyRect(rgn->box) ? NULLREGION : SIMPLEREGION;
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  auto dc = FindDc(hdc);
  if (!dc) return 0;
  RECT r{left, top, right, bottom};
  dc->state.clip = dc->state.clip ? Intersect(*dc->state.clip, r) : r;
  return IsEmptyRect(*dc->state.clip) ? NULLREGION : SIMPLEREGION;
}

int SaveDC(HDC hdc) {
  auto dc = FindDc(hdc);
  if (!dc) return 0;
  dc->saved.push_back(dc->state);
  return static_cast<int>(dc->saved.size());
}

bool RestoreDC(HDC hdc, int saved) {
  auto dc = FindDc(hdc);
  if (!dc) return false;
  int count = static_cast<int>(dc->saved.size());
  int level = saved < 0 ? count + saved + 1 : saved;
  if (level < 1 || level > count) return false;
  dc->state = dc->saved[static_cast<size_t>(level - 1)];
  dc->saved.resize(static_cast<size_t>(level - 1));
  return true;
}

}  // namespace gdi
