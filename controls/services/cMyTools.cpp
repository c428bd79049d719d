#include "cMyTools.h"

#include <cstdlib>

#include "OSVersionName.h"
#include "runtime/Guid.h"
#include "runtime/Strings.h"
#include "shell/Processes.h"
#include "shell/System.h"
#include "win/Window.h"

namespace kvctl2 {

namespace {

// A folder with the platform's separator behind it; "" stays "".
std::string WithSeparator(std::string folder) {
  if (!folder.empty()) folder += '/';
  return folder;
}

}  // namespace

std::string cMyTools::MakeGUID() {
  rt::GUID guid;
  if (rt::CoCreateGuid(&guid) != rt::S_OK) return {};
  char text[39];
  int written = rt::StringFromGUID2(guid, text, sizeof text);
  return written > 0 ? std::string(text, static_cast<size_t>(written - 1)) : std::string();
}

std::string cMyTools::MakeGUIDPur() { return rt::Replace(rt::Mid(MakeGUID(), 2, 36), "-", ""); }

bool cMyTools::IsEXERunning(const std::string& EXEName) {
  for (const auto& process : shell::RunningProcesses()) {
    if (rt::StrComp(process.exeName, EXEName, rt::CompareMethod::Text) == 0) return true;
  }
  return false;
}

rt::Variant cMyTools::ControlBorderThin(int32_t hWnd) {
  win::HWND window = win::ToHwnd(hWnd);
  // The whole extended style is replaced by a static edge.
  win::SetWindowLongA(window, win::GWL_EXSTYLE, win::WS_EX_STATICEDGE | win::WS_EX_NOPARENTNOTIFY);
  win::SetWindowPos(window, win::HWND_TOP, 0, 0, 0, 0,
                    win::SWP_NOSIZE | win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_FRAMECHANGED |
                        win::SWP_NOOWNERZORDER);
  return {};
}

std::string cMyTools::OSVersion() { return OSVersionName(); }

std::string cMyTools::GetTempDir() {
  std::string folder = shell::GetTempPathA();
  if (folder.empty()) {
    const char* temp = std::getenv("Temp");
    folder = temp ? temp : "";
  }
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string cMyTools::GetWinDir() { return WithSeparator(shell::GetWindowsDirectoryA()); }

std::string cMyTools::GetSysDir() { return WithSeparator(shell::GetSystemDirectoryA()); }

std::string cMyTools::WinUserName() const { return shell::GetUserNameA(); }

}  // namespace kvctl2
