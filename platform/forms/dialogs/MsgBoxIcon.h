// The standard icons of the plain message box (vbCritical, vbQuestion,
// vbExclamation, vbInformation): a red disc with a white cross, a blue disc
// with a question mark, a yellow warning triangle with an exclamation mark
// and a blue disc with an "i". Painted by code on the dialog's face colour,
// drawn large and shrunk with averaging so that their edges are smooth.
#pragma once

#include <cstdint>

#include "com/StdPicture.h"

namespace forms {

// The icon that the icon bits of a message box style ask for, `pixels`
// wide and high; nullptr when the style asks for none.
com::StdPicturePtr MsgBoxIcon(int32_t buttons, int pixels);

}  // namespace forms
