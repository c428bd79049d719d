#include "forms/MsgBox.h"

#include <algorithm>
#include <string>

#include "forms/App.h"
#include "forms/Responder.h"
#include "forms/dialogs/MsgBoxWindow.h"
#include "gdi/WindowSurface.h"
#include "runtime/Error.h"

namespace forms {

std::vector<int32_t> MsgBoxButtons(int32_t buttons) {
  switch (buttons & 0x7) {
    case vbOKOnly:
      return {vbOK};
    case vbOKCancel:
      return {vbOK, vbCancel};
    case vbAbortRetryIgnore:
      return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel:
      return {vbYes, vbNo, vbCancel};
    case vbYesNo:
      return {vbYes, vbNo};
    case vbRetryCancel:
      return {vbRetry, vbCancel};
    default:
      return {};
  }
}

bool MsgBoxOffers(int32_t buttons, int32_t result) {
  const std::vector<int32_t> results = MsgBoxButtons(buttons);
  return std::ranges::find(results, result) != results.end();
}

int32_t MsgBoxEscapeResult(int32_t buttons) {
  if (MsgBoxButtons(buttons) == std::vector<int32_t>{vbOK}) return vbOK;
  return MsgBoxOffers(buttons, vbCancel) ? vbCancel : 0;
}

int32_t MsgBox(std::string_view prompt, int32_t buttons, std::string_view title) {
  ModalRequest request;
  request.kind = ModalRequest::Kind::MessageBox;
  request.prompt = std::string(prompt);
  request.buttons = buttons;
  request.title = title.empty() ? App().Title : std::string(title);
  Responder responder = Responders::Next();
  if (!responder) {
    // Only a user in front of a screen can answer the box.
    if (!gdi::HasWindowSurfaces()) {
      rt::Raise(errNoResponder, "MsgBox", "A message box has no responder to answer it: " + request.prompt);
    }
    if (MsgBoxButtons(buttons).empty()) {
      rt::Raise(rt::errInvalidProcedureCall, "MsgBox",
                "The message box style " + std::to_string(buttons) + " names no button set");
    }
    return ShowMsgBoxWindow(request.prompt, buttons, request.title);
  }
  const int32_t result = responder(request);
  // A message box can only end with one of its buttons.
  if (!MsgBoxOffers(buttons, result)) {
    rt::Raise(rt::errInvalidProcedureCall, "MsgBox",
              "The responder answered " + std::to_string(result) + ", which the message box does not offer");
  }
  return result;
}

}  // namespace forms
