#include "forms/lists/ReportItem.h"

#include "runtime/Date.h"
#include "runtime/Strings.h"

namespace forms {

std::string ReportText(const rt::Variant& value) {
  switch (value.Type()) {
    case rt::VarType::Empty:
    case rt::VarType::Null:
    case rt::VarType::Object:
      return {};
    case rt::VarType::Date: {
      const rt::DateValue d = value.ToDate();
      return rt::FormatDate(d, d.days == static_cast<double>(static_cast<int64_t>(d.days)) ? "yyyy-mm-dd"
                                                                                          : "yyyy-mm-dd hh:nn");
    }
    default:
      return value.IsArray() ? std::string() : value.ToString();
  }
}

ReportItem::ReportItem(rt::Variant value) : m_value(std::move(value)), m_caption(ReportText(m_value)) {}

void ReportItem::SetValue(rt::Variant value) {
  m_value = std::move(value);
  m_caption = ReportText(m_value);
}

}  // namespace forms
