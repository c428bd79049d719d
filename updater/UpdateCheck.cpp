// The update check: the server's version file against the local one.
#include <filesystem>
#include <system_error>

#include "FileHandling.h"
#include "Global.h"
#include "UpdateAssistant.h"
#include "core/TextHelpers.h"
#include "forms/Constants.h"
#include "forms/MsgBox.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace verscout {

void UpdateAssistant::UpdateSuche() {
  if (m_closing || IsBusy()) return;
  const std::shared_ptr<UpdateAssistant> self = shared_from_this();
  FlagScope checking(m_checking);
  if (!IsSilent) {
    SetHourglass(true);
    m_window.SetStatusColor(0x404040);
    m_window.SetStatusText(Text("Please wait, searching for updates...", "Bitte warten, es wird nach Updates gesucht..."));
    m_window.AddStatusLine("UpdateCheck...");
  }
  rt::ResumeNext([] { WriteRegValue("LastUpdateCheck", TodayDayNumber(), true); });

  const FetchResult fetched = Fetch("ver.txt");
  if (m_closing) return;
  if (fetched != FetchResult::Fetched) {
    if (IsSilent) {
      ShowResultAndEnd(false);
      return;
    }
    // A version file that arrived cut short or too long says nothing about
    // the file on the server: the connection failed, so no probe.
    const bool probe = fetched == FetchResult::Missing && FetchServerFile("_FlagIsConnect");
    if (m_closing) return;
    m_window.Beep();
    m_window.SetStatusColor(0x80);
    if (probe) {
      m_window.SetStatusText(
          Text("Maintenance work, please try again later.", "Wartungsarbeiten, bitte versuchen Sie es später noch einmal."));
      m_window.Navigate(PageURL + "WartungMsg.htm");
      SetHourglass(false);
      m_window.ShowFileAnimation(false);
      m_window.ShowBrowser(true);
    } else {
      // The status line of a file that could not be written stays; the
      // others say the connection failed.
      m_window.SetStatusListColor(0xC0);
      if (fetched != FetchResult::NotWritten) {
        m_window.SetStatusText(Text("Please check your Internet connection and try again.",
                                    "Überprüfen Sie Ihre Internetverbindung und versuchen Sie es noch einmal."));
      }
      SetHourglass(false);
      m_window.ShowFileAnimation(false);
      m_window.EnableLink(2);
    }
    return;
  }

  m_window.AddStatusLine("Logout...");
  SetHourglass(false);
  m_window.ShowFileAnimation(false);
  if (IsUpdate()) {
    if (IsSilent) {
      ShowResultAndEnd(true);
    } else {
      m_window.Navigate(PageURL + "UpdateYes.htm");
      m_window.ShowBrowser(true);
    }
  } else {
    m_window.Navigate(PageURL + "UpdateNo.htm");
    if (IsSilent) {
      ShowResultAndEnd(false);
    } else {
      m_window.ShowBrowser(true);
    }
  }
}

bool UpdateAssistant::FetchServerFile(const std::string& name) { return Fetch(name) == FetchResult::Fetched; }

UpdateAssistant::FetchResult UpdateAssistant::Fetch(const std::string& name) {
  FetchResult result = FetchResult::Missing;
  rt::ResumeNext([&] {
    m_window.SetStatusTop(2280);
    m_window.MoveStatusList(4080, 3000, 4965, 1515);
    m_window.ShowProgressBar(false);
    const std::string path = TempFolder + name;
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    const std::string text = Transfer(DataURL + name, 1024);
    if (!m_download) return;
    // A body of another length than announced is no file.
    if (m_download->LastTransferBroken()) {
      result = FetchResult::Broken;
    } else if (!text.empty() && m_download->LastBodyComplete()) {
      if (rt::ResumeNext([&] { WriteWholeFile(path, text); })) {
        result = FetchResult::Fetched;
      } else {
        ReportFileFailure(FileStep::Write);
        result = FetchResult::NotWritten;
      }
    }
  });
  rt::Err().Clear();
  return result;
}

bool UpdateAssistant::IsUpdate() {
  const std::string text = ReadTextFile(TempFolder + "ver.txt");
  UpdateState = 0;
  const double serverVersion = Val(qvadmin::GetToken(text, 3, "|"));
  const bool valid = serverVersion >= 1 && text.find("|QV") != std::string::npos;
  if (valid && serverVersion != LocalVersion) {
    UpdateFiles = {"QVUpdate.exe"};
    Log("IsUpdate: AppUpdate from " + std::to_string(LocalVersion) + " to " + rt::FormatNumber(serverVersion));
    UpdateState = 1;
  }
  if (!valid) {
    Log("Error at Remote-ver: online-ver 0");
    PlainMsgBox(Text("Error during reading process:", "Fehler bei Lesevorgang:") + std::string("\r\n\r\n") +
                    TempFolder + "ver.txt",
                forms::vbCritical | forms::vbSystemModal | forms::vbMsgBoxSetForeground,
                Text("The remote version file is not readable.", "Die Remote-Versionsdatei ist nicht lesbar."));
  }
  return UpdateState > 0;
}

void UpdateAssistant::ShowResultAndEnd(bool bUpdate) {
  ShowMsgEx(bUpdate ? Text("A new update is available!", "Neues Update verfügbar!")
                    : Text("No Update available!", "Kein Neues Update!"),
            forms::vbInformation | forms::vbSystemModal, Text("Result!", "Resultat!"));
  Close();
}

}  // namespace verscout
