// Loading the main window in a test as the program starts it: with the
// program's settings in a private registry and no login stored, so the
// login dialog at start shows and is cancelled.
#pragma once

#include <memory>

#include "../../core/tests/CoreTestSupport.h"
#include "core/RegistrySettings.h"
#include "forms/Constants.h"
#include "forms/Responder.h"
#include "main/frmMDI.h"

namespace qvadmin::test {

// Loads (or, with `show`, shows) the main window.
inline std::shared_ptr<frmMDI> LoadMainWindow(bool show = true) {
  UsePrivateRegistry();
  LoadSettings();
  WriteRegValue("SQLAdm_AL", "0");
  forms::Responders::Push([](const forms::ModalRequest& r) {
    if (r.form) r.form->Unload();
    return 0;
  });
  auto main = frmMDI::Default();
  if (show) {
    main->Show();
  } else {
    main->Load();
  }
  return main;
}

}  // namespace qvadmin::test
