// The application object: title, help file, path and executable name of
// the running program, set by the program at start.
#pragma once

#include <string>

namespace forms {

struct Application {
  std::string Title;
  std::string HelpFile;
  std::string Path;     // folder of the program, without a trailing "/"
  std::string EXEName;  // file name without extension
};

Application& App();

}  // namespace forms
