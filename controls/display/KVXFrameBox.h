// KVXFrameBox: the scrolling column container. It keeps the controls a host
// placed in it (as a rule KVXFrame controls) in one column ordered by their
// Top, FrameDistance twips apart, all with the Left of the topmost, and
// shows its vertical scroll bar when the column is taller than the box;
// the bar moves all contained controls. A frame that expands or collapses
// calls CtrlRefresh with its window handle, so the column closes up or
// opens and the frame is scrolled into view. Everything is twips.
//
// Tops and the scroll range are 32-bit: a column taller than the 16-bit
// scroll bar can count is scrolled in steps of several twips per bar unit;
// when the range grows or shrinks past that size the bar's value is scaled
// to the new unit, so the column stays where it was. ScrollValue, on the
// interface and in the property bag, is the offset in twips, whatever the
// unit (up to 32767, the most a 16-bit value holds). A contained control
// without the
// members the box needs (Top, Left, Width, Height, hWnd) is left out of the
// column. AutoIndent narrows the column by 100 twips while the bar is
// needed and gives the width back when it is not.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "display/DisplayControl.h"

namespace forms {
class CommandButton;
class ScrollBar;
}  // namespace forms

namespace kvctl2 {

enum BackImageStyle : uint8_t { kvstandard = 1, kvTiled = 2 };

class KVXFrameBox : public DisplayControl {
 public:
  KVXFrameBox();
  std::string ClassName() const override { return "KVXFrameBox"; }
  bool AcceptsContainedControls() const override { return true; }

  // Re-stacks the column in its current order and scrolls the control with
  // that window handle into view (-1: none).
  void CtrlRefresh(int32_t lhWnd);
  // Decides whether the scroll bar is needed and sets its range.
  void XPBarScrollCheck();

  bool AutoFrameAlign() const { return m_autoFrameAlign; }
  void SetAutoFrameAlign(bool value);
  int16_t ScrollValue() const;
  void SetScrollValue(int16_t value);
  bool ScrollVisible() const { return m_scrollVisible; }
  void SetScrollVisible(bool value);
  const com::StdPicturePtr& BackgroundImage() const { return m_backgroundImage; }
  void SetBackgroundImage(com::StdPicturePtr picture);
  uint8_t BackgroundImageStyle() const { return m_backgroundImageStyle; }
  void SetBackgroundImageStyle(uint8_t style);
  int16_t FrameDistance() const { return m_frameDistance; }
  void SetFrameDistance(int16_t value);
  bool AutoIndent() const { return m_autoIndent; }
  void SetAutoIndent(bool value);
  bool ScrollBarAlways() const { return m_scrollBarAlways; }
  void SetScrollBarAlways(bool value);
  int32_t ScrollBarTop() const { return m_scrollBarTop; }
  void SetScrollBarTop(int32_t value);

  // The scroll bar and the current scroll offset in twips.
  forms::ScrollBar& XPScroll() const { return *m_scroll; }
  int32_t ScrollOffset() const;
  // The stacking order: the contained controls' indexes, top first.
  std::vector<int> Order() const;

  void InitProperties() override;
  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Show() override;

 protected:
  void Resize() override;
  void Paint() override { PaintHandler(); }

 private:
  struct Row {
    int index;    // in ContainedControls
    int32_t top;  // its Top when the order was built
  };
  void DefineMembers();
  void PaintHandler();
  void SortByTop(int first, int last);
  void MoveControls(int32_t newValue);
  void PaintBackground();
  // The contained control of a row; null when the row is out of date.
  com::ControlPtr RowControl(size_t row) const;
  // Sets the bar's range and value in twips (see the header's note).
  void SetScrollRange(int32_t twips);
  void SetScrollOffset(int32_t twips);
  // The bar's value for an offset in twips: rounded up, or to the nearest.
  int64_t UnitsUp(int64_t twips) const { return (twips + m_unit - 1) / m_unit; }
  int64_t UnitsNearest(int64_t twips) const { return (twips + m_unit / 2) / m_unit; }

  std::shared_ptr<forms::ScrollBar> m_scroll;        // XPScroll
  std::shared_ptr<forms::CommandButton> m_focusWeg;  // FocusWeg
  std::vector<Row> m_order;
  int32_t m_count = 0;
  int32_t m_scrollBarTop = 0;
  bool m_scrollBarAlways = false;
  bool m_autoIndent = true;
  int16_t m_frameDistance = 255;
  uint8_t m_backgroundImageStyle = kvstandard;
  com::StdPicturePtr m_backgroundImage;
  bool m_scrollVisible = false;
  bool m_autoFrameAlign = true;
  int32_t m_lastScroll = 0;
  int32_t m_unit = 1;       // twips per scroll bar unit
  bool m_indented = false;  // AutoIndent narrowed the column
};

}  // namespace kvctl2
