// The tests' way to the main window's command table.
#pragma once

#include <string>

#include "main/frmMDI.h"

namespace qvadmin {

struct frmMDITestAccess {
  static void ToolClick(frmMDI& main, const std::string& key) { main.ToolClick(key); }
};

}  // namespace qvadmin
