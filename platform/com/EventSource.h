// Events of an object: the object raises an event by name with its
// arguments passed by reference, so a handler can change them (a Cancel
// flag, a key code) and the raiser reads the changed values back.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Variant.h"

namespace com {

// Arguments of a call or an event. Every argument is passed by reference:
// the callee may assign to it and the caller sees the new value.
using Args = std::vector<rt::Variant>;

class EventSource {
 public:
  using Handler = std::function<void(Args& args)>;
  using AnyHandler = std::function<void(std::string_view eventName, Args& args)>;

  // Connects a handler to one event (name compared without regard to case);
  // returns a cookie for Disconnect.
  int Connect(std::string_view eventName, Handler handler);
  // Connects a handler that receives every event of the object.
  int ConnectAll(AnyHandler handler);
  void Disconnect(int cookie);
  void DisconnectAll();

  // Raises an event: each connected handler runs in the order of
  // connection; handlers connected or disconnected while the event runs
  // take effect from the next event.
  void Raise(std::string_view eventName, Args& args) const;
  void Raise(std::string_view eventName) const;

  bool HasHandler(std::string_view eventName) const;

 private:
  struct Entry {
    int cookie = 0;
    std::string key;  // lower-case event name; empty for "every event"
    std::shared_ptr<AnyHandler> handler;
  };
  std::vector<Entry> m_entries;
  int m_nextCookie = 1;
};

}  // namespace com
