// cMyTools: small services of the system: new GUIDs as text, whether a
// program runs, a thin border for a control window, the Windows version's
// name, the temporary, Windows and system folders (each ending in "/", the
// platform's separator) and the name of the logged-on user. No member
// raises an error.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/Variant.h"

namespace kvctl2 {

class cMyTools {
 public:
  // A new GUID as 32 upper-case hexadecimal digits.
  std::string MakeGUIDPur();
  // A new GUID in registry form, "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
  std::string MakeGUID();
  // Whether a running process's executable has this name, case ignored.
  bool IsEXERunning(const std::string& EXEName);
  // Gives the window a static-edge border and has its frame redrawn.
  rt::Variant ControlBorderThin(int32_t hWnd);
  // Nothing sets this value; it reads 0.
  int32_t GlobalSound() const { return m_globalSound; }
  std::string OSVersion();
  std::string GetTempDir();
  std::string GetWinDir();
  std::string GetSysDir();
  // "" when the name cannot be told.
  std::string WinUserName() const;

 private:
  int32_t m_globalSound = 0;
};

}  // namespace kvctl2
