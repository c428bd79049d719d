// qvsetting: writes one text value into the current user's settings, as
// the programs' settings class does, in the registry stand-in's folder
// (QV_REGISTRY_DIR, else the user's configuration folder). tools/run, and
// the user of an installation, set up the settings that the product's
// client would leave for the update assistant this way (its update folder,
// AktUpdDir).
//   qvsetting KEY NAME VALUE     (KEY below HKEY_CURRENT_USER, with "\")
// Exit code 0 when the value was written, 1 otherwise.
#include <cstdio>

#include "services/cRegSettings.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: qvsetting KEY NAME VALUE\n");
    return 1;
  }
  kvctl2::cRegSettings settings;
  settings.RootHKey(kvctl2::HKY_CURRENT_USER);
  settings.DefaultPath(argv[1]);
  if (!settings.SetSetting("", argv[2], rt::Variant(argv[3]))) {
    std::fprintf(stderr, "qvsetting: cannot write %s in HKEY_CURRENT_USER\\%s\n", argv[2], argv[1]);
    return 1;
  }
  return 0;
}
