#include "services/BrowseFolderDLG.h"

#include "forms/dialogs/FolderDialog.h"
#include "runtime/Error.h"

namespace kvctl2 {

std::string BrowseFolderDLG::BrowseFolder(const std::string& prompt, const std::string& startFolder) {
  forms::BROWSEINFO info;
  info.owner = m_owner;
  info.title = prompt;
  info.initialFolder = startFolder;
  info.newFolderButton = m_newFolderButton;
  const std::string folder = forms::SHBrowseForFolder(info);
  if (folder.empty() && m_cancelError) rt::Raise(errDialogCancelled, "BrowseFolderDLG", "User interrupt occurred");
  return folder;
}

}  // namespace kvctl2
