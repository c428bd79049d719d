// Sharing a table's width among its columns: the widest row gives the
// column count; the first row without spanning cells (the model row)
// gives each column a share, a pixel width or an automatic width; the
// columns then fill the table, and every cell gets the width of the
// columns it spans.
//
// A column is never narrower than what its cells hold: their widest word,
// picture or nested table. Columns of a share or an automatic width give
// way first; a table whose columns need more than its width grows, and
// the page with it, so nothing in a cell is cut or runs into the next.
//
// Every division is guarded: a table without columns, columns whose
// widths are all 0, and a column that comes out at exactly 1.0 without
// an automatic column to share with are sized as far as they can be, and
// the page goes on. Columns beyond kMaxColumns are ignored (width 0).
#include <algorithm>
#include <cmath>
#include <functional>

#include "html/PagePass.h"
#include "runtime/Strings.h"

namespace kvctl2::html {

namespace {

namespace et = htmlElementType;

constexpr Long kMaxColumns = 1024;

// The columns a cell takes: a span of 0 or less takes one, as browsers do.
Long SpanOf(const HTMLElement& cell) { return std::max<Long>(1, cell.ColSpan); }

}  // namespace

std::vector<Long> PagePass::ColumnNeeds(const std::vector<std::vector<int>>& rows, Long columnCount) {
  std::vector<Long> needs(static_cast<size_t>(columnCount), 0);
  auto need = [&](int cell) {
    return static_cast<size_t>(cell) < m_cellNeed.size() ? m_cellNeed[static_cast<size_t>(cell)] : Long{0};
  };
  struct Spanning {
    Long First, Span, Need;
  };
  std::vector<Spanning> spanning;
  for (const std::vector<int>& row : rows) {
    Long column = 0;
    for (const int cell : row) {
      if (column >= columnCount) break;
      const Long span = std::min(SpanOf(E(cell)), columnCount - column);
      if (span == 1)
        needs[static_cast<size_t>(column)] = std::max(needs[static_cast<size_t>(column)], need(cell));
      else
        spanning.push_back({column, span, need(cell)});
      column += span;
    }
  }
  // A spanning cell widens the last of its columns by what they lack.
  for (const Spanning& s : spanning) {
    Long sum = 0;
    for (Long c = s.First; c < s.First + s.Span; ++c) sum += needs[static_cast<size_t>(c)];
    if (sum < s.Need) needs[static_cast<size_t>(s.First + s.Span - 1)] += s.Need - sum;
  }
  return needs;
}

Long PagePass::SizeColumns(int table, const std::vector<std::vector<int>>& rows, Long pixelWidth, bool assign) {
  auto isCell = [&](int c) { return E(c).ElementType == et::Td; };
  int modelRow = -1;
  for (size_t r = 0; r < rows.size() && modelRow < 0; ++r) {
    if (std::none_of(rows[r].begin(), rows[r].end(), [&](int c) { return E(c).ColSpan > 1; }))
      modelRow = static_cast<int>(r);
  }
  Long columnCount = 0;
  for (const std::vector<int>& row : rows) {
    Long spans = 0;
    for (const int c : row) spans += isCell(c) ? SpanOf(E(c)) : 0;
    columnCount = std::max(columnCount, spans);
  }
  columnCount = std::clamp<Long>(columnCount, 0, kMaxColumns);
  if (columnCount == 0) return pixelWidth;
  const Long gaps = (columnCount + 1) * E(table).CellSpacing;
  Long available = pixelWidth - gaps;

  std::vector<float> widths(static_cast<size_t>(columnCount), 0.0f);
  // Columns of a pixel width keep it; the others may give way.
  std::vector<bool> fixed(static_cast<size_t>(columnCount), false);
  auto width = [&](Long column) { return column < columnCount ? widths[static_cast<size_t>(column)] : 0.0f; };
  if (modelRow >= 0) {
    Long column = 0;
    int automatic = 0;
    double pixels = 0;
    for (const int c : rows[static_cast<size_t>(modelRow)]) {
      const float w = E(c).Width;
      float value;
      if (w < 1.0f) {
        value = static_cast<float>(w * static_cast<double>(available));
      } else if (w == 1.0f) {
        value = 1.0f;
        ++automatic;
      } else {
        value = w;
      }
      if (w != 1.0f) pixels += value;
      if (column < columnCount) {
        widths[static_cast<size_t>(column)] = value;
        fixed[static_cast<size_t>(column)] = w > 1.0f;
      }
      ++column;
    }
    if (automatic > 0) {
      const Long share = RoundLong(static_cast<double>(available) - pixels) / automatic;
      for (float& w : widths) {
        if (w == 1.0f) w = static_cast<float>(share);
      }
    }
  } else {
    for (float& w : widths) w = static_cast<float>(static_cast<double>(available) / static_cast<double>(columnCount));
  }

  double total = 0;
  for (float w : widths) total += w;
  if (total > 1.0 && E(table).Width > 1.0f && total > static_cast<double>(pixelWidth)) {
    pixelWidth = RoundLong(total);
    available = pixelWidth - gaps;
  } else if (total < static_cast<double>(pixelWidth) && total != 0) {
    const double scale = static_cast<double>(available) / total;
    for (float& w : widths) w = static_cast<float>(w * scale);
  }

  // No column narrower than its cells' content; when that leaves the
  // columns wider than the table, the columns with room to spare give it
  // up in proportion, and what is still missing widens the table.
  const std::vector<Long> needs = ColumnNeeds(rows, columnCount);
  double sum = 0, spare = 0;
  for (size_t c = 0; c < widths.size(); ++c) {
    widths[c] = std::max(widths[c], static_cast<float>(needs[c]));
    sum += widths[c];
    if (!fixed[c]) spare += widths[c] - static_cast<double>(needs[c]);
  }
  const double excess = sum - static_cast<double>(available);
  if (excess > 0 && spare > 0) {
    const double part = std::min(1.0, excess / spare);
    sum = 0;
    for (size_t c = 0; c < widths.size(); ++c) {
      if (!fixed[c]) widths[c] -= static_cast<float>((widths[c] - static_cast<double>(needs[c])) * part);
      // A column never comes out narrower than its content by rounding.
      widths[c] = std::max(std::floor(widths[c]), static_cast<float>(needs[c]));
      sum += widths[c];
    }
  }
  // The cells get whole pixels: so does the table.
  Long rounded = 0;
  for (const float w : widths) rounded += RoundLong(w);
  pixelWidth = std::max(pixelWidth, rounded + gaps);

  if (assign) {
    for (const std::vector<int>& row : rows) {
      Long column = 0;
      for (const int c : row) {
        HTMLElement& cell = E(c);
        Long pixels = 0;
        // Columns past the table would add nothing.
        for (Long span = 0; span < SpanOf(cell) && column < columnCount; ++span)
          pixels = RoundLong(static_cast<double>(pixels) + width(column++));
        cell.PixelWidth = Store(pixels);
      }
    }
  }
  return pixelWidth;
}

void PagePass::SizeTableColumns(int table) {
  MeasureTableNeeds(table);
  const auto& elements = m_doc.Elements;
  std::vector<std::vector<int>> rows;
  for (int r = GetFirstChildElement(elements, table); r >= 0; r = GetNextSiblingElement(elements, r)) {
    if (E(r).ElementType != et::Tr) continue;
    std::vector<int>& row = rows.emplace_back();
    for (int c = GetFirstChildElement(elements, r); c >= 0; c = GetNextSiblingElement(elements, c)) {
      if (E(c).ElementType == et::Td) row.push_back(c);
    }
  }
  E(table).PixelWidth = Store(SizeColumns(table, rows, E(table).PixelWidth, true));
}

void PagePass::MeasureTableNeeds(int table) {
  if (m_cellNeed.size() != static_cast<size_t>(Count())) {
    m_cellNeed.assign(static_cast<size_t>(Count()), -1);
    m_tableNeed.assign(static_cast<size_t>(Count()), -1);
  }
  if (m_tableNeed[static_cast<size_t>(table)] >= 0) return;

  // The walk measures in the fonts the pass will draw in, and leaves the
  // pass's font and state as it found them.
  const gdi::SurfaceFont font = m_page.Font();
  const uint32_t color = m_page.ForeColor();
  const int32_t colorLink = m_page.ColorLink();
  const Long lineStep = m_lineStep, indentStep = m_indentStep;
  const float fontSize = m_fontSize;
  const bool linkPending = m_linkPending;
  struct Restore {
    std::function<void()> Do;
    ~Restore() { Do(); }
  } restore{[&] {
    m_page.SetFont(font);
    m_page.SetForeColor(color, colorLink);
    m_lineStep = lineStep;
    m_indentStep = indentStep;
    m_fontSize = fontSize;
    m_linkPending = linkPending;
  }};

  // One open table of the walk: its rows as they come, its current cell,
  // and the indents of the lists and quotes open in that cell.
  struct List {
    Long Step = 0;
    bool Numbered = false;
    bool Quote = false;
    int Counter = 0;
  };
  struct Open {
    int Table = 0;
    std::vector<std::vector<int>> Rows;
    int Cell = -1;
    std::vector<List> Lists;
    Long Marker = 0;
  };
  std::vector<Open> open;
  open.push_back({table, {}, -1, {}, 0});
  auto indent = [](const Open& o) {
    Long sum = o.Marker;
    for (const List& l : o.Lists) sum += l.Step;
    return sum;
  };
  // The current cell needs `extent` pixels right of its left margin.
  auto needs = [&](Long extent) {
    Open& o = open.back();
    if (o.Cell < 0) return;
    Long& need = m_cellNeed[static_cast<size_t>(o.Cell)];
    const HTMLElement& t = E(o.Table);
    // Left: frame and padding; right: the frame twice (a cell's right edge
    // stands one frame inside its width) and the padding.
    need = std::max(need, extent + 3 * Long{t.Border} + 2 * Long{t.CellPadding});
  };
  auto close = [&] {
    Open done = std::move(open.back());
    open.pop_back();
    const HTMLElement& t = E(done.Table);
    const Long pixels = t.Width > 1.0f ? RoundLong(t.Width) : 0;
    const Long width = SizeColumns(done.Table, done.Rows, pixels, false);
    m_tableNeed[static_cast<size_t>(done.Table)] = width;
    // A nested table stands its own padding right of the cell's margin,
    // its right frame one pixel beyond its width.
    if (!open.empty()) needs(indent(open.back()) + t.CellPadding + width + 2);
  };

  bool hidden = false;
  for (int i = table + 1; i < Count() && !open.empty(); ++i) {
    const HTMLElement& e = E(i);
    Open& o = open.back();
    if (!e.IsTag) {
      if (hidden || o.Cell < 0) continue;
      const Long gap = Half(E(o.Table).CellSpacing);
      for (const std::string& word : e.Words) {
        if (word.find_first_not_of(' ') == std::string::npos) continue;
        const std::string shown = word.find("&nbsp;") == std::string::npos ? word : rt::Replace(word, "&nbsp;", " ");
        needs(gap + indent(o) + RoundLong(m_page.TextWidth(shown)) + gap);
      }
      continue;
    }
    const int32_t type = e.ElementType;
    if (IsInlineTag(type)) {
      ApplyInlineTag(i);
      continue;
    }
    switch (type) {
      case et::Table:
        open.push_back({i, {}, -1, {}, 0});
        break;
      case et::Table + 1:
        close();
        break;
      case et::Tr:
        o.Rows.emplace_back();
        break;
      case et::Td:
        if (o.Rows.empty()) o.Rows.emplace_back();
        o.Rows.back().push_back(i);
        o.Cell = i;
        o.Lists.clear();
        o.Marker = 0;
        m_cellNeed[static_cast<size_t>(i)] = 0;
        break;
      case et::Ul:
      case et::Ol:
      case et::BlockQuote:
        o.Lists.push_back({IndentStepOfFont(), type == et::Ol, type == et::BlockQuote, 0});
        o.Marker = 0;
        break;
      case et::Ul + 1:
      case et::Ol + 1:
      case et::BlockQuote + 1:
        if (!o.Lists.empty()) o.Lists.pop_back();
        o.Marker = 0;
        break;
      case et::Li: {
        o.Marker = 0;
        auto list = std::find_if(o.Lists.rbegin(), o.Lists.rend(), [](const List& l) { return !l.Quote; });
        const bool numbered = list != o.Lists.rend() && list->Numbered;
        const std::string number = numbered ? std::to_string(++list->Counter) + ". " : std::string();
        o.Marker = RoundLong(numbered ? std::max(m_page.TextWidth("W. "), m_page.TextWidth(number))
                                      : m_page.TextWidth(rt::Chr(149) + "  "));
        break;
      }
      case et::Img: {
        LoadPicture(i);
        const HTMLElement& img = E(i);
        needs(indent(o) + 2 * Long{img.HSpace} + 2 * Long{img.Border} + img.ImageWidth);
        break;
      }
      case et::Heading:
        m_page.SetFontSize(e.FontSize);
        m_page.SetFontBold(true);
        break;
      case et::Heading + 1:
        m_page.SetFontSize(m_fontSize);
        m_page.SetFontBold(false);
        break;
      case et::Script:
      case et::Style:
        hidden = true;
        break;
      case et::Form + 1:
      case et::Script + 1:
      case et::Style + 1:
        hidden = false;
        break;
      default:
        break;
    }
  }
  // Tables the document leaves open end with it.
  while (!open.empty()) close();
}

}  // namespace kvctl2::html
