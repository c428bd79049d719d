#include "forms/containers/TabPage.h"

#include "com/ControlFactory.h"
#include "forms/ControlPainter.h"
#include "forms/Form.h"
#include "forms/containers/TabControl.h"

namespace forms {

namespace {
com::ControlRegistration<TabPage> registration{"XtremeSuiteControls.TabControlPage", "TabControlPage",
                                               "ActiveTabs.SSActiveTabPanel", "SSActiveTabPanel", "TabPage"};
}

TabPage::TabPage() : StandardControl(0x80000012, 0x8000000F) {
  DefineProperty(
      "Image", [this] { return rt::Variant(m_image); }, [this](const rt::Variant& v) { SetImage(v.ToLong()); });
  DefineProperty(
      "Selected", [this] { return rt::Variant(Selected()); },
      [this](const rt::Variant& v) {
        if (v.ToBool()) Select();
      });
}

TabControl* TabPage::Owner() const {
  auto* form = dynamic_cast<Form*>(Container());
  return form ? dynamic_cast<TabControl*>(form->HolderOf(*this)) : nullptr;
}

bool TabPage::Selected() const {
  TabControl* owner = Owner();
  return owner && owner->SelectedItem() >= 0 && owner->Item(owner->SelectedItem()).get() == this;
}

void TabPage::Select() {
  TabControl* owner = Owner();
  if (!owner) return;
  const auto pages = owner->Pages();
  for (size_t i = 0; i < pages.size(); ++i) {
    if (pages[i].get() == this) owner->SetSelectedItem(static_cast<int32_t>(i));
  }
}

void TabPage::SetImage(int32_t image) {
  m_image = image;
  if (TabControl* owner = Owner()) owner->Invalidate();
}

void TabPage::OnEnabledChanged() {
  if (TabControl* owner = Owner()) owner->Invalidate();
}

void TabPage::OnTextChanged() {
  if (TabControl* owner = Owner()) owner->Invalidate();
}

bool TabPage::OnAccessKey(char32_t letter) {
  TabControl* owner = Owner();
  if (letter == 0 || !owner || !owner->ShowTabs() || !Enabled() || AccessKeyOf(Caption()) != letter) return false;
  Select();
  return true;
}

void TabPage::ReadProperties(const com::PropertyBag& bag) {
  m_image = bag.ReadProperty("Image", -1).ToLong();
  StandardControl::ReadProperties(bag);
}

void TabPage::WriteProperties(com::PropertyBag& bag) {
  StandardControl::WriteProperties(bag);
  bag.WriteProperty("Image", m_image, -1);
}

void TabPage::Draw(gdi::HDC hdc, int x, int y) {
  painter::FillSolid(hdc, gdi::RECT{x, y, x + PixelWidth(), y + PixelHeight()}, BackColor());
}

}  // namespace forms
