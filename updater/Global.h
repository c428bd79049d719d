// The update assistant's process-wide state and the routines every part of
// it calls: the language and mode flags, the temporary and update folders,
// the settings object and its read and write routines, the message
// routine, the hourglass, decoding of the coded texts and small file
// routines. Paths use the platform's "/" where the assistant was written
// with "\".
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Variant.h"
#include "services/cMyTools.h"
#include "services/cRegSettings.h"
#include "shell/InstanceLock.h"
#include "win/Hooks.h"

namespace verscout {

class UpdateWindow;

// True when the file ProgramFolder & "/res/zupdOK" exists.
inline bool IsEnglish = false;
// ProgramFolder & "/res/z" in English, else ProgramFolder & "/res/".
inline std::string PagePrefix;
inline bool IsSilent = false;
inline bool IsAdminMode = false;
// GetTempDir & "QVVerscout/", always with the closing separator.
inline std::string TempFolder;
// "AktUpdDir" without a closing separator.
inline std::string UpdateFolder;
// Set after a successful download and copy; arms the hand-over at exit.
inline bool UpdateLoaded = false;
inline std::shared_ptr<kvctl2::cRegSettings> Settings;
inline std::shared_ptr<kvctl2::cMyTools> Tools;
// Held from the start until the temporary folder is cleared at the end:
// every run shares that folder, so only one assistant runs at a time.
inline std::unique_ptr<shell::InstanceLock> RunLock;
// The thread mouse hook of the update window, installed while it is loaded.
inline win::OwnedHook MouseHook;
// The loaded update window, nullptr when none is.
inline UpdateWindow* Window = nullptr;

// The folder of the running program, without a closing separator.
std::string ProgramFolder();

// The English or the German text, after IsEnglish.
inline const char* Text(const char* english, const char* german) { return IsEnglish ? english : german; }
// The assistant's name, the title of its own questions and notes: its
// window's header without the header's closing blanks.
inline const char* AssistantTitle() { return Text("Online Update Assistant", "Automatisches Online-Update"); }

// Settings.GetSetting("", Key, Default); empty after a message box when the
// settings cannot be read.
rt::Variant ReadRegValue(const std::string& Key, const rt::Variant& Default);
// Settings.SetSetting("", Key, Value, IsNumberValue); False after a message
// box when the settings cannot be written (the box tells why, when the
// settings file says).
bool WriteRegValue(const std::string& Key, const rt::Variant& Value, bool IsNumberValue);
// Tells, in a plain message box (PlainMsgBox), what went wrong with the
// settings files since the last call: a damaged file (the settings before
// the damage were kept, where the damaged file was put), a file that cannot
// be used, settings that could not be saved; the same goes into the log
// (LinesForLog). Nothing when all went well. True when a settings file
// could not be read at all.
bool TellSettingsProblems();
// Lines for the run's log that arose where no log is at hand (before it
// began): the window's log writes them before its next line.
inline std::vector<std::string> LinesForLog;
// The day number of today (days since 30 December 1899), for the date values.
int32_t TodayDayNumber();

// The system's plain message box, shown in every mode. Without a display
// nobody can answer it: its title and text go to the standard error
// output (TellOnErrorOutput), and the run goes on as if the box's first
// button was chosen.
int32_t PlainMsgBox(const std::string& prompt, int32_t buttons, const std::string& title);
// Writes a message as one line on the standard error output:
// "Verscout: " & title & ": " & the text, its lines joined by blanks.
void TellOnErrorOutput(const std::string& title, const std::string& prompt);
// The text's lines joined by single blanks.
std::string OneLine(const std::string& text);
// A message through the window's message box control; nothing and 0 in the
// silent modes. The window leaves the topmost band first.
int32_t ShowMsgEx(const std::string& Prompt, int32_t Buttons, const std::string& Title);
// Hourglass (11) or default (0) mouse pointer; nothing in the silent modes.
void SetHourglass(bool bOn);

// The thread mouse hook procedure: a right-button release over the
// embedded browser's page window is swallowed, so the browser's context
// menu never opens; everything else goes on down the chain.
win::LRESULT HookProc(int code, win::WPARAM wParam, win::LPARAM lParam);
// The window class of the embedded browser's page window.
inline constexpr const char* kBrowserPageClass = "Internet Explorer_Server";

// Decodes "|"-separated decimal character codes (Windows-1252).
std::string DecodeCharCodes(const std::string& coded);
// Deletes every file in TempFolder, and the folder itself when bRemoveDir;
// only when TempFolder ends with "QVVerscout/". Errors are ignored.
void ClearTempFolder(bool bRemoveDir);
// The whole file as text (Windows-1252), "" when it cannot be opened.
std::string ReadTextFile(const std::string& path);
// True when `path` names a file whose name has at least two characters.
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// The leading number of a text, as the runtime's Val reads it: blanks
// skipped, digits with an optional sign and decimal point, 0 without one.
double Val(const std::string& text);

// Common-controls initialisation, once per process; the platform's
// common controls are always of the current version.
void InitXPStyles();
bool IsComCtl6Loaded();

}  // namespace verscout
