// The user-control surface: the base of the controls a control library
// builds itself. It has a drawing surface (colours, font, AutoRedraw, the
// graphics methods), a window, the ambient properties of its container,
// its extender (the control itself: Name, Left, Top, ...), constituent
// controls placed on it, and the standard life-cycle events as virtual
// handlers, called by the container in this order for one instance:
// construction (Initialize), InitProperties (a new instance) or
// ReadProperties (one loaded from design data), Resize whenever its size
// changes, Show when it becomes visible, Paint when it is drawn and
// AutoRedraw is off, Hide, WriteProperties when the container saves, and
// Terminate before it is destroyed.
//
// Mouse input on the surface reaches the UserControl_ handlers with the
// platform's arguments: Button (1 left, 2 right, 4 middle; for a move the
// buttons held), Shift (1 Shift, 2 Ctrl, 4 Alt) and X, Y in the surface's
// current scale. A press captures the mouse until its release, so the
// release arrives even outside the control. A left click raises, in order,
// MouseDown, MouseUp and Click; a double click MouseDown, MouseUp, Click,
// DblClick and MouseUp (its second press raises DblClick and no MouseDown).
//
// MousePointer picks the cursor shown over the surface (0: the
// container's, 1..15 the standard ones, 99 MouseIcon).
//
// A control container (AcceptsContainedControls) also holds controls that
// its host placed on it: ContainedControls, sited on this control, drawn
// over its surface and moved with it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "com/Control.h"
#include "com/MousePointer.h"
#include "com/StdFont.h"
#include "com/StdPicture.h"
#include "gdi/DrawingSurface.h"

namespace com {

class UserControl : public Control, public ControlContainer {
 public:
  UserControl();
  ~UserControl() override;

  // The drawing surface, sized to the control.
  gdi::DrawingSurface& Surface() { return m_surface; }
  const gdi::DrawingSurface& Surface() const { return m_surface; }
  gdi::HDC hDC() const { return m_surface.hDC(); }

  // Colours and font of the control's own surface.
  uint32_t BackColor() const { return m_surface.BackColor(); }
  void SetBackColor(uint32_t color);
  uint32_t ForeColor() const { return m_surface.ForeColor(); }
  void SetForeColor(uint32_t color) { m_surface.SetForeColor(color); }
  const StdFontPtr& Font() const { return m_font.Get(); }
  // Keeps the font object; changes to it reach the surface.
  void SetFont(StdFontPtr font);
  // The picture painted at the top left of the surface (may be empty or null).
  const StdPicturePtr& Picture() const { return m_picture; }
  void SetPicture(StdPicturePtr picture);
  double ScaleWidth() const { return m_surface.ScaleWidth(); }
  double ScaleHeight() const { return m_surface.ScaleHeight(); }
  // BackStyle 1 shows the surface; 0 (transparent) shows only its
  // controls, or, with a mask picture, the surface where the mask's pixels
  // differ from MaskColor (the control takes the mask's shape).
  int16_t BackStyle() const { return m_backStyle; }
  void SetBackStyle(int16_t style);
  const StdPicturePtr& MaskPicture() const { return m_maskPicture; }
  void SetMaskPicture(StdPicturePtr picture);
  uint32_t MaskColor() const { return m_maskColor; }
  void SetMaskColor(uint32_t color);

  // The cursor over the surface: raises 380 for a pointer other than
  // 0..15 and 99. A change shows at once when the pointer is over the
  // control. MouseIcon is the picture of pointer 99, with its hot spot
  // (default: the picture's centre).
  int16_t MousePointer() const { return m_mousePointer; }
  void SetMousePointer(int16_t pointer);
  const StdPicturePtr& MouseIcon() const { return m_mouseIcon; }
  void SetMouseIcon(StdPicturePtr icon, std::optional<win::POINT> hotSpot = {});
  // The cursor the surface shows now; none when the container decides.
  win::HCURSOR Cursor() const;

  // The container's ambient properties, DisplayName being the control's
  // name; defaults while the control is not sited.
  AmbientProperties Ambient() const override;
  // The extender is the control object itself.
  Control& Extender() { return *this; }

  // Tells the container that a property changed, so it saves the control.
  void PropertyChanged(std::string_view propertyName);
  // Redraws now: a full repaint of the surface and, with AutoRedraw off,
  // the Paint handler.
  void Refresh();

  // Called by the container.
  virtual void Show() {}
  virtual void Hide() {}
  virtual void Terminate() {}
  // Draws the surface, the contained and the constituent controls into the
  // container's DC.
  void Draw(gdi::HDC hdc, int x, int y) override;
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override;

  // Constituent controls: controls placed on this control.
  void AddConstituent(const ControlPtr& control, std::string name, int16_t index = -1);
  const std::vector<ControlPtr>& Constituents() const { return m_constituents; }
  ControlPtr Constituent(std::string_view name, int16_t index = -1) const;

  // Contained controls: controls of the host placed on this control. The
  // host hands a control over keeping its name, index and events; its
  // Left and Top are then relative to this control.
  virtual bool AcceptsContainedControls() const { return false; }
  void AddContainedControl(const ControlPtr& control);
  void RemoveContainedControl(const ControlPtr& control);
  const std::vector<ControlPtr>& ContainedControls() const { return m_contained; }
  // The same as a collection object: Count, and Item(index) from 0.
  DispatchPtr ContainedControlsObject();

  // The names of the property pages that edit the control at design time.
  virtual std::vector<std::string> PropertyPages() const { return {}; }

  // The control's events with their numbers (dispatch ids), 1 for the
  // first in slot order; 0 and "" for an unknown one.
  DispId EventDispId(std::string_view eventName) const;
  std::string EventName(DispId id) const;

  // ControlContainer (for the constituents and the contained controls).
  win::HWND ContainerWindow() const override { return hWnd(); }
  DispatchPtr ContainerObject() override { return shared_from_this(); }
  void OnControlInvalidated(Control& /*control*/) override { Invalidate(); }

 protected:
  virtual void Resize() {}
  virtual void Paint() {}
  // Mouse input on the surface (see above). Click's default is the
  // control's OnMouseClick.
  virtual void UserControl_MouseDown(int16_t /*button*/, int16_t /*shift*/, float /*x*/, float /*y*/) {}
  virtual void UserControl_MouseMove(int16_t /*button*/, int16_t /*shift*/, float /*x*/, float /*y*/) {}
  virtual void UserControl_MouseUp(int16_t /*button*/, int16_t /*shift*/, float /*x*/, float /*y*/) {}
  virtual void UserControl_Click() { OnMouseClick(); }
  virtual void UserControl_DblClick() {}

  // Declares the control's events in slot order (numbered from 1).
  void DeclareEvents(std::initializer_list<std::string_view> names);

  std::string WindowClass() const override;
  // Constituents that need a window and were placed before this control
  // had one get theirs now.
  void OnSited() override;
  void OnMoved() override;
  void OnVisibleChanged() override;

 private:
  bool HandleMouse(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam);
  void DrawSurface(gdi::HDC hdc, int x, int y);
  void ShowCursorIfOver();

  gdi::DrawingSurface m_surface;
  FontHolder m_font;
  StdPicturePtr m_picture;
  int16_t m_backStyle = 1;
  StdPicturePtr m_maskPicture;
  uint32_t m_maskColor = 0x8000000F;
  std::vector<ControlPtr> m_constituents;
  std::vector<ControlPtr> m_contained;
  std::vector<std::string> m_eventNames;
  int16_t m_mousePointer = vbDefault;
  StdPicturePtr m_mouseIcon;
  CustomCursor m_customCursor;
  bool m_implicitCapture = false;
  bool m_releaseAfterDoubleClick = false;
  int m_lastWidth = -1;
  int m_lastHeight = -1;
};

}  // namespace com
