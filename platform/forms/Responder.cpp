#include "forms/Responder.h"

#include <deque>

namespace forms::Responders {

namespace {
struct State {
  std::deque<Responder> queue;
  Responder standing;
};
State& GetState() {
  static State state;
  return state;
}
}  // namespace

void Push(Responder responder) { GetState().queue.push_back(std::move(responder)); }

void SetStanding(Responder responder) { GetState().standing = std::move(responder); }

Responder Next() {
  auto& s = GetState();
  if (!s.queue.empty()) {
    Responder r = std::move(s.queue.front());
    s.queue.pop_front();
    return r;
  }
  return s.standing;
}

size_t Pending() { return GetState().queue.size(); }

void Clear() {
  GetState().queue.clear();
  GetState().standing = nullptr;
}

}  // namespace forms::Responders
