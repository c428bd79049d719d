#include "forms/StandardControl.h"

#include "forms/Form.h"

namespace forms {

StandardControl::StandardControl(uint32_t foreColor, uint32_t backColor)
    : m_font([this] {
        OnTextChanged();
        Invalidate();
      }),
      m_foreColor(foreColor),
      m_backColor(backColor),
      m_defaultForeColor(foreColor),
      m_defaultBackColor(backColor) {
  DefineProperty(
      "Caption", [this] { return rt::Variant(m_caption); }, [this](const rt::Variant& v) { SetCaption(v.ToString()); });
  DefineProperty(
      "ForeColor", [this] { return rt::Variant(static_cast<int32_t>(m_foreColor)); },
      [this](const rt::Variant& v) { SetForeColor(static_cast<uint32_t>(v.ToLong())); });
  DefineProperty(
      "BackColor", [this] { return rt::Variant(static_cast<int32_t>(m_backColor)); },
      [this](const rt::Variant& v) { SetBackColor(static_cast<uint32_t>(v.ToLong())); });
  DefineObject<com::StdFont>(
      "Font", [this] { return Font(); }, [this](com::StdFontPtr v) { SetFont(std::move(v)); });
  DefineMethod("Click", [this](com::Args&) {
    Click();
    return rt::Variant();
  });
  SetFont(com::StdFont::Create());
}

void StandardControl::OnSited() {
  // A new control takes a copy of its container's font.
  if (Container()) {
    if (auto font = Container()->Ambient().Font) SetFont(font->Clone());
  }
}

void StandardControl::SetCaption(std::string caption) {
  m_caption = std::move(caption);
  OnTextChanged();
  Invalidate();
}

void StandardControl::SetFont(com::StdFontPtr font) { m_font.Set(std::move(font)); }

void StandardControl::SetForeColor(uint32_t color) {
  m_foreColor = color;
  Invalidate();
}

void StandardControl::SetBackColor(uint32_t color) {
  m_backColor = color;
  Invalidate();
}

void StandardControl::Click() {
  if (Enabled()) RaiseEvent("Click");
}

bool StandardControl::OnAccessKey(char32_t letter) {
  if (letter == 0 || AccessKeyOf(m_caption) != letter) return false;
  auto* form = dynamic_cast<Form*>(Container());
  if (CanFocus()) {
    if (form) form->SetFocusTo(*this);
    Click();
  } else if (form) {
    form->FocusAfter(*this);
  }
  return true;
}

void StandardControl::ReadProperties(const com::PropertyBag& bag) {
  m_foreColor = static_cast<uint32_t>(bag.ReadProperty("ForeColor", static_cast<int32_t>(m_defaultForeColor)).ToLong());
  m_backColor = static_cast<uint32_t>(bag.ReadProperty("BackColor", static_cast<int32_t>(m_defaultBackColor)).ToLong());
  if (auto font = com::AsObject<com::StdFont>(bag.ReadProperty("Font", com::Nothing()))) SetFont(font);
  SetCaption(bag.ReadProperty("Caption", m_caption).ToString());
}

void StandardControl::WriteProperties(com::PropertyBag& bag) {
  bag.WriteProperty("Caption", m_caption, "");
  bag.WriteProperty("ForeColor", static_cast<int32_t>(m_foreColor), static_cast<int32_t>(m_defaultForeColor));
  bag.WriteProperty("BackColor", static_cast<int32_t>(m_backColor), static_cast<int32_t>(m_defaultBackColor));
  bag.WriteProperty("Font", com::ToVariant(Font()->Clone()), com::Nothing());
}

}  // namespace forms
