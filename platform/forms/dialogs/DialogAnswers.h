// Scripted answers to the folder and save-file dialogs, for the scripted
// responder (Responder.h): each acts on the dialog as a user would.
#pragma once

#include <string>

#include "forms/Responder.h"

namespace forms {

// Selects the folder (typing it when the tree cannot show it) and presses OK.
Responder ChooseFolder(std::string folder);
// Makes a new folder of that name in the selected one, then presses OK.
Responder MakeFolderAndChoose(std::string startFolder, std::string name);
// Opens the folder (when given), types the file name and presses Save; an
// overwrite question goes to the next queued responder.
Responder SaveFileAs(std::string fileName, std::string folder = {});
// Presses Cancel on a folder or save-file dialog.
Responder CancelFileDialog();

}  // namespace forms
