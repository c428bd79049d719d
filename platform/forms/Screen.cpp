#include "forms/Screen.h"

#include "forms/Form.h"
#include "gdi/Twips.h"
#include "win/Metrics.h"

namespace forms::Screen {

namespace {
int16_t& Pointer() {
  static int16_t pointer = 0;
  return pointer;
}
}  // namespace

int32_t Width() { return win::GetSystemMetrics(win::SM_CXSCREEN) * gdi::TwipsPerPixelX(); }
int32_t Height() { return win::GetSystemMetrics(win::SM_CYSCREEN) * gdi::TwipsPerPixelY(); }
int TwipsPerPixelX() { return gdi::TwipsPerPixelX(); }
int TwipsPerPixelY() { return gdi::TwipsPerPixelY(); }
int16_t MousePointer() { return Pointer(); }
void SetMousePointer(int16_t pointer) { Pointer() = pointer; }
Form* ActiveForm() { return Form::ActiveForm(); }

}  // namespace forms::Screen
