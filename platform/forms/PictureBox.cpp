#include "forms/PictureBox.h"

#include "com/ControlFactory.h"
#include "forms/ControlPainter.h"
#include "win/InputRouting.h"
#include "win/Messages.h"

namespace forms {

namespace {
com::ControlRegistration<PictureBox> registration{"VB.PictureBox", "PictureBox"};
}

PictureBox::PictureBox() {
  DefineProperty(
      "AutoRedraw", [this] { return rt::Variant(Surface().AutoRedraw()); },
      [this](const rt::Variant& v) { Surface().SetAutoRedraw(v.ToBool()); });
  DefineProperty(
      "BorderStyle", [this] { return rt::Variant(m_borderStyle); },
      [this](const rt::Variant& v) { SetBorderStyle(v.ToInteger()); });
  DefineReadOnly("ScaleWidth", [this] { return rt::Variant(ScaleWidth()); });
  DefineReadOnly("ScaleHeight", [this] { return rt::Variant(ScaleHeight()); });
  DefineObject<com::StdPicture>(
      "Picture", [this] { return Picture(); }, [this](com::StdPicturePtr v) { SetPicture(std::move(v)); });
  DefineObject<com::StdFont>(
      "Font", [this] { return Font(); }, [this](com::StdFontPtr v) { SetFont(std::move(v)); });
  DefineMethod("Cls", [this](com::Args&) {
    Cls();
    return rt::Variant();
  });
  DefineMethod("Click", [this](com::Args&) {
    Click();
    return rt::Variant();
  });
  SetFont(com::StdFont::Create());
}

void PictureBox::SetBorderStyle(int16_t style) {
  m_borderStyle = style;
  Invalidate();
}

void PictureBox::Click() {
  if (Enabled()) RaiseEvent("Click");
}

void PictureBox::ReadProperties(const com::PropertyBag& bag) {
  m_borderStyle = bag.ReadProperty("BorderStyle", int16_t{1}).ToInteger();
  Surface().SetAutoRedraw(bag.ReadProperty("AutoRedraw", false).ToBool());
  SetBackColor(static_cast<uint32_t>(bag.ReadProperty("BackColor", int32_t(0x8000000F)).ToLong()));
  SetForeColor(static_cast<uint32_t>(bag.ReadProperty("ForeColor", int32_t(0x80000012)).ToLong()));
  if (auto font = com::AsObject<com::StdFont>(bag.ReadProperty("Font", com::Nothing())))
    SetFont(font);
  else if (Container() && Container()->Ambient().Font)
    SetFont(Container()->Ambient().Font->Clone());
  if (bag.Contains("Picture")) SetPicture(com::AsObject<com::StdPicture>(bag.ReadProperty("Picture")));
}

void PictureBox::WriteProperties(com::PropertyBag& bag) {
  bag.WriteProperty("BorderStyle", m_borderStyle, int16_t{1});
  bag.WriteProperty("AutoRedraw", Surface().AutoRedraw(), false);
  bag.WriteProperty("BackColor", static_cast<int32_t>(BackColor()), int32_t(0x8000000F));
  bag.WriteProperty("ForeColor", static_cast<int32_t>(ForeColor()), int32_t(0x80000012));
  if (Font()) bag.WriteProperty("Font", com::ToVariant(Font()->Clone()), com::Nothing());
  bag.WriteProperty("Picture", com::ToVariant(Picture()), com::Nothing());
}

namespace {
com::Args MouseArgs(int16_t button, int16_t shift, float x, float y) {
  return com::Args{button, shift, static_cast<double>(x), static_cast<double>(y)};
}
}  // namespace

void PictureBox::UserControl_MouseDown(int16_t button, int16_t shift, float x, float y) {
  com::Args args = MouseArgs(button, shift, x, y);
  RaiseEvent("MouseDown", args);
}

void PictureBox::UserControl_MouseMove(int16_t button, int16_t shift, float x, float y) {
  com::Args args = MouseArgs(button, shift, x, y);
  RaiseEvent("MouseMove", args);
}

void PictureBox::UserControl_MouseUp(int16_t button, int16_t shift, float x, float y) {
  com::Args args = MouseArgs(button, shift, x, y);
  RaiseEvent("MouseUp", args);
}

void PictureBox::UserControl_DblClick() {
  if (Enabled()) RaiseEvent("DblClick");
}

bool PictureBox::HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) {
  if ((msg == win::WM_KEYDOWN || msg == win::WM_KEYUP) && dynamic_cast<com::UserControl*>(Container())) {
    // The form routes keys to its own controls only: a box that is part of
    // another control raises its key events itself. The key goes on to the
    // form either way.
    int16_t shift = 0;
    if (win::GetKeyState(static_cast<int>(win::VK_SHIFT)) < 0) shift |= com::vbShiftMask;
    if (win::GetKeyState(static_cast<int>(win::VK_CONTROL)) < 0) shift |= com::vbCtrlMask;
    if (win::GetKeyState(static_cast<int>(win::VK_MENU)) < 0) shift |= com::vbAltMask;
    int16_t keyCode = static_cast<int16_t>(wParam);
    if (msg == win::WM_KEYDOWN)
      KeyDown(keyCode, shift);
    else
      KeyUp(keyCode, shift);
    return false;
  }
  return com::UserControl::HandleMessage(msg, wParam, lParam, result);
}

void PictureBox::Draw(gdi::HDC hdc, int x, int y) {
  com::UserControl::Draw(hdc, x, y);
  if (m_borderStyle == 1) painter::DrawSunkenBorder(hdc, gdi::RECT{x, y, x + PixelWidth(), y + PixelHeight()});
}

}  // namespace forms
