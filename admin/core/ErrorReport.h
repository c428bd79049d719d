// The error reporter: error handlers pass a label naming their procedure;
// the current error (rt::Err()) becomes a user text (its description, or a
// fixed text for known database errors) and a maintenance report in the
// message's details, shown with the error icon through ShowMsgEx.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qvadmin {

// The texts of one report, as ErrorReport shows them.
struct ErrorReportText {
  std::string prompt;
  std::string details;
};

// Builds the report of error `number` with `description` and `line` (0:
// unknown) under `label`; `extra` starts the details, `code` is the
// caller's number (321 with a label ending in "rtf": an invalid file).
ErrorReportText MakeErrorReport(int32_t number, const std::string& description, int32_t line,
                                const std::string& label, const std::optional<std::string>& extra = std::nullopt,
                                std::optional<int32_t> code = std::nullopt);

// Reports the current error under `label`. While the shared connection is
// lost the report says so instead, once per action (ConnectionLoss.h).
void ErrorReport(const std::string& label, const std::optional<std::string>& extra = std::nullopt,
                 std::optional<int32_t> code = std::nullopt);

}  // namespace qvadmin
