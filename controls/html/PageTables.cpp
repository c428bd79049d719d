// Tables of the render pass: one TableState per open table; rows and
// cells move the pen and the flow's margins into the current cell, so that
// text wraps inside it. The measuring pass stores the heights of tables,
// rows and cells on their elements; the drawing pass uses them to fill
// backgrounds and to align cell contents vertically.
//
// Closing tags outside any table have nothing to work on and are ignored;
// the stack of open tables and the cells of a row grow as needed.
#include <algorithm>

#include "html/PagePass.h"

namespace kvctl2::html {

namespace {
namespace et = htmlElementType;
}

bool PagePass::TableOpen() {
  HTMLElement& e = E(m_index);
  const bool nested = !m_tables.empty();
  if (!m_inTable) {
    if (m_penY > m_settings.DefaultPadding ||
        (m_penY == m_settings.DefaultPadding && m_page.CurrentX() > static_cast<double>(m_leftMargin))) {
      NewLine();
      e.BoxTop = Store(m_penY);
    }
    m_inTable = true;
  } else if (nested && (m_runEnded || m_penX > m_leftMargin + m_indent)) {
    // A table inside a cell starts below the cell's text (or picture) on
    // the current line, never over it.
    NewLine();
    e.BoxTop = Store(m_penY);
  }
  TableState t;
  if (e.Width <= 1.0f)
    t.TableWidth =
        RoundLong(e.Width * static_cast<double>(m_rightLimit - 2 * Long{m_settings.DefaultPadding} - m_leftMargin));
  else
    t.TableWidth = RoundLong(e.Width);
  e.PixelWidth = Store(t.TableWidth);
  SizeTableColumns(m_index);
  HTMLElement& table = E(m_index);
  // A table whose columns need more than its width grows, and its frame
  // and background with it.
  t.TableWidth = std::max<Long>(t.TableWidth, table.PixelWidth);
  t.TableTop = m_penY;
  t.RowTop = m_penY + table.Border + table.CellSpacing;
  t.RowSize = 0;
  t.FrameWidth = table.Border;
  if (m_draw)
    t.TableHeight = table.RowHeight;
  else
    t.TableHeight = table.Height <= 1.0f ? 2 * Long{table.Border} : RoundLong(table.Height);
  t.CellPad = table.CellPadding;
  t.CellGap = table.CellSpacing;
  t.TableElement = m_index;
  const Long pad = nested ? t.CellPad : 0;
  if (table.AlignCenter) {
    t.TableLeft = Half(m_rightLimit - m_leftMargin - t.TableWidth) + m_leftMargin;
    if (t.TableLeft < m_leftMargin) t.TableLeft = m_leftMargin + pad;
  } else {
    t.TableLeft = m_leftMargin + pad;
  }
  if (m_draw && table.HasBgColor)
    FillBox(t.TableLeft, t.TableTop, t.TableLeft + t.TableWidth - 1, t.TableTop + t.TableHeight + t.CellGap - 1,
            static_cast<uint32_t>(table.BgColor));
  if (t.FrameWidth > 0)
    Draw3DBorder(false, t.TableLeft, t.TableTop, t.TableLeft + t.TableWidth + 1,
                 t.TableTop + t.TableHeight + t.CellGap - 1);
  t.SavedCentering = m_centring;
  t.SavedRightAlign = m_rightAlign;
  t.SavedIndent = m_indent;
  t.SavedOffset = m_offset;
  m_centring = false;
  // The page reaches past the table's right frame, so that it can be scrolled to.
  if (!m_draw && m_settings.EnableScroll)
    m_size.Width = Store(std::max<Long>(m_size.Width, t.TableLeft + t.TableWidth + 2 + m_settings.DefaultPadding));
  m_tables.push_back(std::move(t));
  return true;
}

bool PagePass::RowOpen() {
  TableState* t = CurrentTable();
  if (!t) return false;
  HTMLElement& e = E(m_index);
  m_penX = m_leftMargin + m_indent;
  e.OffsetX = Store(m_penX - m_leftMargin);
  t->RowSize = e.Height <= 1.0f ? t->CellGap : RoundLong(e.Height);
  t->NextCellX = Long{t->FrameWidth} + t->CellGap;
  t->CellEdges.clear();
  t->RowElement = m_index;
  return true;
}

bool PagePass::CellOpen() {
  TableState* t = CurrentTable();
  if (!t) return false;
  HTMLElement& e = E(m_index);
  const Long cellWidth = e.PixelWidth;
  m_centring = e.AlignCenter;
  m_rightAlign = e.AlignRight;
  m_leftMargin = t->TableLeft + t->NextCellX + t->FrameWidth + t->CellPad;
  m_rightLimit = cellWidth + t->TableLeft + t->NextCellX - 2 * Long{t->FrameWidth} - t->CellPad;
  t->CellRight = m_rightLimit;
  m_penX = m_leftMargin;
  const TableState::Edges edges{t->TableLeft + t->NextCellX, m_rightLimit + t->CellPad + t->FrameWidth};
  t->CellEdges.push_back(edges);
  if (edges.Right - t->TableLeft > t->TableWidth) t->TableWidth = edges.Right - t->TableLeft;
  if (!m_draw && m_settings.EnableScroll) m_size.Width = Store(std::max<Long>(m_size.Width, t->TableWidth));
  // The cell's content starts at its left edge, whatever list or quote
  // the table stands in.
  m_indent = 0;
  m_offset = 0;
  // A list or quote at the top of the cell adds no empty line of its own.
  m_atLineStart = true;
  // The content starts at the same place in both passes; the drawing pass
  // moves it down by the room that the row leaves below it, all of it for
  // a cell aligned to the bottom, half for a centred one.
  const Long contentTop = t->RowTop + t->FrameWidth + t->CellPad;
  if (!m_draw) {
    m_penY = contentTop;
    e.RowHeight = Store(m_penY);
    return true;
  }
  const int row = GetParentElement(m_doc.Elements, m_index);
  const Long h = row >= 0 ? Long{E(row).PixelHeight} - (t->FrameWidth == 0 ? 1 : 0) : t->RowSize;
  // The cell's own colour, else its row's.
  const HTMLElement* colour = e.HasBgColor ? &e : nullptr;
  if (!colour && t->RowElement >= 0 && E(t->RowElement).HasBgColor) colour = &E(t->RowElement);
  if (colour)
    FillBox(t->TableLeft + t->NextCellX + t->FrameWidth, t->RowTop + t->FrameWidth,
            m_rightLimit + t->CellPad - (t->FrameWidth == 0 ? 1 : 0), t->RowTop + h - t->FrameWidth,
            static_cast<uint32_t>(colour->BgColor));
  const Long room = std::max<Long>(0, t->RowTop + h - contentTop - e.RowHeight - m_settings.DefaultSpacing);
  switch (e.VAlign) {
    case kVAlignTop:
      m_penY = contentTop;
      break;
    case kVAlignCenter:
      m_penY = contentTop + Half(room);
      break;
    default:
      m_penY = contentTop + room;
      break;
  }
  return true;
}

bool PagePass::CellClose() {
  TableState* t = CurrentTable();
  if (!t) return false;
  const int cell = GetParentElement(m_doc.Elements, m_index);
  if (!m_draw && cell >= 0)
    E(cell).RowHeight = Store(m_penY - E(cell).RowHeight + m_lineStep - m_settings.DefaultSpacing);
  if (LineStepOfFont() != m_lineStep) {
    if (m_page.CurrentY() < static_cast<double>(m_penY + m_lineStep))
      m_page.SetCurrentY(static_cast<double>(m_penY + m_lineStep));
    m_lineStep = LineStepOfFont();
  }
  if (m_draw) {
    const int row = cell >= 0 ? GetParentElement(m_doc.Elements, cell) : -1;
    if (row >= 0) t->RowSize = E(row).PixelHeight;
  } else if (m_page.CurrentY() - static_cast<double>(t->RowTop) > static_cast<double>(t->RowSize)) {
    t->RowSize = RoundLong(m_page.CurrentY() - static_cast<double>(t->RowTop));
  }
  // A closing cell tag in a row without cells has no cell to follow.
  if (!t->CellEdges.empty()) t->NextCellX = t->CellEdges.back().Right + t->CellGap + t->FrameWidth - t->TableLeft;
  RestoreAlignment(m_index);
  return true;
}

void PagePass::RestoreAlignment(int closer) {
  const int div = m_doc.FindAncestor(closer, et::Div);
  if (div >= 0) {
    m_rightAlign = E(div).AlignRight;
    m_centring = E(div).AlignCenter;
    return;
  }
  const int cell = GetParentElement(m_doc.Elements, closer);
  if (cell >= 0) {
    const int outer = m_doc.FindAncestor(cell, et::Td);
    if (outer >= 0) {
      m_rightAlign = E(outer).AlignRight;
      m_centring = E(outer).AlignCenter;
      return;
    }
  }
  if (m_doc.FindAncestor(closer, et::Center) >= 0) m_centring = true;
}

bool PagePass::RowClose() {
  TableState* t = CurrentTable();
  if (!t) return false;
  if (m_penY <= t->RowTop) m_penY += m_lineStep;  // an empty row keeps one line
  m_penX = m_leftMargin + m_indent;
  if (!m_draw && t->RowSize + t->CellGap + t->FrameWidth > 0) t->TableHeight += t->RowSize + t->CellGap + t->FrameWidth;
  if (t->FrameWidth > 0) {
    for (const TableState::Edges& edges : t->CellEdges)
      Draw3DBorder(true, edges.Left, t->RowTop, edges.Right, t->RowTop + t->RowSize);
  }
  const int row = GetParentElement(m_doc.Elements, m_index);
  if (!m_draw && row >= 0) E(row).PixelHeight = Store(t->RowSize);
  t->RowTop += t->RowSize + t->CellGap + t->FrameWidth;
  return true;
}

bool PagePass::TableClose() {
  if (m_tables.empty()) return false;
  const TableState closed = std::move(m_tables.back());
  E(closed.TableElement).BoxBottom =
      Store(closed.TableTop + closed.TableHeight - 1 + m_lineStep + m_settings.DefaultSpacing);
  const int opener = GetParentElement(m_doc.Elements, m_index);
  if (!m_draw && opener >= 0) E(opener).RowHeight = Store(closed.TableHeight);
  m_tables.pop_back();
  NewLine();
  m_indent = closed.SavedIndent;
  m_offset = closed.SavedOffset;
  if (const TableState* outer = CurrentTable()) {
    m_leftMargin = outer->TableLeft + outer->NextCellX + outer->CellPad;
    m_rightLimit = outer->CellRight;
    m_penX = m_leftMargin + m_indent;
  } else {
    // The page's flow again, with its right limit: what follows the table
    // stays inside the page's padding, so text never widens the page.
    m_leftMargin = m_settings.DefaultPadding;
    m_penX = m_leftMargin;
    m_rightLimit = RoundLong(m_page.ScaleWidth() - m_settings.DefaultPadding - 5);
    m_inTable = false;
  }

  // The alignment that was in force when the table opened comes back: the
  // alignment of its last cell does not carry over to what follows.
  m_centring = closed.SavedCentering;
  m_rightAlign = closed.SavedRightAlign;
  // The page's current y reaches the table's bottom, so that a row holding
  // a table without frames is as tall as the table.
  const Long bottom = closed.TableTop + closed.TableHeight + closed.CellGap;
  if (m_page.CurrentY() < static_cast<double>(bottom)) m_page.SetCurrentY(static_cast<double>(bottom));
  // What follows starts below the table's bottom frame, one pixel apart.
  m_penY = bottom + 1;
  m_lineStep = LineStepOfFont();
  return true;
}

}  // namespace kvctl2::html
