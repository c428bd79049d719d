// MsgBoxEx: decodes the style and the options, lays out the message window
// from the look properties, shows it and returns its result.
#include <algorithm>

#include "forms/App.h"
#include "forms/ControlPainter.h"
#include "forms/Screen.h"
#include "forms/TitleRoom.h"
#include "gdi/Twips.h"
#include "msgbox/Msg.h"
#include "msgbox/MsgState.h"
#include "msgbox/frmMsgBoxIe.h"
#include "runtime/Strings.h"
#include "win/Menu.h"
#include "win/Window.h"

namespace kvctl2 {
namespace {

// The top-level form that shows `form`: itself, or the form it is docked in.
forms::Form* TopLevelFormOf(forms::Form* form) {
  const win::HWND root = win::GetAncestor(form->hWnd(), win::GA_ROOT);
  for (const auto& f : forms::Form::Forms()) {
    if (f->hWnd() == root) return f.get();
  }
  return form;
}

// The title that shows the delete picture.
constexpr const char* kDeleteTitle = "L\xc3\xb6schbest\xc3\xa4tigung erforderlich!";
constexpr int32_t kPane = 60;  // 4 pixels: the details pane's margin

// Takes `value` off `rest` when the rest holds it.
bool Take(int32_t& rest, int32_t value) {
  if (rest < value) return false;
  rest -= value;
  return true;
}

// Makes the control the first in tab order, moving those before it one
// place back, as setting TabIndex 0 does.
void MoveToTabFront(const frmMsgBoxIe& form, com::Control& control) {
  const int16_t old = control.TabIndex();
  for (const auto& other : form.Controls()) {
    if (other.get() != &control && other->TabIndex() < old) other->SetTabIndex(static_cast<int16_t>(other->TabIndex() + 1));
  }
  control.SetTabIndex(0);
}

// The width in twips of one line of the label's text.
int32_t LineWidth(const forms::Label& label, const std::string& line) {
  return gdi::PixelsToTwipsX(forms::painter::MeasureText(line, label.Font(), 0, label.UseMnemonic()).cx);
}

// Breaks the prompt in the label at blanks so that no line is wider than
// `maxWidth`: each word goes on the current line, followed by a blank,
// unless the line then grows wider, in which case the blank before the
// word becomes a line break. Only the line the word lands on counts, so a
// line break inside the prompt starts a fresh line and a word wider than
// `maxWidth` alone (never broken inside) widens only its own line.
void WrapPrompt(forms::Label& label, const std::string& prompt, int32_t maxWidth) {
  std::string caption;
  for (const auto& word : rt::Split(prompt, " ")) {
    const size_t lineStart = caption.find_last_of("\r\n");
    const std::string line = lineStart == std::string::npos ? caption : caption.substr(lineStart + 1);
    const size_t wordBreak = word.find_first_of("\r\n");
    // Up to the word's own line break, or with the blank that follows it.
    const std::string landed = line + (wordBreak == std::string::npos ? word + " " : word.substr(0, wordBreak));
    if (!rt::Trim(line).empty() && !word.empty() && LineWidth(label, landed) > maxWidth) {
      caption = rt::RTrim(caption) + "\r\n";
    }
    caption += word + " ";
  }
  label.SetCaption(caption);
}

// Puts the App.HelpFile back when the call replaced it, also when showing
// the window failed.
class HelpFileGuard {
 public:
  void Replace(const std::string& helpFile) {
    if (!m_replaced) m_saved = forms::App().HelpFile;
    m_replaced = true;
    forms::App().HelpFile = helpFile;
  }
  void Restore() {
    if (m_replaced) forms::App().HelpFile = m_saved;
    m_replaced = false;
  }
  ~HelpFileGuard() { Restore(); }

 private:
  bool m_replaced = false;
  std::string m_saved;
};

}  // namespace

int32_t Msg::MsgBoxEx(const std::string& Prompt, int32_t buttons, const std::string& TitleIn,
                      const std::string& HelpFile, int32_t Context, int32_t exOptions, const std::string& Details,
                      bool DetailsCopySendButton, com::StdPicturePtr Icon, bool UseCustomButtonText) {
  const MsgProperties& p = m_props;
  MsgState& state = MessageState();
  std::string Title = TitleIn;

  // Reset. A window still open from a modeless call keeps its own layout;
  // this call gets a window of its own.
  state.AutoClose = false;
  state.WaitTime = false;
  state.TopMost = false;
  state.Result = 0;
  state.AutoButton = 0;
  state.DisplayAgainFlag = true;
  const bool sendAuto = p.SendMethode == exSendAuto;
  const bool sendManual = p.SendMethode == exSendManual;
  if (!state.window || state.window->IsLoaded()) state.window = std::make_shared<frmMsgBoxIe>();
  const std::shared_ptr<frmMsgBoxIe> form = state.window;
  form->Load();
  auto label = form->lblMsg();
  auto image = form->ImIco();

  // Options.
  int32_t options = exOptions;
  if (Take(options, exAutoClose)) state.AutoClose = true;
  if (Take(options, exMsgBoxCenter)) label->SetAlignment(forms::vbCenter);
  const bool manualPos = Take(options, exManualPos);
  const bool centerOwner = Take(options, exCenterOwner);
  if (Take(options, exWaitTime)) state.WaitTime = true;
  const bool noModal = Take(options, exNoModal);
  const bool showCheck = Take(options, exShowCheck);

  // The OK button is always there.
  auto setButton = [&](int16_t index, const std::string& caption, const char* tag) {
    auto button = form->cmdSys(index);
    button->SetCaption(caption);
    button->SetTag(tag);
    button->SetVisible(true);
    if (index > 0) button->SetTabStop(true);
  };
  setButton(0, p.strOk, "1");
  MoveToTabFront(*form, *form->cmdSys(0));

  // Style: alignment, topmost, help button, default button, icon.
  int32_t rest = buttons;
  int32_t iconValue = 0;
  HelpFileGuard helpFile;
  Take(rest, 0x100000);
  if (Take(rest, forms::vbMsgBoxRight)) label->SetAlignment(forms::vbRightJustify);
  if (Take(rest, forms::vbMsgBoxSetForeground)) state.TopMost = true;
  if (Take(rest, forms::vbMsgBoxHelpButton)) {
    auto help = form->cmdSys(3);
    help->SetVisible(true);
    help->SetCaption(p.strHelp);
    // A tag that is no result code: the help button takes its place in
    // the button row but never ends the call.
    help->SetTag("0");
    help->SetTabStop(true);
    help->SetHelpContextID(Context);
    helpFile.Replace(HelpFile);
  }
  Take(rest, forms::vbSystemModal);
  int16_t defaultButton = 0;
  if (Take(rest, forms::vbDefaultButton4)) defaultButton = 3;
  if (Take(rest, forms::vbDefaultButton3)) defaultButton = 2;
  if (Take(rest, forms::vbDefaultButton2)) defaultButton = 1;
  auto showIcon = [&](const com::StdPicturePtr& picture, int32_t value) {
    image->SetPicture(picture);
    image->SetVisible(true);
    iconValue = value;
  };
  if (Take(rest, forms::vbInformation)) showIcon(p.pictures[kSlotInformation], forms::vbInformation);
  if (Take(rest, forms::vbExclamation)) showIcon(p.pictures[kSlotExclamation], forms::vbExclamation);
  if (Take(rest, forms::vbQuestion)) showIcon(p.pictures[kSlotQuestion], forms::vbQuestion);
  if (Take(rest, forms::vbCritical)) showIcon(p.pictures[kSlotCritical], forms::vbCritical);
  if (rest == 0) state.Result = forms::vbOK;

  // Button sets and the result of closing without a button.
  switch (rest) {
    case forms::vbOKCancel:
      setButton(1, p.strCancel, "2");
      state.Result = forms::vbCancel;
      break;
    case forms::vbAbortRetryIgnore:
      setButton(0, p.strAbord, "3");
      setButton(1, p.strRetry, "4");
      setButton(2, p.strIgnore, "5");
      break;
    case forms::vbYesNoCancel:
      setButton(0, p.strYes, "6");
      setButton(1, p.strNo, "7");
      setButton(2, p.strCancel, "2");
      state.Result = forms::vbCancel;
      break;
    case forms::vbYesNo:
      setButton(0, p.strYes, "6");
      setButton(1, p.strNo, "7");
      break;
    case forms::vbRetryCancel:
      setButton(0, p.strRetry, "4");
      setButton(1, p.strCancel, "2");
      state.Result = forms::vbCancel;
      break;
    default:
      break;
  }
  if (defaultButton > 0) {
    auto button = form->cmdSys(defaultButton);
    button->SetTabStop(true);
    MoveToTabFront(*form, *button);
  }
  for (int16_t i = 0; i <= 3; ++i) {
    auto button = form->cmdSys(i);
    button->SetDefault(button->Visible() && button->TabIndex() == 0);
  }

  // Icon: the delete picture for the delete title, an own icon above all.
  if (Title == kDeleteTitle) {
    const auto& picture = p.pictures[kSlotDelete];
    image->SetPicture(picture);
    if (picture && !picture->IsEmpty()) showIcon(picture, 1);
  }
  if (Icon) showIcon(Icon, 1);
  if (Title == kAppTitleDefault) Title = forms::App().Title;

  // Width of the text area: at least the narrowest window, wide enough for
  // the title, 6000 with details.
  int32_t textWidth = p.formMinWidth;
  label->SetCaption(Title);
  if (label->Width() + 900 > textWidth) textWidth = label->Width() + 900;
  if (!Details.empty() && textWidth < 6000) textWidth = 6000;

  // The prompt, wrapped at blanks when it is wider than the widest window.
  label->SetCaption(Prompt);
  if (label->Width() > p.formMaxWidth) WrapPrompt(*label, Prompt, p.formMaxWidth);
  if (label->Width() > textWidth) textWidth = label->Width();

  // Horizontal: icon, then the text.
  const int32_t iconWidth = image->Width();
  const int32_t iconHeight = image->Height();
  if (iconValue == 0) {
    label->SetLeft(p.spHleft);
  } else {
    image->SetLeft(p.spHleft);
    label->SetLeft(p.spHleft + iconWidth + p.spHicon_Label);
    textWidth += iconWidth + p.spHicon_Label;
  }

  // Button captions and width.
  int32_t buttonWidth = p.ButtonsWidth;
  if (UseCustomButtonText) {
    for (int16_t i = 0; i <= 3; ++i) {
      if (!p.TempButtonsText[static_cast<size_t>(i)].empty()) {
        form->cmdSys(i)->SetCaption(p.TempButtonsText[static_cast<size_t>(i)]);
      }
    }
    buttonWidth = p.TempButtonsWidth;
  }
  int32_t buttonsWidth = -p.spHbuttons;
  for (int16_t i = 0; i <= 3; ++i) {
    auto button = form->cmdSys(i);
    if (button->Tag().empty()) continue;
    button->Move(button->Left(), button->Top(), buttonWidth, p.ButtonsHeight);
    buttonsWidth += buttonWidth + p.spHbuttons;
  }

  // Window width from the wider of text and buttons.
  const int32_t frameWidth = form->Width() - form->ScaleWidth();
  if (buttonsWidth <= textWidth) {
    label->SetWidth(textWidth);
    form->SetWidth(frameWidth + textWidth + p.spHleft + p.spHrightLabel);
  } else {
    form->SetWidth(frameWidth + buttonsWidth + 2 * p.spHleftButtons);
    label->SetWidth(buttonsWidth);
  }
  // Wide enough for the whole title in the window manager's frame, which
  // would cut it in the middle.
  if (const int32_t titleWidth = forms::WidthForTitle(" " + Title, form->Font()) * forms::Screen::TwipsPerPixelX();
      form->ScaleWidth() < titleWidth) {
    const int32_t more = titleWidth - form->ScaleWidth();
    form->SetWidth(form->Width() + more);
    label->SetWidth(label->Width() + more);
  }
  if (iconValue != 0) label->SetWidth(label->Width() - (iconWidth + p.spHicon_Label));

  // Vertical: text and icon centred on each other.
  int32_t textHeight = label->Height();
  if (iconValue == 0) {
    label->SetTop(p.spVup);
  } else if (iconHeight > label->Height()) {
    textHeight = iconHeight;
    image->SetTop(p.spVup);
    label->SetTop((iconHeight - label->Height()) / 2 + p.spVup);
  } else {
    label->SetTop(p.spVup);
    image->SetTop((label->Height() - iconHeight) / 2 + p.spVup);
  }

  // The button row, right to left.
  int32_t x = form->Width() - 165 + forms::Screen::TwipsPerPixelX();
  const int32_t buttonTop = p.spVup + textHeight + p.spVmiddle;
  for (int16_t i = 3; i >= 0; --i) {
    auto button = form->cmdSys(i);
    if (button->Tag().empty()) continue;
    x -= button->Width() + p.spHbuttons;
    button->Move(x, buttonTop);
  }
  const int32_t frameHeight = form->Height() - form->ScaleHeight();
  form->SetHeight(buttonTop + form->cmdSys(0)->Height() + p.spVdown + frameHeight);
  form->SetCaption(" " + Title);

  // Details: the button at the bottom right.
  auto pane = form->txtDetail();
  if (!Details.empty()) {
    form->SetHeight(form->Height() + p.cmdMoreHeight + p.spVdownMore);
    auto more = form->cmdDetail();
    more->Move(form->ScaleWidth() - p.spHrightMore - p.cmdMoreWidth,
               form->ScaleHeight() - p.spVdownMore - p.cmdMoreHeight, p.cmdMoreWidth, p.cmdMoreHeight);
    more->SetCaption(p.strMoreOpen);
    more->SetTag(p.strMoreClose);
    more->SetVisible(true);
    pane->SetTag(p.strMoreOpen);
  }

  // The check box "don't show this message again", below everything else.
  if (showCheck) {
    form->SetHeight(form->Height() + p.CheckHeight + p.spVdownCheck);
    auto check = form->chkMsg();
    check->SetCaption(p.strCheck);
    check->Move(p.spHleftCheck, form->ScaleHeight() - p.spVdownCheck - p.CheckHeight, p.CheckWidth, p.CheckHeight);
    check->SetVisible(true);
  }

  // The details pane and the copy button lie below the visible area, so
  // opening the pane shows them under all the rest.
  if (!Details.empty()) {
    pane->Move(kPane, form->ScaleHeight() + kPane, form->ScaleWidth() - 2 * kPane, p.textMoreHeight);
    pane->Let("Text", Details);
    if (DetailsCopySendButton) {
      auto copier = form->cmdCopier();
      copier->Move(kPane, pane->Top() + pane->Height() + kPane, p.cmdSendWidth, p.cmdSendHeight);
      copier->SetCaption(sendManual || sendAuto ? p.strSend : p.strCopy);
      copier->SetTag(sendAuto ? p.strMailAdress : "");
      copier->SetVisible(true);
      if (sendAuto) {
        state.MailSubject = p.strMailSubject;
        state.MailBody = p.strMailBody;
      }
    }
  }

  // Position. The box belongs to the window that raised it: the window of
  // the active form (a dialog shown over the main window), else the form
  // the control sits on.
  forms::Form* owner = forms::Form::ActiveForm();
  if (owner) owner = TopLevelFormOf(owner);
  if (!owner || owner == form.get() || !owner->IsLoaded() || !owner->Visible())
    owner = dynamic_cast<forms::Form*>(Container());
  if (centerOwner && owner) {
    form->Move(owner->Left() + (owner->Width() - form->Width()) / 2,
               owner->Top() + (owner->Height() - form->Height()) / 2);
  } else if (manualPos) {
    form->Move(p.FormLeft, p.FormTop);
  } else {
    form->Move((forms::Screen::Width() - form->Width()) / 2, (forms::Screen::Height() - form->Height()) / 2);
  }

  // Countdowns.
  auto timer = form->Timer1();
  if (state.WaitTime) {
    state.Result = 0;
    timer->SetTag(std::to_string(p.DelaySec));
    timer->SetEnabled(true);
    for (int16_t i = 0; i <= 2; ++i) form->cmdSys(i)->SetEnabled(false);
    form->SetTag(form->Caption());
  }
  if (state.AutoClose) {
    // The default button of the box; a default that names a button the box
    // does not have (no result code) falls back to the first button, so the
    // countdown always presses a real button.
    int16_t autoButton = 0;
    for (int16_t i = 0; i <= 2; ++i) {
      auto button = form->cmdSys(i);
      if (button->TabIndex() != 0 || button->Tag().empty()) continue;
      autoButton = i;
      break;
    }
    auto button = form->cmdSys(autoButton);
    state.Result = rt::Variant(button->Tag()).ToLong();
    state.AutoButton = autoButton;
    form->SetTag(button->Caption());
    timer->SetTag(std::to_string(p.DelaySec));
    timer->SetEnabled(true);
  }

  // Show.
  state.CopyClicked = false;
  if (noModal) {
    form->Show(forms::vbModeless, owner);
    win::SetForegroundWindow(form->hWnd());
  } else {
    form->Show(forms::vbModal, owner);
  }

  // Afterwards.
  DisplayAgain = state.DisplayAgainFlag;
  const int32_t result = state.Result;
  if (state.CopyClicked && sendManual) {
    com::Args args{rt::Variant(Title), rt::Variant(Prompt), rt::Variant(Details)};
    RaiseEvent("SendClick", args);
  }
  helpFile.Restore();
  com::Args closedArgs{rt::Variant(Title)};
  RaiseEvent("Closed", closedArgs);
  return result;
}

}  // namespace kvctl2
