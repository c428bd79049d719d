// The docking manager: the main window's menu bar with its menus, its tool
// bars, its status bar with named panels, and its document panes, which
// host forms as child windows. It fills its form.
//
// Its bars, menus, tools and panels come from its design block:
//   Begin InnovaDSXP2.DockStudio Dock
//      Begin CommandBar MenuBar            ' Type = "MenuBar" | "ToolBar" | "StatusBar"
//         Type = "MenuBar"
//         Begin Tool mnuDatei              ' the block's name is the tool's key
//            Caption = "&Datei"
//            Begin Tool DBConnect          ' a tool in a popup makes it a menu
//               Caption = "Verbinden"
//               Icon = Picture("connect.png")
//            End
//            Begin Tool Beenden
//               BeginGroup = True          ' a separator before it
//            End
//         End
//      End
//      Begin CommandBar StatusBar
//         Type = "StatusBar"
//         Begin Panel StatMsg
//            Spring = True                 ' Width = pixels; Kind = "Caps" | "Num" | "Ins" | "Date"
//         End
//      End
//   End
// A key used again in another bar names the same tool. A tool with
// Kind = "WindowList" stands for the list of document panes.
//
// The user opens a menu with a click on the menu bar or with Alt and its
// access key (F10: the first menu), moves with the arrow keys, chooses with
// Enter, a click or an item's access key, and closes with Escape or a click
// elsewhere. Tool bar buttons show their tooltip after the pointer rests on
// them and click when released on them. Every chosen tool raises
// ToolClick(Tool), disabled and hidden tools never. ShowForm places a form
// in a document pane (or activates its pane); activating a pane raises
// ActivePaneChanged(Pane). Redraw (dispatch id 11) False holds back layout
// and painting while tools change; True lays out and repaints once.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "com/Control.h"
#include "forms/AccessKeys.h"
#include "forms/DesignChildrenReader.h"
#include "forms/Form.h"
#include "forms/docking/CommandBar.h"
#include "forms/docking/DockCollection.h"
#include "forms/docking/DockTool.h"
#include "forms/docking/DocumentPane.h"
#include "forms/docking/StatusPanel.h"

namespace forms {

class MenuTracker;
class ToolTipPopup;

class DockStudio : public com::Control, public DesignChildrenReader, public AccessKeyTarget {
 public:
  DockStudio();
  ~DockStudio() override;
  std::string ClassName() const override { return "DockStudio"; }

  // Tools, bars and panels by key; Tool, Bar and Panel raise 35601 for a
  // key without one, the Find functions return nullptr.
  DockToolPtr Tool(std::string_view key) const;
  DockToolPtr FindTool(std::string_view key) const;
  const std::vector<DockToolPtr>& AllTools() const { return m_tools; }
  std::shared_ptr<CommandBar> Bar(std::string_view key) const;
  const std::vector<std::shared_ptr<CommandBar>>& Bars() const { return m_bars; }
  std::shared_ptr<StatusPanel> Panel(std::string_view key) const;
  // Adds a bar, a tool (to a bar or to a popup tool; an existing key adds
  // the same tool there too) and a status panel, as the design data does.
  std::shared_ptr<CommandBar> AddBar(std::string key, BarType type);
  DockToolPtr AddTool(CommandBar& bar, std::string key);
  DockToolPtr AddTool(DockTool& popup, std::string key);
  std::shared_ptr<StatusPanel> AddPanel(CommandBar& statusBar, std::string key);

  // Document panes.
  // Places the form in a pane (loading it; a form already docked keeps its
  // pane) and activates the pane.
  std::shared_ptr<DocumentPane> ShowForm(const FormPtr& form);
  std::shared_ptr<DocumentPane> PaneOf(const Form& form) const;
  std::vector<std::shared_ptr<DocumentPane>> Panes() const;
  std::shared_ptr<DocumentPane> ActivePane() const;
  FormPtr ActiveForm() const;
  void ActivatePane(const std::shared_ptr<DocumentPane>& pane);

  bool Redraw() const { return m_redraw; }
  void SetRedraw(bool redraw);
  // Lays the bars and panes out again and repaints.
  void RecalcLayout();
  // A tool's state changed: repaint (and lay out, a visible state).
  void ToolChanged(const DockTool& tool);
  // Chooses a tool as the user does: raises ToolClick for an enabled,
  // visible button tool.
  void ClickTool(DockToolPtr tool);

  // Where things lie, in pixels of the control (after layout).
  gdi::RECT ToolRect(std::string_view barKey, std::string_view toolKey) const;
  gdi::RECT PanelRect(std::string_view key) const;
  gdi::RECT PaneTabRect(const DocumentPane& pane) const;
  gdi::RECT DocumentRect() const { return m_documentRect; }
  // The open menus, outermost first (empty when none is open).
  std::vector<DockToolPtr> OpenMenus() const;
  // The tooltip text shown now (empty when none is).
  std::string ShownToolTip() const;

  void ReadDesignChildren(const std::vector<DesignNode>& children) override;
  bool OnAccessKey(char32_t letter) override;
  void Draw(gdi::HDC hdc, int x, int y) override;
  void KeyDown(int16_t& keyCode, int16_t shift) override;
  void KeyPress(int16_t& keyAscii) override;
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override;
  bool CanFocus() const override { return false; }

 protected:
  void OnMoved() override { RecalcLayout(); }
  void OnSited() override;
  void OnUnsited() override;

 private:
  friend class MenuTracker;
  // A tool (or menu bar item) as laid out on a bar.
  struct Item {
    DockToolPtr tool;
    CommandBar* bar = nullptr;
    gdi::RECT rect{};
    bool separator = false;
  };
  void ReadTools(const std::vector<DesignNode>& nodes, CommandBar* bar, DockTool* popup);
  DockToolPtr ToolFor(std::string key);
  void Layout();
  void ArrangePanes();
  int ItemAt(int x, int y) const;
  void SetHot(int item);
  void OpenMenu(int menuItem, bool selectFirst);
  void Choose(const DockToolPtr& tool);
  void DrawBars(gdi::HDC hdc, int x, int y);
  void DrawDocuments(gdi::HDC hdc, int x, int y);
  void DrawStatusBar(gdi::HDC hdc, int x, int y);
  std::vector<std::shared_ptr<DocumentPane>> LivePanes() const;

  std::vector<DockToolPtr> m_tools;
  std::vector<std::shared_ptr<CommandBar>> m_bars;
  std::vector<std::shared_ptr<StatusPanel>> m_allPanels;
  std::vector<std::shared_ptr<DocumentPane>> m_panes;
  std::weak_ptr<DocumentPane> m_active;
  std::shared_ptr<DockCollection<DockTool>> m_toolCollection;
  std::shared_ptr<DockCollection<CommandBar>> m_barCollection;
  std::shared_ptr<DockCollection<StatusPanel>> m_panelCollection;
  std::vector<Item> m_items;
  std::vector<std::pair<std::shared_ptr<StatusPanel>, gdi::RECT>> m_panelRects;
  gdi::RECT m_menuBarRect{}, m_toolRect{}, m_tabRect{}, m_documentRect{}, m_statusRect{};
  int m_hot = -1;
  int m_pressed = -1;
  bool m_redraw = true;
  std::unique_ptr<MenuTracker> m_menus;
  std::unique_ptr<ToolTipPopup> m_toolTip;
};

}  // namespace forms
