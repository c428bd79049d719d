// frmMsgBoxIe: the message window that MsgBoxEx lays out and shows. It
// closes through a result button, Escape (when the call has an escape
// result) or the auto-close countdown; the wait countdown keeps its buttons
// disabled until it ends. Copy puts the message on the clipboard (and, with
// automatic mail, opens a mail message), the details button opens and
// closes the details pane below the buttons, and links of the pane open
// with the shell.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Timer.h"

namespace kvctl2 {

class frmMsgBoxIe : public forms::Form {
 public:
  frmMsgBoxIe();

  // The controls (the window must be loaded).
  std::shared_ptr<forms::Label> lblMsg() const { return Get<forms::Label>("lblMsg"); }
  std::shared_ptr<forms::Image> ImIco() const { return Get<forms::Image>("ImIco"); }
  std::shared_ptr<forms::CommandButton> cmdSys(int16_t index) const {
    return Get<forms::CommandButton>("cmdSys", index);
  }
  std::shared_ptr<forms::CommandButton> cmdDetail() const { return Get<forms::CommandButton>("cmdDetail"); }
  std::shared_ptr<forms::CommandButton> cmdCopier() const { return Get<forms::CommandButton>("cmdCopier"); }
  std::shared_ptr<forms::CheckBox> chkMsg() const { return Get<forms::CheckBox>("chkMsg"); }
  // The details pane: an HTML view (Text, RawText, HyperlinkClick).
  com::ControlPtr txtDetail() const { return Control("txtDetail"); }
  std::shared_ptr<forms::Timer> Timer1() const { return Get<forms::Timer>("Timer1"); }


 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyUp(int16_t& keyCode, int16_t shift) override;
  void Form_QueryUnload(int16_t& cancel, int16_t unloadMode) override;
  void Form_Unload(int16_t& cancel) override;
  void Form_Paint() override;

 private:
  void chkMsg_Click();
  void cmdCopier_Click();
  void cmdDetail_Click();
  void cmdSys_Click(int16_t index);
  void Timer1_Timer();
  void txtDetail_HyperlinkClick(const std::string& sID, const std::string& href);
  void TrimSystemMenu();
  void SetTopMost(bool topMost);
  std::string CopyText() const;
  std::shared_ptr<forms::CommandButton> AutoButton() const;

  bool m_menuTrimmed = false;
};

// The window's design data, beside its source.
std::string MsgBoxDesignFile();

}  // namespace kvctl2
