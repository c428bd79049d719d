#include "display/DisplayControl.h"

#include "gdi/Bitmaps.h"
#include "gdi/Objects.h"
#include "gdi/Owned.h"
#include "gdi/Shapes.h"
#include "gdi/SysColors.h"
#include "win/InputRouting.h"

namespace kvctl2 {

void DisplayControl::DefineAction(std::string_view name, std::function<void()> action, com::DispId id) {
  DefineMethod(
      name,
      [action = std::move(action)](com::Args&) {
        action();
        return rt::Variant();
      },
      id);
}

void DisplayControl::DefineColor(std::string_view name, std::function<uint32_t()> get,
                                 std::function<void(uint32_t)> set, com::DispId id) {
  DefineProperty(
      name, [get = std::move(get)] { return rt::Variant(ColorValue(get())); },
      [set = std::move(set)](const rt::Variant& v) { set(static_cast<uint32_t>(v.ToLong())); }, id);
}

com::StdFontPtr DisplayControl::ReadFont(const com::PropertyBag& bag, std::string_view key) const {
  const com::StdFontPtr ambient = AmbientFont();
  const auto font = com::AsObject<com::StdFont>(bag.ReadProperty(key, com::ToVariant(ambient)));
  return font ? font : ambient;
}

void DisplayControl::WriteFont(com::PropertyBag& bag, std::string_view key, const com::StdFontPtr& font) const {
  bag.WriteProperty(key, com::ToVariant(font), com::ToVariant(AmbientFont()));
}

void DisplayControl::DefineWindowHandle(com::DispId id) {
  DefineReadOnly(
      "hWnd", [this] { return rt::Variant(win::ToInt(hWnd())); }, id);
}

void DisplayControl::DefineDeviceContext(com::DispId id) {
  DefineReadOnly(
      "hDC", [this] { return rt::Variant(gdi::ToInt(hDC())); }, id);
}

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
