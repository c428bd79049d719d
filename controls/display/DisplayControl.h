// What the display controls of the library have in common: the dispatch
// ids of their interfaces (properties &H68030000 + n, methods &H60030000 +
// n), raising their mouse events with the arguments by reference, reading
// a property of their container through the extender, the ambient font,
// and the conversions between the twips of the interface and the pixels
// they draw in.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "com/UserControl.h"
#include "gdi/Twips.h"

namespace kvctl2 {

constexpr com::DispId PropertyId(int n) { return static_cast<com::DispId>(0x68030000 + n); }
constexpr com::DispId MethodId(int n) { return static_cast<com::DispId>(0x60030000 + n); }

// OLE colours travel as signed 32-bit values.
constexpr int32_t ColorValue(uint32_t color) { return static_cast<int32_t>(color); }

class DisplayControl : public com::UserControl {
 protected:
  // A method without arguments or result under its id.
  void DefineAction(std::string_view name, std::function<void()> action, com::DispId id);
  // An OLE colour property under its id, read and written through these.
  void DefineColor(std::string_view name, std::function<uint32_t()> get, std::function<void(uint32_t)> set,
                   com::DispId id);
  // Raises a mouse event with Button, Shift, X and Y (all by reference).
  void RaiseMouseEvent(std::string_view name, int16_t button, int16_t shift, float x, float y);
  // A property of the container object (Extender.Container.name); raises
  // when there is no container or it has no such property.
  rt::Variant ContainerProperty(std::string_view name);
  // A copy of the container's font (the default font when there is none).
  com::StdFontPtr AmbientFont() const;
  // A font kept in the property bag with the ambient font as its default.
  com::StdFontPtr ReadFont(const com::PropertyBag& bag, std::string_view key) const;
  void WriteFont(com::PropertyBag& bag, std::string_view key, const com::StdFontPtr& font) const;
  // The read-only hWnd and hDC of the surface under these ids.
  void DefineWindowHandle(com::DispId id);
  void DefineDeviceContext(com::DispId id);
  // MousePointer (Get/Let) and MouseIcon (Get/Set) of the surface under
  // these ids; each change is marked under the property's name.
  void DefinePointerMembers(com::DispId pointerId, com::DispId iconId);
  // Draws a picture with DrawStateA in a state (DSS_NORMAL, DSS_MONO with
  // a brush, DSS_DISABLED) at the size given: an icon as an icon, a bitmap
  // as a bitmap; an empty picture or none draws nothing.
  static void DrawPictureState(gdi::HDC hdc, const com::StdPicturePtr& picture, int x, int y, int cx, int cy,
                               uint32_t state, gdi::HBRUSH brush = gdi::HBRUSH{});
  // The thin rounded border of the information panels: a one-pixel outline
  // in the colour round (0, 0, width, height) with corners 20 pixels wide.
  static void DrawRoundBorder(gdi::HDC hdc, int width, int height, uint32_t color);
  // Refuses a font of Nothing: error 380, "Cannot set Font to Nothing".
  void CheckFontGiven(const com::StdFontPtr& font) const;
  // Asks for a leave notification (WM_MOUSELEAVE) for the control's window:
  // _TrackMouseEvent with size 16, TME_LEAVE and no hover time.
  void RequestMouseLeave();
  // Whether the control runs in a program (not in a designer).
  bool UserMode() const { return Ambient().UserMode; }
  // The control's size in pixels, rounded from its twips.
  int WidthPixels() const { return gdi::TwipsToPixelsX(Width()); }
  int HeightPixels() const { return gdi::TwipsToPixelsY(Height()); }
};

}  // namespace kvctl2
