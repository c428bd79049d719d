#include "msgbox/MailTo.h"

#include <cctype>

#include "shell/ShellExecute.h"
#include "win/Window.h"

namespace kvctl2 {
namespace {

std::string Escape(std::string_view text) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

}  // namespace

std::string MailToLink(std::string_view address, std::string_view subject, std::string_view body) {
  return "mailto:" + std::string(address) + "?subject=" + Escape(subject) + "&body=" + Escape(body);
}

bool SendMailTo(std::string_view address, std::string_view subject, std::string_view body) {
  return shell::ShellExecuteA(0, "open", MailToLink(address, subject, body), "", "", win::SW_SHOWNORMAL) > 32;
}

}  // namespace kvctl2
