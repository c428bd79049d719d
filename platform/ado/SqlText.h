// Reading SQL text the way the server does, as far as the layer needs it:
// quoted strings, quoted names, dollar-quoted bodies and comments are
// skipped, so that statement ends and "?" placeholders are found only in
// the text around them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ado {

// One statement of a batch: [begin, end) in the batch text, the end
// including its ";" when there is one.
struct StatementSpan {
  size_t begin = 0;
  size_t end = 0;
};

// Cuts a batch into its statements at top-level ";".
std::vector<StatementSpan> SplitStatements(std::string_view sql);

// When the statement is "USE name" (name bare, in [brackets] or in "double
// quotes", leading comments and a final ";" allowed), the name.
std::optional<std::string> UseTarget(std::string_view statement);

// Replaces each top-level "?" by $1, $2, ... and counts them.
std::string NumberPlaceholders(std::string_view sql, size_t& count);

}  // namespace ado
