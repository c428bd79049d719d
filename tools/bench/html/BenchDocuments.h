// Generated documents for the HTML view benchmark: paragraphs with bold,
// italic and links, nested lists and nested tables, in the subset of HTML
// the view takes, cut at a block boundary to a given size.
#pragma once

#include <cstddef>
#include <string>

namespace qvbench {

// A document of at most `bytes` characters (and at least 95 % of them).
std::string GeneratedDocument(size_t bytes);

}  // namespace qvbench
