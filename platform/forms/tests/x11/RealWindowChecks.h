// Checks of forms in real windows: where to click a control, and what the
// screen shows of a form compared with the headless render of the same
// form.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "forms/Form.h"
#include "gdi/Gdi.h"
#include "gdi/WindowSurface.h"
#include "runtime/TestRenders.h"

namespace forms::test {

// The centre of a control in client pixels.
inline win::POINT CentreOf(const com::Control& c) {
  return win::POINT{gdi::TwipsToPixelsX(c.Left() + c.Width() / 2), gdi::TwipsToPixelsY(c.Top() + c.Height() / 2)};
}

inline std::string BuildPath(const std::string& name) { return rt::TestRenderPath(name); }

// Writes the screenshot to <name>.png in the build folder and returns the
// largest difference of a colour channel between it and the render (-1
// when the window shows nothing or differs in size). Above `tolerance`
// the screenshot is written to <name>-FAILED.png too.
inline int CompareShownWithRender(Form& form, const std::string& name, int tolerance = 2) {
  gdi::OwnedBitmap shown(gdi::CaptureWindow(form.hWnd()));
  if (shown.Get() == gdi::HBITMAP{}) return -1;
  gdi::SaveBitmapToPng(shown.Get(), BuildPath(name + ".png"));
  gdi::OwnedBitmap rendered = form.RenderToBitmap(false);
  const gdi::SIZE size = gdi::GetBitmapSize(shown.Get());
  const gdi::SIZE expected = gdi::GetBitmapSize(rendered.Get());
  int worst = -1;
  if (size.cx == expected.cx && size.cy == expected.cy) {
    gdi::OwnedDC a(gdi::CreateCompatibleDC());
    gdi::OwnedDC b(gdi::CreateCompatibleDC());
    gdi::ScopedSelect<gdi::HBITMAP> selectA(a.Get(), shown.Get());
    gdi::ScopedSelect<gdi::HBITMAP> selectB(b.Get(), rendered.Get());
    worst = 0;
    for (int y = 0; y < size.cy; ++y) {
      for (int x = 0; x < size.cx; ++x) {
        const gdi::COLORREF p = gdi::GetPixel(a.Get(), x, y);
        const gdi::COLORREF q = gdi::GetPixel(b.Get(), x, y);
        for (int shift : {0, 8, 16}) {
          worst =
              std::max(worst, std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF)));
        }
      }
    }
  }
  if (worst < 0 || worst > tolerance) gdi::SaveBitmapToPng(shown.Get(), BuildPath(name + "-FAILED.png"));
  return worst;
}

}  // namespace forms::test
