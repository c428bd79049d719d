// The English texts of the main window's command bars. The docking
// control's layout carries German captions; at run time these texts
// replace them, tool by tool, from one table.
#pragma once

#include <string>

namespace qvadmin {

// The row and field separators of the table.
inline constexpr const char* kDockRowEnd = "\u00B3";    // "³"
inline constexpr const char* kDockFieldSep = "\u00B2";  // "²"

// The table: rows ended by "³", each of four fields separated by "²":
// group ("0" tools, "4" menus, "7" the window list; not read), the tool's
// key, the kind letter of the property that takes the text ("C" Caption,
// "D" Description, "T" ToolTipText, "L" Label, "S" Text) and the text.
std::string DockTextTable();

// The table of the docking control `name` ("frmMDIDock": the main
// window's, compared exactly). Any other name tells the user ("Error on
// DockSet") and returns "".
std::string GetDockTexts(const std::string& name);

}  // namespace qvadmin
