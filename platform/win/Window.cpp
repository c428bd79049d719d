// Creation, destruction, the window tree, slots, properties, text and
// sending messages.
#include "win/Window.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>

#include "win/DisplayBackend.h"
#include "win/WindowState.h"

namespace win {

using detail::Find;
using detail::GetState;
using detail::State;
using detail::WindowData;

namespace detail {
WNDPROC ClassProcedure(std::string_view className);
}  // namespace detail

namespace {

bool IsChildStyle(uint32_t style) { return (style & WS_CHILD) != 0; }

// Top-level windows are the ones a display shows.
bool IsTopLevel(const WindowData& w) { return !IsChildStyle(w.style); }

// The windows whose parent or owner is `hWnd`: owned windows first, then
// the children in z-order.
std::vector<HWND> Dependents(HWND hWnd) {
  std::vector<HWND> result;
  for (const auto& [handle, w] : GetState().windows) {
    if (w->parent == hWnd && !IsChildStyle(w->style)) result.push_back(w->handle);
  }
  if (WindowData* w = Find(hWnd)) result.insert(result.end(), w->children.begin(), w->children.end());
  return result;
}

void MarkDestroying(HWND hWnd) {
  if (WindowData* w = Find(hWnd)) {
    w->destroying = true;
    for (HWND dependent : Dependents(hWnd)) MarkDestroying(dependent);
  }
}

// Destruction never lets a procedure's failure stop it half-way.
void SendQuietly(HWND hWnd, uint32_t msg) {
  try {
    SendMessageA(hWnd, msg, 0, 0);
  } catch (...) {
  }
}

void SendDestroyTopDown(HWND hWnd) {
  if (!Find(hWnd)) return;
  SendQuietly(hWnd, WM_DESTROY);
  for (HWND dependent : Dependents(hWnd)) SendDestroyTopDown(dependent);
}

void SendNcDestroyBottomUp(HWND hWnd) {
  if (!Find(hWnd)) return;
  for (HWND dependent : Dependents(hWnd)) SendNcDestroyBottomUp(dependent);
  SendQuietly(hWnd, WM_NCDESTROY);
  WindowData* w = Find(hWnd);
  if (!w) return;
  if (IsTopLevel(*w)) Display().WindowDestroyed(hWnd);
  std::erase(detail::SiblingList(*w), hWnd);
  detail::ForgetWindow(hWnd);
  GetState().windows.erase(ToInt(hWnd));
}

void MoveInZOrder(WindowData& w, HWND insertAfter) {
  std::vector<HWND>& list = detail::SiblingList(w);
  std::erase(list, w.handle);
  if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST) {
    list.insert(list.begin(), w.handle);
  } else if (auto it = std::find(list.begin(), list.end(), insertAfter);
             insertAfter != HWND_BOTTOM && insertAfter != HWND_NOTOPMOST && it != list.end()) {
    list.insert(it + 1, w.handle);
  } else {
    list.push_back(w.handle);
  }
}

POINT ScreenOrigin(const WindowData& w) {
  POINT origin{w.x, w.y};
  for (WindowData* p = IsChildStyle(w.style) ? Find(w.parent) : nullptr; p;
       p = IsChildStyle(p->style) ? Find(p->parent) : nullptr) {
    origin.x += p->x;
    origin.y += p->y;
  }
  return origin;
}

}  // namespace

HWND CreateWindowExA(uint32_t exStyle, std::string_view className, std::string_view windowName, uint32_t style, int x,
                     int y, int width, int height, HWND parent, void* createParam) {
  WNDPROC proc = detail::ClassProcedure(className);
  if (!proc) return kNoWindow;
  if (parent != kNoWindow && !Find(parent)) return kNoWindow;
  if (IsChildStyle(style) && parent == kNoWindow) return kNoWindow;

  State& s = GetState();
  auto data = std::make_unique<WindowData>();
  data->handle = ToHwnd(s.nextHandle++);
  data->className = std::string(className);
  data->text = std::string(windowName);
  data->style = style & ~WS_VISIBLE;
  data->exStyle = exStyle;
  data->proc = proc;
  data->parent = parent;
  data->x = x;
  data->y = y;
  data->width = width;
  data->height = height;
  data->processId = GetCurrentProcessId();
  data->threadId = GetCurrentThreadId();
  HWND hWnd = data->handle;
  WindowData& w = *data;
  s.windows.emplace(ToInt(hWnd), std::move(data));
  detail::SiblingList(w).insert(detail::SiblingList(w).begin(), hWnd);

  std::string classText(className);
  std::string nameText(windowName);
  CREATESTRUCTA cs;
  cs.lpCreateParams = createParam;
  cs.hwndParent = parent;
  cs.cx = width;
  cs.cy = height;
  cs.x = x;
  cs.y = y;
  cs.style = style;
  cs.lpszName = nameText.c_str();
  cs.lpszClass = classText.c_str();
  cs.dwExStyle = exStyle;
  LPARAM csParam = reinterpret_cast<LPARAM>(&cs);

  if (SendMessageA(hWnd, WM_NCCREATE, 0, csParam) == 0 || !Find(hWnd)) {
    DestroyWindow(hWnd);
    return kNoWindow;
  }
  RECT proposed{x, y, x + width, y + height};
  SendMessageA(hWnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&proposed));
  if (SendMessageA(hWnd, WM_CREATE, 0, csParam) == -1 || !Find(hWnd)) {
    DestroyWindow(hWnd);
    return kNoWindow;
  }
  SendMessageA(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
  SendMessageA(hWnd, WM_MOVE, 0, MAKELPARAM(x, y));
  if ((style & WS_VISIBLE) != 0) ShowWindow(hWnd, SW_SHOW);
  return Find(hWnd) ? hWnd : kNoWindow;
}

BOOL DestroyWindow(HWND hWnd) {
  WindowData* w = Find(hWnd);
  if (!w || w->destroying) return FALSE;
  MarkDestroying(hWnd);
  SendDestroyTopDown(hWnd);
  SendNcDestroyBottomUp(hWnd);
  return TRUE;
}

BOOL IsWindow(HWND hWnd) { return Find(hWnd) ? TRUE : FALSE; }

HWND GetParent(HWND hWnd) {
  WindowData* w = Find(hWnd);
  return w ? w->parent : kNoWindow;
}

HWND SetParent(HWND hWnd, HWND newParent) {
  WindowData* w = Find(hWnd);
  if (!w || (newParent != kNoWindow && !Find(newParent)) || newParent == hWnd || IsChild(hWnd, newParent)) {
    return kNoWindow;
  }
  HWND old = w->parent;
  std::erase(detail::SiblingList(*w), hWnd);
  w->parent = newParent;
  if (newParent == kNoWindow) w->style &= ~WS_CHILD;
  detail::SiblingList(*w).insert(detail::SiblingList(*w).begin(), hWnd);
  return old;
}

BOOL IsChild(HWND parent, HWND hWnd) {
  for (WindowData* w = Find(hWnd); w && IsChildStyle(w->style); w = Find(w->parent)) {
    if (w->parent == parent) return TRUE;
  }
  return FALSE;
}

HWND GetAncestor(HWND hWnd, uint32_t flags) {
  WindowData* w = Find(hWnd);
  if (!w) return kNoWindow;
  if (flags == GA_PARENT) return IsChildStyle(w->style) ? w->parent : kNoWindow;
  HWND root = hWnd;
  while (w && IsChildStyle(w->style) && Find(w->parent)) {
    root = w->parent;
    w = Find(root);
  }
  return root;
}

HWND GetWindow(HWND hWnd, uint32_t cmd) {
  WindowData* w = Find(hWnd);
  if (!w) return kNoWindow;
  if (cmd == GW_CHILD) return w->children.empty() ? kNoWindow : w->children.front();
  if (cmd == GW_OWNER) return IsChildStyle(w->style) ? kNoWindow : w->parent;
  const std::vector<HWND>& list = detail::SiblingList(*w);
  auto it = std::find(list.begin(), list.end(), hWnd);
  switch (cmd) {
    case GW_HWNDFIRST:
      return list.front();
    case GW_HWNDLAST:
      return list.back();
    case GW_HWNDNEXT:
      return it + 1 < list.end() ? *(it + 1) : kNoWindow;
    case GW_HWNDPREV:
      return it != list.begin() ? *(it - 1) : kNoWindow;
    default:
      return kNoWindow;
  }
}

std::string GetClassNameA(HWND hWnd) {
  WindowData* w = Find(hWnd);
  return w ? w->className : std::string();
}

LONG_PTR GetWindowLongA(HWND hWnd, int index) {
  WindowData* w = Find(hWnd);
  if (!w) return 0;
  switch (index) {
    case GWL_WNDPROC:
      return ProcToLong(w->proc);
    case GWL_HWNDPARENT:
      return ToInt(w->parent);
    case GWL_ID:
      return w->id;
    case GWL_STYLE:
      return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE:
      return static_cast<LONG_PTR>(w->exStyle);
    case GWL_USERDATA:
      return w->userData;
    default:
      return 0;
  }
}

LONG_PTR SetWindowLongA(HWND hWnd, int index, LONG_PTR newValue) {
  WindowData* w = Find(hWnd);
  if (!w) return 0;
  if (GetState().setWindowLongFailure && GetState().setWindowLongFailure(hWnd, index, newValue)) return 0;
  LONG_PTR old = GetWindowLongA(hWnd, index);
  switch (index) {
    case GWL_WNDPROC:
      if (newValue == 0 || w->processId != GetCurrentProcessId()) return 0;
      w->proc = LongToProc(newValue);
      return old;
    case GWL_ID:
      w->id = newValue;
      return old;
    case GWL_HWNDPARENT:
      // Sets the owner of a top-level window.
      if (IsChildStyle(w->style) || (newValue != 0 && !Find(ToHwnd(static_cast<int32_t>(newValue))))) return 0;
      w->parent = ToHwnd(static_cast<int32_t>(newValue));
      Display().WindowRestyled(hWnd);
      return old;
    case GWL_STYLE: {
      uint32_t style = static_cast<uint32_t>(newValue);
      if (IsChildStyle(style) != IsChildStyle(w->style) && w->parent != kNoWindow) {
        std::erase(detail::SiblingList(*w), hWnd);
        w->style = style;
        detail::SiblingList(*w).insert(detail::SiblingList(*w).begin(), hWnd);
      } else {
        w->style = style;
      }
      if (IsTopLevel(*w)) Display().WindowRestyled(hWnd);
      return old;
    }
    case GWL_EXSTYLE:
      w->exStyle = static_cast<uint32_t>(newValue);
      if (IsTopLevel(*w)) Display().WindowRestyled(hWnd);
      return old;
    case GWL_USERDATA:
      w->userData = newValue;
      return old;
    default:
      return 0;
  }
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(hWnd, msg, wParam, lParam) : 0;
}

LRESULT CallWindowProcA(LONG_PTR proc, HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(LongToProc(proc), hWnd, msg, wParam, lParam);
}

LRESULT SendMessageA(HWND hWnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
  WindowData* w = Find(hWnd);
  if (!w || !w->proc) return 0;
  if (msg != WM_PAINT) return w->proc(hWnd, msg, wParam, lParam);
  // A window paints the whole of its client area from what it shows now,
  // so what it invalidates while it paints is what it is painting: that
  // asks for no further WM_PAINT (InvalidateRect).
  struct Painting {
    HWND hWnd;
    explicit Painting(HWND h, WindowData& data) : hWnd(h) { ++data.painting; }
    ~Painting() {
      if (WindowData* data = Find(hWnd)) --data->painting;
    }
    Painting(const Painting&) = delete;
    Painting& operator=(const Painting&) = delete;
  } painting(hWnd, *w);
  return w->proc(hWnd, msg, wParam, lParam);
}

BOOL SetPropA(HWND hWnd, std::string_view name, LONG_PTR value) {
  WindowData* w = Find(hWnd);
  if (!w || name.empty()) return FALSE;
  if (GetState().setPropFailure && GetState().setPropFailure(hWnd, name, value)) return FALSE;
  for (auto& [key, stored] : w->props) {
    if (detail::NamesEqual(key, name)) {
      stored = value;
      return TRUE;
    }
  }
  w->props.emplace_back(std::string(name), value);
  return TRUE;
}

LONG_PTR GetPropA(HWND hWnd, std::string_view name) {
  WindowData* w = Find(hWnd);
  if (!w) return 0;
  for (const auto& [key, stored] : w->props) {
    if (detail::NamesEqual(key, name)) return stored;
  }
  return 0;
}

LONG_PTR RemovePropA(HWND hWnd, std::string_view name) {
  WindowData* w = Find(hWnd);
  if (!w) return 0;
  auto it = std::find_if(w->props.begin(), w->props.end(),
                         [name](const auto& prop) { return detail::NamesEqual(prop.first, name); });
  if (it == w->props.end()) return 0;
  LONG_PTR value = it->second;
  w->props.erase(it);
  return value;
}

BOOL SetWindowTextA(HWND hWnd, std::string_view text) {
  if (!Find(hWnd)) return FALSE;
  std::string copy(text);
  return SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str())) ? TRUE : FALSE;
}

std::string GetWindowTextA(HWND hWnd) {
  WindowData* w = Find(hWnd);
  return w ? w->text : std::string();
}

BOOL MoveWindow(HWND hWnd, int x, int y, int width, int height, BOOL repaint) {
  BOOL ok = SetWindowPos(hWnd, kNoWindow, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (ok && repaint) InvalidateRect(hWnd, nullptr, TRUE);
  return ok;
}

BOOL SetWindowPos(HWND hWnd, HWND insertAfter, int x, int y, int cx, int cy, uint32_t flags) {
  WindowData* w = Find(hWnd);
  if (!w) return FALSE;
  WINDOWPOS pos{hWnd, insertAfter, x, y, cx, cy, flags};
  if ((flags & SWP_NOMOVE) != 0) {
    pos.x = w->x;
    pos.y = w->y;
  }
  if ((flags & SWP_NOSIZE) != 0) {
    pos.cx = w->width;
    pos.cy = w->height;
  }
  if ((flags & SWP_NOSENDCHANGING) == 0) {
    SendMessageA(hWnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!(w = Find(hWnd))) return FALSE;
  }
  if ((flags & SWP_FRAMECHANGED) != 0) {
    ++w->frameChanges;
    RECT proposed{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
    SendMessageA(hWnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&proposed));
    if (!(w = Find(hWnd))) return FALSE;
  }
  bool moved = pos.x != w->x || pos.y != w->y;
  bool sized = pos.cx != w->width || pos.cy != w->height;
  w->x = pos.x;
  w->y = pos.y;
  w->width = pos.cx;
  w->height = pos.cy;
  if ((flags & SWP_NOZORDER) == 0) {
    MoveInZOrder(*w, insertAfter);
    if (insertAfter == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
    if (insertAfter == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
  }
  const bool shown = (flags & SWP_SHOWWINDOW) != 0 && (w->style & WS_VISIBLE) == 0;
  const bool hidden = (flags & SWP_HIDEWINDOW) != 0 && (w->style & WS_VISIBLE) != 0;
  if (shown) w->style |= WS_VISIBLE;
  if (hidden) w->style &= ~WS_VISIBLE;
  if (IsTopLevel(*w)) {
    DisplayBackend& display = Display();
    if ((flags & SWP_FRAMECHANGED) != 0) display.WindowRestyled(hWnd);
    if (moved || sized) display.WindowPlaced(hWnd);
    if ((flags & SWP_NOZORDER) == 0) display.WindowStacked(hWnd, insertAfter);
    if (shown || hidden) display.WindowShown(hWnd, shown ? SW_SHOWNA : SW_HIDE);
    if (!(w = Find(hWnd))) return FALSE;
  }
  SendMessageA(hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  if (sized) SendMessageA(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(pos.cx, pos.cy));
  if (moved) SendMessageA(hWnd, WM_MOVE, 0, MAKELPARAM(pos.x, pos.y));
  return TRUE;
}

BOOL GetWindowRect(HWND hWnd, RECT* rect) {
  WindowData* w = Find(hWnd);
  if (!w || !rect) return FALSE;
  POINT origin = ScreenOrigin(*w);
  *rect = RECT{origin.x, origin.y, origin.x + w->width, origin.y + w->height};
  return TRUE;
}

BOOL GetClientRect(HWND hWnd, RECT* rect) {
  WindowData* w = Find(hWnd);
  if (!w || !rect) return FALSE;
  *rect = RECT{0, 0, w->width, w->height};
  return TRUE;
}

BOOL ClientToScreen(HWND hWnd, POINT* pt) {
  WindowData* w = Find(hWnd);
  if (!w || !pt) return FALSE;
  POINT origin = ScreenOrigin(*w);
  pt->x += origin.x;
  pt->y += origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hWnd, POINT* pt) {
  WindowData* w = Find(hWnd);
  if (!w || !pt) return FALSE;
  POINT origin = ScreenOrigin(*w);
  pt->x -= origin.x;
  pt->y -= origin.y;
  return TRUE;
}

int FrameChangeCount(HWND hWnd) {
  WindowData* w = Find(hWnd);
  return w ? w->frameChanges : 0;
}

BOOL ShowWindow(HWND hWnd, int cmd) {
  WindowData* w = Find(hWnd);
  if (!w) return FALSE;
  bool wasVisible = (w->style & WS_VISIBLE) != 0;
  bool show = cmd != SW_HIDE;
  switch (cmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
      w->style = (w->style & ~WS_MAXIMIZE) | WS_MINIMIZE;
      break;
    case SW_SHOWMAXIMIZED:
      w->style = (w->style & ~WS_MINIMIZE) | WS_MAXIMIZE;
      break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
      w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
      break;
    default:
      break;
  }
  if (show != wasVisible) {
    if (show) {
      w->style |= WS_VISIBLE;
    } else {
      w->style &= ~WS_VISIBLE;
    }
    SendMessageA(hWnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if (show) InvalidateRect(hWnd, nullptr, TRUE);
  }
  if ((w = Find(hWnd)) && IsTopLevel(*w)) Display().WindowShown(hWnd, cmd);
  return wasVisible ? TRUE : FALSE;
}

BOOL IsIconic(HWND hWnd) {
  WindowData* w = Find(hWnd);
  return w && (w->style & WS_MINIMIZE) != 0 ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hWnd) {
  WindowData* w = Find(hWnd);
  return w && (w->style & WS_MAXIMIZE) != 0 ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hWnd) {
  for (WindowData* w = Find(hWnd); w; w = IsChildStyle(w->style) ? Find(w->parent) : nullptr) {
    if ((w->style & WS_VISIBLE) == 0) return FALSE;
  }
  return Find(hWnd) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hWnd, BOOL enable) {
  WindowData* w = Find(hWnd);
  if (!w) return FALSE;
  bool wasDisabled = (w->style & WS_DISABLED) != 0;
  if (wasDisabled == static_cast<bool>(enable)) {
    if (enable) {
      w->style &= ~WS_DISABLED;
    } else {
      w->style |= WS_DISABLED;
    }
    SendMessageA(hWnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  }
  return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hWnd) {
  WindowData* w = Find(hWnd);
  return w && (w->style & WS_DISABLED) == 0 ? TRUE : FALSE;
}

BOOL InvalidateRect(HWND hWnd, const RECT*, BOOL) {
  if (hWnd == kNoWindow) {
    for (auto& [handle, w] : GetState().windows) w->needsPaint = w->needsPaint || w->painting == 0;
    return TRUE;
  }
  WindowData* w = Find(hWnd);
  if (!w) return FALSE;
  // A window that is painting now shows what it is invalidated for.
  if (w->painting == 0) w->needsPaint = true;
  return TRUE;
}

BOOL UpdateWindow(HWND hWnd) {
  WindowData* w = Find(hWnd);
  if (!w) return FALSE;
  if (w->needsPaint) {
    w->needsPaint = false;
    SendMessageA(hWnd, WM_PAINT, 0, 0);
  }
  return TRUE;
}

uint32_t GetWindowThreadProcessId(HWND hWnd, uint32_t* processId) {
  WindowData* w = Find(hWnd);
  if (!w) return 0;
  if (processId) *processId = w->processId;
  return w->threadId;
}

uint32_t GetCurrentProcessId() { return static_cast<uint32_t>(::getpid()); }

uint32_t GetCurrentThreadId() { return static_cast<uint32_t>(::syscall(SYS_gettid)); }

}  // namespace win
