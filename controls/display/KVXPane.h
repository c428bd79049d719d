// KVXPane: the plain panel. Its surface is filled with the background
// colour or, with Gradient, a two-colour gradient (CGradient), and carries
// one of nine border styles drawn in twips: a flat or 3-D rectangle, an
// etched double frame, cross-hatched corners or an etched head line. A
// repaint with a border style sets the surface's scale (twips, or the inner
// frame for the rectangles). It passes its key and mouse events on to the
// host and raises Resize after the repaint of a size change. A container:
// hosts place controls on it.
#pragma once

#include <cstdint>
#include <string>

#include "display/DisplayControl.h"

namespace kvctl2 {

enum class BorderType : int32_t {
  None = 0,
  Flat = 1,
  Frame = 2,
  Inset = 3,
  Raised = 4,
  CrossSingle = 5,
  CrossFull = 6,
  HeadLines = 7,
  HeadLinesVert = 8,
};

class KVXPane : public DisplayControl {
 public:
  KVXPane();
  std::string ClassName() const override { return "KVXPane"; }
  bool AcceptsContainedControls() const override { return true; }

  uint32_t CrossColor1() const { return m_crossColor1; }
  void SetCrossColor1(uint32_t color);
  uint32_t CrossColor2() const { return m_crossColor2; }
  void SetCrossColor2(uint32_t color);
  void SetBackColorProperty(uint32_t color);
  // Reading the border style repaints the pane.
  int32_t BorderStyle();
  void SetBorderStyle(int32_t style);
  bool Gradient() const { return m_gradient; }
  void SetGradient(bool value);
  float GradientAngle() const { return m_gradientAngle; }
  void SetGradientAngle(float value);
  uint32_t BackColor2() const { return m_backColor2; }
  void SetBackColor2(uint32_t color);
  int32_t HeadLineDiff() const { return m_headLineDiff; }
  void SetHeadLineDiff(int32_t value);
  // Sets both gradient colours with one repaint.
  void ChangeColors(uint32_t backColor1, uint32_t backColor2);

  void InitProperties() override;
  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;

 protected:
  void Resize() override;
  void UserControl_MouseDown(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_MouseMove(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_MouseUp(int16_t button, int16_t shift, float x, float y) override;

 private:
  void DefineMembers();
  void RedrawPane();
  void DrawRectangle(float l, float t, float r, float b, const uint32_t (&colors)[4]);

  int32_t m_borderStyle = 0;
  bool m_gradient = false;
  float m_gradientAngle = 130;
  int32_t m_headLineDiff = 0;
  uint32_t m_backColor2 = 0xFF;
  uint32_t m_crossColor1 = 0x808080;
  uint32_t m_crossColor2 = 0xFFFFFF;
};

}  // namespace kvctl2
