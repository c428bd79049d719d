// The small pictures of the file dialogs: a folder and a document.
#pragma once

#include "com/StdPicture.h"

namespace forms {

com::StdPicturePtr FolderIcon();
com::StdPicturePtr DocumentIcon();

}  // namespace forms
