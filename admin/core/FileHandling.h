// The file and folder helpers of the administration program: existence
// tests, making a folder with its missing parents, deleting a folder with
// its contents, writing a text file in one piece, and the program's own
// files.
#pragma once

#include <string>

namespace qvadmin {

// Whether `path` names an existing folder (a trailing separator is
// allowed); false for "".
bool FolderExists(const std::string& path);
// Whether `path` names an existing file.
bool FileExists(const std::string& path);

// Makes the folder `path` with every missing parent; true when it exists
// afterwards.
bool MakePath(const std::string& path);

// Deletes the folder `path` with everything in it, silently; with
// `toRecycleBin` it is moved into the desktop's trash instead. True on
// success.
bool ShellDelete(const std::string& path, bool toRecycleBin);

// Writes `text` to the file `path` (created or overwritten) in the system's
// ANSI code page, in one piece: a failure leaves an existing file as it
// was. True on success.
bool WriteTextFile(const std::string& path, const std::string& text);

// The folder part of a path, up to and with its last separator ("/" or
// "\"); "" when there is none.
std::string FolderOfPath(const std::string& path);

// The file of one of the programs beside the administration program. The
// programs are named as on Windows ("Verscout.exe"); their files here carry
// no extension, so ".exe" (any case) is dropped from the name.
std::string ProgramFilePath(const std::string& windowsName);

}  // namespace qvadmin
