#include "Global.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "UpdateWindow.h"
#include "forms/App.h"
#include "forms/Constants.h"
#include "forms/MsgBox.h"
#include "forms/Responder.h"
#include "forms/Screen.h"
#include "forms/controls/Animation.h"
#include "runtime/Date.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "services/SettingsProblems.h"
#include "win/Window.h"

namespace verscout {

namespace fs = std::filesystem;

std::string ProgramFolder() { return forms::App().Path; }

namespace {

kvctl2::cRegSettings& CurrentSettings() {
  if (!Settings) rt::Raise(91);  // object variable not set: released or never made
  return *Settings;
}

void ShowRegistryError(const char* englishTitle, const char* germanTitle) {
  PlainMsgBox(Text("Registry access error occurs", "Zugriffsfehler auf Registry"),
              forms::vbCritical | forms::vbSystemModal, Text(englishTitle, germanTitle));
}

}  // namespace

rt::Variant ReadRegValue(const std::string& Key, const rt::Variant& Default) {
  rt::Variant value;
  rt::OnErrorGoTo([&] { value = CurrentSettings().GetSetting("", Key, Default); },
                  [](const rt::Error&) {
                    rt::Err().Clear();
                    ShowRegistryError("Key access error 2", "Key-Zugriffsfehler 2");
                  });
  return value;
}

bool WriteRegValue(const std::string& Key, const rt::Variant& Value, bool IsNumberValue) {
  bool written = false;
  const bool ok = rt::OnErrorGoTo([&] { written = CurrentSettings().SetSetting("", Key, Value, IsNumberValue); },
                                  [](const rt::Error&) {
                                    rt::Err().Clear();
                                    ShowRegistryError("Key access error 4", "Key-Zugriffsfehler 4");
                                  });
  if (ok && !written) TellSettingsProblems();
  return ok && written;
}

bool TellSettingsProblems() {
  const kvctl2::SettingsNotice notice = kvctl2::TakeSettingsNotice(IsEnglish);
  if (!notice.text.empty()) {
    // Information: a run without a display goes on with what was kept.
    PlainMsgBox(notice.text, forms::vbExclamation, notice.title);
    LinesForLog.push_back(notice.title + ": " + OneLine(notice.text));
  }
  return notice.unreadable;
}

int32_t TodayDayNumber() { return static_cast<int32_t>(rt::Today().days); }

int32_t PlainMsgBox(const std::string& prompt, int32_t buttons, const std::string& title) {
  try {
    return forms::MsgBox(prompt, buttons, title);
  } catch (const rt::Error& error) {
    if (error.Number() != forms::errNoResponder) throw;
    TellOnErrorOutput(title, prompt);
    const std::vector<int32_t> offered = forms::MsgBoxButtons(buttons);
    return offered.empty() ? 0 : offered.front();
  }
}

std::string OneLine(const std::string& text) {
  // A run of line breaks (a blank line between paragraphs too) is one blank.
  std::string line;
  bool inBreak = false;
  for (const char c : text) {
    if (c == '\r' || c == '\n') {
      inBreak = true;
      continue;
    }
    if (inBreak && !line.empty() && line.back() != ' ' && c != ' ') line += ' ';
    inBreak = false;
    line += c;
  }
  return line;
}

void TellOnErrorOutput(const std::string& title, const std::string& prompt) {
  std::fprintf(stderr, "Verscout: %s: %s\n", title.c_str(), OneLine(prompt).c_str());
}

int32_t ShowMsgEx(const std::string& Prompt, int32_t Buttons, const std::string& Title) {
  if (IsSilent || !Window) return 0;
  const int16_t pointer = forms::Screen::MousePointer();
  forms::Screen::SetMousePointer(0);
  Window->SetTopMost(0, false);
  const int32_t result = Window->MsgBoxEx(Prompt, Buttons, Title);
  forms::Screen::SetMousePointer(pointer);
  return result;
}

void SetHourglass(bool bOn) {
  if (IsSilent) return;
  forms::Screen::SetMousePointer(bOn ? 11 : 0);
}

win::LRESULT HookProc(int code, win::WPARAM wParam, win::LPARAM lParam) {
  if (code >= 0 && wParam == win::WM_RBUTTONUP) {
    const auto* data = reinterpret_cast<const win::MOUSEHOOKSTRUCT*>(lParam);
    if (win::GetClassNameA(data->hwnd) == kBrowserPageClass) return 1;
  }
  return win::CallNextHookEx(MouseHook.Get(), code, wParam, lParam);
}

std::string DecodeCharCodes(const std::string& coded) {
  std::string text;
  for (const std::string& piece : rt::Split(coded, "|")) text += rt::Chr(static_cast<uint8_t>(Val(piece)));
  return text;
}

void ClearTempFolder(bool bRemoveDir) {
  if (!TempFolder.ends_with("QVVerscout/")) return;
  std::error_code ignored;
  for (const fs::directory_entry& entry : fs::directory_iterator(TempFolder, ignored)) {
    if (entry.is_regular_file(ignored)) fs::remove(entry.path(), ignored);
  }
  if (bRemoveDir) fs::remove(TempFolder, ignored);
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return rt::FromAnsi(bytes);
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(path, error) && fs::path(path).filename().string().size() >= 2;
}

bool FolderExists(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(path, error);
}

double Val(const std::string& text) {
  size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos) return 0;
  size_t end = i;
  if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
  const auto digits = [&] {
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
  };
  digits();
  if (end < text.size() && text[end] == '.') {
    ++end;
    digits();
  }
  if (end < text.size() && (text[end] == 'E' || text[end] == 'e')) {
    const size_t mantissaEnd = end++;
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
    const size_t exponentStart = end;
    digits();
    if (end == exponentStart) end = mantissaEnd;
  }
  return std::strtod(text.substr(i, end - i).c_str(), nullptr);
}

void InitXPStyles() {
  static bool done = false;
  if (done) return;
  done = true;
  if (IsComCtl6Loaded()) {
    forms::INITCOMMONCONTROLSEX init;
    init.dwICC = forms::ICC_USEREX_CLASSES;
    forms::InitCommonControlsEx(&init);
  }
}

bool IsComCtl6Loaded() { return true; }

}  // namespace verscout
