// The one place where the server's failures become the layer's error
// numbers: SQLSTATE codes of failed statements and the messages of failed
// connection attempts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ado {

// The description of a lost connection (the server's reason follows it).
inline constexpr const char* kConnectionLost = "The connection to the server was lost.";

// The error number for a failed statement's SQLSTATE (five characters).
int32_t ErrorNumberForSqlState(std::string_view sqlState);

// The description of a failed statement: the server's message, except
// where it speaks of its own means rather than of what was refused (an
// explicit value or a change for an identity column), which is told as the
// original server tells it.
std::string DescriptionForServerError(std::string_view sqlState, std::string_view message);

// The error number for a connection attempt that failed with `message`
// (libpq's text): refusals by the server are login errors, everything else
// means the server could not be reached.
int32_t ErrorNumberForConnectFailure(std::string_view message);

// Raises an rt::Error with the number, the description and the layer as
// its source.
[[noreturn]] void RaiseAdo(int32_t number, std::string description);

}  // namespace ado
