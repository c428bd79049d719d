// A panel of the status bar, addressed by its key: its Text and Width (in
// pixels; a Spring panel takes the width the others leave). An indicator
// panel shows the state of the Caps Lock, Num Lock or Insert key (its text
// grey while the key is off) or today's date in the system's short date
// format.
#pragma once

#include <string>

#include "com/Dispatch.h"

namespace forms {

class DockStudio;

enum class PanelType { Text, CapsLock, NumLock, Insert, Date };

class StatusPanel : public com::Dispatch {
 public:
  StatusPanel(DockStudio& owner, std::string key);
  std::string TypeName() const override { return "Panel"; }

  const std::string& Key() const { return m_key; }
  const std::string& Text() const { return m_text; }
  void SetText(std::string text);
  int Width() const { return m_width; }
  void SetWidth(int width);
  bool Spring() const { return m_spring; }
  void SetSpring(bool spring) { m_spring = spring; }
  PanelType Type() const { return m_type; }
  void SetType(PanelType type) { m_type = type; }
  // What the panel shows now, and whether it shows it as on.
  std::string ShownText() const;
  bool ShownOn() const;

 private:
  DockStudio& m_owner;
  std::string m_key;
  std::string m_text;
  int m_width = 80;
  bool m_spring = false;
  PanelType m_type = PanelType::Text;
};

}  // namespace forms
