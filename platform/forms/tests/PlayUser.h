// Playing a user in tests: mouse clicks and keys routed as a display
// delivers them (win/InputRouting.h), aimed at pixels of controls. Each
// click lets the program's clock move on past the double-click time when
// a manual clock is installed, so two clicks stay two clicks; DoubleClick
// presses twice at once.
#pragma once

#include <string_view>

#include "com/Control.h"
#include "forms/Form.h"
#include "gdi/Twips.h"
#include "runtime/Clock.h"
#include "win/InputRouting.h"
#include "win/Window.h"

namespace forms::test {

// The screen point of pixel (x, y) of a control (windowed or not).
inline win::POINT ScreenPoint(const com::Control& control, int x, int y) {
  win::POINT pt{x, y};
  if (control.hWnd() != win::kNoWindow) {
    win::ClientToScreen(control.hWnd(), &pt);
  } else if (auto* form = dynamic_cast<Form*>(control.Container())) {
    pt.x += gdi::TwipsToPixelsX(control.Left());
    pt.y += gdi::TwipsToPixelsY(control.Top());
    win::ClientToScreen(form->hWnd(), &pt);
  }
  return pt;
}

inline void LetTimePass() {
  if (auto* manual = dynamic_cast<rt::ManualClock*>(&rt::CurrentClock())) manual->Advance(1000);
}

inline void ClickAt(win::POINT screen, win::MouseButton button = win::MouseButton::Left) {
  win::RouteMouseMove(screen);
  win::RouteMouseButton(screen, button, true);
  win::RouteMouseButton(screen, button, false);
  LetTimePass();
}

inline void Click(const com::Control& control, int x, int y) { ClickAt(ScreenPoint(control, x, y)); }
// The middle of the control.
inline void Click(const com::Control& control) { Click(control, control.PixelWidth() / 2, control.PixelHeight() / 2); }

inline void DoubleClick(const com::Control& control, int x, int y) {
  const win::POINT pt = ScreenPoint(control, x, y);
  win::RouteMouseMove(pt);
  for (int i = 0; i < 2; ++i) {
    win::RouteMouseButton(pt, win::MouseButton::Left, true);
    win::RouteMouseButton(pt, win::MouseButton::Left, false);
  }
  LetTimePass();
}

// Presses the left button at one pixel, moves to another and releases.
inline void Drag(const com::Control& control, int x1, int y1, int x2, int y2) {
  const win::POINT from = ScreenPoint(control, x1, y1);
  const win::POINT to = ScreenPoint(control, x2, y2);
  win::RouteMouseMove(from);
  win::RouteMouseButton(from, win::MouseButton::Left, true);
  win::RouteMouseMove(to);
  win::RouteMouseButton(to, win::MouseButton::Left, false);
  LetTimePass();
}

inline void Wheel(const com::Control& control, int notches) {
  const win::POINT pt = ScreenPoint(control, control.PixelWidth() / 2, control.PixelHeight() / 2);
  win::RouteMouseMove(pt);
  win::RouteMouseWheel(pt, notches * 120);
}

enum Modifier : unsigned { kNone = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

// A key pressed and released with modifiers held.
inline void Key(uint32_t vk, unsigned modifiers = kNone) {
  if (modifiers & kShift) win::RouteKey(win::VK_SHIFT, true);
  if (modifiers & kCtrl) win::RouteKey(win::VK_CONTROL, true);
  if (modifiers & kAlt) win::RouteKey(win::VK_MENU, true);
  win::RouteKey(vk, true);
  win::RouteKey(vk, false);
  if (modifiers & kAlt) win::RouteKey(win::VK_MENU, false);
  if (modifiers & kCtrl) win::RouteKey(win::VK_CONTROL, false);
  if (modifiers & kShift) win::RouteKey(win::VK_SHIFT, false);
}

inline void Type(std::string_view text) { win::RouteText(text); }

}  // namespace forms::test
