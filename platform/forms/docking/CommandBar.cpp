#include "forms/docking/CommandBar.h"

#include "forms/docking/DockStudio.h"

namespace forms {

CommandBar::CommandBar(DockStudio& owner, std::string key, BarType type)
    : m_owner(owner), m_key(std::move(key)), m_type(type) {
  DefineReadOnly("Key", [this] { return rt::Variant(m_key); });
  DefineProperty(
      "Visible", [this] { return rt::Variant(m_visible); }, [this](const rt::Variant& v) { SetVisible(v.ToBool()); });
  DefineProperty(
      "Caption", [this] { return rt::Variant(m_caption); }, [this](const rt::Variant& v) { SetCaption(v.ToString()); });
  DefineMethod("RecalcLayout", [this](com::Args&) {
    RecalcLayout();
    return rt::Variant();
  });
}

void CommandBar::SetVisible(bool visible) {
  if (m_visible == visible) return;
  m_visible = visible;
  m_owner.RecalcLayout();
}

void CommandBar::RecalcLayout() { m_owner.RecalcLayout(); }

}  // namespace forms
