// Access keys: the letter after "&" in a caption ("&Login" is reached with
// Alt+L; "&&" is a literal ampersand). A control that answers Alt and a
// letter itself (a menu bar, a button, a tab page) implements
// AccessKeyTarget; the form offers the letter to its controls in TabIndex
// order (Form::PressAccessKey).
#pragma once

#include <string>
#include <string_view>

namespace forms {

// The access key of a caption, lower-cased; 0 when it has none.
char32_t AccessKeyOf(std::string_view caption);
// The caption as drawn without prefix: "&" removed, "&&" made "&".
std::string StripAccessKey(std::string_view caption);

class AccessKeyTarget {
 public:
  virtual ~AccessKeyTarget() = default;
  // Takes Alt+letter (`letter` lower-cased) when it is this control's access
  // key and returns true.
  virtual bool OnAccessKey(char32_t letter) = 0;
};

}  // namespace forms
