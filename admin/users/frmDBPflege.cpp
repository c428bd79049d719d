#include "users/frmDBPflege.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "core/AdminForms.h"
#include "core/AppStyle.h"
#include "core/ErrorReport.h"
#include "core/FormSettings.h"
#include "core/SessionState.h"
#include "core/ShowMsgEx.h"
#include "display/KVXFrame.h"
#include "forms/Label.h"
#include "forms/containers/TabControl.h"
#include "main/AppIcons.h"
#include "main/frmMDI.h"
#include "runtime/Error.h"
#include "users/AssignmentLists.h"
#include "users/MainWindowLink.h"
#include "users/ViewHelpers.h"
#include "users/frmDBEdit.h"
#include "users/wizNewDB.h"

namespace qvadmin {

namespace fs = std::filesystem;

namespace {

constexpr int32_t kHelpContext = 1070;
constexpr int32_t kNodePublic = 2;
constexpr int32_t kNodePersonal = 3;
constexpr int32_t kPathFileAccessError = 75;

bool IsListNode(int32_t n) { return n == kNodePublic || n == kNodePersonal; }

int32_t RecordID(const forms::ReportRecord& record) { return record.Item(0).Value().ToLong(); }

const AdminFormRegistration registration{"frmDBPflege", [] { return frmDBPflege::Default(); }};

}  // namespace

std::string ArchiveFolderOf(const std::string& root, int32_t ID) {
  if (root.empty() || ID < 1) return {};
  char name[16];
  std::snprintf(name, sizeof name, "%05d", static_cast<int>(ID));
  return (fs::path(root) / name).lexically_normal().string();
}

frmDBPflege::frmDBPflege()
    : TreeListView("frmDBPflege", QV_ADMIN_SOURCE_DIR "/users/frmDBPflege.frm", kHelpContext, {"rctDB", "rctGrp"},
                   {"lblDBInfo", "lblXInfo"}) {
  DefineMethod("Eigenschaften", [this](com::Args&) {
    Eigenschaften();
    return rt::Variant();
  });
  DefineMethod("AddDB", [this](com::Args&) {
    AddDB();
    return rt::Variant();
  });
  DefineMethod("Delete", [this](com::Args&) {
    Delete();
    return rt::Variant();
  });
  DefineMethod("Aktualisieren", [this](com::Args&) {
    Aktualisieren();
    return rt::Variant();
  });
  DefineMethod("FillRepDB", [this](com::Args& a) {
    FillRepDB(a.empty() ? 0 : a[0].ToLong());
    return rt::Variant();
  });
  OnControlEvent("rctDB", "RowDblClick", [this](int16_t, com::Args&) { Eigenschaften(); });
}

std::shared_ptr<frmDBPflege> frmDBPflege::Default() {
  static const std::shared_ptr<frmDBPflege> instance = std::make_shared<frmDBPflege>();
  return instance;
}

void frmDBPflege::Form_Load() {
  ApplyStyle(this, 0);
  RestoreFormPlacement(*this, true, false);
  SetTreePictures(frmMDI::Default()->ListPicture("SQLSrv"));
  auto tree = treDB();
  std::string server;
  rt::ResumeNext([&] { server = ItemText(MainConnection().Property("Data Source")); });
  rt::Err().Clear();
  tree->Add({}, 0, "base", "Server: " + server, 1);
  tree->Node("base")->SetExpanded(true);
  tree->Add("base", forms::tvwChild, "N1", "Public Memo Databases", 2, 3);
  tree->SetSelectedItem(tree->Node(kNodePublic).get());
  tree->Add("base", forms::tvwChild, "N2", "Personal Memo Databases", 2, 3);

  auto list = rctDB();
  list->AddColumn(0, "ID", 0, false)->SetVisible(false);
  list->AddColumn(1, "Title", 300, true);
  list->AddColumn(2, "Description", 400, true);
  list->AddColumn(3, "Owner", 250, true);
  list->AddColumn(4, "Password", 95, false);
  list->AddColumn(5, "Date Created", 75, false);
  // The title's icon tells the kind: 1 public, 2 personal.
  list->Icons().Add(1, DrawAppIcon("QVOeff", 16));
  list->Icons().Add(2, DrawAppIcon("QVPers", 16));
  list->SetRowBackColor(kListBackColor);
  list->SetNoItemsText("In this view, there are no Memo Databases.");
  Form_Resize();
  FitColumns(*list);
  ClickNode(kNodePublic);
}

void frmDBPflege::NodeClick(forms::TreeNode& node) {
  if (IsListNode(node.Index())) {
    ShowList(node.Text(), frmMDI::Default()->CaptionPicture(node.Index() == kNodePublic ? "QVOeff" : "QVPers"), 1);
  }
  Aktualisieren();
}

void frmDBPflege::Aktualisieren() {
  int32_t n = 0;
  rt::ResumeNext([&] { n = SelectedNodeIndex(); });
  rt::ResumeNext([&] {
    if (!IsListNode(n)) return;
    auto list = rctDB();
    FillRepDB(list->SelectedRows().empty() ? 0 : RecordID(*FirstSelectedRecord(*list)));
  });
  SetToolStates({{"AddDB", n > 1}, {"Eigenschaften", n > 1}, {"Refresh", n > 1}});
  rt::Err().Clear();
}

void frmDBPflege::WriteInfo() {
  auto node = treDB()->SelectedItem();
  Get<forms::Label>("lblDBInfo")
      ->SetCaption("There are " + FormatCount(rctDB()->RecordCount()) + " " + (node ? node->Text() : "") + ".");
}

void frmDBPflege::FillRepDB(int32_t ID) {
  rt::OnErrorGoTo(
      [&] {
        auto list = rctDB();
        list->DeleteAllRecords();
        const int32_t n = SelectedNodeIndex();
        ado::Recordset rs = MainConnection().Execute(
            "SELECT DBList.ID,DBList.Bez,DBList.MInf,COALESCE(Benutzer.Fullname,'<none>') AS Fullname,DBList.PWD,"
            "DBList.Created FROM DBList LEFT JOIN Benutzer ON DBList.OwnerID=Benutzer.ID WHERE Privat=? ORDER BY Bez",
            {rt::Variant(n != kNodePublic)});
        FillList(
            *list, rs,
            [&](forms::ReportRecord& record) {
              for (int32_t field = 0; field < rs.FieldCount() - 2; ++field) {
                record.AddItem(ItemText(rs.Fields(field).Value()));
              }
              record.Item(1).SetIcon(n - 1);
              record.AddItem(ItemText(rs.Fields(4).Value()).empty() ? "No" : "Yes");
              record.AddItem(DateOnly(rs.Fields(5).Value()));
              return rs.Fields(0).Value().ToLong() == ID;
            },
            [&] { WriteInfo(); });
      },
      [](const rt::Error&) { ErrorReport("FillRepDB"); });
  rt::Err().Clear();
}

void frmDBPflege::Eigenschaften() {
  rt::OnErrorGoTo(
      [&] {
        if (IsListNode(SelectedNodeIndex())) frmDBEdit::Default()->Init(RecordID(*FirstSelectedRecord(*rctDB())));
      },
      PropertiesFailed);
  rt::Err().Clear();
}

void frmDBPflege::AddDB() { wizNewDB::Default()->ShowWizard(); }

void frmDBPflege::Delete() {
  rt::OnErrorGoTo(
      [&] {
        if (!IsListNode(SelectedNodeIndex())) return;
        auto list = rctDB();
        const auto record = FirstSelectedRecord(*list);
        const int32_t position = std::max(list->SelectedRow(0) - 1, 0);
        const int32_t id = RecordID(*record);
        const std::string cr = "\r";
        const std::string prompt = "Do you really want to delete this Memo data-" + cr +
                                   "base irrevocably with all containing elements?" + cr + cr + "Title: '" +
                                   ItemText(record->Item(1).Value()) + "'";
        if (ShowMsgEx(prompt, 260, kDeleteConfirmationTitle) != 6) return;
        SetHourglass(true);
        if (ExecuteNoRecords("DELETE FROM DBList WHERE ID=?", {rt::Variant(id)}) < 1) {
          ShowMsgEx("The database could not be deleted!", 48, "Error during deletion process.");
          Aktualisieren();
          SetHourglass(false);
          return;
        }
        DeleteArchiveFolder(id);
        AfterDelete(*list, record, position, [&] { WriteInfo(); });
        SetHourglass(false);
      },
      [](const rt::Error& e) {
        SetHourglass(false);
        DeleteFailed(e);
      });
  rt::Err().Clear();
}

void frmDBPflege::DeleteArchiveFolder(int32_t ID) {
  rt::OnErrorGoTo(
      [&] {
        const std::string folder = ArchiveFolderOf(ArchivePath, ID);
        if (folder.empty()) return;
        std::error_code error;
        fs::remove_all(folder, error);
        if (!error) return;
        // Not removed: either it is still there, or the archive cannot be
        // reached to tell (an unreadable or vanished share).
        std::error_code probe;
        const bool left = fs::exists(folder, probe);
        if (probe) {
          rt::Raise(kPathFileAccessError, "frmDBPflege",
                    "The archive folder " + folder + " could not be removed: " + error.message());
        }
        if (!left) return;
        const std::string text = "The corresponding document archive couldn't be removed fully.";
        const std::string cr = "\r";
        ShowMsgEx(text, 64, "For your information!", "", 0, 0,
                  text + cr + "Maybe you lack necessary permissions or data access." + cr +
                      "Please go to the appropriate directory and delete it manually." + cr + cr + "Path: " + folder);
      },
      [](const rt::Error&) {
        SetHourglass(false);
        ErrorReport("Delete the archive folder");
      });
  rt::Err().Clear();
}

void RefreshDatabaseView(int32_t ID) {
  rt::ResumeNext([&] {
    auto view = frmDBPflege::Default();
    if (!view->IsLoaded()) view->Load();
    view->FillRepDB(ID);
  });
  rt::Err().Clear();
}

}  // namespace qvadmin
