// The access data that the clients use: server, user and password joined
// with "|" (user and password empty under Windows authentication), kept
// scrambled in Konfig.WinAuth and handed to the clients as the first line
// of the client configuration file.
#pragma once

#include <string>

namespace qvadmin {

std::string AccessTriple(const std::string& server, const std::string& user, const std::string& password);

// Whether `triple` can be the clients' access line: its characters survive
// scrambling, and scrambled it holds no line break (the client
// configuration file keeps it as one line). Otherwise tells the user, in a
// box titled `title` whose text begins with `lead`, what to change in the
// authentication the triple uses (under Windows authentication only the
// server's spelling can change), and returns false.
bool CheckAccessLine(const std::string& triple, const std::string& lead, const std::string& title);
// The message of CheckAccessLine for a `triple` whose scrambled line holds
// a line break.
void TellAccessLineBreak(const std::string& triple, const std::string& lead, const std::string& title);

// The box title of CheckAccessLine where the line is stored.
inline constexpr const char* kAccessDataTitle = "Access data of the clients";

}  // namespace qvadmin
