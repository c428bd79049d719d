#include "frmUpdates.h"

#include "Global.h"
#include "StatusLines.h"
#include "core/FormHelpers.h"
#include "forms/CommandButton.h"
#include "forms/Constants.h"
#include "forms/ControlPainter.h"
#include "forms/Label.h"
#include "forms/MsgBox.h"
#include "forms/Screen.h"
#include "forms/controls/WebBrowser.h"
#include "forms/lists/ListBox.h"
#include "msgbox/Msg.h"
#include "msgbox/MsgIcons.h"
#include "runtime/DataFolder.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "shell/FileOperation.h"
#include "win/MessageQueue.h"
#include "win/Metrics.h"
#include "win/Window.h"

namespace verscout {

namespace {

// Dispatch ids of the library's controls, called late-bound.
constexpr com::DispId kLinkCaption = 0x68030007;
constexpr com::DispId kLinkEnabled = 0x68030009;
constexpr com::DispId kFrameCaption = 0x6803000F;
constexpr com::DispId kFrameCaptionHeight = 0x68030012;
constexpr com::DispId kProgressUpdateTo = 0x6003000B;
constexpr com::DispId kProgressReset = 0x60030004;
constexpr com::DispId kMsgBoxEx = 0x60030085;

// Where the page ends (twips) when the status label and list show below it.
constexpr int32_t kPageAboveStatusBottom = 3240;

// The title of a message about a failed file operation.
std::string CopyErrorTitle(int32_t number) {
  const std::string text = std::to_string(number);
  return IsEnglish ? "Copy error #" + text + " at update." : "Kopierfehler " + text + " bei Update.";
}

// What a failed file operation says, in the assistant's language.
std::string FileFailureText(const shell::FileFailure& failure) {
  if (IsEnglish) return failure.text;
  const char* reason = "Der Dateisystem-Vorgang ist fehlgeschlagen.";
  switch (failure.reason) {
    case shell::ERROR_FILE_NOT_FOUND:
      reason = "Die Datei oder der Ordner wurde nicht gefunden.";
      break;
    case shell::ERROR_ACCESS_DENIED:
      reason = "Zugriff verweigert.";
      break;
    case shell::ERROR_DISK_FULL:
      reason = "Auf dem Datenträger ist nicht genügend Speicherplatz.";
      break;
    case shell::ERROR_ALREADY_EXISTS:
      reason = "Eine Datei oder ein Ordner mit diesem Namen existiert bereits.";
      break;
    case shell::DE_DESTSUBTREE:
      reason = "Der Zielordner ist ein Unterordner des Quellordners.";
      break;
    default:
      break;
  }
  return failure.path.empty() ? std::string(reason) : "'" + failure.path + "': " + reason;
}

// A question of a file operation, in the assistant's language.
std::string FileQuestionText(const shell::FileQuestion& question) {
  if (IsEnglish) return question.text;
  const std::string count = std::to_string(question.count);
  switch (question.kind) {
    case shell::FileQuestionKind::Replace:
      return "Möchten Sie die Datei '" + question.path + "' ersetzen?";
    case shell::FileQuestionKind::Delete:
      return "Möchten Sie '" + question.path + "' endgültig löschen?";
    case shell::FileQuestionKind::DeleteItems:
      return "Möchten Sie diese " + count + " Elemente endgültig löschen?";
    case shell::FileQuestionKind::Trash:
      return "Möchten Sie '" + question.path + "' in den Papierkorb verschieben?";
    case shell::FileQuestionKind::TrashItems:
      return "Möchten Sie diese " + count + " Elemente in den Papierkorb verschieben?";
  }
  return question.text;
}

void LetById(const com::ControlPtr& control, com::DispId id, rt::Variant value) {
  com::Args args{std::move(value)};
  control->Invoke(id, com::CallKind::PropertyLet, args);
}

rt::Variant CallById(const com::ControlPtr& control, com::DispId id, com::Args args = {}) {
  return control->Invoke(id, com::CallKind::Method, args);
}

// The texts an error page of the browser holds.
constexpr const char* kErrorPageMarks[] = {"ErrorPageTemplate", "Server not found", "Server nicht gefunden",
                                           "Webseite kann nicht angezeigt werden", "cannot display the webpage"};

}  // namespace

std::string UpdatesDesignFile() { return rt::DataFile("verscout/frmUpdates.frm"); }

frmUpdates::frmUpdates() : Form("frmUpdates") {
  SetDesignFile(UpdatesDesignFile());
  OnControlEvent("hovAktion", "Click", [this](int16_t index, com::Args&) { hovAktion_Click(index); });
  OnControlEvent("cmdDoUpdate", "Click", [this](int16_t, com::Args&) { cmdDoUpdate_Click(); });
  OnControlEvent("cmdClose", "Click", [this](int16_t, com::Args&) { cmdClose_Click(); });
  OnControlEvent("fraHead", "MouseMove", [this](int16_t, com::Args& args) {
    fraHead_MouseMove(com::OptionalArg(args, 0).ToInteger());
  });
  // Each browser event first lets the page scroll as it needs.
  OnControlEvent("brw", "BeforeNavigate2", [this](int16_t, com::Args&) { SetBodyScroll(); });
  OnControlEvent("brw", "CommandStateChange", [this](int16_t, com::Args&) { SetBodyScroll(); });
  OnControlEvent("brw", "DownloadComplete", [this](int16_t, com::Args&) {
    SetBodyScroll();
    brw_DownloadComplete();
  });
  OnControlEvent("brw", "NavigateComplete2", [this](int16_t, com::Args& args) {
    SetBodyScroll();
    brw_NavigateComplete2(com::OptionalArg(args, 1).ToString());
  });
}

frmUpdates::~frmUpdates() = default;

std::shared_ptr<frmUpdates> frmUpdates::Default() {
  static const std::shared_ptr<frmUpdates> form = std::make_shared<frmUpdates>();
  return form;
}

std::shared_ptr<forms::WebBrowser> frmUpdates::brw() const { return Get<forms::WebBrowser>("brw"); }

void frmUpdates::UpdateSuche() {
  if (!IsLoaded()) Load();
  if (const std::shared_ptr<UpdateAssistant> assistant = m_assistant) assistant->UpdateSuche();
}

void frmUpdates::Form_Load() {
  m_assistant = std::make_shared<UpdateAssistant>(*this);
  // Large fonts: a taller header.
  rt::ResumeNext([&] {
    if (forms::Screen::TwipsPerPixelY() < 15) LetById(Control("fraHead"), kFrameCaptionHeight, int16_t{12});
  });
  SetCaptions();
  Layout();
  rt::ResumeNext([&] { brw()->Navigate(PagePrefix + m_assistant->CurrentPage); });
  // Every message box shows the icon its style names.
  rt::ResumeNext([&] { kvctl2::UseStandardMsgIcons(*Get<kvctl2::Msg>("msg")); });
  // Addresses, mouse hook, download object, log, local version.
  if (!m_assistant->Load()) return;
  rt::ResumeNext([&] {
    Control("picFileAnim")->Move(90, 60);
    m_animation = std::make_unique<cAnimControl>();
    m_animation->Filename(ProgramFolder() + "/res/livupd");
    m_animation->AutoPlay(true);
    m_animation->Transparent(true);
    m_animation->Owner(Control("picFileAnim"));
  });
  rt::Err().Clear();
}

void frmUpdates::SetCaptions() {
  if (!IsEnglish) return;
  rt::ResumeNext([&] {
    Control("picLogoUS")->Move(Control("picLogo")->Left(), Control("picLogo")->Top());
    Control("picLogoUS")->SetVisible(true);
    Control("picLogo")->SetVisible(false);
  });
  rt::ResumeNext([&] { LetById(Control("fraHead"), kFrameCaption, "Online Update Assistant     "); });
  rt::ResumeNext([&] { Get<forms::Label>("lblInfo", 10)->SetCaption("Help"); });
  const char* links[] = {"Welcome", "News & Information", "Available Updates", "FAQs",
                         "Information", "Support", "Update History"};
  for (int i = 0; i < 7; ++i) rt::ResumeNext([&] { LetById(Link(i), kLinkCaption, links[i]); });
  rt::ResumeNext([&] {
    Get<forms::Label>("lblStatus")->SetCaption("Please wait...");
    Get<forms::Label>("lblDatei")->SetCaption("Please wait...");
    Get<forms::Label>("lblTotal_OLD")->SetCaption("Update in Progress...");
    Get<forms::CommandButton>("cmdDoUpdate")->SetCaption("&Update now");
    Get<forms::CommandButton>("cmdClose")->SetCaption("Clo&se");
  });
}

void frmUpdates::Layout() {
  rt::ResumeNext([&] {
    const int32_t tppY = forms::Screen::TwipsPerPixelY();
    const com::ControlPtr head = Control("fraHead");
    const com::ControlPtr inf = Control("panInf");
    const int32_t width = head->Left() + head->Width() + (Width() - ScaleWidth());
    const int32_t height = inf->Top() + inf->Height() + (Height() - ScaleHeight()) - tppY;
    Move((forms::Screen::Width() - width) / 2, (forms::Screen::Height() - height) / 2, width, height);
  });
  PlaceBrowser(true);
}

void frmUpdates::PlaceBrowser(bool whole) {
  rt::ResumeNext([&] {
    const int32_t tppX = forms::Screen::TwipsPerPixelX();
    const int32_t tppY = forms::Screen::TwipsPerPixelY();
    const com::ControlPtr inf = Control("panInf");
    const int32_t top = inf->Top() - 2 * tppY;
    const int32_t bottom = whole ? Control("panBottom")->Top() + 2 * tppY : kPageAboveStatusBottom;
    brw()->Move(inf->Width() - 3 * tppX, top, Width() - inf->Width() + 3 * tppX, bottom - top);
  });
}

void frmUpdates::Form_KeyDown(int16_t& KeyCode, int16_t /*Shift*/) {
  const com::ControlPtr active = ActiveControl();
  if (active && active == Control("brw")) {
    rt::ResumeNext([&] { SetFocusTo(*Control("picLogo")); });
    KeyCode = 0;
  }
}

void frmUpdates::Form_QueryUnload(int16_t& /*Cancel*/, int16_t /*UnloadMode*/) {
  // The routines still on the stack keep the working part alive; they see
  // that the window is closing and unwind.
  const std::shared_ptr<UpdateAssistant> assistant = std::move(m_assistant);
  m_animation.reset();
  if (assistant) assistant->QueryUnload();
}

void frmUpdates::fraHead_MouseMove(int16_t Button) { qvadmin::DragForm(*this, Button); }

bool frmUpdates::FileOperation(int32_t Mode, const std::string& Source, const std::string& Dest, bool Abfrage,
                               bool Sichtbar) {
  bool done = false;
  rt::OnErrorGoTo(
      [&] {
        shell::SHFILEOPSTRUCTA operation;
        operation.hwnd = win::ToInt(hWnd());
        operation.wFunc = static_cast<uint32_t>(Mode);
        operation.pFrom = Source + std::string(2, '\0');
        operation.pTo = Dest + std::string(2, '\0');
        operation.fFlags = shell::FOF_ALLOWUNDO;
        if (!Abfrage) operation.fFlags |= shell::FOF_NOCONFIRMATION;
        if (!Sichtbar) operation.fFlags |= shell::FOF_SILENT;
        operation.confirm = [](const shell::FileQuestion& question) {
          return forms::MsgBox(FileQuestionText(question), forms::vbYesNo | forms::vbQuestion, AssistantTitle()) ==
                         forms::vbYes
                     ? shell::FileAnswer::Yes
                     : shell::FileAnswer::No;
        };
        // The shell's own error box: the operation has no FOF_NOERRORUI.
        operation.report = [this](const shell::FileFailure& failure) {
          ShowMsgEx(FileFailureText(failure), forms::vbCritical | forms::vbSystemModal, CopyErrorTitle(failure.reason));
        };
        done = shell::SHFileOperationA(operation) == 0;
      },
      [&](const rt::Error& error) {
        ShowMsgEx(error.Description(), forms::vbCritical | forms::vbSystemModal, CopyErrorTitle(error.Number()));
        done = false;
      });
  rt::Err().Clear();
  return done;
}

void frmUpdates::cmdDoUpdate_Click() {
  if (const std::shared_ptr<UpdateAssistant> assistant = m_assistant) assistant->cmdDoUpdate_Click();
}

void frmUpdates::cmdClose_Click() {
  if (const std::shared_ptr<UpdateAssistant> assistant = m_assistant) assistant->cmdClose_Click();
}

void frmUpdates::hovAktion_Click(int16_t Index) {
  // A check never starts on the busy download object.
  if (Index == 2 && m_assistant && m_assistant->IsBusy()) return;
  rt::ResumeNext([&] {
    SetHourglass(true);
    LetById(Link(Index), kLinkEnabled, false);
    Link(0)->SetTag(std::to_string(Index));
  });
  const std::string page = PagePrefix;
  const std::string server = m_assistant ? m_assistant->PageURL : std::string();
  rt::ResumeNext([&] {
    switch (Index) {
      case 0:
        Navigate(page + (m_assistant ? m_assistant->CurrentPage : std::string("updwelcome")));
        EnableLink(2);
        break;
      case 1:
        ShowFileAnimation(true);
        Navigate(server + "idxNews.htm");
        EnableLink(2);
        break;
      case 2:
        ShowBrowser(false);
        Navigate("about:blank");
        ShowFileAnimation(true);
        SetStatusListColor(0x808080);
        ShowDoUpdate(false);
        ClearStatusList();
        UpdateSuche();
        break;
      case 4:
        Navigate(page + "updbeachten");
        break;
      case 5:
        Navigate(page + "updkontakt");
        break;
      case 6:
        Navigate(server + "idxHistory.htm");
        EnableLink(2);
        break;
      default:
        break;
    }
  });
  if (Index == 2 || !IsLoaded()) return;
  rt::ResumeNext([&] {
    ShowBrowser(true);
    SetFocusTo(*Control("brw"));
  });
  rt::Err().Clear();
}

void frmUpdates::SetBodyScroll() {
  rt::ResumeNext([&] { brw()->SetBodyAttribute("Scroll", "auto"); });
}

void frmUpdates::brw_DownloadComplete() {
  rt::ResumeNext([&] {
    if (Control("brw")->Visible() && brw()->LocationURL() != "about:blank") {
      ShowFileAnimation(false);
      SetHourglass(false);
    }
  });
}

void frmUpdates::EnableTaggedLink() {
  rt::ResumeNext([&] { EnableLink(static_cast<int>(Val(Link(0)->Tag()))); });
}

void frmUpdates::brw_NavigateComplete2(const std::string& URL) {
  if (!IsLoaded()) return;
  const std::shared_ptr<forms::WebBrowser> browser = brw();
  bool errorPage = false;
  for (const char* mark : kErrorPageMarks) {
    if (browser->DocumentHTML().find(mark) != std::string::npos) errorPage = true;
  }
  if (errorPage && FileExists(PagePrefix + "updGetErr")) {
    Navigate(PagePrefix + "updGetErr");
    EnableTaggedLink();
  } else if (errorPage) {
    rt::ResumeNext([&] { SetVisible(false); });
    ShowMsgEx(Text("The Online Update Wizard can not locate the lead page.",
                   "Der Online-Update-Assistent findet keine Leitseite."),
              forms::vbCritical | forms::vbSystemModal, Text("Exception error!", "Ausnahmefehler!"));
    Unload();
    return;
  } else if (rt::LCase(rt::Right(URL, 13)) == "updateyes.htm" && !IsSilent) {
    win::DoEvents();
    if (!IsLoaded()) return;
    rt::ResumeNext([&] {
      ShowBrowser(true);
      ShowDoUpdate(true);
      SetFocusTo(*Control("cmdDoUpdate"));
    });
  } else if (Link(0)->Tag() != "2") {
    EnableTaggedLink();
  }
  if (IsLoaded() && browser->LocationURL() != "about:blank") {
    ShowFileAnimation(false);
    SetHourglass(false);
  }
  rt::Err().Clear();
}

// UpdateWindow over the controls.

void frmUpdates::SetStatusText(const std::string& text) { Get<forms::Label>("lblStatus")->SetCaption(text); }
void frmUpdates::SetStatusColor(uint32_t color) { Get<forms::Label>("lblStatus")->SetForeColor(color); }
void frmUpdates::SetStatusBold(bool bold) { Get<forms::Label>("lblStatus")->Font()->SetBold(bold); }
void frmUpdates::SetStatusTop(int32_t top) { Control("lblStatus")->SetTop(top); }

void frmUpdates::AddStatusLine(const std::string& text) {
  const auto list = Get<forms::ListBox>("lstStat");
  // The room of an item's text: inside the sunken border, the padding of
  // the item and the vertical bar (counted always, so that lines do not
  // change when the bar appears).
  const int room = list->PixelWidth() - 4 - 5 - win::GetSystemMetrics(win::SM_CXVSCROLL);
  const com::StdFontPtr font = list->Font();
  const int32_t first = list->ListCount();
  for (const std::string& row : SplitToWidth(text, room, [&](std::string_view shown) {
         return static_cast<int>(forms::painter::MeasureText(shown, font, 0, false).cx);
       })) {
    list->AddItem(row);
  }
  // The whole line is selected, every row of it.
  list->SetListIndexRows(first, list->ListCount() - 1);
  list->Invalidate();
  win::UpdateWindow(hWnd());
}

void frmUpdates::ClearStatusList() { Control("lstStat")->Call("Clear"); }
void frmUpdates::SetStatusListColor(uint32_t color) {
  Control("lstStat")->Let("ForeColor", static_cast<int32_t>(color));
}
void frmUpdates::MoveStatusList(int32_t left, int32_t top, int32_t width, int32_t height) {
  Control("lstStat")->Move(left, top, width, height);
}
void frmUpdates::ShowProgressBar(bool visible) { Control("PBar")->SetVisible(visible); }
void frmUpdates::ProgressUpdateTo(int32_t percent) { CallById(Control("PBar"), kProgressUpdateTo, {percent}); }
void frmUpdates::ProgressReset() { CallById(Control("PBar"), kProgressReset); }
void frmUpdates::ShowFileLabel(bool visible) { Control("lblDatei")->SetVisible(visible); }
void frmUpdates::SetFileLabel(const std::string& text) { Get<forms::Label>("lblDatei")->SetCaption(text); }
void frmUpdates::Navigate(const std::string& address) { brw()->Navigate(address); }

void frmUpdates::ShowBrowser(bool visible) {
  if (visible) PlaceBrowser(true);
  Control("brw")->SetVisible(visible);
}

void frmUpdates::ShowPageAboveStatus() {
  PlaceBrowser(false);
  SetStatusTop(kPageAboveStatusBottom + 60);
  MoveStatusList(4080, kPageAboveStatusBottom + 540, 4965, 1740);
  ShowProgressBar(false);
  ShowFileLabel(false);
  Control("brw")->SetVisible(true);
}
void frmUpdates::ShowFileAnimation(bool visible) { Control("picFileAnim")->SetVisible(visible); }
void frmUpdates::EnableLink(int index) { LetById(Link(index), kLinkEnabled, true); }
void frmUpdates::EnableDoUpdate(bool enabled) { Control("cmdDoUpdate")->SetEnabled(enabled); }
void frmUpdates::ShowDoUpdate(bool visible) { Control("cmdDoUpdate")->SetVisible(visible); }
void frmUpdates::EnableClose(bool enabled) { Control("cmdClose")->SetEnabled(enabled); }

// The platform has no sound.
void frmUpdates::Beep() {}

int32_t frmUpdates::MsgBoxEx(const std::string& prompt, int32_t buttons, const std::string& title) {
  // Prompt, buttons, Title, HelpFile, Context, exOptions, Details, and no
  // picture as Icon.
  return CallById(Control("msg"), kMsgBoxEx, {prompt, buttons, title, "", 0, 0, "", false, com::Nothing()})
      .ToLong();
}

bool frmUpdates::SetTopMost(int16_t topMost, bool activate) {
  const win::HWND after = topMost == -1 ? win::HWND_TOPMOST : topMost == 0 ? win::HWND_NOTOPMOST : win::HWND_TOP;
  uint32_t flags = win::SWP_NOMOVE | win::SWP_NOSIZE;
  if (!activate) flags |= win::SWP_NOACTIVATE;
  return win::SetWindowPos(hWnd(), after, 0, 0, 0, 0, flags) != 0;
}

void frmUpdates::Unload() { forms::Form::Unload(); }

}  // namespace verscout
