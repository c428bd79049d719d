// The tree view: nodes in a hierarchy, shown with tree lines, plus and
// minus boxes, the pictures of its image list and the node texts; one node
// is selected. Nodes.Add(Relative, Relationship, Key, Text, Image,
// SelectedImage) adds a node (a root node without a relative; Relationship
// tvwChild below the relative, tvwFirst, tvwLast, tvwNext or tvwPrevious
// among its siblings; a seventh argument is accepted and not used).
// Nodes(index or key), Count, Remove and Clear as usual; a key that is
// taken raises 35602, a relative or node that does not exist 35601, an
// index outside the list 35600.
//
// The user selects a node with a click on it or with the keys (Up, Down,
// Home, End, Page Up, Page Down), which raises NodeClick(Node); Right and
// Left expand and collapse a node or move to its first child or its
// parent, "+", "-" and a double click expand and collapse too, and so
// does a click on a plus or minus box (Expand(Node), Collapse(Node)). A
// long tree scrolls, with the bars and with the wheel. Setting
// SelectedItem from code selects without NodeClick.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "forms/lists/ListControl.h"
#include "forms/lists/TreeNode.h"

namespace forms {

class ImageList;

inline constexpr int16_t tvwFirst = 0;
inline constexpr int16_t tvwLast = 1;
inline constexpr int16_t tvwNext = 2;
inline constexpr int16_t tvwPrevious = 3;
inline constexpr int16_t tvwChild = 4;

class TreeView : public ListControl {
 public:
  TreeView();
  ~TreeView() override;
  std::string ClassName() const override { return "TreeView"; }

  // Nodes.
  TreeNodePtr Add(const rt::Variant& relative, int16_t relationship, std::string key, std::string text,
                  rt::Variant image = {}, rt::Variant selectedImage = {});
  int32_t Count() const { return static_cast<int32_t>(m_nodes.size()); }
  TreeNodePtr Node(const rt::Variant& indexOrKey) const;
  TreeNodePtr Find(const TreeNode* node) const;
  void Remove(const rt::Variant& indexOrKey);
  void Clear();
  // The root nodes in order.
  std::vector<TreeNode*> Roots() const;

  TreeNodePtr SelectedItem() const { return Find(m_selected); }
  // Selects a node (nullptr: none) without raising NodeClick.
  void SetSelectedItem(TreeNode* node);
  const std::shared_ptr<ImageList>& Images() const { return m_imageList; }
  void SetImageList(std::shared_ptr<ImageList> images);

  // The nodes shown, top to bottom, and the row of a node (-1 when hidden).
  const std::vector<TreeNode*>& Rows() const;
  int RowOf(const TreeNode* node) const;
  int RowHeight() const;
  // The node at a pixel of the control, and whether the pixel is on its
  // plus or minus box.
  TreeNode* NodeAt(int x, int y, bool* onExpander = nullptr) const;
  // The rectangle of a node's text, in pixels of the control.
  gdi::RECT TextRect(const TreeNode* node) const;
  int TopRow() const { return Scroll().TopLine(); }

  // Called by the nodes.
  void NodeChanged();
  void Expanding(TreeNode& node, bool expand);
  void EnsureVisible(TreeNode& node);

  void Draw(gdi::HDC hdc, int x, int y) override;
  void KeyDown(int16_t& keyCode, int16_t shift) override;
  void KeyPress(int16_t& keyAscii) override;
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override;

 protected:
  void Arrange() override;

 private:
  void Renumber();
  int Indent(const TreeNode* node) const;
  // The user selects a node: NodeClick when it is another one.
  void Choose(TreeNode* node);

  std::vector<TreeNodePtr> m_nodes;
  TreeNode* m_selected = nullptr;
  std::shared_ptr<ImageList> m_imageList;
  std::shared_ptr<com::Dispatch> m_nodesCollection;
  gdi::RECT m_viewport{};
  mutable std::vector<TreeNode*> m_rows;
  mutable bool m_rowsDirty = true;
};

}  // namespace forms
