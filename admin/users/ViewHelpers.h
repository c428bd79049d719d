// Helpers that the user and Memo database views and dialogs share: the
// report lists' rows and records, the info line counts and statements that
// must land together.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ado/Connection.h"
#include "forms/Form.h"
#include "forms/lists/ReportControl.h"
#include "runtime/Error.h"
#include "runtime/Variant.h"

namespace qvadmin {

// F1 (key code 112) pressed on `form`: the key is consumed and the help
// opens at the form's help context in the window "Main".
void HelpOnF1(const forms::Form& form, int16_t& keyCode);

// A field value joined with "": Null and Empty become "".
std::string ItemText(const rt::Variant& value);

// A truth value as the lists and dialogs show it: Null counts as false.
bool Truth(const rt::Variant& value);

// A date value without its time (the date formatted "Short Date" and read
// back); Null stays Null.
rt::Variant DateOnly(const rt::Variant& value);

// A count as the info lines write it ("##,##0": 1234 is "1,234").
std::string FormatCount(int64_t n);

// The record of the first selected row; raises 5 when no row is selected.
std::shared_ptr<forms::ReportRecord> FirstSelectedRecord(const forms::ReportControl& list);

// After a populate: the row of `remembered` is selected; without one the
// first row (when there is one) becomes the focused row.
void SelectAfterFill(forms::ReportControl& list, const std::shared_ptr<forms::ReportRecord>& remembered);

// The server refused a Benutzer row for its login (the unique index
// iWinUsr): another user has that login. Any other integrity error is not.
bool IsDuplicateLogin(const rt::Error& e);

// Runs `work` in a transaction on `cn`: committed when it returns, rolled
// back (and the error passed on) when it raises.
void RunInTransaction(ado::Connection& cn, const std::function<void()>& work);

// Statements through the layer: with parameters, without returned rows.
int32_t ExecuteNoRecords(const std::string& sql, const std::vector<rt::Variant>& parameters = {});

}  // namespace qvadmin
