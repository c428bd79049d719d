// The edges a control's window gets from its extended style: a thin
// sunken edge for WS_EX_STATICEDGE and the sunken 3-D edge for
// WS_EX_CLIENTEDGE, drawn round the control's rectangle when its container
// draws it (the window's frame, outside what the control draws itself).
#pragma once

#include "com/Control.h"
#include "gdi/Types.h"

namespace com {

// Draws the edge of the control's window, if its style asks for one, round
// the control drawn at (x, y).
void DrawWindowEdge(const Control& control, gdi::HDC hdc, int x, int y);

}  // namespace com
