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
// A script that can't be read raises error 53 when its RawText is asked for.
std::shared_ptr<com::Dispatch> CarriedScript(const std::string& name);

// Runs the carried script `name` (a path below the SQL folder, such as
// "conversion/convertMemoDatabase") through the script runner, naming it by
// its last part in messages.
bool RunCarriedScript(const std::string& name, const std::string& dbListId = {});

// Takes the scripts from `folder` instead of the program's SQL folder ("":
// the program's again); for tests that need a script to fail.
void SetCarriedScriptFolder(std::string folder);

}  // namespace qvadmin
