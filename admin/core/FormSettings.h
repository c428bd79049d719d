// Per-form values and window placement in the program's registry key: a
// form's values lie in the section named after the form without its "frm"
// prefix.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/Variant.h"

namespace forms {
class Form;
}

namespace qvadmin {

// The value `Key` of the form's section, `Default` when missing; errors are
// ignored ("" then).
rt::Variant GetFormSetting(const forms::Form& form, const std::string& Key, const rt::Variant& Default = "");

// Writes `Value` under `Key` in the form's section; errors are ignored.
void SaveFormSetting(const forms::Form& form, const std::string& Key, const rt::Variant& Value);

// What RestoreFormPlacement returns when no window state was stored.
inline constexpr int32_t kNoStoredWindowState = 65535;

// Restores the form's window state, position ("L", "T") and, when `Resize`,
// size ("W", "H"). With `KeepVisible` a form that would lie partly off the
// screen is moved back inside. Returns the stored window state,
// kNoStoredWindowState when none was stored. Errors are ignored.
int32_t RestoreFormPlacement(forms::Form& form, bool KeepVisible, bool Resize);

}  // namespace qvadmin
