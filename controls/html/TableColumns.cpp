// Sharing a table's width among its columns: the first row gives the
// column count; the first row without spanning cells (the model row)
// gives each column a share, a pixel width or an automatic width; the
// columns then fill the table, and every cell gets the width of the
// columns it spans.
//
// Every division is guarded: a table without columns, columns whose
// widths are all 0, and a column that comes out at exactly 1.0 without
// an automatic column to share with are sized as far as they can be, and
// the page goes on. Columns beyond kMaxColumns are ignored (width 0).
#include <algorithm>
#include <cmath>

#include "html/PagePass.h"

namespace kvctl2::html {

namespace {

namespace et = htmlElementType;

constexpr Long kMaxColumns = 1024;

}  // namespace

void PagePass::SizeTableColumns(int table) {
  const auto& elements = m_doc.Elements;
  auto rows = [&](auto&& each) {
    for (int r = GetFirstChildElement(elements, table); r >= 0; r = GetNextSiblingElement(elements, r)) {
      if (E(r).ElementType == et::Tr) each(r);
    }
  };
  auto children = [&](int parent, auto&& each) {
    for (int c = GetFirstChildElement(elements, parent); c >= 0; c = GetNextSiblingElement(elements, c)) each(c);
  };
  auto isCell = [&](int c) { return E(c).ElementType == et::Td; };

  int firstRow = -1;
  int modelRow = -1;
  rows([&](int r) {
    if (firstRow < 0) firstRow = r;
    if (modelRow >= 0) return;
    bool spans = false;
    children(r, [&](int c) { spans = spans || E(c).ColSpan > 1; });
    if (!spans) modelRow = r;
  });
  if (firstRow < 0) return;

  Long columnCount = 0;
  children(firstRow, [&](int c) { columnCount += isCell(c) ? E(c).ColSpan : 0; });
  columnCount = std::clamp<Long>(columnCount, 0, kMaxColumns);
  const Long available = Long{E(table).PixelWidth} - (columnCount + 1) * E(table).CellSpacing;

  std::vector<float> widths(static_cast<size_t>(columnCount), 0.0f);
  auto width = [&](Long column) { return column < columnCount ? widths[static_cast<size_t>(column)] : 0.0f; };
  if (modelRow >= 0) {
    Long column = 0;
    int automatic = 0;
    double fixed = 0;
    children(modelRow, [&](int c) {
      if (!isCell(c)) return;
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
      if (w != 1.0f) fixed += value;
      if (column < columnCount) widths[static_cast<size_t>(column)] = value;
      ++column;
    });
    if (automatic > 0) {
      const Long share = RoundLong(static_cast<double>(available) - fixed) / automatic;
      for (float& w : widths) {
        if (w == 1.0f) w = static_cast<float>(share);
      }
    }
  } else if (columnCount > 0) {
    for (float& w : widths) w = static_cast<float>(static_cast<double>(available) / static_cast<double>(columnCount));
  }

  double total = 0;
  for (float w : widths) total += w;
  HTMLElement& t = E(table);
  if (total > 1.0 && t.Width > 1.0f && total > t.PixelWidth) {
    t.PixelWidth = Store(RoundLong(total));
  } else if (total < t.PixelWidth && total != 0) {
    const double scale = static_cast<double>(available) / total;
    for (float& w : widths) w = static_cast<float>(w * scale);
  }

  rows([&](int r) {
    Long column = 0;
    children(r, [&](int c) {
      if (!isCell(c)) return;
      HTMLElement& cell = E(c);
      Long pixels = 0;
      // Columns past the table would add nothing.
      for (int span = 0; span < cell.ColSpan && column < columnCount; ++span)
        pixels = RoundLong(static_cast<double>(pixels) + width(column++));
      cell.PixelWidth = Store(pixels);
    });
  });
}

}  // namespace kvctl2::html
