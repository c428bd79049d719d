#include "forms/dialogs/DialogAnswers.h"

#include "forms/dialogs/FolderDialog.h"
#include "forms/dialogs/SaveFileDialog.h"

namespace forms {

Responder ChooseFolder(std::string folder) {
  return [folder](const ModalRequest& request) {
    if (auto* dialog = dynamic_cast<FolderDialog*>(request.form)) {
      dialog->SelectFolder(folder);
      dialog->PressOK();
    }
    return 0;
  };
}

Responder MakeFolderAndChoose(std::string startFolder, std::string name) {
  return [startFolder, name](const ModalRequest& request) {
    if (auto* dialog = dynamic_cast<FolderDialog*>(request.form)) {
      dialog->SelectFolder(startFolder);
      if (dialog->MakeFolder(name)) dialog->PressOK();
    }
    return 0;
  };
}

Responder SaveFileAs(std::string fileName, std::string folder) {
  return [fileName, folder](const ModalRequest& request) {
    if (auto* dialog = dynamic_cast<SaveFileDialog*>(request.form)) {
      if (!folder.empty()) dialog->OpenFolder(folder);
      dialog->SetFileName(fileName);
      dialog->PressSave();
    }
    return 0;
  };
}

Responder CancelFileDialog() {
  return [](const ModalRequest& request) {
    if (auto* folderDialog = dynamic_cast<FolderDialog*>(request.form)) folderDialog->PressCancel();
    if (auto* saveDialog = dynamic_cast<SaveFileDialog*>(request.form)) saveDialog->PressCancel();
    return 0;
  };
}

}  // namespace forms
