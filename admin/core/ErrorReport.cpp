#include "core/ErrorReport.h"

#include <map>

#include "core/ConnectionLoss.h"
#include "core/ProgramVersion.h"
#include "core/ShowMsgEx.h"
#include "main/frmMDI.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace qvadmin {

namespace {

constexpr int32_t vbCritical = 16;
constexpr int32_t kInvalidFileCode = 321;
constexpr const char* kSeeDetails = "Processing errors, for more information please see 'Details'";

// Fixed texts of known database errors.
const std::map<int32_t, std::string>& FixedTexts() {
  static const std::map<int32_t, std::string> texts{
      {static_cast<int32_t>(0x80040E23), "The data record was deleted in the meantime!"},
      {static_cast<int32_t>(0x80004005), kSeeDetails},
      {static_cast<int32_t>(0x80040E14), kSeeDetails},
      {static_cast<int32_t>(0x80040E21),
       "Quorvelle has stopped the process because another user and\r\n"
       "you are trying to modify the same data at the same time.\r\n"
       "Please close the editing window and open it again to check the\r\n"
       "changes of the other user."},
      {static_cast<int32_t>(0x80040E38),
       "The data were changed/saved concurrently by a user.\r\n"
       "You must cancel your entry to update the data."},
      {3705,
       "The data could not be updated successfully, due to previous failing action.\r\n"
       "Please close the editing window and try it again."},
      {40009,
       "No current row. There may be some MUST-field s) that are not filled out. Check your last entry and make "
       "sure to fill empty fields with data."},
  };
  return texts;
}

bool EndsWith(const std::string& text, std::string_view end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The maintenance report: `extra`, the heading, the error's own words when
// the main text does not give them, and number, line, label and version.
std::string ReportDetails(int32_t number, const std::string& description, int32_t line, const std::string& label,
                          const std::optional<std::string>& extra, bool withDescription) {
  std::string details = extra.value_or("");
  details += "<b><u>Reporting system for maintenance purposes:</u></b><br><br>";
  if (withDescription) details += description + "<br><br>";
  details += "Error " + std::to_string(number);
  if (line > 0) details += ", Line: " + std::to_string(line);
  details += ", Procedure: \"" + label + "\".";
  details += std::string(", v") + kProgramVersion;
  return details;
}

}  // namespace

ErrorReportText MakeErrorReport(int32_t number, const std::string& description, int32_t line,
                                const std::string& label, const std::optional<std::string>& extra,
                                std::optional<int32_t> code) {
  ErrorReportText report;
  const auto fixed = FixedTexts().find(number);
  report.prompt = fixed == FixedTexts().end() ? rt::Replace(description, "Microsoft Jet", "Quorvelle") : fixed->second;
  if (EndsWith(label, "rtf") && code == kInvalidFileCode) report.prompt = "File can not be opened. Invalid file!";
  // A text that sends the user to 'Details' finds the error's own words there.
  report.details = ReportDetails(number, description, line, label, extra, report.prompt == kSeeDetails);
  return report;
}

void ErrorReport(const std::string& label, const std::optional<std::string>& extra, std::optional<int32_t> code) {
  const rt::Error error = rt::Err().Current();
  ErrorReportText report = MakeErrorReport(error.Number(), error.Description(), error.Line(), label, extra, code);
  auto show = [&report] {
    com::StdPicturePtr icon;
    rt::ResumeNext([&icon] { icon = frmMDI::Default()->ImagePicture("MsgError"); });
    ShowMsgEx(report.prompt, vbCritical, "App.title", "", 0, 0, report.details, false, icon);
  };
  if (!SessionConnectionLost()) {
    show();
    return;
  }
  // The server went away: said plainly, once for the whole action; the
  // server's reason is in the details.
  report.prompt = kConnectionLostText;
  report.details = ReportDetails(error.Number(), error.Description(), error.Line(), label, extra, true);
  ReportConnectionLoss(show);
}

}  // namespace qvadmin
