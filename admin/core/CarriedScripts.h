// The SQL scripts that QVAdmin carries (master database creation, first
// rows, trigger scripts), each offered to the script runner as a holder
// whose "RawText" is the script's text.
#pragma once

#include <memory>
#include <string>

#include "com/Dispatch.h"

namespace qvadmin {

// The holder of the carried script `name` ("scriptMakeHauptDB",
// "scriptUSSettings", "scriptInsertTrigger", "scriptDeleteTrigger", ...).
// Its text is read when RawText is asked for; a script that can't be read
// raises error 53 then.
std::shared_ptr<com::Dispatch> CarriedScript(const std::string& name);

}  // namespace qvadmin
