#include "ISubclass.h"

#include "LiveObjects.h"

namespace kvctl2 {

namespace {

LiveObjects& LiveClients() {
  static LiveObjects clients;
  return clients;
}

}  // namespace

ISubclass::ISubclass() { LiveClients().Add(this); }

ISubclass::ISubclass(const ISubclass&) { LiveClients().Add(this); }

ISubclass::~ISubclass() { LiveClients().Remove(this); }

win::LRESULT ISubclass::WindowProc(int32_t, int32_t, win::WPARAM, win::LPARAM) { return 0; }

bool ISubclass::IsLiveClient(win::LONG_PTR address) {
  return LiveClients().Contains(reinterpret_cast<const void*>(address));
}

}  // namespace kvctl2
