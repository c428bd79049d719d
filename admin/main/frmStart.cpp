#include "main/frmStart.h"

#include <algorithm>
#include <vector>

#include "core/AdminForms.h"
#include "core/CurrentUser.h"
#include "core/DockedViews.h"
#include "core/HelpSystem.h"
#include "core/MasterDatabase.h"
#include "core/SessionState.h"
#include "core/ShowMsgEx.h"
#include "display/KVXInfoPanelLight.h"
#include "display/KVXLineHover.h"
#include "forms/Constants.h"
#include "forms/Image.h"
#include "main/AppIcons.h"
#include "main/frmMDI.h"
#include "runtime/DataFolder.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "shell/ShellExecute.h"
#include "win/Window.h"

namespace qvadmin {

namespace {

const AdminFormRegistration registration{"frmStart", [] { return frmStart::Default(); }};

constexpr const char* kMakerSite = "https://www.kelvaro.de/";

// Message box styles of the check: system modal with an icon, and the
// question with No as the default.
constexpr int32_t kSystemModal = 4096;
constexpr int32_t kAskConvert = kSystemModal | forms::vbYesNo | forms::vbQuestion | 256;

// The pictures of the links, by link name and index.
struct LinkIcon {
  const char* link;
  int16_t index;
  const char* picture;
};
constexpr LinkIcon kLinkIcons[] = {
    {"hovDB", 0, "DBAdd"},        {"hovDB", 1, "Database"},    {"hovVerwalt", 0, "UserImport"},
    {"hovVerwalt", 1, "UserGrp"}, {"hovVerwalt", 2, "Konfig"}, {"hovRessource", -1, "Web"},
};

// A view or dialog that the program may lack (it registers itself by
// name): nullptr after telling the user.
forms::FormPtr FormOrTell(const std::string& name) {
  forms::FormPtr form = AdminForm(name);
  if (!form) ShowMsgEx("This part of the administration is not available.", forms::vbExclamation, name);
  return form;
}

}  // namespace

frmStart::frmStart() : forms::Form("frmStart") {
  SetDesignFile(rt::DataFile("qvadmin/frmStart.frm"));
  for (const char* link : {"hovDB", "hovVerwalt", "hovRessource"}) {
    OnControlEvent(link, "Click", [this, link](int16_t index, com::Args&) { LinkClicked(link, index); });
  }
}

std::shared_ptr<frmStart> frmStart::Default() {
  static const std::shared_ptr<frmStart> instance = std::make_shared<frmStart>();
  return instance;
}

void frmStart::Form_Load() {
  rt::ResumeNext([this] {
    for (const LinkIcon& icon : kLinkIcons) {
      auto link = Get<kvctl2::KVXLineHover>(icon.link, icon.index);
      link->SetIcon(DrawAppIcon(icon.picture, 16));
    }
    Get<forms::Image>("imgLogoEN")->SetPicture(DrawProductBanner());
    Get<forms::Image>("imgLogo")->SetPicture(DrawProductBanner());
    Get<kvctl2::KVXInfoPanelLight>("panProfTxt")->SetPictureProperty(DrawAppIcon("Info", 16));
  });
  // Until a connect has checked the master database nothing can be opened.
  SetControlsEnabled(false);
  rt::Err().Clear();
}

void frmStart::Form_Resize() {
  rt::ResumeNext([this] {
    const com::ControlPtr frame = Control("fraStart");
    const int32_t left = std::clamp(ScaleWidth() - frame->Width(), 180, 4620);
    const int32_t top = std::clamp(ScaleHeight() - frame->Height(), 1290, 1860);
    frame->Move(left, top);
    const com::ControlPtr head = Control("fraHead");
    head->Move(0, 0, ScaleWidth(), head->Height());
  });
  rt::Err().Clear();
}

void frmStart::Form_KeyDown(int16_t& keyCode, int16_t) {
  if (keyCode != forms::vbKeyF1) return;
  keyCode = 0;
  ShowHelp(HelpContextID(), "Main");
}

void frmStart::LinkClicked(const std::string& link, int16_t index) {
  const std::shared_ptr<frmMDI> main = frmMDI::Default();
  // A view docks in the main window; a dialog shows modally over it.
  auto dock = [](const char* name) {
    if (forms::FormPtr view = FormOrTell(name)) ShowDockedForm(view);
  };
  auto dialog = [&](const char* name) {
    if (forms::FormPtr form = FormOrTell(name)) form->Show(forms::vbModal, main.get());
  };
  if (link == "hovDB" && index == 0) {
    dialog("wizNewDB");
  } else if (link == "hovDB" && index == 1) {
    dock("frmDBPflege");
  } else if (link == "hovVerwalt" && index == 0) {
    dialog("frmAddWinUsr");
  } else if (link == "hovVerwalt" && index == 1) {
    dock("frmUser");
  } else if (link == "hovVerwalt" && index == 2) {
    dock("frmKonfig");
  } else if (link == "hovRessource") {
    shell::ShellExecuteA(win::ToInt(main->IsLoaded() ? main->hWnd() : win::kNoWindow), "Open", kMakerSite, "", "",
                         win::SW_SHOWNORMAL);
  }
}

bool frmStart::LinksEnabled() const { return IsLoaded() && HasControl("hovDB", 0) && Control("hovDB", 0)->Enabled(); }

void frmStart::SetControlsEnabled(bool enabled) {
  for (const com::ControlPtr& control : Controls()) {
    // Each control's own Enabled, so that a link draws itself anew; a
    // control without the property is passed over.
    rt::ResumeNext([&] { control->Let("Enabled", enabled); });
  }
  rt::Err().Clear();
}

void frmStart::IsEnabled(bool& Enable) {
  if (Enable && CurrentUserID.empty()) {
    if (!CheckBuild()) {
      Enable = false;
      return;
    }
    CurrentUserID = EnsureCurrentUser();
    Enable = !CurrentUserID.empty();
  }
  SetControlsEnabled(Enable);
  const std::shared_ptr<frmMDI> main = frmMDI::Default();
  if (main->IsLoaded()) {
    main->ToolButtonErlauben("DBConnect", !Enable);
    main->ToolButtonErlauben("DBDisconnect", Enable);
  }
  DockedViewsFollowConnection(Enable);
}

bool frmStart::CheckBuild() {
  // The build is read as a byte; a value that is no byte is an overflow.
  int32_t build = 0;
  const bool read = rt::ResumeNext([&] {
    ado::Recordset rs = MainConnection().Execute("SELECT Build FROM Konfig");
    if (rs.Eof()) rt::Raise(3021, "frmStart", "The configuration row of the main database is missing.");
    const rt::Variant value = rs.Fields(0).Value();
    if (value.IsNull()) rt::Raise(94, "frmStart", "The build of the main database is not set.");
    build = value.ToLong();
    if (build < 0 || build > 255) rt::Raise(6, "frmStart", "Overflow");
  });
  const rt::Error error = rt::Err().Current();
  rt::Err().Clear();

  if (!read || build < 100) {
    std::string text = error.Description();
    // Missing rights: the server's own words, or the layer's number for
    // them.
    if (rt::Right(text, 7) == "denied." || error.Number() == ado::errPermissionDenied) {
      text = std::string("You do not have the necessary SELECT permissions for '") + kMasterDatabase + "' database.";
    } else if (read) {
      text = "The main database has a format that this version does not know (build " + std::to_string(build) + ").";
    }
    ShowMsgEx(text, kSystemModal | forms::vbExclamation, "Error: " + std::to_string(error.Number()));
    return false;
  }
  if (build > kCurrentBuild) {
    ShowMsgEx("The database was created in a newer version of Quorvelle created.", kSystemModal | forms::vbExclamation,
              "Invalid database format!");
    return false;
  }
  if (build == kCurrentBuild) {
    // The build alone does not make the database whole: every object of
    // it must be there. A catalogue that can't be read says nothing.
    std::vector<std::string> missing;
    rt::ResumeNext([&] { missing = MissingMasterObjects(); });
    rt::Err().Clear();
    if (missing.empty()) return true;
    ShowIncompleteMasterDatabase(missing);
    return false;
  }

  const std::string db = kMasterDatabase;
  const int32_t answer = ShowMsgEx(
      "The SQL database '" + db + "' was created by a former version of Quorvelle.\r\r" +
          "Would you like to convert it to the current format?\r\r" +
          "Important: If you choose Yes, the Quorvelle Version may not be opened by an older version again.\r" +
          "Before continuing, we recommend you to create a backup of your database '" + db +
          "' apply on the SQL server.",
      kAskConvert, "Invalid database format!");
  if (answer != forms::vbYes) {
    const std::shared_ptr<frmMDI> main = frmMDI::Default();
    if (main->IsLoaded()) {
      main->ToolButtonErlauben("DBConnect", false);
      main->ToolButtonErlauben("DBDisconnect", false);
    }
    return false;
  }
  ShowMsgEx(
      "The conversion process may take a few minutes, depending on amount of data.\r\r"
      "Please cancel the operation and click on OK now.",
      forms::vbInformation, "For your information!");
  if (!ConvertDatabase(static_cast<uint8_t>(build))) {
    ShowMsgEx("The conversion could not be executed.", kSystemModal | forms::vbCritical, "Error during conversion.");
    return false;
  }
  ShowMsgEx("The conversion could be completed successfully.", kSystemModal | forms::vbInformation,
            "Conversion successful!");
  return true;
}

}  // namespace qvadmin
