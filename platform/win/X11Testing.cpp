#include "win/X11Testing.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <future>
#include <thread>
#include <vector>

#include "runtime/Clock.h"
#include "win/DisplayBackend.h"
#include "win/MessageQueue.h"
#include "win/Window.h"
#include "win/X11Display.h"

namespace win::detail {
// Replaces the backend in use (DisplayBackend.cpp).
void ReplaceDisplay(std::unique_ptr<DisplayBackend> backend);
std::unique_ptr<DisplayBackend> CreateHeadlessBackend();
}  // namespace win::detail

namespace win::x11test {

namespace {

constexpr int kStartTimeoutMs = 20000;
constexpr int kSettleRounds = 100;

detail::X11Backend& Backend() {
  detail::X11Backend* backend = detail::CurrentX11();
  if (!backend) std::abort();  // a real-window helper without a real display
  return *backend;
}

::Display* Connection() { return Backend().Connection(); }

KeySym SymbolOf(char32_t cp) {
  switch (cp) {
    case U'\r':
    case U'\n':
      return XK_Return;
    case U'\t':
      return XK_Tab;
    case U'\b':
      return XK_BackSpace;
    case 0x1B:
      return XK_Escape;
    case 0x20AC:
      return XK_EuroSign;
    default:
      return cp < 0x100 ? static_cast<KeySym>(cp) : static_cast<KeySym>(0x1000000 + cp);
  }
}

std::vector<char32_t> CodePoints(std::string_view text) {
  std::vector<char32_t> out;
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    const int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 3 ? (b & 0x07) : extra == 2 ? (b & 0x0F) : extra == 1 ? (b & 0x1F) : b;
    for (int k = 1; k <= extra && i + static_cast<size_t>(k) < text.size(); ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + static_cast<size_t>(k)]) & 0x3F);
    }
    out.push_back(cp);
    i += static_cast<size_t>(extra) + 1;
  }
  return out;
}

// A keycode without symbols, given `sym` for the time of one key press.
KeyCode SpareKeyFor(::Display* display, KeySym sym) {
  int minCode = 0, maxCode = 0;
  XDisplayKeycodes(display, &minCode, &maxCode);
  int perCode = 0;
  KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(minCode), maxCode - minCode + 1, &perCode);
  KeyCode spare = 0;
  for (int code = maxCode; code >= minCode && spare == 0; --code) {
    bool empty = true;
    for (int k = 0; k < perCode; ++k) empty = empty && map[(code - minCode) * perCode + k] == NoSymbol;
    if (empty) spare = static_cast<KeyCode>(code);
  }
  XFree(map);
  if (spare == 0) return 0;
  KeySym syms[2] = {sym, sym};
  XChangeKeyboardMapping(display, spare, 2, syms, 1);
  XSync(display, False);
  return spare;
}

// Stops a helper process of the tests by its pid and waits for its end.
void StopProcess(pid_t pid, int signal) {
  kill(pid, signal);
  int status = 0;
  waitpid(pid, &status, 0);
}

// Starts Xvfb on a free display (-displayfd) and waits until it takes
// clients: its pid, -1 with `error` set when it did not start.
pid_t StartXvfb(int width, int height, std::string& name, std::string& error) {
  int fds[2];
  if (pipe(fds) != 0) {
    error = "no pipe";
    return -1;
  }
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  const std::string fd = std::to_string(fds[1]);
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
    }
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-nolisten", "tcp", "-screen", "0", screen.c_str(),
           "-dpi", "96", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  if (pid < 0) {
    close(fds[0]);
    error = "cannot start Xvfb";
    return -1;
  }
  // The server writes its display number when it is ready for clients.
  std::string number;
  pollfd p{fds[0], POLLIN, 0};
  while (number.empty() || number.back() != '\n') {
    char c = 0;
    if (poll(&p, 1, kStartTimeoutMs) <= 0 || read(fds[0], &c, 1) != 1) break;
    number += c;
  }
  close(fds[0]);
  if (number.empty() || number.back() != '\n') {
    error = "Xvfb did not start (is the package xvfb installed?)";
    StopProcess(pid, SIGKILL);
    return -1;
  }
  number.pop_back();
  name = ":" + number;
  return pid;
}

}  // namespace

PrivateServer::PrivateServer(int width, int height, int dpi) {
  m_pid = StartXvfb(width, height, m_name, m_error);
  if (m_pid < 0) return;
  if (dpi != 96) {
    XInitThreads();
    if (::Display* setup = XOpenDisplay(m_name.c_str())) {
      const std::string resources = "Xft.dpi:\t" + std::to_string(dpi) + "\n";
      XChangeProperty(setup, DefaultRootWindow(setup), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(resources.data()), static_cast<int>(resources.size()));
      XCloseDisplay(setup);
    }
  }
  if (!UseX11Display(m_name)) {
    m_error = "cannot use the display " + m_name;
    return;
  }
  m_started = true;
}

PrivateServer::~PrivateServer() {
  if (m_started) detail::ReplaceDisplay(detail::CreateHeadlessBackend());
  if (m_pid > 0) StopProcess(m_pid, SIGTERM);
}

ServerForProgram::ServerForProgram(int width, int height) { m_pid = StartXvfb(width, height, m_name, m_error); }

ServerForProgram::~ServerForProgram() { Kill(); }

void ServerForProgram::Kill() {
  if (m_pid > 0) StopProcess(m_pid, SIGKILL);
  m_pid = -1;
}

namespace {

bool WindowManagerRuns(::Display* display) {
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const bool found = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                                        &format, &count, &after, &data) == Success &&
                     data && count == 1;
  if (data) XFree(data);
  return found;
}

}  // namespace

WindowManager::WindowManager() {
  const std::string display = DisplayName();
  if (display.empty()) return;
  m_pid = fork();
  if (m_pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
    }
    setenv("DISPLAY", display.c_str(), 1);
    // The packaged configuration, whatever the user running the tests set,
    // and no log or session files in the user's home.
    setenv("XDG_CONFIG_HOME", "/nonexistent", 1);
    setenv("XDG_CACHE_HOME", "/nonexistent", 1);
    setenv("XDG_DATA_HOME", "/nonexistent", 1);
    execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
    _exit(127);
  }
  if (m_pid < 0) return;
  const int64_t start = rt::SystemClock().TickMs();
  while (!WindowManagerRuns(Connection()) && rt::SystemClock().TickMs() - start < kStartTimeoutMs) {
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
      m_pid = -1;
      return;
    }
    usleep(50 * 1000);
  }
  // The check window comes before the window manager handles requests, and
  // it drops what was asked while it started: it is ready once it has shown
  // a window of another client (asked again every half second).
  ::Display* probe = WindowManagerRuns(Connection()) ? XOpenDisplay(display.c_str()) : nullptr;
  if (probe) {
    const Window window = XCreateSimpleWindow(probe, DefaultRootWindow(probe), 0, 0, 10, 10, 0, 0, 0);
    XWindowAttributes attributes{};
    int64_t asked = -1000;
    while (rt::SystemClock().TickMs() - start < kStartTimeoutMs &&
           !(XGetWindowAttributes(probe, window, &attributes) && attributes.map_state == IsViewable)) {
      if (rt::SystemClock().TickMs() - asked >= 500) {
        asked = rt::SystemClock().TickMs();
        XUnmapWindow(probe, window);
        XMapWindow(probe, window);
        XSync(probe, False);
      }
      // This program answers what the window manager asks of it meanwhile.
      Backend().ProcessPending();
      Backend().WaitReadable(20);
    }
    m_started = attributes.map_state == IsViewable;
    XDestroyWindow(probe, window);
    XCloseDisplay(probe);
  }
  Settle();
}

WindowManager::~WindowManager() {
  if (m_pid > 0) StopProcess(m_pid, SIGTERM);
  // The window manager's properties go with it.
  if (m_started) {
    XDeleteProperty(Connection(), DefaultRootWindow(Connection()),
                    XInternAtom(Connection(), "_NET_SUPPORTING_WM_CHECK", False));
    Settle();
  }
}

void MovePointer(HWND hWnd, POINT client) {
  const POINT origin = ServerOrigin(hWnd);
  XTestFakeMotionEvent(Connection(), -1, origin.x + client.x, origin.y + client.y, CurrentTime);
  XFlush(Connection());
}

void PressButton(int button, bool down) {
  XTestFakeButtonEvent(Connection(), static_cast<unsigned>(button), down ? True : False, CurrentTime);
  XFlush(Connection());
}

void Click(HWND hWnd, POINT client) {
  MovePointer(hWnd, client);
  PressButton(1, true);
  PressButton(1, false);
}

void TapKeySymbol(unsigned long sym) {
  ::Display* display = Connection();
  KeyCode code = XKeysymToKeycode(display, sym);
  bool shifted = false;
  bool spare = false;
  if (code != 0 && XkbKeycodeToKeysym(display, code, 0, 0) != sym) {
    shifted = XkbKeycodeToKeysym(display, code, 0, 1) == sym;
    if (!shifted) code = 0;
  }
  if (code == 0) {
    code = SpareKeyFor(display, sym);
    spare = true;
    if (code == 0) return;
  }
  const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
  if (shifted) XTestFakeKeyEvent(display, shift, True, CurrentTime);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  if (shifted) XTestFakeKeyEvent(display, shift, False, CurrentTime);
  if (spare) {
    // The key's symbol must stay until this program has looked the key
    // up: let it handle the events first.
    Settle();
    KeySym none[2] = {NoSymbol, NoSymbol};
    XChangeKeyboardMapping(display, code, 2, none, 1);
  }
  XFlush(display);
}

void TapKeyWith(unsigned long modifier, unsigned long sym) {
  ::Display* display = Connection();
  const KeyCode code = XKeysymToKeycode(display, modifier);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  TapKeySymbol(sym);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  XFlush(display);
}

void TypeText(std::string_view utf8) {
  for (char32_t cp : CodePoints(utf8)) TapKeySymbol(SymbolOf(cp));
}

void RequestClose(HWND hWnd) {
  const Window xid = Backend().XWindowOf(hWnd);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = xid;
  event.xclient.message_type = Backend().atom().wmProtocols;
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(Backend().atom().wmDeleteWindow);
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(Connection(), xid, False, NoEventMask, &event);
  XFlush(Connection());
}

void Settle() {
  XSync(Connection(), False);
  Backend().ProcessPending();
  // What the handlers post goes too, round by round; the rounds are
  // bounded so that a window that never rests cannot hold a test.
  for (int round = 0; round < kSettleRounds && DoEvents() > 0; ++round) {
  }
  XSync(Connection(), False);
  Backend().ProcessPending();
}

bool SettleUntil(const std::function<bool()>& done, int ms) {
  const int64_t start = rt::SystemClock().TickMs();
  for (;;) {
    Settle();
    if (done()) return true;
    if (rt::SystemClock().TickMs() - start >= ms) return false;
    Backend().WaitReadable(20);
  }
}

void DestroyFromOutside(HWND hWnd) {
  ::Display* other = XOpenDisplay(DisplayString(Connection()));
  if (!other) return;
  XDestroyWindow(other, Backend().XWindowOf(hWnd));
  XSync(other, False);
  XCloseDisplay(other);
}

void FocusElsewhere() {
  ::Display* other = XOpenDisplay(DisplayString(Connection()));
  if (!other) return;
  XSetInputFocus(other, None, RevertToNone, CurrentTime);
  XSync(other, False);
  XCloseDisplay(other);
}

namespace {

Window ShownWindowOf(::Display* display, pid_t pid) {
  const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  Window found = 0;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return 0;
  // The children come bottom first.
  for (unsigned int i = count; i-- > 0 && found == 0;) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable ||
        attributes.override_redirect) {
      continue;
    }
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, children[i], netWmPid, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                           &data) == Success &&
        data && items == 1 && format == 32 && static_cast<pid_t>(*reinterpret_cast<const long*>(data)) == pid) {
      found = children[i];
    }
    if (data) XFree(data);
  }
  if (children) XFree(children);
  return found;
}

}  // namespace

std::string DisplayName() { return detail::CurrentX11() ? DisplayString(Connection()) : ""; }

unsigned long ShownWindowOfProcess(pid_t pid, const std::string& display) {
  if (display.empty()) return ShownWindowOf(Connection(), pid);
  ::Display* other = XOpenDisplay(display.c_str());
  if (!other) return 0;
  const Window found = ShownWindowOf(other, pid);
  XCloseDisplay(other);
  return found;
}

POINT ScreenOriginOf(unsigned long xid) {
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(Connection(), xid, DefaultRootWindow(Connection()), 0, 0, &x, &y, &child);
  return POINT{x, y};
}

std::string TitleOf(unsigned long xid) {
  ::Display* display = Connection();
  Atom type = None;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, xid, XInternAtom(display, "_NET_WM_NAME", False), 0, 4096, False,
                         XInternAtom(display, "UTF8_STRING", False), &type, &format, &items, &after, &data) == Success &&
      data && format == 8) {
    title.assign(reinterpret_cast<const char*>(data), items);
  }
  if (data) XFree(data);
  return title;
}

void ClickAtScreen(POINT screen) {
  XTestFakeMotionEvent(Connection(), -1, screen.x, screen.y, CurrentTime);
  PressButton(1, true);
  PressButton(1, false);
  XSync(Connection(), False);
}

std::vector<uint32_t> ScreenPixels(RECT rect) {
  XImage* image = XGetImage(Connection(), DefaultRootWindow(Connection()), rect.left, rect.top,
                            static_cast<unsigned>(rect.right - rect.left), static_cast<unsigned>(rect.bottom - rect.top),
                            AllPlanes, ZPixmap);
  if (!image) return {};
  std::vector<uint32_t> pixels = detail::OpaquePixels(image);
  XDestroyImage(image);
  return pixels;
}

bool IsShown(HWND hWnd) {
  const Window xid = Backend().XWindowOf(hWnd);
  XWindowAttributes attributes{};
  return xid != 0 && XGetWindowAttributes(Connection(), xid, &attributes) && attributes.map_state == IsViewable;
}

POINT ServerOrigin(HWND hWnd) {
  const Window xid = Backend().XWindowOf(hWnd);
  int x = 0, y = 0;
  Window child = 0;
  if (xid != 0) XTranslateCoordinates(Connection(), xid, DefaultRootWindow(Connection()), 0, 0, &x, &y, &child);
  return POINT{x, y};
}

void SetMonitors(const std::vector<RECT>& monitors) {
  ::Display* display = Connection();
  const Window root = DefaultRootWindow(display);
  int count = 0;
  // Monitors set before go; the server's own monitor gives way to the
  // first one set here, which takes its output.
  if (XRRMonitorInfo* current = XRRGetMonitors(display, root, False, &count)) {
    for (int i = 0; i < count; ++i) XRRDeleteMonitor(display, root, current[i].name);
    XRRFreeMonitors(current);
  }
  RROutput output = None;
  if (XRRScreenResources* resources = XRRGetScreenResources(display, root)) {
    if (resources->noutput > 0) output = resources->outputs[0];
    XRRFreeScreenResources(resources);
  }
  for (size_t i = 0; i < monitors.size() && monitors.size() > 1; ++i) {
    const bool first = i == 0 && output != None;
    XRRMonitorInfo* monitor = XRRAllocateMonitor(display, first ? 1 : 0);
    if (first) monitor->outputs[0] = output;
    const std::string name = "QV-" + std::to_string(i);
    monitor->name = XInternAtom(display, name.c_str(), False);
    monitor->primary = i == 0;
    monitor->automatic = False;
    monitor->x = monitors[i].left;
    monitor->y = monitors[i].top;
    monitor->width = monitors[i].right - monitors[i].left;
    monitor->height = monitors[i].bottom - monitors[i].top;
    monitor->mwidth = monitor->width * 254 / 960;
    monitor->mheight = monitor->height * 254 / 960;
    XRRSetMonitor(display, root, monitor);
    XFree(monitor);
  }
  XSync(display, False);
}

bool IsOverrideRedirect(HWND hWnd) {
  XWindowAttributes attributes{};
  const Window xid = Backend().XWindowOf(hWnd);
  return xid != 0 && XGetWindowAttributes(Connection(), xid, &attributes) && attributes.override_redirect;
}

std::vector<std::string> AtomsOf(HWND hWnd, const std::string& property) {
  std::vector<std::string> names;
  const Window xid = Backend().XWindowOf(hWnd);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (xid != 0 &&
      XGetWindowProperty(Connection(), xid, XInternAtom(Connection(), property.c_str(), False), 0, 64, False, XA_ATOM,
                         &type, &format, &count, &after, &data) == Success &&
      data) {
    for (unsigned long i = 0; i < count; ++i) {
      char* name = XGetAtomName(Connection(), reinterpret_cast<const Atom*>(data)[i]);
      names.emplace_back(name);
      XFree(name);
    }
  }
  if (data) XFree(data);
  return names;
}

std::vector<std::string> WindowStates(HWND hWnd) { return AtomsOf(hWnd, "_NET_WM_STATE"); }

HWND FocusWindow() {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(Connection(), &focus, &revert);
  return Backend().WindowOfX(focus);
}

unsigned long FocusedXWindow() {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(Connection(), &focus, &revert);
  return focus;
}

namespace {

// Pumps this program's events until the future is ready (at most 10 s).
template <class T>
T PumpUntil(std::future<T>& future) {
  const int64_t start = rt::SystemClock().TickMs();
  while (future.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready &&
         rt::SystemClock().TickMs() - start < 10000) {
    Backend().ProcessPending();
    Backend().WaitReadable(50);
  }
  return future.get();
}

}  // namespace

std::optional<std::string> OtherClientReadsClipboard() {
  const std::string name = DisplayString(Connection());
  std::future<std::optional<std::string>> result = std::async(std::launch::async, [name] {
    std::optional<std::string> text;
    ::Display* other = XOpenDisplay(name.c_str());
    if (!other) return text;
    const Window window = XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 1, 1, 0, 0, 0);
    const Atom clipboard = XInternAtom(other, "CLIPBOARD", False);
    const Atom utf8 = XInternAtom(other, "UTF8_STRING", False);
    const Atom property = XInternAtom(other, "OTHER_CLIENT", False);
    XConvertSelection(other, clipboard, utf8, property, window, CurrentTime);
    XEvent event;
    XIfEvent(
        other, &event, [](::Display*, XEvent* e, XPointer) -> Bool { return e->type == SelectionNotify; }, nullptr);
    if (event.xselection.property != None) {
      Atom type = None;
      int format = 0;
      unsigned long count = 0, after = 0;
      unsigned char* data = nullptr;
      if (XGetWindowProperty(other, window, property, 0, 1 << 20, True, AnyPropertyType, &type, &format, &count, &after,
                             &data) == Success &&
          data) {
        text = std::string(reinterpret_cast<const char*>(data), count);
      }
      if (data) XFree(data);
    }
    XDestroyWindow(other, window);
    XCloseDisplay(other);
    return text;
  });
  return PumpUntil(result);
}

struct OtherClipboardOwner::Worker {
  std::thread thread;
  std::atomic<bool> stop{false};
  int wake[2] = {-1, -1};
};

OtherClipboardOwner::OtherClipboardOwner(std::string text) : m_worker(std::make_unique<Worker>()) {
  const std::string name = DisplayString(Connection());
  if (pipe(m_worker->wake) != 0) return;
  std::promise<void> owning;
  std::future<void> owned = owning.get_future();
  Worker* worker = m_worker.get();
  worker->thread = std::thread([worker, name, text, owning = std::move(owning)]() mutable {
    ::Display* other = XOpenDisplay(name.c_str());
    if (!other) {
      owning.set_value();
      return;
    }
    const Window window = XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 1, 1, 0, 0, 0);
    const Atom clipboard = XInternAtom(other, "CLIPBOARD", False);
    const Atom utf8 = XInternAtom(other, "UTF8_STRING", False);
    XSetSelectionOwner(other, clipboard, window, CurrentTime);
    XSync(other, False);
    owning.set_value();
    pollfd fds[2] = {{ConnectionNumber(other), POLLIN, 0}, {worker->wake[0], POLLIN, 0}};
    while (!worker->stop) {
      while (XPending(other) > 0) {
        XEvent event;
        XNextEvent(other, &event);
        if (event.type != SelectionRequest) continue;
        const XSelectionRequestEvent& request = event.xselectionrequest;
        XEvent reply = detail::SelectionRefusal(request);
        if (request.target == utf8) {
          XChangeProperty(other, request.requestor, request.property, utf8, 8, PropModeReplace,
                          reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
          reply.xselection.property = request.property;
        }
        XSendEvent(other, request.requestor, False, 0, &reply);
        XFlush(other);
      }
      poll(fds, 2, -1);
    }
    XDestroyWindow(other, window);
    XCloseDisplay(other);
  });
  owned.wait();
}

OtherClipboardOwner::~OtherClipboardOwner() {
  m_worker->stop = true;
  if (m_worker->wake[1] >= 0) {
    const char c = 0;
    (void)!write(m_worker->wake[1], &c, 1);
  }
  if (m_worker->thread.joinable()) m_worker->thread.join();
  for (int fd : m_worker->wake) {
    if (fd >= 0) close(fd);
  }
}

}  // namespace win::x11test
