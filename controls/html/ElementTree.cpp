// Completing and linking the element array: the closing tags that open
// paragraphs, rows and cells lack, and the parent/child tree over it.
#include <array>
#include <cstddef>
#include <map>
#include <vector>

#include "html/HtmlDocument.h"

namespace kvctl2::html {

namespace {

namespace et = htmlElementType;

constexpr size_t kMaxElements = 32767;

bool IsContainer(int32_t type) {
  switch (type) {
    case et::Head:
    case et::Title:
    case et::Body:
    case et::Strong:
    case et::Em:
    case et::U:
    case et::P:
    case et::Div:
    case et::Ul:
    case et::Ol:
    case et::Table:
    case et::Tr:
    case et::Td:
    case et::Font:
    case et::A:
    case et::BlockQuote:
    case et::Heading:
    case et::Big:
    case et::Small:
    case et::Center:
      return true;
    default:
      return false;
  }
}

// The closers are exactly the closing tags of the containers.
bool IsCloser(int32_t type) { return IsContainer(type - 1); }

// The element types are below this.
constexpr size_t kTypeCount = 64;

// The closing tags of the font changes that flow inline.
bool IsInlineCloser(int32_t type) {
  switch (type - 1) {
    case et::Strong:
    case et::Em:
    case et::U:
    case et::Font:
    case et::A:
    case et::Big:
    case et::Small:
      return true;
    default:
      return false;
  }
}

// The open list (index into `open`, 0 for none) that a closer ends: the
// innermost open container of its kind. A closer does not reach out of a
// table cell or table, nor a cell or row closer out of its table; the
// closing BODY ends everything.
template <typename OpenList>
size_t MatchingOpenList(const std::vector<HTMLElement>& elements, const std::vector<OpenList>& open, int32_t closer,
                        const std::array<int, kTypeCount>& openOfType) {
  const int32_t opener = closer - 1;
  if (openOfType[static_cast<size_t>(opener)] == 0) return 0;  // none of its kind is open
  const bool tablePart = opener == et::Table || opener == et::Tr || opener == et::Td;
  for (size_t k = open.size() - 1; k > 0; --k) {
    const int32_t type = elements[open[k].parent].ElementType;
    if (type == opener) return k;
    if (opener == et::Body) continue;
    if (type == et::Table && opener != et::Table) return 0;
    if (type == et::Td && !tablePart) return 0;
  }
  return 0;
}

// The array as a linked list while closing tags are inserted, so that an
// insertion costs no moves; the passes walk it exactly as they would walk
// the array, with the inserted elements in place.
class ElementList {
 public:
  explicit ElementList(std::vector<HTMLElement>& elements) : m_pool(elements) {
    const size_t n = m_pool.size();
    m_next.resize(n);
    m_element.resize(n);
    for (size_t i = 0; i < n; ++i) {
      m_next[i] = i + 1 < n ? static_cast<int>(i + 1) : -1;
      m_element[i] = static_cast<int>(i);
    }
    m_first = n > 0 ? 0 : -1;
  }

  int First() const { return m_first; }
  int Next(int node) const { return node < 0 ? -1 : m_next[static_cast<size_t>(node)]; }
  int Type(int node) const { return m_pool[static_cast<size_t>(m_element[static_cast<size_t>(node)])].ElementType; }

  // Puts a closing tag in front of `node`: a copy of the element there with
  // the closing type and text (an opening tag: a new element of its own).
  // False when the array is full.
  bool InsertBefore(int node, int32_t type, const char* raw, bool copy = true) {
    if (m_pool.size() >= kMaxElements) return false;
    HTMLElement closer = copy ? m_pool[static_cast<size_t>(m_element[static_cast<size_t>(node)])] : HTMLElement{};
    closer.ElementType = type;
    closer.Raw = raw;
    closer.IsTag = true;
    m_pool.push_back(std::move(closer));
    // The new node takes the old node's place: the old element moves on.
    const int moved = static_cast<int>(m_next.size());
    m_next.push_back(m_next[static_cast<size_t>(node)]);
    m_element.push_back(m_element[static_cast<size_t>(node)]);
    m_next[static_cast<size_t>(node)] = moved;
    m_element[static_cast<size_t>(node)] = static_cast<int>(m_pool.size() - 1);
    return true;
  }

  // The elements in list order, re-indexed.
  std::vector<HTMLElement> Collect() {
    std::vector<HTMLElement> out;
    out.reserve(m_pool.size());
    for (int node = m_first; node >= 0; node = Next(node)) {
      out.push_back(std::move(m_pool[static_cast<size_t>(m_element[static_cast<size_t>(node)])]));
      out.back().Index = static_cast<int16_t>(out.size() - 1);
    }
    return out;
  }

 private:
  std::vector<HTMLElement>& m_pool;
  std::vector<int> m_next;
  std::vector<int> m_element;
  int m_first = -1;
};

// Pass 1: a P is open when another P, a TABLE or a closing TD follows
// before its closing P. After a closing P the element right after it is
// passed over.
bool CloseParagraphs(ElementList& list) {
  int i = list.First();
  while (i >= 0) {
    if (list.Type(i) != et::P) {
      i = list.Next(i);
      continue;
    }
    int next = list.Next(i);
    for (int j = list.Next(i); j >= 0; j = list.Next(j)) {
      const int32_t type = list.Type(j);
      if (type == et::P + 1) {
        next = list.Next(list.Next(j));
        break;
      }
      if (type == et::P || type == et::Table || type == et::Td + 1) {
        if (!list.InsertBefore(j, et::P + 1, "</P>")) return false;
        next = list.Next(j);  // the element that ended the paragraph
        break;
      }
    }
    i = next;
  }
  return true;
}

// Passes 2 and 3: a TR (TD) is open when at its own table level another TR
// (TD), or a closing TR (cells only) or TABLE follows before its closer;
// nested tables are passed over.
bool CloseRowsOrCells(ElementList& list, int32_t opener, bool cells) {
  const int32_t closer = opener + 1;
  int i = list.First();
  while (i >= 0) {
    if (list.Type(i) != opener) {
      i = list.Next(i);
      continue;
    }
    bool ended = false;
    int depth = 0;
    for (int j = list.Next(i); j >= 0; j = list.Next(j)) {
      const int32_t type = list.Type(j);
      if (depth > 0) {
        if (type == et::Table) ++depth;
        if (type == et::Table + 1) --depth;
        continue;
      }
      if (type == closer) {
        ended = true;
        break;
      }
      if (type == et::Table) {
        depth = 1;
        continue;
      }
      if (type == opener || type == et::Table + 1 || (cells && type == et::Tr + 1)) {
        if (!list.InsertBefore(j, closer, cells ? "</TD>" : "</TR>")) return false;
        ended = true;
        break;
      }
    }
    i = ended ? list.Next(list.Next(i)) : list.Next(i);
  }
  return true;
}

// Cells of a table that stand outside any row form a row of their own: a
// TR goes in front of the first of them (the row pass then closes it).
bool OpenRowsForCells(ElementList& list) {
  std::vector<bool> rowOpen;  // per open table
  for (int i = list.First(); i >= 0; i = list.Next(i)) {
    const int32_t type = list.Type(i);
    if (type == et::Table) {
      rowOpen.push_back(false);
    } else if (type == et::Table + 1) {
      if (!rowOpen.empty()) rowOpen.pop_back();
    } else if (!rowOpen.empty() && (type == et::Tr || type == et::Tr + 1)) {
      rowOpen.back() = type == et::Tr;
    } else if (!rowOpen.empty() && type == et::Td && !rowOpen.back()) {
      if (!list.InsertBefore(i, et::Tr, "<TR>", false)) return false;
      rowOpen.back() = true;
      i = list.Next(i);  // the cell, now after its row
    }
  }
  return true;
}

}  // namespace

void CloseOpenElements(std::vector<HTMLElement>& elements) {
  ElementList list(elements);
  // Each pass sees what the earlier ones inserted; a full array ends them.
  if (OpenRowsForCells(list) && CloseParagraphs(list) && CloseRowsOrCells(list, et::Tr, false))
    CloseRowsOrCells(list, et::Td, true);
  elements = list.Collect();
}

void BuildHierarchy(std::vector<HTMLElement>& elements) {
  for (HTMLElement& e : elements) {
    e.ChildCount = 0;
    e.Children.clear();
    e.Parent = 0;
    e.ChildSlot = 0;
  }
  if (elements.empty()) return;
  // The open child lists, innermost last: the parent and its count so far.
  struct OpenList {
    size_t parent;
    int16_t count;
  };
  std::vector<OpenList> open{{0, 0}};
  std::array<int, kTypeCount> openOfType{};  // open containers by type
  auto typeOf = [&elements](size_t i) { return static_cast<size_t>(elements[i].ElementType); };
  auto append = [&elements](OpenList& list, size_t i) {
    HTMLElement& parent = elements[list.parent];
    parent.Children.push_back(static_cast<int16_t>(i));
    elements[i].Parent = parent.Index;
    elements[i].ChildSlot = list.count;
  };
  // Ends the innermost list; the finished container counts in its parent.
  auto close = [&] {
    elements[open.back().parent].ChildCount = open.back().count;
    --openOfType[typeOf(open.back().parent)];
    open.pop_back();
    ++open.back().count;
  };
  for (size_t i = 1; i < elements.size(); ++i) {
    const HTMLElement& e = elements[i];
    if (e.IsTag && IsCloser(e.ElementType)) {
      const size_t match = MatchingOpenList(elements, open, e.ElementType, openOfType);
      if (match > 0) {
        // The lists inside the matched one end with it; the closer stays
        // recorded in the matched container beyond its ChildCount.
        while (open.size() > match + 1) close();
        append(open.back(), i);
        close();
        continue;
      }
      // A closing tag that matches no open element is an ordinary child.
    }
    append(open.back(), i);
    if (e.IsTag && IsContainer(e.ElementType)) {
      open.push_back({i, 0});
      ++openOfType[typeOf(i)];
    } else {
      ++open.back().count;
    }
  }
  // Lists still open at the end of the array.
  while (open.size() > 1) close();
  elements[0].ChildCount = open.back().count;
}

bool IsMatchedCloser(const std::vector<HTMLElement>& elements, int index) {
  const HTMLElement& e = elements[static_cast<size_t>(index)];
  if (!e.IsTag || !IsCloser(e.ElementType) || index == 0) return false;
  return elements[static_cast<size_t>(e.Parent)].ElementType == e.ElementType - 1;
}

void IgnoreUnmatchedClosers(std::vector<HTMLElement>& elements) {
  // Openers seen and not yet closed by their own closer, by type: the
  // closer of a font change that an earlier closer ended with its
  // container still switches that change off.
  std::map<int32_t, int> pending;
  for (size_t i = 0; i < elements.size(); ++i) {
    HTMLElement& e = elements[i];
    if (!e.IsTag) continue;
    if (IsContainer(e.ElementType)) {
      ++pending[e.ElementType];
      continue;
    }
    if (!IsCloser(e.ElementType)) continue;
    int& open = pending[e.ElementType - 1];
    const bool matched = IsMatchedCloser(elements, static_cast<int>(i));
    if (matched || (IsInlineCloser(e.ElementType) && open > 0)) {
      if (open > 0) --open;
      continue;
    }
    // A closing paragraph without one is an empty paragraph, as it stands.
    if (e.ElementType != et::P + 1) e.ElementType = et::OtherTag;
  }
}

int GetParentElement(const std::vector<HTMLElement>& elements, int index) {
  if (index < 0 || static_cast<size_t>(index) >= elements.size()) return -1;
  const int parent = elements[static_cast<size_t>(index)].Parent;
  return parent < 1 ? -1 : parent;
}

int FindAncestorOfType(const std::vector<HTMLElement>& elements, int index, int32_t type) {
  for (int p = GetParentElement(elements, index); p >= 0; p = GetParentElement(elements, p)) {
    if (elements[static_cast<size_t>(p)].ElementType == type) return p;
  }
  return -1;
}

int GetFirstChildElement(const std::vector<HTMLElement>& elements, int index) {
  if (index < 0 || static_cast<size_t>(index) >= elements.size()) return -1;
  const HTMLElement& e = elements[static_cast<size_t>(index)];
  return e.ChildCount < 1 || e.Children.empty() ? -1 : e.Children[0];
}

int GetNextSiblingElement(const std::vector<HTMLElement>& elements, int index) {
  const int parent = GetParentElement(elements, index);
  if (parent < 0) return -1;
  const HTMLElement& p = elements[static_cast<size_t>(parent)];
  const size_t slot = static_cast<size_t>(elements[static_cast<size_t>(index)].ChildSlot) + 1;
  return static_cast<int>(slot) < p.ChildCount && slot < p.Children.size() ? p.Children[slot] : -1;
}

}  // namespace kvctl2::html
