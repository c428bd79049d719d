// The scroll bars VScrollBar and HScrollBar: one control with an
// orientation. Value runs from Min to Max (16-bit; Min may be greater than
// Max, which turns the bar round). The user changes it with the arrows
// (SmallChange), by pressing the track beside the thumb (LargeChange), by
// dragging the thumb and with the keys (arrows, Page Up/Down, Home, End).
// A held arrow or track press repeats on the program's clock. Every change
// of Value raises Change, except while the thumb is dragged: then each move
// that changes it raises Scroll, and the release raises Change once when the
// drag moved it. Clicking the bar gives it the focus (GotFocus).
#pragma once

#include <cstdint>
#include <string>

#include "com/Control.h"

namespace forms {

enum class ScrollOrientation { Vertical, Horizontal };

class ScrollBar : public com::Control {
 public:
  // The parts of the bar, from the Min end to the Max end.
  enum class Part { None, LineUp, PageUp, Thumb, PageDown, LineDown };
  // Where the parts lie, in pixels of the control; an empty rectangle for
  // a part that is not shown (the thumb of a disabled or too short bar).
  struct Layout {
    win::RECT lineUp, pageUp, thumb, pageDown, lineDown;
  };

  explicit ScrollBar(ScrollOrientation orientation);
  ~ScrollBar() override;
  std::string ClassName() const override {
    return m_orientation == ScrollOrientation::Vertical ? "VScrollBar" : "HScrollBar";
  }
  ScrollOrientation Orientation() const { return m_orientation; }

  int16_t Min() const { return m_min; }
  int16_t Max() const { return m_max; }
  int16_t Value() const { return m_value; }
  int16_t SmallChange() const { return m_smallChange; }
  int16_t LargeChange() const { return m_largeChange; }
  // A new Min or Max pulls Value into the range (raising Change).
  void SetMin(int16_t value);
  void SetMax(int16_t value);
  // Raises 380 for a value outside Min..Max; Change when it differs.
  void SetValue(int16_t value);
  // Raise 380 for a value below 1.
  void SetSmallChange(int16_t value);
  void SetLargeChange(int16_t value);

  Layout ComputeLayout() const;
  Part HitTest(win::POINT pixel) const;
  // The part held down by the mouse (Part::None when nothing is).
  Part PressedPart() const { return m_pressed; }

  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;
  void KeyDown(int16_t& keyCode, int16_t shift) override;
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override;

 protected:
  void OnEnabledChanged() override;

 private:
  int32_t Low() const;
  int32_t High() const;
  // Moves Value by `delta` steps towards Max (negative: towards Min),
  // clamped to the range; raises Change when it moved.
  void Step(int32_t delta);
  void StepFor(Part part);
  void PressPart(Part part, win::POINT pixel);
  void Repeat();
  void Drag(win::POINT pixel);
  void EndPress();
  void TakeFocus();
  void StartRepeatTimer(uint32_t delayMs);
  void StopRepeatTimer();
  // Position along the bar and across it.
  int Along(win::POINT p) const;
  int Across(win::POINT p) const;

  ScrollOrientation m_orientation;
  int16_t m_min = 0;
  int16_t m_max = 32767;
  int16_t m_value = 0;
  int16_t m_smallChange = 1;
  int16_t m_largeChange = 1;
  Part m_pressed = Part::None;
  win::POINT m_pointer;  // last pointer position while a part is held
  int m_dragOffset = 0;  // pointer position inside the thumb at the press
  int16_t m_dragStartValue = 0;
  bool m_repeating = false;
};

class VScrollBar : public ScrollBar {
 public:
  VScrollBar() : ScrollBar(ScrollOrientation::Vertical) {}
};

class HScrollBar : public ScrollBar {
 public:
  HScrollBar() : ScrollBar(ScrollOrientation::Horizontal) {}
};

}  // namespace forms
