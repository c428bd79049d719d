// The folder selection dialog: a prompt, the tree of the file system's
// folders (the home folder and the whole file system, opened as the user
// expands them), the chosen folder's path (which the user may also type),
// "Make New Folder", OK and Cancel. SHBrowseForFolder shows it modally and
// returns the chosen folder, or "" when the user cancelled.
#pragma once

#include <string>

#include "forms/Form.h"

namespace forms {

class TreeNode;

struct BROWSEINFO {
  Form* owner = nullptr;
  std::string title;          // the prompt above the tree
  std::string initialFolder;  // shown selected (its nearest existing parent when missing)
  bool newFolderButton = true;
};

std::string SHBrowseForFolder(const BROWSEINFO& info);

class FolderDialog : public Form {
 public:
  explicit FolderDialog(const BROWSEINFO& info);

  // The folder chosen when OK was pressed; empty after Cancel.
  const std::string& Result() const { return m_result; }
  // The folder selected now (the path field's text).
  std::string SelectedFolder() const;
  // Selects a folder in the tree, opening the folders above it.
  void SelectFolder(const std::string& path);
  // Creates a folder of that name in the selected one and selects it;
  // false (with a message) when it cannot be made.
  bool MakeFolder(const std::string& name);
  // As the buttons do.
  void PressOK();
  void PressCancel();

 protected:
  void Form_Load() override;

 private:
  void Expanded(TreeNode& node);
  void FillChildren(TreeNode& node);
  TreeNode* NodeOf(const std::string& path, bool open);

  BROWSEINFO m_info;
  std::string m_result;
};

}  // namespace forms
