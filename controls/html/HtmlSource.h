// Source-level steps of the HTML view's parser: completing the source with
// its HTML and BODY wrappers, normalising named entities and blanks,
// cutting it into tags and text runs, tag names and attributes, and the
// decoding of numeric character references.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "html/HTMLElement.h"

namespace kvctl2::html {

// Adds "<BODY>...</BODY>" when the source has no "<BODY" and
// "<HTML>...</HTML>" when it has no "<HTML>" (both without regard to case).
std::string WrapSource(std::string_view source);
// Named entities to their numeric forms (or the umlaut letters), TAB to a
// blank, pairs of blanks to one (three rounds). Case-sensitive.
std::string NormaliseSource(std::string_view source);
// The tags and text runs of the source in order; runs of blanks only are
// not kept. Stops at a comment without end.
std::vector<HTMLElement> TokenizeText(std::string_view text);
// Upper-case tag name: "<br />" gives "BR", "<BR/>" gives "BR/".
std::string TagName(std::string_view tag);
// The element type code of a tag name (1 for any unknown tag).
int32_t ElementTypeOfName(std::string_view name);
// Attribute names (upper case) and values of a tag.
void ExtractTagAttributes(std::string_view tag, std::vector<std::string>& names, std::vector<std::string>& values);
// Numeric references "&#n;" to characters (up to 255 of the code page, up
// to 999 the Unicode character n, larger ones dropped); CR LF, LF and TAB
// to blanks.
std::string DecodeText(std::string_view text);
// The text without its HTML and BODY tags and with "<BR>" as CR LF (any case).
std::string RawTextOf(std::string_view text);

}  // namespace kvctl2::html
