// The recorder of drawing calls: a DC can log every drawing call made on
// it as one line of text, so a test can assert what was drawn where.
// Line forms (colours as #RRGGBB, rectangles as left,top,right,bottom):
//   "FillRect 0,0,10,10 #FF0000"            "FrameRect 0,0,10,10 #000000"
//   "Rectangle 1,1,9,9 pen=#000000 brush=#FFFFFF" (brush=none, pen=none)
//   "RoundRect l,t,r,b w,h pen=... brush=..."  "Ellipse l,t,r,b pen=... brush=..."
//   "LineTo 0,0-10,5 #000000 w=1"            "Polyline 0,0 5,5 10,0 #000000 w=1"
//   "Polygon ..."  "SetPixel 3,4 #FF0000"    "InvertRect l,t,r,b"
//   "DrawEdge l,t,r,b edge=5 flags=15"
//   "GradientFill l,t,r,b #RRGGBB-#RRGGBB h" (or v)
//   "DrawText 'Hello' 10,20,110,40 flags=0x25 #000000 font='Tahoma' h=-11"
//   "TextOut 'Hello' 10,20 #000000 font='Tahoma' h=-11"
//   "BitBlt 0,0 10x10 from 2,3 rop=0xCC0020"  "StretchBlt 0,0 20x20 from 0,0 10x10"
//   "TransparentBlt ..."  "AlphaBlend 0,0 16x16"
//   "DrawIcon 0,0 16x16"  "DrawState icon 0,0 16x16 flags=0x83 #RRGGBB"
// DrawText with DT_CALCRECT draws nothing and logs nothing.
#pragma once

#include <string>
#include <vector>

#include "gdi/Types.h"

namespace gdi {

void StartRecording(HDC hdc);  // clears what was recorded before
void StopRecording(HDC hdc);
std::vector<std::string> RecordedCalls(HDC hdc);
void ClearRecording(HDC hdc);

}  // namespace gdi
