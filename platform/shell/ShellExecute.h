// Opening a document, a folder, a web address or a "mailto:" link with the
// desktop's handler (DesktopPrograms.h), started without waiting. The launcher that
// starts the handler is replaceable, so tests capture what would be opened
// instead of starting anything.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

// Results of ShellExecuteA below 33 are errors.
inline constexpr intptr_t SE_ERR_FNF = 2;         // the file does not exist
inline constexpr intptr_t SE_ERR_ACCESSDENIED = 5;
inline constexpr intptr_t SE_ERR_NOASSOC = 31;    // no handler could be started
inline constexpr intptr_t kShellExecuteOk = 42;

struct LaunchRequest {
  std::string operation;   // "open", "explore", "" (open)
  std::string file;        // path, address or "mailto:" link
  std::string parameters;
  std::string directory;
  int showCmd = 0;         // the window layer's SW_ values
};

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Starts the handler; false when it cannot be started.
  virtual bool Launch(const LaunchRequest& request) = 0;
};

// Starts the desktop's program for the file (OpenWithDesktop), not waited for.
class DesktopLauncher final : public Launcher {
 public:
  bool Launch(const LaunchRequest& request) override;
};

// Records the requests instead of starting anything.
class RecordingLauncher final : public Launcher {
 public:
  bool Launch(const LaunchRequest& request) override {
    requests.push_back(request);
    return succeed;
  }
  std::vector<LaunchRequest> requests;
  bool succeed = true;
};

Launcher& CurrentLauncher();
// Installs a launcher (nullptr: the desktop's again); the caller keeps it alive.
void SetLauncher(Launcher* launcher);

class ScopedLauncher {
 public:
  explicit ScopedLauncher(Launcher& launcher) { SetLauncher(&launcher); }
  ~ScopedLauncher() { SetLauncher(nullptr); }
  ScopedLauncher(const ScopedLauncher&) = delete;
  ScopedLauncher& operator=(const ScopedLauncher&) = delete;
};

// Opens `file` with the handler for its kind. `ownerWindow` is a window
// handle as a 32-bit integer (unused here). Operations other than "open",
// "explore" and "" are refused with SE_ERR_NOASSOC; a local path that does
// not exist gives SE_ERR_FNF. Returns a value above 32 on success.
intptr_t ShellExecuteA(int32_t ownerWindow, std::string_view operation, std::string_view file,
                       std::string_view parameters, std::string_view directory, int showCmd);

}  // namespace shell
