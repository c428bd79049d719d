// KVXProgress: the progress bar. A shaded, round-ended bar fills from the
// left with the percentage written on the filled part. The shading is
// painted once per layout (Dither) as horizontal stripes derived from
// BackColor and ForeColor; UpdateTo only changes widths and positions. The
// control keeps its height at 360 twips; everything inside is in twips.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "display/DisplayControl.h"

namespace forms {
class Label;
class PictureBox;
class Shape;
}  // namespace forms

namespace kvctl2 {

class KVXProgress : public DisplayControl {
 public:
  KVXProgress();
  std::string ClassName() const override { return "KVXProgress"; }

  // Sets the bar to CurrentValue of MaxValue.
  void UpdateTo(int32_t currentValue);
  // UpdateTo(0), then a new layout.
  void Reset();
  // A colour whose top byte is &H80 as the system's RGB; others as given.
  static uint32_t WinColor(uint32_t vbColor);
  // Paints the shading of the bar, the fill and the caption colour.
  void Dither(uint32_t backColor, uint32_t progressColor, uint32_t captionColor);

  int32_t MaxValue() const { return m_maxValue; }
  void SetMaxValue(int32_t value);
  uint32_t BackColorProperty() const { return m_backColor; }
  void SetBackColorProperty(uint32_t color);
  uint32_t ForeColorProperty() const { return m_foreColor; }
  void SetForeColorProperty(uint32_t color);
  uint32_t CaptionColor() const { return m_captionColor; }
  void SetCaptionColor(uint32_t color);

  // The parts, for hosts and tests that look at the layout (twips).
  forms::PictureBox& Bar() const { return *m_bar; }
  forms::PictureBox& Fill() const { return *m_fill; }
  forms::PictureBox& Edge() const { return *m_edge; }
  forms::Label& Percent() const { return *m_percent; }
  forms::Shape& RightCap() const { return *m_rightCap; }

  void InitProperties() override;
  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;

 protected:
  void Resize() override;

 private:
  void DefineMembers();
  void Relayout();
  // The stripes and the round left end of the fill, at the bar's width.
  void PaintFill();
  // Sets the fill's width (twips) and repaints it.
  void SetFillWidth(int32_t width);

  int32_t m_maxValue = 100;
  int32_t m_fullWidth = 0;
  int32_t m_fillWidth = 0;
  uint8_t m_percentValue = 0;
  uint8_t m_shownPercent = 0;
  uint32_t m_backColor = 0xFF8080;
  uint32_t m_foreColor = 0x8848C0;
  uint32_t m_captionColor = 0xC0FFFF;
  uint32_t m_progressColor = 0x8848C0;  // the colour of the last Dither

  std::shared_ptr<forms::PictureBox> m_bar;   // PICBar
  std::shared_ptr<forms::PictureBox> m_fill;  // PICProg
  std::shared_ptr<forms::Label> m_percent;    // LBLPer
  std::shared_ptr<forms::PictureBox> m_edge;  // picPnt
  std::shared_ptr<forms::Shape> m_barEnd;     // ShpR
  std::shared_ptr<forms::Shape> m_leftCap;    // ShpBack1
  std::shared_ptr<forms::Shape> m_rightCap;   // ShpBack2
};

}  // namespace kvctl2
