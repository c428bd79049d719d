// How an edit buffer shows in a field: its text (or a password character
// for each character) scrolled sideways so the caret stays in sight, the
// selection in the highlight colours and the caret while the field has the
// focus; and which character position a pixel column falls on. The edit
// box and the combo box's edit part draw through it.
#pragma once

#include <string>
#include <vector>

#include "com/StdFont.h"
#include "forms/controls/EditBuffer.h"
#include "gdi/Types.h"

namespace forms {

class EditView {
 public:
  // After the text, the password character or the font changed.
  void Reset() { m_offsets.clear(); }
  // The password character shown for each character (empty: the text).
  void SetPasswordChar(std::string passwordChar);
  const std::string& PasswordChar() const { return m_passwordChar; }

  // Scrolls so the caret shows in a field `width` pixels wide.
  void ScrollToCaret(const EditBuffer& buffer, const com::StdFontPtr& font, int width);
  // The character position nearest to x, pixels from the field's text edge.
  size_t PositionAt(const EditBuffer& buffer, const com::StdFontPtr& font, int x);
  // Draws into `rect` (the text area); `focused` shows caret and selection.
  void Draw(gdi::HDC hdc, const gdi::RECT& rect, const EditBuffer& buffer, const com::StdFontPtr& font,
            uint32_t foreColor, bool enabled, bool focused);

 private:
  std::string Shown(const EditBuffer& buffer) const;
  const std::vector<int>& Offsets(const EditBuffer& buffer, const com::StdFontPtr& font);

  std::string m_passwordChar;
  int m_scroll = 0;
  std::vector<int> m_offsets;
};

}  // namespace forms
