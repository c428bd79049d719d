// The small dialog that asks for the name of a new folder: a text field
// with OK and Cancel.
#pragma once

#include <string>

#include "forms/Form.h"

namespace forms {

class NewFolderPrompt : public Form {
 public:
  NewFolderPrompt();
  // The name entered when OK was pressed; empty after Cancel.
  const std::string& Result() const { return m_result; }
  void Answer(const std::string& name);

 private:
  std::string m_result;
};

// Asks for a folder name; "" when cancelled.
std::string AskNewFolderName(Form* owner);

}  // namespace forms
