// qvscreenshot: writes what the X server of DISPLAY shows to a PNG file,
// once a window is shown (or after the waiting time).
//   qvscreenshot FILE.png [SECONDS]
// Waits up to SECONDS (default 10) for a window to be shown, then half a
// second more for it to paint. Exit code 0 when a window was shown, 2 when
// the screenshot shows none, 1 on an error.
//   qvscreenshot --check
// Exit code 0 when the display answers, 1 when not.
//   qvscreenshot --wait-wm [SECONDS]
// Waits up to SECONDS (default 10) for a window manager to announce itself
// on the display (_NET_SUPPORTING_WM_CHECK); exit code 0 when one did.
#include <X11/Xlib.h>
#include <cairo-xlib.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool AnyWindowShown(Display* display) {
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  bool shown = false;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
    for (unsigned int i = 0; i < count && !shown; ++i) {
      XWindowAttributes attributes{};
      shown = XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable &&
              attributes.width > 1 && attributes.height > 1;
    }
    if (children) XFree(children);
  }
  return shown;
}

bool WindowManagerRuns(Display* display) {
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const bool found = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, AnyPropertyType,
                                        &type, &format, &count, &after, &data) == Success &&
                     count == 1;
  if (data) XFree(data);
  return found;
}

// Waits on the connection (substructure events of the root) up to `ms`.
void WaitFor(Display* display, int ms) {
  pollfd fd{ConnectionNumber(display), POLLIN, 0};
  poll(&fd, 1, ms);
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: qvscreenshot FILE.png [SECONDS]\n");
    return 1;
  }
  const std::string path = argv[1];
  if (path == "--check") {
    Display* display = XOpenDisplay(nullptr);
    if (display) XCloseDisplay(display);
    return display ? 0 : 1;
  }
  const double seconds = argc > 2 ? std::atof(argv[2]) : 10.0;
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "qvscreenshot: no display\n");
    return 1;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(static_cast<int>(seconds * 1000));
  if (path == "--wait-wm") {
    XSelectInput(display, DefaultRootWindow(display), PropertyChangeMask);
    bool runs = WindowManagerRuns(display);
    while (!runs && std::chrono::steady_clock::now() < deadline) {
      WaitFor(display, 100);
      runs = WindowManagerRuns(display);
    }
    XCloseDisplay(display);
    return runs ? 0 : 1;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  bool shown = AnyWindowShown(display);
  while (!shown && std::chrono::steady_clock::now() < deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    WaitFor(display, static_cast<int>(left.count()));
    shown = AnyWindowShown(display);
  }
  if (shown) {
    // The whole half second: events of the window's own start-up would end
    // a single wait before it painted.
    const auto painted = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    for (auto now = std::chrono::steady_clock::now(); now < painted; now = std::chrono::steady_clock::now()) {
      WaitFor(display, static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(painted - now).count()));
    }
  }
  const int screen = DefaultScreen(display);
  cairo_surface_t* surface =
      cairo_xlib_surface_create(display, DefaultRootWindow(display), DefaultVisual(display, screen),
                                DisplayWidth(display, screen), DisplayHeight(display, screen));
  const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
  // cairo lets go of the connection before it closes, so that nothing it
  // still had queued outlives the display.
  cairo_device_finish(cairo_surface_get_device(surface));
  cairo_surface_destroy(surface);
  XCloseDisplay(display);
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "qvscreenshot: cannot write %s\n", path.c_str());
    return 1;
  }
  return shown ? 0 : 2;
}
