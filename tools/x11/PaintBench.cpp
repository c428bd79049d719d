// qvpaintbench: how fast a form with a few dozen controls reaches the screen
// of an X server (a private Xvfb started for the run): the time from Show to
// its first complete paint on the server, and the time of a full repaint.
//   qvpaintbench [REPAINTS [DPI [SCREENSHOT.png]]]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "forms/Form.h"
#include "gdi/Bitmaps.h"
#include "gdi/FontBackend.h"
#include "gdi/Owned.h"
#include "gdi/Twips.h"
#include "gdi/WindowSurface.h"
#include "win/Window.h"
#include "win/X11Testing.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A settings dialog: eight rows of label, text box and check box, a row of
// buttons and a few notes.
std::string Design() {
  std::string d =
      "Begin Form frmBench\n   Caption = \"Settings\"\n   BorderStyle = 3\n   Left = 1500\n   Top = 1200\n"
      "   ClientWidth = 9000\n   ClientHeight = 6600\n   Font = Font(\"Tahoma\", 8.25)\n";
  for (int row = 0; row < 8; ++row) {
    const std::string top = std::to_string(240 + row * 540);
    const std::string n = std::to_string(row);
    d += "   Begin VB.Label lblName" + n + "\n      Caption = \"Setting number " + n +
         ":\"\n      Left = 240\n      Top = " + top + "\n      Width = 1800\n      Height = 255\n   End\n";
    d += "   Begin VB.TextBox txtValue" + n + "\n      Text = \"Value of the setting " + n +
         "\"\n      Left = 2160\n      Top = " + top +
         "\n      Width = 3600\n      Height = 315\n      TabIndex = " + n + "\n   End\n";
    d += "   Begin VB.CheckBox chkOn" + n +
         "\n      Caption = \"Enabled\"\n      Value = 1\n      Left = 6000\n      Top = " + top +
         "\n      Width = 1200\n      Height = 255\n   End\n";
    d += "   Begin VB.Label lblNote" + n + "\n      Caption = \"(default)\"\n      Left = 7320\n      Top = " + top +
         "\n      Width = 1200\n      Height = 255\n   End\n";
  }
  const char* buttons[] = {"OK", "Cancel", "Apply", "Help", "Defaults", "Import", "Export"};
  for (int i = 0; i < 7; ++i) {
    d += "   Begin VB.CommandButton cmdButton" + std::to_string(i) + "\n      Caption = \"" + buttons[i] +
         "\"\n      Left = " + std::to_string(240 + i * 1230) +
         "\n      Top = 5880\n      Width = 1140\n      Height = 360\n   End\n";
  }
  return d + "End\n";
}

}  // namespace

int main(int argc, char** argv) {
  const int repaints = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  const int dpi = argc > 2 ? std::atoi(argv[2]) : 96;
  win::x11test::PrivateServer server(1280, 1024, dpi);
  if (!server.Started()) {
    std::fprintf(stderr, "qvpaintbench: no private X server: %s\n", server.Error().c_str());
    return 1;
  }
  gdi::UsePangoMetrics();
  auto form = std::make_shared<forms::Form>("frmBench");
  form->SetDesignText(Design());
  form->Load();
  std::printf("controls: %zu, client area %d x %d pixels\n", form->Controls().size(),
              gdi::TwipsToPixelsX(form->ScaleWidth()), gdi::TwipsToPixelsY(form->ScaleHeight()));

  // First paint: from Show until the server shows the painted window.
  const Clock::time_point shown = Clock::now();
  form->Show();
  while (!win::x11test::IsShown(form->hWnd())) win::x11test::Settle();
  win::x11test::Settle();
  const double first = MsSince(shown);

  // Full repaints: the whole client area composed, presented and drawn by
  // the server.
  std::vector<double> times;
  for (int i = 0; i < repaints; ++i) {
    const Clock::time_point start = Clock::now();
    win::InvalidateRect(form->hWnd(), nullptr, win::FALSE);
    win::UpdateWindow(form->hWnd());
    win::x11test::Settle();
    times.push_back(MsSince(start));
  }
  std::sort(times.begin(), times.end());
  std::printf("first complete paint: %.1f ms (goal < 100 ms)\n", first);
  std::printf("full repaint: median %.2f ms, 90th percentile %.2f ms, worst %.2f ms over %d (goal < 10 ms)\n",
              times[times.size() / 2], times[times.size() * 9 / 10], times.back(), repaints);
  if (argc > 3) {
    gdi::OwnedBitmap shot(gdi::CaptureWindow(form->hWnd()));
    gdi::SaveBitmapToPng(shot.Get(), argv[3]);
  }
  form->Unload();
  return 0;
}
