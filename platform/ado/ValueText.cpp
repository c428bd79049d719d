#include "ado/ValueText.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "ado/Constants.h"
#include "runtime/Date.h"

namespace ado {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads an unsigned number of `width` digits at `pos`; -1 when absent.
int Digits(std::string_view s, size_t pos, size_t width) {
  if (pos + width > s.size()) return -1;
  int v = 0;
  for (size_t i = pos; i < pos + width; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(s[i]))) return -1;
    v = v * 10 + (s[i] - '0');
  }
  return v;
}

// "hh:mm:ss[.ffffff]" at `pos` as a fraction of a day; -1 when absent.
double TimeOfDay(std::string_view s, size_t pos) {
  int h = Digits(s, pos, 2), m = Digits(s, pos + 3, 2), sec = Digits(s, pos + 6, 2);
  if (h < 0 || m < 0 || sec < 0) return -1;
  double seconds = h * 3600.0 + m * 60.0 + sec;
  size_t f = pos + 8;
  if (f < s.size() && s[f] == '.') {
    double scale = 0.1;
    for (++f; f < s.size() && std::isdigit(static_cast<unsigned char>(s[f])); ++f, scale /= 10) {
      seconds += (s[f] - '0') * scale;
    }
  }
  return seconds / 86400.0;
}

// "yyyy-mm-dd[ hh:mm:ss[.ffffff]][zone]" (ISO date style); no value for
// anything else ("infinity", dates BC).
std::optional<rt::DateValue> ParseTimestamp(std::string_view s) {
  int y = Digits(s, 0, 4), mo = Digits(s, 5, 2), d = Digits(s, 8, 2);
  if (y < 0 || mo < 0 || d < 0 || s[4] != '-' || s[7] != '-') return std::nullopt;
  rt::DateValue day = rt::DateSerial(y, mo, d);
  if (s.size() > 11 && s[10] == ' ') {
    double t = TimeOfDay(s, 11);
    if (t >= 0) day.days += t;
  }
  return day;
}

std::string FormatTimestamp(rt::DateValue d) {
  rt::DateParts p = rt::SplitDate(d);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute, p.second);
  return buf;
}

std::string HexBytes(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\\x";
  for (unsigned char b : bytes) {
    out += kHex[b >> 4];
    out += kHex[b & 15];
  }
  return out;
}

rt::Variant ByteArray(std::string_view text) {
  rt::VariantArray a;
  if (text.size() >= 2 && text[0] == '\\' && text[1] == 'x') {
    for (size_t i = 2; i + 1 < text.size(); i += 2) {
      a.items.emplace_back(static_cast<uint8_t>(HexDigit(text[i]) * 16 + HexDigit(text[i + 1])));
    }
  } else {
    for (unsigned char c : text) a.items.emplace_back(static_cast<uint8_t>(c));
  }
  a.rows = a.items.size();
  return rt::Variant(std::move(a));
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

rt::Variant FromServerText(std::string_view text, uint32_t typeOid) {
  switch (typeOid) {
    case pgtype::Bool:
      return rt::Variant(text == "t");
    case pgtype::Int2:
      return rt::Variant(static_cast<int16_t>(std::strtol(std::string(text).c_str(), nullptr, 10)));
    case pgtype::Int4:
    case pgtype::Int8:
    case pgtype::Oid: {
      long long v = std::strtoll(std::string(text).c_str(), nullptr, 10);
      if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max()) {
        return rt::Variant(static_cast<int32_t>(v));
      }
      return rt::Variant(static_cast<double>(v));
    }
    case pgtype::Float4:
    case pgtype::Float8:
    case pgtype::Numeric:
      return rt::Variant(std::strtod(std::string(text).c_str(), nullptr));
    case pgtype::Uuid:
      return rt::Variant("{" + Upper(text) + "}");
    case pgtype::Date:
    case pgtype::Timestamp:
    case pgtype::TimestampTz:
      if (auto d = ParseTimestamp(text)) return rt::Variant(*d);
      return rt::Variant(std::string(text));
    case pgtype::Time: {
      double t = TimeOfDay(text, 0);
      if (t >= 0) return rt::Variant(rt::DateValue{t});
      return rt::Variant(std::string(text));
    }
    case pgtype::Bytea:
      return ByteArray(text);
    default:
      return rt::Variant(std::string(text));
  }
}

std::optional<std::string> ToServerText(const rt::Variant& value, uint32_t typeOid) {
  if (value.IsNull() || value.IsEmpty()) return std::nullopt;
  switch (typeOid) {
    case pgtype::Bool:
      return std::string(value.ToBool() ? "true" : "false");
    case pgtype::Int2:
    case pgtype::Int4:
      return std::to_string(value.ToLong());
    case pgtype::Int8:
    case pgtype::Oid: {
      char buf[40];
      std::snprintf(buf, sizeof buf, "%.0f", value.ToDouble());
      return std::string(buf);
    }
    case pgtype::Float4:
    case pgtype::Float8:
    case pgtype::Numeric: {
      if (value.IsString()) return value.ToString();
      char buf[40];
      std::snprintf(buf, sizeof buf, "%.17g", value.ToDouble());
      return std::string(buf);
    }
    case pgtype::Date:
    case pgtype::Timestamp:
    case pgtype::TimestampTz:
      if (value.IsString()) return value.ToString();
      return FormatTimestamp(value.ToDate());
    case pgtype::Bytea:
      if (value.IsArray()) {
        std::string bytes;
        for (const auto& b : value.Array().items) bytes += static_cast<char>(b.ToLong() & 0xFF);
        return HexBytes(bytes);
      }
      return HexBytes(value.ToString());
    default:
      if (value.Type() == rt::VarType::Date) return FormatTimestamp(value.ToDate());
      return value.ToString();
  }
}

int32_t AdoTypeOf(uint32_t typeOid) {
  switch (typeOid) {
    case pgtype::Bool: return adBoolean;
    case pgtype::Int2: return adSmallInt;
    case pgtype::Int4: return adInteger;
    case pgtype::Int8: return adBigInt;
    case pgtype::Oid: return adInteger;
    case pgtype::Float4: return adSingle;
    case pgtype::Float8: return adDouble;
    case pgtype::Numeric: return adNumeric;
    case pgtype::Uuid: return adGUID;
    case pgtype::Date: return adDBDate;
    case pgtype::Time: return adDBTime;
    case pgtype::Timestamp:
    case pgtype::TimestampTz: return adDBTimeStamp;
    case pgtype::Bytea: return adLongVarBinary;
    case pgtype::Text: return adLongVarWChar;
    case pgtype::BpChar: return adWChar;
    default: return adVarWChar;
  }
}

}  // namespace ado
