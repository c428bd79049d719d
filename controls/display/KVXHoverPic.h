// KVXHoverPic: the picture button. It shows one of up to four images (up,
// down, hot, disabled) by the mouse and its own state, works as a push
// button or as a two-state check button (Value), and raises Click, DblClick
// and MouseOut. From an icon alone it makes the hot look (the icon over a
// silhouette in IconShadow), the pressed look (moved one pixel) and the
// disabled look (embossed). Bitmaps become the surface's picture and can
// give the control its shape through MaskColor. Leave tracking and double
// clicks work as for the hover link.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "display/DisplayControl.h"
#include "services/clsSubClass.h"

namespace kvctl2 {

enum STYLE_B : int32_t { abStandardButton = 0, abCheckButton = 1 };
enum VAL_U_P : int32_t { abUnPressed = 0, abPressed = 1 };
enum BACKSTYLE_TO : int32_t { abTransparent = 0, abOpaque = 1 };

class KVXHoverPic : public DisplayControl {
 public:
  KVXHoverPic();
  ~KVXHoverPic() override;
  std::string ClassName() const override { return "KVXHoverPic"; }

  // 0 up, 1 down, 2 hot.
  void PaintImage(int32_t picState);
  int32_t Value() const { return m_value; }
  void SetValue(int32_t value);
  int32_t Style() const { return m_style; }
  void SetStyle(int32_t style);
  void SetButtonEnabled(bool value);
  void SetImageUp(com::StdPicturePtr image);
  void SetImageDisabled(com::StdPicturePtr image);
  void SetMaskColorProperty(uint32_t color);
  void SetBackStyleProperty(int32_t style);
  void SetAutosize(bool value);

  void InitProperties() override;
  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Show() override;
  void Terminate() override;
  // Keys never reach the host.
  void KeyDown(int16_t& /*keyCode*/, int16_t /*shift*/) override {}
  void KeyPress(int16_t& /*keyAscii*/) override {}
  void KeyUp(int16_t& /*keyCode*/, int16_t /*shift*/) override {}

 protected:
  void OnSited() override;
  void UserControl_MouseDown(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_MouseMove(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_MouseUp(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_Click() override { RaiseEvent("Click"); }

 private:
  void DefineMembers();
  void SizeToImage();
  void SetPointerIcon(com::StdPicturePtr icon);
  void NewMessage(int32_t hWnd, int32_t& uMsg, win::WPARAM& wParam, win::LPARAM& lParam, bool& cancel);

  bool m_sound = true;
  bool m_autosize = true;
  uint32_t m_iconShadow = 0xC0C0C0;
  uint32_t m_maskColor = 0xFF;
  com::StdPicturePtr m_imageUp;
  bool m_enabled = true;
  com::StdPicturePtr m_imageDown;
  com::StdPicturePtr m_imageHot;
  com::StdPicturePtr m_imageDisabled;
  int32_t m_value = abUnPressed;
  int32_t m_backStyle = abOpaque;
  int32_t m_style = abStandardButton;
  bool m_skipNextPress = false;
  com::StdPicturePtr m_mouseIcon;
  std::unique_ptr<clsSubClass> mSubClass;
};

}  // namespace kvctl2
