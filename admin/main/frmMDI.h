// frmMDI: the administration program's one top-level window. It holds the
// docking control `Dock` (menus, one tool bar per view, status bar, the
// document panes of the views), the message box control `msg` through
// which every message of the program is shown, and three image lists: the
// message icons ("MsgError", "MsgDelete"), the small pictures `ImageList`
// (by index: 1 an active user, 2 an inactive user, 3 a group; by key the
// tab and caption icons) and the caption icons `img24x24`. It turns tool
// clicks into commands: global ones it handles itself, list commands it
// calls by name on the active docked view.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "com/Control.h"
#include "com/StdPicture.h"
#include "forms/Form.h"
#include "runtime/Variant.h"

namespace forms {
class DockStudio;
}

namespace qvadmin {

class frmMDI : public forms::Form {
 public:
  frmMDI();

  // The program's main window (created on first use, not loaded).
  static std::shared_ptr<frmMDI> Default();

  // The message box control; raises 730 while the form is not loaded.
  com::ControlPtr msg() const { return Control("msg"); }
  // The docking control; raises 730 while the form is not loaded.
  std::shared_ptr<forms::DockStudio> Dock() const;
  // The picture of a message icon ("MsgError", "MsgDelete"); raises 35601
  // for an unknown key.
  com::StdPicturePtr ImagePicture(std::string_view key) const;
  // A picture of `ImageList` by 1-based index or key, and of `img24x24` by
  // key; raise 35600 / 35601 when there is none.
  com::StdPicturePtr ListPicture(const rt::Variant& indexOrKey) const;
  com::StdPicturePtr CaptionPicture(std::string_view key) const;

  // Enables or disables the tool `key`; a key without a tool does nothing.
  // Also callable by name.
  void ToolButtonErlauben(const std::string& key, bool erlaubt);

  // Hands the product's update over to the update assistant: checks the
  // configured update folder and the assistant's file, stores the folder
  // for it and starts it (frmMDIUpdate.cpp).
  void DoAutoUpdate();

  // The program is not connected (any more): the session's state is
  // cleared, the start page and the tools show it.
  void ShowDisconnected();

 protected:
  void Form_Load() override;
  void Form_Resize() override;
  void Form_KeyDown(int16_t& keyCode, int16_t shift) override;
  void Form_QueryUnload(int16_t& cancel, int16_t unloadMode) override;

 private:
  friend struct frmMDITestAccess;

  void FillImageLists();
  // The colour scheme chosen in the registry value "DesignStyle" (the
  // system's colours when none is), marked in its menu and applied.
  void ApplyStoredScheme();
  void SetToolIcons();
  void SetMessageCaptions();
  void SetMessageIcons();
  // The command of a clicked tool (frmMDICommands.cpp).
  void ToolClick(const std::string& key);
  // The connect at start (ForceLogin False) and by the command "DBConnect"
  // (True): from the stored login, or through the login dialog
  // (frmMDIConnect.cpp).
  void ConnectFromSettings(bool ForceLogin);
  // The tool bar follows the active docked view, and its caption goes to
  // the status bar.
  void ActivePaneChanged();
  // Help at the active docked view's help context.
  void ShowViewHelp();
};

}  // namespace qvadmin
