// The one place through which the administration core shows its messages
// and switches the wait cursor, so that both can be pointed at the program's
// message helper in one step.
#pragma once

#include <cstdint>
#include <string>

namespace qvadmin {

// Standard message-box style codes and results used by the core.
inline constexpr int32_t vbOKOnly = 0;
inline constexpr int32_t vbCritical = 16;
inline constexpr int32_t vbExclamation = 48;
inline constexpr int32_t vbInformation = 64;
inline constexpr int32_t vbOK = 1;

// Shows a message box with `text`, the style code `style` and `title`;
// returns the standard result code.
int32_t ShowCoreMessage(const std::string& text, int32_t style, const std::string& title);

// Reports the current error (rt::Err()) of the procedure named `label`.
void ReportCoreError(const std::string& label);

// Switches the screen's mouse pointer to the hourglass (true) or back to the
// default pointer (false).
void SetCoreHourglass(bool on);

}  // namespace qvadmin
