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
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "com/Control.h"
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
  // Draws the surface and the constituent controls into the container's DC.
  void Draw(gdi::HDC hdc, int x, int y) override;

  // Constituent controls: controls placed on this control.
  void AddConstituent(const ControlPtr& control, std::string name, int16_t index = -1);
  const std::vector<ControlPtr>& Constituents() const { return m_constituents; }
  ControlPtr Constituent(std::string_view name, int16_t index = -1) const;

  // ControlContainer (for the constituents).
  win::HWND ContainerWindow() const override { return hWnd(); }
  DispatchPtr ContainerObject() override { return shared_from_this(); }
  void OnControlInvalidated(Control& /*control*/) override { Invalidate(); }

 protected:
  virtual void Resize() {}
  virtual void Paint() {}
  void OnMoved() override;
  void OnVisibleChanged() override;

 private:
  gdi::DrawingSurface m_surface;
  FontHolder m_font;
  StdPicturePtr m_picture;
  std::vector<ControlPtr> m_constituents;
  int m_lastWidth = -1;
  int m_lastHeight = -1;
};

}  // namespace com
