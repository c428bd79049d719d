// QVAdmin end to end in real windows on a private X server, against the
// private database cluster, played as an administrator would with the
// mouse and the keyboard: the program starts, the login dialog is filled
// in and sent, the configuration is opened from the start page, a path is
// typed and saved; the row is then read with a direct query.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "../../../../sql/tests/ScriptServer.h"
#include "ado/TestServer.h"
#include "core/CoreMessage.h"
#include "core/DockedViews.h"
#include "core/RegistrySettings.h"
#include "core/SessionState.h"
#include "core/StartUp.h"
#include "core/TextHelpers.h"
#include "core/frmLogin.h"
#include "forms/App.h"
#include "forms/Responder.h"
#include "forms/controls/ComboBox.h"
#include "forms/controls/FlatEdit.h"
#include "forms/docking/DockStudio.h"
#include "forms/lists/TreeView.h"
#include "forms/tests/x11/RealWindowChecks.h"
#include "gdi/Bitmaps.h"
#include "gdi/FontBackend.h"
#include "gdi/Owned.h"
#include "gdi/WindowSurface.h"
#include "main/frmKonfig.h"
#include "main/frmMDI.h"
#include "main/frmStart.h"
#include "main/tests/x11/RealWindowSession.h"
#include "runtime/Strings.h"
#include "runtime/TestRenders.h"
#include "shell/System.h"
#include "win/Window.h"
#include "win/X11Testing.h"

namespace qvadmin {
namespace {

namespace fs = std::filesystem;
namespace x11 = win::x11test;

// The X key symbol of the End key.
constexpr unsigned long kEndKey = 0xFF57;

// A point of a control's window in the client area of the top-level window
// that holds it (where XTest clicks).
win::POINT InMainWindow(win::HWND child, int x, int y) {
  win::POINT point{x, y};
  win::ClientToScreen(child, &point);
  win::ScreenToClient(frmMDI::Default()->hWnd(), &point);
  return point;
}

win::POINT CentreInMainWindow(const com::Control& control) {
  return InMainWindow(control.hWnd(), control.PixelWidth() / 2, control.PixelHeight() / 2);
}

std::string BuildFile(const std::string& name) { return rt::TestRenderPath("qvadmin-" + name); }

class EndToEnd : public test::RealWindowSession {
 protected:
  void SetUp() override {
    test::RealWindowSession::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    archive = fs::temp_directory_path() / ("qvadmin-e2e-archive-" + std::to_string(::getpid()));
    fs::create_directories(archive);
  }
  void TearDown() override {
    fs::remove_all(archive);
    test::RealWindowSession::TearDown();
  }

  fs::path archive;
};

TEST_F(EndToEnd, LogInOpenTheConfigurationChangeAPathAndSave) {
  const std::string computer = rt::RTrim(CutAtNull(shell::GetComputerNameA()));
  bool loginShown = false;
  // The login dialog: the server typed anew, Windows authentication kept,
  // Login clicked.
  forms::Responders::Push([&](const forms::ModalRequest& r) {
    auto* dialog = dynamic_cast<frmLogin*>(r.form);
    if (!dialog) return 0;
    x11::Settle();
    loginShown = x11::IsShown(dialog->hWnd());
    auto server = dialog->Get<forms::ComboBox>("cboServer");
    x11::Click(dialog->hWnd(), forms::test::CentreOf(*server));
    x11::Settle();
    // To the end of the field, everything in it deleted, the name typed.
    x11::TapKeySymbol(kEndKey);
    x11::TypeText(std::string(server->Text().size(), '\b'));
    x11::TypeText(computer);
    x11::Settle();
    EXPECT_EQ(server->Text(), computer);
    x11::Click(dialog->hWnd(), forms::test::CentreOf(*dialog->Control("cmdLogin")));
    x11::Settle();
    return 0;
  });

  Main();
  x11::Settle();
  const std::shared_ptr<frmMDI> main = frmMDI::Default();
  EXPECT_TRUE(loginShown);
  ASSERT_TRUE(x11::IsShown(main->hWnd()));
  ASSERT_FALSE(CurrentUserID.empty()) << unexpected;
  ASSERT_TRUE(frmStart::Default()->LinksEnabled());

  // The start page's link to the configuration.
  const std::shared_ptr<frmStart> start = frmStart::Default();
  x11::Click(main->hWnd(), CentreInMainWindow(*start->Control("hovVerwalt", 2)));
  x11::Settle();
  const std::shared_ptr<frmKonfig> view = frmKonfig::Default();
  ASSERT_EQ(ActiveDockedForm(), view);

  // The page "Document Archive" from the tree, the local path typed.
  auto tree = view->Get<forms::TreeView>("treDB");
  const gdi::RECT node = tree->TextRect(tree->Node(rt::Variant("N3")).get());
  x11::Click(main->hWnd(), InMainWindow(tree->hWnd(), (node.left + node.right) / 2, (node.top + node.bottom) / 2));
  x11::Settle();
  auto path = view->Get<forms::FlatEdit>("txtArchPath", 0);
  x11::Click(main->hWnd(), CentreInMainWindow(*path));
  x11::Settle();
  x11::TypeText(archive.string());
  x11::Settle();
  EXPECT_EQ(path->Text(), archive.string());

  // Save from the view's tool bar.
  auto dock = main->Dock();
  const gdi::RECT save = dock->ToolRect("Konfig", "Save");
  x11::Click(main->hWnd(), InMainWindow(dock->hWnd(), (save.left + save.right) / 2, (save.top + save.bottom) / 2));
  x11::Settle();

  gdi::OwnedBitmap shown(gdi::CaptureWindow(main->hWnd()));
  EXPECT_TRUE(gdi::SaveBitmapToPng(shown.Get(), BuildFile("end-to-end-configuration.png")));
  EXPECT_EQ(sqltest::Scalar(db(), "SELECT ArchLocPath FROM Konfig"), archive.string() + "/");
  EXPECT_EQ(ArchivePath, archive.string() + "/");
  EXPECT_EQ(unexpected, "");
}

}  // namespace
}  // namespace qvadmin
