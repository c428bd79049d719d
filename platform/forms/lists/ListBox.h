// The list box: a sunken field of text items, one of which can be selected.
// AddItem (at an index or the end), RemoveItem, Clear, ListCount, List(i)
// (read and written), ListIndex (-1: nothing selected), Text (the selected
// item), ItemData(i) and TopIndex. A change of the selection, by the user
// or by ListIndex, raises Click; a double click on an item raises DblClick.
// An index outside the list raises 381 ("Invalid property array index").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/lists/ItemList.h"
#include "forms/lists/ListControl.h"

namespace forms {

inline constexpr int32_t errInvalidArrayIndex = 381;

class ListBox : public ListControl {
 public:
  ListBox();
  ~ListBox() override;
  std::string ClassName() const override { return "ListBox"; }

  void AddItem(std::string item, int32_t index = -1);
  void RemoveItem(int32_t index);
  void Clear();
  int32_t ListCount() const { return m_list.Count(); }
  const std::string& List(int32_t index) const;
  void SetList(int32_t index, std::string item);
  int32_t ListIndex() const { return m_list.Selected(); }
  void SetListIndex(int32_t index);
  // Sets ListIndex to `last` and shows the rows from `first` to it
  // selected together: one entry that was broken into several rows.
  void SetListIndexRows(int32_t first, int32_t last);
  // Whether the item is shown selected.
  bool Selected(int32_t index) const;
  std::string Text() const { return ListIndex() < 0 ? std::string() : List(ListIndex()); }
  int32_t ItemData(int32_t index) const;
  void SetItemData(int32_t index, int32_t value);
  int32_t TopIndex() const { return m_list.TopIndex(); }
  void SetTopIndex(int32_t index) { m_list.SetTopIndex(index); }

  void Draw(gdi::HDC hdc, int x, int y) override;
  void KeyDown(int16_t& keyCode, int16_t shift) override;
  void KeyPress(int16_t& keyAscii) override;
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override;

 protected:
  void Arrange() override;

 private:
  void CheckIndex(int32_t index) const;
  // The user moved the selection.
  void Choose(int index);

  ItemList m_list;
  std::vector<int32_t> m_itemData;
};

}  // namespace forms
