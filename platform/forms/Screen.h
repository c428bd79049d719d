// The screen object: size in twips, twips per pixel, the mouse pointer of
// the program and the active form.
#pragma once

#include <cstdint>

namespace forms {

class Form;

namespace Screen {

int32_t Width();   // twips
int32_t Height();  // twips
int TwipsPerPixelX();
int TwipsPerPixelY();
int16_t MousePointer();
void SetMousePointer(int16_t pointer);
// The form that is active, nullptr when none.
Form* ActiveForm();

}  // namespace Screen
}  // namespace forms
