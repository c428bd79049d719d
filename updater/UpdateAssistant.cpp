#include "UpdateAssistant.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "CodedTexts.h"
#include "Global.h"
#include "core/TextHelpers.h"
#include "forms/Constants.h"
#include "forms/MsgBox.h"
#include "forms/Screen.h"
#include "inet/Waiting.h"
#include "mMain.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "runtime/Variant.h"
#include "win/MessageQueue.h"
#include "win/Window.h"

namespace verscout {

namespace fs = std::filesystem;

std::string LogFileBase(const std::string& updateFolder) {
  std::string parent = fs::path(updateFolder).parent_path().string();
  if (!parent.empty() && parent.back() != '/') parent += '/';
  return parent + "UpdLog";
}

bool UpdateAssistant::Load() {
  Window = &m_window;
  HookInstalled = true;
  const bool addressesSet = rt::ResumeNext([&] {
    const std::string base = DecodeCharCodes(coded::kServerBase) + "4";
    DataURL = base + DecodeCharCodes(coded::kDataFolder);
    PageURL = base + DecodeCharCodes(coded::kPageFolder);
    if (IsEnglish) {
      DataURL = rt::Replace(DataURL, ".de", ".org");
      PageURL = rt::Replace(PageURL, ".de", ".org");
    }
  });
  // The hook keeps the browser's context menu away; it is installed only
  // when loading went well so far.
  HookInstalled = addressesSet;
  if (HookInstalled) {
    MouseHook.Reset(
        win::SetWindowsHookExA(win::WH_MOUSE, &HookProc, win::GetModuleHandleA(), win::GetCurrentThreadId()));
  }
  DownloadFailed = false;
  m_download = std::make_shared<clsDownload>(weak_from_this());
  CurrentPage = "updwelcome";

  m_logger = std::make_shared<clsLogger>();
  bool logging = false;
  rt::ResumeNext([&] {
    m_logger->LogFile(LogFileBase(UpdateFolder));
    m_logger->LogLevel(2);
    m_logger->MaxFileIterations(2);
    m_logger->MaxFileSize(900000);
    logging = m_logger->BeginLogging();
  });
  if (!logging && m_logger->HeldByAnother()) {
    // Another assistant writes this log (one of another user, or of
    // another computer, with the same update folder).
    m_logger.reset();
    TellAlreadyRunning(0);
    Close();
    return false;
  }
  if (!logging) {
    m_logger.reset();
    PlainMsgBox(Text("Logging not possible.\r\n\r\nNo writing/reading permissions?",
                     "Logging nicht möglich.\r\n\r\nKeine Schreib-/Leserechte?"),
                forms::vbCritical | forms::vbSystemModal, Text("Abortion!", "Abbruch!"));
    Close();
    return false;
  }
  m_logger->CurrentProcedure("*Online-Update");
  rt::ResumeNext([&] { m_logger->IUPrint(1, "START"); });
  m_logger->CurrentProcedure("");
  // What was told before the log began (a damaged settings file).
  WriteLinesForLog();

  UpdateState = 0;
  // A copy into the update folder that a run before could not end (killed
  // in the middle) is ended first: the local version is read from there.
  rt::ResumeNext([&] {
    const std::string done = CompleteInterruptedCopy({UpdateFolder + "/QVUpdate.exe", UpdateFolder + "/ver.txt"});
    if (!done.empty()) Log("Interrupted copy into the update folder " + done);
  });
  rt::ResumeNext([&] {
    const std::string localFile = IsAdminMode ? UpdateFolder + "/ver.txt" : ProgramFolder() + "/ver.txt";
    const double version = Val(qvadmin::GetToken(ReadTextFile(localFile), 3, "|"));
    // The version is a 32-bit number; one that does not fit leaves 0.
    LocalVersion = rt::Variant(version).ToLong();
  });
  rt::ResumeNext([] {
    std::error_code ignored;
    for (const fs::directory_entry& entry : fs::directory_iterator(TempFolder + "upd", ignored)) {
      if (entry.is_regular_file(ignored)) fs::remove(entry.path(), ignored);
    }
  });
  rt::Err().Clear();
  return true;
}

void UpdateAssistant::QueryUnload() {
  m_closing = true;
  m_download.reset();
  if (m_logger) {
    WriteLinesForLog();
    rt::ResumeNext([&] { m_logger->IUPrint(1, "ENDE"); });
    m_logger->StopLogging();
    m_logger.reset();
  }
  if (HookInstalled) MouseHook.Reset();
  ExitAssistant();
  if (Window == &m_window) Window = nullptr;
  rt::Err().Clear();
}

void UpdateAssistant::Close() {
  if (m_closing) return;
  m_closing = true;
  m_window.Unload();
}

void UpdateAssistant::WriteLinesForLog() {
  if (!m_logger) return;
  for (const std::string& line : std::exchange(LinesForLog, {})) {
    rt::ResumeNext([&] { m_logger->IUPrint(1, line); });
  }
}

void UpdateAssistant::Log(const std::string& line) {
  if (!m_logger) return;
  WriteLinesForLog();
  rt::ResumeNext([&] { m_logger->IUPrint(1, line); });
}

void UpdateAssistant::ReportFileFailure(FileStep step) {
  const bool write = step == FileStep::Write;
  const std::string line = (write ? Text("Write error: ", "Schreibfehler: ") : Text("Copy error: ", "Kopierfehler: ")) +
                           rt::Err().Description();
  m_window.AddStatusLine(line);
  m_window.SetStatusListColor(0xC0);
  m_window.SetStatusText(write ? Text("Files cannot be saved in the temporary folder.",
                                      "Im temporären Ordner können keine Dateien gespeichert werden.")
                               : Text("The update cannot be copied into the update folder.",
                                      "Das Update kann nicht in den Update-Ordner kopiert werden."));
  Log(line);
}

void UpdateAssistant::Call(const std::string& url, const std::function<void(clsDownload&)>& call) {
  const std::shared_ptr<clsDownload> download = m_download;
  if (!download) return;
  Downloading = true;
  // The window keeps answering while the call waits for the server, and a
  // close request abandons the wait at once.
  const inet::ScopedWaitHook answering([this] {
    win::DoEvents();
    return !CancelRequested && !m_closing;
  });
  const bool ok = rt::ResumeNext([&] { call(*download); });
  Downloading = false;
  if (ok && !download->LastFailure().empty()) Log("Download " + url + ": " + download->LastFailure());
  if (CancelRequested && !m_closing) {
    CancelRequested = false;
    Close();
  }
  if (!ok) throw rt::Err().Current();
}

std::string UpdateAssistant::Transfer(const std::string& url, int32_t bytes) {
  std::string result;
  Call(url, [&](clsDownload& download) { result = download.Downloadfile(url, bytes, "Download"); });
  return result;
}

void UpdateAssistant::cmdClose_Click() {
  CancelRequested = true;
  if (!Downloading) {
    CancelRequested = false;
    Close();
  }
}

void UpdateAssistant::Progresschanged(double& Progress, int32_t& /*size*/, bool& Cancel) {
  // The bar moves when its value does, not at every one of a large file's
  // many chunks.
  const int32_t percent = rt::Variant(Progress).ToLong();
  if (percent != m_barValue) {
    m_barValue = percent;
    m_window.ProgressUpdateTo(percent);
  }
  win::DoEvents();
  if (CancelRequested && !m_closing) {
    CancelRequested = false;
    Cancel = true;
    forms::Screen::SetMousePointer(0);
    Close();
  }
}

}  // namespace verscout
