// The standard pictures of the message box's icon slots (critical,
// question, exclamation, information, delete), drawn by code at 32 x 32
// pixels on the dialog's face colour. A host that has pictures of its own
// sets them on the control instead.
#pragma once

#include "com/StdPicture.h"

namespace kvctl2 {

class Msg;

// The picture for slot 10 to 14; nullptr for any other slot.
com::StdPicturePtr StandardMsgIcon(int slot);
// Puts the standard pictures into slots 10 to 14 of the control.
void UseStandardMsgIcons(Msg& msg);

}  // namespace kvctl2
