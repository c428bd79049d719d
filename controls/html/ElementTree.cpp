// Completing and linking the element array: the closing tags that open
// paragraphs, rows and cells lack, and the parent/child tree over it.
#include <cstddef>
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
  // the closing type and text. False when the array is full.
  bool InsertBefore(int node, int32_t type, const char* raw) {
    if (m_pool.size() >= kMaxElements) return false;
    HTMLElement closer = m_pool[static_cast<size_t>(m_element[static_cast<size_t>(node)])];
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

}  // namespace

void CloseOpenElements(std::vector<HTMLElement>& elements) {
  ElementList list(elements);
  // Each pass sees what the earlier ones inserted; a full array ends them.
  if (CloseParagraphs(list) && CloseRowsOrCells(list, et::Tr, false)) CloseRowsOrCells(list, et::Td, true);
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
  for (size_t i = 1; i < elements.size() && !open.empty(); ++i) {
    OpenList& list = open.back();
    HTMLElement& parent = elements[list.parent];
    HTMLElement& e = elements[i];
    parent.Children.push_back(static_cast<int16_t>(i));
    e.Parent = parent.Index;
    e.ChildSlot = list.count;
    if (e.IsTag && IsContainer(e.ElementType)) {
      open.push_back({i, 0});
      continue;
    }
    if (e.IsTag && IsCloser(e.ElementType)) {
      // This list ends; the closer stays recorded beyond ChildCount.
      parent.ChildCount = list.count;
      open.pop_back();
      if (!open.empty()) ++open.back().count;  // the finished container counts in its parent
      continue;
    }
    ++list.count;
  }
  // Lists still open at the end of the array.
  while (!open.empty()) {
    elements[open.back().parent].ChildCount = open.back().count;
    open.pop_back();
    if (!open.empty()) ++open.back().count;
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
