// The look of the message box: every caption, spacing, size, mail setting,
// position, picture and delay that MsgBoxEx reads, with one table that
// names each persisted property, its default and how it is stored.
// Spacings and sizes are twips.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "com/StdPicture.h"

namespace kvctl2 {

// Picture slots.
inline constexpr int kSlotCmdSend = 0;
inline constexpr int kSlotOk = 1;
inline constexpr int kSlotCancel = 2;
inline constexpr int kSlotAbort = 3;
inline constexpr int kSlotRetry = 4;
inline constexpr int kSlotIgnore = 5;
inline constexpr int kSlotYes = 6;
inline constexpr int kSlotNo = 7;
inline constexpr int kSlotCmdMore = 8;
inline constexpr int kSlotCmdHelp = 9;
inline constexpr int kSlotCritical = 10;
inline constexpr int kSlotQuestion = 11;
inline constexpr int kSlotExclamation = 12;
inline constexpr int kSlotInformation = 13;
inline constexpr int kSlotDelete = 14;
inline constexpr int kPictureSlots = 15;

struct MsgProperties {
  std::string strDelText, strOk, AppPath, strRetry, strCancel, strYes, strNo, strIgnore, strAbord, strHelp,
      strMoreOpen, strMoreClose, strSend, strCopy, strCheck, strMailAdress, strMailSubject, strMailBody;
  int32_t spHleft = 0, spHicon_Label = 0, spHbuttons = 0, spHleftButtons = 0, spHrightLabel = 0, spVmiddle = 0,
          spVup = 0, spVdown = 0, spHleftCheck = 0, spVdownCheck = 0, ButtonsWidth = 0, ButtonsHeight = 0,
          CheckWidth = 0, CheckHeight = 0, textMoreHeight = 0, cmdSendWidth = 0, cmdSendHeight = 0,
          cmdMoreHeight = 0, cmdMoreWidth = 0, formMaxWidth = 0, formMinWidth = 0, spHrightMore = 0,
          spVdownMore = 0, FormTop = 0, FormLeft = 0, DelaySec = 0, SendMethode = 0;
  bool GrayScale = false;
  std::array<com::StdPicturePtr, kPictureSlots> pictures;
  // Write-only, never persisted.
  int32_t TempButtonsWidth = 0;
  std::array<std::string, 4> TempButtonsText;
};

enum class MsgPropertyKind { String, Long, Boolean, Picture };

// One persisted property.
struct MsgPropertyDef {
  const char* name;
  MsgPropertyKind kind;
  std::string MsgProperties::*text = nullptr;
  int32_t MsgProperties::*number = nullptr;
  int slot = -1;             // pictures
  bool initialised = true;   // whether Initialise sets it
  const char* initText = "";
  int32_t initNumber = 0;
};

// The persisted properties in the order the property bag reads them.
const std::vector<MsgPropertyDef>& MsgPropertyTable();
// Sets the defaults that Initialise sets (leaves AppPath, SendMethode,
// TempButtonsWidth and the pictures as they are).
void InitialiseMsgProperties(MsgProperties& p);

}  // namespace kvctl2
