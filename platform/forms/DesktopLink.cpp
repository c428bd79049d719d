#include "forms/DesktopLink.h"

#include "forms/MsgBox.h"
#include "runtime/Strings.h"
#include "shell/ShellExecute.h"
#include "win/Window.h"

namespace forms {

bool IsMailLink(const std::string& address) { return rt::LCase(address.substr(0, 7)) == "mailto:"; }

bool OpenLinkOnDesktop(const std::string& address) {
  if (shell::ShellExecuteA(0, "open", address, "", "", win::SW_SHOWNORMAL) > 32) return true;
  std::string prompt;
  if (IsMailLink(address)) {
    // The address without the link's scheme and its subject or body.
    std::string to = address.substr(7);
    to = to.substr(0, to.find('?'));
    prompt = "There is no mail program on this computer to write a message to " + to + ".";
  } else {
    prompt = "There is no program on this computer to open " + address + ".";
  }
  MsgBox(prompt, vbExclamation);
  return false;
}

}  // namespace forms
