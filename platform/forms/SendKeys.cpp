#include "forms/SendKeys.h"

#include <cctype>
#include <string>

#include "com/Control.h"
#include "forms/Constants.h"
#include "forms/Form.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace forms {

namespace {

int16_t KeyOfName(const std::string& name) {
  const std::string upper = rt::UCase(name);
  if (upper == "ENTER" || upper == "~") return vbKeyReturn;
  if (upper == "ESC" || upper == "ESCAPE") return vbKeyEscape;
  if (upper == "TAB") return vbKeyTab;
  if (upper == "BACKSPACE" || upper == "BS") return vbKeyBack;
  if (upper.size() >= 2 && upper[0] == 'F') {
    try {
      const int n = rt::Variant(upper.substr(1)).ToInteger();
      if (n >= 1 && n <= 12) return static_cast<int16_t>(vbKeyF1 + n - 1);
    } catch (const rt::Error&) {
    }
  }
  rt::Raise(rt::errInvalidProcedureCall, "SendKeys", "Unknown key name: {" + name + "}");
}

}  // namespace

void SendKeys(std::string_view keys) {
  for (size_t i = 0; i < keys.size(); ++i) {
    Form* form = Form::ActiveForm();
    if (!form) return;
    if (keys[i] == '{') {
      const size_t close = keys.find('}', i + 1);
      if (close == std::string_view::npos) rt::Raise(rt::errInvalidProcedureCall, "SendKeys");
      form->PressKey(KeyOfName(std::string(keys.substr(i + 1, close - i - 1))));
      i = close;
    } else if (keys[i] == '~') {
      form->PressKey(vbKeyReturn);
    } else {
      const unsigned char c = static_cast<unsigned char>(keys[i]);
      if (std::isalpha(c)) {
        form->PressKey(static_cast<int16_t>(std::toupper(c)), std::isupper(c) ? com::vbShiftMask : int16_t{0});
      } else {
        int16_t ascii = c;
        form->KeyPress(ascii);
      }
    }
  }
}

}  // namespace forms
