// The program's message helper: every message of the administration
// program is shown through MsgBoxEx of the main window's message box
// control, centred on the main window. Also the wait-cursor switch.
#pragma once

#include <cstdint>
#include <string>

#include "com/StdPicture.h"

namespace qvadmin {

// Option flag of MsgBoxEx: centred on the form that holds the control.
inline constexpr int32_t exCenterOwner = 16;

// The title that shows the delete picture of the main window's image list.
inline constexpr const char* kDeleteConfirmationTitle = "Confirmation for deletion is required.";

// Shows a message through the main window's `msg` control and returns the
// standard result code (0 when it could not be shown). Details get "<br>"
// for each line break; the prompt is passed unchanged. The mouse pointer
// is the default while the message is open and restored afterwards.
int32_t ShowMsgEx(const std::string& prompt, int32_t buttons = 0, const std::string& title = "App.title",
                  const std::string& helpFile = "", int32_t context = 0, int32_t options = 0,
                  const std::string& details = "", bool detailsCopySendButton = false,
                  com::StdPicturePtr icon = nullptr);

// Hourglass (pointer 11) when on, the default pointer (0) when off.
void SetHourglass(bool on);

}  // namespace qvadmin
