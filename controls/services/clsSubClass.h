// clsSubClass: replaces the window procedure of one or more windows and
// raises NewMessage for every message that reaches them, before the window
// sees it. The window keeps the previous procedure in the property
// "SSC_OLDPROC" and the owning object's address in "SSC_OBJADDR"; the
// address does not keep the object alive.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "win/Types.h"

namespace kvctl2 {

class clsSubClass {
 public:
  // Event NewMessage: the handler may change the message, its parameters,
  // or set Cancel to keep the message from the window (its procedure then
  // returns 0).
  using NewMessageHandler =
      std::function<void(int32_t hWnd, int32_t& uMsg, win::WPARAM& wParam, win::LPARAM& lParam, bool& Cancel)>;

  clsSubClass();
  ~clsSubClass();
  clsSubClass(const clsSubClass&) = delete;
  clsSubClass& operator=(const clsSubClass&) = delete;

  // Installs (bSubClass true) or removes (false) the subclass of hWnd.
  bool SubClassHwnd(int32_t hWnd, bool bSubClass);

  // The handler of the event NewMessage; empty = nobody listens.
  NewMessageHandler NewMessage;

  // Library-internal: raises NewMessage and passes the message on to the
  // previous procedure unless the handler cancelled it.
  win::LRESULT ProcessMessage(int32_t hWnd, int32_t uMsg, win::WPARAM wParam, win::LPARAM lParam);

  // Library-internal: the handle list, index 0 never used; entries below 1
  // are free.
  const std::vector<int32_t>& HandleList() const { return m_hWnds; }

  // Whether an object lives at this address (what "SSC_OBJADDR" holds).
  static bool IsLiveObject(win::LONG_PTR address);

 private:
  int32_t FindHandle(int32_t hWnd) const;
  void AddHandle(int32_t hWnd);
  void RemoveHandle(int32_t hWnd);
  bool Install(int32_t hWnd);
  bool Remove(int32_t hWnd);

  std::vector<int32_t> m_hWnds{0};
};

// The one window procedure of all windows subclassed by clsSubClass.
win::LRESULT bSubClass(win::HWND hWnd, uint32_t uMsg, win::WPARAM wParam, win::LPARAM lParam);

}  // namespace kvctl2
