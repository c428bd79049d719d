// The download of the update files and their copy into the update folder.
#include "FileHandling.h"
#include "Global.h"
#include "UpdateAssistant.h"
#include "forms/Constants.h"
#include "forms/MsgBox.h"
#include "runtime/Error.h"

namespace verscout {

namespace {

constexpr int32_t errOverflow = 6;

}  // namespace

void UpdateAssistant::ShowErrorPage() {
  m_window.Navigate(PagePrefix + "updErr");
  m_window.Beep();
  if (IsSilent) {
    ShowResultAndEnd(false);
  } else {
    m_window.ShowPageAboveStatus();
  }
}

void UpdateAssistant::cmdDoUpdate_Click() {
  if (m_closing || IsBusy()) return;
  const std::shared_ptr<UpdateAssistant> self = shared_from_this();
  FlagScope downloadPass(m_downloadPass);
  SetHourglass(true);
  rt::ResumeNext([] { WriteRegValue("LastUpdateDwnld", TodayDayNumber(), true); });
  m_window.EnableDoUpdate(false);
  m_window.ShowFileAnimation(true);
  m_window.SetStatusColor(0x80);
  m_window.SetStatusBold(true);
  m_window.SetStatusTop(1200);
  m_window.MoveStatusList(4080, 1680, 4965, 2010);
  m_window.ShowProgressBar(true);
  m_window.ShowFileLabel(true);
  m_window.ClearStatusList();
  m_window.ShowBrowser(false);

  DownloadUpdateFiles(UpdateFiles);
  if (m_closing) return;  // cancelled: the window is gone

  m_window.ShowFileAnimation(false);
  m_window.EnableClose(false);
  m_window.EnableDoUpdate(false);
  m_window.ShowDoUpdate(false);
  if (!DownloadFailed && !UpdateFiles.empty()) {
    // The update file and the version file change together: a failed copy
    // leaves the update folder as it was.
    const std::string file = UpdateFiles.front();
    bool partly = false;
    if (!rt::ResumeNext([&] {
          CopyFilesTogether(
              {{TempFolder + file, UpdateFolder + "/" + file}, {TempFolder + "ver.txt", UpdateFolder + "/ver.txt"}},
              partly, m_renameFile);
        })) {
      ReportFileFailure(FileStep::Copy);
      DownloadFailed = true;
      if (partly) {
        // The error page says that nothing was copied: not so here.
        const std::string line = Text(
            "Only part of the update is in the update folder; the next start of the update "
            "assistant completes the copy.",
            "Nur ein Teil des Updates ist im Update-Ordner; der nächste Start des "
            "Update-Assistenten vervollständigt die Kopie.");
        m_window.AddStatusLine(line);
        Log(line);
        m_window.Beep();
        m_window.EnableClose(true);
        SetHourglass(false);
        return;
      }
    }
  }
  if (DownloadFailed || UpdateFiles.empty()) {
    ShowErrorPage();
  } else {
    m_window.Navigate(PagePrefix + (IsAdminMode ? "updOKPro" : "updOK"));
    m_window.ShowBrowser(true);
    UpdateLoaded = true;
  }
  if (m_closing) return;
  m_window.EnableClose(true);
  SetHourglass(false);
}

void UpdateAssistant::DownloadUpdateFiles(const std::vector<std::string>& Files) {
  const std::string count = std::to_string(Files.size());
  rt::OnErrorGoTo(
      [&] {
        const std::string init = Text("Initialization...", "Initialisierung...");
        m_window.SetStatusText(init);
        m_window.AddStatusLine(init);
        double total = 0;
        for (size_t i = 0; i < Files.size(); ++i) {
          m_window.AddStatusLine(Text("Check ", "Prüfe ") + std::to_string(i + 1) + Text(" of ", " von ") + count);
          const std::string size = Transfer(DataURL + Files[i], 0);
          if (m_closing) return;
          total += Val(size);
        }
        m_window.AddStatusLine(count + Text(" files are being loaded...", " Dateien werden geladen..."));
        if (total < 1) {
          const std::string none = Text("No data exists!", "Es existieren keine Daten!");
          m_window.SetStatusText(none);
          m_window.AddStatusLine(none);
          DownloadFailed = true;
          return;
        }
        m_window.SetStatusText(Text("Update is performing...", "Update wird ausgeführt..."));
        for (size_t i = 0; i < Files.size(); ++i) {
          m_window.ProgressUpdateTo(0);
          m_barValue = 0;
          m_window.ProgressReset();
          const std::string label = Text("File ", "Datei ") + std::to_string(i + 1) + Text(" of ", " von ") + count;
          m_window.SetFileLabel(label);
          m_window.AddStatusLine(IsEnglish ? "Download file " + std::to_string(i + 1) + " of " + count : "Lade " + label);
          // The body goes into the temporary file as it arrives: a large
          // update is never held whole in memory, and a full disk stops
          // the transfer at once.
          FileWriter file(TempFolder + Files[i]);
          const std::string url = DataURL + Files[i];
          Call(url, [&](clsDownload& download) {
            download.Downloadfile(url, 1024, "Download", [&](std::string_view bytes) { return file.Append(bytes); });
          });
          if (m_closing) return;
          m_window.ProgressUpdateTo(100);
          // A body of another length than announced ("#40503") is a failed
          // download; its file goes with the writer.
          const bool whole = m_download && m_download->LastBodyComplete();
          if ((whole || file.Failed()) && !rt::ResumeNext([&] { file.Close(); })) {
            ReportFileFailure(FileStep::Write);
            DownloadFailed = true;
          } else if (!whole) {
            m_window.SetStatusText(
                Text("The update could not be downloaded.", "Das Update konnte nicht heruntergeladen werden."));
            DownloadFailed = true;
          }
        }
      },
      [&](const rt::Error& error) {
        DownloadFailed = true;
        if (error.Number() == errOverflow) {
          // A size beyond the 32-bit sizes of the download: told as what it is.
          const std::string line = Text("The update file is too big: more than 2,147,483,647 bytes.",
                                        "Die Update-Datei ist zu groß: mehr als 2.147.483.647 Bytes.");
          m_window.SetStatusText(line);
          m_window.AddStatusLine(line);
          Log(line);
          return;
        }
        Log("Error " + std::to_string(error.Number()) + ": " + error.Description());
        PlainMsgBox(error.Description(), forms::vbCritical | forms::vbSystemModal | forms::vbMsgBoxSetForeground,
                    std::to_string(error.Number()));
      });
  rt::Err().Clear();
}

}  // namespace verscout
