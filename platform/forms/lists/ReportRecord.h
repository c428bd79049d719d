// A record of a report list: its items in order (item i shows in the
// column added with index i) and its Index, its position among the
// records. Changes show after the next Populate.
#pragma once

#include <cstdint>
#include <vector>

#include "forms/lists/ReportItem.h"

namespace forms {

class ReportRecord {
 public:
  ReportItem& AddItem(rt::Variant value);
  int32_t ItemCount() const { return static_cast<int32_t>(m_items.size()); }
  // Raises 5 for a position without item.
  ReportItem& Item(int32_t position);
  const ReportItem& Item(int32_t position) const;
  // nullptr for a position without item.
  const ReportItem* ItemOrNull(int32_t position) const;
  int32_t Index() const { return m_index; }

 private:
  friend class ReportControl;
  std::vector<ReportItem> m_items;
  int32_t m_index = -1;
};

}  // namespace forms
