// KVXInfoPanelLight: the lighter information box. The pale-yellow area
// with the thin rounded border, a picture and one text label at fixed
// places, no head line, no markup and no scrolling. With HotLink the text
// is underlined while the pointer is over the box; MouseOut tells the host
// that the pointer left (through the window's leave notification, seen by
// the subclassing class). Everything inside is pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "display/DisplayControl.h"
#include "services/clsSubClass.h"

namespace forms {
class Image;
class Label;
}  // namespace forms

namespace kvctl2 {

class KVXInfoPanelLight : public DisplayControl {
 public:
  KVXInfoPanelLight();
  ~KVXInfoPanelLight() override;
  std::string ClassName() const override { return "KVXInfoPanelLight"; }

  const std::string& Text() const { return m_text; }
  void SetText(std::string value);
  // Raises 380 for Nothing; copies the font's attributes to the label.
  void SetFontProperty(com::StdFontPtr font);
  void SetPictureProperty(com::StdPicturePtr picture);
  void SetBackColorProperty(uint32_t color);
  bool HotLink() const { return m_hotLink; }
  void SetHotLink(bool value);
  void RefreshPanel();

  forms::Label& lblHead() const { return *m_label; }
  forms::Image& imgPicture() const { return *m_image; }

  void InitProperties() override;
  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Show() override { RefreshPanel(); }
  void Terminate() override;

 protected:
  void OnSited() override;
  void Resize() override { ResizeLayout(); }
  void UserControl_MouseDown(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_MouseMove(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_MouseUp(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_Click() override;

 private:
  void DefineMembers();
  void DefinePosition(const char* name, int32_t KVXInfoPanelLight::*field, int id);
  void ResizeLayout();
  // Whether the pointer is over the picture, which takes no mouse.
  bool OverPicture(float x, float y) const;
  void RaiseButtonEvent(std::string_view name, int16_t button, int16_t shift);
  void NewMessage(int32_t hWnd, int32_t& uMsg, win::WPARAM& wParam, win::LPARAM& lParam, bool& cancel);

  std::shared_ptr<forms::Image> m_image;  // imgPicture
  std::shared_ptr<forms::Label> m_label;  // lblHead
  int32_t m_picPosLeft = 6;
  int32_t m_picPosTop = 5;
  int32_t m_textPosLeft = 26;
  int32_t m_textPosTop = 6;
  com::StdFontPtr m_font;
  com::StdPicturePtr m_picture;
  std::string m_text;
  uint32_t m_borderColor = 0x808080;
  uint32_t m_backColor = 0xE2FFFF;
  int32_t m_rightMargin = 0;
  bool m_wordWrap = false;
  bool m_hotLink = false;
  bool m_pressOnPicture = false;
  std::unique_ptr<clsSubClass> mSubClass;
};

}  // namespace kvctl2
