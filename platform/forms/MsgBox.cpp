#include "forms/MsgBox.h"

#include <string>

#include "forms/App.h"
#include "forms/Responder.h"
#include "runtime/Error.h"

namespace forms {

namespace {

int32_t ButtonSet(int32_t buttons) { return buttons & 0x7; }

}  // namespace

int32_t MsgBoxEscapeResult(int32_t buttons) {
  switch (ButtonSet(buttons)) {
    case vbOKOnly:
      return vbOK;
    case vbOKCancel:
    case vbYesNoCancel:
    case vbRetryCancel:
      return vbCancel;
    default:
      return 0;
  }
}

bool MsgBoxOffers(int32_t buttons, int32_t result) {
  switch (ButtonSet(buttons)) {
    case vbOKOnly:
      return result == vbOK;
    case vbOKCancel:
      return result == vbOK || result == vbCancel;
    case vbAbortRetryIgnore:
      return result == vbAbort || result == vbRetry || result == vbIgnore;
    case vbYesNoCancel:
      return result == vbYes || result == vbNo || result == vbCancel;
    case vbYesNo:
      return result == vbYes || result == vbNo;
    case vbRetryCancel:
      return result == vbRetry || result == vbCancel;
    default:
      return false;
  }
}

int32_t MsgBox(std::string_view prompt, int32_t buttons, std::string_view title) {
  ModalRequest request;
  request.kind = ModalRequest::Kind::MessageBox;
  request.prompt = std::string(prompt);
  request.buttons = buttons;
  request.title = title.empty() ? App().Title : std::string(title);
  Responder responder = Responders::Next();
  if (!responder) {
    rt::Raise(errNoResponder, "MsgBox", "A message box has no responder to answer it: " + request.prompt);
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
