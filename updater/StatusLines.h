// Status lines cut to the width of the status list: the list shows one line
// per item and cuts what is wider, so a long line (a file path and a
// reason) is split into several items, each as wide as the list allows.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace verscout {

// The rows of `text` whose width, as `widthOf` measures it, is at most
// `width`: broken after the last blank that fits, else after the last "/"
// that fits (a long path), else after the last character that fits.
// Rows after the first begin with two blanks, so they read as the
// continuation of the line above. A text that fits is one row.
std::vector<std::string> SplitToWidth(const std::string& text, int width,
                                      const std::function<int(std::string_view)>& widthOf);

}  // namespace verscout
