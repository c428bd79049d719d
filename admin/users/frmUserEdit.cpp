#include "users/frmUserEdit.h"

#include "core/CreateGUID.h"
#include "core/CurrentUser.h"
#include "core/ErrorReport.h"
#include "core/SessionState.h"
#include "core/ShowMsgEx.h"
#include "forms/CheckBox.h"
#include "forms/Label.h"
#include "forms/controls/FlatEdit.h"
#include "main/frmMDI.h"
#include "runtime/Date.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "users/LastLogin.h"
#include "users/MainWindowLink.h"
#include "users/ViewHelpers.h"
#include "users/frmUser.h"

namespace qvadmin {

namespace {

constexpr int32_t kHelpContext = 1050;

// The display settings of a new user.
const std::vector<std::pair<const char*, rt::Variant>>& NewUserValues() {
  static const std::vector<std::pair<const char*, rt::Variant>> values{
      {"Setting", rt::Variant("3345")},
      {"ViewMode", rt::Variant(static_cast<int16_t>(3))},
      {"TextWrap", rt::Variant(static_cast<int16_t>(3))},
      {"PageSize", rt::Variant("1200|1200|1200|1200|11906|16837")},
      {"PageSizeCode", rt::Variant("1000|1000|1000|1000|0|0|0")},
      {"PageSizeGrd", rt::Variant("1418|1134|1134|1418|1|0|0|0")},
      {"TableGrid", rt::Variant(true)},
      {"SuchOption", rt::Variant(0)},
      {"PLT", rt::Variant(0)},
  };
  return values;
}

}  // namespace

bool MaskChecks(int32_t mask, int index) { return mask >= 0 && mask <= 3 && (mask & (1 << index)) != 0; }

frmUserEdit::frmUserEdit()
    : PropertiesDialog("frmUserEdit", QV_ADMIN_SOURCE_DIR "/users/frmUserEdit.frm", kHelpContext, "txtWinUsr",
                       "UserEdit_Init"),
      m_groups(*this, "rctGrp", "cmdMove", "MoveEntry"),
      m_loaded({"WinUsr", "Fullname", "BInf", "Aktiv", "CanInsDB", "CanDelDB", "Admin"}) {
  m_groups.Connect([this] { FillGrpList(); });
  OnControlEvent("txtWinUsr", "Change", [this](int16_t, com::Args&) { LoginChanged(); });
  OnControlEvent("txtFullname", "Change", [this](int16_t, com::Args&) { EnableSave(); });
  for (const char* box : {"chkAktiv", "chkAdmin", "chkCanInsDB", "chkCanDelDB"}) {
    OnControlEvent(box, "Click", [this](int16_t, com::Args&) {
      rt::ResumeNext([&] { SetFocusTo(*Control("tabEdit")); });
      rt::Err().Clear();
    });
  }
}

std::shared_ptr<frmUserEdit> frmUserEdit::Default() {
  static const std::shared_ptr<frmUserEdit> instance = std::make_shared<frmUserEdit>();
  return instance;
}

void frmUserEdit::Form_Load() {
  SetSaved(false);
  // A failing step is reported once and skips the steps after it; Init
  // still reads the record and shows the dialog.
  rt::OnErrorGoTo(
      [&] {
        PrepareLook("UserCard|UserGrp");
        m_groups.LoadGroups();
        FillGrpList();
      },
      [&](const rt::Error&) { ErrorReport("Benutzereigenschaft_LD"); });
  SetHourglass(false);
  rt::Err().Clear();
}

void frmUserEdit::FillGrpList() {
  m_groups.Fill(
      [&] {
        return ReadEntries(
            "SELECT Benutzer_Gruppen.GrpID, Gruppen.Bez FROM Benutzer_Gruppen INNER JOIN Gruppen ON "
            "Benutzer_Gruppen.GrpID=Gruppen.ID WHERE (Benutzer_Gruppen.UserID=?)",
            {rt::Variant(m_editId.empty() ? std::string(kDefaultUserID) : m_editId)});
      },
      "FillGrpList");
}

void frmUserEdit::Init(const std::string& ID) {
  m_editId = ID;
  ReadAndShow();
}

void frmUserEdit::ReadRecord(bool freshlyLoaded) {
  if (!freshlyLoaded) FillGrpList();  // the load steps filled them for this record
  ReadUser(m_editId.empty() ? std::string(kDefaultUserID) : m_editId);
}

void frmUserEdit::ReadUser(const std::string& recordId) {
  const bool isNew = m_editId.empty();
  auto login = Get<forms::FlatEdit>("txtWinUsr");
  auto fullname = Get<forms::FlatEdit>("txtFullname");
  auto active = Get<forms::CheckBox>("chkAktiv");
  for (auto& control : {com::ControlPtr(login), com::ControlPtr(fullname), com::ControlPtr(active)}) {
    control->SetEnabled(true);
  }
  Get<forms::Label>("lblInf", 0)->SetCaption("Windows Login:");
  Get<forms::Label>("lblInf", 2)->SetCaption("Username:");
  Control("imgNew")->SetVisible(isNew);
  Control("lblInf", 3)->SetVisible(!isNew);
  Control("lblInf", 4)->SetVisible(true);
  m_groups.SetDirty(isNew);
  if (isNew) {
    SetCaption("Add User");
    Get<forms::Label>("lblCreated")->SetCaption("");
    Get<forms::Label>("lblLastUse")->SetCaption("");
    login->SetText("");
    fullname->SetText("");
    Get<forms::FlatEdit>("txtBInf")->SetText("");
    // A new user starts active unless the view lists the deactivated users.
    active->SetValue(frmUser::Default()->IsLoaded() && frmUser::Default()->SelectedNodeIndex() == 3 ? 0 : 1);
  }

  ado::Recordset rs = MainConnection().Execute(
      "SELECT WinUsr,Fullname,BInf,Aktiv,CanInsDB,CanDelDB,Admin,Created,PLT FROM Benutzer WHERE ID=?",
      {rt::Variant(recordId)});
  if (rs.Eof()) rt::Raise(ado::errRowDeleted, "frmUserEdit", "The data record was deleted in the meantime!");
  if (!isNew) {
    SetCaption(PropertiesCaption(ItemText(rs("WinUsr").Value())));
    const rt::Variant created = rs("Created").Value();
    Get<forms::Label>("lblCreated")->SetCaption(created.IsNull() ? std::string() : LongDateText(created.ToDate()));
    login->SetText(ItemText(rs("WinUsr").Value()));
    fullname->SetText(ItemText(rs("Fullname").Value()));
    Get<forms::FlatEdit>("txtBInf")->SetText(ItemText(rs("BInf").Value()));
    active->SetValue(Truth(rs("Aktiv").Value()) ? 1 : 0);
  }
  const int32_t canIns = rs("CanInsDB").Value().IsNull() ? 0 : rs("CanInsDB").Value().ToLong();
  const int32_t canDel = rs("CanDelDB").Value().IsNull() ? 0 : rs("CanDelDB").Value().ToLong();
  for (int16_t i = 0; i <= 1; ++i) {
    Get<forms::CheckBox>("chkCanInsDB", i)->SetValue(MaskChecks(canIns, i) ? 1 : 0);
    Get<forms::CheckBox>("chkCanDelDB", i)->SetValue(MaskChecks(canDel, i) ? 1 : 0);
  }
  Get<forms::CheckBox>("chkAdmin")->SetValue(Truth(rs("Admin").Value()) ? 1 : 0);
  const int32_t plt = rs("PLT").Value().IsNull() ? 0 : rs("PLT").Value().ToLong();
  const auto lastLogin = DecodeLastLogin(plt);
  Get<forms::Label>("lblLastUse")->SetCaption(lastLogin ? LongDateText(*lastLogin) : std::string());
  Control("lblInf", 4)->SetVisible(lastLogin.has_value());
  if (plt == 0 && m_editId == kDefaultUserID) {
    Get<forms::Label>("lblInf", 0)->SetCaption("Title:");
    Get<forms::Label>("lblInf", 2)->SetCaption("Type:");
    active->SetEnabled(false);
    login->SetEnabled(false);
    fullname->SetEnabled(false);
  }
  if (isNew) {
    m_loaded.Forget();
  } else {
    m_loaded.Keep(rs);
  }
  rs.Close();
  EnableSave();
}

void frmUserEdit::EnableSave() {
  const bool filled = !rt::Trim(Get<forms::FlatEdit>("txtWinUsr")->Text()).empty() &&
                      !rt::Trim(Get<forms::FlatEdit>("txtFullname")->Text()).empty();
  Control("cmdSave")->SetEnabled(filled);
  Control("cmdSaveClose")->SetEnabled(filled);
}

void frmUserEdit::LoginChanged() {
  auto login = Get<forms::FlatEdit>("txtWinUsr");
  if (login->Text().find(' ') != std::string::npos) {
    login->SetText(rt::Replace(login->Text(), " ", ""));
    login->SetSelStart(static_cast<int32_t>(rt::Len(login->Text())));
    return;  // the change that this raised did the rest
  }
  EnableSave();
  if (!m_editId.empty()) SetCaption(PropertiesCaption(login->Text()));
}

bool frmUserEdit::Save() {
  const bool isNew = m_editId.empty();
  // A new record takes its identifier only once it is stored, so that a
  // refused first save (a login that exists) can be corrected and saved.
  const std::string id = isNew ? CreateGUID() : m_editId;
  LoadedRecord stored = m_loaded;
  const bool ok = rt::OnErrorGoTo(
      [&] {
        RunInTransaction(MainConnection(), [&] {
          ado::Recordset rs;
          const std::string fields =
              "SELECT ID,WinUsr,Fullname,BInf,Setting,ViewMode,TextWrap,PageSize,PageSizeCode,PageSizeGrd,TableGrid,"
              "SuchOption,PLT,Aktiv,CanInsDB,CanDelDB,Admin FROM Benutzer WHERE ";
          if (isNew) {
            rs.Open(fields + "1=2", MainConnection(), ado::adOpenKeyset, ado::adLockOptimistic);
            rs.AddNew();
            rs("ID") = rt::Variant(id);
            for (const auto& [name, value] : NewUserValues()) rs(name) = value;
          } else {
            rs.Open(fields + "ID=?", MainConnection(), ado::adOpenKeyset, ado::adLockOptimistic, {rt::Variant(id)});
            m_loaded.Check(rs, Name());
          }
          const auto checked = [this](const char* name, int16_t index) {
            return Get<forms::CheckBox>(name, index)->Value() == 1;
          };
          rs("WinUsr") = rt::Variant(Get<forms::FlatEdit>("txtWinUsr")->Text());
          rs("Fullname") = rt::Variant(Get<forms::FlatEdit>("txtFullname")->Text());
          rs("CanInsDB") = rt::Variant(
              static_cast<int16_t>((checked("chkCanInsDB", 0) ? 1 : 0) + (checked("chkCanInsDB", 1) ? 2 : 0)));
          rs("CanDelDB") = rt::Variant(
              static_cast<int16_t>((checked("chkCanDelDB", 0) ? 1 : 0) + (checked("chkCanDelDB", 1) ? 2 : 0)));
          const std::string description = rt::Trim(Get<forms::FlatEdit>("txtBInf")->Text());
          rs("BInf") = description.empty() ? rt::Variant::Null() : rt::Variant(description);
          rs("Aktiv") = rt::Variant(Get<forms::CheckBox>("chkAktiv")->Value() == 1);
          rs("Admin") = rt::Variant(Get<forms::CheckBox>("chkAdmin")->Value() == 1);
          rs.Update();
          stored.Keep(rs);
          rs.Close();
          m_groups.WriteLinks(isNew ? "" : "SELECT GrpID FROM Benutzer_Gruppen WHERE UserID=?",
                              "DELETE FROM Benutzer_Gruppen WHERE UserID=?",
                              "INSERT INTO Benutzer_Gruppen (UserID,GrpID) VALUES(?,?)", rt::Variant(id));
        });
        m_loaded = stored;
        m_groups.MarkStored();
        if (isNew) {
          m_editId = id;
          Control("imgNew")->SetVisible(false);
          Control("lblInf", 3)->SetVisible(true);
          Get<forms::Label>("lblCreated")->SetCaption(LongDateText(rt::Today()));
          SetCaption(PropertiesCaption(Get<forms::FlatEdit>("txtWinUsr")->Text()));
        }
      },
      [&](const rt::Error& e) {
        if (IsDuplicateLogin(e)) {
          ShowMsgEx(
              "A user with this login already exists in the database.\r\rPlease delete the first entry with the "
              "same user login.",
              48, kNotSavedTitle);
        } else if (!TellSaveConflict(e)) {
          ErrorReport("User store");
        }
      });
  rt::Err().Clear();
  SetSaved(true);
  return ok;
}

void frmUserEdit::RefreshView() { RefreshUserView(m_editId, false); }

}  // namespace qvadmin
