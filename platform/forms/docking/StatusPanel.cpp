#include "forms/docking/StatusPanel.h"

#include "forms/docking/DockStudio.h"
#include "runtime/Date.h"
#include "win/InputRouting.h"

namespace forms {

namespace {
constexpr int kCapsLock = 0x14;
constexpr int kNumLock = 0x90;
constexpr int kInsert = 0x2D;
}  // namespace

StatusPanel::StatusPanel(DockStudio& owner, std::string key) : m_owner(owner), m_key(std::move(key)) {
  DefineReadOnly("Key", [this] { return rt::Variant(m_key); });
  DefineProperty(
      "Text", [this] { return rt::Variant(m_text); }, [this](const rt::Variant& v) { SetText(v.ToString()); });
  DefineProperty(
      "Width", [this] { return rt::Variant(m_width); }, [this](const rt::Variant& v) { SetWidth(v.ToLong()); });
}

void StatusPanel::SetText(std::string text) {
  if (text == m_text) return;
  m_text = std::move(text);
  m_owner.Invalidate();
}

void StatusPanel::SetWidth(int width) {
  m_width = std::max(0, width);
  m_owner.RecalcLayout();
}

bool StatusPanel::ShownOn() const {
  switch (m_type) {
    case PanelType::CapsLock:
      return (win::GetKeyState(kCapsLock) & 1) != 0;
    case PanelType::NumLock:
      return (win::GetKeyState(kNumLock) & 1) != 0;
    case PanelType::Insert:
      return (win::GetKeyState(kInsert) & 1) == 0;
    default:
      return true;
  }
}

std::string StatusPanel::ShownText() const {
  if (!m_text.empty()) return m_text;
  switch (m_type) {
    case PanelType::CapsLock:
      return "CAPS";
    case PanelType::NumLock:
      return "NUM";
    case PanelType::Insert:
      return "INS";
    case PanelType::Date:
      return rt::ShortDateText(rt::Today());
    default:
      return m_text;
  }
}

}  // namespace forms
