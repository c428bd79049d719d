#include "users/wizNewDB.h"

#include "core/AdminForms.h"
#include "core/AppStyle.h"
#include "core/CoreMessage.h"
#include "core/ErrorReport.h"
#include "core/FormHelpers.h"
#include "core/FormSettings.h"
#include "core/HelpSystem.h"
#include "core/RegistrySettings.h"
#include "core/ScrambleKeys.h"
#include "core/Scrambler.h"
#include "core/SessionState.h"
#include "core/ShowMsgEx.h"
#include "core/TextHelpers.h"
#include "display/KVXFrame.h"
#include "forms/CheckBox.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/containers/TabControl.h"
#include "forms/controls/ComboBox.h"
#include "forms/controls/FlatEdit.h"
#include "forms/controls/OptionButton.h"
#include "main/AppIcons.h"
#include "runtime/DataFolder.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "users/MainWindowLink.h"
#include "users/ViewHelpers.h"
#include "users/frmDBEdit.h"
#include "users/frmDBPflege.h"

namespace qvadmin {

namespace {

constexpr int32_t kHelpContext = 1090;
constexpr const char* kCheckEntry = "Please check your entry.";
void TellTitleTaken() {
  ShowMsgEx("The title of this Memo database already exists.\r\rPlease enter a different title.", vbExclamation,
            kCheckEntry);
}

// A user list entry: the ID after 70 blanks, or 66 after "Fullname (login)".
std::string UserEntry(const std::string& id, const std::string& login, const std::string& fullname) {
  return OwnerEntry(id, login, fullname, OwnerShowsLogin(login, fullname) ? 66 : 70);
}

const AdminFormRegistration registration{"wizNewDB", [] { return wizNewDB::Default(); }};

}  // namespace

wizNewDB::wizNewDB() : Form("wizNewDB") {
  SetDesignFile(rt::DataFile("qvadmin/wizNewDB.frm"));
  SetHelpContextID(kHelpContext);
  OnControlEvent("cmdWiz", "Click", [this](int16_t i, com::Args&) { ButtonClick(i); });
  OnControlEvent("cmdHelp", "Click", [this](int16_t, com::Args&) { ShowHelp(HelpContextID(), "Main"); });
  for (const char* list : {"cboErsteller", "cboOwner"}) {
    OnControlEvent(list, "Click", [this, list](int16_t, com::Args&) {
      auto combo = Get<forms::ComboBox>(list);
      combo->SetTag(OwnerEntryID(combo->Text()));
    });
  }
  OnControlEvent("optDBTyp", "Click", [this](int16_t i, com::Args&) { TypeChosen(i); });
  OnControlEvent("txtDBName", "Change", [this](int16_t, com::Args&) {
    Control("cmdWiz", 2)->SetEnabled(!rt::Trim(Get<forms::FlatEdit>("txtDBName")->Text()).empty());
  });
  for (const char* field : {"txtPWD", "txtPWDWdh"}) {
    OnControlEvent(field, "LostFocus", [this, field](int16_t, com::Args&) {
      auto edit = Get<forms::FlatEdit>(field);
      edit->SetText(rt::Trim(edit->Text()));
    });
  }
  OnControlEvent("chkInfo", "Click", [this](int16_t, com::Args&) {
    rt::ResumeNext([&] { WriteRegValue("MsgAgainInfoNewDB", Get<forms::CheckBox>("chkInfo")->Value(), true); });
    rt::Err().Clear();
  });
}

std::shared_ptr<wizNewDB> wizNewDB::Default() {
  static const std::shared_ptr<wizNewDB> instance = std::make_shared<wizNewDB>();
  return instance;
}

void wizNewDB::ShowWizard() { Show(forms::vbModal, DialogOwner()); }

int32_t wizNewDB::Page() const { return Get<forms::TabControl>("tabWiz")->SelectedItem() + 1; }

bool wizNewDB::Personal() const { return Get<forms::OptionButton>("optDBTyp", 1)->Value(); }

std::string wizNewDB::DecidingUser() const {
  return Get<forms::ComboBox>(Personal() ? "cboOwner" : "cboErsteller")->Tag();
}

void wizNewDB::Form_Load() {
  ApplyStyle(this, 0);
  RestoreFormPlacement(*this, true, false);
  m_newDbId = 0;
  m_created = false;
  m_refreshed = false;
  Get<forms::Image>("imgWiz")->SetPicture(DrawAppIcon("DBAdd", 64));
  auto picOK = Control("picOK");
  auto picErr = Control("PicErr");
  picOK->SetVisible(false);
  picErr->SetVisible(false);
  // Either result picture shows beside the result line.
  picErr->Move(picOK->Left(), picOK->Top());
  Get<forms::Label>("lblErr")->SetCaption("");
  m_fromDbView = ActiveViewName() == "frmDBPflege";
  Get<forms::OptionButton>("optDBTyp", 0)->SetValue(true);
  TypeChosen(0);
  if (m_fromDbView && frmDBPflege::Default()->SelectedNodeIndex() == 3) {
    Get<forms::OptionButton>("optDBTyp", 1)->SetValue(true);
    TypeChosen(1);
  }
  Get<forms::FlatEdit>("txtDBName")->SetText("New Memo database");

  auto creators = Get<forms::ComboBox>("cboErsteller");
  auto owners = Get<forms::ComboBox>("cboOwner");
  rt::OnErrorGoTo(
      [&] {
        ado::Recordset rs =
            MainConnection().Execute("SELECT ID,WinUsr,Fullname FROM Benutzer WHERE Aktiv OR ID=? ORDER BY WinUsr",
                                     {CurrentUserID.empty() ? rt::Variant::Null() : rt::Variant(CurrentUserID)});
        for (; !rs.Eof(); rs.MoveNext()) {
          const std::string id = ItemText(rs(0).Value());
          const std::string entry = UserEntry(id, ItemText(rs(1).Value()), ItemText(rs(2).Value()));
          creators->AddItem(entry);
          owners->AddItem(entry);
          if (id == CurrentUserID) {
            creators->SetListIndex(creators->ListCount() - 1);
            owners->SetListIndex(owners->ListCount() - 1);
          }
        }
      },
      [](const rt::Error&) { ErrorReport("wizNewDB"); });
  rt::Err().Clear();

  const bool showInfo = ReadRegValue("MsgAgainInfoNewDB", 1) != "0";
  Get<forms::CheckBox>("chkInfo")->SetValue(showInfo ? 1 : 0);
  Get<forms::TabControl>("tabWiz")->SetSelectedItem(0);
  if (!showInfo) ButtonClick(2);
}

void wizNewDB::Form_KeyDown(int16_t& keyCode, int16_t) { HelpOnF1(*this, keyCode); }

void wizNewDB::Form_QueryUnload(int16_t&, int16_t) {
  // Closing after a creation, by Close or by the close box, shows the new
  // database in the view that the wizard was opened from.
  if (m_created && m_fromDbView && !m_refreshed) {
    m_refreshed = true;
    RefreshDatabaseView(m_newDbId);
  }
}

void wizNewDB::TypeChosen(int16_t index) {
  rt::ResumeNext([&] {
    const bool publicDb = index == 0;
    Control("lblInf", 10)->SetEnabled(publicDb);
    Control("cboErsteller")->SetEnabled(publicDb);
    Control("lblInf", 9)->SetEnabled(!publicDb);
    Control("cboOwner")->SetEnabled(!publicDb);
    SetFocusTo(*Control(publicDb ? "cboErsteller" : "cboOwner"));
  });
  rt::Err().Clear();
}

void wizNewDB::ButtonClick(int16_t index) {
  int32_t page = Page();
  switch (index) {
    case 0:
      Unload();
      return;
    case 1:
      --page;
      Control("cmdWiz", 2)->SetEnabled(true);
      Tail(page);
      return;
    case 2: {
      for (const char* field : {"txtDBName", "txtPWD"}) {
        auto edit = Get<forms::FlatEdit>(field);
        edit->SetText(rt::Trim(edit->Text()));
      }
      if (page == 3 && !CheckNamePage()) return;
      Tail(page + 1);
      return;
    }
    default:
      break;
  }
  auto finish = Control("cmdWiz", 3);
  if (finish->Get("Caption").ToString() == "&Close") {
    if (m_fromDbView) {
      m_refreshed = true;
      RefreshDatabaseView(m_newDbId);
    }
    Unload();
    return;
  }
  const Creation outcome = CreateMemoDatabase();
  if (outcome == Creation::TitleTaken) {
    // Another administrator created a database of this title meanwhile:
    // told as on the title page, which the wizard goes back to.
    TellTitleTaken();
    Control("cmdWiz", 2)->SetEnabled(true);
    Tail(3);
    return;
  }
  finish->Let("Caption", "&Close");
  Control("cmdWiz", 0)->SetEnabled(false);
  Control("cmdWiz", 1)->SetEnabled(false);
  auto frame = Get<kvctl2::KVXFrame>("fraTop", 2);
  auto result = Get<forms::Label>("lblInf", 6);
  if (outcome == Creation::Created) {
    frame->SetCaption("Finished.");
    Control("picOK")->SetVisible(true);
    result->SetCaption("The new Memo database was created successfully.");
  } else {
    rt::ResumeNext([&] { frame->Let("CaptionFontColor", static_cast<int32_t>(0xC0)); });
    rt::Err().Clear();
    Control("PicErr")->SetVisible(true);
    frame->SetCaption("Error on creating a new Memo database!");
    result->SetCaption("The Memo database could not be created!");
  }
  result->Move(645, 510);
}

bool wizNewDB::CheckNamePage() {
  const std::string password = Get<forms::FlatEdit>("txtPWD")->Text();
  if (password != Get<forms::FlatEdit>("txtPWDWdh")->Text()) {
    ShowMsgEx("The two entered passwords are not identical.", vbExclamation, kCheckEntry);
    return false;
  }
  if (!CheckScramblable(password, "password")) return false;
  bool exists = false;
  const bool ok = rt::OnErrorGoTo([&] { exists = TitleTaken(); }, [](const rt::Error&) { ErrorReport("wizNewDB"); });
  rt::Err().Clear();
  if (!ok) return false;
  if (exists) {
    TellTitleTaken();
    return false;
  }
  return true;
}

// The title is unique among the public databases, or among the personal
// databases of one owner; the comparison follows the server's collation.
bool wizNewDB::TitleTaken() const {
  const std::string title = Get<forms::FlatEdit>("txtDBName")->Text();
  ado::Recordset rs =
      Personal() ? MainConnection().Execute("SELECT Bez FROM DBList WHERE Bez=? AND Privat AND OwnerID=?",
                                            {rt::Variant(title), rt::Variant(DecidingUser())})
                 : MainConnection().Execute("SELECT Bez FROM DBList WHERE Bez=? AND NOT Privat", {rt::Variant(title)});
  return !rs.Eof();
}

void wizNewDB::Tail(int32_t page) {
  auto tabs = Get<forms::TabControl>("tabWiz");
  tabs->SetSelectedItem(page - 1);
  Control("cmdWiz", 1)->SetEnabled(page >= 2);
  Control("cmdWiz", 3)->SetEnabled(page == tabs->ItemCount());
  if (page == tabs->ItemCount()) {
    Control("cmdWiz", 2)->SetEnabled(false);
    Get<forms::Label>("lblAssist", 0)->SetCaption("Title: '" + Get<forms::FlatEdit>("txtDBName")->Text() + "'");
    const int16_t type = SelectedOptionIndex(ControlArray("optDBTyp"));
    std::string kind = type >= 0 ? Control("optDBTyp", type)->Get("Caption").ToString() : std::string();
    if (Personal()) kind += ", Owner: '" + rt::Trim(GetToken(Get<forms::ComboBox>("cboOwner")->Text(), 1, "|")) + "'";
    Get<forms::Label>("lblAssist", 1)->SetCaption(kind);
    Get<forms::Label>("lblAssist", 2)
        ->SetCaption(std::string("Password Protection: ") +
                     (Get<forms::FlatEdit>("txtPWD")->Text().empty() ? "<NO>" : "<YES>"));
  }
  rt::ResumeNext([&] {
    if (page == 3) {
      auto name = Get<forms::FlatEdit>("txtDBName");
      SetFocusTo(*name);
      name->SetSelStart(0);
      name->SetSelLength(255);
    } else {
      SetFocusTo(*tabs);
    }
  });
  rt::Err().Clear();
}

wizNewDB::Creation wizNewDB::CreateMemoDatabase() {
  bool taken = false;
  const bool created = rt::OnErrorGoTo(
      [&] {
        const bool personal = Personal();
        const std::string decider = DecidingUser();
        const std::string description = Get<forms::FlatEdit>("txtDBInf")->Text();
        int32_t id = 0;
        // The row (whose insert trigger builds the tables) and its grants
        // land together or not at all.
        RunInTransaction(MainConnection(), [&] {
          // Creations take turns here, so that the title checked now stays
          // free until this one is committed: a second wizard waits, then
          // finds the first one's database.
          ExecuteNoRecords(kMemoCreationLock);
          if (TitleTaken()) {
            taken = true;
            return;
          }
          ado::Recordset rs = MainConnection().Execute(
              "INSERT INTO DBList (Bez, MInf, OwnerID, PWD, Privat) VALUES (?,?,?,?,?) RETURNING ID",
              {rt::Variant(Get<forms::FlatEdit>("txtDBName")->Text()),
               description.empty() ? rt::Variant::Null() : rt::Variant(description),
               personal ? rt::Variant(decider) : rt::Variant::Null(),
               rt::Variant(ScrambleText(Get<forms::FlatEdit>("txtPWD")->Text(), kMemoPasswordKey)),
               rt::Variant(personal)});
          id = rs.Fields(0).Value().ToLong();
          rs.Close();
          ExecuteNoRecords(
              "INSERT INTO DBList_Gruppen (DBListID,GrpID) SELECT ?,GrpID FROM Benutzer_Gruppen WHERE UserID=?",
              {rt::Variant(id), decider.empty() ? rt::Variant::Null() : rt::Variant(decider)});
        });
        if (taken) return;
        m_newDbId = id;
        m_created = true;
      },
      [&](const rt::Error& e) {
        m_created = true;
        Get<forms::Label>("lblErr")->SetCaption("Error #" + std::to_string(e.Number()) + "\r\n" + e.Description());
      });
  rt::Err().Clear();
  if (taken) return Creation::TitleTaken;
  return created ? Creation::Created : Creation::Failed;
}

}  // namespace qvadmin
