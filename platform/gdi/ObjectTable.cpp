#include "gdi/ObjectTable.h"

#include <cstdio>
#include <mutex>
#include <unordered_map>

namespace gdi::detail {

namespace {

// Stock objects take the handles 1..32 (index + 1); others start above.
constexpr int32_t kStockCount = 32;
constexpr int32_t kFirstHandle = 0x100;

struct Table {
  std::mutex mutex;
  std::unordered_map<int32_t, Object> objects;
  int32_t next = kFirstHandle;

  Table() {
    auto brush = [](COLORREF c, bool hollow = false) { return std::make_shared<BrushObj>(BrushObj{hollow, c}); };
    auto pen = [](int style, COLORREF c) { return std::make_shared<PenObj>(PenObj{style, 1, c}); };
    auto font = [](int height, int weight, const char* face) {
      LOGFONT lf;
      lf.lfHeight = height;
      lf.lfWeight = weight;
      lf.lfFaceName = face;
      return std::make_shared<FontObj>(FontObj{lf});
    };
    objects[StockHandle(WHITE_BRUSH)] = brush(RGB(255, 255, 255));
    objects[StockHandle(LTGRAY_BRUSH)] = brush(RGB(192, 192, 192));
    objects[StockHandle(GRAY_BRUSH)] = brush(RGB(128, 128, 128));
    objects[StockHandle(DKGRAY_BRUSH)] = brush(RGB(64, 64, 64));
    objects[StockHandle(BLACK_BRUSH)] = brush(RGB(0, 0, 0));
    objects[StockHandle(NULL_BRUSH)] = brush(0, true);
    objects[StockHandle(WHITE_PEN)] = pen(PS_SOLID, RGB(255, 255, 255));
    objects[StockHandle(BLACK_PEN)] = pen(PS_SOLID, 0);
    objects[StockHandle(NULL_PEN)] = pen(PS_NULL, 0);
    objects[StockHandle(ANSI_VAR_FONT)] = font(-11, FW_NORMAL, "MS Sans Serif");
    objects[StockHandle(SYSTEM_FONT)] = font(16, FW_BOLD, "System");
    objects[StockHandle(DEFAULT_GUI_FONT)] = font(-11, FW_NORMAL, "MS Shell Dlg");
    objects[StockHandle(kDefaultBitmapStock)] = std::make_shared<PixelBuffer>(1, 1, 0xFF000000u);
  }
};

Table& TheTable() {
  static Table table;
  return table;
}

}  // namespace

int32_t StockHandle(int stockObject) { return stockObject >= 0 && stockObject < kStockCount ? stockObject + 1 : 0; }

bool IsStockHandle(int32_t handle) { return handle >= 1 && handle <= kStockCount; }

int32_t AddObject(Object object) {
  Table& t = TheTable();
  std::lock_guard lock(t.mutex);
  int32_t h = t.next++;
  t.objects.emplace(h, std::move(object));
  return h;
}

std::optional<Object> FindObject(int32_t handle) {
  Table& t = TheTable();
  std::lock_guard lock(t.mutex);
  auto it = t.objects.find(handle);
  if (it == t.objects.end()) return std::nullopt;
  return it->second;
}

bool RemoveObject(int32_t handle) {
  if (IsStockHandle(handle)) return true;
  Object removed;  // destroyed outside the lock
  {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    auto it = t.objects.find(handle);
    if (it == t.objects.end()) return false;
    removed = std::move(it->second);
    t.objects.erase(it);
  }
  return true;
}

RECT DcObj::ClipRect() const {
  RECT bounds = state.bitmap ? state.bitmap->Bounds() : RECT{};
  return state.clip ? Intersect(bounds, *state.clip) : bounds;
}

std::string ColorText(COLORREF c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return buf;
}

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

std::string HexText(uint32_t value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%X", value);
  return buf;
}

}  // namespace gdi::detail
