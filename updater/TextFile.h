// TextFile: a text file held in memory as numbered lines (from 1). Loads a
// file or fills a list box from one, gives and replaces single lines, saves
// them with CR LF, and searches them. Files are read and written in blocks
// of BlockSize bytes, one byte per character (Windows-1252). Failures are
// reported through ErrorNum and ErrorMsg, not raised.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "com/Dispatch.h"

namespace verscout {

class TextFile {
 public:
  // 0 counts as 32768, values above 65535 as 65535 (rewritten when used).
  int32_t BlockSize = 32768;
  int32_t ErrorNum = 0;
  std::string ErrorMsg;

  // Discards the lines and makes lLineCount empty ones.
  void CreateNew(int32_t lLineCount);
  // The column (from 1) of the last match, 0 for none; above 32767 raises
  // error 6 (overflow).
  int16_t FoundPos() const;
  void FoundPos(int16_t /*nDummy*/) {}
  // The line, "" outside 1..Lines.
  std::string Line(int32_t lIndex) const;
  // Stores szText without one closing LF and then one closing CR; an
  // index outside 1..Lines raises error 9 (subscript out of range).
  void Line(int32_t lIndex, const std::string& szText);
  int32_t Lines() const { return static_cast<int32_t>(m_lines.size()); }
  void Lines(int32_t /*lDummy*/) {}
  void Load(const std::string& szFileName);
  // Fills the list box (its Clear and AddItem, called by name) with the
  // file's lines; the stored lines stay.
  void LoadListBox(const std::string& szFileName, com::Dispatch& List1);
  void Save(const std::string& szFileName);
  // The first line (number) holding szText, 0 when none; nCase not 0 means
  // letter case counts.
  int32_t FindFirst(const std::string& szText, int16_t nCase);
  // The next line after the last match holding the text, 0 when none.
  int32_t FindNext();

  static constexpr int32_t kFileNotFound = static_cast<int32_t>(0x80040001u);
  static constexpr int32_t kNothingToSave = static_cast<int32_t>(0x80040002u);
  static constexpr int32_t kNoFileSpecified = static_cast<int32_t>(0x80040003u);
  static constexpr int32_t kWriteError = static_cast<int32_t>(0x80040004u);
  static constexpr int32_t kCannotCreate = static_cast<int32_t>(0x80040005u);

 private:
  void NormaliseBlockSize();
  // Reads the file's lines block by block and hands each to `add`; false
  // (with ErrorNum set) when the file is missing or empty.
  template <class Add>
  bool ReadLines(const std::string& fileName, Add add);
  int32_t SearchFrom(int32_t firstLine);

  std::vector<std::string> m_lines;
  int32_t m_currentLine = 0;
  int32_t m_foundPos = 0;
  std::string m_searchText;
  int16_t m_case = 0;
};

}  // namespace verscout
