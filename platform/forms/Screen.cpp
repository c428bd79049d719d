#include "forms/Screen.h"

#include <iterator>

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

void SetMousePointer(int16_t pointer) {
  Pointer() = pointer;
  win::SetCursor(CursorOfMousePointer(pointer));
}

win::HCURSOR CursorOfMousePointer(int16_t pointer) {
  // Indexed by the MousePointer values 0 to 15.
  static constexpr int32_t kCursors[] = {win::IDC_ARROW,    win::IDC_ARROW,       win::IDC_CROSS,    win::IDC_IBEAM,
                                         win::IDC_ARROW,    win::IDC_SIZEALL,     win::IDC_SIZENESW, win::IDC_SIZENS,
                                         win::IDC_SIZENWSE, win::IDC_SIZEWE,      win::IDC_UPARROW,  win::IDC_WAIT,
                                         win::IDC_NO,       win::IDC_APPSTARTING, win::IDC_HELP,     win::IDC_SIZEALL};
  const bool known = pointer >= 0 && pointer < static_cast<int16_t>(std::size(kCursors));
  return win::LoadCursorA(known ? kCursors[pointer] : win::IDC_ARROW);
}
Form* ActiveForm() { return Form::ActiveForm(); }

}  // namespace forms::Screen
