// Start and end of the update assistant: the mode switch, language,
// settings key and folders at start, and at the end the clearing of the
// temporary folders and the hand-over to the product's update program.
#pragma once

#include <cstdint>
#include <string>

namespace verscout {

// The four switches of the command line.
enum class StartMode { Refused, Standard, Silent, Pro, SilentPro };

// Steps 1 to 10 of the start: flags, settings object, folders. A refused
// command line, a missing "AktUpdDir" or a missing folder is told in a
// message box and answers false: the process ends at once. True when the
// update window is to be loaded (shown, or checked silently).
bool Main(const std::string& commandLine);

// Tells that another update assistant runs (on the error output in the
// silent modes) and brings the window of the process `pid` (0: not known)
// to the front.
void TellAlreadyRunning(int32_t pid);

// The command line as the assistant compares it: the program's arguments
// joined by single blanks.
std::string CommandLineOf(int argc, const char* const* argv);

// Step 11: in the silent modes the update window is loaded without being
// shown and its update check runs at once; otherwise it is shown modeless
// and made topmost. The process then lives as long as the window is
// loaded (the message loop of main).
void ShowUpdateWindow();

// Run once when the update window closes: clears the temporary folders,
// releases the settings and tools objects and, in client mode after a
// successful download, starts ProgramFolder & "/Quorvelle_Update.exe" with
// the one argument "Update0" & UpdateFolder.
void ExitAssistant();

}  // namespace verscout
