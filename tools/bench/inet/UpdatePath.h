// Verscout's whole update path, run as the update window runs it on a
// "Update now" click: the size pass, the transfer with its progress events
// (the progress bar moved and pending messages let through after every
// chunk), the temporary file and the two copies into the update folder.
// The window is the real one, on the headless display, in a folder of its
// own with its pages, settings and update folder.
#pragma once

#include <string>

#include "inet/ScriptedHttpServer.h"

namespace bench {

class UpdatePath {
 public:
  // A world in `folder` (made, and removed again by the destructor) whose
  // update server is `server`: ver.txt offers an update, QVUpdate.exe is
  // served by the caller under kUpdatePath.
  UpdatePath(const std::string& folder, inet::ScriptedHttpServer& server);
  ~UpdatePath();
  UpdatePath(const UpdatePath&) = delete;
  UpdatePath& operator=(const UpdatePath&) = delete;

  static constexpr const char* kHost = "update.quorvelle.de";
  static constexpr const char* kUpdatePath = "/v4/data/QVUpdate.exe";

  // Loads the window, runs the check and times the click; seconds, or a
  // negative figure when the update folder did not get `size` bytes.
  double TimeUpdate(size_t size);

 private:
  std::string m_folder;
};

}  // namespace bench
