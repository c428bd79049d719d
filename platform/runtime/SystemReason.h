// The system's reason for an error code (errno), in the language the
// program speaks, as the platform's message table gives it in the user's
// language: the common reasons in German too; any other in English.
#pragma once

#include <string>

namespace rt {

std::string SystemReason(int code, bool english);

}  // namespace rt
