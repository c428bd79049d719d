// What the property dialogs of users, groups and Memo databases share:
// "Apply" saves and stays, "&OK" saves and closes, "Cancel" closes without
// saving or asking, "Help <F1>" and F1 open the help; a save that is
// refused or fails keeps the dialog open with every entry, also for OK. A
// tab change moves the focus to the page's first field (page 0) or to the
// reset button (page 1); when the dialog unloads after any save it calls
// back the list view that opened it.
#pragma once

#include <cstdint>
#include <string>

#include "forms/Form.h"
#include "runtime/Error.h"

namespace qvadmin {

class PropertiesDialog : public forms::Form {
 public:
  // Whether a save has run since the dialog was loaded.
  bool Saved() const { return m_saved; }

 protected:
  // `firstField` takes the focus on page 0 of the tab control "tabEdit";
  // a failing read of the record is reported under `readLabel`.
  PropertiesDialog(std::string name, std::string designFile, int32_t helpContext, std::string firstField,
                   std::string readLabel);

  // The save (Apply); sets Saved at its end, also after a failure. True
  // when the record was stored.
  virtual bool Save() = 0;
  // Called on unload after a save: the list view re-reads its list.
  virtual void RefreshView() = 0;
  // Reads the record and fills the dialog with it; `freshlyLoaded`: the
  // load steps have just run.
  virtual void ReadRecord(bool freshlyLoaded) = 0;

  // Init's common part: loads the dialog when it is not, reads the record
  // and shows the dialog modally, owned by the main window; a dialog whose
  // record could not be read is unloaded instead, so that the next Init
  // loads it afresh.
  void ReadAndShow();
  // Shows the record as it is stored now, discarding the entries.
  void Reload();

  // A save refused because someone else changed or deleted the record since
  // the dialog loaded it (0x80040E38, 0x80040E23), or deleted an entry that
  // the save assigns: the user is told so and, while the record stands, may
  // reload it; otherwise the entries stay. False for any other error, which
  // the caller reports.
  bool TellSaveConflict(const rt::Error& e);

  void SetSaved(bool saved) { m_saved = saved; }
  // The first load steps of every dialog: the colour scheme, the stored
  // window placement and the icons of the tab control "tabEdit" (the
  // main window's pictures under `tabKeys`).
  void PrepareLook(const std::string& tabKeys);
  void Form_KeyDown(int16_t& keyCode, int16_t shift) override;
  void Form_QueryUnload(int16_t& cancel, int16_t unloadMode) override;

 private:
  std::string m_firstField;
  std::string m_readLabel;
  bool m_saved = false;
};

// The title of the messages of a save that was refused.
inline constexpr const char* kNotSavedTitle = "The data record could not be saved.";

// "Properties " followed by the name in double quotation marks.
std::string PropertiesCaption(const std::string& name);

// A date as the "Long Date" format writes it ("Tuesday, March 5, 2024").
std::string LongDateText(rt::DateValue date);

}  // namespace qvadmin
