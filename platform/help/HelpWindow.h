// The help window: the help pages of one help folder in an HTML view,
// with Contents and Back buttons. One window for the program, kept while
// help is shown; a page that cannot be read shows the contents. The HTML
// view is a control the program names by its class (SetViewClass), with a
// Text member and a HyperlinkClick(ID, Href) event; without one the window
// shows no page.
#pragma once

#include <string>
#include <vector>

#include "com/Control.h"
#include "forms/Form.h"

namespace help {

class HelpWindow : public forms::Form {
 public:
  HelpWindow();
  // The window (made on first use).
  static std::shared_ptr<HelpWindow> Instance();
  // The class name of the HTML view the pages show in.
  static void SetViewClass(std::string progId);

  // Shows a page of a help folder and brings the window up.
  void ShowPage(const std::string& folder, const std::string& page);
  const std::string& Folder() const { return m_folder; }
  const std::string& Page() const { return m_page; }
  // The HTML the view shows now.
  std::string ShownText() const;
  void GoBack();
  // A link of the shown page was followed.
  void FollowLink(const std::string& href);

 protected:
  void Form_Load() override;
  void Form_Resize() override;

 private:
  void Display(const std::string& page);

  com::ControlPtr m_view;
  std::string m_folder;
  std::string m_page;
  std::vector<std::string> m_history;
};

}  // namespace help
