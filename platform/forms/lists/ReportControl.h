// The report list: records of items shown as rows under column headers.
// Records and items change freely; Populate turns them into rows, keeping
// the records that match the filter text (any shown item containing it,
// without regard to case) in the sort order (the sort columns in turn, each
// ascending or not; records that compare equal keep their order). Rows
// keep their selection and the focused row across Populate as long as
// their records stay.
//
// The user selects rows with a click (Ctrl: adds or removes one, Shift: a
// range) and with the keys (Up, Down, Page Up, Page Down, Home, End; Shift
// extends, Ctrl+A selects all), raising SelectionChanged; a double click on
// a row raises RowDblClick(Row, Item); a click on a column header sorts by
// that column (again: the other way round) and populates; dragging a
// resizable column's right edge sizes it. A long list scrolls, with the
// bars and the wheel. While the list has no rows it shows NoItemsText.
//
// The late-bound interface (ReportDispatch.h) has the dispatch ids that
// callers address the control's objects by. Reading a row, a selected row,
// a record or a column at a position that does not exist raises 5.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "forms/lists/IconStore.h"
#include "forms/lists/ListControl.h"
#include "forms/lists/ReportColumn.h"
#include "forms/lists/ReportRecord.h"

namespace forms {

class ReportControl : public ListControl {
 public:
  ReportControl();
  ~ReportControl() override;
  std::string ClassName() const override { return "ReportControl"; }

  // Columns, in the order they were added.
  std::shared_ptr<ReportColumn> AddColumn(int32_t itemIndex, std::string caption, int32_t width, bool resizable);
  const std::vector<std::shared_ptr<ReportColumn>>& Columns() const { return m_columns; }
  std::shared_ptr<ReportColumn> Column(int32_t position) const;

  // Records.
  std::shared_ptr<ReportRecord> AddRecord();
  int32_t RecordCount() const { return static_cast<int32_t>(m_records.size()); }
  std::shared_ptr<ReportRecord> Record(int32_t position) const;
  void DeleteAllRecords();
  // Removes the record whose Index is `recordIndex` (5 when none is).
  void RemoveRecordAt(int32_t recordIndex);

  void Populate();

  // Rows (by position from 0, after Populate).
  int32_t RowCount() const { return static_cast<int32_t>(m_rows.size()); }
  const std::shared_ptr<ReportRecord>& RowRecord(int32_t row) const;
  bool RowSelected(int32_t row) const;
  // Adds the row to the selection or takes it out.
  void SetRowSelected(int32_t row, bool selected);
  // The row of a record, -1 when it has none.
  int32_t FindRow(const ReportRecord& record) const;
  // The selected rows in order; the n-th of them (5 when there is none).
  std::vector<int32_t> SelectedRows() const;
  int32_t SelectedRow(int32_t n) const;
  void ClearSelection();
  // The focused row, -1 for none; focusing a row selects it alone.
  int32_t FocusedRow() const { return m_focused; }
  void SetFocusedRow(int32_t row);
  // Bumped by every Populate: a row object of an older one is stale.
  uint64_t Generation() const { return m_generation; }

  // Sort order and filter.
  const std::vector<std::shared_ptr<ReportColumn>>& SortOrder() const { return m_sortOrder; }
  void ClearSortOrder() { m_sortOrder.clear(); }
  void AddSortColumn(const std::shared_ptr<ReportColumn>& column);
  const std::string& FilterText() const { return m_filterText; }
  void SetFilterText(std::string text) { m_filterText = std::move(text); }

  // Look.
  const std::string& NoItemsText() const { return m_noItemsText; }
  void SetNoItemsText(std::string text);
  // The background of the rows (an OLE colour).
  uint32_t RowBackColor() const { return m_rowBackColor; }
  void SetRowBackColor(uint32_t color);
  IconStore& Icons() { return *m_icons; }
  const std::shared_ptr<IconStore>& IconObject() const { return m_icons; }
  bool AutoColumnSizing() const { return m_autoColumnSizing; }
  void SetAutoColumnSizing(bool value);
  bool MultipleSelection() const { return m_multipleSelection; }
  void SetMultipleSelection(bool value) { m_multipleSelection = value; }

  // Geometry in pixels of the control.
  int HeaderHeight() const;
  int RowHeight() const;
  gdi::RECT HeaderRect(const ReportColumn& column) const;
  gdi::RECT RowRect(int32_t row) const;
  int32_t RowAt(int x, int y) const;
  int32_t TopRow() const { return Scroll().TopLine(); }
  int32_t PageRows() const { return Scroll().PageLines(); }
  void SetTopRow(int32_t row) { Scroll().SetTopLine(row); }
  // A column changed its width or visibility.
  void ColumnsChanged();
  // Late-bound objects for a row and for an item of a row's record
  // (ReportDispatch.h); Nothing for a row that does not exist.
  rt::Variant RowObject(int32_t row);
  rt::Variant ItemObject(int32_t row, int32_t itemIndex);

  void Draw(gdi::HDC hdc, int x, int y) override;
  void KeyDown(int16_t& keyCode, int16_t shift) override;
  void KeyPress(int16_t& keyAscii) override;
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override;

 protected:
  void Arrange() override;

 private:
  // The members late-bound callers use (ReportDispatch.cpp).
  void DefineInterface();
  struct RowState {
    std::shared_ptr<ReportRecord> record;
    bool selected = false;
  };
  void Renumber();
  // Widths of the columns as shown (0 for a hidden one).
  const std::vector<int>& ShownWidths() const;
  int32_t ColumnAtDivider(int x, int y) const;
  std::shared_ptr<ReportColumn> ColumnAt(int x, int y) const;
  void SortBy(const std::shared_ptr<ReportColumn>& column);
  // The user's selection: a row alone, toggled (Ctrl) or a range (Shift).
  void Select(int32_t row, bool extend, bool toggle);
  void SelectionChanged();

  std::vector<std::shared_ptr<ReportColumn>> m_columns;
  std::vector<std::shared_ptr<ReportRecord>> m_records;
  std::vector<RowState> m_rows;
  std::vector<std::shared_ptr<ReportColumn>> m_sortOrder;
  std::string m_filterText;
  std::string m_noItemsText;
  uint32_t m_rowBackColor = 0x80000005;
  std::shared_ptr<IconStore> m_icons;
  bool m_autoColumnSizing = true;
  bool m_multipleSelection = true;
  int32_t m_focused = -1;
  int32_t m_anchor = -1;
  uint64_t m_generation = 0;
  gdi::RECT m_viewport{};
  mutable std::vector<int> m_widths;
  mutable bool m_widthsDirty = true;
  std::shared_ptr<ReportColumn> m_pressedHeader;
  int32_t m_sizing = -1;  // the column whose edge is dragged
  int m_sizingStart = 0;
  int m_sizingWidth = 0;
};

}  // namespace forms
