// The splitter: two panes side by side (or one above the other) with a bar
// between them that the user drags. Each pane has a name and may hold one
// control, which the splitter keeps filling the pane. SplitterPosition is
// the size of the first pane in twips; a change (by dragging or by code)
// re-fills the panes and raises Resized. Panes(key or 1-based index) gives
// a pane: Name, Control and its Left, Top, Width and Height in twips of
// the form. Design data names the panes and their controls:
//   Pane1Name = "Tree", Pane1Control = "treDB", Pane2Name = "Details", ...
// Orientation 0 puts the panes side by side, 1 one above the other.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "com/Control.h"
#include "forms/ControlHolder.h"

namespace forms {

class Splitter;

class SplitterPane : public com::Dispatch {
 public:
  SplitterPane(Splitter& owner, int index) : m_owner(owner), m_index(index) { DefineMembers(); }
  std::string TypeName() const override { return "Pane"; }

  const std::string& Name() const { return m_name; }
  void SetName(std::string name) { m_name = std::move(name); }
  com::ControlPtr Control() const;
  void SetControl(const com::ControlPtr& control);
  // Twips of the form.
  int32_t Left() const;
  int32_t Top() const;
  int32_t Width() const;
  int32_t Height() const;

 private:
  friend class Splitter;
  void DefineMembers();
  Splitter& m_owner;
  int m_index;
  std::string m_name;
  std::string m_controlName;
  std::weak_ptr<com::Control> m_control;
};

class Splitter : public com::Control, public ControlHolder {
 public:
  Splitter();
  std::string ClassName() const override { return "SSSplitter"; }

  SplitterPane& Pane(int index) { return *m_panes[static_cast<size_t>(index)]; }
  // A pane by name (without regard to case), nullptr for none.
  SplitterPane* Pane(std::string_view name);
  int32_t SplitterPosition() const { return m_position; }
  void SetSplitterPosition(int32_t position);
  int16_t Orientation() const { return m_orientation; }
  // The pane rectangles and the bar in pixels of the control.
  gdi::RECT PaneRect(int index) const;
  gdi::RECT BarRect() const;
  // Fills the panes with their controls again.
  void ArrangePanes();

  bool ShowsHeld(const com::Control&) const override { return true; }
  void HeldChanged() override { ArrangePanes(); }
  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override;

 protected:
  void OnMoved() override;

 private:
  int BarPixels() const { return m_barWidth; }
  int32_t Clamped(int32_t position) const;

  std::array<std::shared_ptr<SplitterPane>, 2> m_panes;
  int32_t m_position = 2400;
  int16_t m_orientation = 0;
  int m_barWidth = 4;
  bool m_dragging = false;
  int m_dragOffset = 0;
};

}  // namespace forms
