// A control placed on a container (a form, or a user control holding
// constituent controls), together with its extender: the properties the
// container keeps for every control (Name, Index, Left, Top, Width, Height,
// Visible, Enabled, Tag, TabIndex, TabStop, Container, Move). Positions and
// sizes are twips in the container's client area. The standard controls of
// the forms layer and the user controls of the control library derive from
// it; the container creates, sites, lays out, draws and destroys them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "com/Ambient.h"
#include "com/Dispatch.h"
#include "com/PropertyBag.h"
#include "gdi/Types.h"
#include "win/Types.h"

namespace com {

class Control;

// The container side of a control.
class ControlContainer {
 public:
  virtual ~ControlContainer() = default;
  // The window the controls' windows are children of.
  virtual win::HWND ContainerWindow() const = 0;
  virtual AmbientProperties Ambient() const = 0;
  // The object that a control's Container and Parent return.
  virtual DispatchPtr ContainerObject() = 0;
  // Notifications from a control.
  virtual void OnControlPropertyChanged(Control& /*control*/, std::string_view /*propertyName*/) {}
  virtual void OnControlInvalidated(Control& /*control*/) {}
};

// A window property that marks a window taking the keys of the control
// windows below it (a form's window, also one docked inside another form).
inline constexpr const char* kKeyTargetProperty = "QvKeyTarget";

// Key and mouse shift states.
inline constexpr int16_t vbShiftMask = 1;
inline constexpr int16_t vbCtrlMask = 2;
inline constexpr int16_t vbAltMask = 4;

class Control : public Dispatch {
 public:
  Control();
  ~Control() override;

  std::string TypeName() const override { return ClassName(); }
  // The class name of the control ("CommandButton", "msg", ...).
  virtual std::string ClassName() const = 0;

  // Extender.
  const std::string& Name() const { return m_name; }
  // The index within a control array, -1 for a control that is none.
  int16_t Index() const { return m_index; }
  bool IsArrayMember() const { return m_index >= 0; }
  int32_t Left() const { return m_left; }
  int32_t Top() const { return m_top; }
  int32_t Width() const { return m_width; }
  int32_t Height() const { return m_height; }
  void SetLeft(int32_t v) { Move(v); }
  void SetTop(int32_t v) { Move(m_left, v); }
  void SetWidth(int32_t v) { Move(m_left, m_top, v); }
  void SetHeight(int32_t v) { Move(m_left, m_top, m_width, v); }
  // Moves and sizes the control; arguments left out keep their value.
  void Move(int32_t left, std::optional<int32_t> top = {}, std::optional<int32_t> width = {},
            std::optional<int32_t> height = {});
  bool Visible() const { return m_visible; }
  void SetVisible(bool visible);
  bool Enabled() const { return m_enabled; }
  void SetEnabled(bool enabled);
  const std::string& Tag() const { return m_tag; }
  void SetTag(std::string tag) { m_tag = std::move(tag); }
  int16_t TabIndex() const { return m_tabIndex; }
  void SetTabIndex(int16_t index) { m_tabIndex = index; }
  bool TabStop() const { return m_tabStop; }
  void SetTabStop(bool stop) { m_tabStop = stop; }
  int32_t HelpContextID() const { return m_helpContextId; }
  void SetHelpContextID(int32_t id) { m_helpContextId = id; }
  // A control that is not shown when the program runs (a timer, a
  // message-box component): the container neither draws nor shows it.
  virtual bool InvisibleAtRuntime() const { return false; }
  const std::string& ToolTipText() const { return m_toolTipText; }
  void SetToolTipText(std::string text) { m_toolTipText = std::move(text); }
  ControlContainer* Container() const { return m_container; }

  // The control's own window (a child of the container's window); 0 for a
  // windowless control (label, image, timer) and before it is sited.
  win::HWND hWnd() const { return m_hwnd; }
  // A control drawn on its container's surface, without a window of its own.
  bool IsWindowless() const { return WindowClass().empty(); }
  // Whether the control can take the focus: sited, windowed, visible (and
  // not invisible at run time), enabled and a tab stop.
  virtual bool CanFocus() const;

  // Siting: the container gives the control its place, name and index and
  // the control creates its window; Unsite destroys the window.
  void Site(ControlContainer& container, std::string name, int16_t index);
  void Unsite();
  bool IsSited() const { return m_container != nullptr; }

  // Persistence of the extender properties (Left, Top, Width, Height,
  // Visible, Enabled, Tag, TabIndex, TabStop, ToolTipText, HelpContextID).
  // Reading places
  // the control without telling it (no Resize yet): the container calls
  // NotifyResize once the control has read its own properties.
  void ReadExtender(const PropertyBag& bag);
  void NotifyResize() { OnMoved(); }
  void WriteExtender(PropertyBag& bag) const;
  // Persistence of the control's own properties: a new control gets
  // InitProperties, a loaded one ReadProperties; WriteProperties saves.
  virtual void InitProperties() {}
  virtual void ReadProperties(const PropertyBag& /*bag*/) {}
  virtual void WriteProperties(PropertyBag& /*bag*/) {}

  // Draws the control into `hdc` with its top-left corner at pixel (x, y)
  // of that DC; the container calls it for each visible control in
  // z-order when it renders itself.
  virtual void Draw(gdi::HDC /*hdc*/, int /*x*/, int /*y*/) {}

  // Input the container routes to the control. Each raises the control's
  // event of the same name with its arguments by reference.
  virtual void KeyDown(int16_t& keyCode, int16_t shift);
  virtual void KeyPress(int16_t& keyAscii);
  virtual void KeyUp(int16_t& keyCode, int16_t shift);
  // The control's window got or lost the focus (WM_SETFOCUS, WM_KILLFOCUS).
  virtual void GotFocus() { RaiseEvent("GotFocus"); }
  virtual void LostFocus() { RaiseEvent("LostFocus"); }

  // Every message of the control's window reaches HandleMessage first (the
  // control stays alive meanwhile); a control that used the message
  // returns true and sets `result`. Otherwise keys go on to the nearest
  // window above marked kKeyTargetProperty (else the top-level window) and
  // a left button release becomes OnMouseClick.
  virtual bool HandleMessage(uint32_t /*msg*/, win::WPARAM /*wParam*/, win::LPARAM /*lParam*/,
                             win::LRESULT& /*result*/) {
    return false;
  }

  // Asks the container to repaint the control.
  void Invalidate();
  // A left click on the control's window.
  void ForwardMouseClick() { OnMouseClick(); }

  // Pixel size of the control.
  int PixelWidth() const;
  int PixelHeight() const;

 protected:
  // The window class of the control's window; empty for a windowless
  // control. The default class passes keys on to the top-level window (the
  // form routes them) and turns a left click into OnMouseClick.
  virtual std::string WindowClass() const;
  // Registers (once) a window class of that name whose windows work like
  // those of the default class, with class styles such as CS_DBLCLKS.
  static std::string ControlWindowClass(std::string_view name, uint32_t classStyle);
  virtual void OnMouseClick() {}
  // After the control was sited on a container, and before it is unsited.
  virtual void OnSited() {}
  virtual void OnUnsited() {}
  // After Move changed the size or position.
  virtual void OnMoved() {}
  virtual void OnVisibleChanged() {}
  virtual void OnEnabledChanged() {}
  // Tells the container that a property changed (a designer saves then).
  void NotifyPropertyChanged(std::string_view propertyName);

 private:
  void DefineExtenderMembers();

  std::string m_name;
  int16_t m_index = -1;
  int32_t m_left = 0;
  int32_t m_top = 0;
  int32_t m_width = 0;
  int32_t m_height = 0;
  bool m_visible = true;
  bool m_enabled = true;
  std::string m_tag;
  int16_t m_tabIndex = 0;
  bool m_tabStop = true;
  std::string m_toolTipText;
  int32_t m_helpContextId = 0;
  ControlContainer* m_container = nullptr;
  win::HWND m_hwnd = win::kNoWindow;
};

using ControlPtr = std::shared_ptr<Control>;

// The arguments of a late-bound Move call: Left, and optionally Top,
// Width and Height (left out: keep the value).
struct MoveArguments {
  int32_t left = 0;
  std::optional<int32_t> top, width, height;
};
MoveArguments ReadMoveArguments(Args& args);

}  // namespace com
