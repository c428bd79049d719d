// Forms: top-level windows with a drawing surface and controls created
// from design data. A form is created with std::make_shared (the Forms
// collection keeps loaded forms alive); Load creates its window and its
// controls from the design data, runs Form_Load; Show shows it modeless or
// modal (a nested message loop that ends when the form is hidden or
// unloaded; see Responder.h for how tests answer it); Unload asks
// QueryUnload and Unload, either of which can cancel, then destroys the
// controls and the window. The form object stays and can be loaded again.
//
// Event handlers are virtual functions named as the events
// (Form_Load, Form_QueryUnload, ...); events of controls reach handlers
// registered with OnControlEvent. Public procedures that other code calls
// by name are declared with DefineMethod (Dispatch); an unknown name
// raises 438.
//
// Geometry: Left, Top, Width and Height are twips of the outer window,
// ScaleWidth and ScaleHeight the client area in twips; the frame that a
// border style adds is given by NonClientSize.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "com/Control.h"
#include "com/Dispatch.h"
#include "com/StdFont.h"
#include "com/StdPicture.h"
#include "forms/Constants.h"
#include "forms/FormDesign.h"
#include "gdi/DrawingSurface.h"
#include "gdi/Owned.h"
#include "runtime/Error.h"
#include "win/Types.h"

namespace forms {

class Form;
using FormPtr = std::shared_ptr<Form>;

// Frame of a window with a border style, in pixels.
struct NonClientSize {
  int border = 0;   // each side
  int caption = 0;  // title bar height
};
NonClientSize FrameOf(int16_t borderStyle);

// Error numbers of forms and control arrays.
inline constexpr int32_t errControlArrayElementMissing = 340;
inline constexpr int32_t errNotAControlArray = 343;
inline constexpr int32_t errObjectAlreadyLoaded = 360;
inline constexpr int32_t errCantUnloadDesignControl = 362;
inline constexpr int32_t errAlreadyShownModal = 400;
inline constexpr int32_t errFormNotShared = 91;

// The window class of forms' windows.
inline constexpr const char* kFormWindowClass = "QvForm";

class Form : public com::Dispatch, public com::ControlContainer {
 public:
  explicit Form(std::string name);
  ~Form() override;

  std::string TypeName() const override { return m_name; }
  const std::string& Name() const { return m_name; }

  // Design data: a file beside the form's source, or the text itself.
  // Without either the form starts with no controls.
  void SetDesignFile(std::string path);
  void SetDesignText(std::string text, std::string folder = {});

  // Life cycle.
  void Load();
  void Show(int16_t modal = vbModeless, Form* owner = nullptr);
  void Hide();
  // Returns false when QueryUnload or Unload cancelled.
  bool Unload(int16_t unloadMode = vbFormCode);
  // The user closes the window through its control menu.
  bool Close() { return Unload(vbFormControlMenu); }
  bool IsLoaded() const { return m_loaded; }
  bool Visible() const { return m_visible; }
  void SetVisible(bool visible);
  bool IsModal() const { return m_modal; }
  Form* Owner() const { return m_owner; }

  // The Forms collection (loaded forms in load order) and the active form.
  static std::vector<FormPtr> Forms();
  static Form* ActiveForm();

  // Properties.
  const std::string& Caption() const { return m_caption; }
  void SetCaption(std::string caption);
  int32_t Left() const { return m_left; }
  int32_t Top() const { return m_top; }
  int32_t Width() const { return m_width; }
  int32_t Height() const { return m_height; }
  void SetLeft(int32_t v) { Move(v); }
  void SetTop(int32_t v) { Move(m_left, v); }
  void SetWidth(int32_t v) { Move(m_left, m_top, v); }
  void SetHeight(int32_t v) { Move(m_left, m_top, m_width, v); }
  void Move(int32_t left, std::optional<int32_t> top = {}, std::optional<int32_t> width = {},
            std::optional<int32_t> height = {});
  // The client area in twips.
  int32_t ScaleWidth() const;
  int32_t ScaleHeight() const;
  void SetClientSize(int32_t widthTwips, int32_t heightTwips);
  int16_t BorderStyle() const { return m_borderStyle; }
  void SetBorderStyle(int16_t style);
  bool ControlBox() const { return m_controlBox; }
  void SetControlBox(bool value) { m_controlBox = value; }
  bool MinButton() const { return m_minButton; }
  void SetMinButton(bool value) { m_minButton = value; }
  bool MaxButton() const { return m_maxButton; }
  void SetMaxButton(bool value) { m_maxButton = value; }
  bool KeyPreview() const { return m_keyPreview; }
  void SetKeyPreview(bool value) { m_keyPreview = value; }
  int16_t StartUpPosition() const { return m_startUpPosition; }
  void SetStartUpPosition(int16_t value) { m_startUpPosition = value; }
  int16_t WindowState() const { return m_windowState; }
  void SetWindowState(int16_t state);
  bool Enabled() const { return m_enabled; }
  void SetEnabled(bool enabled);
  const std::string& Tag() const { return m_tag; }
  void SetTag(std::string tag) { m_tag = std::move(tag); }
  // The help context that F1 opens when neither the form nor the active
  // control handles the key (the control's own context first).
  int32_t HelpContextID() const { return m_helpContextId; }
  void SetHelpContextID(int32_t id) { m_helpContextId = id; }
  const com::StdPicturePtr& Icon() const { return m_icon; }
  void SetIcon(com::StdPicturePtr icon) { m_icon = std::move(icon); }
  // The picture painted at the top left of the client area.
  const com::StdPicturePtr& Picture() const { return m_picture; }
  void SetPicture(com::StdPicturePtr picture);
  uint32_t BackColor() const { return m_surface.BackColor(); }
  void SetBackColor(uint32_t color);
  uint32_t ForeColor() const { return m_surface.ForeColor(); }
  void SetForeColor(uint32_t color) { m_surface.SetForeColor(color); }
  const com::StdFontPtr& Font() const { return m_font.Get(); }
  void SetFont(com::StdFontPtr font);
  bool AutoRedraw() const { return m_surface.AutoRedraw(); }
  void SetAutoRedraw(bool value) { m_surface.SetAutoRedraw(value); }

  // The drawing surface of the client area (Cls, Print, Line, hDC ...).
  gdi::DrawingSurface& Surface() { return m_surface; }
  gdi::HDC hDC() const { return m_surface.hDC(); }
  win::HWND hWnd() const { return m_hwnd; }

  // Controls, in z-order (the first is on top).
  const std::vector<com::ControlPtr>& Controls() const { return m_controls; }
  // The control of that name: raises 343 for a control array and 730 when
  // there is no such control.
  com::ControlPtr Control(std::string_view name) const;
  // A member of a control array: raises 340 when it does not exist.
  com::ControlPtr Control(std::string_view name, int16_t index) const;
  bool HasControl(std::string_view name, int16_t index = -1) const;
  template <class T>
  std::shared_ptr<T> Get(std::string_view name, int16_t index = -1) const {
    auto control = index < 0 ? Control(name) : Control(name, index);
    auto typed = std::dynamic_pointer_cast<T>(control);
    if (!typed) rt::Raise(rt::errTypeMismatch, std::string(name));
    return typed;
  }
  // The members of a control array, by index.
  std::vector<com::ControlPtr> ControlArray(std::string_view name) const;
  // Adds a control at run time (Controls.Add): created by class name,
  // given InitProperties, placed at the top of the z-order, hidden.
  com::ControlPtr AddControl(std::string_view progId, std::string name, int16_t index = -1);
  // Loads a new member of a control array (Load arr(index)): a copy of the
  // member with the lowest index, hidden. Raises 360 when the index is
  // taken, 340 when there is no such array.
  com::ControlPtr LoadControl(std::string_view name, int16_t index);
  // Unloads a member loaded at run time; raises 362 for a member from the
  // design data and 340 for a missing one.
  void UnloadControl(std::string_view name, int16_t index);

  // Controls placed on a control (its holder: a group box, a tab page, a
  // panel). The design data places a control on the one whose block holds
  // it; PlaceOn does it at run time (nullptr: on the form itself). A held
  // control shows only while its holder shows and lets it show
  // (ControlHolder.h), moves along with its holder and is drawn above it.
  com::Control* HolderOf(const com::Control& control) const;
  std::vector<com::ControlPtr> HeldBy(const com::Control& holder) const;
  void PlaceOn(const com::Control& control, const com::Control* holder);
  // Whether the control shows on the form: it is visible and so is each of
  // its holders, each letting it show.
  bool IsShown(const com::Control& control) const;
  // Shows or hides the controls' windows as IsShown says; holders call it
  // after they changed what they show.
  void SyncShownControls();
  // Moves the controls placed on `holder` along with it since it was last
  // seen; a holder that lays out what it holds calls it before doing so.
  void HolderMoved(com::Control& holder);

  // Handlers of control events: for every control of that name (each
  // member of a control array, with its index; -1 for a single control).
  using ControlEventHandler = std::function<void(int16_t index, com::Args& args)>;
  void OnControlEvent(std::string_view controlName, std::string_view eventName, ControlEventHandler handler);

  // Focus.
  com::ControlPtr ActiveControl() const;
  // Moves the focus to the control; false when it cannot take it.
  bool SetFocusTo(com::Control& control);
  // Moves the focus to the next (previous) control in TabIndex order that
  // shows and can take the focus.
  bool FocusNext(bool backwards = false);
  // Moves the focus to the first control after `control` in TabIndex order
  // that can take it (what a label's access key does).
  bool FocusAfter(const com::Control& control);
  // Alt and a letter: the first control in TabIndex order whose caption
  // marks that letter with "&" takes it (AccessKeys.h); false when none.
  bool PressAccessKey(char32_t letter);

  // Keyboard input as the window receives it. KeyPreview forms see keys
  // before the active control; Enter clicks the default button and Escape
  // the cancel button.
  void KeyDown(int16_t keyCode, int16_t shift = 0);
  void KeyPress(int16_t keyAscii);
  void KeyUp(int16_t keyCode, int16_t shift = 0);
  // KeyDown, KeyPress (for a key that types a character) and KeyUp.
  void PressKey(int16_t keyCode, int16_t shift = 0);

  // What F1 opens when nothing handled the key: the help file and the help
  // context of the active control, else of the form. The help layer
  // installs the handler; without one F1 does nothing.
  using HelpHandler = std::function<void(Form& form, const std::string& helpFile, int32_t context)>;
  static void SetHelpHandler(HelpHandler handler);
  void ShowContextHelp();

  // The control (not windowed) under a point of the client area in pixels,
  // the top-most that shows; nullptr when none.
  com::ControlPtr WindowlessControlAt(int x, int y) const;

  // Repaints: the Paint handler (AutoRedraw off) and the window.
  void Refresh();
  // Renders the form with its controls (and the window frame) into a new
  // bitmap, or into a PNG file; false when the file cannot be written.
  gdi::OwnedBitmap RenderToBitmap(bool withFrame = true);
  bool RenderToPng(const std::string& path, bool withFrame = true);

  // ControlContainer.
  win::HWND ContainerWindow() const override { return m_hwnd; }
  com::AmbientProperties Ambient() const override;
  com::DispatchPtr ContainerObject() override { return shared_from_this(); }
  void OnControlInvalidated(com::Control& control) override;

 protected:
  virtual void Form_Initialize() {}
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_Deactivate() {}
  virtual void Form_Resize() {}
  virtual void Form_Paint() {}
  virtual void Form_KeyDown(int16_t& /*keyCode*/, int16_t /*shift*/) {}
  virtual void Form_KeyPress(int16_t& /*keyAscii*/) {}
  virtual void Form_KeyUp(int16_t& /*keyCode*/, int16_t /*shift*/) {}
  virtual void Form_QueryUnload(int16_t& /*cancel*/, int16_t /*unloadMode*/) {}
  virtual void Form_Unload(int16_t& /*cancel*/) {}

 private:
  friend struct FormWindow;
  void DefineFormMembers();
  void ApplyDesign(const DesignNode& node);
  void CreateControls(const std::vector<DesignNode>& nodes, int32_t offsetLeft, int32_t offsetTop,
                      const com::Control* holder = nullptr);
  void AttachControl(const com::ControlPtr& control, std::string name, int16_t index, bool onTop);
  // The controls' windows take the order of the controls, the first on
  // top, so that the mouse reaches the control that is drawn on top.
  void StackControlWindows();
  void DetachControl(const com::ControlPtr& control);
  void RouteControlEvent(com::Control& control, std::string_view eventName, com::Args& args);
  void Activate();
  void Deactivate();
  // Runs the modal loop; afterwards the keyboard goes back to the form that
  // was active before (`activeBefore`) and its control `focusBefore`.
  void RunModal(const std::weak_ptr<Form>& activeBefore, win::HWND focusBefore);
  void ApplyStartUpPosition();
  void SyncWindow();
  void SizeChanged();
  // Real windows (FormDisplay.cpp): the window's styles from the border
  // style, painting into the window's surface, following what the user and
  // the window manager do with the window.
  void SyncWindowStyle();
  // The windows of other forms that this form's window owns lose their
  // owner, so that they outlive it as their forms do.
  void ReleaseOwnedWindows();
  int ShowCommand() const;
  void PaintWindow();
  void ComposeClient(gdi::HDC hdc, int x, int y);
  bool FollowWindow(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result);
  com::ControlPtr FindButton(bool wantDefault) const;
  void RouteMouseToControl(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam);
  std::vector<com::ControlPtr> TabOrder() const;

  std::string m_name;
  std::string m_designFile;
  std::string m_designText;
  std::string m_designFolder;
  bool m_loaded = false;
  bool m_visible = false;
  bool m_modal = false;
  bool m_unloading = false;
  bool m_shownOnce = false;
  bool m_initialized = false;
  Form* m_owner = nullptr;
  win::HWND m_hwnd = win::kNoWindow;
  std::string m_caption;
  int32_t m_left = 0;
  int32_t m_top = 0;
  int32_t m_width = 4800;
  int32_t m_height = 3600;
  int16_t m_borderStyle = vbSizable;
  bool m_controlBox = true;
  bool m_minButton = true;
  bool m_maxButton = true;
  bool m_keyPreview = false;
  int16_t m_startUpPosition = vbStartUpWindowsDefault;
  int16_t m_windowState = vbNormal;
  bool m_enabled = true;
  std::string m_tag;
  int32_t m_helpContextId = 0;
  com::StdPicturePtr m_icon;
  com::StdPicturePtr m_picture;
  gdi::DrawingSurface m_surface;
  com::FontHolder m_font;
  std::vector<com::ControlPtr> m_controls;
  std::map<const com::Control*, int> m_eventCookies;
  std::map<const com::Control*, bool> m_runtimeLoaded;
  // Holder of each held control, and where each holder was last seen.
  std::map<const com::Control*, const com::Control*> m_holderOf;
  std::map<const com::Control*, std::pair<int32_t, int32_t>> m_holderPlace;
  // The windowless control that took a mouse button press.
  std::weak_ptr<com::Control> m_mouseControl;
  std::map<std::pair<std::string, std::string>, std::vector<ControlEventHandler>> m_eventHandlers;
};

}  // namespace forms
