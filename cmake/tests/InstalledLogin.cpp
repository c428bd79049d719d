// qvinstalledlogin: plays the login of a QVAdmin that runs in another
// process on this X display (DISPLAY) as the README tells a new user to:
// the server typed into the login's server box in place of the computer's
// name offered, Windows Authentication as offered or, with a login name
// and password, SQL Server Authentication, then "Login". The install test
// plays the installed program with it.
//   qvinstalledlogin PID SERVER [USER PASSWORD]
// A window that shows over the login dialog while it connects (a message)
// is told on stdout with its title and answered with Enter. Exit code 0
// when the login dialog has closed and the main window is left, 1
// otherwise, with what was on top.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "forms/FormDesign.h"
#include "gdi/Twips.h"
#include "win/DisplayBackend.h"
#include "win/X11Testing.h"
#include "win/tests/x11/ProgramOnDisplay.h"

namespace {

namespace x11 = win::x11test;

constexpr const char* kLoginTitle = "SQL Server :: Login";
constexpr const char* kMainTitle = "Quorvelle Administration";
constexpr unsigned long kEndKey = 0xFF57;
// More than any server name the box can be offered.
constexpr int kErasures = 120;

// Where a control of the login dialog lies on the screen, as its design
// places it in the dialog's client area at `origin`.
win::RECT OnScreen(const forms::DesignNode& design, const std::string& name, win::POINT origin, int16_t index = -1) {
  for (const forms::DesignNode& c : design.children) {
    if (c.name != name || c.index != index) continue;
    const auto twips = [&c](const char* property) { return c.properties.ReadProperty(property, 0).ToLong(); };
    const int left = origin.x + gdi::TwipsToPixelsX(twips("Left"));
    const int top = origin.y + gdi::TwipsToPixelsY(twips("Top"));
    return win::RECT{left, top, left + gdi::TwipsToPixelsX(twips("Width")), top + gdi::TwipsToPixelsY(twips("Height"))};
  }
  std::fprintf(stderr, "qvinstalledlogin: no control %s in the login dialog's design\n", name.c_str());
  std::exit(1);
}

win::POINT Centre(const win::RECT& r) { return win::POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Clicks into an edit box and types the text in place of what it holds.
void TypeInto(const win::RECT& box, const std::string& text) {
  x11::ClickAtScreen(win::POINT{box.left + 20, (box.top + box.bottom) / 2});
  x11::TapKeySymbol(kEndKey);
  for (int i = 0; i < kErasures; ++i) x11::TypeText("\b");
  x11::TypeText(text);
}

std::string TopTitle(pid_t pid) {
  const unsigned long top = x11::ShownWindowOfProcess(pid);
  return top ? x11::TitleOf(top) : std::string("(no window)");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 5) {
    std::fprintf(stderr, "usage: qvinstalledlogin PID SERVER [USER PASSWORD]\n");
    return 1;
  }
  if (!win::UseX11Display()) {
    std::fprintf(stderr, "qvinstalledlogin: the display cannot be opened\n");
    return 1;
  }
  const pid_t pid = static_cast<pid_t>(std::atoi(argv[1]));
  const std::string server = argv[2];

  unsigned long dialog = 0;
  if (!x11::WaitUntil(30000, [&] {
        dialog = x11::ShownWindowOfProcess(pid);
        return dialog != 0 && x11::TitleOf(dialog) == kLoginTitle;
      })) {
    std::printf("the login dialog never showed; on top: \"%s\"\n", TopTitle(pid).c_str());
    return 1;
  }
  const forms::DesignNode design = forms::ReadDesignFile(std::string(QV_SOURCE_DIR) + "/admin/core/frmLogin.frm");
  const win::POINT origin = x11::ScreenOriginOf(dialog);

  // Into the edit part of the server box (left of its drop-down button).
  TypeInto(OnScreen(design, "cboServer", origin), server);
  if (argc == 5) {
    x11::ClickAtScreen(Centre(OnScreen(design, "optAuth", origin, 1)));
    TypeInto(OnScreen(design, "txtUID", origin), argv[3]);
    TypeInto(OnScreen(design, "txtPWD", origin), argv[4]);
  }
  x11::ClickAtScreen(Centre(OnScreen(design, "cmdLogin", origin)));

  unsigned long answered = 0;
  const bool done = x11::WaitUntil(60000, [&] {
    const unsigned long top = x11::ShownWindowOfProcess(pid);
    const std::string title = top ? x11::TitleOf(top) : std::string();
    if (title == kMainTitle) return true;
    if (top != 0 && top != dialog && top != answered) {
      std::printf("answered with Enter: \"%s\"\n", title.c_str());
      std::fflush(stdout);
      x11::TypeText("\r");
      answered = top;
    }
    return false;
  });
  if (!done) {
    std::printf("the login did not end in the main window; on top: \"%s\"\n", TopTitle(pid).c_str());
    return 1;
  }
  std::printf("logged in to %s\n", server.c_str());
  return 0;
}
