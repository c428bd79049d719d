// The plain message box as a dialog, for a program with a display: the
// style's icon at the top left, the prompt beside it (wrapped at a maximum
// width, its line breaks kept) in the system's message font, and the
// style's buttons centred below, the chosen default button focused. The
// box is as wide as its text, its buttons and its title need, and is
// centred on the active form, else on the screen. The buttons' captions
// are the desktop's language (German or English) with their access keys,
// which answer the box with or without Alt. Enter presses the focused
// button; Escape and the close box give the escape result
// (MsgBoxEscapeResult), and a box without one offers no close box. A
// system-modal box stays above other windows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Label.h"

namespace forms {

class MsgBoxWindow : public Form {
 public:
  MsgBoxWindow(std::string prompt, int32_t buttons, std::string title);

  // The result of the button chosen; until then (and when the box ends
  // otherwise) the escape result.
  int32_t Result() const { return m_result; }
  // The results of the buttons, left to right, and the button of one.
  const std::vector<int32_t>& Results() const { return m_results; }
  std::shared_ptr<CommandButton> Button(int32_t result) const;
  std::shared_ptr<Label> Prompt() const { return Get<Label>("lblPrompt"); }

 protected:
  void Form_Load() override;
  void Form_KeyPress(int16_t& keyAscii) override;
  void Form_QueryUnload(int16_t& cancel, int16_t unloadMode) override;

 private:
  void AddButtons();
  void Arrange();
  void PlaceOnScreen();
  void Answer(int32_t result);

  std::string m_prompt;
  int32_t m_buttons;
  std::vector<int32_t> m_results;
  int32_t m_result;
};

// The system's message font (the text of message boxes).
com::StdFontPtr MessageFont();
// The caption of a message box button (vbOK .. vbNo) in the desktop's
// language, with its access key.
std::string MsgBoxButtonCaption(int32_t result);

// Shows the box modally and returns its Result.
int32_t ShowMsgBoxWindow(const std::string& prompt, int32_t buttons, const std::string& title);

}  // namespace forms
