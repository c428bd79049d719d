// SprSel: the selection marker of a spreadsheet-like grid. The host lays it
// over its grid and calls SetPosition with the selection's rectangle; the
// control shows an inner outline and one 15 twips outside it, and while its
// timer runs (Timer True) it swaps their horizontal extents every 200 ms,
// so the frame flickers. Col, Col2, Row, Row2, iSheet and NixShow are the
// host's own bookkeeping; Col or Row -1 let a full-width or full-height
// selection follow the control's size. Everything is twips; nothing is
// persisted. The control's own surface is transparent.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "display/DisplayControl.h"

namespace forms {
class Shape;
class Timer;
}  // namespace forms

namespace kvctl2 {

class SprSel : public DisplayControl {
 public:
  SprSel();
  std::string ClassName() const override { return "SprSel"; }

  // The host's fields.
  bool NixShow = false;
  int32_t Col = 0;
  int32_t Col2 = 0;
  int32_t Row = 0;
  int32_t Row2 = 0;
  int16_t iSheet = 0;

  // The inner outline's fill (Shp(0)) and both outlines' colour.
  int32_t BackColorValue() const;
  void SetBackColorValue(int32_t color);  // -1: no fill
  int32_t Color() const;
  void SetColor(int32_t color);
  // Starts (True) or stops the blinking and shows or hides the outlines.
  void Timer(bool yn);
  // Places the outlines round the rectangle (L, T, lW, lH); raises 6 when a
  // size does not fit 32 bits.
  void SetPosition(int32_t l, int32_t t, int32_t lW, int32_t lH, bool bIsFullSel);
  // One tick of the blink timer.
  void Blink();

  forms::Shape& Shp(int index) const { return index == 0 ? *m_inner : *m_outer; }
  forms::Timer& Tmr() const { return *m_timer; }

  void ReadProperties(const com::PropertyBag& bag) override;

 protected:
  void Resize() override;

 private:
  void DefineMembers();
  void PlaceShapes();

  std::shared_ptr<forms::Shape> m_inner;  // Shp(0)
  std::shared_ptr<forms::Shape> m_outer;  // Shp(1)
  std::shared_ptr<forms::Timer> m_timer;  // Tmr
  int32_t m_innerLeft = 0, m_innerTop = 0, m_outerLeft = 0, m_outerTop = 0;
  int32_t m_innerWidth = 0, m_outerWidth = 0, m_innerHeight = 0;
  bool m_fullSelection = false;
  int16_t m_phase = 0;
};

}  // namespace kvctl2
