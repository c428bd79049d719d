#include "display/DisplayControl.h"

#include "gdi/Bitmaps.h"
#include "gdi/Objects.h"
#include "gdi/Owned.h"
#include "gdi/Shapes.h"
#include "gdi/SysColors.h"
#include "win/InputRouting.h"

namespace kvctl2 {

void DisplayControl::RaiseMouseEvent(std::string_view name, int16_t button, int16_t shift, float x, float y) {
  com::Args args{button, shift, static_cast<double>(x), static_cast<double>(y)};
  RaiseEvent(name, args);
}

rt::Variant DisplayControl::ContainerProperty(std::string_view name) {
  com::DispatchPtr container = Container() ? Container()->ContainerObject() : nullptr;
  if (!container) rt::Raise(rt::errObjectRequired, ClassName());
  return container->Get(name);
}

com::StdFontPtr DisplayControl::AmbientFont() const {
  const com::StdFontPtr font = Ambient().Font;
  return font ? font->Clone() : com::StdFont::Create();
}

void DisplayControl::DefinePointerMembers(com::DispId pointerId, com::DispId iconId) {
  DefineProperty(
      "MousePointer", [this] { return rt::Variant(MousePointer()); },
      [this](const rt::Variant& v) {
        SetMousePointer(v.ToInteger());
        PropertyChanged("MousePointer");
      },
      pointerId);
  DefineObject<com::StdPicture>(
      "MouseIcon", [this] { return MouseIcon(); },
      [this](com::StdPicturePtr icon) {
        SetMouseIcon(std::move(icon));
        PropertyChanged("MouseIcon");
      },
      iconId);
}

void DisplayControl::DrawPictureState(gdi::HDC hdc, const com::StdPicturePtr& picture, int x, int y, int cx, int cy,
                                      uint32_t state, gdi::HBRUSH brush) {
  if (!picture || picture->IsEmpty()) return;
  if (picture->Type() == com::vbPicTypeIcon)
    gdi::DrawStateA(hdc, brush, picture->Icon(), x, y, cx, cy, gdi::DST_ICON | state);
  else
    gdi::DrawStateA(hdc, brush, picture->Bitmap(), x, y, cx, cy, gdi::DST_BITMAP | state);
}

void DisplayControl::DrawRoundBorder(gdi::HDC hdc, int width, int height, uint32_t color) {
  gdi::OwnedPen pen(gdi::CreatePen(gdi::PS_SOLID, 1, gdi::OleTranslateColor(color)));
  gdi::ScopedSelect<gdi::HPEN> usePen(hdc, pen.Get());
  gdi::ScopedSelect<gdi::HBRUSH> noFill(hdc, gdi::HBRUSH(gdi::GetStockObject(gdi::NULL_BRUSH)));
  gdi::RoundRect(hdc, 0, 0, width, height, 20, 20);
}

void DisplayControl::CheckFontGiven(const com::StdFontPtr& font) const {
  if (!font) rt::Raise(com::errInvalidPropertyValue, ClassName(), "Cannot set Font to Nothing");
}

void DisplayControl::RequestMouseLeave() {
  win::TRACKMOUSEEVENT track;
  track.cbSize = 16;
  track.dwFlags = win::TME_LEAVE;
  track.hwndTrack = hWnd();
  track.dwHoverTime = 0;
  win::_TrackMouseEvent(&track);
}

}  // namespace kvctl2
