#include "core/AccessTriple.h"

#include "core/CoreMessage.h"
#include "core/ScrambleKeys.h"
#include "core/Scrambler.h"
#include "core/TextHelpers.h"

namespace qvadmin {

std::string AccessTriple(const std::string& server, const std::string& user, const std::string& password) {
  return server + "|" + user + "|" + password;
}

bool CheckAccessLine(const std::string& triple, const std::string& lead, const std::string& title) {
  if (!CheckScramblable(triple, "access data of the clients")) return false;
  if (ScrambleText(triple, kPasswordKey).find_first_of("\r\n") == std::string::npos) return true;
  TellAccessLineBreak(triple, lead, title);
  return false;
}

void TellAccessLineBreak(const std::string& triple, const std::string& lead, const std::string& title) {
  const std::string user = GetToken(triple, 2, "|");
  const bool windowsAuth = user.empty() || user == kPipeEnd;
  // The scrambled form depends on every character: a change of any of
  // them gives another line. Under Windows authentication the clients
  // have no user or password, only the server as this administration
  // names it.
  const std::string advice =
      windowsAuth ? "Please log in under another spelling of the server, for example its other name or its "
                    "address: the clients reach the server by the name this administration connects to."
                  : "Please change the user name or the password of the clients' access (page 'SQL Server "
                    "Access').";
  ShowCoreMessage(lead + "\r\rScrambled, the access data of the clients would contain a line break, which the "
                         "client configuration file can't hold.\r\r" + advice,
                  vbExclamation, title);
}

}  // namespace qvadmin
