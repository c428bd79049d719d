// What the update check and the download do to the update window: the
// controls they touch (status label and list, progress bar and file label,
// browser, file animation, link menu, buttons, message box control) and
// the window itself (topmost band, unloading). The update window
// implements it with its controls; tests implement it with a recorder.
#pragma once

#include <cstdint>
#include <string>

namespace verscout {

class UpdateWindow {
 public:
  virtual ~UpdateWindow() = default;

  // lblStatus: caption, fore colour, bold, top (twips).
  virtual void SetStatusText(const std::string& text) = 0;
  virtual void SetStatusColor(uint32_t color) = 0;
  virtual void SetStatusBold(bool bold) = 0;
  virtual void SetStatusTop(int32_t top) = 0;

  // lstStat: AddStatusLine appends a line, selects it and repaints the list.
  virtual void AddStatusLine(const std::string& text) = 0;
  virtual void ClearStatusList() = 0;
  virtual void SetStatusListColor(uint32_t color) = 0;
  virtual void MoveStatusList(int32_t left, int32_t top, int32_t width, int32_t height) = 0;

  // PBar and lblDatei.
  virtual void ShowProgressBar(bool visible) = 0;
  virtual void ProgressUpdateTo(int32_t percent) = 0;
  virtual void ProgressReset() = 0;
  virtual void ShowFileLabel(bool visible) = 0;
  virtual void SetFileLabel(const std::string& text) = 0;

  // brw, picFileAnim, hovAktion(index), cmdDoUpdate, cmdClose.
  virtual void Navigate(const std::string& address) = 0;
  // Showing the browser gives its page the whole area on the right.
  virtual void ShowBrowser(bool visible) = 0;
  // Shows the page above the status label and list, so that the lines that
  // tell why a download failed stay in view; the progress bar and the file
  // label give way.
  virtual void ShowPageAboveStatus() = 0;
  virtual void ShowFileAnimation(bool visible) = 0;
  virtual void EnableLink(int index) = 0;
  virtual void EnableDoUpdate(bool enabled) = 0;
  virtual void ShowDoUpdate(bool visible) = 0;
  virtual void EnableClose(bool enabled) = 0;

  virtual void Beep() = 0;
  // MsgBoxEx of the window's message box control; the result code.
  virtual int32_t MsgBoxEx(const std::string& prompt, int32_t buttons, const std::string& title) = 0;
  // The window's place in the z-order (SetTopMost of the start module).
  virtual bool SetTopMost(int16_t topMost, bool activate) = 0;
  // Unloads the window; its QueryUnload runs the shut-down.
  virtual void Unload() = 0;
};

}  // namespace verscout
