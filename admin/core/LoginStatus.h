// The status line of the login dialog as the connection routines see it:
// the dialog registers its label while it is open; without a dialog the
// texts go nowhere.
#pragma once

#include <functional>
#include <string>

namespace qvadmin {

using LoginStatusSink = std::function<void(const std::string& text)>;

// Sets the sink that receives status texts (an empty function: none).
void SetLoginStatusSink(LoginStatusSink sink);

// Shows `text` in the login dialog's status line.
void SetLoginStatus(const std::string& text);

}  // namespace qvadmin
