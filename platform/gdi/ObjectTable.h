// The layer's table of handles: every DC and drawing object lives here
// under a small positive handle. Objects are shared, so a DC keeps the
// objects selected into it alive even after their handles were deleted.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "gdi/PixelBuffer.h"
#include "gdi/Types.h"

namespace gdi::detail {

struct PenObj {
  int style = PS_SOLID;
  int width = 1;
  COLORREF color = 0;
};
struct BrushObj {
  bool hollow = false;
  COLORREF color = 0;
};
struct FontObj {
  LOGFONT font;
};
struct RegionObj {
  RECT box{};
};
struct IconObj {
  std::shared_ptr<PixelBuffer> image;
};

// What is selected into a DC and its modes; SaveDC copies this.
struct DcState {
  HPEN penHandle{};
  HBRUSH brushHandle{};
  HFONT fontHandle{};
  HBITMAP bitmapHandle{};
  std::shared_ptr<PenObj> pen;
  std::shared_ptr<BrushObj> brush;
  std::shared_ptr<FontObj> font;
  std::shared_ptr<PixelBuffer> bitmap;
  COLORREF textColor = 0;
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  int stretchMode = 3;  // COLORONCOLOR
  POINT position{};
  std::optional<RECT> clip;
};

struct DcObj {
  DcState state;
  std::vector<DcState> saved;
  HBITMAP ownedBitmap{};  // deleted with the DC (surface DCs)
  bool recording = false;
  std::vector<std::string> log;

  PixelBuffer& Target() { return *state.bitmap; }
  // Drawing area: the bitmap, cut to the clip rectangle.
  RECT ClipRect() const;
  void Record(std::string line) {
    if (recording) log.push_back(std::move(line));
  }
};

using Object = std::variant<std::shared_ptr<PenObj>, std::shared_ptr<BrushObj>, std::shared_ptr<FontObj>,
                            std::shared_ptr<RegionObj>, std::shared_ptr<PixelBuffer>, std::shared_ptr<IconObj>,
                            std::shared_ptr<DcObj>>;

int32_t AddObject(Object object);
std::optional<Object> FindObject(int32_t handle);
// Removes an object; false for unknown handles. Stock objects stay (true).
bool RemoveObject(int32_t handle);
bool IsStockHandle(int32_t handle);
int32_t StockHandle(int stockObject);           // 0 for an unknown index
inline constexpr int kDefaultBitmapStock = 21;  // the 1 x 1 bitmap of a fresh memory DC

template <class T>
std::shared_ptr<T> Find(int32_t handle) {
  auto object = FindObject(handle);
  if (!object) return nullptr;
  if (auto* p = std::get_if<std::shared_ptr<T>>(&*object)) return *p;
  return nullptr;
}

inline std::shared_ptr<DcObj> FindDc(HDC hdc) {
  auto dc = Find<DcObj>(ToInt(hdc));
  return dc && dc->state.bitmap ? dc : nullptr;
}

// Text forms for the recorder.
std::string ColorText(COLORREF c);    // "#RRGGBB"
std::string RectText(const RECT& r);  // "l,t,r,b"
std::string HexText(uint32_t value);  // "0x25"

}  // namespace gdi::detail
