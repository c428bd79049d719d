#include "forms/lists/TreeView.h"

#include <algorithm>

#include "com/ControlFactory.h"
#include "forms/ControlPainter.h"
#include "forms/Form.h"
#include "forms/lists/ImageList.h"
#include "gdi/Gdi.h"
#include "runtime/Error.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/Messages.h"
#include "win/Window.h"

namespace forms {

namespace {

com::ControlRegistration<TreeView> registration{"SSActiveTreeView.SSTree", "SSTree", "SSActiveTreeView",
                                                "MSComctlLib.TreeCtrl", "TreeView"};

constexpr int kIndent = 19;
constexpr int kImage = 16;

// The Nodes collection of a tree.
class TreeNodes : public com::Dispatch {
 public:
  explicit TreeNodes(TreeView& tree) {
    DefineMethod("Add", [&tree](com::Args& args) {
      const rt::Variant& relationship = com::OptionalArg(args, 1);
      const rt::Variant& key = com::OptionalArg(args, 2);
      return com::ToVariant(tree.Add(com::OptionalArg(args, 0), relationship.IsEmpty() ? tvwLast : relationship.ToInteger(),
                                     key.IsEmpty() ? std::string() : key.ToString(),
                                     com::OptionalArg(args, 3).IsEmpty() ? std::string() : com::OptionalArg(args, 3).ToString(),
                                     com::OptionalArg(args, 4), com::OptionalArg(args, 5)));
    });
    DefineMethod("Item", [&tree](com::Args& args) { return com::ToVariant(tree.Node(com::RequiredArg(args, 0))); });
    DefineReadOnly("Count", [&tree] { return rt::Variant(tree.Count()); });
    DefineMethod("Remove", [&tree](com::Args& args) {
      tree.Remove(com::RequiredArg(args, 0));
      return rt::Variant();
    });
    DefineMethod("Clear", [&tree](com::Args&) {
      tree.Clear();
      return rt::Variant();
    });
  }
  std::string TypeName() const override { return "Nodes"; }
};

}  // namespace

TreeView::TreeView() : m_nodesCollection(std::make_shared<TreeNodes>(*this)) {
  DefineReadOnly("Nodes", [this] { return com::ToVariant(m_nodesCollection); });
  DefineObjectProperty(
      "SelectedItem", [this](com::Args&) { return com::ToVariant(SelectedItem()); },
      [this](com::Args& args) {
        auto node = com::AsObject<TreeNode>(com::RequiredArg(args, 0));
        SetSelectedItem(node.get());
        return rt::Variant();
      });
  DefineObject<ImageList>(
      "ImageList", [this] { return m_imageList; }, [this](std::shared_ptr<ImageList> v) { SetImageList(std::move(v)); });
}

TreeView::~TreeView() {
  for (const auto& node : m_nodes) node->m_tree = nullptr;
}

void TreeView::Renumber() {
  for (size_t i = 0; i < m_nodes.size(); ++i) m_nodes[i]->m_index = static_cast<int32_t>(i + 1);
}

std::vector<TreeNode*> TreeView::Roots() const {
  std::vector<TreeNode*> roots;
  for (const auto& node : m_nodes) {
    if (!node->m_parent) roots.push_back(node.get());
  }
  return roots;
}

TreeNodePtr TreeView::Find(const TreeNode* node) const {
  for (const auto& n : m_nodes) {
    if (n.get() == node) return n;
  }
  return nullptr;
}

TreeNodePtr TreeView::Node(const rt::Variant& indexOrKey) const {
  if (indexOrKey.IsObject()) {
    if (auto node = com::AsObject<TreeNode>(indexOrKey); node && Find(node.get())) return node;
  } else if (!indexOrKey.IsString() && indexOrKey.IsNumeric()) {
    const int32_t index = indexOrKey.ToLong();
    if (index < 1 || index > Count()) rt::Raise(errIndexOutOfBounds, "Nodes", "Index out of bounds");
    return m_nodes[static_cast<size_t>(index - 1)];
  } else {
    const std::string key = indexOrKey.ToString();
    for (const auto& node : m_nodes) {
      if (!key.empty() && node->Key() == key) return node;
    }
  }
  rt::Raise(errKeyNotFound, "Nodes", "Element not found");
}

TreeNodePtr TreeView::Add(const rt::Variant& relative, int16_t relationship, std::string key, std::string text,
                          rt::Variant image, rt::Variant selectedImage) {
  if (!key.empty()) {
    for (const auto& node : m_nodes) {
      if (node->Key() == key) rt::Raise(errKeyNotUnique, "Nodes", "Key is not unique in collection");
    }
  }
  TreeNode* anchor = relative.IsEmpty() || (relative.IsString() && relative.ToString().empty())
                         ? nullptr
                         : Node(relative).get();
  auto node = std::make_shared<TreeNode>(*this, std::move(key), std::move(text));
  node->m_image = std::move(image);
  node->m_selectedImage = std::move(selectedImage);
  // Where it goes: below the anchor, or beside it among its siblings.
  TreeNode* parent = nullptr;
  TreeNode* before = nullptr;  // insert before this sibling (nullptr: at the end)
  if (anchor) {
    switch (relationship) {
      case tvwChild:
        parent = anchor;
        break;
      case tvwFirst:
        parent = anchor->m_parent;
        before = parent ? (parent->m_children.empty() ? nullptr : parent->m_children.front()) : Roots().front();
        break;
      case tvwNext:
        parent = anchor->m_parent;
        before = anchor->NextSibling();
        break;
      case tvwPrevious:
        parent = anchor->m_parent;
        before = anchor;
        break;
      default:
        parent = anchor->m_parent;
        break;
    }
  }
  node->m_parent = parent;
  if (parent) {
    auto& children = parent->m_children;
    children.insert(before ? std::find(children.begin(), children.end(), before) : children.end(), node.get());
  }
  // Roots keep their order in the node list: a root placed before another
  // goes before it there.
  auto at = m_nodes.end();
  if (!parent && before) at = std::find_if(m_nodes.begin(), m_nodes.end(), [&](const auto& n) { return n.get() == before; });
  m_nodes.insert(at, node);
  Renumber();
  NodeChanged();
  return node;
}

void TreeView::Remove(const rt::Variant& indexOrKey) {
  TreeNodePtr node = Node(indexOrKey);
  // The node goes with everything below it.
  std::vector<TreeNode*> gone{node.get()};
  for (size_t i = 0; i < gone.size(); ++i) {
    for (TreeNode* child : gone[i]->m_children) gone.push_back(child);
  }
  if (node->m_parent) std::erase(node->m_parent->m_children, node.get());
  for (TreeNode* n : gone) {
    if (n == m_selected) m_selected = nullptr;
    n->m_tree = nullptr;
  }
  std::erase_if(m_nodes, [&](const auto& n) { return std::find(gone.begin(), gone.end(), n.get()) != gone.end(); });
  Renumber();
  NodeChanged();
}

void TreeView::Clear() {
  for (const auto& node : m_nodes) node->m_tree = nullptr;
  m_nodes.clear();
  m_selected = nullptr;
  NodeChanged();
}

void TreeView::SetSelectedItem(TreeNode* node) {
  if (node && !Find(node)) return;
  m_selected = node;
  if (node) EnsureVisible(*node);
  Invalidate();
}

void TreeView::SetImageList(std::shared_ptr<ImageList> images) {
  m_imageList = std::move(images);
  Arrange();
  Invalidate();
}

void TreeView::NodeChanged() {
  m_rowsDirty = true;
  Arrange();
  Invalidate();
}

void TreeView::Expanding(TreeNode& node, bool expand) {
  node.m_expanded = expand;
  // Collapsing hides a selected node below: the collapsed node takes the
  // selection.
  if (!expand && m_selected) {
    for (TreeNode* p = m_selected->m_parent; p; p = p->m_parent) {
      if (p == &node) {
        m_selected = &node;
        break;
      }
    }
  }
  NodeChanged();
  com::Args args{com::ToVariant(Find(&node))};
  RaiseEvent(expand ? "Expand" : "Collapse", args);
}

void TreeView::EnsureVisible(TreeNode& node) {
  bool changed = false;
  for (TreeNode* p = node.m_parent; p; p = p->m_parent) {
    if (!p->m_expanded) {
      p->m_expanded = true;
      changed = true;
    }
  }
  if (changed) NodeChanged();
  const int row = RowOf(&node);
  if (row >= 0) Scroll().EnsureVisible(row);
}

const std::vector<TreeNode*>& TreeView::Rows() const {
  if (!m_rowsDirty) return m_rows;
  m_rows.clear();
  std::vector<TreeNode*> stack;
  auto roots = Roots();
  for (auto it = roots.rbegin(); it != roots.rend(); ++it) stack.push_back(*it);
  while (!stack.empty()) {
    TreeNode* node = stack.back();
    stack.pop_back();
    m_rows.push_back(node);
    if (node->m_expanded) {
      for (auto it = node->m_children.rbegin(); it != node->m_children.rend(); ++it) stack.push_back(*it);
    }
  }
  m_rowsDirty = false;
  return m_rows;
}

int TreeView::RowOf(const TreeNode* node) const {
  const auto& rows = Rows();
  auto it = std::find(rows.begin(), rows.end(), node);
  return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

int TreeView::RowHeight() const { return std::max(kImage, painter::LineHeight(Font())) + 2; }

int TreeView::Indent(const TreeNode* node) const { return 4 + (node->Level() + 1) * kIndent; }

void TreeView::Arrange() {
  if (!Container()) return;
  int widest = 0;
  for (const TreeNode* node : Rows()) {
    widest = std::max(widest, Indent(node) + kImage + 4 + painter::MeasureText(node->Text(), Font(), 0, false).cx + 6);
  }
  m_viewport = Scroll().Arrange(gdi::RECT{2, 2, PixelWidth() - 2, PixelHeight() - 2}, widest,
                                static_cast<int>(Rows().size()) * RowHeight(), RowHeight());
}

TreeNode* TreeView::NodeAt(int x, int y, bool* onExpander) const {
  if (x < m_viewport.left || x >= m_viewport.right || y < m_viewport.top || y >= m_viewport.bottom) return nullptr;
  const int row = Scroll().TopLine() + (y - m_viewport.top) / RowHeight();
  const auto& rows = Rows();
  if (row < 0 || row >= static_cast<int>(rows.size())) return nullptr;
  TreeNode* node = rows[static_cast<size_t>(row)];
  const int indent = m_viewport.left - Scroll().LeftPixel() + Indent(node);
  if (onExpander) *onExpander = x >= indent - kIndent && x < indent && !node->m_children.empty();
  return node;
}

gdi::RECT TreeView::TextRect(const TreeNode* node) const {
  const int row = RowOf(node);
  if (row < 0) return {};
  const int top = m_viewport.top + (row - Scroll().TopLine()) * RowHeight();
  const int left = m_viewport.left - Scroll().LeftPixel() + Indent(node) + kImage + 3;
  return gdi::RECT{left, top, left + painter::MeasureText(node->Text(), Font(), 0, false).cx + 5, top + RowHeight()};
}

void TreeView::Choose(TreeNode* node) {
  if (!node) return;
  const bool changed = node != m_selected;
  SetSelectedItem(node);
  if (changed) {
    com::Args args{com::ToVariant(Find(node))};
    RaiseEvent("NodeClick", args);
  }
}

void TreeView::KeyDown(int16_t& keyCode, int16_t shift) {
  StandardControl::KeyDown(keyCode, shift);
  const auto& rows = Rows();
  if (keyCode == 0 || rows.empty()) return;
  const int count = static_cast<int>(rows.size());
  const int row = std::max(0, RowOf(m_selected));
  const int page = std::max(1, Scroll().PageLines() - 1);
  TreeNode* target = nullptr;
  switch (static_cast<uint32_t>(keyCode)) {
    case win::VK_UP:
      target = rows[static_cast<size_t>(m_selected ? std::max(0, row - 1) : 0)];
      break;
    case win::VK_DOWN:
      target = rows[static_cast<size_t>(m_selected ? std::min(count - 1, row + 1) : 0)];
      break;
    case win::VK_PRIOR:
      target = rows[static_cast<size_t>(std::max(0, row - page))];
      break;
    case win::VK_NEXT:
      target = rows[static_cast<size_t>(std::min(count - 1, row + page))];
      break;
    case win::VK_HOME:
      target = rows.front();
      break;
    case win::VK_END:
      target = rows.back();
      break;
    case win::VK_RIGHT:
      if (!m_selected || m_selected->m_children.empty()) return;
      if (!m_selected->m_expanded)
        m_selected->SetExpanded(true);
      else
        target = m_selected->m_children.front();
      break;
    case win::VK_LEFT:
      if (!m_selected) return;
      if (m_selected->m_expanded && !m_selected->m_children.empty())
        m_selected->SetExpanded(false);
      else
        target = m_selected->m_parent;
      break;
    default:
      return;
  }
  Choose(target);
  keyCode = 0;
}

void TreeView::KeyPress(int16_t& keyAscii) {
  StandardControl::KeyPress(keyAscii);
  if (!m_selected || m_selected->m_children.empty()) return;
  if (keyAscii == '+') m_selected->SetExpanded(true);
  if (keyAscii == '-') m_selected->SetExpanded(false);
}

bool TreeView::HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) {
  const int x = win::GET_X_LPARAM(lParam);
  const int y = win::GET_Y_LPARAM(lParam);
  result = 0;
  switch (msg) {
    case win::WM_LBUTTONDOWN: {
      FocusByClick();
      bool onExpander = false;
      TreeNode* node = NodeAt(x, y, &onExpander);
      if (node && onExpander)
        node->SetExpanded(!node->m_expanded);
      else
        Choose(node);
      return true;
    }
    case win::WM_LBUTTONDBLCLK: {
      bool onExpander = false;
      TreeNode* node = NodeAt(x, y, &onExpander);
      if (!node) return true;
      if (!onExpander) RaiseEvent("DblClick");
      if (!node->m_children.empty()) node->SetExpanded(!node->m_expanded);
      return true;
    }
    case win::WM_LBUTTONUP:
      return true;
    default:
      return ListControl::HandleMessage(msg, wParam, lParam, result);
  }
}

void TreeView::Draw(gdi::HDC hdc, int x, int y) {
  painter::DrawField(hdc, gdi::RECT{x, y, x + PixelWidth(), y + PixelHeight()}, BackColor(), Enabled());
  const gdi::RECT view{x + m_viewport.left, y + m_viewport.top, x + m_viewport.right, y + m_viewport.bottom};
  const int saved = gdi::SaveDC(hdc);
  gdi::IntersectClipRect(hdc, view.left, view.top, view.right, view.bottom);
  const bool focused = Focused();
  const auto& rows = Rows();
  const int rowHeight = RowHeight();
  const int first = Scroll().TopLine();
  const int last = std::min(static_cast<int>(rows.size()), first + (view.bottom - view.top) / rowHeight + 2);
  const int left = view.left - Scroll().LeftPixel();
  auto rowTop = [&](int row) { return view.top + (row - first) * rowHeight; };
  for (int row = first; row < last; ++row) {
    const TreeNode* node = rows[static_cast<size_t>(row)];
    const int top = rowTop(row);
    const int mid = top + rowHeight / 2;
    const int indent = left + Indent(node);
    // Tree lines: to the node from its parent's line, down to its next
    // sibling, and the lines of the levels above that go on below.
    const int lineX = indent - kIndent / 2 - 1;
    painter::DrawDottedLine(hdc, lineX, mid, indent - 1, mid);
    const bool hasPrev = node->m_parent || node->PreviousSibling() || row > 0;
    painter::DrawDottedLine(hdc, lineX, hasPrev ? top : mid, lineX, node->NextSibling() ? top + rowHeight : mid + 1);
    for (const TreeNode* p = node->m_parent; p; p = p->m_parent) {
      if (p->NextSibling()) {
        const int px = left + Indent(p) - kIndent / 2 - 1;
        painter::DrawDottedLine(hdc, px, top, px, top + rowHeight);
      }
    }
    if (!node->m_children.empty()) painter::DrawExpander(hdc, lineX, mid, node->m_expanded);
    const bool selected = node == m_selected;
    if (m_imageList) {
      const rt::Variant& which = selected && !node->m_selectedImage.IsEmpty() ? node->m_selectedImage : node->m_image;
      if (auto picture = m_imageList->Find(which)) {
        picture->Render(hdc, indent, top + (rowHeight - kImage) / 2, kImage, kImage);
      }
    }
    gdi::RECT text = TextRect(node);
    gdi::OffsetRect(&text, x, y);
    uint32_t color = Enabled() ? ForeColor() : gdi::SysColor(gdi::COLOR_GRAYTEXT);
    if (selected) {
      painter::DrawSelection(hdc, text, focused);
      color = gdi::SysColor(focused ? gdi::COLOR_HIGHLIGHTTEXT : gdi::COLOR_WINDOWTEXT);
    }
    painter::DrawText(hdc, node->Text(), gdi::RECT{text.left + 2, text.top, text.right, text.bottom},
                      gdi::DT_LEFT | gdi::DT_VCENTER | gdi::DT_SINGLELINE | gdi::DT_NOPREFIX, Font(), color);
    if (selected && focused) painter::DrawFocusRect(hdc, text);
  }
  gdi::RestoreDC(hdc, saved);
  Scroll().Draw(hdc, x, y);
}

}  // namespace forms
