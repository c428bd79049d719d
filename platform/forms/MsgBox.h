// The plain message box (the runtime's MsgBox): a prompt, the standard
// buttons and icon (Constants.h), a title (the application's title when
// empty); returns the result of the button chosen (vbOK .. vbNo).
// The scripted responder answers it first (Responder.h). When none is
// installed, a program with a display shows the box as a modal dialog
// (dialogs/MsgBoxWindow.h) and returns the button the user chose; without
// a display nobody can answer, and MsgBox raises errNoResponder with the
// prompt.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "forms/Constants.h"

namespace forms {

int32_t MsgBox(std::string_view prompt, int32_t buttons = vbOKOnly, std::string_view title = {});

// The results of the buttons of a style, left to right; empty for a button
// set that does not exist (6 and 7).
std::vector<int32_t> MsgBoxButtons(int32_t buttons);
// The result that closing the box without a button gives for a style:
// vbOK for OK only, vbCancel when a Cancel button exists, else 0 (the box
// cannot be closed without a button).
int32_t MsgBoxEscapeResult(int32_t buttons);
// Whether `result` is one of the buttons of the style.
bool MsgBoxOffers(int32_t buttons, int32_t result);

}  // namespace forms
