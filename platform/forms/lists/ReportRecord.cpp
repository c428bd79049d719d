#include "forms/lists/ReportRecord.h"

#include "runtime/Error.h"

namespace forms {

ReportItem& ReportRecord::AddItem(rt::Variant value) { return m_items.emplace_back(std::move(value)); }

ReportItem& ReportRecord::Item(int32_t position) {
  if (position < 0 || position >= ItemCount()) {
    rt::Raise(rt::errInvalidProcedureCall, "ReportRecord", "Invalid procedure call or argument");
  }
  return m_items[static_cast<size_t>(position)];
}

const ReportItem& ReportRecord::Item(int32_t position) const { return const_cast<ReportRecord*>(this)->Item(position); }

const ReportItem* ReportRecord::ItemOrNull(int32_t position) const {
  return position >= 0 && position < ItemCount() ? &m_items[static_cast<size_t>(position)] : nullptr;
}

}  // namespace forms
