#include "forms/lists/TreeNode.h"

#include <algorithm>

#include "forms/lists/TreeView.h"

namespace forms {

TreeNode::TreeNode(TreeView& tree, std::string key, std::string text)
    : m_tree(&tree), m_key(std::move(key)), m_text(std::move(text)) {
  DefineMembers();
}

void TreeNode::DefineMembers() {
  DefineReadOnly("Key", [this] { return rt::Variant(m_key); });
  DefineProperty(
      "Text", [this] { return rt::Variant(m_text); }, [this](const rt::Variant& v) { SetText(v.ToString()); });
  DefineReadOnly("Index", [this] { return rt::Variant(m_index); });
  DefineReadOnly("Parent", [this] {
    return m_parent && m_tree ? com::ToVariant(m_tree->Find(m_parent)) : com::Nothing();
  });
  DefineReadOnly("Children", [this] { return rt::Variant(static_cast<int32_t>(m_children.size())); });
  DefineReadOnly("Child", [this] {
    return !m_children.empty() && m_tree ? com::ToVariant(m_tree->Find(m_children.front())) : com::Nothing();
  });
  DefineReadOnly("Next", [this] { return m_tree ? com::ToVariant(m_tree->Find(NextSibling())) : com::Nothing(); });
  DefineReadOnly("Previous",
                 [this] { return m_tree ? com::ToVariant(m_tree->Find(PreviousSibling())) : com::Nothing(); });
  DefineReadOnly("Root", [this] { return m_tree ? com::ToVariant(m_tree->Find(Root())) : com::Nothing(); });
  DefineProperty(
      "Image", [this] { return m_image; }, [this](const rt::Variant& v) { SetImage(v); });
  DefineProperty(
      "SelectedImage", [this] { return m_selectedImage; }, [this](const rt::Variant& v) { SetSelectedImage(v); });
  DefineProperty(
      "Tag", [this] { return rt::Variant(m_tag); }, [this](const rt::Variant& v) { SetTag(v.ToString()); });
  DefineProperty(
      "Expanded", [this] { return rt::Variant(m_expanded); }, [this](const rt::Variant& v) { SetExpanded(v.ToBool()); });
  DefineProperty(
      "Selected", [this] { return rt::Variant(Selected()); }, [this](const rt::Variant& v) { SetSelected(v.ToBool()); });
  DefineReadOnly("FullPath", [this] { return rt::Variant(FullPath()); });
  DefineMethod("EnsureVisible", [this](com::Args&) {
    EnsureVisible();
    return rt::Variant();
  });
}

void TreeNode::SetText(std::string text) {
  m_text = std::move(text);
  if (m_tree) m_tree->NodeChanged();
}


TreeNode* TreeNode::NextSibling() const {
  if (!m_tree) return nullptr;
  const std::vector<TreeNode*> siblings = m_parent ? m_parent->m_children : m_tree->Roots();
  auto it = std::find(siblings.begin(), siblings.end(), this);
  return it != siblings.end() && std::next(it) != siblings.end() ? *std::next(it) : nullptr;
}

TreeNode* TreeNode::PreviousSibling() const {
  if (!m_tree) return nullptr;
  const std::vector<TreeNode*> siblings = m_parent ? m_parent->m_children : m_tree->Roots();
  auto it = std::find(siblings.begin(), siblings.end(), this);
  return it != siblings.end() && it != siblings.begin() ? *std::prev(it) : nullptr;
}

TreeNode* TreeNode::Root() {
  TreeNode* node = this;
  while (node->m_parent) node = node->m_parent;
  return node;
}

int TreeNode::Level() const {
  int level = 0;
  for (const TreeNode* p = m_parent; p; p = p->m_parent) ++level;
  return level;
}

void TreeNode::SetImage(rt::Variant image) {
  m_image = std::move(image);
  if (m_tree) m_tree->NodeChanged();
}

void TreeNode::SetSelectedImage(rt::Variant image) {
  m_selectedImage = std::move(image);
  if (m_tree) m_tree->NodeChanged();
}

void TreeNode::SetExpanded(bool expanded) {
  if (expanded == m_expanded) return;
  if (m_tree)
    m_tree->Expanding(*this, expanded);
  else
    m_expanded = expanded;
}

bool TreeNode::Selected() const { return m_tree && m_tree->SelectedItem().get() == this; }

void TreeNode::SetSelected(bool selected) {
  if (!m_tree) return;
  if (selected)
    m_tree->SetSelectedItem(this);
  else if (Selected())
    m_tree->SetSelectedItem(nullptr);
}

void TreeNode::EnsureVisible() {
  if (m_tree) m_tree->EnsureVisible(*this);
}

std::string TreeNode::FullPath() const {
  std::string path = m_text;
  for (const TreeNode* p = m_parent; p; p = p->m_parent) path = p->m_text + "\\" + path;
  return path;
}

bool TreeNode::IsShown() const {
  for (const TreeNode* p = m_parent; p; p = p->m_parent) {
    if (!p->m_expanded) return false;
  }
  return true;
}

}  // namespace forms
