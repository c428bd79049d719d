// The report list's late-bound objects, with the dispatch ids that callers
// address them by (parent -> member):
//   control: 12 Icons, 13 Columns, 14 Records, 15 Populate, 16 PaintManager,
//            18 Rows, 19 SelectedRows, 20 FocusedRow, 21 SortOrder,
//            33 FilterText
//   Icons: 2 AddIcon(picture handle, number, state)
//   Columns: 0 (position), 1 Count, 2 Add(index, caption, width, resizable)
//   column: 2 Visible, 5 SortAscending
//   Records: 0 (position), 1 Count, 2 Add, 5 DeleteAll, 6 RemoveAt(index)
//   record: 0 (position) -> item, 2 AddItem(value), 10 Index
//   item: 3 Value, 9 Icon
//   PaintManager: 10 NoItemsText, 14 BackColor (the rows' background)
//   Rows: 0 (position), 1 Count, 2 FindRow(record)
//   row: 1 Record, 2 Index, 7 Selected
//   SelectedRows: 0 (position), 1 Count, 5 DeleteAll
//   SortOrder: 0 (position), 1 Count, 2 Add(column), 5 DeleteAll
// Records, items and rows are made when asked for (a list holds thousands
// of them); a row object stands for its position in the rows of one
// Populate and reads as gone after the next.
#pragma once

#include <memory>

#include "com/Dispatch.h"
#include "forms/lists/ReportRecord.h"

namespace forms {

class ReportControl;

class ReportRecordObject : public com::Dispatch {
 public:
  explicit ReportRecordObject(std::shared_ptr<ReportRecord> record);
  std::string TypeName() const override { return "ReportRecord"; }
  const std::shared_ptr<ReportRecord>& Record() const { return m_record; }

 private:
  std::shared_ptr<ReportRecord> m_record;
};

class ReportItemObject : public com::Dispatch {
 public:
  ReportItemObject(std::shared_ptr<ReportRecord> record, int32_t position);
  std::string TypeName() const override { return "ReportRecordItem"; }

 private:
  ReportItem& Item() const { return m_record->Item(m_position); }
  std::shared_ptr<ReportRecord> m_record;
  int32_t m_position;
};

class ReportRowObject : public com::Dispatch {
 public:
  ReportRowObject(std::shared_ptr<ReportControl> control, int32_t row);
  std::string TypeName() const override { return "ReportRow"; }
  // The row's position, -1 when the rows were populated since.
  int32_t Row() const;

 private:
  std::weak_ptr<ReportControl> m_control;
  int32_t m_row;
  uint64_t m_generation;
};

}  // namespace forms
