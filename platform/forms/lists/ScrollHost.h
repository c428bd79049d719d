// The scroll bars of a list, a tree or a drop-down: a vertical bar at the
// right and a horizontal one at the bottom of its area, each shown only
// when the content does not fit. The bars are scroll bar controls placed
// on the list's own window (so the mouse reaches them there); the list
// draws them and reads their positions: the vertical one counts lines,
// the horizontal one pixels. The wheel scrolls three lines a notch.
#pragma once

#include <functional>
#include <memory>

#include "com/Control.h"
#include "forms/controls/ScrollBar.h"

namespace forms {

class ScrollHost : public com::ControlContainer {
 public:
  struct Client {
    std::function<win::HWND()> window;  // the window the bars are placed in
    std::function<void()> invalidate;   // the list repaints
    std::function<void()> scrolled;     // a bar moved (by the user or by code)
  };
  explicit ScrollHost(Client client);
  ~ScrollHost() override;
  ScrollHost(const ScrollHost&) = delete;
  ScrollHost& operator=(const ScrollHost&) = delete;

  // Creates the bars in the client's window (after it exists) or removes them.
  void Attach();
  void Detach();

  // Fits the bars to content of the given size in pixels shown in `area`
  // (pixels of the window) with lines of `lineHeight`; returns the part of
  // the area left for the content.
  win::RECT Arrange(const win::RECT& area, int contentWidth, int contentHeight, int lineHeight);
  win::RECT Viewport() const { return m_viewport; }

  // The first line shown and the pixels scrolled to the left.
  int TopLine() const;
  void SetTopLine(int line);
  int LeftPixel() const;
  void SetLeftPixel(int pixel);
  // Lines that fit in the viewport (at least 1).
  int PageLines() const { return m_pageLines; }
  // Scrolls so that `line` is shown.
  void EnsureVisible(int line);

  // Draws the shown bars (and the corner between them) with the window's
  // top left at (x, y).
  void Draw(gdi::HDC hdc, int x, int y);
  // Turns the wheel by `delta` (WHEEL_DELTA per notch); true when it moved.
  bool Wheel(int delta);
  // The window of the shown bar at a point of the client's window, or 0.
  win::HWND BarAt(win::POINT point) const;
  bool VerticalShown() const { return m_vertical && m_vertical->Visible(); }
  bool HorizontalShown() const { return m_horizontal && m_horizontal->Visible(); }

  // ControlContainer.
  win::HWND ContainerWindow() const override { return m_client.window(); }
  com::AmbientProperties Ambient() const override { return {}; }
  com::DispatchPtr ContainerObject() override { return nullptr; }
  void OnControlInvalidated(com::Control&) override { m_client.invalidate(); }

 private:
  Client m_client;
  std::shared_ptr<ScrollBar> m_vertical;
  std::shared_ptr<ScrollBar> m_horizontal;
  win::RECT m_viewport{};
  win::RECT m_area{};
  int m_pageLines = 1;
  int m_lineHeight = 1;
  bool m_arranging = false;
};

}  // namespace forms
