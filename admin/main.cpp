// Entry routine of QVAdmin: the program's folder and name, the start, and
// the message loop for as long as a form is loaded.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/StartUp.h"
#include "forms/App.h"
#include "forms/Form.h"
#include "runtime/DataFolder.h"
#include "runtime/Error.h"
#include "win/DisplayBackend.h"
#include "win/MessageQueue.h"
#include "win/Modules.h"

int main(int, char**) {
  const std::filesystem::path program = win::GetModuleFileNameA();
  forms::App().Path = program.parent_path().string();
  forms::App().EXEName = program.stem().string();
  forms::App().Title = "Quorvelle Administration";
  // Without its form designs, scripts and fonts the program can show nothing.
  if (const std::string problem = rt::DataFolderProblem({"qvadmin", "kvctl2", "sql", "fonts"}); !problem.empty()) {
    std::fprintf(stderr, "QVAdmin: %s\n", problem.c_str());
    return 1;
  }
  // QVAdmin is worked in its windows only: without a display nobody could
  // log in or close it, and it would end at once without a word.
  if (!win::Display().HasScreen()) {
    const char* display = std::getenv("DISPLAY");
    if (display && *display) {
      std::fprintf(stderr, "QVAdmin: the display \"%s\" does not answer; QVAdmin needs a display to show its windows.\n",
                   display);
    } else {
      std::fprintf(stderr, "QVAdmin: no display (DISPLAY is not set); QVAdmin needs a display to show its windows.\n");
    }
    return 1;
  }
  try {
    qvadmin::Main();
    win::MSG msg;
    while (!forms::Form::Forms().empty() && win::GetMessageA(&msg, win::kNoWindow, 0, 0)) {
      win::TranslateMessage(&msg);
      win::DispatchMessageA(&msg);
    }
    return 0;
  } catch (const rt::Error& e) {
    std::fprintf(stderr, "QVAdmin: %s\n", e.Description().c_str());
    return 1;
  }
}
