// Property pages: the design-time editors that a property sheet shows for
// the controls selected in a designer. The sheet hands the page the
// selected controls (SelectedControls; the page hears SelectionChanged),
// the page marks itself Changed when the user edits something (the sheet's
// Apply button becomes available), and the sheet's Apply lets the page
// write its values (ApplyChanges): an error it raises goes back to the
// sheet, which shows it, and the page stays changed. A page is a user
// control: its surface and constituent controls make up its face.
//
// Controls name their pages (UserControl::PropertyPages); pages are made
// by name.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "com/UserControl.h"

namespace com {

class PropertyPage : public UserControl {
 public:
  // The title of the page in the sheet.
  const std::string& PageCaption() const { return m_pageCaption; }

  const std::vector<DispatchPtr>& SelectedControls() const { return m_selected; }
  // Called by the sheet; raises SelectionChanged.
  void SetSelectedControls(std::vector<DispatchPtr> controls);
  bool Changed() const { return m_changed; }
  void SetChanged(bool value) { m_changed = value; }
  // The sheet's Apply: ApplyChanges, then Changed is cleared; an error of
  // ApplyChanges reaches the caller and leaves Changed set.
  void Apply();

 protected:
  explicit PropertyPage(std::string caption) : m_pageCaption(std::move(caption)) {}
  virtual void SelectionChanged() {}
  virtual void ApplyChanges() {}

 private:
  std::string m_pageCaption;
  std::vector<DispatchPtr> m_selected;
  bool m_changed = false;
};

using PropertyPagePtr = std::shared_ptr<PropertyPage>;
using PropertyPageFactory = std::function<PropertyPagePtr()>;

// Registers (or replaces) the page of that name; names are compared
// without regard to case.
void RegisterPropertyPage(std::string_view name, PropertyPageFactory factory);
// Makes a page; raises 429 for a name without page.
PropertyPagePtr CreatePropertyPage(std::string_view name);

template <class T>
struct PropertyPageRegistration {
  explicit PropertyPageRegistration(std::string_view name) {
    RegisterPropertyPage(name, [] { return std::make_shared<T>(); });
  }
};

}  // namespace com
