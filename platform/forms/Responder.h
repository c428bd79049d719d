// The scripted responder: tests answer modal forms and message boxes
// through it instead of a user. Without a display nobody can click, so a
// modal show or a message box asks the responder: the next queued answer
// first, else the standing one. A form shown modally is passed to the
// responder after it is loaded, shown and activated; the responder acts on
// it (clicks buttons, sets values, advances the clock and pumps) and the
// modal show returns once the form is hidden or unloaded. For a message
// box the responder returns the result (vbOK .. vbNo).
// When no responder answers and nothing else can close the form, a modal
// show raises errNoResponder instead of waiting for ever.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "runtime/Error.h"

namespace forms {

class Form;

// Raised when a modal form or message box has nobody to answer it.
inline constexpr int32_t errNoResponder = rt::vbObjectError + 0x1F01;

struct ModalRequest {
  enum class Kind { Form, MessageBox };
  Kind kind = Kind::Form;
  Form* form = nullptr;  // the modal form (Kind::Form)
  std::string prompt;    // the message box (Kind::MessageBox)
  int32_t buttons = 0;
  std::string title;
};

// Returns the message box result; ignored for a form.
using Responder = std::function<int32_t(const ModalRequest& request)>;

namespace Responders {

// Queues a responder for the next modal request; it is used once.
void Push(Responder responder);
// The responder for requests that find the queue empty (empty: none).
void SetStanding(Responder responder);
// Takes the responder for the next request: the queue's first, else the
// standing one, else an empty function.
Responder Next();
size_t Pending();
void Clear();

}  // namespace Responders

// Clears the queue and the standing responder at the end of a scope.
class ScopedResponders {
 public:
  ScopedResponders() = default;
  explicit ScopedResponders(Responder standing) { Responders::SetStanding(std::move(standing)); }
  ~ScopedResponders() { Responders::Clear(); }
  ScopedResponders(const ScopedResponders&) = delete;
  ScopedResponders& operator=(const ScopedResponders&) = delete;
};

}  // namespace forms
