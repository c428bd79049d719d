#include "CGradient.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gdi/Shapes.h"
#include "gdi/SysColors.h"
#include "runtime/Error.h"
#include "win/Window.h"

namespace kvctl2 {

void CGradient::SetAngle(float value) { m_angle = static_cast<float>(value - std::floor(value / 360.0) * 360.0); }

uint32_t CGradient::Resolve(uint32_t color) {
  const auto value = static_cast<int32_t>(color);
  if (value < 0 && (color & 0x7FFFFFFFu) < 25) return gdi::GetSysColor(static_cast<int>(color & 0x7FFFFFFFu));
  return color;
}

bool CGradient::Draw(com::Dispatch& obj) const {
  win::HWND window = win::kNoWindow;
  gdi::HDC hdc{};
  const bool found = rt::ResumeNext([&] {
    window = win::ToHwnd(obj.Get("hWnd").ToLong());
    hdc = gdi::HDC{obj.Get("hDC").ToLong()};
  });
  win::RECT client;
  if (!found || !win::GetClientRect(window, &client)) return false;
  return Paint(hdc, client);
}

bool CGradient::Paint(gdi::HDC hdc, const gdi::RECT& area) const { return Paint(hdc, area, area); }

bool CGradient::Paint(gdi::HDC hdc, const gdi::RECT& area, const gdi::RECT& visible) const {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 1 || height <= 1) return false;
  const double radians = m_angle * std::numbers::pi / 180.0;
  // The direction in pixels (y grows downwards) and where each corner lies
  // along it.
  const double dx = std::cos(radians);
  const double dy = -std::sin(radians);
  auto along = [&](double x, double y) { return x * dx + y * dy; };
  const double corners[] = {along(0, 0), along(width, 0), along(0, height), along(width, height)};
  const double low = *std::min_element(std::begin(corners), std::end(corners));
  const double span = *std::max_element(std::begin(corners), std::end(corners)) - low;
  const gdi::COLORREF from = gdi::OleTranslateColor(m_color1);
  const gdi::COLORREF to = gdi::OleTranslateColor(m_color2);
  auto colorAt = [&](double x, double y) {
    const double t = span > 0 ? (along(x, y) - low) / span : 0;
    auto mix = [t](uint8_t a, uint8_t b) { return static_cast<uint8_t>(std::lround(a + (b - a) * t)); };
    return gdi::RGB(mix(gdi::GetRValue(from), gdi::GetRValue(to)), mix(gdi::GetGValue(from), gdi::GetGValue(to)),
                    mix(gdi::GetBValue(from), gdi::GetBValue(to)));
  };
  // Along a row the colour changes linearly: one horizontal fill per row.
  bool painted = true;
  const int first = std::max(0, visible.top - area.top);
  const int last = std::min(height, visible.bottom - area.top);
  const int rowLeft = std::max(area.left, visible.left), rowRight = std::min(area.right, visible.right);
  for (int y = first; y < last && rowLeft < rowRight; ++y) {
    const gdi::RECT row{rowLeft, area.top + y, rowRight, area.top + y + 1};
    painted =
        gdi::GradientFillRect(hdc, row, colorAt(rowLeft - area.left, y + 0.5), colorAt(rowRight - area.left, y + 0.5),
                              gdi::GRADIENT_FILL_RECT_H) &&
        painted;
  }
  return painted;
}

}  // namespace kvctl2
