// The state of one render pass and its steps: the block layout of the
// main walk (PagePass.cpp), text runs and inline tags (PageText.cpp),
// tables (PageTables.cpp), column sizing (TableColumns.cpp), frames and
// the tiled background (PageDecor.cpp).
//
// Positions are pixels of the page. The pass keeps its lengths in 64 bits
// and stores them into the elements' 32-bit fields through Store, which
// raises an overflow for a value that does not fit (and so ends the pass,
// as any failure does).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "html/RenderPage.h"

namespace kvctl2::html {

using Long = int64_t;

// A 32-bit field's value; raises 6 when it does not fit.
int32_t Store(Long value);
// Rounds half to even; raises 6 beyond the 32-bit range.
Long RoundLong(double value);
// Half of a length, truncated towards zero.
inline Long Half(Long value) { return value / 2; }

// One open table.
struct TableState {
  bool SavedCentering = false;
  bool SavedRightAlign = false;
  // The list and quote indent and the text offset of the flow around the
  // table: a cell's content starts at the cell's left edge.
  Long SavedIndent = 0;
  Long SavedOffset = 0;
  int16_t FrameWidth = 0;
  Long TableLeft = 0;
  Long TableTop = 0;
  Long TableWidth = 0;
  Long TableHeight = 0;
  Long RowTop = 0;
  Long RowSize = 0;
  Long NextCellX = 0;
  Long CellRight = 0;
  int RowElement = -1;  // the open TR; -1 before the first
  struct Edges {
    Long Left = 0;
    Long Right = 0;
  };
  std::vector<Edges> CellEdges;  // cells of the current row; CellCount = its size
  int16_t CellPad = 0;
  int16_t CellGap = 0;
  int TableElement = 0;
};

class PagePass {
 public:
  PagePass(Document& doc, std::vector<com::StdPicturePtr>& pictures, PageCanvas& page, const PageSettings& settings,
           PageHost& host, PageSize& size);
  void Run();

  // Text runs (PageText.cpp).
  static bool IsInlineTag(int32_t type);
  void ResetDrawingFont();

 private:
  HTMLElement& E(int index) { return m_doc.Elements[static_cast<size_t>(index)]; }
  int Count() const { return m_doc.Count(); }

  // Main walk (PagePass.cpp).
  void StartPass();
  // Acts on a tag; false when the tag leaves the pen where it is.
  bool Element(int32_t type);
  void NewLine();
  // FONT's face, size and colour on the page, and the size closers return to.
  void ApplyFont(const HTMLElement& e);
  Long LineStepOfFont();
  Long IndentStepOfFont();
  void ParagraphEnd();
  // A new line unless the pen is at the start of one, where the next block
  // end moves down instead; true when it made a new line.
  bool ToggleLineStart();
  bool ListOpen(bool numbered);
  bool ListClose();
  void ListItem();
  void LinkOpen();
  void LinkClose();
  void Image();
  // Asks the host for the IMG's picture, once per document.
  void LoadPicture(int index);
  void GrowPageHeight();
  // Where text starts in the current flow: the left margin, in a cell half
  // its table's cell gap right of it.
  Long TextLeftEdge() const;
  // Something (text, a picture) already stands on the pen's line.
  bool LineTaken() const;

  // Text runs (PageText.cpp).
  // True when the run showed any word.
  bool DrawTextRun(Long leftEdge, Long spacing);
  void ApplyInlineTag(int index);
  int SkipScript(int index) const;

  // Tables (PageTables.cpp).
  TableState* CurrentTable() { return m_tables.empty() ? nullptr : &m_tables.back(); }
  // Each false for a tag outside any table (it is ignored).
  bool TableOpen();
  bool RowOpen();
  bool CellOpen();
  bool CellClose();
  bool RowClose();
  bool TableClose();
  void RestoreAlignment(int closer);

  // Column sizing (TableColumns.cpp).
  void SizeTableColumns(int table);
  // The width each cell of the table and of the tables in it needs for
  // its widest word, picture or table (m_cellNeed, m_tableNeed).
  void MeasureTableNeeds(int table);
  // The narrowest columns that hold every cell of the rows (lists of cells).
  std::vector<Long> ColumnNeeds(const std::vector<std::vector<int>>& rows, Long columnCount);
  // Shares the table's pixel width among the columns of the rows; returns
  // the table's width, grown where its columns need more. With `assign`
  // every cell gets its width.
  Long SizeColumns(int table, const std::vector<std::vector<int>>& rows, Long pixelWidth, bool assign);

  // Frames and background (PageDecor.cpp).
  void Draw3DBorder(bool sunken, Long left, Long top, Long right, Long bottom);
  void DrawBackgroundTiles();
  // A table or cell background (drawing pass only; the pen stays).
  void FillBox(Long left, Long top, Long right, Long bottom, uint32_t color);

  const bool m_draw;
  Document& m_doc;
  std::vector<com::StdPicturePtr>& m_pictures;
  PageCanvas& m_page;
  const PageSettings& m_settings;
  PageHost& m_host;
  PageSize& m_size;

  int m_index = 0;
  Long m_penX = 0;
  Long m_penY = 0;
  Long m_leftMargin = 0;
  Long m_rightLimit = 0;
  Long m_lineStep = 0;
  Long m_indentStep = 0;
  Long m_indent = 0;
  Long m_offset = 0;
  bool m_atLineStart = false;
  // Per open list: numbered (OL) and the item counter.
  struct ListLevel {
    bool Numbered = false;
    int16_t Counter = 0;
  };
  std::vector<ListLevel> m_lists;
  std::vector<TableState> m_tables;
  bool m_inTable = false;
  bool m_skipText = false;
  bool m_centring = false;
  bool m_rightAlign = false;
  float m_fontSize = 0;
  int m_currentLink = 0;
  Long m_linkRightEdge = 0;
  bool m_linkPending = false;
  // Where the last text run ended (the pen after its last word), while
  // only tags that leave the pen alone followed it: the next run goes on
  // from there.
  Long m_runEndX = 0;
  bool m_runEnded = false;
  // A list item's marker stands on the pen's line: the item's text goes on
  // after it.
  bool m_afterMarker = false;
  // Per element, for this pass: the width a cell needs for what it holds
  // and the width a table needs; -1 while not measured.
  std::vector<Long> m_cellNeed;
  std::vector<Long> m_tableNeed;
};

}  // namespace kvctl2::html
