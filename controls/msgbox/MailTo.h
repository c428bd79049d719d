// Mail through the desktop's mail program: a "mailto:" link handed to the
// shell, the subject and body escaped as URL components (UTF-8, CR LF as
// %0D%0A).
#pragma once

#include <string>
#include <string_view>

namespace kvctl2 {

// The link for a new message to `address` with subject and body.
std::string MailToLink(std::string_view address, std::string_view subject, std::string_view body);
// Opens a new mail message; false when no mail program could be started.
bool SendMailTo(std::string_view address, std::string_view subject, std::string_view body);

}  // namespace kvctl2
