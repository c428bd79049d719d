// Key symbols of the X server as the platform's virtual-key codes.
#include <X11/keysym.h>

#include "win/X11Display.h"

namespace win::detail {

uint32_t VirtualKeyOf(unsigned long sym) {
  if (sym >= XK_a && sym <= XK_z) return static_cast<uint32_t>(sym - XK_a + 'A');
  if (sym >= XK_A && sym <= XK_Z) return static_cast<uint32_t>(sym);
  if (sym >= XK_0 && sym <= XK_9) return static_cast<uint32_t>(sym);
  if (sym >= XK_F1 && sym <= XK_F24) return static_cast<uint32_t>(0x70 + (sym - XK_F1));
  if (sym >= XK_KP_0 && sym <= XK_KP_9) return static_cast<uint32_t>(0x60 + (sym - XK_KP_0));
  switch (sym) {
    case XK_BackSpace:
      return 0x08;
    case XK_Tab:
    case XK_ISO_Left_Tab:
      return 0x09;
    case XK_Clear:
      return 0x0C;
    case XK_Return:
    case XK_KP_Enter:
      return 0x0D;
    case XK_Shift_L:
    case XK_Shift_R:
      return 0x10;
    case XK_Control_L:
    case XK_Control_R:
      return 0x11;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
      return 0x12;
    case XK_Pause:
      return 0x13;
    case XK_Caps_Lock:
      return 0x14;
    case XK_Escape:
      return 0x1B;
    case XK_space:
      return 0x20;
    case XK_Prior:
    case XK_KP_Prior:
      return 0x21;
    case XK_Next:
    case XK_KP_Next:
      return 0x22;
    case XK_End:
    case XK_KP_End:
      return 0x23;
    case XK_Home:
    case XK_KP_Home:
      return 0x24;
    case XK_Left:
    case XK_KP_Left:
      return 0x25;
    case XK_Up:
    case XK_KP_Up:
      return 0x26;
    case XK_Right:
    case XK_KP_Right:
      return 0x27;
    case XK_Down:
    case XK_KP_Down:
      return 0x28;
    case XK_Print:
      return 0x2C;
    case XK_Insert:
    case XK_KP_Insert:
      return 0x2D;
    case XK_Delete:
    case XK_KP_Delete:
      return 0x2E;
    case XK_Super_L:
      return 0x5B;
    case XK_Super_R:
      return 0x5C;
    case XK_Menu:
      return 0x5D;
    case XK_KP_Multiply:
      return 0x6A;
    case XK_KP_Add:
      return 0x6B;
    case XK_KP_Separator:
      return 0x6C;
    case XK_KP_Subtract:
      return 0x6D;
    case XK_KP_Decimal:
      return 0x6E;
    case XK_KP_Divide:
      return 0x6F;
    case XK_Num_Lock:
      return 0x90;
    case XK_Scroll_Lock:
      return 0x91;
    case XK_semicolon:
      return 0xBA;
    case XK_equal:
    case XK_plus:
      return 0xBB;
    case XK_comma:
      return 0xBC;
    case XK_minus:
      return 0xBD;
    case XK_period:
      return 0xBE;
    case XK_slash:
      return 0xBF;
    case XK_grave:
    case XK_dead_grave:
      return 0xC0;
    case XK_bracketleft:
    case XK_udiaeresis:
      return 0xDB;
    case XK_backslash:
      return 0xDC;
    case XK_bracketright:
      return 0xDD;
    case XK_apostrophe:
    case XK_adiaeresis:
      return 0xDE;
    case XK_odiaeresis:
      return 0xC0;
    case XK_less:
      return 0xE2;
    case XK_ssharp:
      return 0xDB;
    case XK_numbersign:
      return 0xBF;
    case XK_dead_circumflex:
      return 0xDC;
    case XK_dead_acute:
      return 0xDD;
    default:
      return 0;
  }
}

}  // namespace win::detail
