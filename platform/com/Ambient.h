// Ambient properties: what a container tells the controls placed on it
// about itself (colours, font, whether the program runs or is being
// designed, the control's name on the container).
#pragma once

#include <cstdint>
#include <string>

#include "com/StdFont.h"

namespace com {

struct AmbientProperties {
  uint32_t BackColor = 0x8000000F;  // OLE colour: the button face
  uint32_t ForeColor = 0x80000012;  // OLE colour: the button text
  StdFontPtr Font;                  // the container's font
  bool UserMode = true;             // true at run time, false in a designer
  std::string DisplayName;          // the control's name on the container
  int16_t TextAlign = 0;            // 0: general
};

}  // namespace com
