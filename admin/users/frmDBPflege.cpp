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

bool IsListNode(int32_t n) { return n == kNodePublic || n == kNodePersonal; }

int32_t RecordID(const forms::ReportRecord& record) { return record.Item(0).Value().ToLong(); }

const AdminFormRegistration registration{"frmDBPflege", [] { return frmDBPflege::Default(); }};

}  // namespace

std::string ArchiveFolderOf(const std::string& root, int32_t ID) {
  if (root.empty() || ID < 1 || ID > 99999) return {};
  char name[8];
  std::snprintf(name, sizeof name, "%05d", static_cast<int>(ID));
  const fs::path base = fs::path(root).lexically_normal();
  const fs::path folder = (base / name).lexically_normal();
  if (folder.parent_path() != base && folder.parent_path() != base.parent_path()) return {};
  return folder.string();
}

frmDBPflege::frmDBPflege() : Form("frmDBPflege") {
  SetDesignFile(QV_ADMIN_SOURCE_DIR "/users/frmDBPflege.frm");
  SetHelpContextID(kHelpContext);
  DefineMethod("Eigenschaften", [this](com::Args&) { Eigenschaften(); return rt::Variant(); });
  DefineMethod("AddDB", [this](com::Args&) { AddDB(); return rt::Variant(); });
  DefineMethod("Delete", [this](com::Args&) { Delete(); return rt::Variant(); });
  DefineMethod("Aktualisieren", [this](com::Args&) { Aktualisieren(); return rt::Variant(); });
  DefineMethod("FillRepDB", [this](com::Args& a) { FillRepDB(a.empty() ? 0 : a[0].ToLong()); return rt::Variant(); });
  OnControlEvent("treDB", "NodeClick", [this](int16_t, com::Args&) {
    if (auto node = treDB()->SelectedItem()) NodeClick(*node);
  });
  OnControlEvent("rctDB", "RowDblClick", [this](int16_t, com::Args&) { Eigenschaften(); });
  OnControlEvent("splTap", "Resized", [this](int16_t, com::Args&) { LayoutPanes(); });
}

std::shared_ptr<frmDBPflege> frmDBPflege::Default() {
  static const std::shared_ptr<frmDBPflege> instance = std::make_shared<frmDBPflege>();
  return instance;
}

int32_t frmDBPflege::SelectedNodeIndex() const {
  auto node = treDB()->SelectedItem();
  return node ? node->Index() : 0;
}

void frmDBPflege::Form_Load() {
  ApplyStyle(this, 0);
  RestoreFormPlacement(*this, true, false);
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
  list->SetRowBackColor(kListBackColor);
  list->SetNoItemsText("In this view, there are no Memo Databases.");
  LayoutPanes();
  NodeClick(*tree->Node(kNodePublic));
}

void frmDBPflege::Form_KeyDown(int16_t& keyCode, int16_t) { HelpOnF1(*this, keyCode); }

void frmDBPflege::NodeClick(forms::TreeNode& node) {
  auto tree = treDB();
  if (!node.Parent()) {
    auto next = tree->Node(node.Index() + 1);
    tree->SetSelectedItem(next.get());
    NodeClick(*next);
    return;
  }
  if (IsListNode(node.Index())) {
    auto frame = Get<kvctl2::KVXFrame>("fraTop");
    frame->SetCaption(node.Text());
    frame->SetCaptionIcon(frmMDI::Default()->CaptionPicture(node.Index() == kNodePublic ? "QVOeff" : "QVPers"));
    Get<forms::TabControl>("tabTab")->SetSelectedItem(1);
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

void frmDBPflege::EnableRowTools() {
  const bool selected = !rctDB()->SelectedRows().empty();
  frmMDI::Default()->ToolButtonErlauben("Eigenschaften", selected);
  frmMDI::Default()->ToolButtonErlauben("Delete", selected);
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
        std::shared_ptr<forms::ReportRecord> remembered;
        for (; !rs.Eof(); rs.MoveNext()) {
          auto record = list->AddRecord();
          for (int32_t field = 0; field < rs.FieldCount() - 2; ++field) record->AddItem(ItemText(rs.Fields(field).Value()));
          record->Item(1).SetIcon(n - 1);
          record->AddItem(ItemText(rs.Fields(4).Value()).empty() ? "No" : "Yes");
          const rt::Variant created = rs.Fields(5).Value();
          record->AddItem(created.IsNull() ? rt::Variant::Null()
                                           : rt::Variant(rt::DateValue{std::floor(created.ToDate().days)}));
          if (rs.Fields(0).Value().ToLong() == ID) remembered = record;
        }
        rs.Close();
        list->Populate();
        WriteInfo();
        SelectAfterFill(*list, remembered);
        EnableRowTools();
      },
      [](const rt::Error&) { ErrorReport("FillRepDB"); });
  rt::Err().Clear();
}

void frmDBPflege::Eigenschaften() {
  rt::OnErrorGoTo(
      [&] {
        if (IsListNode(SelectedNodeIndex())) frmDBEdit::Default()->Init(RecordID(*FirstSelectedRecord(*rctDB())));
      },
      [](const rt::Error& e) {
        if (e.Number() == rt::errInvalidProcedureCall) {
          ShowMsgEx("There was no data record selected!", 64, "No properties available!");
        } else {
          ErrorReport("Properties");
        }
      });
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
        list->RemoveRecordAt(record->Index());
        list->Populate();
        if (list->RowCount() > 0) list->SetFocusedRow(std::min(position, list->RowCount() - 1));
        EnableRowTools();
        WriteInfo();
        SetHourglass(false);
      },
      [](const rt::Error& e) {
        SetHourglass(false);
        if (e.Number() == rt::errInvalidProcedureCall) {
          ShowMsgEx("There was no data record selected for deletion.", 64, "Deletion is not possible!");
        } else {
          ErrorReport("Delete");
        }
      });
  rt::Err().Clear();
}

void frmDBPflege::DeleteArchiveFolder(int32_t ID) {
  const std::string folder = ArchiveFolderOf(ArchivePath, ID);
  if (folder.empty()) return;
  std::error_code error;
  const bool removed = fs::remove_all(folder, error) != static_cast<std::uintmax_t>(-1) && !error;
  if (removed || !fs::exists(folder, error)) return;
  const std::string text = "The corresponding document archive couldn't be removed fully.";
  const std::string cr = "\r";
  ShowMsgEx(text, 64, "For your information!", "", 0, 0,
            text + cr + "Maybe you lack necessary permissions or data access." + cr +
                "Please go to the appropriate directory and delete it manually." + cr + cr + "Path: " + folder);
}

void frmDBPflege::LayoutPanes() {
  rt::ResumeNext([&] {
    auto tabs = Get<forms::TabControl>("tabTab");
    int32_t left = 0, top = 0, w = 0, h = 0;
    tabs->PageArea(left, top, w, h);
    Control("fraTop")->Move(left, top, w);
    rctDB()->Move(left, top + 525, w, h - 855);
    for (int16_t i = 0; i <= 1; ++i) Control("shp", i)->Move(left - 15, top + h - 330, w + 30);
    for (const char* name : {"lblDBInfo", "lblXInfo"}) Control(name)->Move(left + 60, top + h - 255, w - 60);
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
