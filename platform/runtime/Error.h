// The runtime's error object: what a raised error carries (number,
// description, source, line), the per-thread "Err" that handlers read, and
// the two ways procedures deal with errors: a labelled handler around the
// whole procedure, and "errors ignored step by step".
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

namespace rt {

// Base of the numbers that objects raise ("vbObjectError").
inline constexpr int32_t vbObjectError = static_cast<int32_t>(0x80040000u);

// Well-known runtime error numbers used across the system.
inline constexpr int32_t errInvalidProcedureCall = 5;
inline constexpr int32_t errTypeMismatch = 13;
inline constexpr int32_t errCancel = 18;
inline constexpr int32_t errObjectRequired = 424;
inline constexpr int32_t errNoSuchMember = 438;

class Error : public std::exception {
 public:
  Error() = default;
  Error(int32_t number, std::string description, std::string source = {}, int32_t line = 0)
      : m_number(number), m_description(std::move(description)), m_source(std::move(source)), m_line(line) {}

  int32_t Number() const noexcept { return m_number; }
  const std::string& Description() const noexcept { return m_description; }
  const std::string& Source() const noexcept { return m_source; }
  // Line number where the error arose, 0 when unknown.
  int32_t Line() const noexcept { return m_line; }

  Error& WithLine(int32_t line) { m_line = line; return *this; }
  Error& WithSource(std::string source) { m_source = std::move(source); return *this; }

  const char* what() const noexcept override { return m_description.c_str(); }

 private:
  int32_t m_number = 0;
  std::string m_description;
  std::string m_source;
  int32_t m_line = 0;
};

// The runtime's text for a plain error number ("Invalid procedure call or
// argument" for 5, ...); "Application-defined or object-defined error" for
// numbers it does not know.
std::string ErrorText(int32_t number);

// Raises an error. An empty description takes the runtime's text.
[[noreturn]] void Raise(int32_t number, std::string source = {}, std::string description = {});

// The current error of this thread, as a handler sees it after catching.
class ErrObject {
 public:
  int32_t Number() const noexcept { return m_error.Number(); }
  const std::string& Description() const noexcept { return m_error.Description(); }
  const std::string& Source() const noexcept { return m_error.Source(); }
  int32_t Line() const noexcept { return m_error.Line(); }
  const Error& Current() const noexcept { return m_error; }
  void Set(const Error& e) { m_error = e; }
  void Clear() { m_error = Error(); }
  // Raises the current error again (a handler passing it to its caller).
  [[noreturn]] void Reraise() const { throw m_error; }

 private:
  Error m_error;
};

ErrObject& Err();

// Converts whatever a step threw into an Error: an Error stays as it is, a
// standard exception becomes error 5 with its text, anything else error 5.
Error CurrentExceptionAsError();

// Runs one step with errors ignored: an error is kept in Err() and the
// caller goes on with the next step. Returns whether the step succeeded.
template <class F>
bool ResumeNext(F&& step) {
  try {
    std::forward<F>(step)();
    return true;
  } catch (...) {
    Err().Set(CurrentExceptionAsError());
    return false;
  }
}

// A procedure body with a labelled error handler: runs `body`; on an error
// it stores it in Err() and runs `handler` with the error. The closing part
// of the procedure follows the call, as it does after the label.
template <class Body, class Handler>
bool OnErrorGoTo(Body&& body, Handler&& handler) {
  try {
    std::forward<Body>(body)();
    return true;
  } catch (...) {
    Err().Set(CurrentExceptionAsError());
    std::forward<Handler>(handler)(Err().Current());
    return false;
  }
}

}  // namespace rt
