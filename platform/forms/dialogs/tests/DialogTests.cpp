// The folder and save-file dialogs, answered through the scripted
// responder as a user would answer them, on a scratch folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "forms/MsgBox.h"
#include "forms/dialogs/DialogAnswers.h"
#include "forms/dialogs/FolderDialog.h"
#include "forms/dialogs/SaveFileDialog.h"
#include "forms/controls/FlatEdit.h"
#include "forms/lists/TreeView.h"
#include "gdi/FontBackend.h"
#include "tests/PlayUser.h"

namespace fs = std::filesystem;

namespace forms {
namespace {

class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi::UseFixedMetrics();
    root = fs::temp_directory_path() / ("qv-dialogs-" + std::to_string(::getpid()));
    fs::create_directories(root / "Archive" / "2024");
    fs::create_directories(root / "Updates");
    fs::create_directories(root / ".hidden");
    std::ofstream(root / "QVClient.cfg") << "x";
    std::ofstream(root / "notes.txt") << "x";
  }
  void TearDown() override {
    Responders::Clear();
    for (const auto& f : Form::Forms()) f->Unload();
    fs::remove_all(root);
  }
  std::string At(const std::string& relative) const { return (root / relative).string(); }
  rt::ManualClock clock;
  rt::ScopedClock scopedClock{clock};
  fs::path root;
};

TEST_F(Dialogs, FolderDialogShowsTheTreeAndReturnsTheChoice) {
  std::vector<std::string> shown;
  Responders::Push([&](const ModalRequest& request) {
    auto* dialog = dynamic_cast<FolderDialog*>(request.form);
    EXPECT_NE(dialog, nullptr);
    // The start folder is selected, the folders above it are open; hidden
    // folders are not listed.
    EXPECT_EQ(dialog->SelectedFolder(), At("Archive"));
    auto tree = dialog->Get<TreeView>("treFolders");
    TreeNode* parent = tree->SelectedItem()->Parent();
    for (TreeNode* child : parent->Children()) shown.push_back(child->Text());
    dialog->SelectFolder(At("Updates"));
    dialog->PressOK();
    return 0;
  });
  BROWSEINFO info;
  info.title = "Please select the directory:";
  info.initialFolder = At("Archive/");
  EXPECT_EQ(SHBrowseForFolder(info), At("Updates"));
  EXPECT_EQ(shown, (std::vector<std::string>{"Archive", "Updates"}));
}

TEST_F(Dialogs, FolderDialogMakesFoldersAndCancels) {
  Responders::Push(MakeFolderAndChoose(At("Archive"), "2025"));
  BROWSEINFO info;
  info.initialFolder = At("Archive");
  EXPECT_EQ(SHBrowseForFolder(info), At("Archive/2025"));
  EXPECT_TRUE(fs::is_directory(At("Archive/2025")));
  // A missing start folder starts at the nearest folder above it.
  Responders::Push([&](const ModalRequest& request) {
    auto* dialog = dynamic_cast<FolderDialog*>(request.form);
    EXPECT_EQ(dialog->SelectedFolder(), At("Archive"));
    // A typed folder that does not exist is refused with a message.
    Responders::Push([](const ModalRequest& box) {
      EXPECT_EQ(box.kind, ModalRequest::Kind::MessageBox);
      return vbOK;
    });
    dialog->Get<FlatEdit>("txtFolder")->SetText(At("nowhere"));
    dialog->PressOK();
    EXPECT_TRUE(dialog->IsLoaded());
    dialog->PressCancel();
    return 0;
  });
  info.initialFolder = At("Archive/gone/deeper");
  EXPECT_EQ(SHBrowseForFolder(info), "");
}

TEST_F(Dialogs, SaveDialogListsFoldersAndMatchingFiles) {
  OPENFILENAME ofn;
  ofn.lpstrFilter = "*.cfg";
  ofn.lpstrFile = "QVClient.cfg";
  ofn.lpstrInitialDir = root.string();
  ofn.lpstrTitle = "Save Client Configuration File";
  Responders::Push([&](const ModalRequest& request) {
    auto* dialog = dynamic_cast<SaveFileDialog*>(request.form);
    EXPECT_EQ(dialog->Caption(), "Save Client Configuration File");
    EXPECT_EQ(dialog->ListedNames(), (std::vector<std::string>{"Archive/", "Updates/", "QVClient.cfg"}));
    // The file exists: the user is asked and says No, then Yes.
    Responders::Push([](const ModalRequest& box) {
      EXPECT_NE(box.prompt.find("QVClient.cfg already exists."), std::string::npos);
      return vbNo;
    });
    dialog->PressSave();
    EXPECT_TRUE(dialog->IsLoaded());
    Responders::Push([](const ModalRequest&) { return vbYes; });
    dialog->PressSave();
    return 0;
  });
  EXPECT_TRUE(GetSaveFileNameA(ofn));
  EXPECT_EQ(ofn.lpstrFile, At("QVClient.cfg"));
}

TEST_F(Dialogs, SaveDialogOpensFoldersAndAddsTheExtension) {
  OPENFILENAME ofn;
  ofn.lpstrFilter = "Configuration files (*.cfg)|*.cfg|All files|*";
  ofn.lpstrInitialDir = root.string();
  ofn.lpstrDefExt = "cfg";
  Responders::Push([&](const ModalRequest& request) {
    auto* dialog = dynamic_cast<SaveFileDialog*>(request.form);
    // A folder's name opens it; the second type shows every file.
    dialog->SetFileName("Archive");
    dialog->PressSave();
    EXPECT_EQ(dialog->Folder(), At("Archive"));
    dialog->OpenFolder(root.string());
    dialog->SetFileType(1);
    EXPECT_EQ(dialog->ListedNames().size(), 4u);
    dialog->SetFileName("client");
    dialog->PressSave();
    return 0;
  });
  EXPECT_TRUE(GetSaveFileNameA(ofn));
  EXPECT_EQ(ofn.lpstrFile, At("client.cfg"));
  EXPECT_EQ(ofn.nFilterIndex, 2);
  Responders::Push(CancelFileDialog());
  EXPECT_FALSE(GetSaveFileNameA(ofn));
}

}  // namespace
}  // namespace forms
