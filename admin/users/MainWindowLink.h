// What the views and dialogs of the user and Memo database administration
// use of the main window: its tool states, its image lists, the owner of
// modal dialogs and the view that is active. Each call is late-bound and
// ignores errors, so the views work the same whether or not the main window
// is loaded (tests load them as forms of their own).
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "com/StdPicture.h"
#include "forms/Form.h"

namespace qvadmin {

// frmMDI.ToolButtonErlauben: enables or disables the tool `key`.
void ToolButtonErlauben(const std::string& key, bool enabled);

// Sets the second state (whether the tool shows) of each tool, with the
// docking control's redraw held back meanwhile.
void SetToolStates(const std::vector<std::pair<std::string, bool>>& states);

// A picture of the main window's image list `list` ("ImageList",
// "img24x24") by key or 1-based index; nullptr when there is none.
com::StdPicturePtr MainPicture(std::string_view list, const rt::Variant& keyOrIndex);

// The icon of the start page's link to the user administration
// (hovVerwalt(1)); nullptr while the start page isn't loaded.
com::StdPicturePtr StartPageLinkIcon();

// The owner of modal dialogs: the main window while it is loaded.
forms::Form* DialogOwner();

// The name of the view the administrator works in: the active docked view
// of the main window, else the active form ("" when none).
std::string ActiveViewName();

}  // namespace qvadmin
