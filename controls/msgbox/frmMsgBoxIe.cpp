#include "msgbox/frmMsgBoxIe.h"

#include "forms/Clipboard.h"
#include "msgbox/MailTo.h"
#include "msgbox/MsgState.h"
#include "win/Menu.h"
#include "runtime/DataFolder.h"
#include "runtime/Date.h"
#include "runtime/Strings.h"
#include "shell/ShellExecute.h"
#include "win/Window.h"

namespace kvctl2 {
namespace {

constexpr const char* kCrLf = "\r\n";
// The body of an automatic mail when the look gives none.
constexpr const char* kDefaultMailIntro = "Bitte eine m\xc3\xb6glichst genaue Fehlerbeschreibung angeben:";

}  // namespace

std::string MsgBoxDesignFile() { return rt::DataFile("kvctl2/frmMsgBoxIe.frm"); }

frmMsgBoxIe::frmMsgBoxIe() : Form("frmMsgBoxIe") {
  SetDesignFile(MsgBoxDesignFile());
  OnControlEvent("chkMsg", "Click", [this](int16_t, com::Args&) { chkMsg_Click(); });
  OnControlEvent("cmdCopier", "Click", [this](int16_t, com::Args&) { cmdCopier_Click(); });
  OnControlEvent("cmdDetail", "Click", [this](int16_t, com::Args&) { cmdDetail_Click(); });
  OnControlEvent("cmdSys", "Click", [this](int16_t index, com::Args&) { cmdSys_Click(index); });
  OnControlEvent("Timer1", "Timer", [this](int16_t, com::Args&) { Timer1_Timer(); });
  OnControlEvent("txtDetail", "HyperlinkClick", [this](int16_t, com::Args& args) {
    txtDetail_HyperlinkClick(com::OptionalArg(args, 0).ToString(), com::OptionalArg(args, 1).ToString());
  });
}

void frmMsgBoxIe::Form_Load() { m_menuTrimmed = false; }

// Removes Close and the separator above it, so the window offers no Close
// command while only a button may end it. Done once per window: the menu
// keeps its trimmed state across activations.
void frmMsgBoxIe::TrimSystemMenu() {
  if (m_menuTrimmed) return;
  m_menuTrimmed = true;
  const win::HMENU menu = win::GetSystemMenu(hWnd(), win::FALSE);
  const int count = win::GetMenuItemCount(menu);
  if (count <= 0) return;
  win::RemoveMenu(menu, static_cast<uint32_t>(count - 1), win::MF_BYPOSITION);
  if (count >= 2) win::RemoveMenu(menu, static_cast<uint32_t>(count - 2), win::MF_BYPOSITION);
  win::DrawMenuBar(hWnd());
}

std::shared_ptr<forms::CommandButton> frmMsgBoxIe::AutoButton() const {
  return cmdSys(static_cast<int16_t>(MessageState().AutoButton));
}

void frmMsgBoxIe::Form_Activate() {
  rt::ResumeNext([&] {
    const MsgState& state = MessageState();
    if (state.Result == 0) TrimSystemMenu();
    // The countdown texts are built from the window's Tag (the caption or
    // the auto button's caption as laid out), so a second activation does
    // not append the count again.
    if (state.WaitTime) SetCaption(" " + rt::Trim(Tag()) + " " + Timer1()->Tag());
    if (state.AutoClose) AutoButton()->SetCaption(Tag() + " " + Timer1()->Tag());
    if (state.TopMost) SetTopMost(true);
  });
}

void frmMsgBoxIe::Form_KeyUp(int16_t& keyCode, int16_t) {
  rt::ResumeNext([&] {
    if (keyCode == forms::vbKeyEscape) Unload();
  });
}

void frmMsgBoxIe::Form_QueryUnload(int16_t& cancel, int16_t) {
  if (MessageState().Result == 0) cancel = 1;
}

void frmMsgBoxIe::Form_Unload(int16_t&) {
  Timer1()->SetEnabled(false);
}

void frmMsgBoxIe::Form_Paint() {
  rt::ResumeNext([&] {
    const auto& picture = Picture();
    if (!picture || picture->IsEmpty()) return;
    auto& surface = Surface();
    const int32_t stepX = 1800;
    const int32_t stepY = 1800;
    for (int32_t x = 20; x <= Width(); x += stepX) {
      for (int32_t y = 450; y <= Height(); y += stepY) {
        if (picture->Type() == com::vbPicTypeIcon) {
          surface.PaintPicture(picture->Icon(), x, y);
        } else {
          surface.PaintPicture(picture->Bitmap(), x, y);
        }
      }
    }
  });
}

void frmMsgBoxIe::chkMsg_Click() { MessageState().DisplayAgainFlag = chkMsg()->Value() != forms::vbChecked; }

std::string frmMsgBoxIe::CopyText() const {
  std::string details = txtDetail()->Get("RawText").ToString();
  details = rt::Replace(details, "<b>", "");
  details = rt::Replace(details, "</b>", "");
  const rt::DateValue now = rt::Now();
  return "!> " + rt::Trim(Caption()) + kCrLf + kCrLf + lblMsg()->Caption() + kCrLf + kCrLf + "<" +
         rt::ShortDateText(now) + "/" + rt::TimeText(now) + ">" + kCrLf + details;
}

void frmMsgBoxIe::cmdCopier_Click() {
  MsgState& state = MessageState();
  const std::string text = CopyText();
  forms::Clipboard::Clear();
  forms::Clipboard::SetText(text);
  const std::string address = cmdCopier()->Tag();
  if (!address.empty()) {
    if (!rt::Trim(state.MailBody).empty()) {
      SendMailTo(address, state.MailSubject, state.MailBody);
    } else {
      std::string body = kDefaultMailIntro;
      for (int i = 0; i < 7; ++i) body += kCrLf;
      body += std::string(67, '*') + kCrLf + text;
      SendMailTo(address, state.MailSubject, body);
    }
  }
  state.CopyClicked = true;
}

void frmMsgBoxIe::cmdDetail_Click() {
  auto pane = txtDetail();
  auto copier = cmdCopier();
  const int32_t delta = copier->Visible() ? pane->Height() + copier->Height() + 180 : pane->Height() + 120;
  auto button = cmdDetail();
  if (button->Caption() == pane->Tag()) {
    pane->SetVisible(true);
    SetHeight(Height() + delta);
    button->SetCaption(button->Tag());
  } else {
    SetHeight(Height() - delta);
    button->SetCaption(pane->Tag());
  }
}

void frmMsgBoxIe::cmdSys_Click(int16_t index) {
  rt::ResumeNext([&] {
    if (index == 3) {
      // The help key with the help button active: the help file opens at
      // the button's help context.
      SetFocusTo(*cmdSys(3));
      PressKey(forms::vbKeyF1);
      return;
    }
    MessageState().Result = rt::Variant(cmdSys(index)->Tag()).ToLong();
    Unload();
  });
}

void frmMsgBoxIe::Timer1_Timer() {
  const MsgState& state = MessageState();
  auto timer = Timer1();
  const int32_t remaining = rt::Variant(timer->Tag()).ToLong() - 1;
  timer->SetTag(std::to_string(remaining));
  if (state.WaitTime) {
    SetCaption(" " + Tag() + " " + timer->Tag());
    if (remaining <= 0) {
      timer->SetEnabled(false);
      for (int16_t i = 0; i <= 2; ++i) cmdSys(i)->SetEnabled(true);
      SetCaption(" " + Tag());
    }
  }
  if (state.AutoClose) {
    AutoButton()->SetCaption(Tag() + " " + timer->Tag());
    if (remaining <= 0) {
      timer->SetEnabled(false);
      Unload();
    }
  }
}

void frmMsgBoxIe::txtDetail_HyperlinkClick(const std::string&, const std::string& href) {
  // Shown normally: the handler's window must be visible to the user.
  rt::ResumeNext([&] { shell::ShellExecuteA(0, "open", href, "", "", win::SW_SHOWNORMAL); });
}

void frmMsgBoxIe::SetTopMost(bool topMost) {
  rt::ResumeNext([&] {
    win::SetWindowPos(hWnd(), topMost ? win::HWND_TOPMOST : win::HWND_NOTOPMOST, 0, 0, 0, 0,
                      win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_SHOWWINDOW | win::SWP_NOACTIVATE);
  });
}

}  // namespace kvctl2
