#include "core/ShowMsgEx.h"

#include "core/TextHelpers.h"
#include "forms/MsgBox.h"
#include "forms/Screen.h"
#include "main/frmMDI.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "win/Input.h"

namespace qvadmin {

namespace {

constexpr int16_t kDefaultPointer = 0;
constexpr int16_t kHourglass = 11;

std::string DetailsAsHtml(const std::string& details) {
  return rt::Replace(rt::Replace(details, "\r\n", "<br>"), "\r", "<br>");
}

}  // namespace

int32_t ShowMsgEx(const std::string& prompt, int32_t buttons, const std::string& title, const std::string& helpFile,
                  int32_t context, int32_t options, const std::string& details, bool detailsCopySendButton,
                  com::StdPicturePtr icon) {
  int16_t savedPointer = kDefaultPointer;
  int32_t result = 0;
  // Errors are ignored step by step; the pointer is restored in any case.
  rt::ResumeNext([&] { savedPointer = forms::Screen::MousePointer(); });
  rt::ResumeNext([] { forms::Screen::SetMousePointer(kDefaultPointer); });
  rt::ResumeNext([] { win::ReleaseCapture(); });
  const std::shared_ptr<frmMDI> main = frmMDI::Default();
  if (title == kDeleteConfirmationTitle && main->IsLoaded()) {
    rt::ResumeNext([&] { icon = main->ImagePicture("MsgDelete"); });
  }
  rt::Err().Clear();
  rt::ResumeNext([&] {
    if (!main->IsLoaded()) {
      // Before the main window exists (start-up) the plain message box
      // speaks; it shows text, so the details lose their markup.
      result = forms::MsgBox(details.empty() ? prompt : prompt + "\r\r" + HtmlToPlainText(details), buttons, title);
      return;
    }
    // Options are flags: exCenterOwner is added only when not already set.
    com::Args args{prompt, buttons, title, helpFile, context, options | exCenterOwner, DetailsAsHtml(details),
                   detailsCopySendButton, icon ? com::ToVariant(icon) : com::Nothing()};
    result = main->msg()->Invoke("MsgBoxEx", com::CallKind::Method, args).ToLong();
  });
  rt::Err().Clear();
  rt::ResumeNext([&] { forms::Screen::SetMousePointer(savedPointer); });
  rt::Err().Clear();
  return result;
}

void SetHourglass(bool on) {
  // Only the pointer changes: an error handler that resets the pointer
  // before it reports still finds its error.
  const rt::Error pending = rt::Err().Current();
  rt::ResumeNext([on] { forms::Screen::SetMousePointer(on ? kHourglass : kDefaultPointer); });
  rt::Err().Set(pending);
}

}  // namespace qvadmin
