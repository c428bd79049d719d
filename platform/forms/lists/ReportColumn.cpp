#include "forms/lists/ReportColumn.h"

#include <algorithm>

#include "forms/lists/ReportControl.h"

namespace forms {

ReportColumn::ReportColumn(ReportControl& owner, int32_t itemIndex, std::string caption, int32_t width, bool resizable)
    : m_owner(owner), m_itemIndex(itemIndex), m_caption(std::move(caption)), m_width(std::max(0, width)),
      m_resizable(resizable) {
  DefineProperty(
      "Caption", [this] { return rt::Variant(m_caption); }, [this](const rt::Variant& v) { SetCaption(v.ToString()); },
      1);
  DefineProperty(
      "Visible", [this] { return rt::Variant(m_visible); }, [this](const rt::Variant& v) { SetVisible(v.ToBool()); }, 2);
  DefineProperty(
      "Width", [this] { return rt::Variant(m_width); }, [this](const rt::Variant& v) { SetWidth(v.ToLong()); }, 3);
  DefineReadOnly("ItemIndex", [this] { return rt::Variant(m_itemIndex); }, 4);
  DefineProperty(
      "SortAscending", [this] { return rt::Variant(m_ascending); },
      [this](const rt::Variant& v) { SetSortAscending(v.ToBool()); }, 5);
  DefineProperty(
      "Resizable", [this] { return rt::Variant(m_resizable); }, [this](const rt::Variant& v) { SetResizable(v.ToBool()); },
      6);
}

void ReportColumn::SetCaption(std::string caption) {
  m_caption = std::move(caption);
  m_owner.Invalidate();
}

void ReportColumn::SetWidth(int32_t width) {
  m_width = std::max(0, width);
  m_owner.ColumnsChanged();
}

void ReportColumn::SetVisible(bool visible) {
  m_visible = visible;
  m_owner.ColumnsChanged();
}

}  // namespace forms
