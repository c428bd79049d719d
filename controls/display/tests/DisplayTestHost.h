// A host form for the display controls' tests: loads design text, records
// the property changes its controls report and the events they raise, and
// plays the user on a control (mouse at a pixel of the control).
#pragma once

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "com/Control.h"
#include "forms/Form.h"
#include "gdi/Gdi.h"
#include "runtime/TestRenders.h"
#include "win/InputRouting.h"
#include "win/Window.h"

namespace kvctl2::test {

class HostForm : public forms::Form {
 public:
  explicit HostForm(const std::string& design) : Form("frmHost") { SetDesignText(design); }

  // Records every event of the named control as "Name(arg, arg, ...)".
  void Record(const std::string& control) {
    for (const auto& c : Controls()) {
      if (c->Name() != control) continue;
      c->Events().ConnectAll([this](std::string_view name, com::Args& args) {
        std::string line(name);
        line += "(";
        for (size_t i = 0; i < args.size(); ++i) line += (i ? ", " : "") + args[i].ToString();
        events.push_back(line + ")");
      });
    }
  }
  void OnControlPropertyChanged(com::Control& /*control*/, std::string_view name) override {
    changed.emplace_back(name);
  }
  // With designMode the controls see a designer (ambient UserMode False).
  com::AmbientProperties Ambient() const override {
    com::AmbientProperties ambient = Form::Ambient();
    ambient.UserMode = !designMode;
    return ambient;
  }

  bool designMode = false;
  std::vector<std::string> events;
  std::vector<std::string> changed;
};

// Screen point of pixel (x, y) of a control's window.
inline win::POINT At(const com::Control& control, int x, int y) {
  win::POINT p{x, y};
  win::ClientToScreen(control.hWnd(), &p);
  return p;
}
inline void MoveTo(const com::Control& c, int x, int y) { win::RouteMouseMove(At(c, x, y)); }
inline void Press(const com::Control& c, int x, int y, win::MouseButton b = win::MouseButton::Left) {
  win::RouteMouseButton(At(c, x, y), b, true);
}
inline void Release(const com::Control& c, int x, int y, win::MouseButton b = win::MouseButton::Left) {
  win::RouteMouseButton(At(c, x, y), b, false);
}
inline void Click(const com::Control& c, int x, int y, win::MouseButton b = win::MouseButton::Left) {
  Press(c, x, y, b);
  Release(c, x, y, b);
}

// A control drawn on its own into a bitmap of its size.
class Rendered {
 public:
  explicit Rendered(com::Control& control)
      : m_dc(gdi::CreateSurfaceDC(std::max(1, control.PixelWidth()), std::max(1, control.PixelHeight()))) {
    control.Draw(m_dc.Get(), 0, 0);
  }
  gdi::COLORREF Pixel(int x, int y) const { return gdi::GetPixel(m_dc.Get(), x, y); }
  gdi::HDC Dc() const { return m_dc.Get(); }

 private:
  gdi::OwnedDC m_dc;
};

// Where the gallery picture `name` goes: display-<name>.png in the build
// folder's renders/.
inline std::string GalleryPath(const std::string& name) { return rt::TestRenderPath("display-" + name + ".png"); }

}  // namespace kvctl2::test
