// The save-file dialog: the folder to save in (with the folders above it
// to go back to, and "Up One Level"), the folder's sub-folders and the
// files that match the chosen file type, the file name and the file type.
// A double click (or Enter on a folder's name) opens a folder; Save takes
// the file name in the folder shown, adds the default extension when the
// name has none, and asks before it replaces a file. GetSaveFileNameA
// shows it modally; FALSE when the user cancelled.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/Form.h"

namespace forms {

inline constexpr uint32_t OFN_OVERWRITEPROMPT = 0x00000002;

struct OPENFILENAME {
  Form* owner = nullptr;
  // File types: "description|pattern|description|pattern...", or patterns
  // alone ("*.cfg"); a pattern may hold several separated by ";".
  std::string lpstrFilter;
  int32_t nFilterIndex = 1;  // 1-based; the type chosen on return
  std::string lpstrFile;     // the proposed name in, the chosen path out
  std::string lpstrInitialDir;
  std::string lpstrTitle;    // "Save As" when empty
  std::string lpstrDefExt;   // without the dot
  uint32_t Flags = OFN_OVERWRITEPROMPT;
};

win::BOOL GetSaveFileNameA(OPENFILENAME& ofn);

class SaveFileDialog : public Form {
 public:
  explicit SaveFileDialog(OPENFILENAME& ofn);

  bool Saved() const { return m_saved; }
  const std::string& Folder() const { return m_folder; }
  void OpenFolder(const std::string& folder);
  // The names listed now: folders first (ending in "/"), then the files.
  std::vector<std::string> ListedNames() const;
  void SetFileName(const std::string& name);
  void SetFileType(int32_t index);
  // As the buttons do.
  void PressSave();
  void PressCancel();

 protected:
  void Form_Load() override;

 private:
  struct FileType {
    std::string description;
    std::vector<std::string> patterns;
  };
  void Refill();
  void ListClicked(bool open);

  OPENFILENAME& m_ofn;
  std::vector<FileType> m_types;
  std::string m_folder;
  bool m_saved = false;
};

}  // namespace forms
