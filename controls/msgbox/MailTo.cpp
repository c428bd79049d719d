#include "msgbox/MailTo.h"

#include "runtime/Strings.h"
#include "shell/ShellExecute.h"
#include "win/Window.h"

namespace kvctl2 {

std::string MailToLink(std::string_view address, std::string_view subject, std::string_view body) {
  return "mailto:" + std::string(address) + "?subject=" + rt::PercentEncode(subject) + "&body=" + rt::PercentEncode(body);
}

bool SendMailTo(std::string_view address, std::string_view subject, std::string_view body) {
  return shell::ShellExecuteA(0, "open", MailToLink(address, subject, body), "", "", win::SW_SHOWNORMAL) > 32;
}

}  // namespace kvctl2
