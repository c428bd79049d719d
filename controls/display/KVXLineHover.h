// KVXLineHover: the one-line hover link. An optional 16 x 16 icon at the
// left and the caption, drawn on the surface in pixels; the caption changes
// its colour and/or underline while the pointer is over it (HoverStyle),
// shows ForeColorClick while a button is pressed on it, and the control
// raises Click and MouseOut. The pointer's leaving is told by the window's
// leave notification, seen through the subclassing class, which also turns
// double clicks into presses.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "display/DisplayControl.h"
#include "services/clsSubClass.h"

namespace kvctl2 {

enum CapHoverMode : int32_t {
  CapOnlyColor = 1,
  CapColorUnderline = 2,
  CapOnlyUnderline = 3,
  CapDeactivate = 4,
};

class KVXLineHover : public DisplayControl {
 public:
  KVXLineHover();
  ~KVXLineHover() override;
  std::string ClassName() const override { return "KVXLineHover"; }

  const std::string& Caption() const { return m_caption; }
  void SetCaption(std::string value);
  const com::StdPicturePtr& Icon() const { return m_icon; }
  void SetIcon(com::StdPicturePtr icon);
  int32_t HoverStyle() const { return m_hoverStyle; }
  void SetHoverStyle(int32_t style);
  bool LinkEnabled() const { return Enabled(); }
  void SetLinkEnabled(bool value);
  void SetBackColorProperty(uint32_t color);
  bool AutoBackColor() const { return m_autoBackColor; }
  void SetAutoBackColor(bool value);
  bool AutoWidth() const { return m_autoWidth; }
  void SetAutoWidth(bool value);
  int32_t MaxAutoWidth() const { return m_maxAutoWidth; }
  void SetMaxAutoWidth(int32_t twips);
  // The text shortened to the width the caption has.
  std::string CompactString(const std::string& text);
  // The normal (Hot False) or hot look.
  void PaintLink(bool hot);

  void InitProperties() override;
  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Show() override;
  void Terminate() override;

 protected:
  void OnSited() override;
  void Resize() override { PaintLink(false); }
  // Switched on or off by any way, the link draws in its look of that state.
  void OnEnabledChanged() override { PaintLink(false); }
  void UserControl_MouseDown(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_MouseMove(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_MouseUp(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_Click() override;

 private:
  void DefineMembers();
  void AdjustWidth();
  void NewMessage(int32_t hWnd, int32_t& uMsg, win::WPARAM& wParam, win::LPARAM& lParam, bool& cancel);
  // The caption in a colour from the left edge, as both looks draw it.
  void DrawCaption(const std::string& text, int left, uint32_t color, int shift);

  int32_t m_maxAutoWidth = 0;
  bool m_autoWidth = false;
  bool m_autoBackColor = true;
  uint32_t m_foreColorClick = 0xFF;
  uint32_t m_foreColorHover = 0x800080;
  uint32_t m_foreColor = 0xFF0000;
  com::StdPicturePtr m_icon;
  std::string m_caption;
  int32_t m_hoverStyle = CapColorUnderline;
  std::unique_ptr<clsSubClass> mSubClass;
};

}  // namespace kvctl2
