// Windows of other programs on the same X server: the one a process shows,
// found by its process id (_NET_WM_PID), and brought to the front.
#include <X11/Xatom.h>

#include <vector>

#include "win/X11Display.h"

namespace win::detail {

namespace {

// The process id a window announces; 0 when it announces none.
int32_t PidOf(::Display* display, Window xid, Atom netWmPid) {
  Atom type = None;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  int32_t pid = 0;
  if (XGetWindowProperty(display, xid, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after, &data) ==
          Success &&
      data && items == 1 && format == 32) {
    pid = static_cast<int32_t>(*reinterpret_cast<const long*>(data));
  }
  if (data) XFree(data);
  return pid;
}

// The children of a window, bottom first.
std::vector<Window> ChildrenOf(::Display* display, Window xid) {
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<Window> result;
  if (XQueryTree(display, xid, &root, &parent, &children, &count)) result.assign(children, children + count);
  if (children) XFree(children);
  return result;
}

bool Viewable(::Display* display, Window xid) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display, xid, &attributes) && attributes.map_state == IsViewable &&
         !attributes.override_redirect;
}

}  // namespace

bool X11Backend::ActivateWindowOfProcess(int32_t pid) {
  if (m_lost || pid <= 0) return false;
  // The topmost shown window of the process: a child of the root, or, under
  // a window manager that frames its clients, a child of such a frame.
  Window found = 0;
  const std::vector<Window> top = ChildrenOf(m_display, m_root);
  for (auto it = top.rbegin(); it != top.rend() && found == 0; ++it) {
    if (!Viewable(m_display, *it)) continue;
    if (PidOf(m_display, *it, m_atoms.netWmPid) == pid) {
      found = *it;
      break;
    }
    for (Window child : ChildrenOf(m_display, *it)) {
      if (PidOf(m_display, child, m_atoms.netWmPid) == pid) found = child;
    }
  }
  if (found == 0) return false;
  if (HasWindowManager()) {
    // Asked as a pager asks: the user's own request, which the window
    // manager does not refuse as stealing the focus.
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = found;
    event.xclient.message_type = m_atoms.netActiveWindow;
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;
    event.xclient.data.l[1] = static_cast<long>(m_lastEventTime);
    XSendEvent(m_display, m_root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  } else {
    XRaiseWindow(m_display, found);
    XSetInputFocus(m_display, found, RevertToParent, CurrentTime);
  }
  XSync(m_display, False);
  return true;
}

}  // namespace win::detail
