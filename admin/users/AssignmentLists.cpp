#include "users/AssignmentLists.h"

#include <algorithm>
#include <unordered_map>

#include "core/ErrorReport.h"
#include "core/SessionState.h"
#include "core/ShowMsgEx.h"
#include "main/frmMDI.h"
#include "runtime/Error.h"
#include "users/LoadedRecord.h"
#include "users/ViewHelpers.h"

namespace qvadmin {

AssignmentLists::AssignmentLists(forms::Form& form, std::string listName, std::string buttonName, std::string moveLabel)
    : m_form(form),
      m_listName(std::move(listName)),
      m_buttonName(std::move(buttonName)),
      m_moveLabel(std::move(moveLabel)) {}

forms::ReportControl& AssignmentLists::List(int16_t index) const {
  return *m_form.Get<forms::ReportControl>(m_listName, index);
}

void AssignmentLists::EnableButton(int16_t index, bool enabled) const {
  rt::ResumeNext([&] { m_form.Control(m_buttonName, index)->SetEnabled(enabled); });
}

void AssignmentLists::Setup(const std::string& noun, const std::vector<com::StdPicturePtr>& icons,
                            const std::string& emptyAvailable, const std::string& emptyAssigned) {
  for (int16_t i = 0; i <= 1; ++i) {
    forms::ReportControl& list = List(i);
    list.AddColumn(0, "ID", 0, true)->SetVisible(false);
    auto name = list.AddColumn(1, std::string(i == 0 ? "Available" : "Assigned") + " " + noun, 300, true);
    for (size_t n = 0; n < icons.size(); ++n) {
      if (icons[n]) list.Icons().Add(static_cast<int32_t>(n + 1), icons[n]);
    }
    list.SetRowBackColor(kListBackColor);
    list.SetNoItemsText(i == 0 ? emptyAvailable : emptyAssigned);
    list.ClearSortOrder();
    list.AddSortColumn(name);
  }
}

void AssignmentLists::Connect(std::function<void()> reload) {
  m_form.OnControlEvent(m_listName, "GotFocus", [this](int16_t i, com::Args&) {
    rt::ResumeNext([&] { List(static_cast<int16_t>(1 - i)).ClearSelection(); });
    EnableButton(static_cast<int16_t>(1 - i), false);
  });
  m_form.OnControlEvent(m_listName, "SelectionChanged",
                        [this](int16_t i, com::Args&) { EnableButton(i, !List(i).SelectedRows().empty()); });
  m_form.OnControlEvent(m_listName, "RowDblClick", [this](int16_t i, com::Args&) { Move(i); });
  m_form.OnControlEvent(m_buttonName, "Click", [this, reload](int16_t i, com::Args&) {
    if (i == 0 || i == 1) Move(i);
    if (i == 2 && reload) reload();
  });
}

void AssignmentLists::Fill(const std::function<std::vector<AssignmentEntry>()>& assigned, const std::string& label) {
  rt::OnErrorGoTo(
      [&] {
        SetHourglass(true);
        // The first candidate of each identifier, so that marking stays linear.
        std::unordered_map<std::string, AssignmentEntry*> byId;
        for (auto& entry : m_candidates) {
          entry.assigned = false;
          byId.emplace(entry.id, &entry);
        }
        forms::ReportControl& target = List(1);
        target.DeleteAllRecords();
        m_stored.clear();
        for (const AssignmentEntry& row : assigned()) {
          m_stored.push_back(row.id);
          auto record = target.AddRecord();
          record->AddItem(row.id);
          record->AddItem(row.name).SetIcon(row.icon);
          if (auto found = byId.find(row.id); found != byId.end()) found->second->assigned = true;
        }
        std::sort(m_stored.begin(), m_stored.end());
        target.Populate();
        forms::ReportControl& source = List(0);
        source.DeleteAllRecords();
        for (const auto& entry : m_candidates) {
          if (entry.assigned) continue;
          auto record = source.AddRecord();
          record->AddItem(entry.id);
          record->AddItem(entry.name).SetIcon(entry.icon);
        }
        source.Populate();
      },
      [&](const rt::Error&) { ErrorReport(label); });
  EnableButton(0, false);
  EnableButton(1, false);
  SetHourglass(false);
  rt::Err().Clear();
}

void AssignmentLists::Move(int16_t index) {
  const int16_t other = static_cast<int16_t>(1 - index);
  rt::OnErrorGoTo(
      [&] {
        m_dirty = true;
        forms::ReportControl& from = List(index);
        forms::ReportControl& to = List(other);
        for (int32_t row = from.RowCount() - 1; row >= 0; --row) {
          if (!from.RowSelected(row)) continue;
          const auto record = from.RowRecord(row);
          auto moved = to.AddRecord();
          for (int32_t item = 0; item < record->ItemCount(); ++item) {
            moved->AddItem(record->Item(item).Value()).SetIcon(record->Item(item).Icon());
          }
          from.RemoveRecordAt(record->Index());
        }
        from.Populate();
        to.Populate();
      },
      [&](const rt::Error&) { ErrorReport(m_moveLabel); });
  EnableButton(0, false);
  EnableButton(1, false);
  rt::Err().Clear();
  if (m_onMoved) m_onMoved(index);
}

void AssignmentLists::SetCandidateCheck(std::string sql, std::string noun) {
  m_candidateCheck = std::move(sql);
  m_candidateNoun = std::move(noun);
}

void AssignmentLists::LoadGroups() {
  m_candidates = ReadEntries("SELECT ID,Bez FROM Gruppen", {});
  SetCandidateCheck(kGroupStillThere, "group");
  Setup("Groups", {frmMDI::Default()->ListPicture(3)}, "All groups assigned!", "No group assigned!");
}

void AssignmentLists::WriteLinks(const std::string& currentSql, const std::string& deleteSql,
                                 const std::string& insertSql, const rt::Variant& owner) {
  if (!m_dirty) return;
  if (!currentSql.empty()) {
    std::vector<std::string> current;
    for (ado::Recordset rs = MainConnection().Execute(currentSql, {owner}); !rs.Eof(); rs.MoveNext()) {
      current.push_back(ItemText(rs.Fields(0).Value()));
    }
    std::sort(current.begin(), current.end());
    if (current != m_stored) RaiseChangedMeanwhile(m_form.Name());
  }
  if (!m_candidateCheck.empty()) {
    for (const std::string& id : AssignedIDs()) {
      if (!MainConnection().Execute(m_candidateCheck, {rt::Variant(id)}).Eof()) continue;
      // Gone for good: the lists, read again, no longer offer it.
      const auto gone = std::find_if(m_candidates.begin(), m_candidates.end(),
                                     [&](const AssignmentEntry& entry) { return entry.id == id; });
      const std::string name = gone != m_candidates.end() ? gone->name : id;
      if (gone != m_candidates.end()) m_candidates.erase(gone);
      RaiseAssignedDeletedMeanwhile(m_candidateNoun, name);
    }
  }
  ExecuteNoRecords(deleteSql, {owner});
  for (const std::string& id : AssignedIDs()) ExecuteNoRecords(insertSql, {owner, rt::Variant(id)});
}

void AssignmentLists::MarkStored() {
  m_stored = AssignedIDs();
  std::sort(m_stored.begin(), m_stored.end());
  m_dirty = false;
}

std::vector<AssignmentEntry> ReadEntries(const std::string& sql, const std::vector<rt::Variant>& parameters) {
  std::vector<AssignmentEntry> rows;
  for (ado::Recordset rs = MainConnection().Execute(sql, parameters); !rs.Eof(); rs.MoveNext()) {
    rows.push_back({ItemText(rs.Fields(0).Value()), ItemText(rs.Fields(1).Value())});
  }
  return rows;
}

std::vector<std::string> AssignmentLists::AssignedIDs() const {
  std::vector<std::string> ids;
  const forms::ReportControl& list = List(1);
  for (int32_t r = 0; r < list.RecordCount(); ++r) ids.push_back(ItemText(list.Record(r)->Item(0).Value()));
  return ids;
}

}  // namespace qvadmin
