// A command bar of the docking manager, addressed by its key: the menu bar,
// a tool bar or the status bar. It shows its tools (or, the status bar,
// its panels) in order while Visible; RecalcLayout lays the bars out again.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "com/Dispatch.h"
#include "forms/docking/DockTool.h"
#include "forms/docking/StatusPanel.h"

namespace forms {

class DockStudio;

enum class BarType { MenuBar, ToolBar, StatusBar };

class CommandBar : public com::Dispatch {
 public:
  CommandBar(DockStudio& owner, std::string key, BarType type);
  std::string TypeName() const override { return "CommandBar"; }

  const std::string& Key() const { return m_key; }
  BarType Type() const { return m_type; }
  const std::string& Caption() const { return m_caption; }
  void SetCaption(std::string caption) { m_caption = std::move(caption); }
  bool Visible() const { return m_visible; }
  void SetVisible(bool visible);
  const std::vector<DockToolPtr>& Tools() const { return m_tools; }
  void AddTool(const DockToolPtr& tool) { m_tools.push_back(tool); }
  const std::vector<std::shared_ptr<StatusPanel>>& Panels() const { return m_panels; }
  void AddPanel(const std::shared_ptr<StatusPanel>& panel) { m_panels.push_back(panel); }
  void RecalcLayout();

 private:
  DockStudio& m_owner;
  std::string m_key;
  BarType m_type;
  std::string m_caption;
  bool m_visible = true;
  std::vector<DockToolPtr> m_tools;
  std::vector<std::shared_ptr<StatusPanel>> m_panels;
};

}  // namespace forms
