#include "main/frmKonfig.h"

#include <algorithm>
#include <array>

#include "core/AccessTriple.h"
#include "core/AdminForms.h"
#include "core/AppStyle.h"
#include "core/ErrorReport.h"
#include "core/FileHandling.h"
#include "core/HelpSystem.h"
#include "core/ScrambleKeys.h"
#include "core/Scrambler.h"
#include "core/SessionState.h"
#include "core/ShowMsgEx.h"
#include "core/TextHelpers.h"
#include "display/KVXFrame.h"
#include "display/KVXLineHover.h"
#include "forms/CheckBox.h"
#include "forms/Constants.h"
#include "forms/Label.h"
#include "forms/containers/Splitter.h"
#include "forms/containers/TabControl.h"
#include "forms/controls/FlatEdit.h"
#include "forms/controls/OptionButton.h"
#include "forms/lists/ImageList.h"
#include "forms/lists/ReportControl.h"
#include "forms/lists/TreeView.h"
#include "main/AppIcons.h"
#include "main/frmMDI.h"
#include "main/frmStart.h"
#include "runtime/DataFolder.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "services/BrowseFolderDLG.h"

namespace qvadmin {

namespace {

const AdminFormRegistration registration{"frmKonfig", [] { return frmKonfig::Default(); }};

constexpr const char* kCheckEntry = "Please check your entry.";
// The tree's nodes in order: key, text; the first is the root.
constexpr std::array<std::pair<const char*, const char*>, 6> kNodes{{
    {"base", "Configuration"},
    {"N1", "Clients"},
    {"N2", "SQL Server Access"},
    {"N3", "Document Archive"},
    {"N4", "Product Updates"},
    {"N5", "Client Configuration File"},
}};
constexpr int32_t kBandHeight = 420;

}  // namespace

frmKonfig::frmKonfig() : forms::Form("frmKonfig") {
  SetDesignFile(rt::DataFile("qvadmin/frmKonfig.frm"));
  DefineMethod("Aktualisieren", [this](com::Args&) {
    Aktualisieren();
    return rt::Variant();
  });
  DefineMethod("Speichern", [this](com::Args&) {
    Speichern();
    return rt::Variant();
  });
  OnControlEvent("treDB", "NodeClick", [this](int16_t, com::Args& args) {
    if (auto node = com::AsObject<forms::TreeNode>(com::RequiredArg(args, 0))) NodeClicked(*node);
  });
  OnControlEvent("splTap", "Resized", [this](int16_t, com::Args&) { LayoutPages(); });
  OnControlEvent("chkAutoReg", "Click", [this](int16_t, com::Args&) { SetFocusTo(*Control("tabTab")); });
  OnControlEvent("optAuth", "Click", [this](int16_t index, com::Args&) { AuthClicked(index); });
  OnControlEvent("cmdGetPfad", "Click", [this](int16_t index, com::Args&) { BrowseFolder("txtArchPath", index); });
  OnControlEvent("cmdGetUpdPfad", "Click", [this](int16_t index, com::Args&) { BrowseFolder("txtUpdPath", index); });
  OnControlEvent("hovCheckUpd", "Click", [](int16_t, com::Args&) { frmMDI::Default()->DoAutoUpdate(); });
  for (const char* part : {"infKonfig", "lblKonfigInfo"}) {
    OnControlEvent(part, "Click", [this](int16_t, com::Args&) { ShowClientFilePanel(false); });
  }
  OnControlEvent("hovCheckWaiseOrdner", "Click", [this](int16_t, com::Args&) { CheckArchiveFolders(); });
  OnControlEvent("cmdWaiseKill", "Click", [this](int16_t, com::Args&) { RemoveOldArchiveFolders(); });
  OnControlEvent("hovMakeL", "Click", [this](int16_t, com::Args&) { MakeClientFile(); });
}

std::shared_ptr<frmKonfig> frmKonfig::Default() {
  static const std::shared_ptr<frmKonfig> instance = std::make_shared<frmKonfig>();
  return instance;
}

void frmKonfig::Form_Load() {
  // Errors are ignored while the view loads.
  rt::ResumeNext([this] { ApplyStyle(this, 0); });
  rt::ResumeNext([this] {
    auto info = Get<forms::Label>("lblKonfigInfo");
    info->SetTag(info->Caption());
  });
  rt::ResumeNext([this] {
    auto images = Get<forms::ImageList>("imgTree");
    images->Add("Konfig", DrawAppIcon("Konfig", 16));
    images->Add("Folder", DrawAppIcon("Folder", 16));
    images->Add("FolderOpen", DrawAppIcon("FolderOpen", 16));
    auto tree = Get<forms::TreeView>("treDB");
    tree->SetImageList(images);
    tree->Add(rt::Variant(), forms::tvwLast, kNodes[0].first, kNodes[0].second, 1);
    for (size_t i = 1; i < kNodes.size(); ++i) {
      tree->Add(rt::Variant(kNodes[0].first), forms::tvwChild, kNodes[i].first, kNodes[i].second, 2, 3);
    }
    tree->Node(rt::Variant(kNodes[0].first))->SetExpanded(true);
  });
  rt::ResumeNext([this] {
    auto list = Get<forms::ReportControl>("rctWaise");
    list->AddColumn(0, "Archive Directory", 300, true);
    list->AddColumn(1, "Status", 60, false);
    list->SetNoItemsText("There are no document archives.");
  });
  rt::Err().Clear();
  SelectNode(2);
  Aktualisieren();
}

void frmKonfig::Form_Resize() {
  rt::ResumeNext([this] { Control("splTap")->Move(0, 0, ScaleWidth(), ScaleHeight()); });
  LayoutPages();
  rt::Err().Clear();
}

void frmKonfig::LayoutPages() {
  rt::ResumeNext([this] {
    forms::SplitterPane& pages = Get<forms::Splitter>("splTap")->Pane(1);
    Control("fraTop")->Move(pages.Left(), pages.Top(), pages.Width(), kBandHeight);
    Control("tabTab")->Move(pages.Left(), pages.Top() + kBandHeight, pages.Width(),
                            std::max(0, pages.Height() - kBandHeight));
  });
  rt::Err().Clear();
}

void frmKonfig::Form_KeyDown(int16_t& keyCode, int16_t) {
  if (keyCode != forms::vbKeyF1) return;
  keyCode = 0;
  ShowHelp(HelpContextID(), "Main");
}

void frmKonfig::SelectNode(int32_t index) {
  auto tree = Get<forms::TreeView>("treDB");
  forms::TreeNodePtr node = tree->Node(rt::Variant(index));
  tree->SetSelectedItem(node.get());
  NodeClicked(*node);
}

void frmKonfig::NodeClicked(forms::TreeNode& node) {
  if (!node.Parent()) {
    SelectNode(node.Index() + 1);
    return;
  }
  const int32_t index = node.Index();
  auto band = Get<kvctl2::KVXFrame>("fraTop");
  band->SetCaption(node.Text());
  rt::ResumeNext([&] {
    const std::shared_ptr<frmMDI> main = frmMDI::Default();
    switch (index) {
      case 2:
        band->SetCaptionIcon(frmStart::Default()->Get<kvctl2::KVXLineHover>("hovVerwalt", 2)->Icon());
        break;
      case 3:
        band->SetCaptionIcon(main->ListPicture("SQLSrv"));
        break;
      case 4:
        band->SetCaptionIcon(main->ListPicture("Archiv"));
        break;
      case 5:
        band->SetCaptionIcon(main->ListPicture("LivUpd"));
        break;
      case 6:
        ShowClientFilePanel(false);
        band->SetCaptionIcon(main->ListPicture("ClientFile"));
        break;
      default:
        break;
    }
  });
  rt::Err().Clear();
  if (index >= 2 && index <= 6) Get<forms::TabControl>("tabTab")->SetSelectedItem(index - 1);
}

std::string frmKonfig::Text(const char* box, int16_t index) const { return Get<forms::FlatEdit>(box, index)->Text(); }

void frmKonfig::SetText(const char* box, int16_t index, const std::string& text) {
  Get<forms::FlatEdit>(box, index)->SetText(text);
}

void frmKonfig::AuthClicked(int16_t index) {
  EnableAccessBoxes(index == 1);
  SetFocusTo(*Control(index == 1 ? "txtUID" : "tabTab"));
}

void frmKonfig::EnableAccessBoxes(bool sqlAuth) {
  for (const char* name : {"lblUID", "txtUID", "lblPWD", "txtPWD", "lblPWDWdh", "txtPWDWdh"}) {
    Control(name)->SetEnabled(sqlAuth);
  }
}

void frmKonfig::BrowseFolder(const char* box, int16_t index) {
  kvctl2::BrowseFolderDLG dialog;
  dialog.SetOwner(frmMDI::Default()->IsLoaded() ? frmMDI::Default().get() : nullptr);
  const std::string current = Text(box, index);
  const std::string chosen = dialog.BrowseFolder("Please select the directory:", current);
  SetText(box, index, chosen.empty() ? current : chosen);
  SetFocusTo(*Control(box, index));
}

std::string frmKonfig::PathWithSeparator(std::string& Path) {
  if (Path.find('\\') != std::string::npos || (Path.size() == 2 && Path[1] == ':')) {
    if (Path.back() != '\\') Path += '\\';
  } else if (Path.find('/') != std::string::npos) {
    if (Path.back() != '/') Path += '/';
  }
  return Path;
}

void frmKonfig::Aktualisieren() {
  rt::OnErrorGoTo(
      [this] {
        ShowArchiveList(false);
        ado::Recordset rs = MainConnection().Execute(
            "SELECT UsersAutoReg,WinAuth,ArchLocPath,ArchNetPath,UpdLocPath,UpdNetPath FROM Konfig");
        auto field = [&](int32_t i) {
          const rt::Variant value = rs.Fields(i).Value();
          return value.IsNull() ? std::string() : value.ToString();
        };
        const rt::Variant autoReg = rs.Fields(0).Value();
        Get<forms::CheckBox>("chkAutoReg")->SetValue(!autoReg.IsNull() && autoReg.ToBool() ? 1 : 0);
        const std::string access = UnscrambleText(field(1), kPasswordKey);
        const std::string user = GetToken(access, 2, "|");
        const bool sqlAuth = !access.empty() && !user.empty() && user != kPipeEnd;
        const std::string password = sqlAuth ? GetToken(access, 3, "|") : std::string();
        // Choosing the option that is chosen already clicks nothing: the
        // boxes follow the stored authentication here, and under Windows
        // authentication they hold nothing.
        Get<forms::OptionButton>("optAuth", sqlAuth ? 1 : 0)->SetValue(true);
        EnableAccessBoxes(sqlAuth);
        SetText("txtUID", -1, sqlAuth ? user : std::string());
        SetText("txtPWD", -1, password == kPipeEnd ? std::string() : password);
        SetText("txtPWDWdh", -1, Text("txtPWD"));
        SetText("txtArchPath", 0, field(2));
        SetText("txtArchPath", 1, field(3));
        SetText("txtUpdPath", 0, field(4));
        SetText("txtUpdPath", 1, field(5));
      },
      [](const rt::Error&) { ErrorReport("Refresh Configuration"); });
}

void frmKonfig::Speichern() {
  // The checks first: a failing one shows its page and writes nothing.
  auto refuse = [this](int32_t node, const std::string& text, const std::string& title) {
    if (node > 0) SelectNode(node);
    ShowMsgEx(text, forms::vbExclamation, title);
  };
  const bool sqlAuth = Get<forms::OptionButton>("optAuth", 1)->Value();
  if (sqlAuth && Text("txtPWDWdh") != Text("txtPWD")) {
    refuse(3, "The two entered passwords are not identical.", kCheckEntry);
    return;
  }
  std::string archive = Text("txtArchPath", 0);
  PathWithSeparator(archive);
  if (!archive.empty() && !FolderExists(archive)) {
    refuse(4, "The local path to the archive directory does not exist.", kCheckEntry);
    return;
  }
  std::string updates = Text("txtUpdPath", 0);
  PathWithSeparator(updates);
  if (!updates.empty()) {
    if (!FolderExists(updates)) {
      refuse(5, "The local path to the update list does not exist.", kCheckEntry);
      return;
    }
    if (!FolderExists(updates + "res")) MakePath(updates + "res");
    if (!FolderExists(updates + "res")) {
      refuse(0, "The Update folder could not be configured.\r\rFolder: " + updates,
             "Please check your writing permissions.");
      return;
    }
  }
  if (!sqlAuth) {
    for (const char* box : {"txtUID", "txtPWD", "txtPWDWdh"}) SetText(box, -1, "");
  }
  const std::string access = AccessTriple(SqlServer, Text("txtUID"), Text("txtPWD"));
  if (!CheckAccessLine(access, "The configuration was not saved.", kAccessDataTitle)) {
    SelectNode(3);
    return;
  }

  rt::OnErrorGoTo(
      [&] {
        std::string archiveNet = Text("txtArchPath", 1);
        std::string updatesNet = Text("txtUpdPath", 1);
        MainConnection().Execute(
            "UPDATE Konfig SET UsersAutoReg = ?, ArchLocPath = ?, ArchNetPath = ?, UpdLocPath = ?, UpdNetPath = ?, "
            "WinAuth = ?",
            {rt::Variant(Get<forms::CheckBox>("chkAutoReg")->Value() == 1), rt::Variant(archive),
             rt::Variant(PathWithSeparator(archiveNet)), rt::Variant(updates),
             rt::Variant(PathWithSeparator(updatesNet)), rt::Variant(ScrambleText(access, kPasswordKey))},
            nullptr, ado::adCmdText | ado::adExecuteNoRecords);
        ArchivePath = archive;
      },
      [](const rt::Error&) { ErrorReport("Save Configuration"); });
  rt::ResumeNext([this] { SetFocusTo(*Control("treDB")); });
  rt::Err().Clear();
}

}  // namespace qvadmin
