// Small text helpers of the program's global module.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qvadmin {

// What GetToken returns when the text has fewer fields than asked for.
inline constexpr const char* kPipeEnd = "<PipeEnd>";

// True when v is -1 (the runtime's True).
bool IsTrueValue(int32_t v);

// The text before the first character with code 0; `s` unchanged without one.
std::string CutAtNull(std::string_view s);

// `s` with every single quote doubled, for use inside an SQL string literal.
std::string SqlQuote(std::string_view s);

// Field n (counted from 1) of `s` cut at `delimiter`, or "<PipeEnd>" when
// `s` holds fewer than n fields. The last field needs no trailing
// delimiter; an empty field between two delimiters is "".
std::string GetToken(std::string_view s, uint8_t n, std::string_view delimiter);

// The text of a message's HTML detail report as plain text: each line
// break tag ("<br>", "<br/>", "<br />", any case) becomes CR LF, every other
// tag is left out, and the entities "&lt;", "&gt;", "&quot;", "&nbsp;" and
// "&amp;" become their characters. Line breaks of the text itself stay; a
// "<" that opens no tag is kept.
std::string HtmlToPlainText(std::string_view html);

}  // namespace qvadmin
