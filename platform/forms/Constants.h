// Constants of forms, message boxes and keys, with the runtime's values.
#pragma once

#include <cstdint>

namespace forms {

// Show styles.
inline constexpr int16_t vbModeless = 0;
inline constexpr int16_t vbModal = 1;

// Unload modes passed to QueryUnload.
inline constexpr int16_t vbFormControlMenu = 0;
inline constexpr int16_t vbFormCode = 1;
inline constexpr int16_t vbAppWindows = 2;
inline constexpr int16_t vbAppTaskManager = 3;
inline constexpr int16_t vbFormMDIForm = 4;
inline constexpr int16_t vbFormOwner = 5;

// Border styles.
inline constexpr int16_t vbBSNone = 0;
inline constexpr int16_t vbFixedSingle = 1;
inline constexpr int16_t vbSizable = 2;
inline constexpr int16_t vbFixedDialog = 3;
inline constexpr int16_t vbFixedToolWindow = 4;
inline constexpr int16_t vbSizableToolWindow = 5;

// Window states.
inline constexpr int16_t vbNormal = 0;
inline constexpr int16_t vbMinimized = 1;
inline constexpr int16_t vbMaximized = 2;

// Start-up positions.
inline constexpr int16_t vbStartUpManual = 0;
inline constexpr int16_t vbStartUpOwner = 1;
inline constexpr int16_t vbStartUpScreen = 2;
inline constexpr int16_t vbStartUpWindowsDefault = 3;

// Message box styles.
inline constexpr int32_t vbOKOnly = 0;
inline constexpr int32_t vbOKCancel = 1;
inline constexpr int32_t vbAbortRetryIgnore = 2;
inline constexpr int32_t vbYesNoCancel = 3;
inline constexpr int32_t vbYesNo = 4;
inline constexpr int32_t vbRetryCancel = 5;
inline constexpr int32_t vbCritical = 16;
inline constexpr int32_t vbQuestion = 32;
inline constexpr int32_t vbExclamation = 48;
inline constexpr int32_t vbInformation = 64;
inline constexpr int32_t vbDefaultButton1 = 0;
inline constexpr int32_t vbDefaultButton2 = 256;
inline constexpr int32_t vbDefaultButton3 = 512;
inline constexpr int32_t vbDefaultButton4 = 768;
inline constexpr int32_t vbApplicationModal = 0;
inline constexpr int32_t vbSystemModal = 4096;
inline constexpr int32_t vbMsgBoxHelpButton = 16384;
inline constexpr int32_t vbMsgBoxSetForeground = 65536;
inline constexpr int32_t vbMsgBoxRight = 524288;
inline constexpr int32_t vbMsgBoxRtlReading = 1048576;

// Message box results.
inline constexpr int32_t vbOK = 1;
inline constexpr int32_t vbCancel = 2;
inline constexpr int32_t vbAbort = 3;
inline constexpr int32_t vbRetry = 4;
inline constexpr int32_t vbIgnore = 5;
inline constexpr int32_t vbYes = 6;
inline constexpr int32_t vbNo = 7;

// Key codes.
inline constexpr int16_t vbKeyBack = 8;
inline constexpr int16_t vbKeyTab = 9;
inline constexpr int16_t vbKeyReturn = 13;
inline constexpr int16_t vbKeyShift = 16;
inline constexpr int16_t vbKeyControl = 17;
inline constexpr int16_t vbKeyEscape = 27;
inline constexpr int16_t vbKeySpace = 32;
inline constexpr int16_t vbKeyF1 = 112;

// Check box values.
inline constexpr int16_t vbUnchecked = 0;
inline constexpr int16_t vbChecked = 1;
inline constexpr int16_t vbGrayed = 2;

// Alignment of labels and text.
inline constexpr int16_t vbLeftJustify = 0;
inline constexpr int16_t vbRightJustify = 1;
inline constexpr int16_t vbCenter = 2;

// BackStyle.
inline constexpr int16_t vbTransparent = 0;
inline constexpr int16_t vbOpaque = 1;

// Mouse pointers.
inline constexpr int16_t vbDefault = 0;
inline constexpr int16_t vbHourglass = 11;

}  // namespace forms
