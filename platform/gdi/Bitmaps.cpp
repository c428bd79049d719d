#include "gdi/Bitmaps.h"

#include <algorithm>
#include <cstdint>

#include "gdi/DeviceContext.h"
#include "gdi/ObjectTable.h"
#include "gdi/Png.h"
#include "gdi/Raster.h"
#include "gdi/SysColors.h"
#include "gdi/Text.h"

namespace gdi {

using namespace detail;

namespace {

constexpr int kMaxSide = 32767;  // a side is 16-bit
// Coordinates of a drawing's rectangle stay within this bound: far beyond
// any bitmap, and so that an edge or a side never passes the int range.
constexpr int64_t kFar = int64_t{1} << 29;

int Bounded(int64_t value) { return static_cast<int>(std::clamp(value, -kFar, kFar)); }

// The rectangle of width x height at (x, y), its far edges computed
// without overflow (an IMG of width 2147483647) and bounded.
RECT SpanRect(int x, int y, int width, int height) {
  return RECT{Bounded(x), Bounded(y), Bounded(int64_t{x} + width), Bounded(int64_t{y} + height)};
}

HBITMAP AddBitmap(std::shared_ptr<PixelBuffer> buffer) {
  if (!buffer) return HBITMAP{};
  return HBITMAP{AddObject(std::move(buffer))};
}

HICON AddIcon(std::shared_ptr<PixelBuffer> buffer) {
  if (!buffer) return HICON{};
  buffer->hasAlpha = true;
  return HICON{AddObject(std::make_shared<IconObj>(IconObj{std::move(buffer)}))};
}

std::shared_ptr<PixelBuffer> IconImage(HICON icon) {
  auto obj = Find<IconObj>(ToInt(icon));
  return obj ? obj->image : nullptr;
}

uint32_t Rop(uint32_t rop, uint32_t src, uint32_t dst) {
  switch (rop) {
    case SRCPAINT:
      return src | dst;
    case SRCAND:
      return src & dst;
    case SRCINVERT:
      return src ^ dst;
    case NOTSRCCOPY:
      return ~src;
    case BLACKNESS:
      return 0;
    case WHITENESS:
      return 0xFFFFFFu;
    default:
      return src;
  }
}

std::string BlitText(int x, int y, int w, int h) {
  return std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(w) + "x" + std::to_string(h);
}

// Silhouette of a picture: its covered pixels in one colour, through alpha.
void DrawSilhouette(DcObj& dc, const PixelBuffer& src, const RECT& dst, COLORREF color) {
  PixelBuffer mask(src.width, src.height, 0);
  uint32_t c = ToPixel(color);
  for (size_t i = 0; i < src.pixels.size(); ++i) {
    uint32_t a = src.hasAlpha ? src.pixels[i] >> 24 : 255;
    auto ch = [&](int shift) { return (((c >> shift) & 0xFF) * a / 255) << shift; };
    mask.pixels[i] = (a << 24) | ch(16) | ch(8) | ch(0);
  }
  DrawScaled(dc.Target(), dc.ClipRect(), mask, src.Bounds(), dst, true);
}

bool DrawPictureState(HDC hdc, HBRUSH brush, const std::shared_ptr<PixelBuffer>& src, const char* kind, int x, int y,
                      int cx, int cy, uint32_t flags) {
  auto dc = FindDc(hdc);
  if (!dc || !src) return false;
  if (cx <= 0) cx = src->width;
  if (cy <= 0) cy = src->height;
  RECT dst = SpanRect(x, y, cx, cy);
  auto b = Find<BrushObj>(ToInt(brush));
  COLORREF brushColor = b ? b->color : GetSysColor(COLOR_BTNTEXT);
  dc->Record(std::string("DrawState ") + kind + " " + BlitText(x, y, cx, cy) + " flags=" + HexText(flags) + " " +
             ColorText(brushColor));
  if (flags & DSS_DISABLED) {
    DrawSilhouette(*dc, *src, SpanRect(Bounded(int64_t{x} + 1), Bounded(int64_t{y} + 1), cx, cy),
                   GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawSilhouette(*dc, *src, dst, GetSysColor(COLOR_BTNSHADOW));
  } else if (flags & DSS_MONO) {
    DrawSilhouette(*dc, *src, dst, brushColor);
  } else {
    DrawScaled(dc->Target(), dc->ClipRect(), *src, src->Bounds(), dst, src->hasAlpha);
  }
  return true;
}

}  // namespace

HBITMAP CreateCompatibleBitmap(HDC /*like*/, int width, int height) { return CreateFilledBitmap(width, height, 0); }

HBITMAP CreateFilledBitmap(int width, int height, COLORREF fill) {
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return HBITMAP{};
  return AddBitmap(std::make_shared<PixelBuffer>(width, height, ToPixel(fill)));
}

HBITMAP CopyBitmap(HBITMAP bitmap) {
  auto src = Find<PixelBuffer>(ToInt(bitmap));
  return src ? AddBitmap(std::make_shared<PixelBuffer>(*src)) : HBITMAP{};
}

SIZE GetBitmapSize(HBITMAP bitmap) {
  auto b = Find<PixelBuffer>(ToInt(bitmap));
  return b ? SIZE{b->width, b->height} : SIZE{};
}

bool BitmapHasAlpha(HBITMAP bitmap) {
  auto b = Find<PixelBuffer>(ToInt(bitmap));
  return b && b->hasAlpha;
}

HBITMAP LoadBitmapFromPngFile(const std::string& path) { return AddBitmap(DecodePngFile(path)); }
HBITMAP LoadBitmapFromPngBytes(const std::vector<uint8_t>& bytes) { return AddBitmap(DecodePngBytes(bytes)); }

bool SaveBitmapToPng(HBITMAP bitmap, const std::string& path) {
  auto b = Find<PixelBuffer>(ToInt(bitmap));
  return b && WritePngFile(*b, path);
}

bool SaveDCToPng(HDC hdc, const std::string& path) {
  auto dc = FindDc(hdc);
  return dc && WritePngFile(dc->Target(), path);
}

std::vector<uint8_t> EncodePng(HBITMAP bitmap) {
  auto b = Find<PixelBuffer>(ToInt(bitmap));
  return b ? EncodePngBytes(*b) : std::vector<uint8_t>{};
}

bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, uint32_t rop) {
  auto d = FindDc(dst);
  if (!d) return false;
  d->Record("BitBlt " + BlitText(x, y, width, height) + " from " + std::to_string(srcX) + "," + std::to_string(srcY) +
            " rop=" + HexText(rop));
  RECT area = Intersect(SpanRect(x, y, width, height), d->ClipRect());
  if (rop == BLACKNESS || rop == WHITENESS) {
    FillPixels(d->Target(), area, area, rop == BLACKNESS ? 0xFF000000u : 0xFFFFFFFFu);
    return true;
  }
  auto s = FindDc(src);
  if (!s) return false;
  const PixelBuffer& source = s->Target();
  PixelBuffer& target = d->Target();
  // Only the part of the area whose source lies inside the source picture.
  const RECT from = Intersect(
      RECT{area.left - x + srcX, area.top - y + srcY, area.right - x + srcX, area.bottom - y + srcY}, source.Bounds());
  if (IsEmptyRect(from)) return true;
  area = RECT{from.left - srcX + x, from.top - srcY + y, from.right - srcX + x, from.bottom - srcY + y};
  const int columns = area.right - area.left;
  // Source and target may be the same bitmap: then the source part is
  // copied first.
  std::vector<uint32_t> copy;
  if (&source == &target) {
    copy.reserve(static_cast<size_t>(columns) * static_cast<size_t>(from.bottom - from.top));
    for (int sy = from.top; sy < from.bottom; ++sy) copy.insert(copy.end(), source.Row(sy) + from.left, source.Row(sy) + from.right);
  }
  for (int ty = area.top; ty < area.bottom; ++ty) {
    const int sy = ty - area.top;
    const uint32_t* in = copy.empty() ? source.Row(from.top + sy) + from.left : copy.data() + static_cast<size_t>(sy) * columns;
    uint32_t* out = target.Row(ty) + area.left;
    if (rop == SRCCOPY) {
      for (int i = 0; i < columns; ++i) out[i] = 0xFF000000u | (in[i] & 0xFFFFFFu);
    } else {
      for (int i = 0; i < columns; ++i) out[i] = 0xFF000000u | (Rop(rop, in[i], out[i]) & 0xFFFFFFu);
    }
  }
  return true;
}

bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth, int srcHeight,
                uint32_t rop) {
  auto d = FindDc(dst);
  auto s = FindDc(src);
  if (!d || !s) return false;
  d->Record("StretchBlt " + BlitText(x, y, width, height) + " from " + BlitText(srcX, srcY, srcWidth, srcHeight));
  if (rop != SRCCOPY) return false;
  PixelBuffer copy = s->Target();
  const RECT from = SpanRect(srcX, srcY, srcWidth, srcHeight);
  const RECT to = SpanRect(x, y, width, height);
  if (d->state.stretchMode == HALFTONE && width > 0 && height > 0 && srcWidth > 0 && srcHeight > 0) {
    DrawAveraged(d->Target(), d->ClipRect(), copy, from, to);
  } else {
    DrawScaled(d->Target(), d->ClipRect(), copy, from, to, false);
  }
  return true;
}

int SetStretchBltMode(HDC hdc, int mode) {
  auto dc = FindDc(hdc);
  if (!dc || mode < 1 || mode > HALFTONE) return 0;
  const int previous = dc->state.stretchMode;
  dc->state.stretchMode = mode;
  return previous;
}

bool TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                    int srcHeight, COLORREF transparent) {
  auto d = FindDc(dst);
  auto s = FindDc(src);
  if (!d || !s) return false;
  d->Record("TransparentBlt " + BlitText(x, y, width, height) + " from " + BlitText(srcX, srcY, srcWidth, srcHeight) +
            " key=" + ColorText(transparent));
  PixelBuffer copy = s->Target();
  uint32_t key = ToPixel(transparent);
  for (uint32_t& p : copy.pixels) p = ((p | 0xFF000000u) == key) ? 0 : (p | 0xFF000000u);
  DrawScaled(d->Target(), d->ClipRect(), copy, SpanRect(srcX, srcY, srcWidth, srcHeight),
             SpanRect(x, y, width, height), true);
  return true;
}

bool AlphaBlendPicture(HDC dst, int x, int y, int width, int height, HBITMAP picture, int srcX, int srcY, int srcWidth,
                       int srcHeight) {
  auto d = FindDc(dst);
  auto p = Find<PixelBuffer>(ToInt(picture));
  if (!d || !p) return false;
  d->Record("AlphaBlend " + BlitText(x, y, width, height));
  DrawScaled(d->Target(), d->ClipRect(), *p, SpanRect(srcX, srcY, srcWidth, srcHeight),
             SpanRect(x, y, width, height), true);
  return true;
}

HICON CreateIconFromBitmap(HBITMAP bitmap) {
  auto b = Find<PixelBuffer>(ToInt(bitmap));
  return b ? AddIcon(std::make_shared<PixelBuffer>(*b)) : HICON{};
}

HICON LoadIconFromPngFile(const std::string& path) { return AddIcon(DecodePngFile(path)); }
HICON LoadIconFromPngBytes(const std::vector<uint8_t>& bytes) { return AddIcon(DecodePngBytes(bytes)); }

HBITMAP IconToBitmap(HICON icon) {
  auto image = IconImage(icon);
  return image ? AddBitmap(std::make_shared<PixelBuffer>(*image)) : HBITMAP{};
}

SIZE GetIconSize(HICON icon) {
  auto image = IconImage(icon);
  return image ? SIZE{image->width, image->height} : SIZE{};
}

bool DestroyIcon(HICON icon) {
  if (!Find<IconObj>(ToInt(icon))) return false;
  return RemoveObject(ToInt(icon));
}

bool DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, uint32_t /*step*/, HBRUSH background,
                uint32_t /*flags*/) {
  auto dc = FindDc(hdc);
  auto image = IconImage(icon);
  if (!dc || !image) return false;
  if (cx <= 0) cx = image->width;
  if (cy <= 0) cy = image->height;
  dc->Record("DrawIcon " + BlitText(x, y, cx, cy));
  RECT dst = SpanRect(x, y, cx, cy);
  if (auto b = Find<BrushObj>(ToInt(background)); b && !b->hollow)
    FillPixels(dc->Target(), dc->ClipRect(), dst, ToPixel(b->color));
  DrawScaled(dc->Target(), dc->ClipRect(), *image, image->Bounds(), dst, true);
  return true;
}

bool DrawStateA(HDC hdc, HBRUSH brush, HICON icon, int x, int y, int cx, int cy, uint32_t flags) {
  return DrawPictureState(hdc, brush, IconImage(icon), "icon", x, y, cx, cy, flags);
}

bool DrawStateA(HDC hdc, HBRUSH brush, HBITMAP bitmap, int x, int y, int cx, int cy, uint32_t flags) {
  return DrawPictureState(hdc, brush, Find<PixelBuffer>(ToInt(bitmap)), "bitmap", x, y, cx, cy, flags);
}

bool DrawStateA(HDC hdc, HBRUSH brush, std::string_view text, int x, int y, int cx, int cy, uint32_t flags) {
  auto dc = FindDc(hdc);
  if (!dc) return false;
  SIZE size{};
  GetTextExtentPoint32A(hdc, text, -1, &size);
  if (cx <= 0) cx = size.cx;
  if (cy <= 0) cy = size.cy;
  auto b = Find<BrushObj>(ToInt(brush));
  int savedMode = SetBkMode(hdc, TRANSPARENT);
  COLORREF savedColor = GetTextColor(hdc);
  uint32_t format = DT_LEFT | DT_TOP | DT_SINGLELINE | ((flags & 0xF) == DST_PREFIXTEXT ? 0 : DT_NOPREFIX);
  RECT r{x, y, x + cx, y + cy};
  if (flags & DSS_DISABLED) {
    RECT shifted{x + 1, y + 1, x + cx + 1, y + cy + 1};
    SetTextColor(hdc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(hdc, text, -1, &shifted, format);
    SetTextColor(hdc, GetSysColor(COLOR_BTNSHADOW));
  } else if ((flags & DSS_MONO) && b) {
    SetTextColor(hdc, b->color);
  }
  DrawTextA(hdc, text, -1, &r, format);
  SetTextColor(hdc, savedColor);
  SetBkMode(hdc, savedMode);
  return true;
}

}  // namespace gdi
