#include "help/HtmlHelp.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "forms/App.h"
#include "forms/Form.h"
#include "help/HelpWindow.h"
#include "win/Window.h"

namespace fs = std::filesystem;

namespace help {

namespace {

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

// F1 on any form opens the application's help file at the context.
const bool kF1Wired = [] {
  forms::Form::SetHelpHandler([](forms::Form& form, const std::string& file, int32_t context) {
    if (file.empty()) return;
    HtmlHelpA(form.hWnd(), file, context != 0 ? HH_HELP_CONTEXT : HH_DISPLAY_TOPIC, static_cast<uintptr_t>(context));
  });
  return true;
}();

// The form of a window, nullptr for another window.
forms::Form* FormOf(win::HWND hwnd) {
  if (hwnd == win::kNoWindow || win::GetClassNameA(hwnd) != forms::kFormWindowClass) return nullptr;
  return reinterpret_cast<forms::Form*>(win::GetWindowLongA(hwnd, win::GWL_USERDATA));
}

}  // namespace

std::string HelpFolder(std::string_view file) {
  std::string path(file.substr(0, file.find('>')));
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  if (IsFolder(path)) return path;
  const std::string bare = fs::path(path).replace_extension().string();
  return IsFolder(bare) ? bare : std::string();
}

std::string PageOfContext(const std::string& folder, int32_t context) {
  std::ifstream map(fs::path(folder) / "contexts.txt");
  std::string line;
  while (std::getline(map, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    int32_t number = 0;
    std::string page;
    if (!(fields >> number >> page) || number != context) continue;
    std::error_code ec;
    if (fs::is_regular_file(fs::path(folder) / page, ec)) return page;
  }
  return "index.html";
}

win::HWND HtmlHelpA(win::HWND owner, std::string_view file, uint32_t command, uintptr_t data) {
  (void)kF1Wired;
  auto window = HelpWindow::Instance();
  if (command == HH_CLOSE_ALL) {
    window->Unload();
    return win::kNoWindow;
  }
  const std::string folder = HelpFolder(file);
  if (folder.empty()) return win::kNoWindow;
  const std::string page = command == HH_HELP_CONTEXT ? PageOfContext(folder, static_cast<int32_t>(data)) : "index.html";
  window->ShowPage(folder, page);
  forms::Form* ownerForm = FormOf(owner);
  window->Show(forms::vbModeless, ownerForm != window.get() ? ownerForm : nullptr);
  return window->hWnd();
}

}  // namespace help
