// One scroll bar of the HTML view: the scroll position in page pixels and
// the bar's 16-bit value that shows it. While the page's range fits the
// bar, a unit of the bar is a pixel and its Value is the position; for a
// longer range a unit is as many pixels as it takes, and the position
// keeps its pixels, so every part of the page stays within reach.
#pragma once

#include <cstdint>

namespace kvctl2::html {

class ScrollAxis {
 public:
  // The page's extent less the viewport's; up to 0 the bar is not needed.
  // The position goes back to 0.
  void SetRange(int64_t pixels);
  int64_t Range() const { return m_range; }
  // The bar's Max: the range in units (a negative range as it is, within
  // 16 bits).
  int16_t BarMax() const;
  int64_t Unit() const { return m_unit; }

  int64_t Position() const { return m_position; }
  // Sets the position, within 0 and the range, and returns the bar value
  // that shows it.
  int16_t SetPosition(int64_t pixels);
  // The position that a bar value stands for (its last value: the end).
  int64_t PositionOf(int32_t value) const;

 private:
  int64_t m_range = 0;
  int64_t m_unit = 1;
  int64_t m_position = 0;
};

}  // namespace kvctl2::html
