// The message icons of the main window's image list, drawn by code:
// "MsgError" (a red disc with a white cross) and "MsgDelete" (a waste bin
// with a red cross), 32 by 32 pixels.
#pragma once

#include "com/StdPicture.h"

namespace qvadmin {

com::StdPicturePtr DrawMsgErrorPicture();
com::StdPicturePtr DrawMsgDeletePicture();

}  // namespace qvadmin
