// The gallery: every display control in its characteristic states, drawn
// with the pinned fonts into the build folder's renders/ (display-*.png)
// to be looked at. The geometry is asserted by the other tests, on fixed
// metrics.
#include <gtest/gtest.h>

#include <cmath>

#include "display/KVXColorLabel.h"
#include "display/KVXFrame.h"
#include "display/KVXFrameBox.h"
#include "display/KVXHoverPic.h"
#include "display/KVXInfoPanel.h"
#include "display/KVXInfoPanelLight.h"
#include "display/KVXLineHover.h"
#include "display/KVXPane.h"
#include "display/KVXProgress.h"
#include "display/SprSel.h"
#include "forms/TextBox.h"
#include "gdi/BitmapBits.h"
#include "gdi/FontBackend.h"
#include "tests/DisplayTestHost.h"
#include "win/Input.h"

namespace kvctl2 {
namespace {

// A disc in the colour with a darker rim on the ground colour; striped
// discs have every other band of four columns less red.
std::vector<uint32_t> DiscPixels(gdi::COLORREF color, int size, uint32_t ground, bool striped) {
  std::vector<uint32_t> pixels(static_cast<size_t>(size * size), ground);
  const double centre = (size - 1) / 2.0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double d = std::hypot(x - centre, y - centre);
      if (d > size / 2.0) continue;
      const double k = d > size / 2.0 - 1.3 ? 0.6 : 1.0 - 0.25 * d / size;
      const double red = striped && (x / 4) % 2 == 1 ? 0.6 : 1.0;
      pixels[static_cast<size_t>(y * size + x)] =
          0xFF000000u | (static_cast<uint32_t>(gdi::GetRValue(color) * k * red) << 16) |
          (static_cast<uint32_t>(gdi::GetGValue(color) * k) << 8) | static_cast<uint32_t>(gdi::GetBValue(color) * k);
    }
  }
  return pixels;
}

// An icon: a disc on a clear ground.
com::StdPicturePtr DiscIcon(gdi::COLORREF color, int size = 16) {
  gdi::OwnedBitmap bitmap(gdi::CreateBitmapFromArgb(size, size, DiscPixels(color, size, 0u, false)));
  return com::StdPicture::FromIcon(gdi::OwnedIcon(gdi::CreateIconFromBitmap(bitmap.Get())));
}

// A bitmap: a striped disc on the mask colour (red), which the picture
// button leaves out.
com::StdPicturePtr DiscBitmap(gdi::COLORREF color, int size) {
  return com::StdPicture::FromBitmap(
      gdi::OwnedBitmap(gdi::CreateBitmapFromArgb(size, size, DiscPixels(color, size, 0xFFFF0000u, true))));
}

// A 24 x 24 tile: a light check pattern.
com::StdPicturePtr CheckTile() {
  std::vector<uint32_t> pixels(24 * 24);
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 24; ++x) pixels[y * 24 + x] = ((x / 12 + y / 12) % 2) ? 0xFFF4F0E8u : 0xFFFFFFFFu;
  }
  return com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CreateBitmapFromArgb(24, 24, pixels)));
}

class Gallery : public ::testing::Test {
 protected:
  void SetUp() override { gdi::UsePangoMetrics(); }
  void TearDown() override {
    if (host) host->Unload();
  }
  test::HostForm& Show(const std::string& design) {
    host = std::make_shared<test::HostForm>(design);
    host->Show();
    return *host;
  }
  void Save(const std::string& name) {
    const std::string path = test::GalleryPath(name);
    EXPECT_TRUE(host->RenderToPng(path, false)) << path;
  }
  std::shared_ptr<test::HostForm> host;
};

TEST_F(Gallery, Panes) {
  std::string design = "Begin Form frmPanes\n ClientWidth = 7200\n ClientHeight = 4800\n BackColor = &HFFFFFF\n";
  const char* names[] = {"None",        "Flat",      "Frame",     "Inset",        "Raised",
                         "CrossSingle", "CrossFull", "HeadLines", "HeadLinesVert"};
  for (int i = 0; i < 9; ++i) {
    design +=
        " Begin Kvctl2.KVXPane pan" + std::string(names[i]) + "\n  Left = " + std::to_string(120 + (i % 3) * 2340) +
        "\n  Top = " + std::to_string(120 + (i / 3) * 1200) +
        "\n  Width = 2220\n  Height = 1080\n  BackColor = &HE0E0E0\n  BorderStyle = " + std::to_string(i) + "\n End\n";
  }
  design +=
      " Begin Kvctl2.KVXPane panGradient\n  Left = 120\n  Top = 3720\n  Width = 6900\n  Height = 960\n"
      "  BackColor = &HFFFFFF\n  BackColor2 = &HE0D6C5\n  Gradient = True\n  BorderStyle = 1\n End\nEnd\n";
  Show(design);
  Save("panes");
}

TEST_F(Gallery, ProgressBars) {
  std::string design = "Begin Form frmProgress\n ClientWidth = 4600\n ClientHeight = 2200\n";
  for (int i = 0; i < 4; ++i) {
    design += " Begin Kvctl2.KVXProgress bar" + std::to_string(i) +
              "\n  Left = 120\n  Top = " + std::to_string(120 + i * 500) + "\n  Width = 4320\n  Height = 360\n End\n";
  }
  design += "End\n";
  Show(design);
  const int32_t values[] = {0, 41, 100, 66};
  for (int i = 0; i < 4; ++i) {
    auto bar = host->Get<KVXProgress>("bar" + std::to_string(i));
    if (i == 3) {
      bar->SetBackColorProperty(0xE0C0C0);
      bar->SetForeColorProperty(0x30A040);
    }
    bar->Reset();
    bar->UpdateTo(values[i] / 2);
    bar->UpdateTo(values[i]);
  }
  Save("progress");
}

TEST_F(Gallery, Frames) {
  std::string design = "Begin Form frmFrames\n ClientWidth = 9600\n ClientHeight = 4200\n BackColor = &HF0F0F0\n";
  const char* names[] = {"fraExpanded", "fraCollapsed", "fraHot", "fraDisabled", "fraIcon", "fraTiled"};
  for (int i = 0; i < 6; ++i) {
    design += " Begin Kvctl2.KVXFrame " + std::string(names[i]) + "\n  Left = " + std::to_string(120 + (i % 3) * 3150) +
              "\n  Top = " + std::to_string(120 + (i / 3) * 2040) +
              "\n  Width = 3000\n  Height = 1900\n  BorderStyle = 1\n  Caption = \"" + names[i] + " & Co\"\n End\n";
  }
  design += "End\n";
  Show(design);
  auto frame = [&](const char* name) { return host->Get<KVXFrame>(name); };
  frame("fraCollapsed")->Let("Expandierbar", true);
  frame("fraCollapsed")->Let("ShowBullet", true);
  frame("fraCollapsed")->Set("CaptionIcon", com::ToVariant(DiscIcon(gdi::RGB(40, 120, 200))));
  frame("fraCollapsed")->SetExpandiert(false);
  auto hot = frame("fraHot");
  hot->Let("Expandierbar", true);
  hot->Let("CaptionHoverMode", ColorUnderline);
  hot->Let("CaptionFontHoverColor", 0xC04000);
  hot->Set("CaptionIcon", com::ToVariant(DiscIcon(gdi::RGB(220, 120, 20))));
  test::MoveTo(*hot, 60, 10);
  frame("fraDisabled")->Let("Enabled", false);
  auto icon = frame("fraIcon");
  icon->Let("CaptionStyle", pbHozSolid);
  icon->Let("CaptionBorder", pbRound);
  icon->Let("BorderStyle", pbRound);
  icon->Let("ShowBullet", true);
  icon->Let("Expandierbar", true);
  icon->Set("CaptionIcon", com::ToVariant(DiscIcon(gdi::RGB(60, 160, 60))));
  auto tiled = frame("fraTiled");
  tiled->Let("CaptionHeight", 6);
  tiled->Let("CaptionStyle", pbVerSolid);
  tiled->Let("CaptionBorder", pbRaised);
  tiled->Set("BackgroundImage", com::ToVariant(CheckTile()));
  Save("frames");
  win::ReleaseCapture();
}

TEST_F(Gallery, FrameBox) {
  std::string design =
      "Begin Form frmFrameBox\n ClientWidth = 4500\n ClientHeight = 3300\n"
      " Begin Kvctl2.KVXFrameBox box\n  Left = 120\n  Top = 120\n  Width = 4200\n  Height = 3000\n"
      "  BackColor = &HFFFFFF\n";
  for (int i = 0; i < 4; ++i) {
    design +=
        "  Begin Kvctl2.KVXFrame fra(" + std::to_string(i) +
        ")\n   Left = 60\n   Top = " + std::to_string(60 + i * 1000) +
        "\n   Width = 4000\n   Height = 1100\n   BorderStyle = 1\n   Expandierbar = True\n   Caption = \"Section " +
        std::to_string(i + 1) + "\"\n  End\n";
  }
  design += " End\nEnd\n";
  Show(design);
  auto box = host->Get<KVXFrameBox>("box");
  host->Get<KVXFrame>("fra", 1)->SetExpandiert(false);
  host->Get<KVXFrame>("fra", 3)->SetHeight(1800);
  box->CtrlRefresh(win::ToInt(host->Get<KVXFrame>("fra", 3)->hWnd()));
  EXPECT_TRUE(box->ScrollVisible());
  EXPECT_GT(box->ScrollOffset(), 0);
  Save("framebox");
}

TEST_F(Gallery, MarkupLabels) {
  Show(
      "Begin Form frmLabels\n ClientWidth = 6000\n ClientHeight = 2700\n BackColor = &HFFFFFF\n"
      " Begin Kvctl2.KVXColorLabel lblColours\n  Left = 120\n  Top = 120\n  Width = 5700\n  Height = 300\n"
      "  BackColor = &HFFFFFF\n End\n"
      " Begin Kvctl2.KVXColorLabel lblWrapped\n  Left = 120\n  Top = 600\n  Width = 2700\n  Height = 300\n"
      "  BackColor = &HF0F0F0\n  WordWrap = True\n End\n"
      " Begin Kvctl2.KVXColorLabel lblAuto\n  Left = 3000\n  Top = 600\n  Width = 300\n  Height = 300\n"
      "  BackColor = &HE0FFE0\n  Autosize = True\n End\nEnd\n");
  host->Get<KVXColorLabel>("lblColours")
      ->SetCaption(
          "Plain, <b>bold</b>, <i>italic</i>, <u>underlined</u>, <s>struck</s>, <c255>red</c>, "
          "<c&hC00000&><b><i>blue bold italic</i></b></c>");
  host->Get<KVXColorLabel>("lblWrapped")
      ->SetCaption(
          "A <b>wrapped</b> caption breaks at blanks to the width of the label<br><c32768>and starts "
          "new lines</c> where it is told to.");
  host->Get<KVXColorLabel>("lblAuto")->SetCaption("Auto<b>size</b> <c&h0080FF&>grows</c>");
  Save("markup-labels");
}

TEST_F(Gallery, HoverLinks) {
  std::string design = "Begin Form frmLinks\n ClientWidth = 4200\n ClientHeight = 1800\n BackColor = &HFFFFFF\n";
  const char* names[] = {"hovNormal", "hovHot", "hovDisabled", "hovIcon", "hovCompact"};
  for (int i = 0; i < 5; ++i) {
    design += " Begin Kvctl2.KVXLineHover " + std::string(names[i]) +
              "\n  Left = 120\n  Top = " + std::to_string(120 + i * 330) +
              "\n  Width = " + std::string(i == 4 ? "2700" : "3900") +
              "\n  Height = 300\n  BackColor = &HFFFFFF\n  Caption = \"Check for updates & news\"\n End\n";
  }
  Show(design + "End\n");
  host->Get<KVXLineHover>("hovHot")->PaintLink(true);
  host->Get<KVXLineHover>("hovDisabled")->SetIcon(DiscIcon(gdi::RGB(40, 120, 200)));
  host->Get<KVXLineHover>("hovDisabled")->SetLinkEnabled(false);
  host->Get<KVXLineHover>("hovIcon")->SetIcon(DiscIcon(gdi::RGB(220, 120, 20)));
  auto compact = host->Get<KVXLineHover>("hovCompact");
  compact->SetIcon(DiscIcon(gdi::RGB(60, 160, 60)));
  compact->SetCaption("C:\\Quorvelle\\Updates\\Archive\\2024\\QVUpdate.exe");
  Save("hover-links");
}

TEST_F(Gallery, PictureButtons) {
  std::string design = "Begin Form frmButtons\n ClientWidth = 5400\n ClientHeight = 900\n BackColor = &HFFFFFF\n";
  const char* names[] = {"picUp", "picDown", "picHot", "picDisabled", "picChecked", "picBitmap", "picBitmapDisabled"};
  for (int i = 0; i < 7; ++i) {
    design += " Begin Kvctl2.KVXHoverPic " + std::string(names[i]) + "\n  Left = " + std::to_string(150 + i * 750) +
              "\n  Top = 150\n  Width = 510\n  Height = 510\n End\n";
  }
  Show(design + "End\n");
  for (const char* name : names) {
    auto button = host->Get<KVXHoverPic>(name);
    const bool bitmap = std::string(name).starts_with("picBitmap");
    button->SetImageUp(bitmap ? DiscBitmap(gdi::RGB(200, 110, 30), 32) : DiscIcon(gdi::RGB(30, 110, 200), 32));
    if (bitmap) button->SetBackStyleProperty(abTransparent);
  }
  host->Get<KVXHoverPic>("picBitmapDisabled")->SetButtonEnabled(false);
  host->Get<KVXHoverPic>("picDown")->PaintImage(1);
  host->Get<KVXHoverPic>("picHot")->PaintImage(2);
  host->Get<KVXHoverPic>("picDisabled")->SetButtonEnabled(false);
  auto checked = host->Get<KVXHoverPic>("picChecked");
  checked->SetStyle(abCheckButton);
  checked->SetValue(abPressed);
  Save("picture-buttons");
}

TEST_F(Gallery, InformationPanels) {
  Show(
      "Begin Form frmPanels\n ClientWidth = 9900\n ClientHeight = 1800\n BackColor = &HFFFFFF\n"
      " Begin Kvctl2.KVXInfoPanel pnlShort\n  Left = 120\n  Top = 120\n  Width = 3150\n  Height = 1500\n"
      "  Caption = \"Server access\"\n"
      "  Text = \"The clients reach the server with these settings.<BR>Change them only with care.\"\n End\n"
      " Begin Kvctl2.KVXInfoPanel pnlLong\n  Left = 3390\n  Top = 120\n  Width = 3150\n  Height = 1500\n"
      "  Caption = \"Update folder\"\n  Text = \"The update assistant copies every downloaded update into this "
      "folder, from where the workstations take it the next time they start. Keep the folder on a share that all "
      "workstations can read.<BR>The folder holds ver.txt and the sub-folder res.\"\n End\n"
      " Begin Kvctl2.KVXInfoPanelLight panProfTxt\n  Left = 6660\n  Top = 120\n  Width = 3120\n  Height = 660\n"
      "  Text = \"Open the profile settings of this user\"\n  WordWrap = True\n  HotLink = True\n End\n"
      " Begin Kvctl2.KVXInfoPanelLight panPlain\n  Left = 6660\n  Top = 900\n  Width = 3120\n  Height = 720\n"
      "  Text = \"A light panel without a link\"\n End\nEnd\n");
  host->Get<KVXInfoPanel>("pnlShort")->SetPictureProperty(DiscIcon(gdi::RGB(220, 160, 20), 32));
  auto light = host->Get<KVXInfoPanelLight>("panProfTxt");
  light->SetPictureProperty(DiscIcon(gdi::RGB(40, 120, 200)));
  test::MoveTo(*light, 120, 20);  // the hot link
  host->Get<KVXInfoPanelLight>("panPlain")->SetPictureProperty(DiscIcon(gdi::RGB(60, 160, 60)));
  EXPECT_TRUE(host->Get<KVXInfoPanel>("pnlLong")->txtTip().Visible());
  Save("info-panels");
  win::RouteMouseLeftDisplay();
}

TEST_F(Gallery, SelectionMarkers) {
  Show(
      "Begin Form frmSelection\n ClientWidth = 4800\n ClientHeight = 1500\n BackColor = &HFFFFFF\n"
      " Begin Kvctl2.SprSel selPhase0\n  Left = 120\n  Top = 120\n  Width = 2100\n  Height = 1200\n End\n"
      " Begin Kvctl2.SprSel selPhase1\n  Left = 2520\n  Top = 120\n  Width = 2100\n  Height = 1200\n End\n"
      "End\n");
  for (const char* name : {"selPhase0", "selPhase1"}) {
    auto sel = host->Get<SprSel>(name);
    sel->SetPosition(300, 300, 1200, 450, false);
    sel->Timer(true);
  }
  host->Get<SprSel>("selPhase1")->Blink();
  Save("selection-markers");
}

}  // namespace
}  // namespace kvctl2
