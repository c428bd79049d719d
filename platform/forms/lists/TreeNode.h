// A node of a tree view: its Key (unique, may be empty), Text, Index (its
// position in the tree's node list, from 1), its Parent, Children and
// siblings, Image and SelectedImage (an index or a key of the tree's image
// list), Tag, and whether it is Expanded and Selected.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "com/Dispatch.h"

namespace forms {

class TreeView;
class TreeNode;
using TreeNodePtr = std::shared_ptr<TreeNode>;

class TreeNode : public com::Dispatch {
 public:
  TreeNode(TreeView& tree, std::string key, std::string text);
  std::string TypeName() const override { return "Node"; }

  const std::string& Key() const { return m_key; }
  const std::string& Text() const { return m_text; }
  void SetText(std::string text);
  int32_t Index() const { return m_index; }
  TreeNode* Parent() const { return m_parent; }
  const std::vector<TreeNode*>& Children() const { return m_children; }
  TreeNode* NextSibling() const;
  TreeNode* PreviousSibling() const;
  TreeNode* Root();
  // The nesting depth: 0 for a root node.
  int Level() const;
  const rt::Variant& Image() const { return m_image; }
  void SetImage(rt::Variant image);
  const rt::Variant& SelectedImage() const { return m_selectedImage; }
  void SetSelectedImage(rt::Variant image);
  const std::string& Tag() const { return m_tag; }
  void SetTag(std::string tag) { m_tag = std::move(tag); }
  bool Expanded() const { return m_expanded; }
  void SetExpanded(bool expanded);
  bool Selected() const;
  void SetSelected(bool selected);
  // Expands the node's parents and scrolls it into sight.
  void EnsureVisible();
  // The texts from the root down, joined with the tree's separator "\".
  std::string FullPath() const;
  // Whether the node shows because all its parents are expanded.
  bool IsShown() const;

 private:
  friend class TreeView;
  void DefineMembers();
  TreeView* m_tree;
  std::string m_key;
  std::string m_text;
  int32_t m_index = 0;
  TreeNode* m_parent = nullptr;
  std::vector<TreeNode*> m_children;
  rt::Variant m_image;
  rt::Variant m_selectedImage;
  std::string m_tag;
  bool m_expanded = false;
};

}  // namespace forms
