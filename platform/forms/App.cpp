#include "forms/App.h"

namespace forms {

Application& App() {
  static Application app;
  return app;
}

}  // namespace forms
