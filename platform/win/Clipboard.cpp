#include "win/Clipboard.h"

#include "win/DisplayBackend.h"

namespace win {

void SetClipboardText(std::optional<std::string> text) { Display().SetClipboardText(std::move(text)); }

std::optional<std::string> GetClipboardText() { return Display().ClipboardText(); }

}  // namespace win
