// BrowseFolderDLG: the folder selection dialog as the control library
// offers it, made for one call. BrowseFolder shows the dialog with a prompt
// and a folder selected at the start and returns the chosen folder, or ""
// when the user cancelled (with CancelError set, error 18 instead).
#pragma once

#include <cstdint>
#include <string>

namespace forms {
class Form;
}

namespace kvctl2 {

// Raised when the user cancels while CancelError is set.
inline constexpr int32_t errDialogCancelled = 18;

class BrowseFolderDLG {
 public:
  // The form that owns the dialog (nullptr: none).
  void SetOwner(forms::Form* owner) { m_owner = owner; }
  bool CancelError() const { return m_cancelError; }
  void SetCancelError(bool value) { m_cancelError = value; }
  // Whether the dialog offers "Make New Folder" (it does unless told).
  bool NewFolderButton() const { return m_newFolderButton; }
  void SetNewFolderButton(bool value) { m_newFolderButton = value; }

  std::string BrowseFolder(const std::string& prompt, const std::string& startFolder);

 private:
  forms::Form* m_owner = nullptr;
  bool m_cancelError = false;
  bool m_newFolderButton = true;
};

}  // namespace kvctl2
