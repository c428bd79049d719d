#include "users/frmDBEdit.h"

#include "core/ErrorReport.h"
#include "core/ScrambleKeys.h"
#include "core/Scrambler.h"
#include "core/SessionState.h"
#include "core/ShowMsgEx.h"
#include "core/TextHelpers.h"
#include "forms/Label.h"
#include "forms/controls/ComboBox.h"
#include "forms/controls/FlatEdit.h"
#include "forms/controls/OptionButton.h"
#include "main/frmMDI.h"
#include "runtime/DataFolder.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "users/MainWindowLink.h"
#include "users/ViewHelpers.h"
#include "users/frmDBPflege.h"

namespace qvadmin {

namespace {

constexpr int32_t kHelpContext = 1080;
constexpr size_t kOwnerBlanks = 99;
constexpr uint32_t kDisabledBack = 0xF1F1F1;

}  // namespace

bool OwnerShowsLogin(const std::string& login, const std::string& fullname) {
  return !fullname.empty() && !login.empty() && fullname != login;
}

std::string OwnerEntry(const std::string& id, const std::string& login, const std::string& fullname, size_t blanks) {
  const std::string display =
      OwnerShowsLogin(login, fullname) ? fullname + " (" + login + ")" : (fullname.empty() ? login : fullname);
  return display + std::string(blanks, ' ') + "|" + id;
}

std::string OwnerEntryID(const std::string& entry) { return rt::Trim(GetToken(entry, 2, "|")); }

frmDBEdit::frmDBEdit()
    : PropertiesDialog("frmDBEdit", rt::DataFile("qvadmin/frmDBEdit.frm"), kHelpContext, "txtBez", "Properties"),
      m_groups(*this, "rctGrp", "cmdMove", "MoveEntry"),
      m_loaded({"Bez", "MInf", "OwnerID", "PWD", "Privat"}) {
  m_groups.Connect([this] { FillGrpList(); });
  for (const char* field : {"txtBez", "txtPWD", "txtPWDWdh"}) {
    OnControlEvent(field, "Change", [this](int16_t, com::Args&) { FieldsChanged(); });
  }
  OnControlEvent("optDBTyp", "Click", [this](int16_t i, com::Args&) { TypeChosen(i); });
}

std::shared_ptr<frmDBEdit> frmDBEdit::Default() {
  static const std::shared_ptr<frmDBEdit> instance = std::make_shared<frmDBEdit>();
  return instance;
}

void frmDBEdit::Form_Load() {
  SetSaved(false);
  PrepareLook("DBEdit|UserGrp");
  m_groups.LoadGroups();
}

void frmDBEdit::FillGrpList() {
  m_groups.Fill(
      [&] {
        return ReadEntries(
            "SELECT DBList_Gruppen.GrpID, Gruppen.Bez FROM DBList_Gruppen INNER JOIN Gruppen ON "
            "DBList_Gruppen.GrpID=Gruppen.ID WHERE DBList_Gruppen.DBListID=?",
            {rt::Variant(m_editId)});
      },
      "FillGrpList");
}

void frmDBEdit::Init(int32_t ID) {
  m_editId = ID;
  ReadAndShow();
}

void frmDBEdit::ReadRecord(bool) {
  const int32_t ID = m_editId;
  m_groups.SetDirty(false);
  auto owners = Get<forms::ComboBox>("cboOwner");
  owners->Clear();
  owners->SetTag("");
  // The active users, the administrator who is logged in, and the
  // stored owner whatever its state, so that a save keeps it.
  ado::Recordset users = MainConnection().Execute(
      "SELECT ID,WinUsr,Fullname FROM Benutzer WHERE Aktiv OR ID=? OR ID=(SELECT OwnerID FROM DBList WHERE "
      "ID=?) ORDER BY WinUsr",
      {rt::Variant(CurrentUserID.empty() ? rt::Variant::Null() : rt::Variant(CurrentUserID)), rt::Variant(ID)});
  for (; !users.Eof(); users.MoveNext()) {
    owners->AddItem(
        OwnerEntry(ItemText(users(0).Value()), ItemText(users(1).Value()), ItemText(users(2).Value()), kOwnerBlanks));
  }
  ado::Recordset rs =
      MainConnection().Execute("SELECT Bez,MInf,OwnerID,PWD,Privat,Created FROM DBList WHERE ID=?", {rt::Variant(ID)});
  if (rs.Eof()) rt::Raise(ado::errRowDeleted, "frmDBEdit", "The data record was deleted in the meantime!");
  const std::string title = ItemText(rs("Bez").Value());
  SetCaption(PropertiesCaption(title));
  const rt::Variant created = rs("Created").Value();
  Get<forms::Label>("lblCreated")->SetCaption(created.IsNull() ? "" : LongDateText(created.ToDate()));
  Get<forms::FlatEdit>("txtBez")->SetText(title);
  Get<forms::FlatEdit>("txtMInf")->SetText(ItemText(rs("MInf").Value()));
  const std::string password = UnscrambleText(ItemText(rs("PWD").Value()), kMemoPasswordKey);
  Get<forms::FlatEdit>("txtPWD")->SetText(password);
  Get<forms::FlatEdit>("txtPWDWdh")->SetText(password);

  const std::string owner = ItemText(rs("OwnerID").Value());
  int32_t chosen = -1;
  int32_t current = -1;
  for (int32_t i = 0; i < owners->ListCount(); ++i) {
    const std::string entry = OwnerEntryID(owners->List(i));
    if (!owner.empty() && entry == owner) chosen = i;
    if (entry == CurrentUserID) current = i;
  }
  if (!owner.empty() && chosen < 0) {
    // The owner's user record is gone: the entry keeps the stored ID.
    owners->AddItem(OwnerEntry(owner, "", "<unknown user>", kOwnerBlanks));
    chosen = owners->ListCount() - 1;
  }
  owners->SetListIndex(chosen >= 0 ? chosen : current);
  const bool personal = !rs("Privat").Value().IsNull() && rs("Privat").Value().ToBool();
  m_loaded.Keep(rs);
  rs.Close();
  Get<forms::OptionButton>("optDBTyp", personal ? 1 : 0)->SetValue(true);
  TypeChosen(personal ? 1 : 0);
  FieldsChanged();
  FillGrpList();
}

void frmDBEdit::FieldsChanged() {
  const std::string title = Get<forms::FlatEdit>("txtBez")->Text();
  const bool ready =
      !rt::Trim(title).empty() && Get<forms::FlatEdit>("txtPWD")->Text() == Get<forms::FlatEdit>("txtPWDWdh")->Text();
  Control("cmdSave")->SetEnabled(ready);
  Control("cmdSaveClose")->SetEnabled(ready);
  SetCaption(PropertiesCaption(title));
}

void frmDBEdit::TypeChosen(int16_t index) {
  rt::ResumeNext([&] {
    auto owners = Get<forms::ComboBox>("cboOwner");
    if (!owners->Text().empty()) owners->SetTag(owners->Text());
    if (index == 1) {
      if (!owners->Tag().empty()) owners->SetText(owners->Tag());
    } else {
      owners->SetListIndex(-1);
    }
    owners->SetBackColor(index == 0 ? kDisabledBack : Get<forms::FlatEdit>("txtBez")->BackColor());
    owners->SetEnabled(index == 1);
    SetFocusTo(*Control("tabEdit"));
  });
  rt::Err().Clear();
}

bool frmDBEdit::Save() {
  LoadedRecord stored = m_loaded;
  bool refused = false;
  const bool ok = rt::OnErrorGoTo(
      [&] {
        const std::string password = Get<forms::FlatEdit>("txtPWD")->Text();
        if (!CheckScramblable(password, "password")) {
          refused = true;
          return;
        }
        RunInTransaction(MainConnection(), [&] {
          ado::Recordset rs;
          rs.Open("SELECT ID,Bez,MInf,OwnerID,PWD,Privat FROM DBList WHERE ID=?", MainConnection(), ado::adOpenKeyset,
                  ado::adLockOptimistic, {rt::Variant(m_editId)});
          m_loaded.Check(rs, Name());
          rs("Bez") = rt::Variant(Get<forms::FlatEdit>("txtBez")->Text());
          const bool personal = Get<forms::OptionButton>("optDBTyp", 1)->Value();
          rs("Privat") = rt::Variant(personal);
          rs("OwnerID") =
              personal ? rt::Variant(OwnerEntryID(Get<forms::ComboBox>("cboOwner")->Text())) : rt::Variant::Null();
          rs("PWD") = rt::Variant(ScrambleText(password, kMemoPasswordKey));
          const std::string description = Get<forms::FlatEdit>("txtMInf")->Text();
          rs("MInf") = description.empty() ? rt::Variant::Null() : rt::Variant(description);
          rs.Update();
          stored.Keep(rs);
          rs.Close();
          m_groups.WriteLinks("SELECT GrpID FROM DBList_Gruppen WHERE DBListID=?",
                              "DELETE FROM DBList_Gruppen WHERE DBListID=?",
                              "INSERT INTO DBList_Gruppen (DBListID,GrpID) VALUES(?,?)", rt::Variant(m_editId));
        });
        m_loaded = stored;
        m_groups.MarkStored();
      },
      [&](const rt::Error& e) {
        if (!TellSaveConflict(e)) ErrorReport("Save Properties");
      });
  rt::Err().Clear();
  SetSaved(true);
  return ok && !refused;
}

void frmDBEdit::RefreshView() { RefreshDatabaseView(m_editId); }

}  // namespace qvadmin
