#include "forms/controls/EditBuffer.h"

#include <algorithm>
#include <cctype>

#include "forms/Clipboard.h"
#include "forms/FormDisplay.h"
#include "runtime/Strings.h"

namespace forms {

namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The first line of pasted text: an edit field holds one line.
std::string_view FirstLine(std::string_view text) {
  const size_t end = text.find_first_of("\r\n");
  return end == std::string_view::npos ? text : text.substr(0, end);
}

}  // namespace

std::string TypedText(int16_t keyAscii, char32_t codePoint) {
  if (codePoint != 0 && AnsiKeyCode(codePoint) == keyAscii) return rt::ChrW(codePoint);
  const auto code = static_cast<uint16_t>(keyAscii);
  return code < 256 ? rt::Chr(static_cast<uint8_t>(code)) : rt::ChrW(code);
}

size_t EditBuffer::ByteOffset(size_t position) const {
  size_t chars = 0;
  for (size_t i = 0; i < m_text.size(); ++i) {
    if (IsContinuation(m_text[i])) continue;
    if (chars == position) return i;
    ++chars;
  }
  return m_text.size();
}

void EditBuffer::SetText(std::string text) {
  m_text = std::move(text);
  m_length = rt::Len(m_text);
  m_caret = m_anchor = m_length;
}

std::string EditBuffer::SelText() const {
  const size_t from = ByteOffset(SelStart());
  return m_text.substr(from, ByteOffset(SelStart() + SelLength()) - from);
}

void EditBuffer::Select(size_t start, size_t length) {
  m_anchor = std::min(start, m_length);
  m_caret = std::min(m_anchor + std::min(length, m_length), m_length);
}

void EditBuffer::MoveCaret(size_t position, bool extend) {
  m_caret = std::min(position, m_length);
  if (!extend) m_anchor = m_caret;
}

bool EditBuffer::ReplaceSelection(std::string_view text) {
  const size_t start = SelStart();
  const size_t removed = SelLength();
  std::string insert(text);
  if (m_maxLength > 0) {
    const size_t room = m_maxLength > m_length - removed ? m_maxLength - (m_length - removed) : 0;
    if (rt::Len(insert) > room) {
      // Cut at a character boundary.
      size_t chars = 0;
      size_t i = 0;
      for (; i < insert.size(); ++i) {
        if (IsContinuation(insert[i])) continue;
        if (chars == room) break;
        ++chars;
      }
      insert.resize(i);
    }
  }
  if (removed == 0 && insert.empty()) return false;
  const size_t from = ByteOffset(start);
  m_text.replace(from, ByteOffset(start + removed) - from, insert);
  m_length = rt::Len(m_text);
  m_caret = m_anchor = start + rt::Len(insert);
  return true;
}

bool EditBuffer::Backspace() {
  if (SelLength() == 0) {
    if (m_caret == 0) return false;
    m_anchor = m_caret - 1;
  }
  return ReplaceSelection({});
}

bool EditBuffer::Delete() {
  if (SelLength() == 0) {
    if (m_caret >= m_length) return false;
    m_anchor = m_caret + 1;
  }
  return ReplaceSelection({});
}

bool EditBuffer::IsWordChar(size_t position) const {
  const size_t at = ByteOffset(position);
  if (at >= m_text.size()) return false;
  const auto c = static_cast<unsigned char>(m_text[at]);
  return c >= 0x80 || std::isalnum(c) || c == '_';
}

void EditBuffer::MoveLeft(bool byWord, bool extend) {
  if (!extend && SelLength() > 0 && !byWord) {
    MoveCaret(SelStart(), false);
    return;
  }
  size_t p = m_caret;
  if (p > 0) --p;
  if (byWord) {
    while (p > 0 && !IsWordChar(p)) --p;
    while (p > 0 && IsWordChar(p - 1)) --p;
  }
  MoveCaret(p, extend);
}

void EditBuffer::MoveRight(bool byWord, bool extend) {
  if (!extend && SelLength() > 0 && !byWord) {
    MoveCaret(SelStart() + SelLength(), false);
    return;
  }
  size_t p = std::min(m_caret + 1, m_length);
  if (byWord) {
    while (p < m_length && IsWordChar(p)) ++p;
    while (p < m_length && !IsWordChar(p)) ++p;
  }
  MoveCaret(p, extend);
}

void EditBuffer::SelectWordAt(size_t position) {
  size_t start = std::min(position, m_length);
  size_t end = start;
  if (IsWordChar(start) || (start > 0 && IsWordChar(start - 1))) {
    while (start > 0 && IsWordChar(start - 1)) --start;
    while (end < m_length && IsWordChar(end)) ++end;
  } else if (end < m_length) {
    ++end;
  }
  Select(start, end - start);
}

bool EditBuffer::Cut() {
  if (m_password || SelLength() == 0) return false;
  Copy();
  return ReplaceSelection({});
}

void EditBuffer::Copy() const {
  if (m_password || SelLength() == 0) return;
  Clipboard::SetText(SelText());
}

bool EditBuffer::Paste() {
  if (!Clipboard::HasText()) return false;
  return ReplaceSelection(FirstLine(Clipboard::GetText()));
}

}  // namespace forms
