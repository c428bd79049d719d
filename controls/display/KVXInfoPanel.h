// KVXInfoPanel: the information box. A pale-yellow area with a thin
// rounded border, an optional picture at the top left, a bold head line
// (Caption) and a body text (Text, "<BR>" a line break). The body shows in
// a word-wrapping label while it fits the box and in a scrolling multi-line
// text box when it does not. Each part raises the mouse events with a first
// argument telling which part was hit. Everything inside is pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "display/DisplayControl.h"

namespace forms {
class Label;
class PictureBox;
class TextBox;
}  // namespace forms

namespace kvctl2 {

enum ClickSection : int16_t { IconInf = 1, CaptionInf = 2, TipInf = 3, CntrlInf = 4 };

class KVXInfoPanel : public DisplayControl {
 public:
  KVXInfoPanel();
  ~KVXInfoPanel() override;
  std::string ClassName() const override { return "KVXInfoPanel"; }

  const std::string& Text() const { return m_text; }
  void SetText(std::string value);
  const std::string& Caption() const { return m_caption; }
  void SetCaption(std::string value);
  // Raises 380 for Nothing.
  void SetFontProperty(com::StdFontPtr font);
  void SetPictureProperty(com::StdPicturePtr picture);
  void SetPicPosLeft(int32_t value);
  void SetPicPosTop(int32_t value);
  void SetRightMargin(int32_t value);
  void SetWordWrap(bool value);
  // Decides between the label and the text box and sets the widths.
  void MakeSize();
  // Repaints the border and the parts' backgrounds.
  void RefreshPanel();
  int32_t BodyTop() const { return m_bodyTop; }

  forms::Label& lblHead() const { return *m_head; }
  forms::Label& lblTip() const { return *m_tip; }
  forms::TextBox& txtTip() const;
  forms::PictureBox& imgPicture() const;

  void InitProperties() override;
  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Show() override { RefreshPanel(); }

  // A part reports the mouse (x, y relative to it).
  void PartMouse(ClickSection section, std::string_view event, int16_t button, int16_t shift, float x, float y);
  void PartClick() { RaiseEvent("Click"); }

 protected:
  void Resize() override { ResizeLayout(); }
  void UserControl_MouseDown(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_MouseMove(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_MouseUp(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_Click() override { PartClick(); }

 private:
  class PicturePart;
  class TextPart;
  void DefineMembers();
  void ResizeLayout();
  void SurfaceMouse(std::string_view event, int16_t button, int16_t shift, float x, float y);
  int PictureWidth() const;

  std::shared_ptr<PicturePart> m_picturePart;  // imgPicture
  std::shared_ptr<forms::Label> m_head;        // lblHead
  std::shared_ptr<forms::Label> m_tip;         // lblTip
  std::shared_ptr<TextPart> m_textPart;        // txtTip
  int32_t m_picPosLeft = 8;
  int32_t m_picPosTop = 6;
  com::StdPicturePtr m_picture;
  int32_t m_bodyTop = 6;
  std::string m_text;
  std::string m_caption;
  uint32_t m_borderColor = 0x808080;
  uint32_t m_backColor = 0xE2FFFF;
  int32_t m_rightMargin = 0;
  bool m_wordWrap = false;
  com::StdFontPtr m_font;  // pFont
  int m_fontCookie = 0;
};

}  // namespace kvctl2
