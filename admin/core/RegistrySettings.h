// The per-user settings of QVAdmin in the registry, key
// HKEY_CURRENT_USER\SOFTWARE\Kelvaro\QuorvelleAdm4, and the shared service
// objects made at start-up.
#pragma once

#include <memory>
#include <string>

#include "runtime/Variant.h"
#include "services/cMyTools.h"
#include "services/cRegSettings.h"

namespace qvadmin {

// The registry settings object on the program's key, made by LoadSettings.
inline std::shared_ptr<kvctl2::cRegSettings> RegSet;
// The system tools object, made by LoadSettings.
inline std::shared_ptr<kvctl2::cMyTools> MyTools;
// The temporary folder.
inline std::string TempDir;
// Display format of date and time: "ddddd hh:nn", with " AM/PM" in a
// 12-hour locale.
inline std::string DateTimeFormat;

// Start-up: makes RegSet and MyTools, TempDir, DateTimeFormat, writes a new
// installation identifier "NetUsr" when there is none, and takes the
// computer name as the default server (SqlServer) when none is set.
void LoadSettings();

// The value `Key` of the program's key, `Default` when it is missing; ""
// after telling the user when the registry can't be read.
std::string ReadRegValue(const std::string& Key, const rt::Variant& Default = "");

// Writes `Value` under `Key` (a number value when `IsNumberValue`); False
// after telling the user when it could not be written.
bool WriteRegValue(const std::string& Key, const rt::Variant& Value, bool IsNumberValue = false);

// Tells the user what went wrong with the settings files since the last
// call: a damaged file (the settings before the damage were kept, where the
// damaged file was put), a file that cannot be used, settings that could
// not be saved. Nothing when all went well.
void TellSettingsProblems();

}  // namespace qvadmin
