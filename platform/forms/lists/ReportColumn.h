// A column of a report list: it shows item ItemIndex of each record under
// its Caption, Width pixels wide (with automatic column sizing the share of
// the list's width that it takes; a column that is not Resizable keeps its
// width), and can be hidden. SortAscending is its direction when it is in
// the sort order.
#pragma once

#include <string>

#include "com/Dispatch.h"

namespace forms {

class ReportControl;

class ReportColumn : public com::Dispatch {
 public:
  ReportColumn(ReportControl& owner, int32_t itemIndex, std::string caption, int32_t width, bool resizable);
  std::string TypeName() const override { return "ReportColumn"; }

  int32_t ItemIndex() const { return m_itemIndex; }
  const std::string& Caption() const { return m_caption; }
  void SetCaption(std::string caption);
  int32_t Width() const { return m_width; }
  void SetWidth(int32_t width);
  bool Resizable() const { return m_resizable; }
  void SetResizable(bool value) { m_resizable = value; }
  bool Visible() const { return m_visible; }
  void SetVisible(bool visible);
  bool SortAscending() const { return m_ascending; }
  void SetSortAscending(bool ascending) { m_ascending = ascending; }

 private:
  ReportControl& m_owner;
  int32_t m_itemIndex;
  std::string m_caption;
  int32_t m_width;
  bool m_resizable;
  bool m_visible = true;
  bool m_ascending = true;
};

}  // namespace forms
