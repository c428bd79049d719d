#include "gdi/WindowSurface.h"

#include <memory>
#include <vector>

#include "gdi/ObjectTable.h"
#include "win/DisplayBackend.h"
#include "win/Window.h"

namespace gdi {

using namespace detail;

bool HasWindowSurfaces() { return win::Display().HasScreen(); }

bool PresentToWindow(win::HWND hWnd, HDC hdc) {
  auto dc = FindDc(hdc);
  if (!dc || !win::IsWindow(hWnd) || !HasWindowSurfaces()) return false;
  const PixelBuffer& pixels = dc->Target();
  win::Display().Present(hWnd, pixels.pixels.data(), pixels.width, pixels.height);
  return true;
}

HBITMAP CaptureWindow(win::HWND hWnd) {
  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
  if (!win::Display().ReadBack(hWnd, pixels, width, height)) return HBITMAP{};
  auto buffer = std::make_shared<PixelBuffer>(width, height, 0);
  buffer->pixels = std::move(pixels);
  return HBITMAP{AddObject(std::move(buffer))};
}

}  // namespace gdi
