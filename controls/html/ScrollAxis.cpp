#include "html/ScrollAxis.h"

#include <algorithm>
#include <cstdint>

namespace kvctl2::html {

namespace {
constexpr int64_t kBarLimit = INT16_MAX;
}

void ScrollAxis::SetRange(int64_t pixels) {
  m_range = pixels;
  m_unit = pixels > kBarLimit ? (pixels + kBarLimit - 1) / kBarLimit : 1;
  m_position = 0;
}

int16_t ScrollAxis::BarMax() const {
  if (m_range <= 0) return static_cast<int16_t>(std::max<int64_t>(m_range, INT16_MIN));
  return static_cast<int16_t>((m_range + m_unit - 1) / m_unit);
}

int16_t ScrollAxis::SetPosition(int64_t pixels) {
  m_position = std::clamp<int64_t>(pixels, 0, std::max<int64_t>(m_range, 0));
  // The end of the range shows as the bar's end.
  if (m_range > 0 && m_position == m_range) return BarMax();
  return static_cast<int16_t>(m_position / m_unit);
}

int64_t ScrollAxis::PositionOf(int32_t value) const {
  if (m_range <= 0 || value <= 0) return 0;
  if (value >= BarMax()) return m_range;
  return std::min<int64_t>(int64_t{value} * m_unit, m_range);
}

}  // namespace kvctl2::html
