// The views docked in the main window (start page, users and groups, Memo
// databases, configuration), and the document archive folder of the
// configuration.
#pragma once

#include "forms/Form.h"

namespace qvadmin {

// Shows `form` in a document pane of the main window (loading both as
// needed; a form already docked keeps its pane), shows the view's own tool
// bar (keyed by the form's name without "frm") beside the menu and status
// bars and hides the other tool bars. A view that was docked already, other
// than the start page, is refreshed: its "Aktualisieren" is called by name.
// The tools of the list commands (AddDB, AddUser, AddGrp, Delete, Save,
// Eigenschaften, Refresh) keep their states per view: a view docked again
// finds them as it left them.
void ShowDockedForm(const forms::FormPtr& form);

// The active pane of the main window changed (the user chose a view's tab
// or the window list): the tool bar and the tools' states follow the view
// that is now active, as the command dispatch does. Nothing is refreshed.
// Errors are ignored.
void DockedViewActivated();

// The views follow the session's connection. Without one, the tools of the
// list commands are disabled for every docked view (its data can be
// neither read nor saved). Once a connection is open again, each view
// docked meanwhile (other than the start page) starts over: its tools take
// their first states and its "Aktualisieren" reads its data anew, at once
// for the view on show, for another one when it shows next. Errors are
// ignored.
void DockedViewsFollowConnection(bool connected);

// The view of the main window's active pane; nullptr when there is none.
// Errors are ignored.
forms::FormPtr ActiveDockedForm();

// Reads Konfig.ArchLocPath: when it names an existing folder it becomes the
// session's archive path and the result is true; otherwise the archive
// path becomes "" and the result is false (also when the query fails).
bool ReadArchivePath();

}  // namespace qvadmin
