#include "clsSubClass.h"

#include "LiveObjects.h"
#include "runtime/Error.h"
#include "win/Window.h"

namespace kvctl2 {

namespace {

constexpr const char* kOldProc = "SSC_OLDPROC";
constexpr const char* kObjAddr = "SSC_OBJADDR";

LiveObjects& LiveSubClassers() {
  static LiveObjects objects;
  return objects;
}

}  // namespace

clsSubClass::clsSubClass() { LiveSubClassers().Add(this); }

clsSubClass::~clsSubClass() {
  // Every window this object subclassed gets its previous procedure back.
  for (size_t i = m_hWnds.size() - 1; i >= 1 && i < m_hWnds.size(); --i) {
    if (m_hWnds[i] > 0) {
      try {
        SubClassHwnd(m_hWnds[i], false);
      } catch (...) {
      }
    }
  }
  LiveSubClassers().Remove(this);
}

bool clsSubClass::IsLiveObject(win::LONG_PTR address) {
  return LiveSubClassers().Contains(reinterpret_cast<const void*>(address));
}

bool clsSubClass::SubClassHwnd(int32_t hWnd, bool bSubClass) {
  if (bSubClass && win::IsWindow(win::ToHwnd(hWnd))) return Install(hWnd);
  bool restored = Remove(hWnd);
  return bSubClass ? false : restored;
}

bool clsSubClass::Install(int32_t hWnd) {
  win::HWND h = win::ToHwnd(hWnd);
  if (win::GetPropA(h, kOldProc) != 0) return false;
  win::LONG_PTR oldProc = win::SetWindowLongA(h, win::GWL_WNDPROC, win::ProcToLong(&bSubClass));
  if (oldProc == 0) return false;
  // A window whose bookkeeping could not be stored must not stay
  // subclassed: it would lose its messages.
  if (!win::SetPropA(h, kOldProc, oldProc) || !win::SetPropA(h, kObjAddr, reinterpret_cast<win::LONG_PTR>(this))) {
    win::SetWindowLongA(h, win::GWL_WNDPROC, oldProc);
    win::RemovePropA(h, kOldProc);
    win::RemovePropA(h, kObjAddr);
    return false;
  }
  AddHandle(hWnd);
  return true;
}

bool clsSubClass::Remove(int32_t hWnd) {
  win::HWND h = win::ToHwnd(hWnd);
  win::LONG_PTR restored = 0;
  if (win::IsWindow(h)) {
    win::LONG_PTR oldProc = win::GetPropA(h, kOldProc);
    if (oldProc != 0) restored = win::SetWindowLongA(h, win::GWL_WNDPROC, oldProc);
  }
  win::RemovePropA(h, kOldProc);
  win::RemovePropA(h, kObjAddr);
  RemoveHandle(hWnd);
  return restored != 0;
}

win::LRESULT clsSubClass::ProcessMessage(int32_t hWnd, int32_t uMsg, win::WPARAM wParam, win::LPARAM lParam) {
  bool cancel = false;
  if (NewMessage) NewMessage(hWnd, uMsg, wParam, lParam, cancel);
  // The handler may have destroyed this object: only the window is used
  // from here on.
  if (cancel) return 0;
  win::HWND h = win::ToHwnd(hWnd);
  win::LONG_PTR oldProc = win::GetPropA(h, kOldProc);
  if (oldProc == 0) return 0;
  return win::CallWindowProcA(oldProc, h, static_cast<uint32_t>(uMsg), wParam, lParam);
}

int32_t clsSubClass::FindHandle(int32_t hWnd) const {
  for (size_t i = 1; i < m_hWnds.size(); ++i) {
    if (m_hWnds[i] == hWnd && m_hWnds[i] >= 1) return static_cast<int32_t>(i);
  }
  return 0;
}

void clsSubClass::AddHandle(int32_t hWnd) {
  if (FindHandle(hWnd) != 0) return;
  for (size_t i = 1; i < m_hWnds.size(); ++i) {
    if (m_hWnds[i] < 1) {
      m_hWnds[i] = hWnd;
      return;
    }
  }
  m_hWnds.push_back(hWnd);
}

void clsSubClass::RemoveHandle(int32_t hWnd) {
  int32_t index = FindHandle(hWnd);
  if (index == 0) return;
  if (static_cast<size_t>(index) == m_hWnds.size() - 1) {
    m_hWnds.pop_back();
  } else {
    m_hWnds[static_cast<size_t>(index)] = -1;
  }
}

win::LRESULT bSubClass(win::HWND hWnd, uint32_t uMsg, win::WPARAM wParam, win::LPARAM lParam) {
  win::LRESULT result = 0;
  rt::ResumeNext([&] {
    win::LONG_PTR address = win::GetPropA(hWnd, kObjAddr);
    if (clsSubClass::IsLiveObject(address)) {
      auto* owner = reinterpret_cast<clsSubClass*>(address);
      result = owner->ProcessMessage(win::ToInt(hWnd), static_cast<int32_t>(uMsg), wParam, lParam);
      return;
    }
    // The owner is gone: the window keeps working with its previous
    // procedure instead of losing its messages.
    win::LONG_PTR oldProc = win::GetPropA(hWnd, kOldProc);
    if (oldProc != 0) result = win::CallWindowProcA(oldProc, hWnd, uMsg, wParam, lParam);
  });
  return result;
}

}  // namespace kvctl2
