#include "users/frmAddWinUsr.h"

#include "core/AdminForms.h"
#include "core/AppStyle.h"
#include "core/CoreMessage.h"
#include "core/CreateGUID.h"
#include "core/CurrentUser.h"
#include "core/ErrorReport.h"
#include "core/FormSettings.h"
#include "core/HelpSystem.h"
#include "core/SessionState.h"
#include "core/ShowMsgEx.h"
#include "forms/Image.h"
#include "forms/containers/TabControl.h"
#include "forms/containers/TabPage.h"
#include "forms/controls/ComboBox.h"
#include "forms/controls/FlatEdit.h"
#include "forms/lists/ListBox.h"
#include "main/frmMDI.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "users/AccountDirectory.h"
#include "users/MainWindowLink.h"
#include "users/ViewHelpers.h"
#include "users/frmUser.h"
#include "win/MessageQueue.h"

namespace qvadmin {

namespace {

constexpr int32_t kHelpContext = 1100;
constexpr int16_t kKeyReturn = 13;

// The fields an imported user takes over from the default user: all but
// ID, WinUsr, Fullname, BInf, Aktiv, Created and LastDataKey.
constexpr const char* kDefaultUserFields =
    "Setting, ViewMode, TextWrap, PageSize, PageSizeCode, PageSizeGrd, TableGrid, SuchOption, PLT, CanInsDB, CanDelDB, "
    "Admin";

void SetupList(forms::ReportControl& list, const std::vector<std::pair<std::string, int32_t>>& columns,
               const std::string& empty) {
  for (size_t i = 0; i < columns.size(); ++i) {
    auto column = list.AddColumn(static_cast<int32_t>(i), columns[i].first, columns[i].second, true);
    if (columns[i].second == 0) column->SetVisible(false);
  }
  list.SetRowBackColor(kListBackColor);
  list.SetNoItemsText(empty);
  list.ClearSortOrder();
  list.AddSortColumn(list.Column(0));
}

int32_t GroupIcon(const std::string& id) { return id == kDefaultUserID ? 1 : 2; }

const AdminFormRegistration registration{"frmAddWinUsr", [] { return frmAddWinUsr::Default(); }};

}  // namespace

frmAddWinUsr::frmAddWinUsr()
    : Form("frmAddWinUsr"),
      m_accounts(*this, "rctUsr", "cmdMove", "MoveEntry"),
      m_groups(*this, "rctGrp", "cmdMoveGrp", "MoveEntry-Group") {
  SetDesignFile(QV_ADMIN_SOURCE_DIR "/users/frmAddWinUsr.frm");
  SetHelpContextID(kHelpContext);
  m_accounts.Connect([this] { LoadDomain(); });
  m_accounts.OnMoved([this](int16_t side) {
    for (int16_t s = 0; s <= 1; ++s) Get<forms::TabControl>("tabInf", s)->SetSelectedItem(0);
    rt::ResumeNext([&] { SetFocusTo(m_accounts.List(side)); });
    rt::Err().Clear();
    AccountSelectionChanged(side);
    Control("cmdAction", 0)->SetEnabled(m_accounts.List(1).RecordCount() > 0);
  });
  m_groups.Connect();
  OnControlEvent("rctUsr", "SelectionChanged", [this](int16_t i, com::Args&) { AccountSelectionChanged(i); });
  OnControlEvent("rctUsr", "KeyDown", [this](int16_t i, com::Args& args) {
    if (args[0].ToLong() != kKeyReturn || m_accounts.List(i).SelectedRows().size() != 1) return;
    rt::ResumeNext([&] { Get<forms::TabControl>("tabInf", i)->SetSelectedItem(1); });
    rt::Err().Clear();
  });
  OnControlEvent("tabInf", "SelectedChanged", [this](int16_t i, com::Args& args) {
    if (args[0].ToLong() == 1) ShowDetails(i);
  });
  OnControlEvent("tabInf", "TabClick", [this](int16_t i, com::Args& args) {
    rt::ResumeNext([&] {
      const int32_t page = args[0].ToLong();
      if (page == 0) SetFocusTo(m_accounts.List(i));
      if (page == 1) SetFocusTo(*Control("txtUsr", i));
    });
    rt::Err().Clear();
  });
  OnControlEvent("txtFilter", "Change", [this](int16_t, com::Args&) {
    auto filter = Control("txtFilter");
    m_accounts.List(0).SetFilterText(Get<forms::FlatEdit>("txtFilter")->Text());
    if (filter->Enabled()) m_accounts.List(0).Populate();
  });
  OnControlEvent("cboDomains", "Click", [this](int16_t, com::Args&) { LoadDomain(); });
  OnControlEvent("cmdAction", "Click", [this](int16_t i, com::Args&) {
    if (i == 0) {
      if (ImportUsers()) Unload();
    } else if (i == 1) {
      Unload();
    } else {
      ShowHelp(HelpContextID(), "Main");
    }
  });
}

std::shared_ptr<frmAddWinUsr> frmAddWinUsr::Default() {
  static const std::shared_ptr<frmAddWinUsr> instance = std::make_shared<frmAddWinUsr>();
  return instance;
}

void frmAddWinUsr::ShowImport() { Show(forms::vbModal, DialogOwner()); }

void frmAddWinUsr::SetPagesEnabled(bool enabled) {
  for (int16_t side = 0; side <= 1; ++side) {
    for (const auto& page : Get<forms::TabControl>("tabInf", side)->Pages()) page->SetEnabled(enabled);
  }
}

void frmAddWinUsr::Form_Load() {
  ApplyStyle(this, 0);
  RestoreFormPlacement(*this, true, false);
  RegisterTabs(*Get<forms::TabControl>("tabInf", 0), "");
  RegisterTabs(*Get<forms::TabControl>("tabInf", 1), "UserGrp");
  SetPagesEnabled(false);
  m_fromUserView = ActiveViewName() == "frmUser";
  m_usersImported = false;
  m_groups.Candidates().clear();
  for (ado::Recordset rs = MainConnection().Execute("SELECT ID,Bez FROM Gruppen"); !rs.Eof(); rs.MoveNext()) {
    const std::string id = ItemText(rs(0).Value());
    m_groups.Candidates().push_back({id, ItemText(rs(1).Value()), GroupIcon(id)});
  }
  for (int16_t i = 0; i <= 1; ++i) {
    SetupList(m_accounts.List(i), {{"Login", 80}, {"Username", 120}}, "No users to show in this view.");
    SetupList(m_groups.List(i), {{"ID", 0}, {i == 0 ? "Available:" : "Assigned:", 120}}, "No group.");
    for (int32_t icon = 1; icon <= 2; ++icon) m_groups.List(i).Icons().Add(icon, frmMDI::Default()->ListPicture(3));
  }
  for (int16_t i = 0; i <= 1; ++i) Get<forms::Image>("imgGrp", i)->SetPicture(frmMDI::Default()->ListPicture(3));
  auto domains = Get<forms::ComboBox>("cboDomains");
  domains->Clear();
  rt::OnErrorGoTo(
      [&] {
        for (const std::string& name : Directory().Domains()) domains->AddItem(name);
      },
      [](const rt::Error&) { ErrorReport("Windows domains"); });
  rt::Err().Clear();
  Control("txtFilter")->SetEnabled(false);
  for (int16_t i = 0; i <= 2; ++i) Control("cmdMove", i)->SetEnabled(false);
  FillGrpList();
}

void frmAddWinUsr::FillGrpList() {
  m_groups.Fill(
      [] {
        std::vector<AssignmentEntry> rows;
        ado::Recordset rs = MainConnection().Execute(
            "SELECT Benutzer_Gruppen.GrpID, Gruppen.Bez FROM Benutzer_Gruppen INNER JOIN Gruppen ON "
            "Benutzer_Gruppen.GrpID=Gruppen.ID WHERE (Benutzer_Gruppen.UserID=?)",
            {rt::Variant(kDefaultUserID)});
        for (; !rs.Eof(); rs.MoveNext()) {
          const std::string id = ItemText(rs(0).Value());
          rows.push_back({id, ItemText(rs(1).Value()), GroupIcon(id)});
        }
        return rows;
      },
      "FillGrpList");
}

void frmAddWinUsr::LoadDomain() {
  SetHourglass(true);
  win::DoEvents();
  const std::string domain = Get<forms::ComboBox>("cboDomains")->Text();
  auto filter = Get<forms::FlatEdit>("txtFilter");
  filter->SetEnabled(false);
  filter->SetText("");
  for (int16_t i = 0; i <= 1; ++i) {
    m_accounts.List(i).DeleteAllRecords();
    Control("cmdMove", i)->SetEnabled(false);
    Get<forms::TabControl>("tabInf", i)->Item(1)->SetEnabled(false);
  }
  rt::OnErrorGoTo(
      [&] {
        for (const DirectoryAccount& account : Directory().Users(domain)) {
          auto record = m_accounts.List(0).AddRecord();
          record->AddItem(account.name);
          record->AddItem(account.fullname);
        }
      },
      [](const rt::Error&) { ErrorReport("Windows domain"); });
  rt::Err().Clear();
  m_accounts.List(0).SetFilterText("");
  for (int16_t i = 0; i <= 1; ++i) m_accounts.List(i).Populate();
  filter->SetEnabled(true);
  Control("cmdMove", 2)->SetEnabled(true);
  for (int16_t i = 0; i <= 1; ++i) Get<forms::TabControl>("tabInf", i)->Item(0)->SetEnabled(true);
  Get<forms::TabControl>("tabInf", 1)->Item(2)->SetEnabled(m_accounts.List(0).RecordCount() > 0);
  Control("cmdAction", 0)->SetEnabled(false);
  SetHourglass(false);
}

void frmAddWinUsr::AccountSelectionChanged(int16_t side) {
  const size_t selected = m_accounts.List(side).SelectedRows().size();
  Control("cmdMove", side)->SetEnabled(selected > 0);
  Get<forms::TabControl>("tabInf", side)->Item(1)->SetEnabled(selected == 1);
}

void frmAddWinUsr::ShowDetails(int16_t side) {
  rt::OnErrorGoTo(
      [&] {
        const auto record = FirstSelectedRecord(m_accounts.List(side));
        const DirectoryAccount account =
            Directory().Account(Get<forms::ComboBox>("cboDomains")->Text(), ItemText(record->Item(0).Value()));
        auto groups = Get<forms::ListBox>("lstGrp", side);
        groups->Clear();
        Get<forms::FlatEdit>("txtUsr", side)->SetText(account.fullname);
        Get<forms::FlatEdit>("txtInfo", side)->SetText(account.description);
        Get<forms::FlatEdit>("txtProfil", side)->SetText(account.profile);
        Get<forms::FlatEdit>("txtLScrpt", side)->SetText(account.loginscript);
        Get<forms::FlatEdit>("txtHome", side)->SetText(account.homeDirDrive + account.homeDirectory);
        for (const std::string& group : account.groups) groups->AddItem(group);
      },
      [](const rt::Error&) { ErrorReport("User Details"); });
  rt::Err().Clear();
}

bool frmAddWinUsr::ImportUsers() {
  SetHourglass(true);
  forms::ReportControl& reserved = m_accounts.List(1);
  const std::vector<std::string> groups = m_groups.AssignedIDs();
  bool stopped = false;
  for (int32_t index = reserved.RecordCount() - 1; index >= 0 && !stopped; --index) {
    const auto record = reserved.Record(index);
    const std::string login = ItemText(record->Item(0).Value());
    const std::string fullname = ItemText(record->Item(1).Value());
    rt::OnErrorGoTo(
        [&] {
          // Each account lands with its group rows, or not at all.
          const std::string id = CreateGUID();
          RunInTransaction(MainConnection(), [&] {
            ExecuteNoRecords(std::string("INSERT INTO Benutzer (ID, WinUsr, Fullname, BInf, Aktiv, ") +
                                 kDefaultUserFields + ") SELECT ?, ?, ?, NULL, true, " + kDefaultUserFields +
                                 " FROM Benutzer WHERE ID=?",
                             {rt::Variant(id), rt::Variant(login), rt::Variant(fullname), rt::Variant(kDefaultUserID)});
            for (const std::string& group : groups) {
              ExecuteNoRecords("INSERT INTO Benutzer_Gruppen (UserID,GrpID) VALUES(?,?)",
                               {rt::Variant(id), rt::Variant(group)});
            }
          });
          reserved.RemoveRecordAt(record->Index());
        },
        [&](const rt::Error& e) {
          if (IsDuplicateLogin(e)) return;  // the login exists: the account stays reserved
          stopped = true;
          ErrorReport("Windows User Import: " + std::to_string(e.Line()),
                      "Windows-User: " + login + "<br>Fullname: " + fullname + "<br>Index: " + std::to_string(index) +
                          "<br>Akt.: 1<br><br>");
        });
    rt::Err().Clear();
  }
  bool complete = !stopped;
  if (!stopped && reserved.RecordCount() > 0) {
    ShowMsgEx(
        "Some users already exist in the database. Click 'OK' to the\rremaining quantity in the list to view the "
        "reserved users.",
        vbInformation, "User already exists!");
    complete = false;
  }
  reserved.Populate();
  m_usersImported = true;
  Control("cmdAction", 0)->SetEnabled(reserved.RecordCount() > 0);
  SetHourglass(false);
  return complete;
}

void frmAddWinUsr::Form_KeyDown(int16_t& keyCode, int16_t) { HelpOnF1(*this, keyCode); }

void frmAddWinUsr::Form_QueryUnload(int16_t&, int16_t) {
  if (m_fromUserView && m_usersImported) RefreshUserView("", false);
}

}  // namespace qvadmin
