#include "forms/lists/ReportControl.h"

#include <algorithm>
#include <unordered_map>

#include "com/ControlFactory.h"
#include "forms/ControlPainter.h"
#include "forms/Form.h"
#include "gdi/Gdi.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "win/Cursor.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/Messages.h"
#include "win/Window.h"

namespace forms {

namespace {

com::ControlRegistration<ReportControl> registration{"XtremeReportControl.ReportControl", "ReportControl"};

constexpr int kIcon = 16;
constexpr int kCellPadding = 4;
constexpr int kMinColumn = 20;
constexpr int kDividerGrip = 3;

[[noreturn]] void NoSuchElement() {
  rt::Raise(rt::errInvalidProcedureCall, "ReportControl", "Invalid procedure call or argument");
}

}  // namespace

ReportControl::ReportControl() : m_icons(std::make_shared<IconStore>()) {
  DefineInterface();
}

ReportControl::~ReportControl() = default;

// --- columns and records ---------------------------------------------------

std::shared_ptr<ReportColumn> ReportControl::AddColumn(int32_t itemIndex, std::string caption, int32_t width,
                                                       bool resizable) {
  auto column = std::make_shared<ReportColumn>(*this, itemIndex, std::move(caption), width, resizable);
  m_columns.push_back(column);
  ColumnsChanged();
  return column;
}

std::shared_ptr<ReportColumn> ReportControl::Column(int32_t position) const {
  if (position < 0 || position >= static_cast<int32_t>(m_columns.size())) NoSuchElement();
  return m_columns[static_cast<size_t>(position)];
}

void ReportControl::ColumnsChanged() {
  m_widthsDirty = true;
  Arrange();
  Invalidate();
}

std::shared_ptr<ReportRecord> ReportControl::AddRecord() {
  auto record = std::make_shared<ReportRecord>();
  record->m_index = RecordCount();
  m_records.push_back(record);
  return record;
}

std::shared_ptr<ReportRecord> ReportControl::Record(int32_t position) const {
  if (position < 0 || position >= RecordCount()) NoSuchElement();
  return m_records[static_cast<size_t>(position)];
}

void ReportControl::Renumber() {
  for (size_t i = 0; i < m_records.size(); ++i) m_records[i]->m_index = static_cast<int32_t>(i);
}

void ReportControl::DeleteAllRecords() {
  for (const auto& record : m_records) record->m_index = -1;
  m_records.clear();
}

void ReportControl::RemoveRecordAt(int32_t recordIndex) {
  if (recordIndex < 0 || recordIndex >= RecordCount()) NoSuchElement();
  m_records[static_cast<size_t>(recordIndex)]->m_index = -1;
  m_records.erase(m_records.begin() + recordIndex);
  Renumber();
}

void ReportControl::AddSortColumn(const std::shared_ptr<ReportColumn>& column) {
  if (column && std::find(m_sortOrder.begin(), m_sortOrder.end(), column) == m_sortOrder.end()) {
    m_sortOrder.push_back(column);
  }
}

// --- populate ----------------------------------------------------------------

void ReportControl::Populate() {
  // What the old rows had: their selection and the focus, by record.
  std::unordered_map<const ReportRecord*, bool> selected;
  for (const auto& row : m_rows) {
    if (row.selected) selected[row.record.get()] = true;
  }
  const ReportRecord* focused = m_focused >= 0 && m_focused < RowCount() ? m_rows[static_cast<size_t>(m_focused)].record.get() : nullptr;

  std::vector<const ReportRecord*> shown;
  shown.reserve(m_records.size());
  std::vector<int32_t> visibleItems;
  for (const auto& c : m_columns) {
    if (c->Visible()) visibleItems.push_back(c->ItemIndex());
  }
  for (const auto& record : m_records) {
    bool match = m_filterText.empty();
    for (size_t k = 0; !match && k < visibleItems.size(); ++k) {
      const ReportItem* item = record->ItemOrNull(visibleItems[k]);
      match = item && rt::InStr(item->Caption(), m_filterText, rt::CompareMethod::Text) > 0;
    }
    if (match) shown.push_back(record.get());
  }
  if (!m_sortOrder.empty()) {
    // The sort keys are worked out once a record: a number (numbers and
    // dates) or the text without regard to case; Null and Empty first.
    struct Key {
      uint8_t kind = 0;  // 0 none, 1 number, 2 text
      double number = 0;
      std::string text;
    };
    const size_t columns = m_sortOrder.size();
    std::vector<Key> keys(shown.size() * columns);
    for (size_t r = 0; r < shown.size(); ++r) {
      for (size_t c = 0; c < columns; ++c) {
        const ReportItem* item = shown[r]->ItemOrNull(m_sortOrder[c]->ItemIndex());
        Key& key = keys[r * columns + c];
        if (!item || item->Value().IsNull() || item->Value().IsEmpty()) continue;
        const rt::Variant& v = item->Value();
        if (v.Type() == rt::VarType::Date || (!v.IsString() && v.IsNumeric())) {
          key.kind = 1;
          key.number = v.Type() == rt::VarType::Date ? v.ToDate().days : v.ToDouble();
        } else {
          key.kind = 2;
        }
        key.text = rt::LCase(item->Caption());
      }
    }
    std::vector<size_t> order(shown.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      for (size_t c = 0; c < columns; ++c) {
        const Key& x = keys[a * columns + c];
        const Key& y = keys[b * columns + c];
        int cmp = 0;
        if (x.kind == 0 || y.kind == 0)
          cmp = x.kind == y.kind ? 0 : (x.kind == 0 ? -1 : 1);
        else if (x.kind == 1 && y.kind == 1)
          cmp = x.number < y.number ? -1 : (x.number > y.number ? 1 : 0);
        else
          cmp = x.text.compare(y.text);
        if (cmp != 0) return m_sortOrder[c]->SortAscending() ? cmp < 0 : cmp > 0;
      }
      return false;
    });
    std::vector<const ReportRecord*> sorted(shown.size());
    for (size_t i = 0; i < order.size(); ++i) sorted[i] = shown[order[i]];
    shown.swap(sorted);
  }
  m_rows.clear();
  m_rows.reserve(shown.size());
  m_focused = -1;
  for (const ReportRecord* record : shown) {
    const bool wasSelected = !selected.empty() && selected.count(record) > 0;
    if (record == focused) m_focused = static_cast<int32_t>(m_rows.size());
    m_rows.push_back(RowState{m_records[static_cast<size_t>(record->Index())], wasSelected});
  }
  m_anchor = m_focused;
  ++m_generation;
  Arrange();
  Invalidate();
}

// --- rows and selection ------------------------------------------------------

const std::shared_ptr<ReportRecord>& ReportControl::RowRecord(int32_t row) const {
  if (row < 0 || row >= RowCount()) NoSuchElement();
  return m_rows[static_cast<size_t>(row)].record;
}

bool ReportControl::RowSelected(int32_t row) const {
  return row >= 0 && row < RowCount() && m_rows[static_cast<size_t>(row)].selected;
}

void ReportControl::SetRowSelected(int32_t row, bool selected) {
  if (row < 0 || row >= RowCount()) NoSuchElement();
  if (selected && !m_multipleSelection) {
    for (auto& r : m_rows) r.selected = false;
  }
  m_rows[static_cast<size_t>(row)].selected = selected;
  Invalidate();
}

int32_t ReportControl::FindRow(const ReportRecord& record) const {
  for (size_t i = 0; i < m_rows.size(); ++i) {
    if (m_rows[i].record.get() == &record) return static_cast<int32_t>(i);
  }
  return -1;
}

std::vector<int32_t> ReportControl::SelectedRows() const {
  std::vector<int32_t> rows;
  for (size_t i = 0; i < m_rows.size(); ++i) {
    if (m_rows[i].selected) rows.push_back(static_cast<int32_t>(i));
  }
  return rows;
}

int32_t ReportControl::SelectedRow(int32_t n) const {
  int32_t seen = 0;
  for (size_t i = 0; i < m_rows.size() && n >= 0; ++i) {
    if (m_rows[i].selected && seen++ == n) return static_cast<int32_t>(i);
  }
  NoSuchElement();
}

void ReportControl::ClearSelection() {
  for (auto& row : m_rows) row.selected = false;
  Invalidate();
}

void ReportControl::SetFocusedRow(int32_t row) {
  if (row < -1 || row >= RowCount()) NoSuchElement();
  m_focused = m_anchor = row;
  for (auto& r : m_rows) r.selected = false;
  if (row >= 0) {
    m_rows[static_cast<size_t>(row)].selected = true;
    Scroll().EnsureVisible(row);
  }
  Invalidate();
}

void ReportControl::Select(int32_t row, bool extend, bool toggle) {
  if (row < 0 || row >= RowCount()) return;
  if (!m_multipleSelection) extend = toggle = false;
  if (toggle) {
    m_rows[static_cast<size_t>(row)].selected = !m_rows[static_cast<size_t>(row)].selected;
    m_anchor = row;
  } else {
    if (!extend || m_anchor < 0) m_anchor = row;
    const int32_t from = std::min(m_anchor, row);
    const int32_t to = std::max(m_anchor, row);
    for (int32_t i = 0; i < RowCount(); ++i) m_rows[static_cast<size_t>(i)].selected = i >= from && i <= to;
  }
  m_focused = row;
  Scroll().EnsureVisible(row);
  SelectionChanged();
}

void ReportControl::SelectionChanged() {
  Invalidate();
  RaiseEvent("SelectionChanged");
}

// --- look --------------------------------------------------------------------

void ReportControl::SetNoItemsText(std::string text) {
  m_noItemsText = std::move(text);
  Invalidate();
}

void ReportControl::SetRowBackColor(uint32_t color) {
  m_rowBackColor = color;
  Invalidate();
}

void ReportControl::SetAutoColumnSizing(bool value) {
  m_autoColumnSizing = value;
  ColumnsChanged();
}

int ReportControl::HeaderHeight() const { return painter::LineHeight(Font()) + 8; }

int ReportControl::RowHeight() const { return std::max(kIcon + 2, painter::LineHeight(Font()) + 4); }

const std::vector<int>& ReportControl::ShownWidths() const {
  if (!m_widthsDirty && m_widths.size() == m_columns.size()) return m_widths;
  m_widths.assign(m_columns.size(), 0);
  const int available = std::max(0, static_cast<int>(m_viewport.right - m_viewport.left));
  int fixed = 0;
  int flexible = 0;
  for (const auto& c : m_columns) {
    if (!c->Visible()) continue;
    (c->Resizable() ? flexible : fixed) += c->Width();
  }
  // Resizable columns share what the fixed ones leave, by their widths.
  const bool scale = m_autoColumnSizing && flexible > 0 && available - fixed >= kMinColumn;
  int given = 0;
  int lastFlexible = -1;
  for (size_t i = 0; i < m_columns.size(); ++i) {
    const auto& c = m_columns[i];
    if (!c->Visible()) continue;
    int w = c->Width();
    if (scale && c->Resizable()) {
      w = std::max(kMinColumn, static_cast<int>(static_cast<int64_t>(available - fixed) * c->Width() / flexible));
      lastFlexible = static_cast<int>(i);
    }
    m_widths[i] = w;
    given += w;
  }
  // The rounding goes to the last resizable column, so the columns end at
  // the list's edge.
  if (scale && lastFlexible >= 0 && given < available) m_widths[static_cast<size_t>(lastFlexible)] += available - given;
  m_widthsDirty = false;
  return m_widths;
}

void ReportControl::Arrange() {
  if (!Container()) return;
  const gdi::RECT area{2, 2 + HeaderHeight(), PixelWidth() - 2, PixelHeight() - 2};
  // The widths depend on the viewport and the viewport on the widths (a
  // horizontal bar): two passes settle it.
  for (int pass = 0; pass < 2; ++pass) {
    m_widthsDirty = true;
    m_viewport = area;
    int total = 0;
    for (int w : ShownWidths()) total += w;
    m_viewport = Scroll().Arrange(area, m_autoColumnSizing ? 0 : total, RowCount() * RowHeight(), RowHeight());
    if (m_autoColumnSizing) {
      m_widthsDirty = true;
      total = 0;
      for (int w : ShownWidths()) total += w;
      if (total > m_viewport.right - m_viewport.left) {
        m_viewport = Scroll().Arrange(area, total, RowCount() * RowHeight(), RowHeight());
      }
    }
  }
  m_widthsDirty = true;
}

gdi::RECT ReportControl::HeaderRect(const ReportColumn& column) const {
  const auto& widths = ShownWidths();
  int x = m_viewport.left - Scroll().LeftPixel();
  for (size_t i = 0; i < m_columns.size(); ++i) {
    if (m_columns[i].get() == &column) {
      return widths[i] == 0 ? gdi::RECT{} : gdi::RECT{x, 2, x + widths[i], 2 + HeaderHeight()};
    }
    x += widths[i];
  }
  return {};
}

gdi::RECT ReportControl::RowRect(int32_t row) const {
  const int top = m_viewport.top + (row - Scroll().TopLine()) * RowHeight();
  return gdi::RECT{m_viewport.left, top, m_viewport.right, top + RowHeight()};
}

int32_t ReportControl::RowAt(int x, int y) const {
  if (x < m_viewport.left || x >= m_viewport.right || y < m_viewport.top || y >= m_viewport.bottom) return -1;
  const int32_t row = Scroll().TopLine() + (y - m_viewport.top) / RowHeight();
  return row < RowCount() ? row : -1;
}

std::shared_ptr<ReportColumn> ReportControl::ColumnAt(int x, int y) const {
  for (const auto& c : m_columns) {
    const gdi::RECT r = HeaderRect(*c);
    if (x >= r.left && x < r.right && (y < 0 || (y >= r.top && y < r.bottom))) return c;
  }
  return nullptr;
}

int32_t ReportControl::ColumnAtDivider(int x, int y) const {
  if (y < 2 || y >= 2 + HeaderHeight()) return -1;
  for (size_t i = 0; i < m_columns.size(); ++i) {
    const gdi::RECT r = HeaderRect(*m_columns[i]);
    if (!gdi::IsRectEmpty(r) && m_columns[i]->Resizable() && std::abs(x - r.right) <= kDividerGrip) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

void ReportControl::SortBy(const std::shared_ptr<ReportColumn>& column) {
  if (!m_sortOrder.empty() && m_sortOrder.front() == column) {
    column->SetSortAscending(!column->SortAscending());
  } else {
    column->SetSortAscending(true);
  }
  m_sortOrder.assign(1, column);
  Populate();
  if (m_focused >= 0) Scroll().EnsureVisible(m_focused);
}

// --- input -------------------------------------------------------------------

void ReportControl::KeyDown(int16_t& keyCode, int16_t shift) {
  StandardControl::KeyDown(keyCode, shift);
  if (keyCode == 0 || RowCount() == 0) return;
  const bool extend = (shift & com::vbShiftMask) != 0;
  const bool ctrl = (shift & com::vbCtrlMask) != 0;
  const int32_t page = std::max(1, Scroll().PageLines() - 1);
  const int32_t at = m_focused;
  int32_t target = -1;
  switch (static_cast<uint32_t>(keyCode)) {
    case win::VK_UP:
      target = at < 0 ? 0 : std::max(0, at - 1);
      break;
    case win::VK_DOWN:
      target = at < 0 ? 0 : std::min(RowCount() - 1, at + 1);
      break;
    case win::VK_PRIOR:
      target = std::max(0, at - page);
      break;
    case win::VK_NEXT:
      target = std::min(RowCount() - 1, std::max(0, at) + page);
      break;
    case win::VK_HOME:
      target = 0;
      break;
    case win::VK_END:
      target = RowCount() - 1;
      break;
    case win::VK_SPACE:
      if (at >= 0) Select(at, false, ctrl);
      keyCode = 0;
      return;
    default:
      return;
  }
  if (ctrl && !extend) {
    // Ctrl moves the focus without touching the selection.
    m_focused = target;
    Scroll().EnsureVisible(target);
    Invalidate();
  } else {
    Select(target, extend, false);
  }
  keyCode = 0;
}

void ReportControl::KeyPress(int16_t& keyAscii) {
  StandardControl::KeyPress(keyAscii);
  if (keyAscii == 1 && m_multipleSelection && RowCount() > 0) {  // Ctrl+A
    for (auto& row : m_rows) row.selected = true;
    SelectionChanged();
  }
}

bool ReportControl::HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) {
  const int x = win::GET_X_LPARAM(lParam);
  const int y = win::GET_Y_LPARAM(lParam);
  result = 0;
  switch (msg) {
    case win::WM_SETCURSOR: {
      win::POINT p;
      win::GetCursorPos(&p);
      win::ScreenToClient(hWnd(), &p);
      if (m_sizing < 0 && ColumnAtDivider(p.x, p.y) < 0) return false;
      win::SetCursor(win::LoadCursorA(win::IDC_SIZEWE));
      result = win::TRUE;
      return true;
    }
    case win::WM_LBUTTONDOWN: {
      FocusByClick();
      if (const int32_t divider = ColumnAtDivider(x, y); divider >= 0) {
        m_sizing = divider;
        m_sizingStart = x;
        m_sizingWidth = ShownWidths()[static_cast<size_t>(divider)];
        win::SetCapture(hWnd());
        return true;
      }
      if (y >= 2 && y < 2 + HeaderHeight()) {
        m_pressedHeader = ColumnAt(x, y);
        if (m_pressedHeader) win::SetCapture(hWnd());
        Invalidate();
        return true;
      }
      const int32_t row = RowAt(x, y);
      if (row >= 0) Select(row, (wParam & win::MK_SHIFT) != 0, (wParam & win::MK_CONTROL) != 0);
      return true;
    }
    case win::WM_MOUSEMOVE:
      if (m_sizing >= 0) {
        const auto& column = m_columns[static_cast<size_t>(m_sizing)];
        const int wanted = std::max(kMinColumn, m_sizingWidth + x - m_sizingStart);
        const int shown = ShownWidths()[static_cast<size_t>(m_sizing)];
        if (wanted != shown && shown > 0) {
          // The column's width in its own measure, so automatic sizing
          // shows it as wide as dragged.
          column->SetWidth(static_cast<int32_t>(static_cast<int64_t>(column->Width()) * wanted / shown));
        }
      }
      return true;
    case win::WM_LBUTTONUP: {
      const bool sizing = m_sizing >= 0;
      auto pressed = std::move(m_pressedHeader);
      m_pressedHeader = nullptr;
      m_sizing = -1;
      if (win::GetCapture() == hWnd()) win::ReleaseCapture();
      if (sizing) return true;
      if (pressed && ColumnAt(x, y) == pressed) SortBy(pressed);
      Invalidate();
      return true;
    }
    case win::WM_LBUTTONDBLCLK: {
      const int32_t row = RowAt(x, y);
      if (row < 0) return true;
      auto column = ColumnAt(x, -1);
      com::Args args{RowObject(row), column ? ItemObject(row, column->ItemIndex()) : com::Nothing()};
      RaiseEvent("RowDblClick", args);
      return true;
    }
    case win::WM_CAPTURECHANGED:
      m_sizing = -1;
      m_pressedHeader = nullptr;
      return true;
    default:
      return ListControl::HandleMessage(msg, wParam, lParam, result);
  }
}

// --- drawing -----------------------------------------------------------------

void ReportControl::Draw(gdi::HDC hdc, int x, int y) {
  painter::DrawField(hdc, gdi::RECT{x, y, x + PixelWidth(), y + PixelHeight()}, m_rowBackColor, Enabled());
  const bool focused = Focused();
  const auto& widths = ShownWidths();
  const int left = x + m_viewport.left - Scroll().LeftPixel();
  const gdi::RECT view{x + m_viewport.left, y + m_viewport.top, x + m_viewport.right, y + m_viewport.bottom};

  // Headers, then the empty rest of the header row.
  {
    const int saved = gdi::SaveDC(hdc);
    gdi::IntersectClipRect(hdc, x + 2, y + 2, x + m_viewport.right, y + 2 + HeaderHeight());
    int cx = left;
    for (size_t i = 0; i < m_columns.size(); ++i) {
      if (widths[i] == 0) continue;
      const auto& c = m_columns[i];
      painter::SortMark mark = painter::SortMark::None;
      if (!m_sortOrder.empty() && m_sortOrder.front() == c) {
        mark = c->SortAscending() ? painter::SortMark::Ascending : painter::SortMark::Descending;
      }
      painter::DrawHeader(hdc, gdi::RECT{cx, y + 2, cx + widths[i], y + 2 + HeaderHeight()}, c->Caption(), Font(),
                          m_pressedHeader == c, mark);
      cx += widths[i];
    }
    if (cx < x + m_viewport.right) {
      painter::DrawHeader(hdc, gdi::RECT{cx, y + 2, x + m_viewport.right + 2, y + 2 + HeaderHeight()}, "", Font(),
                          false, painter::SortMark::None);
    }
    gdi::RestoreDC(hdc, saved);
  }

  const int saved = gdi::SaveDC(hdc);
  gdi::IntersectClipRect(hdc, view.left, view.top, view.right, view.bottom);
  if (m_rows.empty()) {
    painter::DrawText(hdc, m_noItemsText, gdi::RECT{view.left + 4, view.top + 8, view.right - 4, view.bottom},
                      gdi::DT_CENTER | gdi::DT_WORDBREAK | gdi::DT_NOPREFIX, Font(), gdi::SysColor(gdi::COLOR_GRAYTEXT));
  }
  const int rowHeight = RowHeight();
  const int32_t first = Scroll().TopLine();
  const int32_t last = std::min(RowCount(), first + (view.bottom - view.top) / rowHeight + 1);
  const uint32_t format = gdi::DT_LEFT | gdi::DT_VCENTER | gdi::DT_SINGLELINE | gdi::DT_NOPREFIX | gdi::DT_END_ELLIPSIS;
  for (int32_t row = first; row < last; ++row) {
    const RowState& state = m_rows[static_cast<size_t>(row)];
    const int top = view.top + (row - first) * rowHeight;
    const gdi::RECT line{view.left, top, view.right, top + rowHeight};
    if (state.selected) painter::DrawSelection(hdc, line, focused);
    painter::DrawGridLine(hdc, line.left, line.right, line.bottom - 1);
    int cx = left;
    for (size_t i = 0; i < m_columns.size(); ++i) {
      if (widths[i] == 0) continue;
      const ReportItem* item = state.record->ItemOrNull(m_columns[i]->ItemIndex());
      gdi::RECT cell{cx + kCellPadding, top, cx + widths[i] - 2, top + rowHeight - 1};
      cx += widths[i];
      if (!item) continue;
      if (item->Icon() >= 0) {
        if (auto icon = m_icons->Icon(item->Icon())) icon->Render(hdc, cell.left - 1, top + (rowHeight - kIcon) / 2, kIcon, kIcon);
        cell.left += kIcon + 3;
      }
      const uint32_t color = state.selected ? (0x80000000u | static_cast<uint32_t>(focused ? gdi::COLOR_HIGHLIGHTTEXT
                                                                                          : gdi::COLOR_WINDOWTEXT))
                                            : (Enabled() ? ForeColor() : gdi::SysColor(gdi::COLOR_GRAYTEXT));
      painter::DrawText(hdc, item->Caption(), cell, format, Font(), color);
    }
    if (row == m_focused && focused) painter::DrawFocusRect(hdc, line);
  }
  gdi::RestoreDC(hdc, saved);
  Scroll().Draw(hdc, x, y);
}

}  // namespace forms
