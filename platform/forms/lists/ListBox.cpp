#include "forms/lists/ListBox.h"

#include "com/ControlFactory.h"
#include "forms/ControlPainter.h"
#include "forms/Form.h"
#include "runtime/Error.h"
#include "win/Input.h"
#include "win/Messages.h"
#include "win/Window.h"

namespace forms {

namespace {
com::ControlRegistration<ListBox> registration{"VB.ListBox", "ListBox", "XtremeSuiteControls.ListBox"};
}

ListBox::ListBox() : m_list(Scroll()) {
  DefineItemListMembers(*this);
  DefineReadOnly("Text", [this] { return rt::Variant(Text()); });
  DefineProperty(
      "ItemData", [this](com::Args& args) { return rt::Variant(ItemData(com::RequiredArg(args, 0).ToLong())); },
      [this](com::Args& args) {
        SetItemData(com::RequiredArg(args, 0).ToLong(), com::RequiredArg(args, 1).ToLong());
        return rt::Variant();
      });
  DefineProperty(
      "TopIndex", [this] { return rt::Variant(TopIndex()); }, [this](const rt::Variant& v) { SetTopIndex(v.ToLong()); });
}

ListBox::~ListBox() = default;

void ListBox::Arrange() { m_list.Arrange(gdi::RECT{2, 2, PixelWidth() - 2, PixelHeight() - 2}, Font()); }

void ListBox::CheckIndex(int32_t index) const {
  if (index < 0 || index >= ListCount()) rt::Raise(errInvalidArrayIndex, "ListBox", "Invalid property array index");
}

void ListBox::AddItem(std::string item, int32_t index) {
  if (index > ListCount() || index < -1) CheckIndex(index);
  const auto at = static_cast<size_t>(index < 0 ? ListCount() : index);
  m_list.Items().insert(m_list.Items().begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
  m_itemData.insert(m_itemData.begin() + static_cast<std::ptrdiff_t>(at), 0);
  if (m_list.Selected() >= static_cast<int>(at)) m_list.SetSelected(m_list.Selected() + 1);
  Arrange();
  Invalidate();
}

void ListBox::RemoveItem(int32_t index) {
  CheckIndex(index);
  m_list.Items().erase(m_list.Items().begin() + index);
  m_itemData.erase(m_itemData.begin() + index);
  const int selected = m_list.Selected();
  if (selected == index)
    m_list.SetSelected(-1);
  else if (selected > index)
    m_list.SetSelected(selected - 1);
  Arrange();
  Invalidate();
}

void ListBox::Clear() {
  m_list.Items().clear();
  m_itemData.clear();
  m_list.SetSelected(-1);
  Arrange();
  Invalidate();
}

const std::string& ListBox::List(int32_t index) const {
  CheckIndex(index);
  return m_list.Items()[static_cast<size_t>(index)];
}

void ListBox::SetList(int32_t index, std::string item) {
  CheckIndex(index);
  m_list.Items()[static_cast<size_t>(index)] = std::move(item);
  Invalidate();
}

void ListBox::SetListIndex(int32_t index) {
  if (index != -1) CheckIndex(index);
  if (index == m_list.Selected()) return;
  m_list.SetSelected(index);
  Invalidate();
  RaiseEvent("Click");
}

void ListBox::SetListIndexRows(int32_t first, int32_t last) {
  CheckIndex(first);
  CheckIndex(last);
  const bool changed = last != m_list.Selected();
  m_list.SetSelectedRows(first, last);
  Invalidate();
  if (changed) RaiseEvent("Click");
}

bool ListBox::Selected(int32_t index) const {
  CheckIndex(index);
  return m_list.IsSelected(index);
}

int32_t ListBox::ItemData(int32_t index) const {
  CheckIndex(index);
  return m_itemData[static_cast<size_t>(index)];
}

void ListBox::SetItemData(int32_t index, int32_t value) {
  CheckIndex(index);
  m_itemData[static_cast<size_t>(index)] = value;
}

void ListBox::Choose(int index) {
  if (index >= 0) SetListIndex(index);
}

void ListBox::KeyDown(int16_t& keyCode, int16_t shift) {
  StandardControl::KeyDown(keyCode, shift);
  if (keyCode == 0) return;
  const int index = m_list.IndexForKey(static_cast<uint32_t>(keyCode));
  if (index < 0) return;
  Choose(index);
  keyCode = 0;
}

void ListBox::KeyPress(int16_t& keyAscii) {
  StandardControl::KeyPress(keyAscii);
  if (keyAscii > 32) Choose(m_list.IndexForLetter(static_cast<char32_t>(static_cast<uint16_t>(keyAscii))));
}

bool ListBox::HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) {
  const int x = win::GET_X_LPARAM(lParam);
  const int y = win::GET_Y_LPARAM(lParam);
  result = 0;
  switch (msg) {
    case win::WM_LBUTTONDOWN:
      FocusByClick();
      Choose(m_list.ItemAt(x, y));
      return true;
    case win::WM_LBUTTONDBLCLK:
      if (m_list.ItemAt(x, y) >= 0) RaiseEvent("DblClick");
      return true;
    case win::WM_LBUTTONUP:
      return true;
    default:
      return ListControl::HandleMessage(msg, wParam, lParam, result);
  }
}

void ListBox::Draw(gdi::HDC hdc, int x, int y) {
  painter::DrawField(hdc, gdi::RECT{x, y, x + PixelWidth(), y + PixelHeight()}, BackColor(), Enabled());
  m_list.Draw(hdc, x, y, Font(), ForeColor(), Enabled(), Focused());
}

}  // namespace forms
