// The common controls' animation window (class "SysAnimate32"): plays a
// silent AVI clip (AnimationClip.h) frame by frame at the clip's frame
// rate, on a timer of the user-interface thread (and so on the replaceable
// clock).
//
// Messages:
// - ACM_OPEN: wParam a module and lParam a resource number (below
//   0x10000) opens the module's "AVI" resource (module 0: the program);
//   wParam 0 and lParam a file path (const char*) opens the file; lParam 0
//   closes the clip. Opening stops and replaces the clip shown; it answers
//   TRUE when the clip could be read. Without ACS_CENTER the window takes
//   the clip's size; with ACS_AUTOPLAY the clip plays at once, endlessly.
// - ACM_PLAY: wParam the number of plays (-1: endless), lParam the first
//   frame in the low word and the last in the high word (0xFFFF: the last
//   frame of the clip). FALSE without a clip or for a first frame beyond
//   the last.
// - ACM_STOP: stops; the frame shown stays.
// - ACM_ISPLAYING: TRUE while the clip plays.
// - WM_PRINTCLIENT: wParam a device context; draws the frame shown at the
//   top left (centred with ACS_CENTER) into it. With ACS_TRANSPARENT the
//   pixels of the colour of the clip's top-left pixel are left out, so
//   what the DC already holds (the parent's background) shows through;
//   without it the rest of the window is filled with the button face.
#pragma once

#include <cstdint>

#include "win/Messages.h"
#include "win/Types.h"

namespace forms {

inline constexpr const char* ANIMATE_CLASSA = "SysAnimate32";

// Styles of the animation window.
inline constexpr uint32_t ACS_CENTER = 0x0001;
inline constexpr uint32_t ACS_TRANSPARENT = 0x0002;
inline constexpr uint32_t ACS_AUTOPLAY = 0x0004;

inline constexpr uint32_t ACM_OPENA = win::WM_USER + 100;
inline constexpr uint32_t ACM_PLAY = win::WM_USER + 101;
inline constexpr uint32_t ACM_STOP = win::WM_USER + 102;
inline constexpr uint32_t ACM_ISPLAYING = win::WM_USER + 104;
inline constexpr uint32_t WM_PRINTCLIENT = 0x0318;

// The resource type of clips.
inline constexpr const char* kAviResourceType = "AVI";

// The common controls' initialisation: registers the window classes of the
// sets asked for in dwICC. The animation class (ICC_ANIMATE_CLASS) is the
// one this layer has; the other sets need nothing here and are accepted.
inline constexpr uint32_t ICC_ANIMATE_CLASS = 0x00000080;
inline constexpr uint32_t ICC_USEREX_CLASSES = 0x00000200;
struct INITCOMMONCONTROLSEX {
  uint32_t dwSize = sizeof(INITCOMMONCONTROLSEX);
  uint32_t dwICC = 0;
};
// FALSE for a missing structure or one of the wrong size.
win::BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

}  // namespace forms
