// What went wrong with the settings files behind cRegSettings, as one
// message for the user: a damaged file (where the damage lay, that the
// settings before it were kept, where the damaged file was put), a file
// that cannot be used at all, and settings that could not be saved. The
// programs show it where their settings are first loaded and when a
// setting could not be written.
#pragma once

#include <string>

namespace kvctl2 {

struct SettingsNotice {
  std::string title;
  std::string text;  // empty: nothing to tell
  // A settings file could not be used at all: what was asked of it was
  // not read.
  bool unreadable = false;
};

// The problems met since the last call, in English or German. A failure
// of a file that keeps every change from being saved is told once a
// process, with the first setting it kept from being saved.
SettingsNotice TakeSettingsNotice(bool english);

}  // namespace kvctl2
