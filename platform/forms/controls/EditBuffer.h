// The text of an edit field and what a user does to it: a caret and a
// selection (an anchor and the caret; both are character positions, not
// bytes), typing that replaces the selection, deleting, moving the caret
// by character, by word and to either end (extending the selection with
// Shift), and cut, copy and paste through the clipboard. Text is UTF-8.
// A password field copies and cuts nothing. MaxLength (characters, 0 = no
// limit) cuts what is typed or pasted, not what code assigns.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace forms {

class EditBuffer {
 public:
  const std::string& Text() const { return m_text; }
  // Replaces the text; the caret goes to its end and nothing is selected.
  void SetText(std::string text);
  size_t Length() const { return m_length; }

  size_t Caret() const { return m_caret; }
  size_t SelStart() const { return m_caret < m_anchor ? m_caret : m_anchor; }
  size_t SelLength() const { return m_caret < m_anchor ? m_anchor - m_caret : m_caret - m_anchor; }
  std::string SelText() const;
  // Selects from `start` for `length` characters (both cut to the text);
  // the caret ends at the end of the selection.
  void Select(size_t start, size_t length);
  void SelectAll() { Select(0, m_length); }
  // Moves the caret to `position`; with `extend` the anchor stays.
  void MoveCaret(size_t position, bool extend);
  // Replaces the selection by `text` (cut to MaxLength) and puts the caret
  // after it. Returns whether the text changed.
  bool ReplaceSelection(std::string_view text);

  // The user's editing keys. Each returns whether the text changed.
  bool Backspace();
  bool Delete();
  void MoveLeft(bool byWord, bool extend);
  void MoveRight(bool byWord, bool extend);
  void MoveHome(bool extend) { MoveCaret(0, extend); }
  void MoveEnd(bool extend) { MoveCaret(m_length, extend); }
  // The word around a character position (what a double click selects).
  void SelectWordAt(size_t position);

  bool Cut();
  void Copy() const;
  bool Paste();

  size_t MaxLength() const { return m_maxLength; }
  void SetMaxLength(size_t max) { m_maxLength = max; }
  bool Password() const { return m_password; }
  void SetPassword(bool password) { m_password = password; }

  // The byte offset of a character position.
  size_t ByteOffset(size_t position) const;

 private:
  bool IsWordChar(size_t position) const;
  std::string m_text;
  size_t m_length = 0;
  size_t m_caret = 0;
  size_t m_anchor = 0;
  size_t m_maxLength = 0;
  bool m_password = false;
};

// The text a typed key adds: key events carry an ANSI code (KeyAscii), a
// character the code page lacks arriving as "?"; `codePoint` is what the
// window's WM_CHAR carried (0: unknown), typed as it is unless a handler
// put another key in its place.
std::string TypedText(int16_t keyAscii, char32_t codePoint);

}  // namespace forms
