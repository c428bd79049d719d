#include "core/FormSettings.h"

#include <algorithm>

#include "core/RegistrySettings.h"
#include "forms/Form.h"
#include "forms/Screen.h"
#include "runtime/Error.h"

namespace qvadmin {
namespace {

constexpr int32_t kNoState = -1;
constexpr int32_t kNoLeft = -123;

// The form's section: its name without the first three characters.
std::string Section(const forms::Form& form) {
  const std::string& name = form.Name();
  if (name.size() < 3) rt::Raise(6);  // overflow, as the original's arithmetic gives
  return name.substr(3);
}

kvctl2::cRegSettings& Settings() {
  if (!RegSet) rt::Raise(91);
  return *RegSet;
}

// Moves the form back onto the screen when an edge lies outside it.
void KeepOnScreen(forms::Form& form) {
  const int32_t screenW = forms::Screen::Width();
  const int32_t screenH = forms::Screen::Height();
  int32_t left = form.Left();
  int32_t top = form.Top();
  if (left + form.Width() > screenW) left = screenW - form.Width();
  if (top + form.Height() > screenH) top = screenH - form.Height();
  left = std::max(left, 0);
  top = std::max(top, 0);
  if (left != form.Left() || top != form.Top()) form.Move(left, top);
}

}  // namespace

rt::Variant GetFormSetting(const forms::Form& form, const std::string& Key, const rt::Variant& Default) {
  rt::Variant result = "";
  rt::ResumeNext([&] { result = Settings().GetSetting(Section(form), Key, Default); });
  rt::Err().Clear();
  return result;
}

void SaveFormSetting(const forms::Form& form, const std::string& Key, const rt::Variant& Value) {
  bool written = true;
  rt::ResumeNext([&] { written = Settings().SetSetting(Section(form), Key, Value, false); });
  rt::Err().Clear();
  if (!written) TellSettingsProblems();
}

int32_t RestoreFormPlacement(forms::Form& form, bool KeepVisible, bool Resize) {
  int32_t state = kNoState;
  bool done = false;
  rt::ResumeNext([&] {
    state = Settings().GetSetting("", Section(form), kNoState).ToLong();
    if (state != kNoState) {
      form.SetWindowState(static_cast<int16_t>(state));
      done = state != 0;  // a minimised or maximised form keeps its place
    }
  });
  if (!done) {
    rt::ResumeNext([&] {
      const int32_t left = Settings().GetSetting(Section(form), "L", kNoLeft).ToLong();
      if (left == kNoLeft) return;
      form.SetLeft(left);
      form.SetTop(Settings().GetSetting(Section(form), "T", form.Top()).ToLong());
      if (Resize) {
        form.SetWidth(Settings().GetSetting(Section(form), "W", form.Width()).ToLong());
        form.SetHeight(Settings().GetSetting(Section(form), "H", form.Height()).ToLong());
      }
    });
    if (KeepVisible) rt::ResumeNext([&] { KeepOnScreen(form); });
  }
  rt::Err().Clear();
  return state == kNoState ? kNoStoredWindowState : state;
}

}  // namespace qvadmin
