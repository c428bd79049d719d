// What the views and dialogs of the user and Memo database administration
// use of the main window beyond its own members (frmMDI::ToolButtonErlauben,
// ListPicture, CaptionPicture): the second tool state, the caption icon of
// the active users, the owner of modal dialogs and the view that is active.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "com/StdPicture.h"
#include "forms/Form.h"

namespace qvadmin {

// Sets the second state (whether the tool shows) of each tool of the main
// window's docking control, with its redraw (dispatch id 11) held back
// meanwhile; with `bar`, that command bar is laid out again too. Errors are
// ignored, so nothing happens while the main window is not loaded.
void SetToolStates(const std::vector<std::pair<std::string, bool>>& states, const std::string& bar = {});

// The icon of the start page's link to the user administration
// (hovVerwalt(1)); while the start page has no such link, the picture of an
// active user at caption size.
com::StdPicturePtr ActiveUsersIcon();

// The owner of modal dialogs: the main window while it is loaded.
forms::Form* DialogOwner();

// The name of the view the administrator works in: the active docked view
// of the main window, else the active form ("" when none).
std::string ActiveViewName();

}  // namespace qvadmin
