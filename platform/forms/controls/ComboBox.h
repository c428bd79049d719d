// The combo box: a field with a drop-down button whose list opens as a
// pop-up below it. Style 0 (drop-down combo) has an edit field the user
// types into (Change); style 2 (drop-down list) only shows the chosen item.
// AddItem, RemoveItem, Clear, ListCount, List(i), ListIndex (-1: none;
// setting it shows that item's text, -1 empties the text, and raises
// Click, and Change first when the text of style 0 changed), Text (style 0: the edit text, and the item equal to it becomes
// ListIndex; style 2: selects the item with that text, 383 when there is
// none). The user opens the list with the button, Alt+Down or F4, moves in
// it with the mouse and the keys, and chooses with a click or Enter
// (Click); Escape or a click elsewhere closes it without a change. With the
// list closed the Up and Down keys choose the previous or next item, and
// in style 2 a letter the next item starting with it.
#pragma once

#include <memory>
#include <string>

#include "forms/StandardControl.h"
#include "forms/controls/EditField.h"
#include "forms/lists/ItemList.h"

namespace forms {

inline constexpr int16_t cbDropDownCombo = 0;
inline constexpr int16_t cbDropDownList = 2;

class ComboBox : public StandardControl {
 public:
  ComboBox();
  ~ComboBox() override;
  std::string ClassName() const override { return "ComboBox"; }

  int16_t Style() const { return m_style; }
  void SetStyle(int16_t style);
  void AddItem(std::string item, int32_t index = -1);
  void RemoveItem(int32_t index);
  void Clear();
  int32_t ListCount() const { return static_cast<int32_t>(m_items.size()); }
  const std::string& List(int32_t index) const;
  void SetList(int32_t index, std::string item);
  int32_t ListIndex() const { return m_listIndex; }
  void SetListIndex(int32_t index);
  const std::string& Text() const { return m_field.Buffer().Text(); }
  void SetText(std::string text);
  int32_t SelStart() const { return static_cast<int32_t>(m_field.Buffer().SelStart()); }
  int32_t SelLength() const { return static_cast<int32_t>(m_field.Buffer().SelLength()); }
  void Select(int32_t start, int32_t length);
  bool Locked() const { return m_field.Locked(); }
  void SetLocked(bool locked) { m_field.SetLocked(locked); }

  // The drop-down list.
  bool DroppedDown() const;
  void DropDown();
  void CloseUp();
  // The item the open list highlights (-1: none).
  int32_t HighlightedItem() const;

  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;
  void KeyDown(int16_t& keyCode, int16_t shift) override;
  void KeyPress(int16_t& keyAscii) override;
  void GotFocus() override;
  void LostFocus() override;
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override;

 protected:
  std::string WindowClass() const override;
  void OnTextChanged() override { m_field.View().Reset(); }
  void OnUnsited() override;

 private:
  class DropDownList;
  friend class DropDownList;
  void CheckIndex(int32_t index) const;
  gdi::RECT ButtonRect() const;
  gdi::RECT TextRect() const;
  // The user chose an item (from the list or with the keys).
  void Choose(int32_t index);
  void Edited(bool changed);
  int32_t ExactMatch(const std::string& text) const;

  int16_t m_style = cbDropDownCombo;
  std::vector<std::string> m_items;
  int32_t m_listIndex = -1;
  EditField m_field;
  std::unique_ptr<DropDownList> m_dropDown;
};

}  // namespace forms
