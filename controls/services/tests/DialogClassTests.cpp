// The library's dialog classes: the chosen folder or file, "" when the
// user cancelled, error 18 instead when CancelError is set.
#include <gtest/gtest.h>

#include <filesystem>

#include "forms/Form.h"
#include "forms/dialogs/DialogAnswers.h"
#include "gdi/FontBackend.h"
#include "runtime/ErrorNumberOf.h"
#include "services/BrowseFolderDLG.h"
#include "services/OpenSaveDLG.h"

namespace fs = std::filesystem;

namespace kvctl2 {
namespace {

class DialogClasses : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi::UseFixedMetrics();
    folder = fs::temp_directory_path() / ("qv-dlg-" + std::to_string(::getpid()));
    fs::create_directories(folder / "res");
  }
  void TearDown() override {
    forms::Responders::Clear();
    fs::remove_all(folder);
  }
  fs::path folder;
};

TEST_F(DialogClasses, BrowseFolderReturnsTheChoiceOrNothing) {
  BrowseFolderDLG dialog;
  forms::Responders::Push(forms::ChooseFolder((folder / "res").string()));
  EXPECT_EQ(dialog.BrowseFolder("Please select the directory:", folder.string()), (folder / "res").string());
  forms::Responders::Push(forms::CancelFileDialog());
  EXPECT_EQ(dialog.BrowseFolder("Please select the directory:", folder.string()), "");
  dialog.SetCancelError(true);
  forms::Responders::Push(forms::CancelFileDialog());
  EXPECT_EQ(rt::ErrorNumberOf([&] { dialog.BrowseFolder("", folder.string()); }), errDialogCancelled);
}

TEST_F(DialogClasses, ShowSaveReturnsThePathOrNothing) {
  OpenSaveDLG dialog;
  dialog.DialogTitle = "Save Client Configuration File";
  dialog.Filter = "*.cfg";
  dialog.FileName = "QVClient.cfg";
  dialog.InitDir = folder.string();
  forms::Responders::Push(forms::SaveFileAs("QVClient.cfg"));
  EXPECT_EQ(dialog.ShowSave(), (folder / "QVClient.cfg").string());
  EXPECT_EQ(dialog.FileName, (folder / "QVClient.cfg").string());
  forms::Responders::Push(forms::CancelFileDialog());
  EXPECT_EQ(dialog.ShowSave(), "");
  dialog.CancelError = true;
  forms::Responders::Push(forms::CancelFileDialog());
  EXPECT_EQ(rt::ErrorNumberOf([&] { dialog.ShowSave(); }), errDialogCancelled);
}

}  // namespace
}  // namespace kvctl2
