// OpenSaveDLG: the save-file dialog as the control library offers it,
// made for one call. Set DialogTitle, Filter ("description|pattern|..." or
// patterns alone, such as "*.cfg"), FileName (the proposed name), InitDir
// and DefaultExt, then ShowSave: the chosen path (also in FileName), or ""
// when the user cancelled (with CancelError set, error 18 instead). A file
// that exists is replaced only after the user agreed.
#pragma once

#include <cstdint>
#include <string>

namespace forms {
class Form;
}

namespace kvctl2 {

class OpenSaveDLG {
 public:
  void SetOwner(forms::Form* owner) { m_owner = owner; }
  std::string DialogTitle;
  std::string Filter;
  int32_t FilterIndex = 1;
  std::string FileName;
  std::string InitDir;
  std::string DefaultExt;
  bool CancelError = false;

  std::string ShowSave();

 private:
  forms::Form* m_owner = nullptr;
};

}  // namespace kvctl2
