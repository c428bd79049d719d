// A lost connection of the session (the server stopped or restarted, the
// network gone) as the program tells it: plainly, and once per action,
// since every later failure of the same action follows from it. Once the
// action is over (the message loop runs again), the next statement
// connects again with the session's login, so that work goes on as soon as
// the server is back; a server still away is told again by the next
// action. A server that restarted while the program was idle is no loss:
// the connection runs the next statement outside a transaction on a new
// session by itself (ado/Connection.h), so what is told here is a server
// still away, or one that went away inside a transaction.
#pragma once

#include <functional>

namespace qvadmin {

// The text that tells the user.
inline constexpr const char* kConnectionLostText =
    "The connection to the server was lost: this action could not be completed.\r\n"
    "The next action connects to the server again. If the server can't be reached yet, please try again later.";

// Whether the shared connection is lost.
bool SessionConnectionLost();

// For a report made while the shared connection is lost: the first one of
// an action runs `tell`, which tells the user; the later ones of the same
// action show nothing. Once `tell` has returned, arranges that the next
// action connects again.
void ReportConnectionLoss(const std::function<void()>& tell);

}  // namespace qvadmin
