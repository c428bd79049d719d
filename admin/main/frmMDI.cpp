#include "main/frmMDI.h"

#include <array>
#include <utility>

#include "core/AppStyle.h"
#include "core/DockedViews.h"
#include "core/HelpSystem.h"
#include "core/RegistrySettings.h"
#include "core/SessionState.h"
#include "forms/Screen.h"
#include "forms/docking/DockStudio.h"
#include "forms/lists/ImageList.h"
#include "main/AppIcons.h"
#include "main/MsgIcons.h"
#include "main/frmStart.h"
#include "main/kvsImg.h"
#include "msgbox/Msg.h"
#include "msgbox/MsgIcons.h"
#include "runtime/DataFolder.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace qvadmin {

namespace {

constexpr int32_t kMainWidth = 12945;
constexpr int32_t kMainHeight = 9210;

// The small pictures of `ImageList`, in their order (the first three are
// addressed by index: active user, inactive user, group).
constexpr std::array<std::pair<const char*, const char*>, 13> kListPictures{{
    {"UserAktiv", "UserAktiv"},
    {"UserInaktiv", "UserInaktiv"},
    {"Gruppe", "Gruppe"},
    {"UserCard", "UserCard"},
    {"UserGrp", "UserGrp"},
    {"DBEdit", "DBEdit"},
    {"Database", "Database"},
    {"SQLSrv", "SQLSrv"},
    {"Archiv", "Archiv"},
    {"LivUpd", "LivUpd"},
    {"Konfig", "Konfig"},
    {"ClientFile", "ClientFile"},
    {"Folder", "Folder"},
}};

// The caption icons of `img24x24`.
constexpr std::array<const char*, 4> kCaptionPictures{"UserDeakt", "Gruppe", "QVOeff", "QVPers"};

// Tool key -> picture.
constexpr std::array<std::pair<const char*, const char*>, 18> kToolIcons{{
    {"DBConnect", "Connect"},
    {"DBDisconnect", "Disconnect"},
    {"Go2Start", "Home"},
    {"ImpWinUser", "UserImport"},
    {"Beenden", "Exit"},
    {"AddUser", "UserAdd"},
    {"AddGrp", "GroupAdd"},
    {"AddDB", "DBAdd"},
    {"Delete", "Delete"},
    {"Eigenschaften", "Properties"},
    {"Refresh", "Refresh"},
    {"Save", "Save"},
    {"AutoUpdate", "Update"},
    {"Hilfe", "Help"},
    {"About", "Info"},
    {"Feedback", "Mail"},
    {"KelvaroOnline", "Web"},
    {"Farbstyle", "Konfig"},
}};

// Tools whose bar buttons show their caption beside the icon.
constexpr std::array<const char*, 5> kCaptionedTools{"Go2Start", "AddUser", "AddGrp", "AddDB", "Save"};

}  // namespace

frmMDI::frmMDI() : Form("frmMDI") {
  SetDesignFile(rt::DataFile("qvadmin/frmMDI.frm"));
  OnControlEvent("Dock", "ToolClick", [this](int16_t, com::Args& args) {
    auto tool = com::AsDispatch(com::RequiredArg(args, 0));
    if (tool) ToolClick(tool->Get("Key").ToString());
  });
  OnControlEvent("Dock", "ActivePaneChanged", [this](int16_t, com::Args&) { ActivePaneChanged(); });
  DefineMethod("ToolButtonErlauben", [this](com::Args& args) {
    ToolButtonErlauben(com::RequiredArg(args, 0).ToString(), com::RequiredArg(args, 1).ToBool());
    return rt::Variant();
  });
}

std::shared_ptr<frmMDI> frmMDI::Default() {
  static const std::shared_ptr<frmMDI> instance = std::make_shared<frmMDI>();
  return instance;
}

std::shared_ptr<forms::DockStudio> frmMDI::Dock() const { return Get<forms::DockStudio>("Dock"); }

com::StdPicturePtr frmMDI::ImagePicture(std::string_view key) const { return Get<kvsImg>("imgMsg")->Picture(key); }

com::StdPicturePtr frmMDI::ListPicture(const rt::Variant& indexOrKey) const {
  return Get<forms::ImageList>("ImageList")->Item(indexOrKey)->Picture();
}

com::StdPicturePtr frmMDI::CaptionPicture(std::string_view key) const {
  return Get<forms::ImageList>("img24x24")->Item(rt::Variant(std::string(key)))->Picture();
}

void frmMDI::ToolButtonErlauben(const std::string& key, bool erlaubt) {
  rt::ResumeNext([&] {
    if (auto tool = Dock()->FindTool(key)) tool->SetEnabled(erlaubt);
  });
  rt::Err().Clear();
}

void frmMDI::Form_Load() {
  // Errors are ignored step by step: the window opens whatever fails.
  rt::ResumeNext([this] {
    Move((forms::Screen::Width() - kMainWidth) / 2, (forms::Screen::Height() - kMainHeight) / 2, kMainWidth,
         kMainHeight);
  });
  rt::ResumeNext([this] { FillImageLists(); });
  rt::ResumeNext([this] {
    auto dock = Dock();
    dock->SetRedraw(false);
    StyleDockControl(*this, *dock);
    SetToolIcons();
    dock->SetRedraw(true);
  });
  rt::ResumeNext([] { ShowDockedForm(frmStart::Default()); });
  SetMessageCaptions();
  rt::ResumeNext([this] { SetMessageIcons(); });
  // A damaged or unusable settings file is told before the login asks for
  // what the settings may have lost.
  rt::ResumeNext(TellSettingsProblems);
  rt::ResumeNext([this] { ConnectFromSettings(false); });
  rt::ResumeNext([this] { ApplyStoredScheme(); });
  rt::Err().Clear();
}

void frmMDI::ApplyStoredScheme() {
  int32_t scheme = kSystemScheme;
  try {
    scheme = std::stoi(rt::Trim(ReadRegValue("DesignStyle", static_cast<int32_t>(kSystemScheme))));
  } catch (...) {
    scheme = kSystemScheme;
  }
  if (scheme < 0 || scheme > 255) scheme = kSystemScheme;
  if (auto tool = Dock()->FindTool("Farb" + std::to_string(scheme))) tool->SetChecked(true);
  ApplyStyle(nullptr, static_cast<uint8_t>(scheme));
}

void frmMDI::FillImageLists() {
  auto messages = Get<kvsImg>("imgMsg");
  messages->Add("MsgError", DrawMsgErrorPicture());
  messages->Add("MsgDelete", DrawMsgDeletePicture());
  auto small = Get<forms::ImageList>("ImageList");
  small->Clear();
  for (const auto& [key, picture] : kListPictures) small->Add(key, DrawAppIcon(picture, 16));
  auto large = Get<forms::ImageList>("img24x24");
  large->Clear();
  for (const char* key : kCaptionPictures) large->Add(key, DrawAppIcon(key, 24));
}

void frmMDI::SetToolIcons() {
  auto dock = Dock();
  for (const auto& [key, picture] : kToolIcons) {
    if (auto tool = dock->FindTool(key)) tool->SetIcon(DrawAppIcon(picture, 16));
  }
  for (const char* key : kCaptionedTools) {
    if (auto tool = dock->FindTool(key)) tool->SetShowCaption(true);
  }
}

void frmMDI::SetMessageCaptions() {
  static const std::array<std::pair<const char*, const char*>, 11> kCaptions{{
      {"strAbord", "&Abord"},
      {"strCancel", "Cancel"},
      {"strCheck", "Don't show this message again"},
      {"strCopy", "Copy this message to clipboard"},
      {"strDelText", "."},
      {"strHelp", "Help"},
      {"strIgnore", "&Ignore"},
      {"strNo", "&No"},
      {"strRetry", "&Retry"},
      {"strSend", "."},
      {"strYes", "&Yes"},
  }};
  for (const auto& [name, caption] : kCaptions) {
    rt::ResumeNext([this, name, caption] { msg()->Let(name, caption); });
  }
}

void frmMDI::SetMessageIcons() {
  // The pictures of the icons that a message's style names (critical,
  // question, exclamation, information).
  if (auto box = std::dynamic_pointer_cast<kvctl2::Msg>(msg())) kvctl2::UseStandardMsgIcons(*box);
}

void frmMDI::Form_Resize() {
  rt::ResumeNext([this] { Dock()->Move(0, 0, ScaleWidth(), ScaleHeight()); });
  rt::Err().Clear();
}

void frmMDI::Form_KeyDown(int16_t& keyCode, int16_t) {
  if (keyCode != forms::vbKeyF1) return;
  keyCode = 0;
  ShowViewHelp();
}

void frmMDI::ShowViewHelp() {
  int32_t context = 0;
  rt::ResumeNext([&] {
    if (forms::FormPtr view = ActiveDockedForm()) context = view->HelpContextID();
  });
  rt::Err().Clear();
  ShowHelp(context, "Main");
}

void frmMDI::ActivePaneChanged() {
  DockedViewActivated();
  rt::ResumeNext([this] {
    forms::FormPtr view = ActiveDockedForm();
    Dock()->Panel("StatForm")->SetText(view ? view->Caption() : std::string());
  });
  rt::Err().Clear();
}

void frmMDI::Form_QueryUnload(int16_t&, int16_t) {
  // Errors are ignored; unloading is never cancelled.
  for (const forms::FormPtr& form : forms::Form::Forms()) {
    if (form->Name() != "frmMDI") rt::ResumeNext([&] { form->Unload(); });
  }
  rt::ResumeNext([] {
    if (cnMain && cnMain->State() == ado::adStateOpen) cnMain->Close();
  });
  cnMain.reset();
  rt::Err().Clear();
}

}  // namespace qvadmin
