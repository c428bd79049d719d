// The Available/Assigned pair of report lists with move buttons that the
// user, group and Memo database dialogs and the account import share: list
// 0 is the Available side, list 1 the Assigned side; each record holds item
// 0 the entity's identifier and item 1 its display name with its icon.
// Moving marks the assignment dirty; the dialog's save writes the link rows
// while it is and clears it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "com/StdPicture.h"
#include "forms/Form.h"
#include "forms/lists/ReportControl.h"

namespace qvadmin {

// A candidate of the lists: the table that a dialog reads at load.
struct AssignmentEntry {
  std::string id;
  std::string name;
  int32_t icon = 1;
  bool assigned = false;
};

class AssignmentLists {
 public:
  // The lists `listName`(0) and (1) and the buttons `buttonName`(0) and
  // (1) of `form`; moving errors are reported with `moveLabel`.
  AssignmentLists(forms::Form& form, std::string listName, std::string buttonName, std::string moveLabel);

  // List setup: column "ID" hidden, column 1 with "Available"/"Assigned"
  // followed by `noun` (width 300), the icons (1, 2, ...), the row colour,
  // the empty-list texts and the sort by column 1.
  void Setup(const std::string& noun, const std::vector<com::StdPicturePtr>& icons, const std::string& emptyAvailable,
             const std::string& emptyAssigned);
  // Handles the lists' focus, selection and double-click events and the
  // move buttons' clicks on the form: 0 and 1 move, 2 runs `reload`.
  void Connect(std::function<void()> reload = {});

  std::vector<AssignmentEntry>& Candidates() { return m_candidates; }
  // How WriteLinks finds that an assigned entry still exists: `sql` returns
  // a row for an existing identifier (the parameter) and keeps it from
  // being deleted until the save's transaction ends; `noun` names an entry
  // in the message ("group").
  void SetCandidateCheck(std::string sql, std::string noun);

  // Fills both lists (hourglass meanwhile): `assigned` returns the assigned
  // rows; each marks its candidate, and the unmarked candidates make the
  // Available list; the assigned rows are taken as the stored assignment.
  // Errors are reported with `label`; the move buttons end
  // disabled either way.
  void Fill(const std::function<std::vector<AssignmentEntry>()>& assigned, const std::string& label);
  // Moves the selected rows of list `index` to the other list (MoveEntry).
  void Move(int16_t index);

  // The candidates of the group lists: every row of Gruppen in the order
  // returned, and the list setup with the group picture of the main window.
  void LoadGroups();

  bool Dirty() const { return m_dirty; }
  void SetDirty(bool dirty) { m_dirty = dirty; }
  // Item 0 of each record of the Assigned list, in row order.
  std::vector<std::string> AssignedIDs() const;
  // While dirty: the link rows of `owner` go (`deleteSql`, with the owner
  // as parameter) and one is inserted per row of the Assigned list
  // (`insertSql`, with the owner and the row's item 0). The flag stays.
  // Before that, the link rows as they stand (`currentSql`, the owner as
  // parameter, the other key in field 0; "" for an owner not stored yet)
  // must be the stored assignment, so that an assignment someone else
  // changed meanwhile is not overwritten: else 0x80040E38 is raised and
  // nothing is written. And every assigned entry must still exist (see
  // SetCandidateCheck): an entry someone else deleted meanwhile is dropped
  // from the candidates and RaiseAssignedDeletedMeanwhile is raised.
  void WriteLinks(const std::string& currentSql, const std::string& deleteSql, const std::string& insertSql,
                  const rt::Variant& owner);
  // After a save: the Assigned list is the stored assignment; not dirty.
  void MarkStored();
  // Runs after every move (the import enables its Import button).
  void OnMoved(std::function<void(int16_t index)> action) { m_onMoved = std::move(action); }

  forms::ReportControl& List(int16_t index) const;

 private:
  void EnableButton(int16_t index, bool enabled) const;

  forms::Form& m_form;
  std::string m_listName;
  std::string m_buttonName;
  std::string m_moveLabel;
  std::vector<AssignmentEntry> m_candidates;
  std::string m_candidateCheck;
  std::string m_candidateNoun;
  std::vector<std::string> m_stored;  // the assigned identifiers as last read or written, sorted
  bool m_dirty = false;
  std::function<void(int16_t)> m_onMoved;
};

// The rows of a query whose fields 0 and 1 are an identifier and a name.
std::vector<AssignmentEntry> ReadEntries(const std::string& sql, const std::vector<rt::Variant>& parameters);

// The candidates' checks of the group and the user lists.
inline constexpr const char* kGroupStillThere = "SELECT ID FROM Gruppen WHERE ID=? FOR KEY SHARE";
inline constexpr const char* kUserStillThere = "SELECT ID FROM Benutzer WHERE ID=? FOR KEY SHARE";

// The paint colour of every report list of these forms (red 255, green
// 255, blue 240).
inline constexpr uint32_t kListBackColor = 0xF0FFFF;

}  // namespace qvadmin
