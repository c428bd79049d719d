// A check of a laid-out page of the HTML view, for tests: walks the page's
// display list and reports what a reader would find wrong with it - text
// cut by its clip, text drawn over other text or over a picture, text in
// the colour of the fill (or page) under it, and words of the document
// that the page does not show.
#pragma once

#include <string>
#include <vector>

namespace kvctl2 {
class KVXHTML;
namespace html {
class PageDisplayList;
}
}  // namespace kvctl2

namespace kvctl2::testing {

// One line per fault found on the view's current page; empty when the
// page is sound. The view must have laid out its document.
std::vector<std::string> PageFaults(const KVXHTML& view);
// The same for a display list that is to show the given words.
std::vector<std::string> PageFaults(const html::PageDisplayList& list, const std::vector<std::string>& words);
// The words of the view's document that its page is to show, as drawn.
std::vector<std::string> DocumentWords(const KVXHTML& view);

}  // namespace kvctl2::testing
