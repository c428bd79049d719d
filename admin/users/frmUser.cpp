#include "users/frmUser.h"

#include <cmath>

#include "core/AdminForms.h"
#include "core/AppStyle.h"
#include "core/CurrentUser.h"
#include "core/ErrorReport.h"
#include "core/SessionState.h"
#include "core/ShowMsgEx.h"
#include "display/KVXFrame.h"
#include "forms/Label.h"
#include "main/frmMDI.h"
#include "runtime/DataFolder.h"
#include "runtime/Error.h"
#include "users/AssignmentLists.h"
#include "users/LastLogin.h"
#include "users/MainWindowLink.h"
#include "users/ViewHelpers.h"
#include "users/frmGrpEdit.h"
#include "users/frmUserEdit.h"

namespace qvadmin {

namespace {

constexpr int32_t kHelpContext = 1040;
constexpr const char* kNoEntries = "In this view, there are no entries.";
constexpr int32_t kNodeActive = 2;
constexpr int32_t kNodeInactive = 3;
constexpr int32_t kNodeGroups = 4;

bool IsUserNode(int32_t n) { return n == kNodeActive || n == kNodeInactive; }

const AdminFormRegistration registration{"frmUser", [] { return frmUser::Default(); }};

}  // namespace

frmUser::frmUser()
    : TreeListView("frmUser", rt::DataFile("qvadmin/frmUser.frm"), kHelpContext, {"rctUser", "rctGrp"},
                   {"lblUserInfo", "lblGrpInfo"}) {
  DefineMethod("AddUser", [this](com::Args&) {
    AddUser();
    return rt::Variant();
  });
  DefineMethod("Aktualisieren", [this](com::Args&) {
    Aktualisieren();
    return rt::Variant();
  });
  DefineMethod("Delete", [this](com::Args&) {
    Delete();
    return rt::Variant();
  });
  DefineMethod("FillRepGrp", [this](com::Args& a) {
    FillRepGrp(a.empty() ? "" : a[0].ToString());
    return rt::Variant();
  });
  DefineMethod("Eigenschaften", [this](com::Args&) {
    Eigenschaften();
    return rt::Variant();
  });
  DefineMethod("AddGrp", [this](com::Args&) {
    AddGrp();
    return rt::Variant();
  });
  DefineMethod("FillRepUser", [this](com::Args& a) {
    FillRepUser(a.empty() ? "" : a[0].ToString());
    return rt::Variant();
  });
  OnControlEvent("rctUser", "RowDblClick", [this](int16_t, com::Args&) { Eigenschaften(); });
  OnControlEvent("rctGrp", "RowDblClick", [this](int16_t, com::Args&) { Eigenschaften(); });
  OnControlEvent("rctUser", "SelectionChanged",
                 [](int16_t, com::Args&) { frmMDI::Default()->ToolButtonErlauben("AddUser", true); });
  OnControlEvent("rctGrp", "SelectionChanged",
                 [](int16_t, com::Args&) { frmMDI::Default()->ToolButtonErlauben("AddGrp", true); });
}

std::shared_ptr<frmUser> frmUser::Default() {
  static const std::shared_ptr<frmUser> instance = std::make_shared<frmUser>();
  return instance;
}

void frmUser::Form_Load() {
  ApplyStyle(this, 0);
  SetTreePictures(frmMDI::Default()->ListPicture("UserGrp"));
  auto tree = treDB();
  tree->Add({}, 0, "base", "User Administration", 1, {});
  tree->Node("base")->SetExpanded(true);
  tree->Add("base", forms::tvwChild, "N1", "Active Users", 2, 3);
  tree->Add("base", forms::tvwChild, "N2", "Deactivated Users", 2, 3);
  tree->Add("base", forms::tvwChild, "N3", "Groups", 2, 3);
  tree->SetSelectedItem(tree->Node(kNodeActive).get());

  auto users = rctUser();
  users->AddColumn(0, "ID", 0, false)->SetVisible(false);
  users->AddColumn(1, "Windows Login", 280, true);
  users->AddColumn(2, "Username", 280, true);
  users->AddColumn(3, "Description", 450, true);
  users->AddColumn(4, "Administrator", 210, true);
  users->AddColumn(5, "Account", 150, true);
  users->AddColumn(6, "Date Created", 75, false);
  users->AddColumn(7, "Last Login", 80, false);
  for (int32_t icon = 1; icon <= 2; ++icon) users->Icons().Add(icon, frmMDI::Default()->ListPicture(icon));
  users->SetRowBackColor(kListBackColor);
  users->SetNoItemsText(kNoEntries);

  auto groups = rctGrp();
  groups->AddColumn(0, "ID", 0, false)->SetVisible(false);
  groups->AddColumn(1, "Group name", 300, true);
  groups->AddColumn(2, "Description", 450, true);
  groups->Icons().Add(1, frmMDI::Default()->ListPicture(3));
  groups->SetRowBackColor(kListBackColor);
  groups->SetNoItemsText(kNoEntries);

  Form_Resize();
  FitColumns(*users, {{5, "Deactivated"}});
  FitColumns(*groups);
  ClickNode(kNodeActive);
}

void frmUser::NodeClick(forms::TreeNode& node) {
  switch (node.Index()) {
    case kNodeActive:
      ShowList("Active Users", ActiveUsersIcon(), 1);
      break;
    case kNodeInactive:
      ShowList("Deactivated Users", frmMDI::Default()->CaptionPicture("UserDeakt"), 1);
      break;
    case kNodeGroups:
      ShowList("User Groups", frmMDI::Default()->CaptionPicture("Gruppe"), 2);
      break;
    default:
      break;
  }
  Aktualisieren();
}

void frmUser::AddUser() { frmUserEdit::Default()->Init(""); }

void frmUser::AddGrp() { frmGrpEdit::Default()->Init(""); }

void frmUser::Aktualisieren() {
  int32_t n = 0;
  rt::ResumeNext([&] { n = SelectedNodeIndex(); });
  rt::ResumeNext([&] {
    if (!IsUserNode(n)) return;
    auto users = rctUser();
    FillRepUser(users->SelectedRows().empty() ? "" : ItemText(FirstSelectedRecord(*users)->Item(0).Value()));
  });
  rt::ResumeNext([&] {
    if (n != kNodeGroups) return;
    auto groups = rctGrp();
    FillRepGrp(groups->SelectedRows().empty() ? "" : ItemText(FirstSelectedRecord(*groups)->Item(0).Value()));
  });
  SetToolStates({{"AddUser", IsUserNode(n)},
                 {"ImpWinUser", IsUserNode(n)},
                 {"AddGrp", n == kNodeGroups},
                 {"Eigenschaften", n >= 2},
                 {"Refresh", n >= 2}},
                "User");
  rt::Err().Clear();
}

void frmUser::WriteUserInfo(int32_t node) {
  const int32_t count = rctUser()->RecordCount();
  Get<forms::Label>("lblUserInfo")
      ->SetCaption("There " + std::string(count == 1 ? "is " : "are ") + FormatCount(count) +
                   (node == kNodeActive ? " active" : " deactivated") + (count == 1 ? " user." : " users."));
}

void frmUser::WriteGroupInfo() {
  Get<forms::Label>("lblGrpInfo")->SetCaption("There are " + FormatCount(rctGrp()->RecordCount()) + " user groups.");
}

void frmUser::FillRepUser(const std::string& ID) {
  rt::OnErrorGoTo(
      [&] {
        auto users = rctUser();
        users->DeleteAllRecords();
        const int32_t n = SelectedNodeIndex();
        const bool active = n == kNodeActive;
        const std::string state = active ? "Activated" : "Deactivated";
        ado::Recordset rs = MainConnection().Execute(
            "SELECT ID,WinUsr,Fullname,BInf,Admin,Created,PLT FROM Benutzer WHERE Aktiv=? ORDER BY WinUsr",
            {rt::Variant(active)});
        FillList(
            *users, rs,
            [&](forms::ReportRecord& record) {
              const std::string id = ItemText(rs.Fields(0).Value());
              record.AddItem(id);
              record.AddItem(ItemText(rs.Fields(1).Value())).SetIcon(n - 1);
              record.AddItem(ItemText(rs.Fields(2).Value()));
              record.AddItem(ItemText(rs.Fields(3).Value()));
              record.AddItem(Truth(rs.Fields(4).Value()) ? "Yes" : "No");
              record.AddItem(state);
              record.AddItem(DateOnly(rs.Fields(5).Value()));
              record.AddItem(LastLoginItem(rs.Fields(6).Value()));
              return id == ID;
            },
            [&] { WriteUserInfo(n); });
      },
      [](const rt::Error&) { ErrorReport("FillRepUser"); });
  rt::Err().Clear();
}

void frmUser::FillRepGrp(const std::string& ID) {
  rt::OnErrorGoTo(
      [&] {
        auto groups = rctGrp();
        groups->DeleteAllRecords();
        ado::Recordset rs = MainConnection().Execute("SELECT ID,Bez,GInf FROM Gruppen ORDER BY Bez");
        FillList(
            *groups, rs,
            [&](forms::ReportRecord& record) {
              const std::string id = ItemText(rs.Fields(0).Value());
              record.AddItem(id);
              record.AddItem(ItemText(rs.Fields(1).Value())).SetIcon(1);
              record.AddItem(ItemText(rs.Fields(2).Value()));
              return id == ID;
            },
            [&] { WriteGroupInfo(); });
      },
      [](const rt::Error&) { ErrorReport("FillRepGrp"); });
  rt::Err().Clear();
}

void frmUser::Delete() {
  rt::OnErrorGoTo(
      [&] {
        const int32_t n = SelectedNodeIndex();
        if (!IsUserNode(n) && n != kNodeGroups) return;
        const bool user = IsUserNode(n);
        auto list = user ? rctUser() : rctGrp();
        const auto record = FirstSelectedRecord(*list);
        const std::string id = ItemText(record->Item(0).Value());
        if (user && id == kDefaultUserID) {
          ShowMsgEx("The default user can not be deleted!", 48, "Deletion of this account is not possible!");
          return;
        }
        const int32_t position = std::max(list->SelectedRow(0) - 1, 0);
        const std::string cr = "\r";
        std::string prompt;
        std::string details;
        if (user) {
          prompt = "Would you really like to delete this user?" + cr + cr + "Name: '" +
                   ItemText(record->Item(2).Value()) + "' (" + ItemText(record->Item(1).Value()) + ")";
          details =
              "<b><u>What happens to existing databases, folders and memos?</u></b><br><br> Should this user have "
              "created or changed elements, they will remain available.<br><br>Only the title <b>Unknown</b> "
              "appears when a user gets deleted (e.g. who did last changes to a Memo).";
        } else {
          prompt = "Would you really like to delete this user group?" + cr + cr + "Title: '" +
                   ItemText(record->Item(1).Value()) + "'";
          details =
              "<b><u>What happens with existing databases and assigned users?</u></b><br><br>All users of this "
              "group will lose their membership, but still remain in it.";
        }
        if (ShowMsgEx(prompt, 260, kDeleteConfirmationTitle, "", 0, 0, details) != 6) return;
        const int32_t affected = ExecuteNoRecords(
            user ? "DELETE FROM Benutzer WHERE ID=?" : "DELETE FROM Gruppen WHERE ID=?", {rt::Variant(id)});
        if (affected < 1) {
          ShowMsgEx("The data record could not be deleted.", 48, "Error during deletion process.");
          Aktualisieren();
          return;
        }
        AfterDelete(*list, record, position, [&] {
          if (user) {
            WriteUserInfo(n);
          } else {
            WriteGroupInfo();
          }
        });
      },
      DeleteFailed);
  rt::Err().Clear();
}

void frmUser::Eigenschaften() {
  rt::OnErrorGoTo(
      [&] {
        const int32_t n = SelectedNodeIndex();
        if (IsUserNode(n)) {
          frmUserEdit::Default()->Init(ItemText(FirstSelectedRecord(*rctUser())->Item(0).Value()));
        } else if (n == kNodeGroups) {
          frmGrpEdit::Default()->Init(ItemText(FirstSelectedRecord(*rctGrp())->Item(0).Value()));
        }
      },
      PropertiesFailed);
  rt::Err().Clear();
}

void RefreshUserView(const std::string& ID, bool groups) {
  rt::ResumeNext([&] {
    auto view = frmUser::Default();
    if (!view->IsLoaded()) view->Load();
    if (groups) {
      view->FillRepGrp(ID);
    } else {
      view->FillRepUser(ID);
    }
  });
  rt::Err().Clear();
}

}  // namespace qvadmin
