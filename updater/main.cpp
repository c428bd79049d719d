// Entry routine of Verscout: the program's folder and name, the start with
// the command line's switch, the update window, and the message loop for
// as long as a form is loaded.
#include <cstdio>
#include <filesystem>

#include "forms/App.h"
#include "forms/Form.h"
#include "mMain.h"
#include "runtime/DataFolder.h"
#include "runtime/Error.h"
#include "win/MessageQueue.h"
#include "win/Modules.h"

int main(int argc, char** argv) {
  const std::filesystem::path program = win::GetModuleFileNameA();
  forms::App().Path = program.parent_path().string();
  forms::App().EXEName = program.stem().string();
  // Without its window's design and fonts the assistant can show nothing.
  if (const std::string problem = rt::DataFolderProblem({"verscout", "kvctl2", "fonts"}); !problem.empty()) {
    std::fprintf(stderr, "Verscout: %s\n", problem.c_str());
    return 1;
  }
  try {
    // A start refused (its message told) is a failed run.
    if (!verscout::Main(verscout::CommandLineOf(argc, argv))) return 1;
    verscout::ShowUpdateWindow();
    // The process lives as long as a form is loaded.
    win::MSG msg;
    while (!forms::Form::Forms().empty() && win::GetMessageA(&msg, win::kNoWindow, 0, 0)) win::DispatchMessageA(&msg);
    return 0;
  } catch (const rt::Error& e) {
    std::fprintf(stderr, "Verscout: %s\n", e.Description().c_str());
    return 1;
  }
}
