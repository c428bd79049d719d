#include "forms/dialogs/FolderDialog.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "forms/Label.h"
#include "forms/MsgBox.h"
#include "forms/controls/FlatEdit.h"
#include "forms/dialogs/NewFolderPrompt.h"
#include "forms/lists/TreeView.h"
#include "runtime/Strings.h"

namespace fs = std::filesystem;

namespace forms {

namespace {

const char* kDesign = R"FRM(Begin Form frmBrowseFolder
   Caption = "Browse for Folder"
   BorderStyle = 3
   StartUpPosition = 1
   ClientWidth = 5400
   ClientHeight = 5400
   Begin VB.Label lblPrompt
      WordWrap = True
      Left = 180
      Top = 120
      Width = 5040
      Height = 480
      TabIndex = 0
   End
   Begin SSActiveTreeView.SSTree treFolders
      Left = 180
      Top = 660
      Width = 5040
      Height = 3420
      TabIndex = 1
   End
   Begin VB.Label lblFolder
      Caption = "F&older:"
      Left = 180
      Top = 4290
      Width = 720
      Height = 255
      TabIndex = 2
   End
   Begin XtremeSuiteControls.FlatEdit txtFolder
      Left = 900
      Top = 4230
      Width = 4320
      Height = 315
      TabIndex = 3
   End
   Begin XtremeSuiteControls.PushButton cmdNewFolder
      Caption = "&Make New Folder"
      Left = 180
      Top = 4800
      Width = 1800
      Height = 375
      TabIndex = 4
   End
   Begin XtremeSuiteControls.PushButton cmdOK
      Caption = "OK"
      Default = True
      Left = 2700
      Top = 4800
      Width = 1200
      Height = 375
      TabIndex = 5
   End
   Begin XtremeSuiteControls.PushButton cmdCancel
      Caption = "Cancel"
      Cancel = True
      Left = 4020
      Top = 4800
      Width = 1200
      Height = 375
      TabIndex = 6
   End
End
)FRM";

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  return home && *home ? fs::path(home).lexically_normal().string() : std::string();
}

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

// A path without its trailing separators ("/" stays).
std::string Clean(const std::string& path) {
  std::string p = fs::path(path).lexically_normal().string();
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  return p;
}

}  // namespace

FolderDialog::FolderDialog(const BROWSEINFO& info) : Form("frmBrowseFolder"), m_info(info) {
  SetDesignText(kDesign);
  OnControlEvent("treFolders", "Expand", [this](int16_t, com::Args& a) {
    if (auto node = com::AsObject<TreeNode>(a[0])) Expanded(*node);
  });
  OnControlEvent("treFolders", "NodeClick", [this](int16_t, com::Args& a) {
    if (auto node = com::AsObject<TreeNode>(a[0])) Get<FlatEdit>("txtFolder")->SetText(node->Tag());
  });
  OnControlEvent("cmdOK", "Click", [this](int16_t, com::Args&) { PressOK(); });
  OnControlEvent("cmdCancel", "Click", [this](int16_t, com::Args&) { PressCancel(); });
  OnControlEvent("cmdNewFolder", "Click", [this](int16_t, com::Args&) {
    const std::string name = AskNewFolderName(this);
    if (!name.empty()) MakeFolder(name);
  });
}

void FolderDialog::Form_Load() {
  Get<Label>("lblPrompt")->SetCaption(m_info.title);
  Control("cmdNewFolder")->SetVisible(m_info.newFolderButton);
  auto tree = Get<TreeView>("treFolders");
  // The home folder first, then the whole file system.
  const std::string home = HomeFolder();
  if (IsFolder(home)) {
    auto node = tree->Add({}, tvwLast, "", fs::path(home).filename().string());
    node->SetTag(home);
    tree->Add(node->Index(), tvwChild, "", "");
  }
  auto root = tree->Add({}, tvwLast, "", "File System");
  root->SetTag("/");
  tree->Add(root->Index(), tvwChild, "", "");
  std::string start = m_info.initialFolder.empty() ? home : Clean(m_info.initialFolder);
  while (!start.empty() && !IsFolder(start)) start = fs::path(start).parent_path().string();
  SelectFolder(start.empty() ? "/" : start);
}

std::string FolderDialog::SelectedFolder() const { return rt::Trim(Get<FlatEdit>("txtFolder")->Text()); }

void FolderDialog::FillChildren(TreeNode& node) {
  auto tree = Get<TreeView>("treFolders");
  // The placeholder that gave the node its plus box goes first.
  while (!node.Children().empty() && node.Children().front()->Tag().empty()) {
    tree->Remove(node.Children().front()->Index());
  }
  if (!node.Children().empty()) return;
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(node.Tag(), fs::directory_options::skip_permission_denied, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code dirError;
    if (!name.empty() && name[0] != '.' && it->is_directory(dirError)) names.push_back(name);
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return rt::StrComp(a, b, rt::CompareMethod::Text) < 0; });
  for (const auto& name : names) {
    auto child = tree->Add(node.Index(), tvwChild, "", name);
    child->SetTag((fs::path(node.Tag()) / name).string());
    tree->Add(child->Index(), tvwChild, "", "");
  }
}

void FolderDialog::Expanded(TreeNode& node) { FillChildren(node); }

TreeNode* FolderDialog::NodeOf(const std::string& path, bool open) {
  auto tree = Get<TreeView>("treFolders");
  const std::string target = Clean(path);
  // The root holding the path: the home folder when it lies inside it.
  TreeNode* node = nullptr;
  for (TreeNode* root : tree->Roots()) {
    const std::string& top = root->Tag();
    const bool inside = target == top || (top == "/" ? target.rfind('/', 0) == 0 : target.rfind(top + "/", 0) == 0);
    if (inside && (!node || top.size() > node->Tag().size())) node = root;
  }
  while (node && node->Tag() != target) {
    FillChildren(*node);
    if (open && !node->Expanded()) node->SetExpanded(true);
    TreeNode* next = nullptr;
    for (TreeNode* child : node->Children()) {
      const std::string& p = child->Tag();
      if (!p.empty() && (target == p || target.rfind(p + "/", 0) == 0)) next = child;
    }
    node = next;
  }
  return node;
}

void FolderDialog::SelectFolder(const std::string& path) {
  auto tree = Get<TreeView>("treFolders");
  if (TreeNode* node = NodeOf(path, true)) tree->SetSelectedItem(node);
  Get<FlatEdit>("txtFolder")->SetText(Clean(path));
}

bool FolderDialog::MakeFolder(const std::string& name) {
  const std::string folder = (fs::path(SelectedFolder()) / name).string();
  std::error_code ec;
  if (name.find('/') != std::string::npos || fs::exists(folder, ec) || !fs::create_directory(folder, ec)) {
    MsgBox("The folder \"" + name + "\" could not be made in \"" + SelectedFolder() + "\".", vbExclamation,
           Caption());
    return false;
  }
  // The parent shows its new child.
  if (TreeNode* parent = NodeOf(SelectedFolder(), true)) {
    auto tree = Get<TreeView>("treFolders");
    while (!parent->Children().empty()) tree->Remove(parent->Children().front()->Index());
    FillChildren(*parent);
    parent->SetExpanded(true);
  }
  SelectFolder(folder);
  return true;
}

void FolderDialog::PressOK() {
  const std::string folder = SelectedFolder();
  if (!IsFolder(folder)) {
    MsgBox("The folder \"" + folder + "\" does not exist.", vbExclamation, Caption());
    return;
  }
  m_result = Clean(folder);
  Unload();
}

void FolderDialog::PressCancel() {
  m_result.clear();
  Unload();
}

std::string SHBrowseForFolder(const BROWSEINFO& info) {
  auto dialog = std::make_shared<FolderDialog>(info);
  dialog->Show(vbModal, info.owner);
  return dialog->Result();
}

}  // namespace forms
