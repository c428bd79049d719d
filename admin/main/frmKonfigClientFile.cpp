// The client configuration file QVClient.cfg, written from the last page of
// the configuration view: the clients' access data as stored (scrambled),
// the installation's protection line, and the master database's DBID,
// three lines each ended by CR LF.
#include <string>

#include "core/AccessTriple.h"
#include "core/FileHandling.h"
#include "core/FormSettings.h"
#include "core/ScrambleKeys.h"
#include "core/Scrambler.h"
#include "core/SessionState.h"
#include "core/ShowMsgEx.h"
#include "core/TextHelpers.h"
#include "forms/Constants.h"
#include "forms/Label.h"
#include "main/frmKonfig.h"
#include "main/frmMDI.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "services/OpenSaveDLG.h"

namespace qvadmin {

namespace {

constexpr const char* kWritingError = "Writing Error!";

// The folder the dialog starts in: the one last used; where that is gone
// the user's home folder (here what the drive root was for the program).
std::string StartFolder(const frmKonfig& view) {
  const std::string last = GetFormSetting(view, "LicPath", "K:\\").ToString();
  if (FolderExists(last)) return last;
  const char* home = std::getenv("HOME");
  return home && FolderExists(home) ? std::string(home) + "/" : std::string("/");
}

std::string FieldOrEmpty(const std::string& triple, uint8_t n) {
  const std::string value = GetToken(triple, n, "|");
  return value == kPipeEnd ? std::string() : value;
}

}  // namespace

void frmKonfig::MakeClientFile() {
  // Errors are ignored throughout.
  rt::ResumeNext([this] {
    kvctl2::OpenSaveDLG dialog;
    dialog.SetOwner(frmMDI::Default()->IsLoaded() ? frmMDI::Default().get() : nullptr);
    dialog.DialogTitle = "Save Client Configuration File";
    dialog.Filter = "*.cfg";
    dialog.FileName = "QVClient.cfg";
    dialog.InitDir = StartFolder(*this);
    const std::string path = dialog.ShowSave();
    if (path.empty()) return;

    ado::Recordset rs = MainConnection().Execute("SELECT WinAuth, PassProt, DBID FROM Konfig");
    auto field = [&](int32_t i) {
      const rt::Variant value = rs.Fields(i).Value();
      return value.IsNull() ? std::string() : value.ToString();
    };
    const std::string winAuth = field(0);
    const std::string text = winAuth + "\r\n" + field(1) + "\r\n" + field(2) + "\r\n";
    rs.Close();
    // The file holds one access triple a line: a scrambled one with a line
    // break in it (stored before such lines were refused) would be read as
    // two lines.
    const std::string triple = UnscrambleText(winAuth, kPasswordKey);
    if (winAuth.find_first_of("\r\n") != std::string::npos) {
      TellAccessLineBreak(triple, "The access data of the clients can't be written into the client configuration file.",
                          kWritingError);
      return;
    }
    const std::string user = FieldOrEmpty(triple, 2);
    std::string info = Get<forms::Label>("lblKonfigInfo")->Tag();
    info = rt::Replace(info, "@S", FieldOrEmpty(triple, 1));
    info = rt::Replace(info, "@L", user);
    info = rt::Replace(info, "@K", FieldOrEmpty(triple, 3));
    info = rt::Replace(info, "@V",
                       triple.empty() || user.empty() ? "Windows Authentication" : "SQL Server Authentication");
    Get<forms::Label>("lblKonfigInfo")->SetCaption(info);

    if (!WriteTextFile(path, text)) {
      ShowMsgEx("The configuration file could not be saved.", forms::vbExclamation, kWritingError);
      return;
    }
    SaveFormSetting(*this, "LicPath", FolderOfPath(path));
    const com::ControlPtr panel = Control("infKonfig");
    const com::ControlPtr label = Control("lblKonfigInfo");
    label->Move(label->Left() + Control("hovMakeL")->Left() - panel->Left());
    panel->Move(Control("hovMakeL")->Left());
    ShowClientFilePanel(true);
  });
  rt::Err().Clear();
}

void frmKonfig::ShowClientFilePanel(bool show) {
  Control("infKonfig")->SetVisible(show);
  Control("lblKonfigInfo")->SetVisible(show);
}

}  // namespace qvadmin
