#include "core/HelpSystem.h"

#include "forms/App.h"
#include "help/HelpWindow.h"
#include "help/HtmlHelp.h"
#include "main/frmMDI.h"
#include "runtime/Error.h"

namespace qvadmin {

std::string HelpFilePath(const std::string& window) { return forms::App().Path + "/QV" + "_" + "Admin.chm>" + window; }

void ShowHelp(int32_t context, const std::string& window) {
  rt::ResumeNext([&] {
    // The help pages show in the control library's HTML view.
    help::HelpWindow::SetViewClass("Kvctl2.KVXHTML");
    const std::shared_ptr<frmMDI> main = frmMDI::Default();
    const win::HWND owner = main->IsLoaded() ? main->hWnd() : win::kNoWindow;
    help::HtmlHelpA(owner, HelpFilePath(window.empty() ? "Main" : window), help::HH_HELP_CONTEXT,
                    static_cast<uintptr_t>(context));
  });
  rt::Err().Clear();
}

}  // namespace qvadmin
