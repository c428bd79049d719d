// Helpers of forms in real windows (FormDisplay.cpp).
#pragma once

#include <cstdint>

#include "win/Types.h"

namespace forms {

class Form;

// The window styles of a form: a caption and frame from its border style,
// the system menu with its control box, and the minimise and maximise
// boxes of its MinButton and MaxButton.
uint32_t FormWindowStyle(const Form& form);
uint32_t FormWindowExStyle(const Form& form);
// A typed character (the code point of WM_CHAR) as the KeyAscii of the
// system's ANSI code page; "?" for a character it has no code for.
int16_t AnsiKeyCode(win::WPARAM codePoint);
// The Shift, Ctrl and Alt keys held now, as the shift argument of key
// events.
int16_t ShiftState();

}  // namespace forms
