#include "core/CoreMessage.h"

#include "forms/MsgBox.h"
#include "forms/Screen.h"
#include "runtime/Error.h"

namespace qvadmin {

int32_t ShowCoreMessage(const std::string& text, int32_t style, const std::string& title) {
  int32_t result = vbOK;
  // A message that can't be shown must not end the procedure that reports.
  rt::ResumeNext([&] { result = forms::MsgBox(text, style, title); });
  rt::Err().Clear();
  return result;
}

void ReportCoreError(const std::string& label) {
  const rt::Error e = rt::Err().Current();
  ShowCoreMessage(e.Description() + "\r\rError " + std::to_string(e.Number()) + ", Procedure: \"" + label + "\".",
                  vbCritical, "Error: " + std::to_string(e.Number()));
}

void SetCoreHourglass(bool on) {
  rt::ResumeNext([on] { forms::Screen::SetMousePointer(on ? 11 : 0); });  // hourglass, default
  rt::Err().Clear();
}

}  // namespace qvadmin
