// The message helper with the real message box control: the details reach
// the message window's details pane as HTML line breaks.
#include <gtest/gtest.h>

#include "core/ShowMsgEx.h"
#include "forms/Form.h"
#include "forms/Responder.h"
#include "forms/Constants.h"
#include "gdi/BitmapBits.h"
#include "gdi/FontBackend.h"
#include "gdi/Bitmaps.h"
#include "gdi/Twips.h"
#include "html/KVXHTML.h"
#include "main/frmMDI.h"
#include "main/tests/MainWindowLoad.h"
#include "main/tests/Renders.h"

namespace qvadmin {
namespace {

TEST(ShowMsgExWindow, DetailsReachTheDetailsPane) {
  gdi::ScopedFixedMetrics metrics;
  auto main = test::LoadMainWindow(false);
  std::string detailText;
  std::string windowName;
  forms::ScopedResponders responders([&](const forms::ModalRequest& r) {
    if (r.kind == forms::ModalRequest::Kind::Form && r.form) {
      windowName = r.form->Name();
      rt::ResumeNext([&] { detailText = r.form->Get<kvctl2::KVXHTML>("txtDetail")->RawText(); });
      r.form->Hide();
    }
    return 1;
  });
  ShowMsgEx("Something failed", 16, "Error", "", 0, 0, "first line\r\nsecond line");
  EXPECT_EQ(windowName, "frmMsgBoxIe");
  EXPECT_EQ(detailText, "first line\r\nsecond line");  // sent as "<br>", read back as CR LF
  main->Unload();
}

// Every message shows the icon its style names: the pixels where the
// message window puts its icon carry the icon's colour, not the window's
// face.
TEST(ShowMsgExWindow, EachStyleShowsItsIcon) {
  gdi::ScopedFixedMetrics metrics;
  auto main = test::LoadMainWindow(false);
  const struct {
    int32_t style;
    const char* name;
    gdi::COLORREF colour;  // of the icon's body
  } cases[] = {
      {forms::vbCritical, "critical", gdi::RGB(214, 40, 40)},
      {forms::vbQuestion, "question", gdi::RGB(40, 100, 200)},
      {forms::vbExclamation, "exclamation", gdi::RGB(250, 200, 40)},
      {forms::vbInformation, "information", gdi::RGB(40, 100, 200)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    int iconPixels = 0;
    forms::ScopedResponders responders([&](const forms::ModalRequest& r) {
      if (r.kind != forms::ModalRequest::Kind::Form || !r.form) return 1;
      gdi::OwnedBitmap look = r.form->RenderToBitmap(false);
      gdi::SaveBitmapToPng(look.Get(), test::RenderPath(std::string("message-icon-") + c.name));
      gdi::SIZE size{};
      const std::vector<uint32_t> pixels = gdi::GetBitmapArgb(look.Get(), &size);
      const com::ControlPtr icon = r.form->Control("ImIco");
      const int left = gdi::TwipsToPixelsX(icon->Left());
      const int top = gdi::TwipsToPixelsY(icon->Top());
      for (int y = top; y < top + gdi::TwipsToPixelsY(icon->Height()) && y < size.cy; ++y) {
        for (int x = left; x < left + gdi::TwipsToPixelsX(icon->Width()) && x < size.cx; ++x) {
          const uint32_t p = pixels[static_cast<size_t>(y * size.cx + x)];
          const auto near = [](uint32_t a, uint8_t b) { return (a > b ? a - b : b - a) <= 8; };
          if (near((p >> 16) & 0xFF, gdi::GetRValue(c.colour)) && near((p >> 8) & 0xFF, gdi::GetGValue(c.colour)) &&
              near(p & 0xFF, gdi::GetBValue(c.colour))) {
            ++iconPixels;
          }
        }
      }
      r.form->Hide();
      return 1;
    });
    ShowMsgEx("Something to say", c.style, "A message");
    EXPECT_GT(iconPixels, 100);
  }
  main->Unload();
}

}  // namespace
}  // namespace qvadmin
