// What the property dialogs of users, groups and Memo databases share:
// "Apply" saves and stays, "&OK" saves and closes (also after a failed
// save), "Cancel" closes without saving or asking, "Help <F1>" and F1 open
// the help; a tab change moves the focus to the page's first field (page 0)
// or to the reset button (page 1); when the dialog unloads after any save
// it calls back the list view that opened it.
#pragma once

#include <cstdint>
#include <string>

#include "forms/Form.h"

namespace qvadmin {

class PropertiesDialog : public forms::Form {
 public:
  // Whether a save has run since the dialog was loaded.
  bool Saved() const { return m_saved; }

 protected:
  // `firstField` takes the focus on page 0 of the tab control "tabEdit".
  PropertiesDialog(std::string name, std::string designFile, int32_t helpContext, std::string firstField);

  // The save (Apply); sets Saved at its end, also after a failure.
  virtual void Save() = 0;
  // Called on unload after a save: the list view re-reads its list.
  virtual void RefreshView() = 0;

  void SetSaved(bool saved) { m_saved = saved; }
  // The first load steps of every dialog: the colour scheme, the stored
  // window placement and the icons of the tab control "tabEdit" (the
  // main window's pictures under `tabKeys`).
  void PrepareLook(const std::string& tabKeys);
  // Shows the dialog modally, owned by the main window; a dialog whose Init
  // failed is unloaded instead, so that the next Init loads it afresh.
  void ShowModal();

  void Form_KeyDown(int16_t& keyCode, int16_t shift) override;
  void Form_QueryUnload(int16_t& cancel, int16_t unloadMode) override;

 private:
  std::string m_firstField;
  bool m_saved = false;
};

// "Properties " followed by the name in double quotation marks.
std::string PropertiesCaption(const std::string& name);

// A date as the "Long Date" format writes it ("Tuesday, March 5, 2024").
std::string LongDateText(rt::DateValue date);

}  // namespace qvadmin
