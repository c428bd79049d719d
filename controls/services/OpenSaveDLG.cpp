#include "services/OpenSaveDLG.h"

#include "forms/dialogs/SaveFileDialog.h"
#include "runtime/Error.h"
#include "services/BrowseFolderDLG.h"

namespace kvctl2 {

std::string OpenSaveDLG::ShowSave() {
  forms::OPENFILENAME ofn;
  ofn.owner = m_owner;
  ofn.lpstrFilter = Filter;
  ofn.nFilterIndex = FilterIndex;
  ofn.lpstrFile = FileName;
  ofn.lpstrInitialDir = InitDir;
  ofn.lpstrTitle = DialogTitle;
  ofn.lpstrDefExt = DefaultExt;
  ofn.Flags = forms::OFN_OVERWRITEPROMPT;
  if (!forms::GetSaveFileNameA(ofn)) {
    if (CancelError) rt::Raise(errDialogCancelled, "OpenSaveDLG", "User interrupt occurred");
    return {};
  }
  FileName = ofn.lpstrFile;
  FilterIndex = ofn.nFilterIndex;
  return FileName;
}

}  // namespace kvctl2
