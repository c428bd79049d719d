#include "ado/ErrorMap.h"

#include <array>
#include <utility>

#include "ado/Constants.h"
#include "runtime/Error.h"

namespace ado {

namespace {

// Exact codes first, then classes (the first two characters).
constexpr std::array<std::pair<std::string_view, int32_t>, 7> kExactStates{{
    {"40001", errConcurrencyViolation},  // serialization failure: a concurrent change
    {"40P01", errConflictingChange},     // deadlock
    {"55P03", errConflictingChange},     // lock not available
    {"28P01", errLoginRefused},          // invalid password
    {"28000", errLoginRefused},          // invalid authorization
    {"42501", errPermissionDenied},      // insufficient privilege (on a statement)
    {"53300", errCannotConnect},         // too many connections
}};

constexpr std::array<std::pair<std::string_view, int32_t>, 5> kStateClasses{{
    {"23", errIntegrityViolation},  // integrity constraint violation
    {"08", errCannotConnect},       // connection exception
    {"57", errCannotConnect},       // operator intervention (server shut down)
    {"28", errLoginRefused},        // authorization
    {"42", errCommandFailed},       // syntax error or access rule violation
}};

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

}  // namespace

int32_t ErrorNumberForSqlState(std::string_view sqlState) {
  for (const auto& [state, number] : kExactStates) {
    if (state == sqlState) return number;
  }
  for (const auto& [prefix, number] : kStateClasses) {
    if (sqlState.substr(0, 2) == prefix) return number;
  }
  return errCommandFailed;
}

std::string DescriptionForServerError(std::string_view sqlState, std::string_view message) {
  // 'cannot insert a non-DEFAULT value into column "id"', 'column "id" can
  // only be updated to DEFAULT'
  auto column = [&] {
    const size_t open = message.find('"');
    const size_t close = open == std::string_view::npos ? open : message.find('"', open + 1);
    return close == std::string_view::npos ? std::string() : std::string(message.substr(open + 1, close - open - 1));
  };
  if (sqlState == "428C9" && Contains(message, "cannot insert a non-DEFAULT value into column")) {
    return "Cannot insert explicit value for identity column '" + column() + "'.";
  }
  if (sqlState == "428C9" && Contains(message, "can only be updated to DEFAULT")) {
    return "Cannot update identity column '" + column() + "'.";
  }
  return std::string(message);
}

int32_t ErrorNumberForConnectFailure(std::string_view message) {
  // The server answered but is not taking connections: as unreachable.
  if (Contains(message, "too many clients") || Contains(message, "is starting up") ||
      Contains(message, "is shutting down") || Contains(message, "in recovery mode")) {
    return errCannotConnect;
  }
  // A FATAL from the server during start-up refuses this login (password,
  // peer, role, database or connect right); libpq asking for a password it
  // was not given is a refusal as well.
  if (Contains(message, "FATAL:") || Contains(message, "no password supplied") ||
      Contains(message, "authentication failed")) {
    return errLoginRefused;
  }
  return errCannotConnect;
}

void RaiseAdo(int32_t number, std::string description) {
  throw rt::Error(number, std::move(description), "ADODB");
}

}  // namespace ado
