#include "forms/containers/TabControl.h"

#include <algorithm>

#include "com/ControlFactory.h"
#include "forms/ControlPainter.h"
#include "forms/Form.h"
#include "forms/containers/TabPage.h"
#include "gdi/Gdi.h"
#include "runtime/Error.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/Messages.h"

namespace forms {

namespace {
com::ControlRegistration<TabControl> registration{"XtremeSuiteControls.TabControl", "TabControl",
                                                  "ActiveTabs.SSActiveTabs", "SSActiveTabs"};
constexpr int kTabPadding = 8;
constexpr int kIconSize = 16;
}  // namespace

TabControl::TabControl() : StandardControl(0x80000012, 0x8000000F), m_icons(std::make_shared<IconStore>()) {
  DefineProperty(
      "SelectedItem", [this] { return rt::Variant(SelectedItem()); },
      [this](const rt::Variant& v) { SetSelectedItem(v.ToLong()); });
  DefineReadOnly("ItemCount", [this] { return rt::Variant(ItemCount()); });
  DefineMethod("Item", [this](com::Args& args) {
    auto page = Item(com::RequiredArg(args, 0).ToLong());
    if (!page) rt::Raise(380, "TabControl", "Invalid property value");
    return com::ToVariant(page);
  });
  DefineReadOnly("Icons", [this] { return com::ToVariant(m_icons); });
  DefineProperty(
      "ShowTabs", [this] { return rt::Variant(m_showTabs); }, [this](const rt::Variant& v) { SetShowTabs(v.ToBool()); });
}

void TabControl::OnMoved() {
  if (auto* form = dynamic_cast<Form*>(Container())) form->HolderMoved(*this);
  ArrangePages();
}

void TabControl::OnSited() {
  StandardControl::OnSited();
  ArrangePages();
}

std::vector<std::shared_ptr<TabPage>> TabControl::Pages() const {
  std::vector<std::shared_ptr<TabPage>> pages;
  auto* form = dynamic_cast<Form*>(Container());
  if (!form) return pages;
  for (const auto& c : form->HeldBy(*this)) {
    if (auto page = std::dynamic_pointer_cast<TabPage>(c)) pages.push_back(page);
  }
  return pages;
}

std::shared_ptr<TabPage> TabControl::Item(int32_t index) const {
  const auto pages = Pages();
  return index >= 0 && index < static_cast<int32_t>(pages.size()) ? pages[static_cast<size_t>(index)] : nullptr;
}

int32_t TabControl::SelectedItem() const {
  const auto pages = Pages();
  auto selected = m_selected.lock();
  for (size_t i = 0; i < pages.size(); ++i) {
    if (pages[i] == selected) return static_cast<int32_t>(i);
  }
  // Without a choice the first page shows.
  return pages.empty() ? -1 : 0;
}

void TabControl::SetSelectedItem(int32_t index) {
  auto page = Item(index);
  if (!page) rt::Raise(380, "TabControl", "Invalid property value");
  const bool changed = SelectedItem() != index || m_selected.expired();
  m_selected = page;
  Invalidate();
  if (auto* form = dynamic_cast<Form*>(Container())) form->SyncShownControls();
  if (changed) {
    com::Args args{index};
    RaiseEvent("SelectedChanged", args);
  }
}

void TabControl::SetShowTabs(bool show) {
  m_showTabs = show;
  ArrangePages();
  Invalidate();
}

bool TabControl::ShowsHeld(const com::Control& held) const {
  if (!dynamic_cast<const TabPage*>(&held)) return true;
  const auto page = Item(SelectedItem());
  return page.get() == &held;
}

int TabControl::TabHeight() const { return m_showTabs ? painter::LineHeight(Font()) + 8 : 0; }

void TabControl::PageArea(int32_t& left, int32_t& top, int32_t& width, int32_t& height) const {
  const int inset = 2;
  const int tabs = TabHeight();
  left = Left() + gdi::PixelsToTwipsX(inset);
  top = Top() + gdi::PixelsToTwipsY(tabs + inset);
  width = std::max(0, Width() - gdi::PixelsToTwipsX(2 * inset + 1));
  height = std::max(0, Height() - gdi::PixelsToTwipsY(tabs + 2 * inset + 1));
}

void TabControl::ArrangePages() {
  int32_t left, top, width, height;
  PageArea(left, top, width, height);
  for (const auto& page : Pages()) {
    if (page->Left() != left || page->Top() != top || page->Width() != width || page->Height() != height) {
      page->Move(left, top, width, height);
    }
  }
}

gdi::RECT TabControl::TabRect(int32_t index) const {
  if (!m_showTabs) return {};
  const auto pages = Pages();
  int x = 2;
  for (int32_t i = 0; i < static_cast<int32_t>(pages.size()); ++i) {
    const auto& page = pages[static_cast<size_t>(i)];
    int width = painter::MeasureText(page->Caption(), Font(), 0, true).cx + 2 * kTabPadding;
    if (m_icons->Icon(page->Image() < 0 ? i : page->Image())) width += kIconSize + 4;
    if (i == index) return gdi::RECT{x, 2, x + width, TabHeight() + 1};
    x += width;
  }
  return {};
}

int32_t TabControl::TabAt(int x, int y) const {
  for (int32_t i = 0; i < ItemCount(); ++i) {
    if (gdi::PtInRect(TabRect(i), win::POINT{x, y})) return i;
  }
  return -1;
}

void TabControl::Choose(int32_t index) {
  auto page = Item(index);
  if (!page || !page->Enabled()) return;
  SetSelectedItem(index);
}

bool TabControl::StepPage(bool backwards) {
  const int32_t count = ItemCount();
  if (count < 2) return false;
  for (int32_t step = 1; step < count; ++step) {
    const int32_t index = (SelectedItem() + (backwards ? count - step : step)) % count;
    if (Item(index)->Enabled()) {
      SetSelectedItem(index);
      return true;
    }
  }
  return false;
}

void TabControl::KeyDown(int16_t& keyCode, int16_t shift) {
  StandardControl::KeyDown(keyCode, shift);
  const auto key = static_cast<uint32_t>(keyCode);
  if (key != win::VK_LEFT && key != win::VK_RIGHT) return;
  const int32_t count = ItemCount();
  for (int32_t i = SelectedItem() + (key == win::VK_LEFT ? -1 : 1); i >= 0 && i < count;
       i += key == win::VK_LEFT ? -1 : 1) {
    if (Item(i)->Enabled()) {
      SetSelectedItem(i);
      break;
    }
  }
  keyCode = 0;
}

bool TabControl::HandleMessage(uint32_t msg, win::WPARAM, win::LPARAM lParam, win::LRESULT& result) {
  if (msg != win::WM_LBUTTONDOWN && msg != win::WM_LBUTTONUP && msg != win::WM_LBUTTONDBLCLK) return false;
  result = 0;
  if (msg != win::WM_LBUTTONDOWN) return true;
  const int32_t index = TabAt(win::GET_X_LPARAM(lParam), win::GET_Y_LPARAM(lParam));
  if (index < 0 || !Item(index)->Enabled()) return true;
  if (auto* form = dynamic_cast<Form*>(Container())) form->SetFocusTo(*this);
  Choose(index);
  com::Args args{index};
  RaiseEvent("TabClick", args);
  return true;
}

void TabControl::GotFocus() {
  Invalidate();
  StandardControl::GotFocus();
}

void TabControl::LostFocus() {
  Invalidate();
  StandardControl::LostFocus();
}

void TabControl::ReadProperties(const com::PropertyBag& bag) {
  m_showTabs = bag.ReadProperty("ShowTabs", true).ToBool();
  StandardControl::ReadProperties(bag);
}

void TabControl::WriteProperties(com::PropertyBag& bag) {
  StandardControl::WriteProperties(bag);
  bag.WriteProperty("ShowTabs", m_showTabs, true);
}

void TabControl::Draw(gdi::HDC hdc, int x, int y) {
  const int tabs = TabHeight();
  painter::FillSolid(hdc, gdi::RECT{x, y, x + PixelWidth(), y + tabs}, BackColor());
  painter::DrawTabPage(hdc, gdi::RECT{x, y + tabs, x + PixelWidth(), y + PixelHeight()});
  if (!m_showTabs) return;
  const auto pages = Pages();
  const int32_t selected = SelectedItem();
  const bool focused = hWnd() != win::kNoWindow && win::GetFocus() == hWnd();
  // The other tabs first, then the selected one, taller and joined to the page.
  for (int pass = 0; pass < 2; ++pass) {
    for (int32_t i = 0; i < static_cast<int32_t>(pages.size()); ++i) {
      if ((i == selected) != (pass == 1)) continue;
      gdi::RECT r = TabRect(i);
      gdi::OffsetRect(&r, x, y);
      if (i == selected) {
        r.left -= 2;
        r.right += 2;
        r.top -= 2;
        r.bottom += 1;
      }
      const auto& page = pages[static_cast<size_t>(i)];
      painter::DrawTab(hdc, r, page->Caption(), m_icons->Icon(page->Image() < 0 ? i : page->Image()), Font(),
                       i == selected, page->Enabled() && Enabled(), focused && i == selected);
    }
  }
}

}  // namespace forms
