// Values between the server's text format and the runtime's tagged values,
// chosen by the column's or parameter's type.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/Variant.h"

namespace ado {

// Type identifiers of the server's built-in types that the layer treats
// specially.
namespace pgtype {
inline constexpr uint32_t Bool = 16, Bytea = 17, Int8 = 20, Int2 = 21, Int4 = 23, Text = 25, Oid = 26, Json = 114,
                          Xml = 142, Float4 = 700, Float8 = 701, BpChar = 1042, VarChar = 1043, Date = 1082,
                          Time = 1083, Timestamp = 1114, TimestampTz = 1184, Numeric = 1700, Uuid = 2950;
}

// A value read from the server (text format) as the runtime sees it:
// uuid as "{...}" in upper case, boolean as a truth value, integers as 16-
// or 32-bit numbers (a bigint beyond 32 bits as a double), dates and times
// as day numbers, bytea as a byte array, everything else as text.
rt::Variant FromServerText(std::string_view text, uint32_t typeOid);

// A runtime value as the server's text for a parameter of the given type;
// no value for Null and Empty (SQL NULL).
std::optional<std::string> ToServerText(const rt::Variant& value, uint32_t typeOid);

// The field type the layer reports for a server type.
int32_t AdoTypeOf(uint32_t typeOid);

}  // namespace ado
