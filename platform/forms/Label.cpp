#include "forms/Label.h"

#include "com/ControlFactory.h"
#include "forms/Constants.h"
#include "forms/ControlPainter.h"
#include "gdi/Gdi.h"

namespace forms {

namespace {
com::ControlRegistration<Label> registration{"VB.Label", "Label"};
}

Label::Label() : StandardControl(0x80000012, 0x8000000F) {
  SetTabStop(false);
  DefineProperty(
      "AutoSize", [this] { return rt::Variant(m_autoSize); },
      [this](const rt::Variant& v) { SetAutoSize(v.ToBool()); });
  DefineProperty(
      "WordWrap", [this] { return rt::Variant(m_wordWrap); },
      [this](const rt::Variant& v) { SetWordWrap(v.ToBool()); });
  DefineProperty(
      "Alignment", [this] { return rt::Variant(m_alignment); },
      [this](const rt::Variant& v) { SetAlignment(v.ToInteger()); });
  DefineProperty(
      "BackStyle", [this] { return rt::Variant(m_backStyle); },
      [this](const rt::Variant& v) { SetBackStyle(v.ToInteger()); });
  DefineProperty(
      "UseMnemonic", [this] { return rt::Variant(m_useMnemonic); },
      [this](const rt::Variant& v) { SetUseMnemonic(v.ToBool()); });
}

void Label::SetAutoSize(bool value) {
  m_autoSize = value;
  Fit();
}

void Label::SetWordWrap(bool value) {
  m_wordWrap = value;
  Fit();
}

void Label::SetAlignment(int16_t value) {
  m_alignment = value;
  Invalidate();
}

void Label::SetBackStyle(int16_t value) {
  m_backStyle = value;
  Invalidate();
}

void Label::SetUseMnemonic(bool value) {
  m_useMnemonic = value;
  Fit();
  Invalidate();
}

void Label::OnMoved() {
  if (m_autoSize && m_wordWrap && Width() != m_fittedWidth) Fit();
}

void Label::Fit() {
  if (!m_autoSize || m_fitting) return;
  m_fitting = true;
  m_fittedWidth = Width();
  const gdi::SIZE size = painter::MeasureText(Caption(), Font(), m_wordWrap ? PixelWidth() : 0, m_useMnemonic);
  if (m_wordWrap && PixelWidth() > 0) {
    Move(Left(), Top(), Width(), gdi::PixelsToTwipsY(size.cy));
  } else {
    Move(Left(), Top(), gdi::PixelsToTwipsX(size.cx), gdi::PixelsToTwipsY(size.cy));
  }
  m_fitting = false;
}

void Label::ReadProperties(const com::PropertyBag& bag) {
  m_alignment = bag.ReadProperty("Alignment", int16_t{0}).ToInteger();
  m_backStyle = bag.ReadProperty("BackStyle", int16_t{1}).ToInteger();
  m_useMnemonic = bag.ReadProperty("UseMnemonic", true).ToBool();
  m_wordWrap = bag.ReadProperty("WordWrap", false).ToBool();
  m_autoSize = bag.ReadProperty("AutoSize", false).ToBool();
  StandardControl::ReadProperties(bag);
}

void Label::WriteProperties(com::PropertyBag& bag) {
  StandardControl::WriteProperties(bag);
  bag.WriteProperty("Alignment", m_alignment, int16_t{0});
  bag.WriteProperty("BackStyle", m_backStyle, int16_t{1});
  bag.WriteProperty("UseMnemonic", m_useMnemonic, true);
  bag.WriteProperty("WordWrap", m_wordWrap, false);
  bag.WriteProperty("AutoSize", m_autoSize, false);
}

void Label::Draw(gdi::HDC hdc, int x, int y) {
  const gdi::RECT rect{x, y, x + PixelWidth(), y + PixelHeight()};
  if (m_backStyle == vbOpaque) {
    gdi::OwnedBrush brush(gdi::CreateSolidBrush(gdi::OleTranslateColor(BackColor())));
    gdi::FillRect(hdc, rect, brush.Get());
  }
  uint32_t format = m_alignment == vbRightJustify ? gdi::DT_RIGHT
                    : m_alignment == vbCenter     ? gdi::DT_CENTER
                                                  : gdi::DT_LEFT;
  if (!(m_autoSize && !m_wordWrap)) format |= gdi::DT_WORDBREAK;
  if (!m_useMnemonic) format |= gdi::DT_NOPREFIX;
  painter::DrawText(hdc, Caption(), rect, format, Font(), ForeColor(), Enabled());
}

}  // namespace forms
