// Helpers that the user and Memo database views and dialogs share: tab
// icons, help, the report lists' rows and records, the info line counts
// and statements that must land together.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ado/Connection.h"
#include "forms/containers/TabControl.h"
#include "forms/lists/ReportControl.h"
#include "runtime/Variant.h"

namespace qvadmin {

// The F1 key's code.
inline constexpr int16_t kKeyF1 = 112;

// Gives the tab control the pictures of the main window's image list
// named by `keys` ("UserCard|UserGrp": icon 0, icon 1, ...), the button
// face colour, and selects its first page. Errors are ignored.
void RegisterTabs(forms::TabControl& tabs, const std::string& keys);

// Opens the program's help at `context` in the help window `window`.
void ShowHelp(int32_t context, const std::string& window = "Main");

// A field value joined with "": Null and Empty become "".
std::string ItemText(const rt::Variant& value);

// A count as the info lines write it ("##,##0": 1234 is "1,234").
std::string FormatCount(int64_t n);

// The record of the first selected row; raises 5 when no row is selected.
std::shared_ptr<forms::ReportRecord> FirstSelectedRecord(const forms::ReportControl& list);

// After a populate: the row of `remembered` is selected; without one the
// first row (when there is one) becomes the focused row.
void SelectAfterFill(forms::ReportControl& list, const std::shared_ptr<forms::ReportRecord>& remembered);

// Runs `work` in a transaction on `cn`: committed when it returns, rolled
// back (and the error passed on) when it raises.
void RunInTransaction(ado::Connection& cn, const std::function<void()>& work);

// Statements through the layer: with parameters, without returned rows.
int32_t ExecuteNoRecords(const std::string& sql, const std::vector<rt::Variant>& parameters = {});

}  // namespace qvadmin
