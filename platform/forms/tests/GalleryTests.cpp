// The gallery: each control in its characteristic states, drawn with the
// pinned fonts and written to PNG files in the build folder
// (gallery-*.png) to be looked at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "com/StdPicture.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/containers/TabControl.h"
#include "forms/containers/TabPage.h"
#include "forms/controls/ComboBox.h"
#include "forms/controls/FlatEdit.h"
#include "forms/controls/OptionButton.h"
#include "forms/dialogs/FolderDialog.h"
#include "forms/dialogs/SaveFileDialog.h"
#include "forms/docking/DockStudio.h"
#include "forms/lists/ImageList.h"
#include "forms/lists/ReportControl.h"
#include "forms/lists/TreeView.h"
#include "runtime/Date.h"
#include "forms/lists/ListBox.h"
#include "gdi/Bitmaps.h"
#include "gdi/FontBackend.h"
#include "gdi/Gdi.h"
#include "tests/GalleryPictures.h"
#include "tests/PlayUser.h"
#include "docking/tests/DockTestMain.h"

namespace forms {
namespace {

const char* kInputs = R"FRM(Begin Form frmInputs
   Caption = "Input controls"
   BorderStyle = 3
   ClientWidth = 8400
   ClientHeight = 4680
   Begin XtremeSuiteControls.TabControl tabEdit
      Left = 120
      Top = 120
      Width = 5400
      Height = 4380
      TabIndex = 0
      Begin XtremeSuiteControls.TabControlPage page(0)
         Caption = "General"
         Begin VB.Label lblInf(0)
            Caption = "Windows Login:"
            Left = 120
            Top = 180
            Width = 1300
            Height = 255
         End
         Begin XtremeSuiteControls.FlatEdit txtWinUsr
            Text = "jdoe selected"
            Left = 1500
            Top = 120
            Width = 3500
            Height = 315
            TabIndex = 1
         End
         Begin VB.Label lblInf(1)
            Caption = "Password:"
            Left = 120
            Top = 600
            Width = 1300
            Height = 255
         End
         Begin XtremeSuiteControls.FlatEdit txtPWD
            Text = "secret"
            PasswordChar = "*"
            Left = 1500
            Top = 540
            Width = 3500
            Height = 315
            TabIndex = 2
         End
         Begin VB.Label lblInf(2)
            Caption = "Description:"
            Left = 120
            Top = 1020
            Width = 1300
            Height = 255
         End
         Begin XtremeSuiteControls.FlatEdit txtBInf
            Text = "Disabled field"
            Enabled = False
            Left = 1500
            Top = 960
            Width = 3500
            Height = 315
            TabIndex = 3
         End
         Begin XtremeSuiteControls.GroupBox fraRights
            Caption = "Rights"
            Left = 120
            Top = 1440
            Width = 4880
            Height = 1500
            Begin XtremeSuiteControls.CheckBox chkAdmin
               Caption = "Administrator"
               Value = 1
               Left = 180
               Top = 300
               Width = 2200
               Height = 255
               TabIndex = 4
            End
            Begin XtremeSuiteControls.CheckBox chkAktiv
               Caption = "Active (disabled)"
               Value = 1
               Enabled = False
               Left = 180
               Top = 660
               Width = 2200
               Height = 255
               TabIndex = 5
            End
            Begin XtremeSuiteControls.RadioButton optDBTyp(0)
               Caption = "Public"
               Value = True
               Left = 2600
               Top = 300
               Width = 2000
               Height = 255
               TabIndex = 6
            End
            Begin XtremeSuiteControls.RadioButton optDBTyp(1)
               Caption = "Personal"
               Left = 2600
               Top = 660
               Width = 2000
               Height = 255
               TabIndex = 7
            End
            Begin XtremeSuiteControls.RadioButton optDBTyp(2)
               Caption = "Disabled"
               Enabled = False
               Left = 2600
               Top = 1020
               Width = 2000
               Height = 255
               TabIndex = 8
            End
         End
         Begin XtremeSuiteControls.ComboBox cboOwner
            Left = 1500
            Top = 3120
            Width = 3500
            Height = 315
            TabIndex = 9
         End
         Begin VB.Label lblInf(3)
            Caption = "Owner:"
            Left = 120
            Top = 3180
            Width = 1300
            Height = 255
         End
      End
      Begin XtremeSuiteControls.TabControlPage page(1)
         Caption = "Assigned Groups"
      End
      Begin XtremeSuiteControls.TabControlPage page(2)
         Caption = "Disabled"
         Enabled = False
      End
   End
   Begin VB.ListBox lstGrp
      Left = 5640
      Top = 120
      Width = 2640
      Height = 1800
      TabIndex = 10
   End
   Begin XtremeSuiteControls.ComboBox cboDomains
      Style = 2
      Left = 5640
      Top = 2040
      Width = 2640
      Height = 315
      TabIndex = 11
   End
   Begin XtremeSuiteControls.PushButton cmdSaveClose
      Caption = "&OK"
      Default = True
      Left = 5640
      Top = 3480
      Width = 1260
      Height = 375
      TabIndex = 12
   End
   Begin XtremeSuiteControls.PushButton cmdCancel
      Caption = "Cancel"
      Left = 7020
      Top = 3480
      Width = 1260
      Height = 375
      TabIndex = 13
   End
   Begin XtremeSuiteControls.PushButton cmdSave
      Caption = "Apply"
      Enabled = False
      Left = 5640
      Top = 3960
      Width = 1260
      Height = 375
      TabIndex = 14
   End
   Begin XtremeSuiteControls.PushButton cmdMove
      Caption = "&Add"
      Left = 7020
      Top = 3960
      Width = 1260
      Height = 375
      TabIndex = 15
   End
End
)FRM";

class Gallery : public ::testing::Test {
 protected:
  void SetUp() override { gdi::UsePangoMetrics(); }
  void TearDown() override {
    for (const auto& f : Form::Forms()) f->Unload();
  }
  rt::ManualClock clock;
  rt::ScopedClock scopedClock{clock};
};

TEST_F(Gallery, InputControls) {
  auto form = std::make_shared<Form>("frmInputs");
  form->SetDesignText(kInputs);
  form->Show();
  auto tabs = form->Get<TabControl>("tabEdit");
  tabs->Icons().Add(0, test::GalleryPicture(test::GalleryIcon::UserCard));
  tabs->Icons().Add(1, test::GalleryPicture(test::GalleryIcon::Group));
  auto list = form->Get<ListBox>("lstGrp");
  for (const char* g : {"Administrators", "Accounting", "Sales", "Support", "Development", "Marketing", "Field staff",
                        "Warehouse", "Reception", "Management"}) {
    list->AddItem(g);
  }
  list->SetListIndex(2);
  auto owner = form->Get<ComboBox>("cboOwner");
  for (const char* o : {"Anna Becker (abecker)", "Bert Kuhn (bkuhn)", "Carla Diaz (cdiaz)"}) owner->AddItem(o);
  owner->SetListIndex(1);
  auto domains = form->Get<ComboBox>("cboDomains");
  for (const char* d : {"WORKGROUP", "SALES", "HEADQUARTERS"}) domains->AddItem(d);
  domains->SetListIndex(0);
  auto edit = form->Get<FlatEdit>("txtWinUsr");
  form->SetFocusTo(*edit);
  edit->SetSelStart(5);
  edit->SetSelLength(8);
  ASSERT_TRUE(form->RenderToPng(test::GalleryPath("inputs")));

  // The owner list dropped down, the list box focused.
  owner->DropDown();
  ASSERT_TRUE(form->RenderToPng(test::GalleryPath("inputs-dropped")));
  owner->CloseUp();
  form->SetFocusTo(*list);
  form->SetFocusTo(*form->Get<CommandButton>("cmdCancel"));
  tabs->SetSelectedItem(1);
  ASSERT_TRUE(form->RenderToPng(test::GalleryPath("inputs-page2")));
}

TEST_F(Gallery, DockingWindow) {
  auto main = std::make_shared<Form>("frmMain");
  main->SetDesignText(test::kDockMain);
  main->Show();
  auto dock = main->Get<DockStudio>("Dock");
  dock->Tool("Go2Start")->SetIcon(test::GalleryPicture(test::GalleryIcon::Refresh));
  dock->Tool("Refresh")->SetIcon(test::GalleryPicture(test::GalleryIcon::Refresh));
  dock->Tool("AddUser")->SetIcon(test::GalleryPicture(test::GalleryIcon::UserCard));
  dock->Tool("Delete")->SetIcon(test::GalleryPicture(test::GalleryIcon::Delete));
  dock->Tool("Delete")->SetEnabled(false);
  dock->Tool("DBConnect")->SetIcon(test::GalleryPicture(test::GalleryIcon::Server));
  dock->Panel("StatForm")->SetText("User Administration");
  dock->ShowForm(test::NewDockView("frmStart", "Start Page"));
  auto users = test::NewDockView("frmUser", "User Administration");
  dock->ShowForm(users);
  ASSERT_TRUE(main->RenderToPng(test::GalleryPath("docking")));
  // The File menu open, its second entry under the pointer.
  dock->OnAccessKey(U'f');
  test::Key(win::VK_DOWN);
  ASSERT_TRUE(main->RenderToPng(test::GalleryPath("docking-menu")));
  test::Key(win::VK_ESCAPE);
  dock->OnAccessKey(U'o');
  test::Key(win::VK_RIGHT);
  ASSERT_TRUE(main->RenderToPng(test::GalleryPath("docking-submenu")));
  test::Key(win::VK_ESCAPE);
  test::Key(win::VK_ESCAPE);
}

const char* kView = R"FRM(Begin Form frmUser
   Caption = "User Administration"
   BorderStyle = 2
   ClientWidth = 9600
   ClientHeight = 4500
   Begin SSSplitter.SSSplitter splTap
      Left = 0
      Top = 0
      Width = 9600
      Height = 4500
      SplitterPosition = 2700
      Pane1Name = "Tree"
      Pane1Control = "treDB"
      Pane2Name = "Details"
      Pane2Control = "tabTab"
      Begin SSActiveTreeView.SSTree treDB
         TabIndex = 0
      End
      Begin ActiveTabs.SSActiveTabs tabTab
         ShowTabs = False
         TabIndex = 1
         Begin ActiveTabs.SSActiveTabPanel pnl(0)
            Begin XtremeReportControl.ReportControl rctUser
               Left = 60
               Top = 60
               Width = 6700
               Height = 2600
               TabIndex = 2
            End
            Begin XtremeReportControl.ReportControl rctGrp
               Left = 60
               Top = 2760
               Width = 6700
               Height = 1500
               TabIndex = 3
            End
         End
      End
   End
   Begin MSComctlLib.ImageListCtrl ImageList
   End
End
)FRM";

TEST_F(Gallery, TreeAndReportLists) {
  auto form = std::make_shared<Form>("frmUser");
  form->SetDesignText(kView);
  form->Show();
  auto images = form->Get<ImageList>("ImageList");
  images->Add("Server", test::GalleryPicture(test::GalleryIcon::Server));
  images->Add("Folder", test::GalleryPicture(test::GalleryIcon::Folder));
  images->Add("Open", test::GalleryPicture(test::GalleryIcon::FolderOpen));
  images->Add("Database", test::GalleryPicture(test::GalleryIcon::Database));
  auto tree = form->Get<TreeView>("treDB");
  tree->SetImageList(images);
  tree->Add({}, tvwLast, "base", "Server: QVSERVER", 1);
  tree->Add("base", tvwChild, "N1", "Public Memo Databases", 2, 3);
  tree->Add("base", tvwChild, "N2", "Personal Memo Databases", 2, 3);
  for (const char* db : {"Sales", "Support", "Handbook"}) tree->Add("N1", tvwChild, std::string("db") + db, db, 4);
  tree->Node("base")->SetExpanded(true);
  tree->Node("N1")->SetExpanded(true);
  tree->SetSelectedItem(tree->Node("N1").get());

  auto list = form->Get<ReportControl>("rctUser");
  list->Icons().Add(1, test::GalleryPicture(test::GalleryIcon::UserCard));
  list->SetRowBackColor(0xF0FFFF);
  list->AddColumn(0, "ID", 0, false)->SetVisible(false);
  list->AddColumn(1, "Windows Login", 280, true);
  list->AddColumn(2, "Username", 280, true);
  list->AddColumn(3, "Administrator", 150, true);
  list->AddColumn(4, "Date Created", 95, false);
  const char* users[][3] = {{"mkoch", "Martina Koch", "Yes"},   {"abecker", "Anna Becker", "No"},
                            {"tlang", "Thomas Lang", "No"},     {"cdiaz", "Carla Diaz", "No"},
                            {"jmueller", "Jörg Müller", "Yes"}, {"bkuhn", "Bert Kuhn", "No"}};
  int day = 1;
  for (const auto& u : users) {
    auto record = list->AddRecord();
    record->AddItem(std::to_string(day));
    record->AddItem(u[0]).SetIcon(1);
    record->AddItem(u[1]);
    record->AddItem(u[2]);
    record->AddItem(rt::DateSerial(2024, 3, day++));
  }
  list->AddSortColumn(list->Column(1));
  list->Populate();
  list->SetFocusedRow(2);
  form->SetFocusTo(*list);
  auto groups = form->Get<ReportControl>("rctGrp");
  groups->AddColumn(0, "Group name", 300, true);
  groups->AddColumn(1, "Description", 450, true);
  groups->SetNoItemsText("In this view, there are no entries.");
  groups->Populate();
  ASSERT_TRUE(form->RenderToPng(test::GalleryPath("tree-report")));
  form->SetFocusTo(*tree);
  ASSERT_TRUE(form->RenderToPng(test::GalleryPath("tree-focused")));
}

TEST_F(Gallery, FileDialogs) {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / "qv-gallery-files";
  fs::create_directories(root / "Archive" / "2024");
  fs::create_directories(root / "Updates" / "res");
  for (const char* f : {"QVClient.cfg", "Branch office.cfg", "notes.txt"}) std::ofstream(root / f) << "data";
  BROWSEINFO info;
  info.title = "Please select the directory:";
  info.initialFolder = (root / "Archive" / "2024").string();
  auto folders = std::make_shared<FolderDialog>(info);
  folders->Show();
  ASSERT_TRUE(folders->RenderToPng(test::GalleryPath("folder-dialog")));
  folders->Unload();
  OPENFILENAME ofn;
  ofn.lpstrFilter = "*.cfg";
  ofn.lpstrFile = "QVClient.cfg";
  ofn.lpstrInitialDir = root.string();
  ofn.lpstrTitle = "Save Client Configuration File";
  auto save = std::make_shared<SaveFileDialog>(ofn);
  save->Show();
  ASSERT_TRUE(save->RenderToPng(test::GalleryPath("save-dialog")));
  save->Unload();
  fs::remove_all(root);
}

}  // namespace
}  // namespace forms
