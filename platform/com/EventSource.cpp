#include "com/EventSource.h"

#include <algorithm>

#include "runtime/Strings.h"

namespace com {

int EventSource::Connect(std::string_view eventName, Handler handler) {
  int cookie = m_nextCookie++;
  auto any = std::make_shared<AnyHandler>([h = std::move(handler)](std::string_view, Args& args) { h(args); });
  m_entries.push_back(Entry{cookie, rt::LCase(eventName), std::move(any)});
  return cookie;
}

int EventSource::ConnectAll(AnyHandler handler) {
  int cookie = m_nextCookie++;
  m_entries.push_back(Entry{cookie, {}, std::make_shared<AnyHandler>(std::move(handler))});
  return cookie;
}

void EventSource::Disconnect(int cookie) {
  std::erase_if(m_entries, [cookie](const Entry& e) { return e.cookie == cookie; });
}

void EventSource::DisconnectAll() { m_entries.clear(); }

void EventSource::Raise(std::string_view eventName, Args& args) const {
  const std::string key = rt::LCase(eventName);
  // A copy, so that handlers may connect or disconnect while they run.
  std::vector<std::shared_ptr<AnyHandler>> handlers;
  for (const auto& e : m_entries) {
    if (e.key.empty() || e.key == key) handlers.push_back(e.handler);
  }
  for (const auto& h : handlers) (*h)(eventName, args);
}

void EventSource::Raise(std::string_view eventName) const {
  Args none;
  Raise(eventName, none);
}

bool EventSource::HasHandler(std::string_view eventName) const {
  const std::string key = rt::LCase(eventName);
  return std::any_of(m_entries.begin(), m_entries.end(),
                     [&key](const Entry& e) { return e.key.empty() || e.key == key; });
}

}  // namespace com
