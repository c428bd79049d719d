// The screen object: size in twips, twips per pixel, the mouse pointer of
// the program and the active form.
#pragma once

#include <cstdint>

#include "win/Cursor.h"

namespace forms {

class Form;

namespace Screen {

int32_t Width();   // twips
int32_t Height();  // twips
int TwipsPerPixelX();
int TwipsPerPixelY();
// The program's mouse pointer (vbDefault, vbHourglass, ...): other than
// vbDefault it is shown over every form of the program, at once and
// whenever the mouse moves.
int16_t MousePointer();
void SetMousePointer(int16_t pointer);
// The cursor of a MousePointer value (the arrow for vbDefault and for one
// without a cursor of its own).
win::HCURSOR CursorOfMousePointer(int16_t pointer);
// The form that is active, nullptr when none.
Form* ActiveForm();

}  // namespace Screen
}  // namespace forms
