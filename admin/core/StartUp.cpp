#include "core/StartUp.h"

#include <cstdint>

#include "core/RegistrySettings.h"
#include "core/SessionState.h"
#include "forms/Constants.h"
#include "forms/controls/Animation.h"
#include "main/frmMDI.h"
#include "runtime/Error.h"
#include "win/Modules.h"
#include "win/Themes.h"

namespace qvadmin {

namespace {

// 0 = not yet determined, -1 = themed, 1 = not themed.
int32_t& ThemeCache() {
  static int32_t cache = 0;
  return cache;
}
bool& Prepared() {
  static bool prepared = false;
  return prepared;
}
int& Initialisations() {
  static int count = 0;
  return count;
}

}  // namespace

bool IsThemed() {
  rt::ResumeNext([] {
    if (ThemeCache() != 0) return;
    ThemeCache() = 1;
    if (!win::IsAppThemed() || !win::IsThemeActive()) return;
    if ((win::GetThemeAppProperties() & win::STAP_ALLOW_CONTROLS) == 0) return;
    win::DLLVERSIONINFO version;
    version.cbSize = 20;
    if (win::DllGetVersion("comctl32.dll", &version) != win::S_OK) return;
    ThemeCache() = version.dwMajorVersion >= 6 ? -1 : 1;
  });
  rt::Err().Clear();
  ThemesActive = ThemeCache() == -1;
  return ThemesActive;
}

void InitXPStyles() {
  if (Prepared()) return;
  if (IsThemed()) {
    rt::ResumeNext([] {
      win::LoadLibraryA("shell32.dll");
      forms::INITCOMMONCONTROLSEX init;
      forms::InitCommonControlsEx(&init);
      ++Initialisations();
    });
    rt::Err().Clear();
  }
  Prepared() = true;
}

void Main() {
  // Errors are ignored from here on: each step runs on after an error.
  IsCompiled = !rt::Err().Number();
  rt::ResumeNext(InitXPStyles);
  rt::ResumeNext(LoadSettings);
  rt::ResumeNext([] { cnMain = std::make_shared<ado::Connection>(); });
  rt::ResumeNext([] { frmMDI::Default()->Show(forms::vbModeless); });
  rt::Err().Clear();
}

namespace detail {

void ForgetThemeState() {
  ThemeCache() = 0;
  Prepared() = false;
  Initialisations() = 0;
}

int CommonControlsInitialised() { return Initialisations(); }

}  // namespace detail

}  // namespace qvadmin
