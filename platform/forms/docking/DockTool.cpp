#include "forms/docking/DockTool.h"

#include "forms/docking/DockStudio.h"

namespace forms {

DockTool::DockTool(DockStudio& owner, std::string key) : m_owner(owner), m_key(std::move(key)) {
  DefineReadOnly("Key", [this] { return rt::Variant(m_key); });
  DefineProperty(
      "Caption", [this] { return rt::Variant(m_caption); }, [this](const rt::Variant& v) { SetCaption(v.ToString()); });
  DefineProperty(
      "Description", [this] { return rt::Variant(m_description); },
      [this](const rt::Variant& v) { SetDescription(v.ToString()); });
  DefineProperty(
      "ToolTipText", [this] { return rt::Variant(m_toolTipText); },
      [this](const rt::Variant& v) { SetToolTipText(v.ToString()); });
  DefineProperty(
      "Label", [this] { return rt::Variant(m_label); }, [this](const rt::Variant& v) { SetLabel(v.ToString()); });
  DefineProperty(
      "Text", [this] { return rt::Variant(m_text); }, [this](const rt::Variant& v) { SetText(v.ToString()); });
  DefineProperty(
      "Enabled", [this] { return rt::Variant(m_enabled); }, [this](const rt::Variant& v) { SetEnabled(v.ToBool()); });
  DefineProperty(
      "Checked", [this] { return rt::Variant(m_checked); }, [this](const rt::Variant& v) { SetChecked(v.ToBool()); });
  DefineProperty(
      "Visible", [this] { return rt::Variant(m_visible); }, [this](const rt::Variant& v) { SetVisible(v.ToBool()); });
  DefineObject<com::StdPicture>(
      "Icon", [this] { return m_icon; }, [this](com::StdPicturePtr v) { SetIcon(std::move(v)); });
}

void DockTool::Changed() { m_owner.ToolChanged(*this); }

void DockTool::SetCaption(std::string text) {
  m_caption = std::move(text);
  Changed();
}

void DockTool::SetLabel(std::string text) {
  m_label = std::move(text);
  Changed();
}

void DockTool::SetText(std::string text) {
  m_text = std::move(text);
  Changed();
}

void DockTool::SetIcon(com::StdPicturePtr icon) {
  m_icon = std::move(icon);
  Changed();
}

void DockTool::SetEnabled(bool enabled) {
  if (m_enabled == enabled) return;
  m_enabled = enabled;
  Changed();
}

void DockTool::SetChecked(bool checked) {
  if (m_checked == checked) return;
  m_checked = checked;
  Changed();
}

void DockTool::SetVisible(bool visible) {
  if (m_visible == visible) return;
  m_visible = visible;
  Changed();
}

}  // namespace forms
