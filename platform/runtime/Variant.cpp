#include "runtime/Variant.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace rt {

namespace {

[[noreturn]] void Mismatch() { Raise(errTypeMismatch); }

double ParseNumber(const std::string& text) {
  std::string t = Trim(text);
  if (t.empty()) Mismatch();
  if (StrComp(t, "True", CompareMethod::Text) == 0) return -1;
  if (StrComp(t, "False", CompareMethod::Text) == 0) return 0;
  if (t.size() > 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h')) {
    char* end = nullptr;
    errno = 0;
    unsigned long long v = std::strtoull(t.c_str() + 2, &end, 16);
    if (*end != '\0' || errno != 0) Mismatch();
    // &H literals are 32-bit signed, as the runtime reads them.
    return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(v)));
  }
  // strtod also reads "nan", "inf" and C hexadecimal numbers, none of which
  // the runtime takes for a number; a NaN would slip through every range
  // check of the integer conversions.
  if (t.find_first_of("xX") != std::string::npos) Mismatch();
  char* end = nullptr;
  errno = 0;
  double d = std::strtod(t.c_str(), &end);
  if (end == t.c_str() || *end != '\0' || errno == ERANGE || !std::isfinite(d)) Mismatch();
  return d;
}

// Rounds half to even, as the runtime's integer conversions do.
double BankersRound(double d) {
  double r = std::nearbyint(d);  // default rounding mode is to nearest even
  return r;
}

}  // namespace

VarType Variant::Type() const noexcept {
  switch (m_value.index()) {
    case 0: return VarType::Empty;
    case 1: return VarType::Null;
    case 2: return VarType::Boolean;
    case 3: return VarType::Integer;
    case 4: return VarType::Long;
    case 5: return VarType::Byte;
    case 6: return VarType::Double;
    case 7: return VarType::Date;
    case 8: return VarType::String;
    case 9: return VarType::Array;
    default: return VarType::Object;
  }
}

bool Variant::IsNumeric() const noexcept {
  switch (Type()) {
    case VarType::Boolean:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Byte:
    case VarType::Double:
    case VarType::Empty:
      return true;
    case VarType::String:
      try {
        ParseNumber(std::get<std::string>(m_value));
        return true;
      } catch (const Error&) {
        return false;
      }
    default:
      return false;
  }
}

std::string Variant::ToString() const {
  switch (Type()) {
    case VarType::Empty: return {};
    case VarType::Null: Raise(94);
    case VarType::Boolean: return std::get<bool>(m_value) ? "True" : "False";
    case VarType::Integer: return std::to_string(std::get<int16_t>(m_value));
    case VarType::Long: return std::to_string(std::get<int32_t>(m_value));
    case VarType::Byte: return std::to_string(std::get<uint8_t>(m_value));
    case VarType::Double: return FormatNumber(std::get<double>(m_value));
    case VarType::Date: return FormatNumber(std::get<DateValue>(m_value).days);
    case VarType::String: return std::get<std::string>(m_value);
    default: Mismatch();
  }
}

double Variant::ToDouble() const {
  switch (Type()) {
    case VarType::Empty: return 0;
    case VarType::Null: Raise(94);
    case VarType::Boolean: return std::get<bool>(m_value) ? -1 : 0;
    case VarType::Integer: return std::get<int16_t>(m_value);
    case VarType::Long: return std::get<int32_t>(m_value);
    case VarType::Byte: return std::get<uint8_t>(m_value);
    case VarType::Double: return std::get<double>(m_value);
    case VarType::Date: return std::get<DateValue>(m_value).days;
    case VarType::String: return ParseNumber(std::get<std::string>(m_value));
    default: Mismatch();
  }
}

int32_t Variant::ToLong() const {
  double d = BankersRound(ToDouble());
  // Written so that a NaN fails the test too.
  if (!(d >= std::numeric_limits<int32_t>::min() && d <= std::numeric_limits<int32_t>::max())) Raise(6);
  return static_cast<int32_t>(d);
}

int16_t Variant::ToInteger() const {
  double d = BankersRound(ToDouble());
  if (!(d >= std::numeric_limits<int16_t>::min() && d <= std::numeric_limits<int16_t>::max())) Raise(6);
  return static_cast<int16_t>(d);
}

bool Variant::ToBool() const {
  if (Type() == VarType::Boolean) return std::get<bool>(m_value);
  return ToDouble() != 0;
}

DateValue Variant::ToDate() const {
  if (Type() == VarType::Date) return std::get<DateValue>(m_value);
  return DateValue{ToDouble()};
}

const ObjectRef& Variant::ToObject() const {
  if (!IsObject()) Raise(errObjectRequired);
  return std::get<ObjectRef>(m_value);
}

const VariantArray& Variant::Array() const {
  if (!IsArray()) Mismatch();
  return *std::get<std::shared_ptr<VariantArray>>(m_value);
}

bool Variant::operator==(const Variant& other) const {
  if (IsArray() || other.IsArray()) {
    if (!IsArray() || !other.IsArray()) return false;
    const auto& a = Array();
    const auto& b = other.Array();
    return a.rows == b.rows && a.cols == b.cols && a.items == b.items;
  }
  if (IsObject() || other.IsObject()) {
    return IsObject() && other.IsObject() && ToObject().object == other.ToObject().object;
  }
  if (Type() == other.Type()) return m_value == other.m_value;
  if (IsNumeric() && other.IsNumeric() && !IsString() && !other.IsString()) return ToDouble() == other.ToDouble();
  return false;
}

Variant MakeStringArray(const std::vector<std::string>& items) {
  VariantArray a;
  a.rows = items.size();
  for (const auto& s : items) a.items.emplace_back(s);
  return Variant(std::move(a));
}

Variant MakeStringTable(const std::vector<std::pair<std::string, std::string>>& rows) {
  VariantArray a;
  a.rows = rows.size();
  a.cols = 2;
  for (const auto& [first, second] : rows) {
    a.items.emplace_back(first);
    a.items.emplace_back(second);
  }
  return Variant(std::move(a));
}

}  // namespace rt
