#include "TextFile.h"

#include <fstream>

#include "Global.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace verscout {

namespace {

constexpr int32_t errSubscriptOutOfRange = 9;
constexpr int32_t errOverflow = 6;

}  // namespace

void TextFile::NormaliseBlockSize() {
  if (BlockSize == 0) BlockSize = 32768;
  if (BlockSize > 65535) BlockSize = 65535;
}

void TextFile::CreateNew(int32_t lLineCount) {
  ErrorNum = 0;
  ErrorMsg.clear();
  if (lLineCount < 1) {
    ErrorNum = kCannotCreate;
    ErrorMsg = rt::ErrorText(errSubscriptOutOfRange);
    return;
  }
  m_lines.assign(static_cast<size_t>(lLineCount), std::string());
}

int16_t TextFile::FoundPos() const {
  if (m_foundPos > 32767) rt::Raise(errOverflow);
  return static_cast<int16_t>(m_foundPos);
}

std::string TextFile::Line(int32_t lIndex) const {
  if (lIndex < 1 || lIndex > Lines()) return {};
  return m_lines[static_cast<size_t>(lIndex - 1)];
}

void TextFile::Line(int32_t lIndex, const std::string& szText) {
  if (lIndex < 1 || lIndex > Lines()) rt::Raise(errSubscriptOutOfRange);
  std::string text = szText;
  if (!text.empty() && text.back() == '\n') text.pop_back();
  if (!text.empty() && text.back() == '\r') text.pop_back();
  m_lines[static_cast<size_t>(lIndex - 1)] = std::move(text);
}

template <class Add>
bool TextFile::ReadLines(const std::string& fileName, Add add) {
  ErrorNum = 0;
  ErrorMsg.clear();
  std::ifstream in(fileName, std::ios::binary | std::ios::ate);
  const std::streamoff length = in ? static_cast<std::streamoff>(in.tellg()) : 0;
  if (length <= 0) {
    ErrorNum = kFileNotFound;
    ErrorMsg = Text("File not found!", "Datei nicht gefunden!");
    return false;
  }
  in.seekg(0);
  NormaliseBlockSize();
  std::string pending;
  std::string block(static_cast<size_t>(BlockSize), '\0');
  std::streamoff left = length;
  while (left > 0) {
    const std::streamoff size = std::min<std::streamoff>(left, BlockSize);
    in.read(block.data(), size);
    pending.append(block, 0, static_cast<size_t>(size));
    left -= size;
    // A line ends at CR LF, a lone CR or a lone LF, whichever comes first;
    // a CR at the end of a block may still pair with an LF in the next one.
    size_t start = 0;
    while (true) {
      const size_t end = pending.find_first_of("\r\n", start);
      if (end == std::string::npos) break;
      if (pending[end] == '\r' && end + 1 == pending.size() && left > 0) break;
      add(rt::FromAnsi(std::string_view(pending).substr(start, end - start)));
      start = end + 1;
      if (pending[end] == '\r' && start < pending.size() && pending[start] == '\n') ++start;
    }
    pending.erase(0, start);
  }
  if (!pending.empty()) add(rt::FromAnsi(pending));
  return true;
}

void TextFile::Load(const std::string& szFileName) {
  std::vector<std::string> lines;
  if (ReadLines(szFileName, [&](std::string line) { lines.push_back(std::move(line)); })) m_lines = std::move(lines);
}

void TextFile::LoadListBox(const std::string& szFileName, com::Dispatch& List1) {
  bool cleared = false;
  ReadLines(szFileName, [&](std::string line) {
    if (!cleared) {
      List1.Call("Clear");
      cleared = true;
    }
    List1.Call("AddItem", {rt::Variant(std::move(line))});
  });
}

void TextFile::Save(const std::string& szFileName) {
  if (m_lines.empty()) {
    ErrorNum = kNothingToSave;
    ErrorMsg = "Save: There is nothing to save";
    return;
  }
  if (szFileName.empty()) {
    ErrorNum = kNoFileSpecified;
    ErrorMsg = "Save: No File Specified";
    return;
  }
  ErrorNum = 0;
  ErrorMsg.clear();
  std::ofstream out(szFileName, std::ios::binary | std::ios::trunc);
  if (!out) {
    ErrorNum = kWriteError;
    ErrorMsg = "Save: Write Error " + szFileName;
    return;
  }
  NormaliseBlockSize();
  std::string buffer;
  for (const std::string& line : m_lines) {
    buffer += rt::ToAnsi(line) + "\r\n";
    if (buffer.size() >= static_cast<size_t>(BlockSize)) {
      out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      buffer.clear();
    }
  }
  out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
}

int32_t TextFile::SearchFrom(int32_t firstLine) {
  for (int32_t n = std::max(firstLine, 1); n <= Lines(); ++n) {
    const std::string& line = m_lines[static_cast<size_t>(n - 1)];
    const size_t at = rt::InStr(m_case != 0 ? line : rt::UCase(line), m_searchText);
    if (at > 0) {
      m_currentLine = n;
      m_foundPos = static_cast<int32_t>(at);
      return n;
    }
  }
  m_foundPos = 0;
  return 0;
}

int32_t TextFile::FindFirst(const std::string& szText, int16_t nCase) {
  m_foundPos = 0;
  m_case = nCase;
  m_searchText = nCase != 0 ? szText : rt::UCase(szText);
  return SearchFrom(1);
}

int32_t TextFile::FindNext() { return SearchFrom(m_currentLine + 1); }

}  // namespace verscout
