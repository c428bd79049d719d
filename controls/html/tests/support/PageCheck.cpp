#include "PageCheck.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "gdi/SysColors.h"
#include "html/KVXHTML.h"
#include "html/PageDisplayList.h"

namespace kvctl2::testing {

namespace {

namespace et = htmlElementType;
using Item = html::PageDisplayList::Item;
using Kind = html::PageDisplayList::Kind;

// Neighbouring words on a line may share the pixel where one rounded
// position meets the next.
constexpr int64_t kSharedPixels = 1;

std::string Where(const Item& item) {
  std::ostringstream out;
  out << "'" << item.Text << "' at " << item.Box.Left << "," << item.Box.Top;
  return out.str();
}

bool Overlap(const html::PageBox& a, const html::PageBox& b) {
  const int64_t across = std::min(a.Right, b.Right) - std::max(a.Left, b.Left);
  const int64_t down = std::min(a.Bottom, b.Bottom) - std::max(a.Top, b.Top);
  return across > kSharedPixels && down > 0;
}

}  // namespace

// Text after BODY, outside SCRIPT and STYLE, a non-breaking blank as a blank.
std::vector<std::string> DocumentWords(const KVXHTML& view) {
  std::vector<std::string> words;
  bool body = false, hidden = false;
  for (int i = 0; i < view.ElementCount(); ++i) {
    const HTMLElement& e = view.Element(i);
    if (e.IsTag) {
      body = body || e.ElementType == et::Body;
      if (e.ElementType == et::Script || e.ElementType == et::Style) hidden = true;
      if (e.ElementType == et::Script + 1 || e.ElementType == et::Style + 1) hidden = false;
      continue;
    }
    if (!body || hidden) continue;
    for (std::string word : e.Words) {
      for (size_t at = word.find("&nbsp;"); at != std::string::npos; at = word.find("&nbsp;", at + 1))
        word.replace(at, 6, " ");
      if (word.find_first_not_of(' ') != std::string::npos) words.push_back(word);
    }
  }
  return words;
}

std::vector<std::string> PageFaults(const KVXHTML& view) {
  const html::PageDisplayList* list = view.Page().DisplayList();
  return list ? PageFaults(*list, DocumentWords(view)) : std::vector<std::string>{};
}

std::vector<std::string> PageFaults(const html::PageDisplayList& list, const std::vector<std::string>& words) {
  std::vector<std::string> faults;
  const std::vector<Item> items = list.Items();
  std::vector<const Item*> texts, pictures, fills;
  for (const Item& item : items) {
    if (item.What == Kind::Text && item.Text.find_first_not_of(' ') != std::string_view::npos) texts.push_back(&item);
    if (item.What == Kind::Picture) pictures.push_back(&item);
    if (item.What == Kind::Fill) fills.push_back(&item);
  }

  for (const Item* t : texts) {
    if (t->Box.Left < t->ClipLeft || t->Box.Right > t->ClipRight) faults.push_back("cut by its clip: " + Where(*t));
  }

  // Text over text: sorted by top, each against those that start above its bottom.
  std::vector<const Item*> byTop = texts;
  std::sort(byTop.begin(), byTop.end(), [](const Item* a, const Item* b) { return a->Box.Top < b->Box.Top; });
  for (size_t i = 0; i < byTop.size(); ++i) {
    for (size_t j = i + 1; j < byTop.size() && byTop[j]->Box.Top < byTop[i]->Box.Bottom; ++j) {
      if (Overlap(byTop[i]->Box, byTop[j]->Box))
        faults.push_back("text over text: " + Where(*byTop[i]) + " and " + Where(*byTop[j]));
    }
  }
  for (const Item* t : texts) {
    for (const Item* p : pictures) {
      if (Overlap(t->Box, p->Box)) faults.push_back("text over a picture: " + Where(*t));
    }
  }

  // The colour under a text: the last fill that holds its middle, else the
  // page's colour (unless a gradient or picture lies under the page).
  const html::PageBackground& page = list.Background;
  const bool plainPage = !page.Gradient && !page.Picture && !page.Tiles;
  for (const Item* t : texts) {
    const int64_t x = (t->Box.Left + t->Box.Right) / 2, y = (t->Box.Top + t->Box.Bottom) / 2;
    const Item* under = nullptr;
    for (const Item* f : fills) {
      if (f->Box.Left <= x && x < f->Box.Right && f->Box.Top <= y && y < f->Box.Bottom) under = f;
    }
    if (!under && !plainPage) continue;
    const uint32_t ground = under ? under->Color : page.Color;
    if (gdi::OleTranslateColor(ground) == gdi::OleTranslateColor(t->Color))
      faults.push_back("text in the colour under it: " + Where(*t));
  }

  // Every word of the document is held by a text of the page.
  std::map<std::string, int> missing;
  for (const std::string& word : words) ++missing[word];
  for (const Item* t : texts) {
    const auto found = missing.find(std::string(t->Text));
    if (found != missing.end() && --found->second == 0) missing.erase(found);
  }
  for (const auto& [word, count] : missing)
    faults.push_back("word not shown: '" + word + "'" + (count > 1 ? " x" + std::to_string(count) : ""));
  return faults;
}

}  // namespace kvctl2::testing
