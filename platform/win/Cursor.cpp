#include "win/Cursor.h"

#include <map>
#include <utility>

namespace win {

namespace {

// The standard cursors, 32 x 32 with the hot spot where the platform's
// images point: the tip of the arrow and of the hand's index finger, the
// centre of the cross-shaped and round ones.
struct StandardCursor {
  int32_t id;
  POINT hotSpot;
};
constexpr StandardCursor kStandard[] = {
    {IDC_ARROW, {0, 0}},       {IDC_IBEAM, {16, 16}},    {IDC_WAIT, {16, 16}},     {IDC_CROSS, {16, 16}},
    {IDC_UPARROW, {16, 0}},    {IDC_SIZENWSE, {16, 16}}, {IDC_SIZENESW, {16, 16}}, {IDC_SIZEWE, {16, 16}},
    {IDC_SIZENS, {16, 16}},    {IDC_SIZEALL, {16, 16}},  {IDC_NO, {16, 16}},       {IDC_HAND, {5, 0}},
    {IDC_APPSTARTING, {0, 0}}, {IDC_HELP, {0, 0}},
};

struct CursorState {
  std::map<int32_t, CursorShape> shapes;  // by handle
  std::map<int32_t, HCURSOR> standard;    // by identifier
  int32_t nextHandle = 1;
  HCURSOR shown = kNoCursor;
  std::function<void(HCURSOR)> changed;
};

CursorState& State() {
  static CursorState state;
  return state;
}

HCURSOR Add(CursorShape shape) {
  CursorState& s = State();
  const int32_t handle = s.nextHandle++;
  s.shapes.emplace(handle, std::move(shape));
  return HCURSOR{handle};
}

}  // namespace

HCURSOR LoadCursorA(int32_t standardId) {
  CursorState& s = State();
  if (auto it = s.standard.find(standardId); it != s.standard.end()) return it->second;
  for (const StandardCursor& c : kStandard) {
    if (c.id != standardId) continue;
    CursorShape shape;
    shape.standardId = c.id;
    shape.hotSpot = c.hotSpot;
    const HCURSOR handle = Add(std::move(shape));
    s.standard.emplace(standardId, handle);
    return handle;
  }
  return kNoCursor;
}

HCURSOR CreateCursor(int width, int height, POINT hotSpot, std::vector<uint32_t> argb) {
  if (width <= 0 || height <= 0 || argb.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
    return kNoCursor;
  if (hotSpot.x < 0 || hotSpot.y < 0 || hotSpot.x >= width || hotSpot.y >= height) return kNoCursor;
  CursorShape shape;
  shape.width = width;
  shape.height = height;
  shape.hotSpot = hotSpot;
  shape.argb = std::move(argb);
  return Add(std::move(shape));
}

BOOL DestroyCursor(HCURSOR cursor) {
  CursorState& s = State();
  auto it = s.shapes.find(static_cast<int32_t>(cursor));
  if (it == s.shapes.end() || it->second.standardId != 0) return FALSE;
  s.shapes.erase(it);
  if (s.shown == cursor) SetCursor(LoadCursorA(IDC_ARROW));
  return TRUE;
}

const CursorShape* GetCursorShape(HCURSOR cursor) {
  const CursorState& s = State();
  auto it = s.shapes.find(static_cast<int32_t>(cursor));
  return it == s.shapes.end() ? nullptr : &it->second;
}

HCURSOR SetCursor(HCURSOR cursor) {
  CursorState& s = State();
  const HCURSOR previous = s.shown;
  if (cursor != kNoCursor && !GetCursorShape(cursor)) return previous;
  s.shown = cursor;
  if (previous != cursor && s.changed) s.changed(cursor);
  return previous;
}

HCURSOR GetCursor() { return State().shown; }

void SetCursorChangedHandler(std::function<void(HCURSOR)> handler) { State().changed = std::move(handler); }

}  // namespace win
