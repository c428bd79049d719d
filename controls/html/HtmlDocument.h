// The HTML view's document: the element array that a Text assignment
// builds from the normalised source (tokenized, classified with typed
// attributes, completed with the closing tags that paragraphs, rows and
// cells lack, with the list of links and the tree over the array), and
// the page colour and background picture source that its tags give.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "html/HTMLElement.h"

namespace kvctl2::html {

// The control's property values that classification reads. TEXT
// attributes change DefaultTextColor.
struct ParseSettings {
  std::string DefaultFontName = "Arial";
  float DefaultFontSize = 10;
  uint32_t DefaultTextColor = 0;
  uint32_t BackColor = 0;
  bool EnableAnchors = false;
};

struct Document {
  std::vector<HTMLElement> Elements;
  std::vector<int16_t> Anchors;    // indexes of the A elements, with EnableAnchors only
  int16_t BodyIndex = 0;           // the last BODY or NOFRAMES; 0 when there is none
  uint32_t PageColor = 0;          // BackColor, or BGCOLOR of BODY
  bool PageColorFromBody = false;  // BODY gave BGCOLOR: a new BackColor leaves the page colour
  std::string BackgroundSource;    // BACKGROUND of the last tag that has one
  uint32_t Generation = 0;         // counts the parses: a render pass stops when it changes under it

  int Count() const { return static_cast<int>(Elements.size()); }
  // Builds the tree over the elements anew.
  void BuildTree();
  // FindAncestorOfType over the tree, each type worked out once for all
  // elements: the render pass asks for every paragraph and cell end.
  int FindAncestor(int index, int32_t type) const;

 private:
  mutable std::map<int32_t, std::vector<int16_t>> m_ancestors;  // by type: each element's nearest, -1 for none
};

// Builds the document from the normalised source: tokenize, classify,
// close open elements, collect the links, build the tree. Never fails:
// each stage stops at its first failure and keeps what it built.
void ParseDocument(std::string_view text, ParseSettings& settings, Document& doc);

// Sets the element's type from its tag name, the defaults of its type and
// the typed values of its attributes; a text run gets its words. A failing
// attribute ends the element's classification (what was set stays).
void ClassifyElement(HTMLElement& e, ParseSettings& settings, Document& doc);
// The colour of a BGCOLOR, COLOR or TEXT value: "#RRGGBB" hexadecimal
// (as 0x00BBGGRR), else one of sixteen names, else black. Raises for a
// hexadecimal value of fewer than three digits.
uint32_t ColorValue(std::string_view value);
uint32_t ColorFromName(std::string_view name);

// Inserts the closing tags that open paragraphs, rows and cells lack.
// Stops without error where the element count would pass its limit.
void CloseOpenElements(std::vector<HTMLElement>& elements);
// Rebuilds the tree over the array: element 0 is the root; a closer ends
// the innermost open container of its kind (and those inside it), within
// its table cell; a closer that matches none is an ordinary child.
void BuildHierarchy(std::vector<HTMLElement>& elements);

// Whether the element is a closing tag that ends the open element of its
// kind in the tree.
bool IsMatchedCloser(const std::vector<HTMLElement>& elements, int index);
// Makes every closing tag that matches no open element an ordinary tag
// that changes nothing (a closing P stays: it is an empty paragraph).
// Needs the tree.
void IgnoreUnmatchedClosers(std::vector<HTMLElement>& elements);

// Tree navigation by index; -1 when there is none.
int GetParentElement(const std::vector<HTMLElement>& elements, int index);
int FindAncestorOfType(const std::vector<HTMLElement>& elements, int index, int32_t type);
int GetFirstChildElement(const std::vector<HTMLElement>& elements, int index);
int GetNextSiblingElement(const std::vector<HTMLElement>& elements, int index);

}  // namespace kvctl2::html
