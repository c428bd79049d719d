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

int CompareReportValues(const rt::Variant& a, const rt::Variant& b) {
  const bool aNone = a.IsNull() || a.IsEmpty();
  const bool bNone = b.IsNull() || b.IsEmpty();
  if (aNone || bNone) return aNone == bNone ? 0 : (aNone ? -1 : 1);
  const bool aNumber = a.Type() == rt::VarType::Date || (a.IsNumeric() && !a.IsString());
  const bool bNumber = b.Type() == rt::VarType::Date || (b.IsNumeric() && !b.IsString());
  if (aNumber && bNumber) {
    const double x = a.Type() == rt::VarType::Date ? a.ToDate().days : a.ToDouble();
    const double y = b.Type() == rt::VarType::Date ? b.ToDate().days : b.ToDouble();
    return x < y ? -1 : (x > y ? 1 : 0);
  }
  return rt::StrComp(ReportText(a), ReportText(b), rt::CompareMethod::Text);
}

ReportItem::ReportItem(rt::Variant value) : m_value(std::move(value)), m_caption(ReportText(m_value)) {}

void ReportItem::SetValue(rt::Variant value) {
  m_value = std::move(value);
  m_caption = ReportText(m_value);
}

}  // namespace forms
