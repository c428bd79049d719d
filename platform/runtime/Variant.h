// Tagged values at dispatch boundaries: what a late-bound call, a property
// bag or an optional argument carries. Empty and Null are values of their
// own; arrays are one- or two-dimensional and zero-based.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace rt {

// 16-bit truth values as the dispatch interfaces pass them.
using VbBool = int16_t;
inline constexpr VbBool vbTrue = -1;
inline constexpr VbBool vbFalse = 0;
inline constexpr VbBool ToVbBool(bool b) noexcept { return b ? vbTrue : vbFalse; }

enum class VarType : int16_t {
  Empty = 0,
  Null = 1,
  Integer = 2,   // 16-bit
  Long = 3,      // 32-bit
  Double = 5,
  Date = 7,
  String = 8,
  Object = 9,
  Boolean = 11,
  Byte = 17,
  Array = 0x2000,
};

class Variant;

// A zero-based array of values with one or two dimensions (rows x columns).
struct VariantArray {
  size_t rows = 0;
  size_t cols = 0;  // 0 for a one-dimensional array
  std::vector<Variant> items;
};

// An object reference at a dispatch boundary; what it refers to is up to the
// layer that passes it.
struct ObjectRef {
  std::shared_ptr<void> object;
  std::string typeName;
  bool operator==(const ObjectRef& o) const { return object == o.object; }
};

struct EmptyTag { bool operator==(const EmptyTag&) const = default; };
struct NullTag { bool operator==(const NullTag&) const = default; };
struct DateValue { double days = 0; bool operator==(const DateValue&) const = default; };

class Variant {
 public:
  Variant() = default;
  Variant(bool b) : m_value(b) {}
  Variant(int16_t i) : m_value(i) {}
  Variant(int32_t i) : m_value(i) {}
  Variant(uint8_t b) : m_value(b) {}
  Variant(double d) : m_value(d) {}
  Variant(DateValue d) : m_value(d) {}
  Variant(const char* s) : m_value(std::string(s)) {}
  Variant(std::string s) : m_value(std::move(s)) {}
  Variant(VariantArray a) : m_value(std::make_shared<VariantArray>(std::move(a))) {}
  Variant(ObjectRef o) : m_value(std::move(o)) {}

  static Variant Null() { Variant v; v.m_value = NullTag{}; return v; }

  VarType Type() const noexcept;
  bool IsEmpty() const noexcept { return std::holds_alternative<EmptyTag>(m_value); }
  bool IsNull() const noexcept { return std::holds_alternative<NullTag>(m_value); }
  bool IsArray() const noexcept { return std::holds_alternative<std::shared_ptr<VariantArray>>(m_value); }
  bool IsString() const noexcept { return std::holds_alternative<std::string>(m_value); }
  bool IsObject() const noexcept { return std::holds_alternative<ObjectRef>(m_value); }
  bool IsNumeric() const noexcept;

  // Conversions as the runtime does them; a value that cannot convert
  // raises error 13 (type mismatch). Empty converts to 0, "" and False.
  std::string ToString() const;       // CStr
  int32_t ToLong() const;             // CLng, banker's rounding
  int16_t ToInteger() const;          // CInt
  double ToDouble() const;            // CDbl
  bool ToBool() const;                // CBool
  DateValue ToDate() const;
  const ObjectRef& ToObject() const;
  const VariantArray& Array() const;  // raises 13 when not an array

  bool operator==(const Variant& other) const;

 private:
  std::variant<EmptyTag, NullTag, bool, int16_t, int32_t, uint8_t, double, DateValue, std::string,
               std::shared_ptr<VariantArray>, ObjectRef>
      m_value;
};

// Builders for the arrays the classes return.
Variant MakeStringArray(const std::vector<std::string>& items);
Variant MakeStringTable(const std::vector<std::pair<std::string, std::string>>& rows);

}  // namespace rt
