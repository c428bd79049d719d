// The editing part of an edit box and of a combo box: the text with its
// caret and selection (EditBuffer), how it shows (EditView), and what the
// user's keys and mouse do to it. The control passes its events on and
// repaints (raising Change) when the text changed.
#pragma once

#include <cstdint>

#include "com/StdFont.h"
#include "forms/controls/EditBuffer.h"
#include "forms/controls/EditView.h"

namespace forms {

class EditField {
 public:
  EditBuffer& Buffer() { return m_buffer; }
  const EditBuffer& Buffer() const { return m_buffer; }
  EditView& View() { return m_view; }
  bool Locked() const { return m_locked; }
  void SetLocked(bool locked) { m_locked = locked; }

  // The editing keys of a key-down: the arrows, Home and End (by word with
  // Ctrl, extending with Shift), Delete, Shift+Del, Ctrl+Ins, Shift+Ins.
  // Returns whether the key was one of them; `changed` whether the text
  // changed.
  bool KeyDown(uint32_t key, int16_t shift, bool& changed);
  // A key press: Ctrl+A, Ctrl+C, Ctrl+X, Ctrl+V, Backspace, or a character
  // (through TypedText, with the character the window received last).
  bool KeyPress(int16_t keyAscii, bool& changed);
  // The character of the window's WM_CHAR, before the form turns it into
  // a key code.
  void Typed(char32_t codePoint) { m_typed = codePoint; }

  // The mouse, x in pixels from the text's left edge: a press places the
  // caret (Shift: extends), a drag extends, a double click takes a word.
  void Press(int x, const com::StdFontPtr& font, bool extend);
  void Drag(int x, const com::StdFontPtr& font);
  void DoubleClick(int x, const com::StdFontPtr& font);
  // The focus arrives: by the keyboard everything is selected; a click
  // (TakingFocusByMouse) keeps the caret it places.
  void FocusArrives();
  void TakingFocusByMouse(bool byMouse) { m_mouseFocus = byMouse; }

 private:
  EditBuffer m_buffer;
  EditView m_view;
  bool m_locked = false;
  bool m_mouseFocus = false;
  char32_t m_typed = 0;
};

}  // namespace forms
