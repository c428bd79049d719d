// An item of a report record: its value (shown as text: dates as dates,
// Null and Empty as nothing) and its icon (the number of one of the
// report's icons, -1 for none). Plain data: a list holds many thousands;
// late-bound callers reach them through ReportDispatch.h.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/Variant.h"

namespace forms {

class ReportItem {
 public:
  explicit ReportItem(rt::Variant value);
  const rt::Variant& Value() const { return m_value; }
  void SetValue(rt::Variant value);
  int32_t Icon() const { return m_icon; }
  void SetIcon(int32_t icon) { m_icon = icon; }
  // The text the list shows for the value.
  const std::string& Caption() const { return m_caption; }

 private:
  rt::Variant m_value;
  std::string m_caption;
  int32_t m_icon = -1;
};

// The text a report list shows for a value.
std::string ReportText(const rt::Variant& value);

}  // namespace forms
