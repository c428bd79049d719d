// The error reporter: user texts, the maintenance report, and what it
// shows through the message helper.
#include <gtest/gtest.h>

#include "core/ErrorReport.h"
#include "core/ProgramVersion.h"
#include "gdi/FontBackend.h"
#include "main/frmMDI.h"
#include "main/tests/MainWindowLoad.h"
#include "main/tests/FakeMsg.h"

namespace qvadmin {
namespace {

const std::string kHeading = "<b><u>Reporting system for maintenance purposes:</u></b><br><br>";
const std::string kVersion = std::string(", v") + kProgramVersion;

TEST(ErrorReportText, FixedTextsOfKnownDatabaseErrors) {
  struct Case {
    int32_t number;
    std::string prompt;
  };
  const std::string seeDetails = "Processing errors, for more information please see 'Details'";
  const Case cases[] = {
      {static_cast<int32_t>(0x80040E23), "The data record was deleted in the meantime!"},
      {static_cast<int32_t>(0x80004005), seeDetails},
      {static_cast<int32_t>(0x80040E14), seeDetails},
      {static_cast<int32_t>(0x80040E21),
       "Quorvelle has stopped the process because another user and\r\nyou are trying to modify the same data at the "
       "same time.\r\nPlease close the editing window and open it again to check the\r\nchanges of the other user."},
      {static_cast<int32_t>(0x80040E38),
       "The data were changed/saved concurrently by a user.\r\nYou must cancel your entry to update the data."},
      {3705,
       "The data could not be updated successfully, due to previous failing action.\r\nPlease close the editing "
       "window and try it again."},
      {40009,
       "No current row. There may be some MUST-field s) that are not filled out. Check your last entry and make sure "
       "to fill empty fields with data."},
      {5, "Microsoft SQL says: Quorvelle and Quorvelle failed"},
  };
  for (const Case& c : cases) {
    const ErrorReportText r = MakeErrorReport(c.number, "Microsoft SQL says: Microsoft Jet and Microsoft Jet failed", 0,
                                              "Save User");
    EXPECT_EQ(r.prompt, c.prompt) << c.number;
  }
}

TEST(ErrorReportText, ReportFormatWithAndWithoutLine) {
  EXPECT_EQ(MakeErrorReport(91, "Object variable not set", 0, "Save User").details,
            kHeading + "Error 91, Procedure: \"Save User\"." + kVersion);
  EXPECT_EQ(MakeErrorReport(91, "Object variable not set", 120, "Save User").details,
            kHeading + "Error 91, Line: 120, Procedure: \"Save User\"." + kVersion);
  EXPECT_EQ(MakeErrorReport(438, "x", 0, "Menu Selection", std::string("Extra<br>")).details,
            "Extra<br>" + kHeading + "Error 438, Procedure: \"Menu Selection\"." + kVersion);
}

TEST(ErrorReportText, DetailsTextCarriesTheErrorsOwnDescription) {
  const ErrorReportText r =
      MakeErrorReport(static_cast<int32_t>(0x80040E14), "Invalid column name 'Nme'.", 0, "Save Group");
  EXPECT_EQ(r.details, kHeading + "Invalid column name 'Nme'.<br><br>Error -2147217900, Procedure: \"Save Group\"." +
                           kVersion);
  // Other fixed texts explain themselves: no description in the details.
  EXPECT_EQ(MakeErrorReport(3705, "closed", 0, "L").details.find("closed"), std::string::npos);
}

TEST(ErrorReportText, InvalidRtfFile) {
  EXPECT_EQ(MakeErrorReport(321, "Invalid file format", 0, "Load rtf", std::nullopt, 321).prompt,
            "File can not be opened. Invalid file!");
  EXPECT_EQ(MakeErrorReport(321, "Invalid file format", 0, "Load rtf").prompt, "Invalid file format");
  EXPECT_EQ(MakeErrorReport(321, "Invalid file format", 0, "Load RTF file", std::nullopt, 321).prompt,
            "Invalid file format");
}

TEST(ErrorReport, ShowsTheCurrentErrorWithTheErrorIcon) {
  gdi::ScopedFixedMetrics metrics;
  test::ScopedFakeMsg fake;
  auto main = test::LoadMainWindow(false);
  test::FakeMsg* msg = test::FakeMsg::Last();
  ASSERT_NE(msg, nullptr);
  rt::OnErrorGoTo([] { throw rt::Error(3705, "closed", "ADODB", 42); },
                  [](const rt::Error&) { ErrorReport("Save Database"); });
  ASSERT_EQ(msg->calls.size(), 1u);
  const com::Args& a = msg->calls[0];
  EXPECT_EQ(a[0].ToString(), MakeErrorReport(3705, "closed", 42, "Save Database").prompt);
  EXPECT_EQ(a[1].ToLong(), 16);
  EXPECT_EQ(a[5].ToLong(), 16);
  EXPECT_EQ(a[6].ToString(), kHeading + "Error 3705, Line: 42, Procedure: \"Save Database\"." + kVersion);
  EXPECT_EQ(com::AsObject<com::StdPicture>(a[8]), main->ImagePicture("MsgError"));
  main->Unload();
}

}  // namespace
}  // namespace qvadmin
