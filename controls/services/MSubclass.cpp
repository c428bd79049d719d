#include "MSubclass.h"

#include "runtime/Error.h"
#include "win/Window.h"

namespace kvctl2::MSubclass {

namespace {

// Success of the last property write.
bool g_lastWriteOk = true;

bool WriteProp(int32_t hWnd, const std::string& name, win::LONG_PTR value) {
  win::HWND h = win::ToHwnd(hWnd);
  g_lastWriteOk = win::SetPropA(h, name, value) != 0;
  if (value == 0) win::RemovePropA(h, name);
  return g_lastWriteOk;
}

win::LONG_PTR ReadProp(int32_t hWnd, const std::string& name) { return win::GetPropA(win::ToHwnd(hWnd), name); }

win::LONG_PTR HookCount(int32_t hWnd) { return ReadProp(hWnd, HookCountName(hWnd)); }
win::LONG_PTR OldProc(int32_t hWnd) { return ReadProp(hWnd, OldProcName(hWnd)); }
win::LONG_PTR ClientCount(int32_t hWnd, int32_t iMsg) { return ReadProp(hWnd, ClientCountName(hWnd, iMsg)); }
win::LONG_PTR Client(int32_t hWnd, int32_t iMsg, win::LONG_PTR i) {
  return ReadProp(hWnd, ClientName(hWnd, iMsg, static_cast<int32_t>(i)));
}

bool WriteHookCount(int32_t hWnd, win::LONG_PTR value) {
  g_lastWriteOk = true;
  return WriteProp(hWnd, HookCountName(hWnd), value);
}
bool WriteOldProc(int32_t hWnd, win::LONG_PTR value) {
  g_lastWriteOk = true;
  return WriteProp(hWnd, OldProcName(hWnd), value);
}
bool WriteClientCount(int32_t hWnd, int32_t iMsg, win::LONG_PTR value) {
  return WriteProp(hWnd, ClientCountName(hWnd, iMsg), value);
}
bool WriteClient(int32_t hWnd, int32_t iMsg, win::LONG_PTR i, win::LONG_PTR value) {
  return WriteProp(hWnd, ClientName(hWnd, iMsg, static_cast<int32_t>(i)), value);
}

void RestoreProc(int32_t hWnd, win::LONG_PTR proc) {
  if (proc != 0) win::SetWindowLongA(win::ToHwnd(hWnd), win::GWL_WNDPROC, proc);
}

// On WM_DESTROY of a window without WM_DESTROY clients: the previous
// procedure goes back and the window-wide properties go. Client entries
// and client counts stay.
void CleanUpOnDestroy(int32_t hWnd) {
  if (HookCount(hWnd) <= 0) return;
  RestoreProc(hWnd, OldProc(hWnd));
  win::RemovePropA(win::ToHwnd(hWnd), HookCountName(hWnd));
  win::RemovePropA(win::ToHwnd(hWnd), OldProcName(hWnd));
}

ISubclass* LiveClient(win::LONG_PTR address) {
  return ISubclass::IsLiveClient(address) ? reinterpret_cast<ISubclass*>(address) : nullptr;
}

win::LONG_PTR Address(ISubclass& client) { return reinterpret_cast<win::LONG_PTR>(&client); }

}  // namespace

std::string HookCountName(int32_t hWnd) { return "C" + std::to_string(hWnd); }
std::string OldProcName(int32_t hWnd) { return std::to_string(hWnd); }
std::string ClientCountName(int32_t hWnd, int32_t iMsg) {
  return std::to_string(hWnd) + "#" + std::to_string(iMsg) + "C";
}
std::string ClientName(int32_t hWnd, int32_t iMsg, int32_t index) {
  return std::to_string(hWnd) + "#" + std::to_string(iMsg) + "#" + std::to_string(index);
}

void RaiseSubclassError(int32_t number) {
  if (number <= 1000) rt::Raise(number);
  std::string description;
  switch (number) {
    case 13081:
      description = "Can't subclass window";
      break;
    case 13082:
      description = "Message already handled by another class";
      break;
    case 13083:
      description = "Invalid window";
      break;
    case 13084:
      description = "Can't modify external window";
      break;
    default:
      break;
  }
  rt::Raise(number | rt::vbObjectError, "Kvctl2.WindowProc", description);
}

bool IsOwnProcessWindow(int32_t hWnd) {
  uint32_t processId = 0;
  win::GetWindowThreadProcessId(win::ToHwnd(hWnd), &processId);
  return processId == win::GetCurrentProcessId();
}

void HookMessage(ISubclass& client, int32_t hWnd, int32_t iMsg) {
  if (!win::IsWindow(win::ToHwnd(hWnd))) RaiseSubclassError(13083);
  if (!IsOwnProcessWindow(hWnd)) RaiseSubclassError(13084);

  win::LONG_PTR count = ClientCount(hWnd, iMsg);
  for (win::LONG_PTR i = 1; i <= count; ++i) {
    if (Client(hWnd, iMsg, i) == Address(client)) RaiseSubclassError(13082);
  }
  win::LONG_PTR index = count + 1;
  if (!WriteClientCount(hWnd, iMsg, index)) RaiseSubclassError(5);
  auto undoClient = [&] {
    WriteClient(hWnd, iMsg, index, 0);
    WriteClientCount(hWnd, iMsg, count);
  };
  if (!WriteClient(hWnd, iMsg, index, Address(client))) {
    WriteClientCount(hWnd, iMsg, count);
    RaiseSubclassError(5);
  }

  win::LONG_PTR hooks = HookCount(hWnd);
  if (hooks == 0) {
    win::LONG_PTR previous = win::SetWindowLongA(win::ToHwnd(hWnd), win::GWL_WNDPROC, win::ProcToLong(&WindowProc));
    if (previous == 0) {
      undoClient();
      RaiseSubclassError(13081);
    }
    if (!WriteOldProc(hWnd, previous)) {
      RestoreProc(hWnd, previous);
      undoClient();
      RaiseSubclassError(5);
    }
  }

  if (!WriteHookCount(hWnd, hooks + 1)) {
    undoClient();
    if (hooks > 0) RaiseSubclassError(5);
    win::LONG_PTR previous = OldProc(hWnd);
    if (previous != 0) {
      RestoreProc(hWnd, previous);
      win::RemovePropA(win::ToHwnd(hWnd), OldProcName(hWnd));
    }
    RaiseSubclassError(5);
  }
}

void UnhookMessage(ISubclass& client, int32_t hWnd, int32_t iMsg) {
  if (!win::IsWindow(win::ToHwnd(hWnd)) || !IsOwnProcessWindow(hWnd)) return;
  win::LONG_PTR count = ClientCount(hWnd, iMsg);
  win::LONG_PTR found = 0;
  for (win::LONG_PTR i = 1; i <= count && found == 0; ++i) {
    if (Client(hWnd, iMsg, i) == Address(client)) found = i;
  }
  if (found == 0) return;

  for (win::LONG_PTR i = found; i < count; ++i) WriteClient(hWnd, iMsg, i, Client(hWnd, iMsg, i + 1));
  WriteClient(hWnd, iMsg, count, 0);
  WriteClientCount(hWnd, iMsg, count - 1);

  win::LONG_PTR hooks = HookCount(hWnd);
  if (hooks == 1) {
    win::LONG_PTR previous = OldProc(hWnd);
    if (previous != 0) {
      RestoreProc(hWnd, previous);
      win::RemovePropA(win::ToHwnd(hWnd), OldProcName(hWnd));
    }
  }
  // After the WM_DESTROY clean-up the count is already gone; it never goes
  // below 0.
  if (hooks > 0) WriteHookCount(hWnd, hooks - 1);
}

win::LRESULT WindowProc(win::HWND hWnd, uint32_t iMsg, win::WPARAM wParam, win::LPARAM lParam) {
  int32_t h = win::ToInt(hWnd);
  int32_t m = static_cast<int32_t>(iMsg);
  win::LONG_PTR previous = OldProc(h);
  if (previous == 0) return 0;

  win::LONG_PTR count = ClientCount(h, m);
  if (count == 0) {
    if (iMsg == win::WM_DESTROY) CleanUpOnDestroy(h);
    return win::CallWindowProcA(previous, hWnd, iMsg, wParam, lParam);
  }

  bool previousCalled = false;
  win::LRESULT result = 0;
  win::LONG_PTR lastServed = 0;
  for (win::LONG_PTR i = count; i >= 1; --i) {
    win::LONG_PTR address = Client(h, m, i);
    ISubclass* client = LiveClient(address);
    if (!client) continue;
    if (i == 1 && client->GetMsgResponse() == emrPreprocess && !previousCalled) {
      previousCalled = true;
      win::CallWindowProcA(previous, hWnd, iMsg, wParam, lParam);
      if (!(client = LiveClient(address))) continue;
    }
    result = client->WindowProc(h, m, wParam, lParam);
    lastServed = address;
  }

  // With no client left to serve, the message goes on as if nobody had
  // hooked it.
  ISubclass* last = LiveClient(lastServed);
  bool postProcess = lastServed == 0 || (last && last->GetMsgResponse() == emrPostProcess);
  if (postProcess && !previousCalled) return win::CallWindowProcA(previous, hWnd, iMsg, wParam, lParam);
  return result;
}

}  // namespace kvctl2::MSubclass
