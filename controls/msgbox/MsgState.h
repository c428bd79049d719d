// The message state: what MsgBoxEx and its window share for one call (one
// record per user-interface thread).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kvctl2 {

class frmMsgBoxIe;

struct MsgState {
  // The result code MsgBoxEx returns; preset to what closing the window
  // without a button gives (0: only a button can close it).
  int32_t Result = 0;
  bool DisplayAgainFlag = true;
  bool CopyClicked = false;
  std::string MailSubject;
  std::string MailBody;
  bool TopMost = false;
  bool WaitTime = false;
  bool AutoClose = false;
  // The index of the button that the auto-close countdown presses.
  int32_t AutoButton = 0;
  // The window of the current call.
  std::shared_ptr<frmMsgBoxIe> window;
};

MsgState& MessageState();

}  // namespace kvctl2
