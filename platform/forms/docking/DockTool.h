// A tool of the docking manager: a command reached from a menu, a tool bar
// or both, addressed by its key (one tool a key, whichever bars show it).
// It has a Caption (menus; tool bars without an icon), a Description, a
// ToolTipText, a Label and a Text, an Icon, Enabled and Checked, and Visible
// (the state a view switches to offer a tool or not). A popup tool holds
// tools of its own (a menu, a sub-menu); a window-list tool stands for the
// list of document panes; BeginGroup puts a separator before the tool.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "com/Dispatch.h"
#include "com/StdPicture.h"

namespace forms {

class DockStudio;
class DockTool;
using DockToolPtr = std::shared_ptr<DockTool>;

enum class ToolType { Button, Popup, WindowList };

class DockTool : public com::Dispatch {
 public:
  DockTool(DockStudio& owner, std::string key);
  std::string TypeName() const override { return "Tool"; }

  const std::string& Key() const { return m_key; }
  ToolType Type() const { return m_type; }
  void SetType(ToolType type) { m_type = type; }
  const std::string& Caption() const { return m_caption; }
  void SetCaption(std::string text);
  const std::string& Description() const { return m_description; }
  void SetDescription(std::string text) { m_description = std::move(text); }
  const std::string& ToolTipText() const { return m_toolTipText; }
  void SetToolTipText(std::string text) { m_toolTipText = std::move(text); }
  const std::string& Label() const { return m_label; }
  void SetLabel(std::string text);
  const std::string& Text() const { return m_text; }
  void SetText(std::string text);
  const std::string& Shortcut() const { return m_shortcut; }
  void SetShortcut(std::string text) { m_shortcut = std::move(text); }
  const com::StdPicturePtr& Icon() const { return m_icon; }
  void SetIcon(com::StdPicturePtr icon);
  bool Enabled() const { return m_enabled; }
  void SetEnabled(bool enabled);
  bool Checked() const { return m_checked; }
  void SetChecked(bool checked);
  bool Visible() const { return m_visible; }
  void SetVisible(bool visible);
  bool BeginGroup() const { return m_beginGroup; }
  void SetBeginGroup(bool value) { m_beginGroup = value; }
  // A tool bar button shows its caption beside its icon.
  bool ShowCaption() const { return m_showCaption; }
  void SetShowCaption(bool value) { m_showCaption = value; }

  // The tools of a popup tool, in order.
  const std::vector<DockToolPtr>& Tools() const { return m_tools; }
  void AddTool(const DockToolPtr& tool) { m_tools.push_back(tool); }

 private:
  void Changed();

  DockStudio& m_owner;
  std::string m_key;
  ToolType m_type = ToolType::Button;
  std::string m_caption, m_description, m_toolTipText, m_label, m_text, m_shortcut;
  com::StdPicturePtr m_icon;
  bool m_enabled = true;
  bool m_checked = false;
  bool m_visible = true;
  bool m_beginGroup = false;
  bool m_showCaption = false;
  std::vector<DockToolPtr> m_tools;
};

}  // namespace forms
