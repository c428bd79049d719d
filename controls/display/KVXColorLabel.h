// KVXColorLabel: the markup label. Its Caption carries inline tags (see
// CaptionMarkup.h); each paint pass parses it into styled runs, optionally
// word-wraps them to the control's width, prints them one after the other
// into the persistent image, and with Autosize grows the width to the
// longest line; Autosize or WordWrap set the height to the lines. All sizes
// are twips. Its design-time editor is the property page "Caption".
#pragma once

#include <cstdint>
#include <string>

#include "display/CaptionMarkup.h"
#include "display/DisplayControl.h"

namespace kvctl2 {

class KVXColorLabel : public DisplayControl {
 public:
  KVXColorLabel();
  std::string ClassName() const override { return "KVXColorLabel"; }
  std::vector<std::string> PropertyPages() const override { return {"Caption"}; }

  const std::string& Caption() const { return m_caption; }
  // Stores the value without leading and trailing blanks.
  void SetCaption(std::string value);
  bool Autosize() const { return m_autosize; }
  void SetAutosize(bool value);
  bool WordWrap() const { return m_wordWrap; }
  void SetWordWrap(bool value);
  void SetFontProperty(com::StdFontPtr font);
  void SetForeColorProperty(uint32_t color);
  void SetBackColorProperty(uint32_t color);
  // The runs of the last paint pass.
  const CaptionMarkup& Markup() const { return m_markup; }
  // The paint pass.
  void PaintCaption();

  void InitProperties() override;
  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;

 protected:
  void Resize() override;
  void UserControl_MouseDown(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_MouseMove(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_MouseUp(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_Click() override { RaiseEvent("Click"); }
  void UserControl_DblClick() override { RaiseEvent("DblClick"); }

 private:
  void DefineMembers();
  // A paint pass, and a second one when the first made the control wider.
  void PaintTwiceIfWider();

  std::string m_caption;
  bool m_autosize = false;
  bool m_wordWrap = false;
  bool m_busy = false;
  int32_t m_oldWidth = 0;
  CaptionMarkup m_markup;
};

}  // namespace kvctl2
