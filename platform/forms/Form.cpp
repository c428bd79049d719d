#include "forms/Form.h"

#include <algorithm>

#include "com/UserControl.h"
#include "forms/FormDisplay.h"
#include "forms/Popup.h"
#include "forms/Responder.h"
#include "forms/Screen.h"
#include "gdi/Twips.h"
#include "runtime/Strings.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/Menu.h"
#include "win/MessageQueue.h"
#include "win/Messages.h"
#include "win/Window.h"

namespace forms {

namespace {

struct FormRegistry {
  std::vector<FormPtr> loaded;
  Form* active = nullptr;
};

// Never destroyed: forms still loaded at exit keep their windows, and the
// window layer's own state may be gone by then.
FormRegistry& Registry() {
  static FormRegistry* registry = new FormRegistry();
  return *registry;
}

constexpr const char* kFormClass = kFormWindowClass;

}  // namespace

// The window procedure of forms: input and closing reach the form object.
struct FormWindow {
  static win::LRESULT Proc(win::HWND hWnd, uint32_t msg, win::WPARAM wParam, win::LPARAM lParam) {
    auto* form = reinterpret_cast<Form*>(win::GetWindowLongA(hWnd, win::GWL_USERDATA));
    if (form) {
      switch (msg) {
        case win::WM_CLOSE:
          form->Close();
          return 0;
        case win::WM_ENDSESSION:
          // The session (the display) ends: the form unloads as the
          // platform's forms do then.
          if (wParam) form->Unload(vbAppWindows);
          return 0;
        case win::WM_KEYDOWN:
          form->KeyDown(static_cast<int16_t>(wParam), ShiftState());
          return 0;
        case win::WM_CHAR:
          form->KeyPress(AnsiKeyCode(wParam));
          return 0;
        case win::WM_KEYUP:
          form->KeyUp(static_cast<int16_t>(wParam), ShiftState());
          return 0;
        case win::WM_SYSKEYDOWN:
          // Alt and a letter or digit: the access key of a control.
          if (wParam == win::VK_F10) {
            // F10 opens the menus.
            form->PressAccessKey(0);
          } else if ((wParam >= 'A' && wParam <= 'Z') || (wParam >= '0' && wParam <= '9')) {
            form->PressAccessKey(static_cast<char32_t>(wParam >= 'A' && wParam <= 'Z' ? wParam + 32 : wParam));
          } else {
            form->KeyDown(static_cast<int16_t>(wParam), ShiftState());
          }
          return 0;
        case win::WM_SYSKEYUP:
          form->KeyUp(static_cast<int16_t>(wParam), ShiftState());
          return 0;
        case win::WM_SYSCHAR:
          return 0;
        case win::WM_MOUSEMOVE:
        case win::WM_LBUTTONDOWN:
        case win::WM_LBUTTONUP:
        case win::WM_LBUTTONDBLCLK:
        case win::WM_RBUTTONDOWN:
        case win::WM_RBUTTONUP:
        case win::WM_MOUSEWHEEL:
        case win::WM_MOUSELEAVE:
          form->RouteMouseToControl(msg, wParam, lParam);
          return 0;
        case win::WM_PAINT:
          form->PaintWindow();
          return 0;
        default:
          if (win::LRESULT result = 0; form->FollowWindow(msg, wParam, lParam, result)) return result;
          break;
      }
    }
    return win::DefWindowProcA(hWnd, msg, wParam, lParam);
  }
  static void Register() {
    static bool registered = false;
    if (registered) return;
    win::WNDCLASSA wc;
    // Windowless controls on the form get double clicks too.
    wc.style = win::CS_DBLCLKS;
    wc.lpfnWndProc = &Proc;
    wc.lpszClassName = kFormClass;
    win::RegisterClassA(wc);
    registered = true;
  }
};

NonClientSize FrameOf(int16_t borderStyle) {
  switch (borderStyle) {
    case vbBSNone:
      return {0, 0};
    case vbSizable:
      return {4, 22};
    case vbFixedToolWindow:
      return {3, 18};
    case vbSizableToolWindow:
      return {4, 18};
    default:
      return {3, 22};  // fixed single, fixed dialog
  }
}

Form::Form(std::string name)
    : m_name(std::move(name)), m_font([this] { m_surface.SetFont(com::ToSurfaceFont(m_font.Get())); }) {
  m_font.Set(nullptr);
  DefineFormMembers();
  m_surface.Resize(std::max(1, gdi::TwipsToPixelsX(ScaleWidth())), std::max(1, gdi::TwipsToPixelsY(ScaleHeight())));
}

Form::~Form() {
  if (Registry().active == this) Registry().active = nullptr;
  if (m_hwnd != win::kNoWindow) win::DestroyWindow(m_hwnd);
}

void Form::DefineFormMembers() {
  DefineReadOnly("Name", [this] { return rt::Variant(m_name); });
  DefineProperty(
      "Caption", [this] { return rt::Variant(m_caption); }, [this](const rt::Variant& v) { SetCaption(v.ToString()); });
  DefinePlacementMembers(*this);
  DefineReadOnly("ScaleWidth", [this] { return rt::Variant(ScaleWidth()); });
  DefineReadOnly("ScaleHeight", [this] { return rt::Variant(ScaleHeight()); });
  DefineStateMembers(*this);
  DefineProperty(
      "KeyPreview", [this] { return rt::Variant(m_keyPreview); },
      [this](const rt::Variant& v) { SetKeyPreview(v.ToBool()); });
  DefineProperty(
      "WindowState", [this] { return rt::Variant(m_windowState); },
      [this](const rt::Variant& v) { SetWindowState(v.ToInteger()); });
  DefineProperty(
      "BackColor", [this] { return rt::Variant(static_cast<int32_t>(BackColor())); },
      [this](const rt::Variant& v) { SetBackColor(static_cast<uint32_t>(v.ToLong())); });
  DefineProperty(
      "ForeColor", [this] { return rt::Variant(static_cast<int32_t>(ForeColor())); },
      [this](const rt::Variant& v) { SetForeColor(static_cast<uint32_t>(v.ToLong())); });
  DefineProperty(
      "HelpContextID", [this] { return rt::Variant(m_helpContextId); },
      [this](const rt::Variant& v) { SetHelpContextID(v.ToLong()); });
  DefineReadOnly("hWnd", [this] { return rt::Variant(win::ToInt(m_hwnd)); });
  DefineReadOnly("hDC", [this] { return rt::Variant(gdi::ToInt(hDC())); });
  DefineObject<com::StdFont>(
      "Font", [this] { return Font(); }, [this](com::StdFontPtr v) { SetFont(std::move(v)); });
  DefineObject<com::StdPicture>(
      "Icon", [this] { return m_icon; }, [this](com::StdPicturePtr v) { SetIcon(std::move(v)); });
  DefineObject<com::StdPicture>(
      "Picture", [this] { return m_picture; }, [this](com::StdPicturePtr v) { SetPicture(std::move(v)); });
  DefineMethod("Show", [this](com::Args& args) {
    const rt::Variant& modal = com::OptionalArg(args, 0);
    Form* owner = nullptr;
    if (const rt::Variant& o = com::OptionalArg(args, 1); o.IsObject()) owner = com::AsObject<Form>(o).get();
    Show(modal.IsEmpty() ? vbModeless : modal.ToInteger(), owner);
    return rt::Variant();
  });
  DefineMethod("Hide", [this](com::Args&) {
    Hide();
    return rt::Variant();
  });
  DefineMethod("Refresh", [this](com::Args&) {
    Refresh();
    return rt::Variant();
  });
  DefineMethod("Move", [this](com::Args& args) {
    const com::MoveArguments m = com::ReadMoveArguments(args);
    Move(m.left, m.top, m.width, m.height);
    return rt::Variant();
  });
}

void Form::SetDesignFile(std::string path) {
  m_designFile = std::move(path);
  m_designText.clear();
}

void Form::SetDesignText(std::string text, std::string folder) {
  m_designText = std::move(text);
  m_designFolder = std::move(folder);
  m_designFile.clear();
}

std::vector<FormPtr> Form::Forms() { return Registry().loaded; }
Form* Form::ActiveForm() { return Registry().active; }

void Form::Load() {
  if (m_loaded) return;
  FormPtr self;
  try {
    self = std::static_pointer_cast<Form>(shared_from_this());
  } catch (const std::bad_weak_ptr&) {
    rt::Raise(errFormNotShared, m_name, "Forms are created with std::make_shared");
  }
  FormWindow::Register();
  const NonClientSize frame = FrameOf(m_borderStyle);
  m_hwnd = win::CreateWindowExA(
      0, kFormClass, m_caption, FormWindowStyle(*this), gdi::TwipsToPixelsX(m_left) + frame.border,
      gdi::TwipsToPixelsY(m_top) + frame.border + frame.caption, std::max(1, gdi::TwipsToPixelsX(ScaleWidth())),
      std::max(1, gdi::TwipsToPixelsY(ScaleHeight())), win::kNoWindow);
  win::SetWindowLongA(m_hwnd, win::GWL_USERDATA, reinterpret_cast<win::LONG_PTR>(this));
  win::SetPropA(m_hwnd, com::kKeyTargetProperty, 1);
  m_loaded = true;
  m_shownOnce = false;
  Registry().loaded.push_back(self);
  try {
    if (!m_designFile.empty())
      ApplyDesign(ReadDesignFile(m_designFile));
    else if (!m_designText.empty())
      ApplyDesign(ReadDesignText(m_designText, m_designFolder));
    StackControlWindows();
    SyncWindowStyle();
    ApplyStartUpPosition();
    if (!m_initialized) {
      m_initialized = true;
      Form_Initialize();
    }
    Form_Load();
  } catch (...) {
    // A form whose loading failed is not left half loaded.
    m_unloading = true;
    for (auto& c : std::vector<com::ControlPtr>(m_controls)) DetachControl(c);
    m_controls.clear();
    m_holderOf.clear();
    m_holderPlace.clear();
    win::DestroyWindow(m_hwnd);
    m_hwnd = win::kNoWindow;
    m_loaded = false;
    m_unloading = false;
    std::erase(Registry().loaded, self);
    throw;
  }
}

void Form::ApplyDesign(const DesignNode& node) {
  const com::PropertyBag& bag = node.properties;
  m_caption = bag.ReadProperty("Caption", m_caption).ToString();
  m_borderStyle = bag.ReadProperty("BorderStyle", m_borderStyle).ToInteger();
  m_controlBox = bag.ReadProperty("ControlBox", m_controlBox).ToBool();
  m_minButton = bag.ReadProperty("MinButton", m_minButton).ToBool();
  m_maxButton = bag.ReadProperty("MaxButton", m_maxButton).ToBool();
  m_keyPreview = bag.ReadProperty("KeyPreview", m_keyPreview).ToBool();
  m_startUpPosition = bag.ReadProperty("StartUpPosition", m_startUpPosition).ToInteger();
  m_windowState = bag.ReadProperty("WindowState", m_windowState).ToInteger();
  m_tag = bag.ReadProperty("Tag", m_tag).ToString();
  m_helpContextId = bag.ReadProperty("HelpContextID", m_helpContextId).ToLong();
  SetBackColor(static_cast<uint32_t>(bag.ReadProperty("BackColor", static_cast<int32_t>(BackColor())).ToLong()));
  SetForeColor(static_cast<uint32_t>(bag.ReadProperty("ForeColor", static_cast<int32_t>(ForeColor())).ToLong()));
  SetAutoRedraw(bag.ReadProperty("AutoRedraw", AutoRedraw()).ToBool());
  if (auto font = com::AsObject<com::StdFont>(bag.ReadProperty("Font", com::Nothing()))) SetFont(font);
  if (bag.Contains("Icon")) m_icon = com::AsObject<com::StdPicture>(bag.ReadProperty("Icon"));
  if (bag.Contains("Picture")) SetPicture(com::AsObject<com::StdPicture>(bag.ReadProperty("Picture")));
  int32_t left = bag.ReadProperty("Left", m_left).ToLong();
  int32_t top = bag.ReadProperty("Top", m_top).ToLong();
  Move(left, top, bag.ReadProperty("Width", m_width).ToLong(), bag.ReadProperty("Height", m_height).ToLong());
  if (bag.Contains("ClientWidth") || bag.Contains("ClientHeight")) {
    SetClientSize(bag.ReadProperty("ClientWidth", ScaleWidth()).ToLong(),
                  bag.ReadProperty("ClientHeight", ScaleHeight()).ToLong());
  }
  if (m_hwnd != win::kNoWindow) win::SetWindowTextA(m_hwnd, m_caption);
  CreateControls(node.children, 0, 0);
}

void Form::ApplyStartUpPosition() {
  if (m_startUpPosition == vbStartUpScreen || (m_startUpPosition == vbStartUpOwner && !m_owner)) {
    Move((Screen::Width() - m_width) / 2, (Screen::Height() - m_height) / 2);
  } else if (m_startUpPosition == vbStartUpOwner) {
    Move(m_owner->Left() + (m_owner->Width() - m_width) / 2, m_owner->Top() + (m_owner->Height() - m_height) / 2);
  }
}

void Form::Show(int16_t modal, Form* owner) {
  if (modal == vbModal && m_visible)
    rt::Raise(errAlreadyShownModal, m_name, "Form already displayed; can't show modally");
  if (owner) m_owner = owner;
  Load();
  if (!m_loaded) return;
  std::weak_ptr<Form> activeBefore;
  if (Form* active = ActiveForm()) activeBefore = std::static_pointer_cast<Form>(active->shared_from_this());
  const win::HWND focusBefore = win::GetFocus();
  // The window stays above its owner: the form named as owner, for a
  // modal form else the active one; the window of the form that a docked
  // form sits in, as only a top-level window owns another.
  if (Form* windowOwner = m_owner            ? m_owner
                          : modal == vbModal ? ActiveForm()
                                             : nullptr;
      windowOwner && windowOwner != this && windowOwner->m_hwnd != win::kNoWindow) {
    win::SetWindowLongA(m_hwnd, win::GWL_HWNDPARENT,
                        win::ToInt(win::GetAncestor(windowOwner->m_hwnd, win::GA_ROOT)));
  }
  SetVisible(true);
  Activate();
  if (!ActiveControl()) FocusNext();
  if (modal == vbModal) RunModal(activeBefore, focusBefore);
}

void Form::SetVisible(bool visible) {
  if (visible && !m_loaded) Load();
  if (m_visible == visible || !m_loaded) return;
  m_visible = visible;
  win::ShowWindow(m_hwnd, visible ? ShowCommand() : win::SW_HIDE);
  for (const auto& c : m_controls) {
    if (auto uc = std::dynamic_pointer_cast<com::UserControl>(c); uc && uc->Visible()) {
      if (visible)
        uc->Show();
      else
        uc->Hide();
    }
  }
  if (visible && !m_shownOnce) {
    m_shownOnce = true;
    Form_Resize();
  }
  if (visible)
    win::InvalidateRect(m_hwnd, nullptr, win::TRUE);
  else if (Registry().active == this)
    Deactivate();
}

void Form::Hide() { SetVisible(false); }

void Form::Activate() {
  auto& r = Registry();
  // A form docked in this one that holds the keyboard focus stays the
  // active form.
  for (win::HWND w = win::GetFocus(); w != win::kNoWindow && w != m_hwnd; w = win::GetParent(w)) {
    if (win::GetClassNameA(w) != kFormClass) continue;
    auto* docked = reinterpret_cast<Form*>(win::GetWindowLongA(w, win::GWL_USERDATA));
    if (docked && docked != this && win::IsChild(m_hwnd, w)) {
      if (r.active != docked) docked->Activate();
      return;
    }
    break;
  }
  if (r.active == this) return;
  if (r.active) r.active->Deactivate();
  r.active = this;
  Form_Activate();
}

void Form::Deactivate() {
  auto& r = Registry();
  if (r.active != this) return;
  r.active = nullptr;
  Form_Deactivate();
}

void Form::RunModal(const std::weak_ptr<Form>& activeBefore, win::HWND focusBefore) {
  FormPtr self = std::static_pointer_cast<Form>(shared_from_this());
  // The window that gets the keyboard back afterwards: the owner, else the
  // form that was active, else the last one shown; with the control that
  // had the focus in it.
  FormPtr previous;
  for (const auto& f : Registry().loaded) {
    if (f.get() != this && f->Visible()) previous = f;
  }
  if (FormPtr active = activeBefore.lock(); active && active.get() != this && active->IsLoaded() && active->Visible())
    previous = active;
  if (m_owner && m_owner->IsLoaded() && m_owner->Visible())
    previous = std::static_pointer_cast<Form>(m_owner->shared_from_this());
  // Other forms take no input while this one is shown modally.
  std::vector<FormPtr> disabled;
  for (const auto& f : Registry().loaded) {
    if (f.get() != this && f->m_hwnd != win::kNoWindow && win::IsWindowEnabled(f->m_hwnd)) {
      win::EnableWindow(f->m_hwnd, win::FALSE);
      disabled.push_back(f);
    }
  }
  // Their pop-ups (a tooltip, an open list) go: they would stay over the
  // modal window and after it.
  for (Popup* popup : Popup::OpenPopups()) {
    if (!win::IsWindowEnabled(win::GetAncestor(popup->Owner(), win::GA_ROOT))) popup->Close();
  }
  m_modal = true;
  auto restore = [&] {
    m_modal = false;
    for (const auto& f : disabled) {
      if (f->m_hwnd != win::kNoWindow) win::EnableWindow(f->m_hwnd, f->m_enabled ? win::TRUE : win::FALSE);
    }
    if (previous && previous->IsLoaded() && previous->Visible()) {
      // Its window is active again and takes the keyboard, in the control
      // that had it.
      win::SetForegroundWindow(previous->m_hwnd);
      previous->Activate();
      if (win::IsWindow(focusBefore) && win::IsChild(previous->m_hwnd, focusBefore) &&
          win::IsWindowVisible(focusBefore) && win::IsWindowEnabled(focusBefore)) {
        win::SetFocus(focusBefore);
      } else if (!previous->ActiveControl()) {
        previous->FocusNext();
      }
    }
  };
  try {
    if (Responder responder = Responders::Next()) {
      ModalRequest request;
      request.kind = ModalRequest::Kind::Form;
      request.form = this;
      responder(request);
      win::DoEvents();
    }
    while (m_loaded && m_visible) {
      win::MSG msg;
      if (win::PeekMessageA(&msg, win::kNoWindow, 0, 0, win::PM_REMOVE)) {
        if (msg.message == win::WM_QUIT) {
          // The program ends: the quit stays for the outer loop.
          win::PostQuitMessage(static_cast<int>(msg.wParam));
          break;
        }
      } else if (!win::GetMessageA(&msg, win::kNoWindow, 0, 0)) {
        // Nothing is queued and nothing can arrive any more (no display,
        // no timer that can come due): nobody is there to close the form.
        SetVisible(false);
        rt::Raise(errNoResponder, m_name, "Modal form '" + m_name + "' has no responder to answer it");
      }
      win::TranslateMessage(&msg);
      win::DispatchMessageA(&msg);
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

bool Form::Unload(int16_t unloadMode) {
  if (!m_loaded || m_unloading) return true;
  FormPtr self = std::static_pointer_cast<Form>(shared_from_this());
  int16_t cancel = 0;
  Form_QueryUnload(cancel, unloadMode);
  if (cancel != 0) return false;
  cancel = 0;
  Form_Unload(cancel);
  if (cancel != 0) return false;
  m_unloading = true;
  SetVisible(false);
  Deactivate();
  for (auto& c : std::vector<com::ControlPtr>(m_controls)) DetachControl(c);
  m_controls.clear();
  m_runtimeLoaded.clear();
  m_holderOf.clear();
  m_holderPlace.clear();
  ReleaseOwnedWindows();
  win::DestroyWindow(m_hwnd);
  m_hwnd = win::kNoWindow;
  m_loaded = false;
  m_unloading = false;
  m_modal = false;
  std::erase(Registry().loaded, self);
  return true;
}

void Form::SetCaption(std::string caption) {
  m_caption = std::move(caption);
  if (m_hwnd != win::kNoWindow) win::SetWindowTextA(m_hwnd, m_caption);
}

void Form::Move(int32_t left, std::optional<int32_t> top, std::optional<int32_t> width, std::optional<int32_t> height) {
  const int32_t oldWidth = m_width;
  const int32_t oldHeight = m_height;
  m_left = left;
  m_top = top.value_or(m_top);
  m_width = std::max<int32_t>(0, width.value_or(m_width));
  m_height = std::max<int32_t>(0, height.value_or(m_height));
  SyncWindow();
  if (m_width != oldWidth || m_height != oldHeight) SizeChanged();
}

void Form::SyncWindow() {
  if (m_hwnd == win::kNoWindow) return;
  const NonClientSize frame = FrameOf(m_borderStyle);
  win::MoveWindow(m_hwnd, gdi::TwipsToPixelsX(m_left) + frame.border,
                  gdi::TwipsToPixelsY(m_top) + frame.border + frame.caption,
                  std::max(1, gdi::TwipsToPixelsX(ScaleWidth())), std::max(1, gdi::TwipsToPixelsY(ScaleHeight())));
}

void Form::SizeChanged() {
  m_surface.Resize(std::max(1, gdi::TwipsToPixelsX(ScaleWidth())), std::max(1, gdi::TwipsToPixelsY(ScaleHeight())));
  if (m_loaded && m_shownOnce) Form_Resize();
}

int32_t Form::ScaleWidth() const {
  const NonClientSize frame = FrameOf(m_borderStyle);
  return std::max<int32_t>(0, m_width - gdi::PixelsToTwipsX(2 * frame.border));
}

int32_t Form::ScaleHeight() const {
  const NonClientSize frame = FrameOf(m_borderStyle);
  return std::max<int32_t>(0, m_height - gdi::PixelsToTwipsY(2 * frame.border + frame.caption));
}

void Form::SetClientSize(int32_t widthTwips, int32_t heightTwips) {
  const NonClientSize frame = FrameOf(m_borderStyle);
  Move(m_left, m_top, widthTwips + gdi::PixelsToTwipsX(2 * frame.border),
       heightTwips + gdi::PixelsToTwipsY(2 * frame.border + frame.caption));
}

void Form::SetBorderStyle(int16_t style) {
  m_borderStyle = style;
  SyncWindowStyle();
  SyncWindow();
  SizeChanged();
}

void Form::SetWindowState(int16_t state) {
  m_windowState = state;
  if (m_visible && m_hwnd != win::kNoWindow) win::ShowWindow(m_hwnd, ShowCommand());
  if (state == vbMaximized) Move(0, 0, Screen::Width(), Screen::Height());
  m_windowState = state;
}

void Form::SetEnabled(bool enabled) {
  m_enabled = enabled;
  if (m_hwnd != win::kNoWindow) win::EnableWindow(m_hwnd, enabled ? win::TRUE : win::FALSE);
}

void Form::SetPicture(com::StdPicturePtr picture) {
  m_picture = std::move(picture);
  com::SetSurfacePicture(m_surface, m_picture);
}

void Form::SetBackColor(uint32_t color) { m_surface.SetBackColor(color); }

void Form::SetFont(com::StdFontPtr font) { m_font.Set(std::move(font)); }

com::AmbientProperties Form::Ambient() const {
  com::AmbientProperties ambient;
  ambient.BackColor = BackColor();
  ambient.ForeColor = ForeColor();
  ambient.Font = m_font.Get();
  ambient.UserMode = true;
  return ambient;
}


void Form::Refresh() {
  m_surface.Refresh();
  if (!AutoRedraw()) Form_Paint();
  if (m_hwnd != win::kNoWindow) win::InvalidateRect(m_hwnd, nullptr, win::FALSE);
}

}  // namespace forms
