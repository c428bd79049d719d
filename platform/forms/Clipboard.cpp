#include "forms/Clipboard.h"

#include "win/Clipboard.h"

namespace forms::Clipboard {

void Clear() { win::SetClipboardText(std::nullopt); }
void SetText(std::string_view text) { win::SetClipboardText(std::string(text)); }
std::string GetText() { return win::GetClipboardText().value_or(std::string()); }
bool HasText() { return win::GetClipboardText().has_value(); }

}  // namespace forms::Clipboard
