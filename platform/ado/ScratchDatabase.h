// A database of its own for one test: created with a unique name on the
// test server when constructed, dropped (with any connections still on it)
// when destroyed.
#pragma once

#include <string>

namespace ado {

class ScratchDatabase {
 public:
  // `prefix` starts the name ("qvt" when empty); raises when the server
  // refuses.
  explicit ScratchDatabase(const std::string& prefix = {});
  ~ScratchDatabase();
  ScratchDatabase(const ScratchDatabase&) = delete;
  ScratchDatabase& operator=(const ScratchDatabase&) = delete;

  const std::string& Name() const noexcept { return m_name; }

 private:
  std::string m_name;
};

}  // namespace ado
