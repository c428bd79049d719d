#include "forms/controls/GroupBox.h"

#include "com/ControlFactory.h"
#include "forms/ControlPainter.h"

namespace forms {

namespace {
com::ControlRegistration<GroupBox> registration{"VB.Frame", "Frame", "XtremeSuiteControls.GroupBox", "GroupBox"};
}

GroupBox::GroupBox() : StandardControl(0x80000012, 0x8000000F) {}

void GroupBox::Draw(gdi::HDC hdc, int x, int y) {
  const gdi::RECT rect{x, y, x + PixelWidth(), y + PixelHeight()};
  painter::FillSolid(hdc, rect, BackColor());
  painter::DrawGroupBox(hdc, rect, Caption(), Font(), ForeColor(), BackColor(), Enabled());
}

}  // namespace forms
