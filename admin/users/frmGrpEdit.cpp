#include "users/frmGrpEdit.h"

#include "core/CreateGUID.h"
#include "core/ErrorReport.h"
#include "core/SessionState.h"
#include "core/ShowMsgEx.h"
#include "forms/controls/FlatEdit.h"
#include "main/frmMDI.h"
#include "runtime/DataFolder.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "users/MainWindowLink.h"
#include "users/ViewHelpers.h"
#include "users/frmUser.h"

namespace qvadmin {

namespace {

constexpr int32_t kHelpContext = 1060;

int32_t UserIcon(const rt::Variant& active) { return !active.IsNull() && active.ToBool() ? 1 : 2; }

}  // namespace

frmGrpEdit::frmGrpEdit()
    : PropertiesDialog("frmGrpEdit", rt::DataFile("qvadmin/frmGrpEdit.frm"), kHelpContext, "txtBez", "Properties"),
      m_users(*this, "rctUsr", "cmdMove", "MoveEntry"),
      m_loaded({"Bez", "GInf"}) {
  m_users.Connect([this] { FillUsrList(); });
  OnControlEvent("txtBez", "Change", [this](int16_t, com::Args&) { NameChanged(); });
}

std::shared_ptr<frmGrpEdit> frmGrpEdit::Default() {
  static const std::shared_ptr<frmGrpEdit> instance = std::make_shared<frmGrpEdit>();
  return instance;
}

void frmGrpEdit::Form_Load() {
  SetSaved(false);
  PrepareLook("UserGrp|UserCard");
  m_users.Candidates().clear();
  for (ado::Recordset rs = MainConnection().Execute("SELECT ID,WinUsr,Aktiv FROM Benutzer"); !rs.Eof(); rs.MoveNext()) {
    m_users.Candidates().push_back(
        {ItemText(rs.Fields(0).Value()), ItemText(rs.Fields(1).Value()), UserIcon(rs.Fields(2).Value())});
  }
  m_users.SetCandidateCheck(kUserStillThere, "user");
  m_users.Setup("Users", {frmMDI::Default()->ListPicture(1), frmMDI::Default()->ListPicture(2)}, "All users assigned!",
                "No users assigned!");
}

void frmGrpEdit::FillUsrList() {
  m_users.Fill(
      [&] {
        std::vector<AssignmentEntry> rows;
        if (m_editId.empty()) return rows;
        ado::Recordset rs = MainConnection().Execute(
            "SELECT Benutzer_Gruppen.UserID, Benutzer.WinUsr, Benutzer.Aktiv FROM Benutzer_Gruppen INNER JOIN "
            "Benutzer ON Benutzer_Gruppen.UserID=Benutzer.ID WHERE (Benutzer_Gruppen.GrpID=?)",
            {rt::Variant(m_editId)});
        for (; !rs.Eof(); rs.MoveNext()) {
          rows.push_back(
              {ItemText(rs.Fields(0).Value()), ItemText(rs.Fields(1).Value()), UserIcon(rs.Fields(2).Value())});
        }
        return rows;
      },
      "FillUsrList");
}

void frmGrpEdit::Init(const std::string& ID) {
  m_editId = ID;
  ReadAndShow();
}

void frmGrpEdit::ReadRecord(bool) {
  m_users.SetDirty(m_editId.empty());
  auto name = Get<forms::FlatEdit>("txtBez");
  auto description = Get<forms::FlatEdit>("txtGInf");
  Control("imgNew")->SetVisible(m_editId.empty());
  if (m_editId.empty()) {
    SetCaption("Add User Group");
    name->SetText("");
    description->SetText("");
    m_loaded.Forget();
  } else {
    ado::Recordset rs = MainConnection().Execute("SELECT Bez,GInf FROM Gruppen WHERE ID=?", {rt::Variant(m_editId)});
    if (rs.Eof()) rt::Raise(ado::errRowDeleted, "frmGrpEdit", "The data record was deleted in the meantime!");
    name->SetText(ItemText(rs("Bez").Value()));
    description->SetText(ItemText(rs("GInf").Value()));
    SetCaption(PropertiesCaption(ItemText(rs("Bez").Value())));
    m_loaded.Keep(rs);
  }
  NameChanged();
  FillUsrList();
}

void frmGrpEdit::NameChanged() {
  const bool filled = !rt::Trim(Get<forms::FlatEdit>("txtBez")->Text()).empty();
  Control("cmdSave")->SetEnabled(filled);
  Control("cmdSaveClose")->SetEnabled(filled);
}

bool frmGrpEdit::Save() {
  const bool isNew = m_editId.empty();
  const std::string id = isNew ? CreateGUID() : m_editId;
  LoadedRecord stored = m_loaded;
  const bool ok = rt::OnErrorGoTo(
      [&] {
        RunInTransaction(MainConnection(), [&] {
          ado::Recordset rs;
          if (isNew) {
            rs.Open("SELECT ID,Bez,GInf FROM Gruppen WHERE 1=2", MainConnection(), ado::adOpenKeyset,
                    ado::adLockOptimistic);
            rs.AddNew();
            rs("ID") = rt::Variant(id);
          } else {
            rs.Open("SELECT ID,Bez,GInf FROM Gruppen WHERE ID=?", MainConnection(), ado::adOpenKeyset,
                    ado::adLockOptimistic, {rt::Variant(id)});
            m_loaded.Check(rs, Name());
          }
          rs("Bez") = rt::Variant(rt::Trim(Get<forms::FlatEdit>("txtBez")->Text()));
          const std::string description = rt::Trim(Get<forms::FlatEdit>("txtGInf")->Text());
          rs("GInf") = description.empty() ? rt::Variant::Null() : rt::Variant(description);
          rs.Update();
          stored.Keep(rs);
          rs.Close();
          m_users.WriteLinks(isNew ? "" : "SELECT UserID FROM Benutzer_Gruppen WHERE GrpID=?",
                             "DELETE FROM Benutzer_Gruppen WHERE GrpID=?",
                             "INSERT INTO Benutzer_Gruppen (GrpID,UserID) VALUES(?,?)", rt::Variant(id));
        });
        m_loaded = stored;
        m_users.MarkStored();
        if (isNew) {
          m_editId = id;
          Control("imgNew")->SetVisible(false);
          SetCaption(PropertiesCaption(Get<forms::FlatEdit>("txtBez")->Text()));
        }
      },
      [&](const rt::Error& e) {
        if (!TellSaveConflict(e)) ErrorReport("Group data");
      });
  rt::Err().Clear();
  SetSaved(true);
  return ok;
}

void frmGrpEdit::RefreshView() { RefreshUserView(m_editId, true); }

}  // namespace qvadmin
