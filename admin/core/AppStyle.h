// The look of the program's forms: the English texts of a docking
// control, the colour schemes, and the icons of tab controls.
#pragma once

#include <cstdint>
#include <string>

#include "com/Control.h"

namespace forms {
class Form;
class TabControl;
}  // namespace forms

namespace qvadmin {

// Styles the docking control `dock` of `form` when the form loads: its
// texts from the table named after the form and the control
// ("frmMDIDock"), and the current colour scheme.
void StyleDockControl(forms::Form& form, com::Control& dock);

// Applies the text table `name` to the docking control: each row's text
// goes to the property named by its kind letter of the tool with its key.
// An error ends the procedure and is reported under "Error on LSet".
void ApplyDockTexts(com::Dispatch& dock, const std::string& name);

// Sets one property of `tool` by the kind letter: "C" Caption,
// "D" Description, "T" ToolTipText, "L" Label, "S" Text; any other letter
// sets nothing. The property is set by name, so tools, menus and the
// window list take it alike.
void SetTextByKind(com::Dispatch& tool, const std::string& kind, const std::string& text);

// The colour schemes: 0 Standard, 1 Classic, 2 Office 2003, 3 Ocean Fresh
// and 7, the system's colours (the scheme when none was chosen).
inline constexpr uint8_t kSystemScheme = 7;
// The scheme of this run (chosen at start from the registry value
// "DesignStyle"; a change takes effect at the next start).
uint8_t CurrentScheme();
// The colours of a scheme (OLE colours): lists and trees, tab controls and
// their pages. An unknown index has the system's colours.
struct ColourScheme {
  uint32_t listBack;
  uint32_t tabBack;
};
ColourScheme SchemeColours(uint8_t scheme);

// With a form: gives its report lists, lists, trees and tab controls the
// colours of the current scheme (`style` is not used). Without (nullptr):
// makes `style` the current scheme and applies it to every loaded form.
void ApplyStyle(forms::Form* form, uint8_t style);

// Prepares a tab control: the pictures of the main window's image list
// under the keys in `keys` ("|"-separated; key n becomes icon n, from 0),
// the button-face colour, the first page selected. Errors are reported
// under "Tabregist error".
void RegisterTabs(forms::TabControl& tabs, const std::string& keys);

}  // namespace qvadmin
