// frmUpdates: the update assistant's one window. A borderless window with
// the header fraHead (dragging it moves the window), the link menu
// hovAktion(0-6) on the left panel panInf, the browser brw that shows the
// local and the server's pages, the status label and list, the progress
// bar and the buttons on the bottom panel panBottom, and the message box
// control msg. Its working part (the update check, the download, the log)
// is the UpdateAssistant it owns; the window gives it its controls through
// UpdateWindow.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "UpdateAssistant.h"
#include "UpdateWindow.h"
#include "cAnimControl.h"
#include "forms/Form.h"

namespace forms {
class WebBrowser;
}

namespace verscout {

class frmUpdates : public forms::Form, public UpdateWindow {
 public:
  frmUpdates();
  ~frmUpdates() override;

  // The window of this process, made on first use (not loaded).
  static std::shared_ptr<frmUpdates> Default();

  // The update check; loads the window first when it is not loaded.
  void UpdateSuche();

  // The working part while the window is loaded; null otherwise.
  const std::shared_ptr<UpdateAssistant>& Assistant() const { return m_assistant; }
  std::shared_ptr<forms::WebBrowser> brw() const;

  // One shell file operation on this window: Mode is the shell's function
  // (1 move, 2 copy, 3 delete, 4 rename), Source and Dest the paths (several
  // separated by NUL). Undo is always allowed (a delete goes to the trash);
  // with Abfrage the user is asked before anything is replaced or deleted;
  // Sichtbar asks for a progress window. True when the operation succeeded;
  // an error is told in a message ("Copy error #n at update.") and gives
  // False.
  bool FileOperation(int32_t Mode, const std::string& Source, const std::string& Dest, bool Abfrage, bool Sichtbar);

  // Handlers, public so that tests can play the user.
  void hovAktion_Click(int16_t Index);
  void cmdDoUpdate_Click();
  void cmdClose_Click();
  void fraHead_MouseMove(int16_t Button);

  // UpdateWindow.
  void SetStatusText(const std::string& text) override;
  void SetStatusColor(uint32_t color) override;
  void SetStatusBold(bool bold) override;
  void SetStatusTop(int32_t top) override;
  void AddStatusLine(const std::string& text) override;
  void ClearStatusList() override;
  void SetStatusListColor(uint32_t color) override;
  void MoveStatusList(int32_t left, int32_t top, int32_t width, int32_t height) override;
  void ShowProgressBar(bool visible) override;
  void ProgressUpdateTo(int32_t percent) override;
  void ProgressReset() override;
  void ShowFileLabel(bool visible) override;
  void SetFileLabel(const std::string& text) override;
  void Navigate(const std::string& address) override;
  void ShowBrowser(bool visible) override;
  void ShowPageAboveStatus() override;
  void ShowFileAnimation(bool visible) override;
  void EnableLink(int index) override;
  void EnableDoUpdate(bool enabled) override;
  void ShowDoUpdate(bool visible) override;
  void EnableClose(bool enabled) override;
  void Beep() override;
  int32_t MsgBoxEx(const std::string& prompt, int32_t buttons, const std::string& title) override;
  bool SetTopMost(int16_t topMost, bool activate) override;
  void Unload() override;

 protected:
  void Form_Load() override;
  void Form_KeyDown(int16_t& KeyCode, int16_t Shift) override;
  void Form_QueryUnload(int16_t& Cancel, int16_t UnloadMode) override;

 private:
  void SetCaptions();
  void Layout();
  // The browser over the whole area on the right, or above the status area.
  void PlaceBrowser(bool whole);
  // Browser events.
  void SetBodyScroll();
  void brw_DownloadComplete();
  void brw_NavigateComplete2(const std::string& URL);
  // The link whose index hovAktion(0).Tag holds.
  void EnableTaggedLink();
  com::ControlPtr Link(int index) const { return Control("hovAktion", static_cast<int16_t>(index)); }

  std::shared_ptr<UpdateAssistant> m_assistant;
  std::unique_ptr<cAnimControl> m_animation;
};

// The design data of the window, beside its source.
std::string UpdatesDesignFile();

}  // namespace verscout
