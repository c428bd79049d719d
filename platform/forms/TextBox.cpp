#include "forms/TextBox.h"

#include "com/ControlFactory.h"
#include "forms/Constants.h"
#include "forms/ControlPainter.h"
#include "gdi/Gdi.h"
#include "runtime/Strings.h"

namespace forms {

namespace {
com::ControlRegistration<TextBox> registration{"VB.TextBox", "TextBox"};
}

TextBox::TextBox() : StandardControl(0x80000008, 0x80000005) {
  DefineProperty(
      "Text", [this] { return rt::Variant(Text()); }, [this](const rt::Variant& v) { SetText(v.ToString()); });
  DefineProperty(
      "Locked", [this] { return rt::Variant(m_locked); }, [this](const rt::Variant& v) { SetLocked(v.ToBool()); });
}

void TextBox::SetText(std::string text) {
  if (text == Text()) return;
  SetCaption(std::move(text));
  RaiseEvent("Change");
}

void TextBox::KeyPress(int16_t& keyAscii) {
  StandardControl::KeyPress(keyAscii);
  if (m_locked || keyAscii == 0) return;
  if (keyAscii == vbKeyBack) {
    if (!Text().empty()) SetText(rt::Left(Text(), rt::Len(Text()) - 1));
  } else if (keyAscii >= 32 && keyAscii < 256) {
    SetText(Text() + rt::Chr(static_cast<uint8_t>(keyAscii)));
  }
}

void TextBox::ReadProperties(const com::PropertyBag& bag) {
  m_locked = bag.ReadProperty("Locked", false).ToBool();
  m_multiLine = bag.ReadProperty("MultiLine", false).ToBool();
  StandardControl::ReadProperties(bag);
  SetCaption(bag.ReadProperty("Text", Text()).ToString());
}

void TextBox::WriteProperties(com::PropertyBag& bag) {
  StandardControl::WriteProperties(bag);
  bag.Remove("Caption");
  bag.WriteProperty("Text", Text(), "");
  bag.WriteProperty("Locked", m_locked, false);
  bag.WriteProperty("MultiLine", m_multiLine, false);
}

void TextBox::Draw(gdi::HDC hdc, int x, int y) {
  const gdi::RECT rect{x, y, x + PixelWidth(), y + PixelHeight()};
  gdi::OwnedBrush brush(gdi::CreateSolidBrush(gdi::OleTranslateColor(BackColor())));
  gdi::FillRect(hdc, rect, brush.Get());
  painter::DrawSunkenBorder(hdc, rect);
  gdi::RECT text = rect;
  gdi::InflateRect(&text, -3, -3);
  const uint32_t format = gdi::DT_NOPREFIX | (m_multiLine ? gdi::DT_WORDBREAK : gdi::DT_SINGLELINE | gdi::DT_VCENTER);
  painter::DrawText(hdc, Text(), text, format, Font(), ForeColor(), Enabled());
}

}  // namespace forms
